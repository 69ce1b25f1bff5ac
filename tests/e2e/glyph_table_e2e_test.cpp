// Whole glyph tables through tlx500ctl: what goes to the device comes back
// byte for byte, and a table that did not arrive whole is never written.
#include <QFile>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <random>

#include "ctl_runner.h"
#include "glyphs/glyph_files.h"
#include "sim_process.h"

namespace tlx::e2e {
namespace {

using sim::test::SimProcess;

QByteArray randomList(GlyphSize size, unsigned seed) {
    std::mt19937 random(seed);
    const auto& g = glyphGeometry(size);
    std::vector<std::string> table(static_cast<std::size_t>(g.count));
    for (auto& glyph : table) {
        for (int k = 0; k < g.digits; ++k) {
            glyph.push_back("0123456789ABCDEF"[random() % 16]);
        }
    }
    return QByteArray::fromStdString(writeGlyphList(table, size));
}

struct TableCase {
    GlyphSize size;
    const char* word;
    const char* extension;
    bool serial;
};

TEST(GlyphTableE2E, ListFileSentAndReadBackIsTheSameFile) {
    for (const TableCase c : {TableCase{GlyphSize::Large, "large", ".tll", true},
                              TableCase{GlyphSize::Medium, "medium", ".tlm", false},
                              TableCase{GlyphSize::Small, "small", ".tls", false}}) {
        SCOPED_TRACE(c.word);
        QTemporaryDir dir;
        const QString sent = dir.filePath(QString("sent") + c.extension);
        const QString back = dir.filePath(QString("back") + c.extension);
        ASSERT_TRUE(writeBytes(sent, randomList(c.size, 5)));
        const QStringList save{"--save", dir.filePath("device.dat")};
        SimProcess sim((c.serial ? QStringList{"--pty", dir.filePath("tty")}
                                 : QStringList{"--tcp-listen", "0"}) +
                       save);
        ASSERT_TRUE(sim.start()) << sim.why().toStdString();
        const QStringList link = sim.ctlLink();
        const auto s = runCtl(link + QStringList{"--pace-scale", "0.002", "glyphs", "send", c.word, sent});
        ASSERT_EQ(s.exitCode, 0) << s.err.toStdString();
        const auto r = runCtl(link + QStringList{"--pace-scale", "0.002", "glyphs", "read", c.word, back});
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        EXPECT_EQ(fileBytes(back), fileBytes(sent));
        // The emulator keeps the table and saves it beside its settings.
        ASSERT_EQ(sim.stop(SIGTERM), 0);
        EXPECT_EQ(fileBytes(dir.filePath(QString("device") + c.extension)), fileBytes(sent));
    }
}

TEST(GlyphTableE2E, ATableCutShortOrAnsweredWronglyIsNeverWritten) {
    struct Fault {
        bool serial;
        QStringList injection;
        const char* verb;
        int status;
        const char* says;
    };
    for (const auto& c : {
             Fault{true, {"--silent-after", "20"}, "read", 3, "glyph 21"},
             Fault{false, {"--silent-after", "20"}, "read", 3, "glyph 21"},
             Fault{false, {"--fault-at", "10:garbage"}, "read", 1, "unexpected answer at step 10"},
             Fault{true, {"--reply-at", "5:GN"}, "send", 1, "refused"},
         }) {
        SCOPED_TRACE(c.injection.join(' ').toStdString());
        QTemporaryDir dir;
        const QString list = dir.filePath("m.tlm");
        if (QString(c.verb) == "send") {
            ASSERT_TRUE(writeBytes(list, randomList(GlyphSize::Medium, 3)));
        }
        SimProcess sim((c.serial ? QStringList{"--pty", dir.filePath("tty")}
                                 : QStringList{"--tcp-listen", "0"}) +
                       c.injection + QStringList{"--log", dir.filePath("log")});
        ASSERT_TRUE(sim.start()) << sim.why().toStdString();
        const QStringList link = sim.ctlLink();
        const auto r =
            runCtl(link + QStringList{"--pace-scale", "0.01", "glyphs", c.verb, "medium", list});
        EXPECT_EQ(r.exitCode, c.status) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(c.says)) << r.err.toStdString();
        if (QString(c.verb) == "read") {
            EXPECT_FALSE(QFile::exists(list));
        } else {
            // The registration stops at the refusal, not 155 glyphs later.
            EXPECT_LT(fileBytes(dir.filePath("log")).count('\n'), 10);
        }
    }
}

TEST(GlyphTableE2E, WrongFilesAreRefusedBeforeTheDeviceIsReached) {
    QTemporaryDir dir;
    const QByteArray large = randomList(GlyphSize::Large, 9);
    ASSERT_TRUE(writeBytes(dir.filePath("g.tll"), large));
    ASSERT_TRUE(writeBytes(dir.filePath("g.tlm"), large));
    ASSERT_TRUE(writeBytes(dir.filePath("short.tll"), large.left(300)));
    const QStringList noDevice{"--tcp", "127.0.0.1:1"};
    struct Refusal {
        QStringList args;
        const char* why;
    };
    for (const auto& c : {
             Refusal{{"glyphs", "send", "medium", dir.filePath("g.tll")}, "ends in .tlm"},
             Refusal{{"glyphs", "send", "medium", dir.filePath("g.tlm")}, "digits"},
             Refusal{{"glyphs", "send", "large", dir.filePath("short.tll")}, "only 100 of"},
             Refusal{{"glyphs", "read", "small", dir.filePath("x.tll")}, "ends in .tls"},
             Refusal{{"glyphs", "export", "large", dir.filePath("g.tll"), "71", "p.bmp"}, "1..70"},
         }) {
        const auto r = runCtl(noDevice + c.args);
        EXPECT_EQ(r.exitCode, 2) << c.args.join(' ').toStdString();
        EXPECT_TRUE(r.err.contains(c.why)) << r.err.toStdString();
    }
    const auto e = runCtl({"glyphs", "export", "large", dir.filePath("g.tll"), "70",
                           dir.filePath("p")});
    ASSERT_EQ(e.exitCode, 0) << e.err.toStdString();
    EXPECT_TRUE(fileBytes(dir.filePath("p.bmp")).startsWith("BM"));
}

} // namespace
} // namespace tlx::e2e
