#include "app/desktop_program.h"

#include "app/app_icons.h"
#include "app/app_state.h"
#include "app/link_hub.h"
#include "app/main_window.h"
#include "link/connection_ini.h"

#include <QApplication>

namespace tlx::qt {

void configureApplication(Product product) {
    const ProductTraits& t = traits(product);
    QApplication::setApplicationName(
        QString::fromUtf8(t.productString.data(), static_cast<qsizetype>(t.productString.size())));
    QApplication::setWindowIcon(applicationIcon(product));
    // The program ends through the exit flow only, not because its last
    // window closed (a message box may be the last one open).
    QApplication::setQuitOnLastWindowClosed(false);
}

DesktopProgram::DesktopProgram(Product product)
    : product_(product), instance_(traits(product).mutexName) {}

DesktopProgram::~DesktopProgram() {
    // The window goes before the links and the state it refers to.
    window_.reset();
    links_.reset();
}

bool DesktopProgram::start() {
    if (!takeSingleInstance(instance_, host_, product_)) {
        host_.flushMessages();
        return false;
    }
    // The model and the link state start at their defaults; the server's
    // client table starts empty with the links.
    state_ = makeAppState(product_);
    links_ = std::make_unique<LinkHub>(*state_, host_);
    ini_ = std::make_unique<ConnectionIni>(ConnectionIni::forProduct(product_));
    ini_->load(state_->connection, state_->model.devicePortNumber);

    window_ = std::make_unique<MainWindow>(*state_, host_, *links_, *ini_);
    host_.setOwner(window_.get());
    QObject::connect(&host_, &QtHost::fileShown, window_.get(), &MainWindow::refreshTitle);
    QObject::connect(
        window_.get(), &MainWindow::exiting, qApp, [] { QCoreApplication::exit(0); },
        Qt::QueuedConnection);
    window_->show();

    links_->startSerialLink();
    return true;
}

int runDesktopProgram(Product product, int& argc, char** argv) {
    QApplication app(argc, argv);
    configureApplication(product);
    DesktopProgram program(product);
    if (!program.start()) {
        return 0;
    }
    return QApplication::exec();
}

} // namespace tlx::qt
