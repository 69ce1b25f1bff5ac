#pragma once

#include "app/main_window.h"
#include "dialog_fixture.h"
#include "protocol/link_hub.h"
#include "settings/connection_ini.h"

#include <QTemporaryDir>
#include <memory>
#include <string>

namespace tlx::test {

// The base of a main window test: the window on a fresh state, with its links
// and an INI file in a folder of its own.
class WindowTest : public DialogTest {
  protected:
    QTemporaryDir dir;
    std::unique_ptr<qt::LinkHub> links;
    std::unique_ptr<ConnectionIni> ini;
    std::unique_ptr<qt::MainWindow> window;

    // A window of model p, its serial link on comDevice when one is given.
    void makeWindow(Product p, const std::string& comDevice = {}) {
        dropWindow(); // they hold the state make() replaces
        make(p);
        if (!comDevice.empty()) {
            state->connection.comDevice = comDevice;
        }
        links = std::make_unique<qt::LinkHub>(*state, *host);
        ini = std::make_unique<ConnectionIni>(dir.filePath("tlx.ini").toStdString(),
                                              "TLX-500F_Z200_Section");
        window = std::make_unique<qt::MainWindow>(*state, *host, *links, *ini);
    }

    void dropWindow() {
        window.reset();
        links.reset();
    }
};

} // namespace tlx::test
