// The desktop program's own start-up, up to its first exposed main window.

#include "app/desktop_program.h"
#include "app/main_window.h"
#include "startup_probe.h"

int main(int argc, char** argv) {
    const tlx::Product product = argc > 1 && argv[1][0] == 'S' ? tlx::Product::S : tlx::Product::F;
    return tlx::qt::runDesktopProgram(product, argc, argv, [](tlx::qt::MainWindow& window) {
        tlx::test::reportWhenShown(window);
    });
}
