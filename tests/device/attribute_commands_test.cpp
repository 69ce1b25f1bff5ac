// Title attributes of both models: each write changes exactly the cells it
// names and the read that follows returns them in the reply layout.
#include "device_test_support.h"

#include <gtest/gtest.h>

namespace tlx::device::test {
namespace {

TEST(ModelFAttributes, BlinkLineOfLastPageAndItsRead) {
    DeviceHarness h(Product::F);
    std::string reply;
    EXPECT_EQ(h.changes("CBS512L10ON", reply), Names{"blink[511][9]"});
    EXPECT_EQ(reply, "GO");
    EXPECT_EQ(h.run("RCBS512"), "CBS512FFFFFFFFFN");
    EXPECT_EQ(h.changes("CBS512L10OF", reply), Names{"blink[511][9]"});
    EXPECT_EQ(h.run("RCBS512"), "CBS512FFFFFFFFFF");
}

TEST(ModelFAttributes, PageFormsSetTenLinesAndReadBackIdentically) {
    struct Case {
        const char* write;
        const char* table;
    };
    const Case cases[] = {
        {"CBS003NFNFNFNFNF", "blink"},
        {"CFS003ELMSELMSEL", "charSize"},
        {"CFT003GMGMGMGMGM", "fontType"},
        {"FB003NNNNNFFFFN", "backgroundFill"},
        {"IDLS00301020304050607080963", "lineSpacing"},
        {"IDOH00338020304050607080910", "horizontalOffset"},
        {"IDP003LCRLCRLCRL", "centering"},
        {"IDRT003001002003004005006007008009240", "eraseTime"},
    };
    for (const Case& c : cases) {
        DeviceHarness h(Product::F);
        std::string reply;
        const Names diff = h.changes(c.write, reply);
        EXPECT_EQ(reply, "GO") << c.write;
        ASSERT_FALSE(diff.empty()) << c.write;
        for (const auto& name : diff) {
            EXPECT_EQ(name.rfind(std::string(c.table) + "[2][", 0), 0u) << c.write << " " << name;
        }
        const std::string_view w(c.write);
        const std::size_t mn = w.find('0');
        EXPECT_EQ(h.run("R" + std::string(w.substr(0, mn)) + "003"), c.write);
    }
}

TEST(ModelFAttributes, CharSizeLettersMapToValues) {
    DeviceHarness h(Product::F);
    ASSERT_EQ(h.run("CFS001ELMSELMSEL"), "GO");
    const int expected[10] = {0, 1, 2, 3, 0, 1, 2, 3, 0, 1};
    for (std::size_t line = 0; line < 10; ++line) {
        EXPECT_EQ(h.model().charSize[0][line], expected[line]);
    }
}

TEST(ModelFAttributes, LineFormsOfEveryFamily) {
    struct Case {
        const char* write;
        const char* cell;
        const char* read;
        const char* reply;
    };
    const Case cases[] = {
        {"CFS001L01E", "charSize[0][0]", "RCFS001", "CFS001EMMMMMMMMM"},
        {"IDP001L02C", "centering[0][1]", "RIDP001", "IDP001LCLLLLLLLL"},
        {"IDRT001L03123", "eraseTime[0][2]", "RIDRT001", "IDRT001000000123000000000000000000000"},
        {"FB001L04ON", "backgroundFill[0][3]", "RFB001", "FB001FFFNFFFFFF"},
        {"CFT001L05M", "fontType[0][4]", "RCFT001", "CFT001GGGGMGGGGG"},
        {"IDLS001L0663", "lineSpacing[0][5]", "RIDLS001", "IDLS00100000000006300000000"},
        {"IDOH001L0738", "horizontalOffset[0][6]", "RIDOH001", "IDOH00100000000000038000000"},
    };
    for (const Case& c : cases) {
        DeviceHarness h(Product::F);
        std::string reply;
        EXPECT_EQ(h.changes(c.write, reply), Names{c.cell}) << c.write;
        EXPECT_EQ(reply, "GO");
        EXPECT_EQ(h.run(c.read), c.reply) << c.write;
    }
}

TEST(ModelFAttributes, ColourLineAndPageForms) {
    DeviceHarness h(Product::F);
    std::string reply;
    EXPECT_EQ(h.changes("CABC001L0312", reply), (Names{"charColour[0][2]", "outlineColour[0][2]"}));
    EXPECT_EQ(h.run("RCABC001"), "CABC00170701270707070707070");
    EXPECT_EQ(h.run("CABC00170707070707070707070"), "GO");
    EXPECT_EQ(h.run("RCABC001"), "CABC00170707070707070707070");
    EXPECT_EQ(h.run("CABC00188000000000000000000"), "GO");
    EXPECT_EQ(h.model().charColour[0][0], 8);
    EXPECT_EQ(h.model().outlineColour[0][0], 8);
}

TEST(ModelFAttributes, PerPageSwitchTimeAndLevels) {
    DeviceHarness h(Product::F);
    std::string reply;
    EXPECT_EQ(h.changes("PAST00199", reply), Names{"autoSwitchTime[0]"});
    EXPECT_EQ(h.changes("CL51234", reply), (Names{"whiteLevel[511]", "blackLevel[511]"}));

    // The all-pages form: one line of 1,030 bytes with its CR LF.
    const std::string all = "PAST" + repeat("10", 512);
    ASSERT_EQ(all.size() + 2, 1030u);
    EXPECT_EQ(h.run(all), "GO");
    EXPECT_EQ(h.run("RPAST"), all);

    const std::string levels = "CL" + repeat("40", 512);
    EXPECT_EQ(h.run(levels), "GO");
    EXPECT_EQ(h.run("RCL"), levels);
}

TEST(ModelFAttributes, OutOfRangeAndMisshapenWritesAreRefusedAndChangeNothing) {
    const char* bad[] = {
        "IDLS001L0164", "IDOH001L0139",     "IDRT001L01241", "CABC001L0190",     "CL00150",
        "CBS001L01NO",  "CBS000L01ON",      "CBS513L01ON",   "CBS001L11ON",      "CBS001L00ON",
        "CBS001X01ON",  "cbs001L01ON",      "CBS001L01N",    "CFS001ELMSELMSEX", "CBS001ON",
        "IDO00100",     "ISS0012",          "PAS001S",       "CFT001G",          "IDRT001000",
        "PAST001",      "RCBS000",          "RCBS",          "RCBS0010",         "RPAST001",
        "CL001",        "IDP001LCRLCRLCRX",
    };
    expectRefused(Product::F, bad);
}

TEST(ModelSAttributes, AllPagesFormsAndTheirReads) {
    struct Case {
        std::string write;
        const char* read;
    };
    const Case cases[] = {
        {"CBS" + repeat("F", 511) + "N", "RCBS"}, {"CFS" + repeat("ELMS", 128), "RCFS"},
        {"FB" + repeat("NF", 256), "RFB"},        {"IDO" + repeat("15", 512), "RIDO"},
        {"IDP" + repeat("TB", 256), "RIDP"},      {"ISS" + repeat("1234", 128), "RISS"},
        {"PAS" + repeat("SL", 256), "RPAS"},      {"CABC" + repeat("81", 512), "RCABC"},
        {"CL" + repeat("04", 512), "RCL"},
    };
    for (const Case& c : cases) {
        DeviceHarness h(Product::S);
        EXPECT_EQ(h.run(c.write), "GO") << c.write.substr(0, 8);
        EXPECT_EQ(h.run(c.read), c.write);
    }
}

TEST(ModelSAttributes, PageFormsChangeOnlyThatPage) {
    struct Case {
        const char* write;
        Names cells;
    };
    const Case cases[] = {
        {"CBS001ON", {"blink[0][0]"}},
        {"CFS002E", {"charSize[1][0]"}},
        {"FB003ON", {"backgroundFill[2][0]"}},
        {"IDO00415", {"lineSpacing[3][0]"}},
        {"IDP005T", {"titlePosition[4]"}},
        {"ISS0064", {"scrollSpeed[5]"}},
        {"PAS007S", {"autoSwitchTime[6]"}},
        {"CABC00812", {"charColour[7][0]", "outlineColour[7][0]"}},
        {"IDRT009240", {"eraseTime[8][0]"}},
        {"CFT010M", {"fontType[9][0]"}},
        {"CL01104", {"whiteLevel[10]", "blackLevel[10]"}},
        {"IDLS012L0263", {"lineSpacing[11][1]"}},
    };
    for (const Case& c : cases) {
        DeviceHarness h(Product::S);
        std::string reply;
        EXPECT_EQ(h.changes(c.write, reply), c.cells) << c.write;
        EXPECT_EQ(reply, "GO") << c.write;
    }
}

TEST(ModelSAttributes, PerPageReadsOfFontAndEraseTime) {
    DeviceHarness h(Product::S);
    EXPECT_EQ(h.run("RCFT001"), "CFT001G");
    EXPECT_EQ(h.run("RIDRT001"), "IDRT001000");
    ASSERT_EQ(h.run("CFT" + repeat("M", 512)), "GO");
    ASSERT_EQ(h.run("IDRT512123"), "GO");
    EXPECT_EQ(h.run("RCFT512"), "CFT512M");
    EXPECT_EQ(h.run("RIDRT512"), "IDRT512123");
    EXPECT_EQ(h.run("RCBS"), "CBS" + repeat("F", 512));
    EXPECT_EQ(h.run("RISS"), "ISS" + repeat("3", 512)); // default speed index 2
}

TEST(ModelSAttributes, ModelFFormsAndOutOfRangeValuesAreRefused) {
    const char* bad[] = {"CBS512L10ON", "CBS001FFFFFFFFFF", "PAST00101", "IDOH001L0101",
                         "IDO00116",    "ISS0010",          "ISS0015",   "IDP001B0",
                         "IDP001L",     "CFT001L01G",       "RCBS001",   "RIDRT",
                         "RPAST",       "RIDOH001",         "PAS001X",   "CABC00190"};
    expectRefused(Product::S, bad);
    DeviceHarness h(Product::S);
    EXPECT_EQ(h.run("IDRT" + repeat("000", 512)), "E3");
    EXPECT_EQ(h.run("CBS" + repeat("F", 511) + "X"), "E3");
    EXPECT_EQ(h.model().blink[0][0], 0);
}

} // namespace
} // namespace tlx::device::test
