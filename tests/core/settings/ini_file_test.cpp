#include "core/base/temp_dir.h"
#include "settings/ini_file.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace tlx {
namespace {

constexpr std::string_view kSection = "TLX-500F_Z200_Section";

TEST(IniDocument, FindsKeysTheWayProfileReadsDo) {
    const auto doc = IniDocument::parse("; comment\r\n"
                                        "orphan=1\r\n"
                                        "[Other]\r\n"
                                        "com_port=4\r\n"
                                        "  [ tlx-500f_z200_section ]  \r\n"
                                        "   COM_PORT   =   3   \r\n"
                                        "com_port=5\r\n"
                                        "quoted=\"a b\"\r\n"
                                        "noequals\r\n"
                                        "empty=\r\n"
                                        "[TLX-500F_Z200_Section]\r\n"
                                        "rs_control=1\r\n"
                                        "[Last]\r\n"
                                        "tail=9"); // no final line end
    EXPECT_EQ(doc.value(kSection, "com_port"), "3");
    EXPECT_EQ(doc.value(kSection, "quoted"), "a b");
    EXPECT_EQ(doc.value(kSection, "empty"), "");
    EXPECT_FALSE(doc.value(kSection, "noequals"));
    EXPECT_FALSE(doc.value(kSection, "orphan"));
    // Only the first section of a name is looked at.
    EXPECT_FALSE(doc.value(kSection, "rs_control"));
    EXPECT_EQ(doc.value("other", "COM_PORT"), "4");
    EXPECT_EQ(doc.value("Last", "tail"), "9");
    EXPECT_FALSE(doc.value("Missing", "tail"));
}

TEST(IniDocument, ProfileReadsCutToTheirBufferAndConvertLikeAtoi) {
    const auto doc = IniDocument::parse("[S]\n"
                                        "a=12abc\n"
                                        "b=abc\n"
                                        "c= -5\n"
                                        "d=1234567890123\n"
                                        "p=123456\n"
                                        "e=\n");
    EXPECT_EQ(profileNumber(doc, "S", "a"), 12);
    EXPECT_EQ(profileNumber(doc, "S", "b"), 0);
    EXPECT_EQ(profileNumber(doc, "S", "c"), -5);
    EXPECT_EQ(profileNumber(doc, "S", "d"), 123456789); // nine characters fit the buffer
    EXPECT_EQ(profileNumber(doc, "S", "e"), 0);
    EXPECT_EQ(profileNumber(doc, "S", "missing"), 0);
    EXPECT_EQ(profileString(doc, "S", "p", "09004", 6), "12345");
    EXPECT_EQ(profileString(doc, "S", "missing", "09004", 6), "09004");
    EXPECT_EQ(profileString(doc, "S", "e", "09004", 6), "");
}

TEST(IniDocument, WritesChangeOnlyTheirOwnLine) {
    const std::string before = "\xEF\xBB\xBF; keep\n"
                               "[a]\n"
                               "x = 1\n"
                               "\n"
                               "[TLX-500F_Z200_Section]\r\n"
                               "Com_Port = 1\r\n"
                               "com_port=7\r\n"
                               "\r\n"
                               "[z]\n"
                               "y=2";
    auto doc = IniDocument::parse(before);
    EXPECT_EQ(doc.bytes(), before);

    doc.set(kSection, "com_port", "3");
    doc.set(kSection, "list_count", "2");
    doc.set("z", "w", "5");
    doc.set("new", "k", "v\r\nx");
    EXPECT_EQ(doc.bytes(), "\xEF\xBB\xBF; keep\n"
                           "[a]\n"
                           "x = 1\n"
                           "\n"
                           "[TLX-500F_Z200_Section]\r\n"
                           "com_port=3\r\n"
                           "com_port=7\r\n"
                           "list_count=2\r\n"
                           "\r\n"
                           "[z]\n"
                           "y=2\r\n"
                           "w=5\r\n"
                           "[new]\r\n"
                           "k=vx\r\n");
    EXPECT_EQ(doc.value(kSection, "com_port"), "3");
}

TEST(IniDocument, ALastLineEndingInALoneCrIsEndedBeforeAnythingFollows) {
    auto doc = IniDocument::parse("[a]\r\nx=1\r");
    EXPECT_EQ(doc.bytes(), "[a]\r\nx=1\r");
    doc.set("a", "y", "2");
    doc.set("b", "z", "3");
    EXPECT_EQ(doc.bytes(), "[a]\r\nx=1\r\ny=2\r\n[b]\r\nz=3\r\n");
    const auto again = IniDocument::parse(doc.bytes());
    EXPECT_EQ(again.value("a", "y"), "2");
    EXPECT_EQ(again.value("b", "z"), "3");
}

TEST(IniDocument, FirstWriteToAnEmptyDocumentMakesTheSection) {
    IniDocument doc;
    doc.set(kSection, "Interface", "1");
    EXPECT_EQ(doc.bytes(), "[TLX-500F_Z200_Section]\r\nInterface=1\r\n");
}

TEST(IniFile, FirstWriteCreatesFolderAndFileLaterWritesKeepOtherKeys) {
    test::TempDir dir;
    const IniFile file(dir.file("deep/er/t.ini"));
    EXPECT_EQ(file.load().bytes(), "");
    ASSERT_TRUE(file.write(kSection, {{"com_port", "2"}}));
    ASSERT_TRUE(file.write(kSection, {{"rs_control", "1"}, {"com_port", "3"}}));
    EXPECT_EQ(test::slurp(file.path()),
              "[TLX-500F_Z200_Section]\r\ncom_port=3\r\nrs_control=1\r\n");
}

TEST(IniFile, WriteIntoAnImpossiblePlaceFails) {
    test::TempDir dir;
    test::spit(dir.file("plain"), "x");
    const IniFile file(dir.file("plain/t.ini")); // a file where a folder should be
    EXPECT_FALSE(file.write(kSection, {{"a", "1"}}));
    EXPECT_EQ(test::slurp(dir.file("plain")), "x");
}

} // namespace
} // namespace tlx
