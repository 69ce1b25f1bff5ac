// Device-wide settings: alarm, remote, others, date and time display, clock,
// display page, schedule and network, in both models.
#include "device_test_support.h"

#include <gtest/gtest.h>

namespace tlx::device::test {
namespace {

class BothModels : public ::testing::TestWithParam<Product> {};

INSTANTIATE_TEST_SUITE_P(Device, BothModels, ::testing::Values(Product::F, Product::S),
                         [](const auto& param) { return param.param == Product::F ? "F" : "S"; });

struct WriteCase {
    const char* write;
    Names cells;
    const char* read;
    const char* reply;
};

TEST_P(BothModels, ChoiceWritesChangeTheirFieldAndReadBack) {
    const WriteCase cases[] = {
        {"AME", {"alarmMode"}, "RAM", "AME"},
        {"APB", {"alarmPolarity"}, "RAP", "APB"},
        {"AROF", {"alarmReturn"}, "RAR", "AROF"},
        {"ADOF", {"alarmDisplay"}, "RAD", "ADOF"},
        {"CIR", {"connectorInput"}, "RCI", "CIR"},
        {"RMOPE", {"remoteMode"}, "RRM", "RMOPE"},
        {"RMBIT", {"remoteMode"}, "RRM", "RMBIT"},
        {"VLBCB", {"videoLossBlue"}, "RVLBC", "VLBCB"},
        {"TSDON", {"dateTimeDisplay"}, "RTSD", "TSDON"},
        {"TSDR7", {"dateTimeRange"}, "RTSDR", "TSDR7"},
        {"TSDSN", {"dateTimeSize"}, "RTSDS", "TSDSN"},
        {"ESMA", {"deviceSubnetClass"}, "RESM", "ESMA"},
        {"ECTON", {"deviceConnectionTry"}, "RECT", "ECTON"},
        {"EKAON", {"deviceKeepAlive"}, "REKA", "EKAON"},
        {"ETR1", {"deviceTimeRegister"}, "RETR", "ETR1"},
        {"ADT012", {"alarmHoldTime"}, "RADT", "ADT012"},
        {"POSPAS", {"powerOnPage"}, "RPOSP", "POSPAS"},
        {"POSP512", {"powerOnPage"}, "RPOSP", "POSP512"},
        {"EIA010.000.000.001", {"deviceIpAddress"}, "REIA", "EIA010.000.000.001"},
        {"EGA192.168.001.254", {"deviceGatewayAddress"}, "REGA", "EGA192.168.001.254"},
        {"EAA255.255.255.000", {"deviceActiveAddress"}, "REAA", "EAA255.255.255.000"},
        {"EPN10001", {"devicePortNumber"}, "REPN", "EPN10001"},
    };
    for (const WriteCase& c : cases) {
        DeviceHarness h(GetParam());
        std::string reply;
        EXPECT_EQ(h.changes(c.write, reply), c.cells) << c.write;
        EXPECT_EQ(reply, "GO") << c.write;
        EXPECT_EQ(h.run(c.read), c.reply) << c.write;
    }
}

TEST_P(BothModels, FactorySettingsReadAsTheModelDefaults) {
    DeviceHarness h(GetParam());
    EXPECT_EQ(h.run("RAM"), "AMI");
    EXPECT_EQ(h.run("RAP"), "APM");
    EXPECT_EQ(h.run("RAR"), "ARON");
    EXPECT_EQ(h.run("RAD"), "ADON");
    EXPECT_EQ(h.run("RADT"), "ADT010");
    EXPECT_EQ(h.run("RACA"), "ACA001002003004005006007008");
    EXPECT_EQ(h.run("RRCA"), "RCA001002003004005006007008");
    EXPECT_EQ(h.run("RPOSP"), "POSP001");
    EXPECT_EQ(h.run("RRM"), "RMBIN");
    EXPECT_EQ(h.run("RTSDR"), "TSDR1");
    EXPECT_EQ(h.run("RTSDS"), "TSDSL");
    EXPECT_EQ(h.run("RESM"), "ESMC");
    EXPECT_EQ(h.run("RETR"), "ETR6");
    EXPECT_EQ(h.run("REPN"), "EPN09004");
    EXPECT_EQ(h.run("REMA"), "EMA00-00-00-00-00-00");
    EXPECT_EQ(h.run("REIA"), "EIA000.000.000.000");
    EXPECT_EQ(h.run("RVN"), "VN2.00");
}

TEST_P(BothModels, ConnectorPagesAreOneTableWrittenByAlarmAndRemote) {
    DeviceHarness h(GetParam());
    std::string reply;
    EXPECT_EQ(h.changes("ACA512002003004005006007008", reply), Names{"connectorPages[0]"});
    EXPECT_EQ(h.run("RACA"), "ACA512002003004005006007008");
    EXPECT_EQ(h.changes("RCA512002099004005006007008", reply), Names{"connectorPages[2]"});
    EXPECT_EQ(reply, "GO");
    EXPECT_EQ(h.run("RRCA"), "RCA512002099004005006007008");
    EXPECT_EQ(h.run("RACA"), "ACA512002099004005006007008");
}

TEST_P(BothModels, ZoomFontHasAWriteButNoRead) {
    DeviceHarness h(GetParam());
    std::string reply;
    EXPECT_EQ(h.changes("CFZON", reply), Names{"zoomFont"});
    EXPECT_EQ(reply, "GO");
    EXPECT_EQ(h.run("RCFZ"), "E3");
}

TEST_P(BothModels, FirmwareTextIsTheVersionReply) {
    DeviceHarness h(GetParam(), "1.20");
    EXPECT_EQ(h.run("RVN"), "VN1.20");
}

TEST_P(BothModels, RefusedSettingsChangeNothing) {
    const char* bad[] = {"ADT002",
                         "ADT000",
                         "ADT01A",
                         "ADTABC",
                         "AMX",
                         "ADO",
                         "ADON ",
                         "APMM",
                         "ARO",
                         "CIB",
                         "RMBIG",
                         "RMOP",
                         "VLBCX",
                         "TSDR0",
                         "TSDR9",
                         "TSDSX",
                         "ESMD",
                         "ETR0",
                         "ETR7",
                         "ECTOX",
                         "POSP000",
                         "POSP513",
                         "POSPA",
                         "POSPASS",
                         "ACA000002003004005006007008",
                         "ACA51200200300400500600700",
                         "EIA256.000.000.001",
                         "EIA010,000.000.001",
                         "EIA10.0.0.1",
                         "EPN9004",
                         "EPN00000",
                         "EPN65536",
                         "EPN0900A",
                         "RVN1",
                         "RAM1",
                         "REMA0",
                         "EMA00-00-00-00-00-01"};
    expectRefused(GetParam(), bad);
}

TEST_P(BothModels, ScheduleDayLineOf172Characters) {
    DeviceHarness h(GetParam());
    // Day 31 with every entry at its factory value.
    std::string day31 = "SD31";
    for (int hour = 0; hour < 24; ++hour) {
        day31 += (hour < 10 ? "0" : "") + std::to_string(hour) + "00" + "000";
    }
    ASSERT_EQ(day31.size(), 172u);
    EXPECT_EQ(h.run("RSD31"), day31);
    std::string reply;
    EXPECT_EQ(h.changes(day31, reply), Names{});
    EXPECT_EQ(reply, "GO");

    std::string day05 = "SD05"
                        "0830PAS"
                        "0915001"
                        "2359512" +
                        repeat("0000000", 21);
    ASSERT_EQ(day05.size(), 172u);
    const Names cells = h.changes(day05, reply);
    EXPECT_EQ(reply, "GO");
    EXPECT_EQ(h.model().scheduleHour[4][0], 8);
    EXPECT_EQ(h.model().scheduleMinute[4][0], 30);
    EXPECT_EQ(h.model().schedulePage[4][0], kPagePas);
    EXPECT_EQ(h.model().schedulePage[4][1], 0);
    EXPECT_EQ(h.model().schedulePage[4][2], 511);
    EXPECT_EQ(h.model().schedulePage[4][3], kPageNoEntry);
    for (const auto& name : cells) {
        EXPECT_NE(name.find("[4]["), std::string::npos) << name;
    }
    EXPECT_EQ(h.run("RSD05"), day05);
}

TEST_P(BothModels, MalformedScheduleLinesAreRefusedWhole) {
    const std::string tail = repeat("0000000", 23);
    const std::string bad[] = {
        "SD00"
        "0830PAS" +
            tail,
        "SD32"
        "0830PAS" +
            tail,
        "SD05"
        "2400PAS" +
            tail,
        "SD05"
        "0860PAS" +
            tail,
        "SD05"
        "0830513" +
            tail,
        "SD05"
        "0830PAX" +
            tail,
        "SD05"
        "0830PAS" +
            tail.substr(1),
        "RSD00",
        "RSD32",
        "RSD5",
    };
    expectRefused(GetParam(), bad);
}

TEST_P(BothModels, ClockFieldsAndTheThirtySecondCorrection) {
    DeviceHarness h(GetParam());
    std::string reply;
    EXPECT_EQ(h.changes("DSY24", reply), Names{"clock.year"});
    EXPECT_EQ(h.changes("DSM03", reply), Names{"clock.month"});
    EXPECT_EQ(h.changes("DSD05", reply), Names{"clock.day"});
    EXPECT_EQ(h.changes("TSH07", reply), Names{"clock.hour"});
    EXPECT_EQ(h.changes("TSM08", reply), Names{"clock.minute"});
    EXPECT_EQ(h.changes("TSS09", reply), Names{"clock.second"});
    const DeviceClock& c = h.device.state().clock;
    EXPECT_EQ(c.year, 24);
    EXPECT_EQ(c.second, 9);

    EXPECT_EQ(h.run("TSA"), "GO");
    EXPECT_EQ(c.minute, 8);
    EXPECT_EQ(c.second, 0);
    ASSERT_EQ(h.run("TSS30"), "GO");
    EXPECT_EQ(h.run("TSA"), "GO");
    EXPECT_EQ(c.minute, 9);
    EXPECT_EQ(c.second, 0);

    // The correction carries through the end of a year.
    for (const char* set : {"DSY99", "DSM12", "DSD31", "TSH23", "TSM59", "TSS45"}) {
        ASSERT_EQ(h.run(set), "GO") << set;
    }
    EXPECT_EQ(h.run("TSA"), "GO");
    EXPECT_EQ(c.year, 0);
    EXPECT_EQ(c.month, 1);
    EXPECT_EQ(c.day, 1);
    EXPECT_EQ(c.hour, 0);
    EXPECT_EQ(c.minute, 0);

    for (const char* bad :
         {"DSM00", "DSM13", "DSD00", "DSD32", "TSH24", "TSM60", "TSS60", "DSY1", "TSA0", "TSSAB"}) {
        EXPECT_EQ(h.run(bad), "E3") << bad;
    }
}

TEST_P(BothModels, DisplayOnOffAndPage) {
    DeviceHarness h(GetParam());
    std::string reply;
    EXPECT_EQ(h.changes("IDOF", reply), Names{"displayOn"});
    EXPECT_EQ(reply, "GO");
    EXPECT_EQ(h.changes("IDON", reply), Names{"displayOn"});
    EXPECT_EQ(h.changes("P512", reply), Names{"displayPage"});
    EXPECT_EQ(h.device.state().displayPage, 511);
    EXPECT_EQ(h.changes("PAS", reply), Names{"displayPage"});
    EXPECT_EQ(reply, "GO");
    EXPECT_EQ(h.device.state().displayPage, kPagePas);
    for (const char* bad : {"P000", "P513", "P01", "IDOX", "PAST"}) {
        EXPECT_EQ(h.run(bad), "E3") << bad;
    }
}

TEST_P(BothModels, UnknownAndEmptyLinesAreRefused) {
    DeviceHarness h(GetParam());
    for (const std::string& bad :
         {std::string(), std::string("X"), std::string("GO"), std::string("E3"),
          std::string("RXYZ"), std::string("R"), std::string("RAM\0", 4), std::string(1200, 'A')}) {
        EXPECT_EQ(h.refused(bad), Names{});
        EXPECT_EQ(h.lastReply, "E3");
    }
}

} // namespace
} // namespace tlx::device::test
