// tlx500ctl titles: every title a seeded device holds survives export and
// import into a fresh settings file; refused rows and bad usage leave the
// files alone and say so in the exit status.
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "ctl_runner.h"
#include "sim_process.h"

namespace tlx::e2e {
namespace {

using sim::test::SimProcess;

class TitlesE2E : public ModelE2E {};

INSTANTIATE_TEST_SUITE_P(BothModels, TitlesE2E, ::testing::Values(Product::F, Product::S),
                         modelName);

TEST_P(TitlesE2E, SeededDeviceTitlesSurviveExportAndImport) {
    const Product p = product();
    const auto first = readAllFrom(p, {"--seed", "16"}, dir.filePath("read.dat"));
    ASSERT_EQ(first.exitCode, 0) << first.err.toStdString();
    // Model F as TSV, model S as CSV.
    const QString text = dir.filePath(p == Product::F ? "titles.tsv" : "titles.csv");
    auto r = runCtl({"--model", model(), "titles", "export", dir.filePath("read.dat"), text});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QByteArray exported = fileBytes(text);
    for (const char* glyph : {"{G:4352}", "{G:4362}", "{G:4365}"}) { // glyphs 63, 73, 76
        EXPECT_TRUE(exported.contains(glyph)) << glyph;
    }

    SettingsModel fresh;
    resetModelToDefaults(fresh, p);
    ASSERT_TRUE(saveSettings(dir.filePath("fresh.dat"), fresh, p));
    r = runCtl({"--model", model(), "titles", "import", dir.filePath("fresh.dat"), text});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const auto read = loadSettings(dir.filePath("read.dat"), p);
    const auto imported = loadSettings(dir.filePath("fresh.dat"), p);
    ASSERT_TRUE(read && imported);
    EXPECT_TRUE(read->titleText == imported->titleText);
    EXPECT_TRUE(read->titlePageText == imported->titlePageText);
}

TEST(TitlesCtl, ExitStatusesAndUntouchedFiles) {
    QTemporaryDir dir;
    SettingsModel m;
    resetModelToDefaults(m, Product::F);
    m.titleText[1][1].assign("\x82\x60"); // Ａ
    const QString dat = dir.filePath("titles.dat");
    ASSERT_TRUE(saveSettings(dat, m, Product::F));
    const QByteArray original = fileBytes(dat);

    ASSERT_TRUE(writeBytes(dir.filePath("bad.tsv"), "page\tline\ttext\n1\t1\t東京\n1\t1\tabc\n600\t1\t東\n"));
    auto r = runCtl({"titles", "import", dat, dir.filePath("bad.tsv")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("line 3:") && r.err.contains("line 4:")) << r.err.toStdString();
    EXPECT_EQ(fileBytes(dat), original);

    for (const QStringList& args :
         {QStringList{"titles", "import", dat, dir.filePath("missing.tsv")},
          QStringList{"titles", "export", dir.filePath("missing.dat")},
          QStringList{"titles", "convert", dat}, QStringList{"titles", "export", dat, "--replace-all"}}) {
        EXPECT_EQ(runCtl(args).exitCode, 2) << args.join(' ').toStdString();
    }

    r = runCtl({"titles", "export", dat});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, "page\tline\ttext\n2\t2\tＡ\n");

    ASSERT_TRUE(writeBytes(dir.filePath("good.csv"), "page,line,text\r\n1,1,東京\r\n"));
    r = runCtl({"titles", "import", dat, dir.filePath("good.csv"), "--replace-all", "--out",
                dir.filePath("new.dat")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(fileBytes(dat), original);
    EXPECT_EQ(runCtl({"titles", "export", dir.filePath("new.dat")}).out, "page\tline\ttext\n1\t1\t東京\n");
}

} // namespace
} // namespace tlx::e2e
