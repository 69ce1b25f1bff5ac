#include "protocol/client_table.h"

#include <gtest/gtest.h>

namespace tlx {
namespace {

TEST(ClientTable, SlotZeroIsReservedAndNinetySixServe) {
    ClientTable t;
    EXPECT_TRUE(t.inUse(0));
    EXPECT_EQ(t.clientsInUse(), 0);
    for (int i = 1; i <= 96; ++i) {
        const auto slot = t.freeSlot();
        ASSERT_TRUE(slot.has_value());
        EXPECT_EQ(*slot, i);
        t.occupy(*slot, "10.0.0." + std::to_string(i));
    }
    EXPECT_FALSE(t.freeSlot().has_value());
    EXPECT_EQ(t.clientsInUse(), 96);
    t.release(40);
    EXPECT_EQ(t.freeSlot(), 40);
    EXPECT_EQ(t.address(40), " ");
    t.reset();
    EXPECT_EQ(t.clientsInUse(), 0);
    EXPECT_TRUE(t.inUse(0));
}

TEST(ClientTable, RowsSkipSlotsThatWereLeft) {
    ClientTable t;
    t.occupy(1, "10.0.0.1");
    t.occupy(2, "10.0.0.2");
    t.occupy(3, "10.0.0.3");
    t.release(1);
    EXPECT_EQ(t.rows(), (std::vector<std::string>{"10.0.0.2", "10.0.0.3"}));
    EXPECT_EQ(t.slotOfRow(0), 2);
    EXPECT_EQ(t.slotOfRow(1), 3);
    EXPECT_FALSE(t.slotOfRow(2).has_value());
    EXPECT_FALSE(t.slotOfRow(-1).has_value());
}

TEST(ClientTable, OutOfRangeSlotsAreIgnored) {
    ClientTable t;
    t.occupy(0, "x");
    t.occupy(97, "x");
    t.release(0);
    EXPECT_TRUE(t.inUse(0));
    EXPECT_FALSE(t.inUse(97));
    EXPECT_EQ(t.address(200), " ");
}

} // namespace
} // namespace tlx
