#include "dialogs/alarm_form.h"
#include "core/dialogs/form_fixture.h"
#include "protocol/protocol.h"

#include <gtest/gtest.h>

namespace tlx {
namespace {

using test::FakeTransport;
using test::groupOf;

using RemoteForm = test::FormFixture;
using OthersForm = test::FormFixture;
using VersionRead = test::FormFixture;

TEST_F(RemoteForm, ModesAndConnectorPages) {
    ASSERT_EQ(formOf(Feature::Remote), &kRemoteForm);
    SettingForm f(kRemoteForm, *s, host, link);
    const std::size_t mode = groupOf(kRemoteForm, 1073);
    EXPECT_EQ(kRemoteForm.groups[mode].buttonId, 1072);
    EXPECT_EQ(kRemoteForm.groups[mode].items[1], "BIT      ");
    for (int m = 0; m < 3; ++m) {
        f.choose(mode, m);
        EXPECT_EQ(s->model.remoteMode, m);
        f.pressSet(mode);
    }
    for (std::size_t n = 0; n < 8; ++n) {
        f.chooseConnector(n, static_cast<int>(n));
    }
    f.pressSet(groupOf(kRemoteForm, 1074));
    EXPECT_EQ(link.serialWrites, (std::vector<std::string>{"RMBIN\r\n", "RMBIT\r\n", "RMOPE\r\n",
                                                           "RCA001002003004005006007008\r\n"}));
}

TEST_F(RemoteForm, SharesTheConnectorTableWithTheAlarmDialog) {
    SettingForm remote(kRemoteForm, *s, host, link);
    for (std::size_t n = 0; n < 8; ++n) {
        remote.chooseConnector(n, static_cast<int>(n));
    }
    remote.chooseConnector(2, 99);
    SettingForm alarm(kAlarmForm, *s, host, link);
    EXPECT_EQ(alarm.connector(2), 99);
    remote.pressSet(groupOf(kRemoteForm, 1074));
    alarm.pressSet(groupOf(kAlarmForm, 1074));
    EXPECT_EQ(link.serialWrites, (std::vector<std::string>{"RCA001002100004005006007008\r\n",
                                                           "ACA001002100004005006007008\r\n"}));
}

TEST_F(OthersForm, ChoicesSendTheirCommands) {
    ASSERT_EQ(formOf(Feature::Others), &kOthersForm);
    SettingForm f(kOthersForm, *s, host, link);
    const std::size_t input = groupOf(kOthersForm, 1018);
    const std::size_t loss = groupOf(kOthersForm, 1023);
    f.pressSet(input);
    f.choose(input, 1);
    f.pressSet(input);
    f.pressSet(loss);
    f.choose(loss, 1);
    EXPECT_EQ(s->model.videoLossBlue, 1);
    f.pressSet(loss);
    EXPECT_EQ(link.serialWrites,
              (std::vector<std::string>{"CIA\r\n", "CIR\r\n", "VLBCN\r\n", "VLBCB\r\n"}));
    EXPECT_EQ(kOthersForm.groups[input].items[0], "ALARM ");
    EXPECT_EQ(kOthersForm.groups[loss].items[1], "Blue  ");
}

TEST_F(OthersForm, PowerOnPage) {
    SettingForm f(kOthersForm, *s, host, link);
    const std::size_t g = groupOf(kOthersForm, 1020);
    EXPECT_EQ(kOthersForm.groups[g].buttonId, 1026);
    f.pressSet(g);
    f.choose(g, 511);
    f.pressSet(g);
    f.choose(g, 512); // the last entry, "PAS"
    EXPECT_EQ(s->model.powerOnPage, kPagePas);
    EXPECT_EQ(f.selection(g), 512);
    f.pressSet(g);
    f.choose(g, 513);
    EXPECT_EQ(s->model.powerOnPage, kPagePas);
    EXPECT_EQ(link.serialWrites,
              (std::vector<std::string>{"POSP001\r\n", "POSP512\r\n", "POSPAS\r\n"}));
    const auto items = pageItems(true);
    ASSERT_EQ(items.size(), 513u);
    EXPECT_EQ(items.front(), "001");
    EXPECT_EQ(items[511], "512");
    EXPECT_EQ(items.back(), "PAS");
}

TEST_F(OthersForm, ZoomFontIsHiddenAndModelSSendsNothingForIt) {
    const std::size_t g = groupOf(kOthersForm, 1024);
    EXPECT_TRUE(kOthersForm.groups[g].hidden);
    {
        SettingForm f(kOthersForm, *s, host, link);
        f.choose(g, 1);
        f.pressSet(g);
        EXPECT_EQ(link.serialWrites, std::vector<std::string>{"CFZON\r\n"});
    }
    auto sState = makeAppState(Product::S);
    FakeTransport sLink;
    SettingForm f(kOthersForm, *sState, host, sLink);
    f.pressSet(g);
    EXPECT_TRUE(sLink.serialWrites.empty());
}

TEST_F(VersionRead, SendsOnceAndShowsTheAnswerAfterFourTicks) {
    SettingForm f(kOthersForm, *s, host, link);
    const std::size_t g = groupOf(kOthersForm, 1143);
    EXPECT_EQ(f.text(g), "0.00");
    ASSERT_TRUE(f.pressRead());
    // A second press while it runs does nothing.
    EXPECT_FALSE(f.pressRead());
    EXPECT_TRUE(f.closeEnabled());
    EXPECT_EQ(s->model.busyStep, 1);
    EXPECT_EQ(f.tick(), ReadBackTick::Continue);
    EXPECT_EQ(link.serialWrites, std::vector<std::string>{"RVN\r\n"});
    dispatchSerialReply(*s, host, "VN2.10\r\n");
    EXPECT_EQ(f.tick(), ReadBackTick::Continue);
    EXPECT_EQ(f.tick(), ReadBackTick::Continue);
    EXPECT_EQ(f.tick(), ReadBackTick::Completed);
    EXPECT_FALSE(f.reading());
    EXPECT_EQ(s->model.busyStep, 0);
    EXPECT_EQ(link.serialWrites.size(), 1u);
    EXPECT_EQ(f.text(g), "2.10");
    // The version answer raises no notice while busyStep is held.
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(VersionRead, OldFirmwareAnswerEndsItAtTheNextTick) {
    SettingForm f(kOthersForm, *s, host, link);
    ASSERT_TRUE(f.pressRead());
    EXPECT_EQ(f.tick(), ReadBackTick::Continue);
    dispatchSerialReply(*s, host, "VN1.20\r\n");
    EXPECT_EQ(f.tick(), ReadBackTick::Completed);
    EXPECT_EQ(s->model.busyStep, 0);
    EXPECT_EQ(s->model.firmwareVersion, "1.20");
}

TEST_F(VersionRead, RefusalEndsItWithTheOldText) {
    SettingForm f(kOthersForm, *s, host, link);
    ASSERT_TRUE(f.pressRead());
    f.tick();
    dispatchSerialReply(*s, host, "E3\r\n");
    EXPECT_EQ(f.tick(), ReadBackTick::Stopped);
    EXPECT_EQ(s->model.busyStep, 0);
    EXPECT_FALSE(s->link.abortFlag);
    EXPECT_EQ(s->model.firmwareVersion, "0.00");
    // The next press runs again.
    EXPECT_TRUE(f.pressRead());
}

TEST_F(VersionRead, DoesNothingWhileAnotherTransferRuns) {
    s->model.busyStep = 40;
    SettingForm f(kOthersForm, *s, host, link);
    EXPECT_FALSE(f.pressRead());
    EXPECT_EQ(f.tick(), ReadBackTick::Stopped);
    EXPECT_TRUE(link.serialWrites.empty());
    EXPECT_EQ(s->model.busyStep, 40);
}

TEST_F(VersionRead, NotConnectedStillRunsItsTicks) {
    s->connection.interfaceKind = InterfaceKind::Tcp;
    SettingForm f(kOthersForm, *s, host, link);
    ASSERT_TRUE(f.pressRead());
    EXPECT_EQ(f.tick(), ReadBackTick::Continue);
    EXPECT_EQ(host.texts(), std::vector<std::string>{"Socket が接続されていません"});
    f.tick();
    f.tick();
    EXPECT_EQ(f.tick(), ReadBackTick::Completed);
    EXPECT_EQ(s->model.busyStep, 0);
}

TEST_F(VersionRead, ClosingTheDialogGivesBusyStepBack) {
    {
        SettingForm f(kOthersForm, *s, host, link);
        ASSERT_TRUE(f.pressRead());
        f.tick();
        f.close();
        EXPECT_FALSE(f.reading());
    }
    EXPECT_EQ(s->model.busyStep, 0);
}

} // namespace
} // namespace tlx
