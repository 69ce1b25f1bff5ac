// One job on many devices: each device's run ends on its own, and no device's
// wait slows another.
#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <map>

#include "device/device.h"
#include "device/seeded_state.h"
#include "protocol/app_state.h"
#include "core/runs/run_harness.h"
#include "runs/fleet_run.h"
#include "runs/send_all_steps.h"

namespace tlx::test {
namespace {

using Clock = FleetRun::Clock;
using namespace std::chrono_literals;

// Emulated devices behind the fleet's link, device k seeded with k: each
// answers its n-th command as its script says (empty: silent; "lost": closes
// its connection), else as the device does. Answers come 1 ms after the send.
struct FakeFleet : FleetLink {
    using Script = std::function<std::optional<std::string>(int n, std::string_view cmd)>;
    FakeFleet(Product p, std::vector<Script> s) : scripts(std::move(s)), sent(scripts.size(), 0) {
        for (std::size_t k = 0; k < scripts.size(); ++k) {
            auto state = device::makeDeviceState(p, "2.00");
            device::seedDeviceState(*state, k);
            devices.push_back(std::make_unique<device::Device>(std::move(state)));
        }
    }
    std::vector<Script> scripts;
    std::vector<int> sent;
    std::vector<std::unique_ptr<device::Device>> devices;
    std::deque<std::pair<int, std::string>> answers;

    SocketSendStatus send(int device, std::string_view line) override {
        const auto k = static_cast<std::size_t>(device);
        const int n = ++sent[k];
        const std::string cmd = stripCrLf(line);
        std::optional<std::string> custom = scripts[k] ? scripts[k](n, cmd) : std::nullopt;
        if (!custom) {
            answers.emplace_back(device, devices[k]->execute(cmd) + "\r\n");
        } else if (!custom->empty()) {
            answers.emplace_back(device, *custom);
        }
        return SocketSendStatus::Sent;
    }

