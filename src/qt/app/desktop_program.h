#pragma once

#include "app/qt_host.h"
#include "app/single_instance.h"
#include "base/product.h"

#include <QString>
#include <functional>
#include <future>
#include <memory>
#include <string>

namespace tlx {
struct AppState;
class ConnectionIni;
} // namespace tlx

namespace tlx::qt {

class LinkHub;
class MainWindow;

// Installs Qt's Japanese catalogues from `folder` (the Qt installation's
// when empty); returns how many were found. Missing ones are no error.
int installJapaneseTranslations(const QString& folder = {});

// Application-wide settings of the model's program (name, interface font,
// quitting). The application icon follows once the main window is up.
void configureApplication(Product product);

// The program's state, made on a thread of its own: a megabyte of tables
// that the kernel hands out page by page, ready by the time the application
// object exists.
std::future<std::unique_ptr<AppState>> prepareAppState(Product product);

// One desktop program: its state, links and main window, in start-up order.
class DesktopProgram {
  public:
    // Takes the state from `prepared` when it is given, else makes it.
    explicit DesktopProgram(Product product,
                            std::future<std::unique_ptr<AppState>> prepared = {});
    ~DesktopProgram();

    // Everything up to the shown main window and the serial link; false when
    // another copy of the program runs (the operator has been told).
    bool start();
    MainWindow* window() const { return window_.get(); }

  private:
    Product product_;
    std::future<std::unique_ptr<AppState>> prepared_;
    QtHost host_;
    SingleInstance instance_;
    std::unique_ptr<AppState> state_;
    std::unique_ptr<LinkHub> links_;
    std::unique_ptr<ConnectionIni> ini_;
    std::unique_ptr<MainWindow> window_;
};

// What --help prints.
std::string desktopHelpText(Product product);

// The desktop program of one model, from start-up to the end of its event
// loop; returns the exit code. `started` (measurements) is called with the
// main window as soon as start-up has shown it.
int runDesktopProgram(Product product, int& argc, char** argv,
                      const std::function<void(MainWindow&)>& started = {});

} // namespace tlx::qt
