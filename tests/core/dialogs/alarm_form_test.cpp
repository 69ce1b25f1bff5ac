#include "dialogs/alarm_form.h"
#include "core/dialogs/form_fixture.h"

#include <gtest/gtest.h>

namespace tlx {
namespace {

using test::groupOf;

using AlarmForm = test::FormFixture;

TEST_F(AlarmForm, ListsHoldTheSpecifiedItems) {
    const FormDescriptor& d = kAlarmForm;
    ASSERT_EQ(formOf(Feature::Alarm), &kAlarmForm);
    EXPECT_EQ(d.groups[groupOf(d, 1000)].label, "モード");
    EXPECT_EQ(d.groups[groupOf(d, 1000)].buttonId, 1001);
    EXPECT_EQ(std::vector<std::string_view>(d.groups[groupOf(d, 1000)].items.begin(),
                                            d.groups[groupOf(d, 1000)].items.end()),
              (std::vector<std::string_view>{"Internal", "External"}));
    EXPECT_EQ(d.groups[groupOf(d, 1007)].items[0], "Make ");
    EXPECT_EQ(d.groups[groupOf(d, 1008)].items[1], " ON");
    EXPECT_EQ(d.groups[groupOf(d, 1009)].items[1], " ON");
    EXPECT_EQ(d.groups[groupOf(d, 1006)].maxChars, 3u);
    EXPECT_EQ(d.groups[groupOf(d, 1074)].buttonId, 1082);
    EXPECT_TRUE(d.enterCloses);
    EXPECT_EQ(d.readBack, nullptr);
}

TEST_F(AlarmForm, EachChoiceIsStoredAtOnceAndSentOnlyByItsButton) {
    SettingForm f(kAlarmForm, *s, host, link);
    struct Case {
        int id;
        std::int32_t SettingsModel::*field;
        const char* off;
        const char* on;
    };
    const Case cases[] = {{1000, &SettingsModel::alarmMode, "AMI\r\n", "AME\r\n"},
                          {1007, &SettingsModel::alarmPolarity, "APM\r\n", "APB\r\n"},
                          {1008, &SettingsModel::alarmDisplay, "ADOF\r\n", "ADON\r\n"},
                          {1009, &SettingsModel::alarmReturn, "AROF\r\n", "ARON\r\n"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        link.serialWrites.clear();
        const std::size_t g = groupOf(kAlarmForm, c.id);
        f.choose(g, 1);
        EXPECT_EQ(s->model.*c.field, 1);
        EXPECT_EQ(f.selection(g), 1);
        EXPECT_TRUE(link.serialWrites.empty());
        f.pressSet(g);
        f.choose(g, 0);
        EXPECT_EQ(s->model.*c.field, 0);
        f.pressSet(g);
        EXPECT_EQ(link.serialWrites, (std::vector<std::string>{c.on, c.off}));
        // An index that names no item changes nothing.
        f.choose(g, 2);
        EXPECT_EQ(s->model.*c.field, 0);
    }
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(AlarmForm, HoldTimeOfThreeSecondsOrMoreIsSent) {
    SettingForm f(kAlarmForm, *s, host, link);
    const std::size_t g = groupOf(kAlarmForm, 1006);
    f.editText(g, "3");
    f.pressSet(g);
    f.editText(g, "12a");
    f.pressSet(g);
    f.editText(g, "999");
    f.pressSet(g);
    EXPECT_EQ(link.serialWrites,
              (std::vector<std::string>{"ADT003\r\n", "ADT012\r\n", "ADT999\r\n"}));
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(AlarmForm, HoldTimeBelowThreeOrWithoutDigitsIsRefused) {
    SettingForm f(kAlarmForm, *s, host, link);
    const std::size_t g = groupOf(kAlarmForm, 1006);
    // As typed, or as a settings file left it.
    for (const char* text : {"2", "", "a12", "002"}) {
        SCOPED_TRACE(text);
        host.messages.clear();
        s->model.alarmHoldTime = text;
        f.pressSet(g);
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_EQ(host.messages[0],
                  (test::ShownMessage{MessageKind::Error, "3秒以上を設定してください。", "Error"}));
        // The model keeps the text as typed.
        EXPECT_EQ(s->model.alarmHoldTime, text);
        EXPECT_EQ(f.text(g), text);
    }
    EXPECT_TRUE(link.serialWrites.empty());
}

// Digits only, full-width ones (an input method left on) as ASCII, three at
// most: never a piece of a character.
TEST_F(AlarmForm, HoldTimeFieldKeepsThreeDigits) {
    SettingForm f(kAlarmForm, *s, host, link);
    const std::size_t g = groupOf(kAlarmForm, 1006);
    const std::pair<const char*, const char*> typed[] = {
        {"1234", "123"}, {"12３", "123"}, {"１２３４", "123"}, {"1a２", "12"}, {"ａ", ""}};
    for (const auto& [text, kept] : typed) {
        f.editText(g, text);
        EXPECT_EQ(s->model.alarmHoldTime, kept) << text;
        EXPECT_EQ(f.text(g), kept) << text;
    }
}

TEST_F(AlarmForm, ConnectorPagesAreSentNoOneFirst) {
    SettingForm f(kAlarmForm, *s, host, link);
    f.chooseConnector(0, 511);
    for (std::size_t n = 1; n < 8; ++n) {
        f.chooseConnector(n, static_cast<int>(n));
    }
    EXPECT_TRUE(link.serialWrites.empty());
    EXPECT_EQ(f.connector(0), 511);
    f.pressSet(groupOf(kAlarmForm, 1074));
    EXPECT_EQ(link.serialWrites, std::vector<std::string>{"ACA512002003004005006007008\r\n"});
    // Out of the list: ignored.
    f.chooseConnector(2, 512);
    f.chooseConnector(8, 4);
    EXPECT_EQ(s->model.connectorPages[2], 2);
}

TEST_F(AlarmForm, SendsWithTheBusAddressOnRs485) {
    s->connection.rsControl = 1;
    s->connection.slaveAddress = 5;
    SettingForm f(kAlarmForm, *s, host, link);
    EXPECT_TRUE(f.slaveAddress().enabled());
    f.pressSet(groupOf(kAlarmForm, 1000));
    f.slaveAddress().choose(32);
    f.pressSet(groupOf(kAlarmForm, 1000));
    EXPECT_EQ(link.serialWrites, (std::vector<std::string>{"05AMI\r\n", "FFAMI\r\n"}));
}

TEST_F(AlarmForm, NotConnectedOverTcpIsReportedBySending) {
    s->connection.interfaceKind = InterfaceKind::Tcp;
    SettingForm f(kAlarmForm, *s, host, link);
    EXPECT_FALSE(f.slaveAddress().enabled());
    f.pressSet(groupOf(kAlarmForm, 1000));
    EXPECT_TRUE(link.socketSends.empty());
    EXPECT_EQ(host.texts(), std::vector<std::string>{"Socket が接続されていません"});
}

TEST_F(AlarmForm, OverTcpTheAnswerIsDispatched) {
    s->connection.interfaceKind = InterfaceKind::Tcp;
    s->link.socketConnected = true;
    link.queueData("GO\r\n");
    SettingForm f(kAlarmForm, *s, host, link);
    f.pressSet(groupOf(kAlarmForm, 1009));
    ASSERT_EQ(link.socketSends.size(), 1u);
    EXPECT_EQ(link.socketSends[0].second, "ARON\r\n");
    EXPECT_EQ(host.texts(), std::vector<std::string>{"Socket ＯＫ"});
}

} // namespace
} // namespace tlx
