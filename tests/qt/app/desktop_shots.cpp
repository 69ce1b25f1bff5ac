// Pictures of the desktop programs, so that the whole interface can be
// looked over at once: the main window, every dialog of the menus (the
// read-all dialog during a run), the glyph editor of each size, the file
// chooser and a question box, of one model, as PNG files. Runs on any Qt
// platform (xcb under Xvfb, or offscreen).
//
//   tlx-desktop-shots F|S OUTPUT_FOLDER

#include "app/app_dialogs.h"
#include "app/app_icons.h"
#include "app/desktop_program.h"
#include "app/main_window.h"
#include "device_transport.h"
#include "dialogs/file_chooser.h"
#include "dialogs/glyph_editor_dialog.h"
#include "dialogs/run_dialog.h"
#include "protocol/app_state.h"
#include "protocol/link_hub.h"
#include "settings/connection_ini.h"
#include "support/fake_host.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
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
    // As the program starts: its font and Qt's own texts in Japanese.
    tlx::qt::configureApplication(product);
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
    int shown = 0;
    for (const tlx::CommandRoute& route : tlx::commandRoutes(product)) {
        if (route.dialogTemplate == 0 || route.feature == tlx::Feature::ReadAll) {
            continue;
        }
        auto dialog = dialogs.create(route);
        if (!dialog) {
            std::printf("no dialog for command %d\n", route.command);
            ok = false;
            continue;
        }
        dialog->show();
        ok =
            save(*dialog,
                 out.filePath(QStringLiteral("dialog_%1_%2.png").arg(route.command).arg(suffix))) &&
            ok;
        dialog->hide();
        ++shown;
    }

    // Opened from the glyph lists.
    for (const auto& [size, name] :
         {std::pair{tlx::GlyphSize::Small, "small"}, std::pair{tlx::GlyphSize::Medium, "medium"},
          std::pair{tlx::GlyphSize::Large, "large"}}) {
        tlx::qt::GlyphEditorDialog editor(size, *state, host, device, "", &window);
        editor.show();
        ok = save(editor, out.filePath(QStringLiteral("glyph_editor_%1_%2.png")
                                           .arg(QString::fromLatin1(name))
                                           .arg(suffix))) &&
             ok;
        ++shown;
    }

    // Qt's own dialogs, which speak Japanese with the program.
    QFileDialog chooser(&window);
    chooser.setOption(QFileDialog::DontUseNativeDialog);
    tlx::qt::configureFileDialog(chooser,
                                 tlx::FileChoice{false, "開く", {{"データ(*.dat)", "*.dat"}}, ""});
    chooser.setDirectory(config.path());
    chooser.show();
    ok = save(chooser, out.filePath("file_chooser_" + suffix + ".png")) && ok;
    chooser.hide();
    QMessageBox question(QMessageBox::Question, "TLX-500F_Z200",
                         QStringLiteral("データを保存せずに終了しますか？"),
                         QMessageBox::Yes | QMessageBox::No, &window);
    question.show();
    ok = save(question, out.filePath("question_" + suffix + ".png")) && ok;
    std::printf("%d dialogs\n", shown + 3);
    return ok ? 0 : 1;
}
