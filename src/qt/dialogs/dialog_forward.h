#pragma once

// The program's types and the common widgets that the dialogs' and windows'
// headers hold only by pointer or reference, declared once for all of them.

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;

namespace tlx {
struct AppState;
class ConnectionIni;
class Host;
class Transport;
} // namespace tlx

namespace tlx::qt {
class LinkHub;
class SlaveAddressBox;
} // namespace tlx::qt
