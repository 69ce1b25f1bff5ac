// The desktop program's own start-up, up to its first exposed main window.

#include "app/desktop_program.h"
#include "app/main_window.h"
#include "startup_probe.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const tlx::Product product = argc > 1 && argv[1][0] == 'S' ? tlx::Product::S : tlx::Product::F;
    tlx::qt::configureApplication(product);
    tlx::qt::DesktopProgram program(product);
    if (!program.start()) {
        return 1;
    }
    tlx::test::reportShownAndExit(*program.window());
}
