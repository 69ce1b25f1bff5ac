// User glyphs whose codes hold the bytes 0x00, 0x0A or 0x0D survive a read-all
// into a settings file and a send-all back to a device.
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>

#include "ctl_runner.h"
#include "sim_process.h"

namespace tlx::e2e {
namespace {

using sim::test::SimProcess;

std::string unit(std::uint16_t v) {
    return {static_cast<char>(v >> 8), static_cast<char>(v & 0xFF)};
}

// Glyphs 63, 73 and 76 are stored as 0x1100, 0x110A and 0x110D.
const std::string kGlyph63 = unit(0x1100);
const std::string kGlyph73 = unit(0x110A);
const std::string kGlyph76 = unit(0x110D);
const std::string kA = "\x82\x60";

void placeGlyphs(SettingsModel& m, Product p) {
    const std::string start = kGlyph63 + kA + kGlyph73;
    const std::string middle = kA + kGlyph76 + kGlyph63 + kA;
    const std::string end = kA + kA + kGlyph73 + kGlyph76;
    if (p == Product::F) {
        m.titleText[0][0].assign(start);
        m.titleText[0][4].assign(middle);
        m.titleText[6][9].assign(end);
        std::string full;
        for (int i = 0; i < 27; ++i) {
            full += kA;
        }
        m.titleText[511][0].assign(full + kGlyph76); // the line's last code
    } else {
        m.titlePageText[0].assign(start + middle + end);
        m.titlePageText[511].assign(kGlyph73 + kA + kA + kA + kGlyph63);
    }
}

class GlyphTitles : public ModelE2E {};

INSTANTIATE_TEST_SUITE_P(BothModels, GlyphTitles, ::testing::Values(Product::F, Product::S),
                         modelName);

TEST_P(GlyphTitles, SurviveReadAllAndSendAll) {
    const Product p = product();
    SettingsModel original;
    resetModelToDefaults(original, p);
    placeGlyphs(original, p);
    ASSERT_TRUE(saveSettings(dir.filePath("start.dat"), original, p));

    const auto first = readAllFrom(p, {"--state", dir.filePath("start.dat")}, dir.filePath("read.dat"));
    ASSERT_EQ(first.exitCode, 0) << first.err.toStdString();
    const auto read = loadSettings(dir.filePath("read.dat"), p);
    ASSERT_TRUE(read.has_value()) << "the file read back must be whole and aligned";
    EXPECT_EQ(readFieldsDiff(original, *read, p), "");

    SimProcess target({"--model", model(), "--tcp-listen", "0", "--seed", "77", "--save",
                       dir.filePath("end.dat")});
    ASSERT_TRUE(target.start());
    const auto r = runCtl(QStringList{"--model", model()} + target.ctlLink() +
                          QStringList{"--pace-scale", "0.001", "send-all", dir.filePath("read.dat")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    ASSERT_EQ(target.stop(SIGTERM), 0);
    const auto end = loadSettings(dir.filePath("end.dat"), p);
    ASSERT_TRUE(end.has_value());
    EXPECT_EQ(readFieldsDiff(original, *end, p), "");
    if (p == Product::F) {
        EXPECT_EQ(trimmedTitle(end->titleText[0][0].view()), kGlyph63 + kA + kGlyph73);
        EXPECT_EQ(trimmedTitle(end->titleText[511][0].view()).substr(54), kGlyph76);
    } else {
        EXPECT_EQ(trimmedTitle(end->titlePageText[0].view()).substr(0, 2), kGlyph63);
    }
}

} // namespace
} // namespace tlx::e2e
