#include "core/base/temp_dir.h"
#include "base/settings_file_io.h"
#include "base/sjis_codec.h"
#include "dialogs/titles_commands.h"
#include "protocol/app_state.h"
#include "settings/settings_model.h"
#include "settings/titles_file.h"
#include "support/fake_host.h"
#include "support/reply_lines.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace tlx {
namespace {

using P = TitleRowProblem;
using test::repeat;

const std::string kTokyo = "\x93\x8C\x8B\x9E"; // 東京 in Shift-JIS
const std::string kOsaka = "\x91\xE5\x8D\xE3"; // 大阪
const std::string kA = "\x82\x60";             // Ａ
const std::string kSpace = "\x81\x40";         // full-width space
const std::string kGlyph63 = std::string("\x11\x00", 2);
const std::string kGlyph73 = "\x11\x0A";
const std::string kGlyph76 = "\x11\x0D";

class TitlesFile : public ::testing::Test {
  protected:
    std::unique_ptr<SjisCodec> codec = makeSjisCodec();
    SettingsModel model;

    void SetUp() override { ASSERT_NE(codec, nullptr); }
    TitlesImport parse(std::string_view text, Product p = Product::F) {
        return parseTitles(text, p, *codec);
    }
};

TEST_F(TitlesFile, ExportWritesEveryNonEmptyTitleInOrderWithGlyphTokens) {
    resetModelToDefaults(model, Product::F);
    model.titleText[511][9].assign("{");
    model.titleText[0][2].assign(kTokyo + kSpace);
    model.titleText[0][0].assign(kA + kGlyph63 + kGlyph73 + kGlyph76);
    EXPECT_EQ(exportTitles(model, Product::F, TitlesFormat::Tsv, *codec).bytes,
              "page\tline\ttext\n"
              "1\t1\tＡ{G:4352}{G:4362}{G:4365}\n"
              "1\t3\t東京　\n"
              "512\t10\t{{\n");

    resetModelToDefaults(model, Product::S);
    model.titlePageText[1].assign("a,\"b");
    model.titlePageText[4].assign(kOsaka + std::string("\x80", 1)); // a byte no text holds
    const auto s = exportTitles(model, Product::S, TitlesFormat::Csv, *codec);
    EXPECT_EQ(s.bytes, "\xEF\xBB\xBFpage,text\r\n"
                       "2,\"a,\"\"b\"\r\n"
                       "5,大阪\xEF\xBF\xBD\r\n");
    EXPECT_EQ(s.unreadable, (std::vector<std::pair<std::size_t, std::size_t>>{{4, 0}}));
}

TEST_F(TitlesFile, ExportedTitlesComeBackIdentical) {
    for (Product p : {Product::F, Product::S}) {
        for (TitlesFormat f : {TitlesFormat::Tsv, TitlesFormat::Csv}) {
            resetModelToDefaults(model, p);
            const std::string awkward = kGlyph76 + kTokyo + kGlyph63 + kSpace + kGlyph73 + kSpace;
            if (p == Product::F) {
                model.titleText[3][7].assign(awkward);
                model.titleText[511][9].assign(repeat(kA, 28));
            } else {
                model.titlePageText[3].assign(awkward);
                model.titlePageText[511].assign(repeat(kTokyo, 140));
            }
            SettingsModel fresh;
            resetModelToDefaults(fresh, p);
            const auto import = parse(exportTitles(model, p, f, *codec).bytes, p);
            ASSERT_TRUE(import.ok());
            applyTitles(import, fresh, p, false);
            EXPECT_EQ(fresh.titleText, model.titleText);
            EXPECT_EQ(fresh.titlePageText, model.titlePageText);
        }
    }
}

// Every refused row, with the line number it is reported at; nothing comes
// through when any row fails.
TEST_F(TitlesFile, RefusedRowsAreReportedWithTheirLineNumbers) {
    const std::string f = "page\tline\ttext\n";
    const std::string s = "page\ttext\n";
    struct Case {
        Product product;
        std::string text;
        std::size_t line;
        P problem;
        std::string detail;
    };
    const std::vector<Case> cases{
        {Product::F, "1\t1\t東京\n", 1, P::Header, ""},
        {Product::F, "", 1, P::Header, ""},
        {Product::F, s + "1\t東京\n", 1, P::OtherModel, ""},
        {Product::S, f + "1\t1\t東京\n", 1, P::OtherModel, ""},
        {Product::F, f + "1\t1\t東京\n0\t1\t東京\n", 3, P::Page, "0"},
        {Product::F, f + "513\t1\t東京\n", 2, P::Page, "513"},
        {Product::F, f + "x\t1\t東京\n", 2, P::Page, "x"},
        {Product::F, f + "1\t11\t東京\n", 2, P::Line, "11"},
        {Product::F, f + "1\t1\t東京\tx\n", 2, P::Columns, "4"},
        {Product::F, f + "1\t東京\n", 2, P::Columns, "2"},
        {Product::F, f + "1\t1\t" + repeat("東", 29) + "\n", 2, P::TooLong, "58"},
        {Product::S, s + "1\t" + repeat("東", 281) + "\n", 2, P::TooLong, "562"},
        {Product::F, f + "1\t1\t東京abc\n", 2, P::Jis, "a"},
        {Product::F, f + "1\t1\t東ｱ\n", 2, P::Jis, "ｱ"},
        {Product::F, f + "1\t1\t東😀\n", 2, P::Jis, "😀"},
        {Product::F, f + "1\t1\t{G:4922}\n", 2, P::GlyphToken, "{G:4922}"},
        {Product::F, f + "1\t1\t東{X}\n", 2, P::GlyphToken, "{X}"},
        {Product::F, f + "1\t1\t{G:12\n", 2, P::GlyphToken, "{G:12"},
        {Product::F, f + "1\t1\t\xFF\xFE" + std::string(1, '\0') + "\n", 2, P::NotUtf8, ""},
        {Product::F, "\xEF\xBB\xBF" "page\tline\ttext\r\n1\t1\t東京\r\n2\t1\t東京\x01\r\n", 3,
         P::Control, ""},
        // CSV: a quoted field runs over a line end (refused), and the rows
        // after it keep their true line numbers.
        {Product::F, "page,line,text\n1,1,\"東\n京\"\n1,2,abc\n", 2, P::Control, ""},
        {Product::F, "page,line,text\n1,1,\"東京\"\n1,2,\"東\n", 3, P::Quote, ""},
        {Product::F, "page,line,text\n1,1,\"東京\"x\n", 2, P::Quote, ""},
        {Product::F, std::string(kMaxTitlesFileBytes + 1, '1'), 0, P::TooLarge, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.substr(0, 60));
        const auto r = parse(c.text, c.product);
        ASSERT_FALSE(r.ok());
        ASSERT_FALSE(r.errors.empty());
        EXPECT_EQ(r.errors[0].fileLine, c.line);
        EXPECT_EQ(r.errors[0].problem, c.problem);
        EXPECT_EQ(r.errors[0].detail, c.detail);
        EXPECT_TRUE(r.rows.empty());
    }
    // A 100 MB file is refused from its size, before it is read.
    test::TempDir dir;
    const std::string huge = dir.file("huge.tsv");
    ASSERT_TRUE(writeFileAtomically(huge, f).ok());
    std::filesystem::resize_file(huge, 100u * 1024u * 1024u);
    const auto big = readTitlesFile(huge, Product::F, *codec);
    ASSERT_EQ(big.errors.size(), 1u);
    EXPECT_EQ(big.errors[0].problem, P::TooLarge);
    EXPECT_TRUE(big.readFailure.empty());

    // Two bad rows of a CSV record spanning lines: the second keeps its line.
    const auto two = parse("page,line,text\n1,1,\"東\n京\"\n1,2,abc\n");
    ASSERT_EQ(two.errors.size(), 2u);
    EXPECT_EQ(two.errors[1].fileLine, 4u);

    resetModelToDefaults(model, Product::F);
    model.titleText[0][0].assign(kA);
    applyTitles(parse(f + "1\t1\t東京\n2\t1\tabc\n"), model, Product::F, true);
    EXPECT_EQ(model.titleText[0][0].view(), kA);
}

TEST_F(TitlesFile, ImportReplacesTheRowsItListsOrEveryTitle) {
    // Byte order mark, CR LF, a blank line, quoted CSV fields, an empty text
    // and a page named twice.
    const std::string file = "\xEF\xBB\xBF" "PAGE,Line,Text\r\n"
                             "1,1,\r\n"
                             "\r\n"
                             "\"3\",1,東京\r\n"
                             "003,01,\"大阪\"\r\n";
    const auto import = parse(file);
    ASSERT_TRUE(import.ok());
    ASSERT_EQ(import.duplicates.size(), 1u);
    EXPECT_EQ(import.duplicates[0].fileLine, 5u);
    EXPECT_EQ(import.duplicates[0].earlierLine, 4u);
    EXPECT_EQ(titleDuplicateText(import.duplicates[0], Product::F, TitlesLanguage::English),
              "line 5: page 3 line 1 is also on line 4; this later row is used");

    for (bool replaceAll : {false, true}) {
        resetModelToDefaults(model, Product::F);
        model.titleText[0][0].assign(kA);
        model.titleText[1][1].assign(kA);
        applyTitles(import, model, Product::F, replaceAll);
        EXPECT_TRUE(model.titleText[0][0].empty());
        EXPECT_EQ(model.titleText[1][1].empty(), replaceAll);
        EXPECT_EQ(model.titleText[2][0].view(), kOsaka);
    }
}

TEST_F(TitlesFile, TheJisRefusalUsesTheTitleDialogsMessage) {
    const TitleRowError e{7, P::Jis, "a"};
    EXPECT_EQ(titleRowErrorText(e, Product::F, TitlesLanguage::Japanese),
              "7 行目: ＪＩＳ第１水準,第２水準以外の字が選択されてます「a」");
    EXPECT_NE(titleRowErrorText(e, Product::F, TitlesLanguage::English)
                  .find("ＪＩＳ第１水準,第２水準以外の字が選択されてます"),
              std::string::npos);
}

// The tools menu's import: a refused file changes nothing and comes back as
// the list to show; a good one asks about the other titles and marks the
// model modified; nothing happens while a transfer runs.
TEST_F(TitlesFile, ImportFromTheDesktopAsksAndMarksTheModelModified) {
    test::TempDir dir;
    const std::string good = dir.file("good.tsv");
    const std::string bad = dir.file("bad.tsv");
    ASSERT_TRUE(writeFileAtomically(good, "page\tline\ttext\n3\t1\t東京\n").ok());
    ASSERT_TRUE(writeFileAtomically(bad, "page\tline\ttext\n3\t1\tabc\n").ok());
    for (bool replaceAll : {false, true}) {
        auto state = makeAppState(Product::F);
        state->model.titleText[0][0].assign(kA);
        test::FakeHost host;
        host.chosenFiles = {bad, good};
        host.answers = {replaceAll};
        const auto refused = importTitlesFromFile(*state, host, codec.get());
        ASSERT_EQ(refused.size(), 1u);
        EXPECT_EQ(refused[0].rfind("2 行目: ", 0), 0u) << refused[0];
        EXPECT_FALSE(state->model.dataModified);
        EXPECT_TRUE(importTitlesFromFile(*state, host, codec.get()).empty());
        EXPECT_EQ(host.questions.size(), 1u);
        EXPECT_TRUE(state->model.dataModified);
        EXPECT_EQ(state->model.titleText[2][0].view(), kTokyo);
        EXPECT_EQ(state->model.titleText[0][0].empty(), replaceAll);

        state->model.busyStep = 4;
        host.chosenFiles = {good};
        EXPECT_TRUE(importTitlesFromFile(*state, host, codec.get()).empty());
        EXPECT_EQ(host.fileChoices.size(), 2u);
    }

    // Export: a name without an ending becomes TSV.
    auto state = makeAppState(Product::F);
    state->model.titleText[0][0].assign(kA);
    test::FakeHost host;
    host.chosenFiles = {dir.file("out")};
    exportTitlesToFile(*state, host, codec.get());
    EXPECT_EQ(test::slurp(dir.file("out.tsv")), "page\tline\ttext\n1\t1\tＡ\n");
}

} // namespace
} // namespace tlx
