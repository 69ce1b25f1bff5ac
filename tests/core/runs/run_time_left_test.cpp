#include "dialogs/run_dialog_controller.h"
#include "core/runs/run_harness.h"
#include "runs/read_all_run.h"
#include "runs/read_all_steps.h"
#include "runs/send_all_steps.h"

#include <gtest/gtest.h>

namespace tlx {
namespace {

using std::chrono::milliseconds;

struct TimeLeftCase {
    const char* name;
    Pacing pacing;
    int next;
    int last;
    milliseconds left;
};

// Expected sums worked out by hand from the step tables: each step waits the
// interval in force before it, and a pace step's new interval applies from
// the step after it.
TEST(RunTimeLeft, SumsTheIntervalsOfTheStepsStillToCome) {
    const TimeLeftCase cases[] = {
        // 513 x 200 + 4141 x 60 + 516 x 200
        {"read F, whole run", readAllPacing(Product::F), 1, 5170, milliseconds{454260}},
        {"read F, first attribute", readAllPacing(Product::F), 514, 5170, milliseconds{351660}},
        {"read F, at the pace step", readAllPacing(Product::F), 513, 5170, milliseconds{351860}},
        {"read F, last reads", readAllPacing(Product::F), 4655, 5170, milliseconds{103200}},
        // 513 x 200 + 557 x 60 + 523 x 500
        {"read S, whole run", readAllPacing(Product::S), 1, 1593, milliseconds{397520}},
        // 513 x 300 + 4141 x 80 + 516 x 200
        {"send F, whole run", sendAllPacing(Product::F), 1, 5170, milliseconds{588380}},
        // 513 x 300 + 557 x 80 + 523 x 500
        {"send S, whole run", sendAllPacing(Product::S), 1, 1593, milliseconds{459960}},
        {"past the end", readAllPacing(Product::F), 5171, 5170, milliseconds{0}},
        {"one page of a steady run", Pacing{milliseconds{300}, {}}, 512, 512, milliseconds{300}},
        {"half the pages", Pacing{milliseconds{300}, {}}, 257, 512, milliseconds{76800}},
    };
    for (const TimeLeftCase& c : cases) {
        EXPECT_EQ(c.pacing.timeLeft(c.next, c.last), c.left) << c.name;
    }
}

TEST(RunTimeLeft, Texts) {
    EXPECT_EQ(minutesSeconds(milliseconds{0}), "0:00");
    EXPECT_EQ(minutesSeconds(milliseconds{1}), "0:01"); // never "0:00" while time is left
    EXPECT_EQ(minutesSeconds(milliseconds{60000}), "1:00");
    EXPECT_EQ(minutesSeconds(milliseconds{454260}), "7:35");
    EXPECT_EQ(minutesSeconds(milliseconds{3720000}), "62:00");
    EXPECT_EQ(timeLeftText(milliseconds{372000}), "残り 6:12");
    EXPECT_EQ(runDoneNotice("全項目を設定しました。", 5168, milliseconds{372000}),
              "全項目を設定しました。\nコマンド 5168 件、所要時間 6:12");
}

// The run's own count follows busyStep, whichever way the steps go.
TEST(RunTimeLeft, FollowsTheRun) {
    auto s = makeAppState(Product::F);
    test::FakeHost host;
    test::FakeTransport link;
    ReadAllRun run(*s, host, link);
    EXPECT_EQ(run.timeLeft(), milliseconds{0});
    ASSERT_EQ(run.start(), RunStart::Started);
    EXPECT_EQ(run.timeLeft(), milliseconds{454260});
    run.tick();
    EXPECT_EQ(run.timeLeft(), milliseconds{454060});
    s->model.busyStep = 4655;
    EXPECT_EQ(run.timeLeft(), milliseconds{103200});
    run.close();
    EXPECT_EQ(run.timeLeft(), milliseconds{0});
}

} // namespace
} // namespace tlx
