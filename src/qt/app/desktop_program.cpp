#include "app/desktop_program.h"

#include "app/app_icons.h"
#include "app/app_state.h"
#include "app/link_hub.h"
#include "app/main_window.h"
#include "app/qt_host.h"
#include "app/single_instance.h"
#include "link/connection_ini.h"

#include <QApplication>

namespace tlx::qt {

int runDesktopProgram(Product product, int& argc, char** argv) {
    QApplication app(argc, argv);
    const ProductTraits& t = traits(product);
    const QString productName =
        QString::fromUtf8(t.productString.data(), static_cast<qsizetype>(t.productString.size()));
    QApplication::setApplicationName(productName);
    QApplication::setWindowIcon(applicationIcon(product));
    // The program ends through the exit flow only, not because its last
    // window closed (a message box may be the last one open).
    QApplication::setQuitOnLastWindowClosed(false);

    QtHost host;
    SingleInstance instance(t.mutexName);
    if (!takeSingleInstance(instance, host, product)) {
        host.flushMessages();
        return 0;
    }

    // The model and the link state start at their defaults; the server's
    // client table starts empty with the links.
    auto state = makeAppState(product);
    LinkHub links(*state, host);
    const ConnectionIni ini = ConnectionIni::forProduct(product);
    ini.load(state->connection, state->model.devicePortNumber);

    MainWindow window(*state, host, links, ini);
    host.setOwner(&window);
    QObject::connect(&host, &QtHost::fileShown, &window, &MainWindow::refreshTitle);
    QObject::connect(
        &window, &MainWindow::exiting, &app, [] { QCoreApplication::exit(0); },
        Qt::QueuedConnection);
    window.show();

    links.startSerialLink();
    return QApplication::exec();
}

} // namespace tlx::qt
