#pragma once

#include "base/feature.h"
#include "dialogs/dialog_forward.h"

#include <QDialog>
#include <QString>
#include <memory>

namespace tlx::qt {

// What a routed dialog is made from: the program's state, the operator's
// host, the links, the window that owns it, the routed row and its title
// (the template's caption as the route gives it).
struct DialogContext {
    AppState& state;
    Host& host;
    LinkHub& links;
    QWidget* owner;
    const CommandRoute& route;
    QString title;

    Transport& transport() const;
};

// The dialog families, each in its own files. Each returns the dialog of the
// routed feature when it is one of its family, else null.

// Per-line and per-page display attributes.
std::unique_ptr<QDialog> makeAttributeDialog(const DialogContext& context);
// Title text entry, date and time, display page.
std::unique_ptr<QDialog> makeTitleDialog(const DialogContext& context);
// Schedule, alarm, remote and other settings, device network.
std::unique_ptr<QDialog> makeDeviceSettingsDialog(const DialogContext& context);
// Glyph lists, glyph information, glyph insertion.
std::unique_ptr<QDialog> makeGlyphDialog(const DialogContext& context);

} // namespace tlx::qt
