#include "base/date_time.h"

#include <gtest/gtest.h>

namespace tlx {
namespace {

TEST(ClockCommands, EveryFieldTwoDigits) {
    const auto lines = clockCommands({2024, 3, 5, 7, 8, 9});
    ASSERT_TRUE(lines.has_value());
    EXPECT_EQ(*lines, (std::vector<std::string>{"DSY24\r\n", "DSM03\r\n", "DSD05\r\n",
                                                "TSH07\r\n", "TSM08\r\n", "TSS09\r\n"}));
    EXPECT_EQ(clockCommands({2099, 12, 31, 23, 59, 59})->front(), "DSY99\r\n");
    EXPECT_EQ(clockCommands({2000, 1, 1, 0, 0, 0})->front(), "DSY00\r\n");
}

TEST(ClockCommands, YearOutsideTheDeviceListSendsNothing) {
    EXPECT_FALSE(clockCommands({1999, 1, 1, 0, 0, 0}).has_value());
    EXPECT_FALSE(clockCommands({2100, 1, 1, 0, 0, 0}).has_value());
    EXPECT_FALSE(clockCommands({2024, 13, 1, 0, 0, 0}).has_value());
}

} // namespace
} // namespace tlx
