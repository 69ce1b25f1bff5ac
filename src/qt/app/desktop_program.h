#pragma once

#include "app/product.h"
#include "app/qt_host.h"
#include "app/single_instance.h"

#include <memory>

namespace tlx {
struct AppState;
class ConnectionIni;
} // namespace tlx

namespace tlx::qt {

class LinkHub;
class MainWindow;

// Application-wide settings of the model's program (name, icon, quitting).
void configureApplication(Product product);

// One desktop program: its state, links and main window, in start-up order.
class DesktopProgram {
  public:
    explicit DesktopProgram(Product product);
    ~DesktopProgram();

    // Everything up to the shown main window and the serial link; false when
    // another copy of the program runs (the operator has been told).
    bool start();
    MainWindow* window() const { return window_.get(); }

  private:
    Product product_;
    QtHost host_;
    SingleInstance instance_;
    std::unique_ptr<AppState> state_;
    std::unique_ptr<LinkHub> links_;
    std::unique_ptr<ConnectionIni> ini_;
    std::unique_ptr<MainWindow> window_;
};

// The desktop program of one model, from start-up to the end of its event
// loop; returns the exit code.
int runDesktopProgram(Product product, int& argc, char** argv);

} // namespace tlx::qt