    // Runs the fleet to its end on a simulated clock.
    void drive(FleetRun& fleet, std::optional<Clock::duration> stopAfter = {}) {
        Clock::time_point now{};
        fleet.start(now);
        auto stopAt = stopAfter ? now + *stopAfter : Clock::time_point::max();
        while (!fleet.finished()) {
            std::optional<Clock::time_point> next;
            for (int i = 0; i < fleet.size(); ++i) {
                if (auto w = fleet.wakeAt(i); w && (!next || *w < *next)) {
                    next = w;
                }
            }
            ASSERT_TRUE(next.has_value());
            now = std::max(now, *next);
            if (now >= stopAt) {
                fleet.stop(now);
                stopAt = Clock::time_point::max();
            }
            for (int i = 0; i < fleet.size(); ++i) {
                fleet.poke(i, now);
            }
            now += 1ms;
            while (!answers.empty()) {
                auto [device, bytes] = answers.front();
                answers.pop_front();
                if (bytes == "lost") {
                    fleet.lost(device, now);
                } else {
                    fleet.received(device, bytes, now);
                }
            }
        }
    }
};

FleetRun::Setup setup(Product p, FleetJob job, std::vector<std::string> lines = {}) {
    FleetRun::Setup s;
    s.product = p;
    s.job = job;
    s.lines = std::move(lines);
    s.paceScale = 0.01;
    s.answerWait = 300ms;
    return s;
}

FakeFleet::Script at(int n, std::string answer) {
    return [n, answer](int k, std::string_view) -> std::optional<std::string> {
        return k == n ? std::optional<std::string>(answer) : std::nullopt;
    };
}

TEST(FleetRun, EachDeviceEndsOnItsOwnAndNoneWaitsForAnother) {
    for (const Product p : {Product::F, Product::S}) {
        SCOPED_TRACE(p == Product::F ? "F" : "S");
        auto file = makeAppState(p);
        FakeFleet link(p, {nullptr, at(5, ""), at(7, "E3\r\n"), at(3, "lost")});
        auto s = setup(p, FleetJob::SendAll);
        s.source = &file->model;
        FleetRun fleet(s, link);
        for (int i = 0; i < 4; ++i) {
            fleet.add("d" + std::to_string(i));
        }
        link.drive(fleet);

        EXPECT_EQ(describe(fleet.outcome(0)), "done");
        EXPECT_EQ(describe(fleet.outcome(1)), "no answer at step 5");
        EXPECT_EQ(describe(fleet.outcome(2)), "refused \"E3\" at step 7");
        EXPECT_EQ(describe(fleet.outcome(3)), "connection lost at step 3");
        EXPECT_EQ(describeInJapanese(fleet.outcome(2)), "拒否 \"E3\" (ステップ 7)");
        EXPECT_EQ(describeInJapanese(fleet.outcome(1)), "応答なし (ステップ 5)");
        EXPECT_EQ(fleet.commandsSent(0), p == Product::F ? 5168 : 1080);
        const auto counts = fleet.counts();
        EXPECT_EQ(counts.done, 1);
        EXPECT_EQ(counts.failed, 3);

        // The same device alone takes just as long: the others' waits and
        // failures cost it nothing.
        FakeFleet alone(p, {nullptr});
        FleetRun solo(s, alone);
        solo.add("d0");
        alone.drive(solo);
        EXPECT_DOUBLE_EQ(fleet.seconds(0), solo.seconds(0));
    }
}

TEST(FleetRun, ReadAllKeepsOneModelPerDevice) {
    FakeFleet link(Product::S, {nullptr, nullptr});
    FleetRun fleet(setup(Product::S, FleetJob::ReadAll), link);
    fleet.add("a");
    fleet.add("b");
    link.drive(fleet);
    ASSERT_EQ(fleet.outcome(0).kind, FleetOutcome::Kind::Done);
    ASSERT_EQ(fleet.outcome(1).kind, FleetOutcome::Kind::Done);
    for (int i = 0; i < 2; ++i) {
        // The page 1 title read, as it would go back to the device, is the device's.
        EXPECT_EQ(link.devices[static_cast<std::size_t>(i)]->execute("RCA001"),
                  stripCrLf(sendAllStep(fleet.state(i).model, Product::S, 1).line));
    }
    EXPECT_NE(link.devices[0]->execute("RCA001"), link.devices[1]->execute("RCA001"));
}

TEST(FleetRun, SingleCommandsNeedTheirAcknowledgementAndStopEndsEveryRun) {
    const std::vector<std::string> clock = {"DSY24\r\n", "DSM03\r\n", "TSS09\r\n"};
    FakeFleet link(Product::F, {nullptr, at(2, "GN\r\n"), at(3, "CA001\r\n"), at(1, "")});
    FleetRun fleet(setup(Product::F, FleetJob::SetClock, clock), link);
    for (int i = 0; i < 4; ++i) {
        fleet.add(std::to_string(i));
    }
    link.drive(fleet);
    EXPECT_EQ(describe(fleet.outcome(0)), "done");
    EXPECT_EQ(describe(fleet.outcome(1)), "refused \"GN\" at step 2");
    EXPECT_EQ(describe(fleet.outcome(2)), "unexpected answer at step 3");
    EXPECT_EQ(describe(fleet.outcome(3)), "no answer at step 1");

    FakeFleet slow(Product::S, {nullptr, nullptr});
    FleetRun stopped(setup(Product::S, FleetJob::SendAll), slow);
    stopped.add("a");
    stopped.add("b");
    slow.drive(stopped, 100ms);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(stopped.outcome(i).kind, FleetOutcome::Kind::Stopped);
        EXPECT_LT(stopped.commandsSent(i), 100);
    }
}

// A paced step's answer is of no use before the next step is due (a driver
// may leave it in the socket until then); single commands and a run's last
// answer need it at once.
TEST(FleetRun, AnAnswerIsOfUseAtTheNextStepOrAtOnce) {
    FakeFleet link(Product::F, {nullptr, nullptr});
    FleetRun paced(setup(Product::F, FleetJob::SendAll), link);
    paced.add("paced");
    FleetRun single(setup(Product::F, FleetJob::Version), link);
    single.add("single");
    const Clock::time_point t0{};
    for (FleetRun* fleet : {&paced, &single}) {
        fleet->start(t0);
        EXPECT_FALSE(fleet->answerUsefulAt(0).has_value());
        fleet->poke(0, t0);
    }
    // Step 1 went out; step 2 is due one title interval (300 ms x 0.01) later.
    EXPECT_EQ(paced.answerUsefulAt(0), t0 + 3ms);
    EXPECT_EQ(single.answerUsefulAt(0), Clock::time_point::min());
    paced.received(0, "GO\r\n", t0 + 1ms);
    EXPECT_FALSE(paced.answerUsefulAt(0).has_value());
}

TEST(FleetRun, GlyphTablesGoToEveryDeviceAndComeBackFromEach) {
    const auto size = GlyphSize::Small;
    const auto& g = glyphGeometry(size);
    std::vector<std::string> table;
    for (int n = 0; n < g.count; ++n) {
        table.push_back(std::string(static_cast<std::size_t>(g.digits), "0123456789ABCDEF"[n % 16]));
    }
    FakeFleet link(Product::F, {nullptr, at(3, "E3\r\n")});
    auto s = setup(Product::F, FleetJob::GlyphSend);
    s.glyphSize = size;
    s.glyphTable = &table;
    FleetRun send(s, link);
    send.add("a");
    send.add("b");
    link.drive(send);
    EXPECT_EQ(describe(send.outcome(0)), "done");
    EXPECT_EQ(send.commandsSent(0), g.count);
    EXPECT_EQ(describe(send.outcome(1)), "refused \"E3\" at step 3");
    EXPECT_EQ(send.commandsSent(1), 3);
    EXPECT_TRUE(link.devices[0]->state().glyphs.table(GlyphFace::Gothic, size) == table);

    s.job = FleetJob::GlyphRead;
    s.glyphTable = nullptr;
    link.scripts = {nullptr, at(2, "")};
    link.sent = {0, 0};
    FleetRun read(s, link);
    read.add("a");
    read.add("b");
    link.drive(read);
    EXPECT_EQ(describe(read.outcome(0)), "done");
    EXPECT_TRUE(read.state(0).glyphs.table(GlyphFace::Gothic, size) == table);
    EXPECT_EQ(describe(read.outcome(1)), "no answer at step 2");
}

TEST(FleetRun, FileNamesFollowTheConnectionOrderOfSharedAddresses) {
    EXPECT_EQ(fleetFileNames({"10.0.0.5", "10.0.0.7", "10.0.0.5", "10.0.0.5"}),
              (std::vector<std::string>{"10.0.0.5.dat", "10.0.0.7.dat", "10.0.0.5-2.dat",
                                        "10.0.0.5-3.dat"}));
    EXPECT_EQ(busAddressFileName(5), "addr-05.dat");
    EXPECT_EQ(busAddressFileName(31, ".tls"), "addr-31.tls");
    EXPECT_EQ(fleetFileNames({"10.0.0.5", "10.0.0.5"}, ".tll"),
              (std::vector<std::string>{"10.0.0.5.tll", "10.0.0.5-2.tll"}));
}

} // namespace
} // namespace tlx::test
