#pragma once

#include "app/menu_logic.h"
#include "dialogs/dialog_forward.h"

#include <QDialog>
#include <memory>

namespace tlx::qt {

// Opens the dialog of a routed command, modally.
class DialogLauncher {
  public:
    virtual ~DialogLauncher() = default;
    virtual void open(const CommandRoute& route) = 0;
};

// The program's dialogs: the shell's own here, the others from their
// families (dialogs/dialog_context.h). A route whose dialog is not built
// opens nothing.
class AppDialogs : public DialogLauncher {
  public:
    AppDialogs(AppState& state, Host& host, LinkHub& links, const ConnectionIni& ini,
               QWidget* owner);

    // The dialog for the route, or null where none exists yet.
    std::unique_ptr<QDialog> create(const CommandRoute& route);
    void open(const CommandRoute& route) override;

  private:
    AppState& state_;
    Host& host_;
    LinkHub& links_;
    const ConnectionIni& ini_;
    QWidget* owner_;
};

} // namespace tlx::qt
