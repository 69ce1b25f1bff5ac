#include "base/product.h"

namespace tlx {

namespace {

constexpr ProductTraits kModelF{
    .product = Product::F,
    .letter = 'F',
    .productString = "TLX-500F_Z200",
    .iniFileName = "tlx500f_z200.ini",
    .iniSection = "TLX-500F_Z200_Section",
    .mutexName = "TLX-500F_Z200 TCP_X_Mutex",
    .readAllSteps = 5170,
    .busyStepPastEnd = 5171,
    .noAnswerTickLimit = 20,
    .settingsFileLines = 60626,
};

constexpr ProductTraits kModelS{
    .product = Product::S,
    .letter = 'S',
    .productString = "TLX-500S_Z200",
    .iniFileName = "tlx500s_z200.ini",
    .iniSection = "TLX-500S_Z200_Section",
    .mutexName = "TLX-500S_Z200 TCP_X_Mutex",
    .readAllSteps = 1593,
    .busyStepPastEnd = 1594,
    .noAnswerTickLimit = 25,
    .settingsFileLines = 41170,
};

} // namespace

const ProductTraits& traits(Product p) { return p == Product::F ? kModelF : kModelS; }

} // namespace tlx
