// Pictures of the desktop programs for the README: the main window, the
// read-all dialog during a run and the RS-232C/485 dialog, of one model, as
// PNG files. Runs on any Qt platform (xcb under Xvfb, or offscreen).
//
//   tlx-desktop-shots F|S OUTPUT_FOLDER

#include "app/app_dialogs.h"
#include "app/app_icons.h"
#include "app/app_state.h"
#include "app/link_hub.h"
#include "app/main_window.h"
#include "device_transport.h"
#include "link/connection_ini.h"
#include "model/run_dialog.h"
#include "support/fake_host.h"

#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>
#include <cstdio>

namespace {

bool save(QWidget& w, const QString& path) {
    QApplication::processEvents();
    const bool ok = w.grab().save(path);
    std::printf("%s %s\n", ok ? "wrote" : "could not write", qPrintable(path));
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 3 || (QString(argv[1]) != "F" && QString(argv[1]) != "S")) {
        std::fprintf(stderr, "usage: tlx-desktop-shots F|S OUTPUT_FOLDER\n");
        return 2;
    }
    const tlx::Product product = QString(argv[1]) == "F" ? tlx::Product::F : tlx::Product::S;
    const QString suffix = product == tlx::Product::F ? "f" : "s";
    const QDir out(argv[2]);
    QDir().mkpath(out.path());
    QApplication::setWindowIcon(tlx::qt::applicationIcon(product));

    QTemporaryDir config;
    auto state = tlx::makeAppState(product);
    tlx::test::FakeHost host;
    tlx::qt::LinkHub links(*state, host);
    const tlx::ConnectionIni ini(config.filePath("tlx.ini").toStdString(), "S");
    state->connection.comDevice = "/tmp/ttyTLX";

    tlx::qt::MainWindow window(*state, host, links, ini);
    window.show();
    bool ok = save(window, out.filePath("main_" + suffix + ".png"));
    std::printf("main window %dx%d, toolbar hint %d\n", window.width(), window.height(),
                window.toolBar()->sizeHint().width());

    tlx::test::DeviceTransport device(*state, host, 1);
    auto reading = tlx::qt::makeReadAllDialog(*state, host, device, "設定項目の読み込み", &window);
    reading->setPaceScale(0.0);
    reading->show();
    reading->startButton()->click();
    // About a third of the way.
    const int stop = product == tlx::Product::F ? 1700 : 530;
    while (state->model.busyStep < stop && reading->isVisible()) {
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
    }
    ok = save(*reading, out.filePath("read_all_" + suffix + ".png")) && ok;
    reading->reject();

    tlx::qt::AppDialogs dialogs(*state, host, links, ini, &window);
    auto rs = dialogs.create(*tlx::routeOf(product, 32799));
    rs->show();
    ok = save(*rs, out.filePath("rs232c_485_" + suffix + ".png")) && ok;
    return ok ? 0 : 1;
}
