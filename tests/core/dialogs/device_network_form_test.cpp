#include "dialogs/alarm_form.h"
#include "core/dialogs/form_fixture.h"
#include "protocol/protocol.h"
#include "runs/paced_run.h"

#include <gtest/gtest.h>

namespace tlx {
namespace {

using test::groupOf;

struct DeviceNetworkForm : test::FormFixture {
    SettingForm f{kDeviceNetworkForm, *s, host, link};
};

TEST_F(DeviceNetworkForm, AddressFieldsAreReadWhenSent) {
    ASSERT_EQ(formOf(Feature::DeviceNetwork), &kDeviceNetworkForm);
    f.pressSet(groupOf(kDeviceNetworkForm, 1052), "10.0.0.1");
    f.pressSet(groupOf(kDeviceNetworkForm, 1053), "192.168.1.3");
    f.pressSet(groupOf(kDeviceNetworkForm, 1054), "192.168.001.003");
    EXPECT_EQ(link.serialWrites,
              (std::vector<std::string>{"EIA010.000.000.001\r\n", "EGA192.168.001.003\r\n",
                                        "EAA192.168.001.003\r\n"}));
    EXPECT_EQ(s->model.deviceIpAddress, (Ipv4{10, 0, 0, 1}));
    EXPECT_EQ(s->model.deviceGatewayAddress, (Ipv4{192, 168, 1, 3}));
    EXPECT_EQ(f.text(groupOf(kDeviceNetworkForm, 1052)), "010.000.000.001");
    EXPECT_EQ(kDeviceNetworkForm.groups[groupOf(kDeviceNetworkForm, 1053)].buttonId, 1055);
}

TEST_F(DeviceNetworkForm, MalformedAddressIsRefusedAndKeepsTheModel) {
    s->model.deviceIpAddress = Ipv4{1, 2, 3, 4};
    for (const char* text :
         {"256.0.0.1", "1.2.3", "1.2.3.4.5", "1..2.3", "1234.1.1.1", "", "a.b.c.d", "1.2.3.4 "}) {
        SCOPED_TRACE(text);
        host.messages.clear();
        f.pressSet(groupOf(kDeviceNetworkForm, 1052), text);
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_EQ(host.messages[0],
                  (test::ShownMessage{MessageKind::Error, std::string(kMsgBadAddress), "Error"}));
    }
    EXPECT_TRUE(link.serialWrites.empty());
    EXPECT_EQ(s->model.deviceIpAddress, (Ipv4{1, 2, 3, 4}));
}

TEST_F(DeviceNetworkForm, ChoicesSendTheirLetters) {
    const std::size_t subnet = groupOf(kDeviceNetworkForm, 1061);
    const std::size_t tries = groupOf(kDeviceNetworkForm, 1060);
    const std::size_t keep = groupOf(kDeviceNetworkForm, 1009);
    const std::size_t timer = groupOf(kDeviceNetworkForm, 1062);
    f.choose(subnet, 0);
    f.pressSet(subnet);
    f.choose(subnet, 2);
    f.pressSet(subnet);
    f.pressSet(tries);
    f.choose(tries, 1);
    f.pressSet(tries);
    f.pressSet(keep);
    f.choose(keep, 1);
    f.pressSet(keep);
    f.choose(timer, 0);
    f.pressSet(timer);
    f.choose(timer, 5);
    EXPECT_EQ(kDeviceNetworkForm.groups[timer].items[5], " 6");
    f.pressSet(timer);
    EXPECT_EQ(link.serialWrites,
              (std::vector<std::string>{"ESMA\r\n", "ESMC\r\n", "ECTOF\r\n", "ECTON\r\n",
                                        "EKAOF\r\n", "EKAON\r\n", "ETR1\r\n", "ETR6\r\n"}));
}

TEST_F(DeviceNetworkForm, PortIsSentAsFiveDigitsAndIsThePcsPortToo) {
    const std::size_t port = groupOf(kDeviceNetworkForm, 1049);
    EXPECT_EQ(f.text(port), "09004");
    f.pressSet(port);
    f.editText(port, "123456");
    EXPECT_EQ(s->model.devicePortNumber, "12345");
    f.pressSet(port);
    f.editText(port, "８0");
    EXPECT_EQ(s->model.devicePortNumber, "80");
    f.pressSet(port);
    EXPECT_EQ(link.serialWrites,
              (std::vector<std::string>{"EPN09004\r\n", "EPN12345\r\n", "EPN00080\r\n"}));
    // As typed, or as a settings file left it.
    for (const char* bad : {"", "80a", " 80"}) {
        SCOPED_TRACE(bad);
        host.messages.clear();
        s->model.devicePortNumber = bad;
        f.pressSet(port);
        EXPECT_EQ(host.texts(), std::vector<std::string>{std::string(kMsgBadPort)});
    }
    EXPECT_EQ(link.serialWrites.size(), 3u);
}

TEST_F(DeviceNetworkForm, ReadBackAsksTenValuesThenShowsTheModel) {
    ASSERT_TRUE(f.pressRead());
    EXPECT_FALSE(f.closeEnabled());
    const char* answers[] = {"EAA192.168.001.100",
                             "EGA192.168.001.254",
                             "EIA192.168.001.010",
                             "ECTON",
                             "EKAON",
                             "EPN10001",
                             "ESMB",
                             "ETR3",
                             "EMA00-11-22-33-44-55",
                             "VN2.10"};
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(f.tick(), ReadBackTick::Continue);
        EXPECT_EQ(f.progress(), i + 1);
        dispatchSerialReply(*s, host, std::string(answers[i]) + "\r\n");
    }
    EXPECT_EQ(link.serialWrites, (std::vector<std::string>{
                                     "REAA\r\n", "REGA\r\n", "REIA\r\n", "RECT\r\n", "REKA\r\n",
                                     "REPN\r\n", "RESM\r\n", "RETR\r\n", "REMA\r\n", "RVN\r\n"}));
    EXPECT_EQ(f.tick(), ReadBackTick::Completed);
    EXPECT_EQ(f.progress(), 0);
    EXPECT_TRUE(f.closeEnabled());
    EXPECT_EQ(s->model.busyStep, 0);
    EXPECT_EQ(link.serialWrites.size(), 10u);
    EXPECT_EQ(f.text(groupOf(kDeviceNetworkForm, 1052)), "192.168.001.010");
    EXPECT_EQ(f.text(groupOf(kDeviceNetworkForm, 1053)), "192.168.001.254");
    EXPECT_EQ(f.text(groupOf(kDeviceNetworkForm, 1054)), "192.168.001.100");
    EXPECT_EQ(f.selection(groupOf(kDeviceNetworkForm, 1061)), 1);
    EXPECT_EQ(f.selection(groupOf(kDeviceNetworkForm, 1060)), 1);
    EXPECT_EQ(f.selection(groupOf(kDeviceNetworkForm, 1009)), 1);
    EXPECT_EQ(f.selection(groupOf(kDeviceNetworkForm, 1062)), 2);
    EXPECT_EQ(f.text(groupOf(kDeviceNetworkForm, 1049)), "10001");
    EXPECT_EQ(f.text(groupOf(kDeviceNetworkForm, 1057)), "00-11-22-33-44-55");
    EXPECT_EQ(f.text(groupOf(kDeviceNetworkForm, 1063)), "2.10");
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(DeviceNetworkForm, ReadBackDoesNothingWhileAnotherTransferRuns) {
    s->model.busyStep = 7;
    EXPECT_FALSE(f.pressRead());
    EXPECT_TRUE(f.closeEnabled());
    EXPECT_TRUE(link.serialWrites.empty());
}

TEST_F(DeviceNetworkForm, RefusalStopsTheReadBackAtTheNextTick) {
    ASSERT_TRUE(f.pressRead());
    f.tick();
    f.tick();
    f.tick();
    dispatchSerialReply(*s, host, "E1\r\n");
    EXPECT_EQ(f.tick(), ReadBackTick::Stopped);
    EXPECT_EQ(f.progress(), 3); // as it was
    EXPECT_TRUE(f.closeEnabled());
    EXPECT_EQ(s->model.busyStep, 0);
    EXPECT_FALSE(s->link.abortFlag);
    EXPECT_EQ(link.serialWrites.size(), 3u);
}

TEST_F(DeviceNetworkForm, AnswerOfAnotherKindStopsTheReadBackAndSaysWhere) {
    ASSERT_TRUE(f.pressRead());
    f.tick();
    f.tick();
    dispatchSerialReply(*s, host, "EAA192.168.001.100\r\n"); // REGA answered as if REAA
    const std::string shown = f.text(groupOf(kDeviceNetworkForm, 1053));
    EXPECT_EQ(f.tick(), ReadBackTick::Stopped);
    EXPECT_EQ(host.texts(), std::vector<std::string>{unexpectedAnswerMessage(2)});
    EXPECT_EQ(f.text(groupOf(kDeviceNetworkForm, 1053)), shown);
    EXPECT_EQ(s->model.busyStep, 0);
    EXPECT_EQ(link.serialWrites.size(), 2u);
    EXPECT_FALSE(s->link.answers.active); // later lines are nobody's business
}

TEST_F(DeviceNetworkForm, SilentDeviceEndsWithinTwelveTicks) {
    ASSERT_TRUE(f.pressRead());
    f.tick();
    // The main window's tick work gives up on the device.
    for (int i = 0; i < 30; ++i) {
        tickWork(*s, host);
    }
    EXPECT_EQ(host.texts(), std::vector<std::string>{"No Connect"});
    EXPECT_EQ(f.tick(), ReadBackTick::Completed);
    EXPECT_EQ(link.serialWrites.size(), 1u);
    EXPECT_EQ(s->model.busyStep, 0);
}

TEST_F(DeviceNetworkForm, ClosingAbandonsTheReadBack) {
    ASSERT_TRUE(f.pressRead());
    f.tick();
    f.close();
    EXPECT_EQ(s->model.busyStep, 0);
    EXPECT_EQ(f.tick(), ReadBackTick::Stopped);
    EXPECT_EQ(link.serialWrites.size(), 1u);
}

} // namespace
} // namespace tlx
