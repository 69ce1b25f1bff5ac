#include "core/base/temp_dir.h"
#include "dialogs/glyph_list.h"
#include "glyphs/glyph_info.h"
#include "protocol/app_state.h"
#include "support/fake_host.h"
#include "support/fake_transport.h"

#include <gtest/gtest.h>

namespace tlx {
namespace {

using test::FakeHost;
using test::FakeTransport;
using test::slurp;
using test::TempDir;

class GlyphListTest : public ::testing::Test {
  protected:
    std::unique_ptr<AppState> state = makeAppState(Product::F);
    FakeHost host;
    FakeTransport transport;
    TempDir dir;

    GlyphListLogic list(GlyphSize size) {
        return GlyphListLogic(glyphListDescriptor(size), *state, host, transport);
    }
    std::vector<std::string>& table(GlyphSize size) {
        return state->glyphs.table(GlyphFace::Gothic, size);
    }
};

TEST_F(GlyphListTest, PageItemsOfTheThreeSizes) {
    const auto large = list(GlyphSize::Large).pageItems();
    EXPECT_EQ(large, (std::vector<std::string>{"No. 1～14", "No.15～28", "No.29～42", "No.43～56",
                                               "No.57～70"}));
    const std::vector<std::string> small{
        "No.  1～ 16", "No. 17～ 32", "No. 33～ 48", "No. 49～ 64", "No. 65～ 80", "No. 81～ 96",
        "No. 97～112", "No.113～128", "No.129～144", "No.145～160", "No.161～176", "No.177～192",
        "No.193～208", "No.209～224", "No.225～240", "No.241～256"};
    EXPECT_EQ(list(GlyphSize::Small).pageItems(), small);
    EXPECT_EQ(list(GlyphSize::Medium).pageItems(),
              std::vector<std::string>(small.begin(), small.begin() + 10));
}

TEST_F(GlyphListTest, TitlesOfBothModels) {
    EXPECT_EQ(list(GlyphSize::Large).title(""), "外字一覧（大文字）");
    EXPECT_EQ(list(GlyphSize::Large).title("10.1.2.3"), "外字一覧（大文字） 10.1.2.3");
    state = makeAppState(Product::S);
    EXPECT_EQ(list(GlyphSize::Small).title(""), "外字一覧（ゴシック体 小文字）");
    EXPECT_EQ(list(GlyphSize::Small).title("10.1.2.3"), "外字一覧（小文字）10.1.2.3");
}

// Columns 114 apart, 95 wide from x 12; rows 11..105 and 158..252.
TEST_F(GlyphListTest, CellHitTest) {
    const auto& large = glyphListDescriptor(GlyphSize::Large);
    const auto& medium = glyphListDescriptor(GlyphSize::Medium);
    EXPECT_EQ(glyphCellAt(large, 12, 11), 0);
    EXPECT_EQ(glyphCellAt(large, 106, 105), 0);
    EXPECT_EQ(glyphCellAt(large, 107, 50), std::nullopt);
    EXPECT_EQ(glyphCellAt(large, 11, 50), std::nullopt);
    EXPECT_EQ(glyphCellAt(large, 50, 130), std::nullopt);
    EXPECT_EQ(glyphCellAt(large, 50, 10), std::nullopt);
    EXPECT_EQ(glyphCellAt(large, 126, 158), 8);
    EXPECT_EQ(glyphCellAt(large, 696, 252), 13);
    EXPECT_EQ(glyphCellAt(large, 810, 252), std::nullopt);
    EXPECT_EQ(glyphCellAt(large, 50, 253), std::nullopt);
    EXPECT_EQ(glyphCellAt(medium, 126, 158), 9);
    EXPECT_EQ(glyphCellAt(medium, 810, 252), 15);
}

TEST_F(GlyphListTest, PagesLabelsAndTheSharedPage) {
    auto medium = list(GlyphSize::Medium);
    medium.choosePage(9);
    EXPECT_EQ(medium.glyphOfCell(15), 159);
    EXPECT_EQ(medium.cellLabel(15), "No.160");
    medium.choosePage(0);
    EXPECT_EQ(medium.cellLabel(6), "No.7");
    EXPECT_EQ(medium.glyphOfCell(16), -1);

    state->glyphs.listPage = 12;
    auto small = list(GlyphSize::Small);
    EXPECT_EQ(small.page(), 12);
    auto large = list(GlyphSize::Large);
    EXPECT_EQ(large.page(), 0);
    EXPECT_EQ(state->glyphs.listPage, 0);
    EXPECT_EQ(state->glyphs.editBuffer, std::string(580, '0'));
}

TEST_F(GlyphListTest, EditorOpensOnTheCellsGlyphUnlessATransferRuns) {
    auto l = list(GlyphSize::Large);
    l.choosePage(2);
    EXPECT_TRUE(l.openEditor(3));
    EXPECT_EQ(state->glyphs.currentGlyph, 31);
    state->link.glyphTransferBusy = true;
    EXPECT_FALSE(l.openEditor(4));
    EXPECT_EQ(state->glyphs.currentGlyph, 31);
    EXPECT_FALSE(l.exportPicture(4, 95, 95, 0xC0C0C0));
    EXPECT_TRUE(host.fileChoices.empty());
}

TEST_F(GlyphListTest, BufferClearAsksOnlyWhenDirty) {
    auto l = list(GlyphSize::Small);
    table(GlyphSize::Small)[7].assign(144, 'F');
    state->glyphs.listFilePath(GlyphSize::Small) = "/x/y.tls";
    state->glyphs.glyphDirty = true;
    host.answers = {false};
    EXPECT_FALSE(l.clearBuffer());
    EXPECT_EQ(table(GlyphSize::Small)[7], std::string(144, 'F'));
    EXPECT_EQ(state->glyphs.listFilePath(GlyphSize::Small), "/x/y.tls");
    EXPECT_TRUE(l.clearBuffer());
    EXPECT_EQ(host.questions.size(), 2u);
    EXPECT_EQ(host.questions[0].text, "データを保存せずにクリアしますか？");
    EXPECT_EQ(table(GlyphSize::Small)[7], std::string(144, '0'));
    EXPECT_EQ(state->glyphs.listFilePath(GlyphSize::Small), "");
    EXPECT_FALSE(state->glyphs.glyphDirty);

    table(GlyphSize::Small)[7].assign(144, 'F');
    EXPECT_TRUE(l.clearBuffer());
    EXPECT_EQ(host.questions.size(), 2u);
    EXPECT_EQ(table(GlyphSize::Small)[7], std::string(144, '0'));
}

TEST_F(GlyphListTest, SaveAsSaveAndOpenRoundTrip) {
    auto l = list(GlyphSize::Large);
    EXPECT_FALSE(l.saveFile());
    EXPECT_EQ(host.texts(), std::vector<std::string>{"Don't file open"});
    EXPECT_EQ(host.messages[0].kind, MessageKind::Warning);

    table(GlyphSize::Large)[0].assign(576, 'A');
    table(GlyphSize::Large)[69].assign(576, '5');
    state->model.dataModified = true;
    host.chosenFiles = {dir.file("glyphs")};
    EXPECT_TRUE(l.saveFileAs());
    EXPECT_EQ(host.fileChoices[0].title, "ファイルの保存");
    EXPECT_TRUE(host.fileChoices[0].save);
    EXPECT_EQ(state->glyphs.listFilePath(GlyphSize::Large), dir.file("glyphs.tll"));
    // The title edits are not in a glyph file: still unsaved.
    EXPECT_TRUE(state->model.dataModified);
    const std::string bytes = slurp(dir.file("glyphs.tll"));
    EXPECT_EQ(bytes.size(), 40320u * 3);
    EXPECT_EQ(bytes.substr(0, 6), "A\r\nA\r\n");

    table(GlyphSize::Large)[0].assign(576, 'B');
    EXPECT_TRUE(l.saveFile());
    EXPECT_EQ(slurp(dir.file("glyphs.tll")).substr(0, 3), "B\r\n");

    // Opening asks about unsaved title edits first, with the product caption.
    state->glyphs.clearAll();
    state->model.dataModified = true;
    host.answers = {false};
    EXPECT_FALSE(l.openFile());
    ASSERT_EQ(host.questions.size(), 1u);
    EXPECT_EQ(host.questions[0].text, "データを保存せずに別のファイルを開きますか？");
    EXPECT_EQ(host.questions[0].caption, "TLX-500F_Z200");
    host.chosenFiles = {dir.file("glyphs.tll")};
    EXPECT_TRUE(l.openFile());
    EXPECT_EQ(host.fileChoices.back().title, "ファイルのオープン");
    EXPECT_EQ(table(GlyphSize::Large)[0], std::string(576, 'B'));
    EXPECT_EQ(table(GlyphSize::Large)[69], std::string(576, '5'));
    EXPECT_TRUE(state->model.dataModified);
    EXPECT_EQ(state->glyphs.listFilePath(GlyphSize::Large), dir.file("glyphs.tll"));
}

// Each list saves to its own file; a list file of another size is never
// written over.
TEST_F(GlyphListTest, EachSizeKeepsItsOwnFile) {
    auto large = list(GlyphSize::Large);
    auto medium = list(GlyphSize::Medium);
    table(GlyphSize::Large)[0].assign(576, 'C');
    host.chosenFiles = {dir.file("big")};
    ASSERT_TRUE(large.saveFileAs());
    const std::string bigFile = slurp(dir.file("big.tll"));
    EXPECT_FALSE(medium.saveFile());
    EXPECT_EQ(host.texts(), std::vector<std::string>{"Don't file open"});

    // The large file opened in the medium list (the chooser offers every file).
    host.clear();
    host.chosenFiles = {dir.file("big.tll")};
    ASSERT_TRUE(medium.openFile());
    EXPECT_FALSE(medium.saveFile());
    EXPECT_EQ(host.texts(), std::vector<std::string>{"Don't file open"});
    EXPECT_EQ(host.messages[0].kind, MessageKind::Warning);
    EXPECT_EQ(slurp(dir.file("big.tll")), bigFile);
    EXPECT_EQ(state->glyphs.listFilePath(GlyphSize::Large), dir.file("big.tll"));
}

TEST_F(GlyphListTest, FileFailures) {
    auto l = list(GlyphSize::Medium);
    table(GlyphSize::Medium)[3].assign(256, '7');
    host.chosenFiles = {dir.file("missing.tlm")};
    EXPECT_FALSE(l.openFile());
    EXPECT_EQ(host.texts(), std::vector<std::string>{"Can't file open"});
    EXPECT_EQ(host.messages[0].kind, MessageKind::Warning);
    EXPECT_EQ(table(GlyphSize::Medium)[3], std::string(256, '7'));

    host.clear();
    host.chosenFiles = {dir.file("no/such/folder/x.tlm")};
    EXPECT_FALSE(l.saveFileAs());
    EXPECT_EQ(host.texts(), std::vector<std::string>{"Can't file open"});
    EXPECT_EQ(host.messages[0].kind, MessageKind::Error);
    EXPECT_EQ(state->glyphs.listFilePath(GlyphSize::Medium), "");

    // Nothing while a read is awaited or another transfer runs.
    state->link.glyphReplyWait = true;
    EXPECT_FALSE(l.saveFile());
    EXPECT_FALSE(l.saveFileAs());
    EXPECT_FALSE(l.openFile());
    EXPECT_FALSE(l.clearBuffer());
    state->link.glyphReplyWait = false;
    state->model.busyStep = 4;
    EXPECT_FALSE(l.openFile());
    EXPECT_EQ(host.fileChoices.size(), 2u);
}

TEST_F(GlyphListTest, PictureExportWritesTheCellAsABmp) {
    auto l = list(GlyphSize::Large);
    std::string glyph(576, '0');
    glyph[0] = '8'; // pixel (0, 0)
    table(GlyphSize::Large)[0] = glyph;
    host.chosenFiles = {dir.file("pic")};
    EXPECT_TRUE(l.exportPicture(0, 98, 97, 0x102030));
    ASSERT_EQ(host.fileChoices.size(), 1u);
    const FileChoice& c = host.fileChoices[0];
    EXPECT_EQ(c.title, "ゴシック体 大文字外字登録番号01をbmpファイルで保存");
    EXPECT_EQ(c.initialPath, "gl01.bmp");
    EXPECT_TRUE(c.save);
    ASSERT_EQ(c.filters.size(), 2u);
    EXPECT_EQ(c.filters[0].label, "データ(*.bmp)");
    EXPECT_EQ(c.filters[0].pattern, "*.bmp");
    EXPECT_EQ(c.filters[1].label, "すべて(*.*)");

    const std::string bmp = slurp(dir.file("pic.bmp"));
    const std::size_t stride = (98 * 3 + 3) / 4 * 4;
    ASSERT_EQ(bmp.size(), 54 + stride * 97);
    EXPECT_EQ(bmp.substr(0, 2), "BM");
    // Rows bottom first: the top row is the last; its first pixel (lit) is
    // a 2 x 2 white block, then black, and the background past the glyph.
    const std::size_t top = 54 + stride * 96;
    EXPECT_EQ(bmp.substr(top, 6), std::string(6, '\xFF'));
    EXPECT_EQ(bmp.substr(top + 6, 3), std::string(3, '\0'));
    EXPECT_EQ(bmp.substr(top + 96 * 3, 3), "\x30\x20\x10");
    const std::size_t bottom = 54;
    EXPECT_EQ(bmp.substr(bottom, 3), "\x30\x20\x10");

    // Cancelled: nothing written.
    EXPECT_FALSE(l.exportPicture(1, 98, 97, 0));
    // An unwritable name is reported.
    host.chosenFiles = {dir.file("no/folder/p.bmp")};
    EXPECT_FALSE(l.exportPicture(1, 98, 97, 0));
    EXPECT_EQ(host.texts(), std::vector<std::string>{"Can't file open"});
}

TEST_F(GlyphListTest, PictureChooserNamesOfEachSizeAndModel) {
    auto medium = list(GlyphSize::Medium);
    EXPECT_EQ(medium.pictureFileChoice(0).title,
              "ゴシック体 中文字外字登録番号001をbmpファイルで保存");
    EXPECT_EQ(medium.pictureFileChoice(0).initialPath, "gm001.bmp");
    EXPECT_EQ(list(GlyphSize::Small).pictureFileChoice(255).initialPath, "gs256.bmp");
    state = makeAppState(Product::S);
    EXPECT_EQ(list(GlyphSize::Large).pictureFileChoice(69).title,
              "大文字外字登録番号70をbmpファイルで保存");
    EXPECT_EQ(list(GlyphSize::Small).pictureFileChoice(0).title,
              "小文字外字登録番号001をbmpファイルで保存");
}

TEST_F(GlyphListTest, TransfersAskRefuseAndHoldTheDialogOpen) {
    auto l = list(GlyphSize::Large);
    host.answers = {false};
    EXPECT_FALSE(l.pressRegister());
    EXPECT_EQ(host.questions.size(), 1u);
    EXPECT_EQ(host.questions[0].caption, "本機の確認");
    EXPECT_FALSE(state->link.glyphTransferBusy);

    EXPECT_TRUE(l.pressRegister());
    EXPECT_TRUE(l.transferring());
    EXPECT_FALSE(l.pressRead());
    EXPECT_FALSE(l.pressRegister());
    EXPECT_EQ(host.questions.size(), 2u);
    EXPECT_FALSE(l.close());
    EXPECT_TRUE(l.tick());
    EXPECT_EQ(transport.serialWrites.size(), 1u);
    // The table and its file stay as they are under the transfer.
    table(GlyphSize::Large)[5].assign(576, 'F');
    state->glyphs.listFilePath(GlyphSize::Large) = dir.file("t.tll");
    EXPECT_FALSE(l.clearBuffer());
    EXPECT_FALSE(l.saveFile());
    EXPECT_FALSE(l.saveFileAs());
    EXPECT_FALSE(l.openFile());
    EXPECT_EQ(table(GlyphSize::Large)[5], std::string(576, 'F'));
    EXPECT_TRUE(host.fileChoices.empty());
    EXPECT_EQ(slurp(dir.file("t.tll")), "");
    l.abandon();
    EXPECT_FALSE(state->link.glyphTransferBusy);
    EXPECT_TRUE(l.close());
}

// A transfer cut short tells the operator where the table stopped: nothing
// answers a broadcast read; a registration loses its TCP/IP connection.
TEST_F(GlyphListTest, TransferCutShortSaysWhereItStopped) {
    state->connection.rsControl = 1;
    state->connection.slaveAddress = kSlaveBroadcast;
    auto small = list(GlyphSize::Small);
    ASSERT_TRUE(small.pressRead());
    EXPECT_TRUE(small.tick());
    EXPECT_FALSE(small.tick());
    EXPECT_EQ(host.texts(), std::vector<std::string>{"外字の読み込みはNo.1で止まりました。"
                                                     "No.1から先は読み込まれていません。"});
    EXPECT_EQ(host.messages[0].kind, MessageKind::Warning);

    host.clear();
    state->connection.interfaceKind = InterfaceKind::Tcp;
    state->link.socketConnected = true;
    auto large = list(GlyphSize::Large);
    ASSERT_TRUE(large.pressRegister());
    transport.queueData("GO\r\n");
    EXPECT_TRUE(large.tick());
    state->link.socketConnected = false;
    EXPECT_FALSE(large.tick());
    EXPECT_EQ(host.texts(), std::vector<std::string>{"外字の登録はNo.2で止まりました。"
                                                     "No.2から先は登録されていません。"});
}

TEST(GlyphInfo, FiveLinesPerModel) {
    const auto f = glyphInfoLines(Product::F);
    EXPECT_EQ(f[0], "外字ファイルの拡張子は､");
    EXPECT_EQ(f[1], "大文字TLL　中文字TLM　小文字TLSです。");
    EXPECT_EQ(f[2], "マウス左ボタン ダブルクリックで編集画面");
    EXPECT_EQ(f[3], "マウス右ボタン ダブルクリックでBMPファイルを作成します。");
    EXPECT_EQ(f[4], "※外字操作は､自動切換え時に行わないでください。");
    const auto s = glyphInfoLines(Product::S);
    EXPECT_EQ(s[2], "マウス左ボタン ダブルクリックで外字作成画面");
    EXPECT_EQ(s[3], "マウス右ボタン ダブルクリックでbmpファイルを作成します。");
    EXPECT_EQ(s[4], f[4]);
}

} // namespace
} // namespace tlx
