// The yardstick: a minimal Qt Widgets main window of the same size that
// shows one line of text, as every window with a menu or a label does (so
// both sides load the fonts).

#include "startup_probe.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("minimal"));
    window.setCentralWidget(new QLabel(QStringLiteral("TLX-500"), &window));
    window.setFixedSize(791, 120);
    window.show();
    tlx::test::reportWhenShown(window);
    return QApplication::exec();
}
