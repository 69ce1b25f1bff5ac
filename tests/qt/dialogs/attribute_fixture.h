#pragma once

#include "dialog_fixture.h"

#include <memory>
#include <string>

namespace tlx {
class Transport;
}

namespace tlx::test {

inline std::string crlf(std::string s) {
    return s + "\r\n";
}

// The attribute dialog tests: a window of the family over the transport
// given, shown, its all-pages run unpaced.
class AttributeDialogTest : public DialogTest {
  protected:
    template <typename Window, typename Descriptor>
    std::unique_ptr<Window> open(const Descriptor& d, Transport& t) {
        auto w = std::make_unique<Window>(d, *state, *host, t, "x");
        w->setPaceScale(0.0);
        w->show();
        return w;
    }
};

} // namespace tlx::test
