// The model F program with its title dialog open, for a real input method to
// type into (scripts/ime-check.sh). Prints "ready" once the line input has
// the focus, sends the line as soon as the input holds TEXT, and ends 0 a
// second later; after SECONDS without it, prints what the input held and
// ends 1. Not a test of its own.
//
//   tlx-ime-probe TEXT [SECONDS]
#include "app/desktop_program.h"
#include "app/main_window.h"
#include "dialogs/title_dialog.h"
#include "dialogs/title_text_edit.h"

#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void finish(int status, const QString& said) {
    std::printf("%s\n", said.toUtf8().constData());
    std::fflush(stdout);
    std::_Exit(status);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: tlx-ime-probe TEXT [SECONDS]\n");
        return 2;
    }
    const QString want = QString::fromUtf8(argv[1]);
    const int seconds = argc > 2 ? std::atoi(argv[2]) : 60;
    return tlx::qt::runDesktopProgram(tlx::Product::F, argc, argv, [&](tlx::qt::MainWindow& w) {
        auto* poll = new QTimer(&w);
        QObject::connect(poll, &QTimer::timeout, [poll, want] {
            static bool announced = false;
            auto* dialog = qobject_cast<tlx::qt::TitleDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr || dialog->lineInput() == nullptr) {
                return;
            }
            tlx::qt::TitleTextEdit* input = dialog->lineInput();
            if (!announced) {
                dialog->activateWindow();
                input->setFocus();
                announced = input->hasFocus();
                if (announced) {
                    std::printf("ready\n");
                    std::fflush(stdout);
                }
                return;
            }
            if (input->title() == want) {
                poll->stop();
                dialog->lineButton()->click();
                QTimer::singleShot(1000, [] { finish(0, QStringLiteral("sent")); });
            }
        });
        poll->start(50);
        QTimer::singleShot(seconds * 1000, [] {
            auto* dialog = qobject_cast<tlx::qt::TitleDialog*>(QApplication::activeModalWidget());
            const QString held = dialog != nullptr && dialog->lineInput() != nullptr
                                     ? dialog->lineInput()->title()
                                     : QStringLiteral("(no title dialog)");
            finish(1, QStringLiteral("timeout; the input held: ") + held);
        });
        // The menu command, as the operator chooses it; its dialog runs modally.
        QTimer::singleShot(0, &w, [&w] { w.routeCommand(32781); });
    });
}
