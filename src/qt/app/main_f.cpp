#include "app/desktop_program.h"

int main(int argc, char** argv) {
    return tlx::qt::runDesktopProgram(tlx::Product::F, argc, argv);
}
