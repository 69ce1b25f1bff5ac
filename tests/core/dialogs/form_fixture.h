#pragma once

#include "dialogs/alarm_form.h"
#include "protocol/app_state.h"
#include "support/fake_host.h"
#include "support/fake_transport.h"

#include <gtest/gtest.h>
#include <memory>

namespace tlx::test {

// The position of a group in a form, by its list or field id.
inline std::size_t groupOf(const FormDescriptor& d, int controlId) {
    for (std::size_t i = 0; i < d.groups.size(); ++i) {
        if (d.groups[i].controlId == controlId) {
            return i;
        }
    }
    ADD_FAILURE() << "no group " << controlId;
    return 0;
}

// A fresh model F state whose link records what a form sends.
struct FormFixture : ::testing::Test {
    std::unique_ptr<AppState> s = makeAppState(Product::F);
    FakeHost host;
    FakeTransport link;
};

} // namespace tlx::test
