#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <string>

class QFileDialog;
class QWidget;

namespace tlx {
struct FileChoice;
}

namespace tlx::qt {

// "データ(*.dat)" and its kin: the label carries its pattern in brackets, as
// the chooser reads it.
QStringList nameFilters(const FileChoice& choice);

// Title, filters (the first selected), an empty file name, no default
// extension; open: the file must exist; save: overwriting is confirmed.
void configureFileDialog(QFileDialog& dialog, const FileChoice& choice);

// Shows the chooser modally; nothing when cancelled.
std::optional<std::string> runFileChooser(const FileChoice& choice, QWidget* parent);

} // namespace tlx::qt
