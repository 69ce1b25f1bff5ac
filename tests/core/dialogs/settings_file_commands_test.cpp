#include "core/base/temp_dir.h"
#include "dialogs/settings_file_commands.h"
#include "protocol/app_state.h"
#include "settings/settings_file.h"
#include "support/fake_host.h"

#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <sys/resource.h>
#include <sys/stat.h>

namespace tlx {
namespace {

using test::FakeHost;
using test::ShownMessage;
using test::TempDir;

class RecordingHost : public FakeHost {
  public:
    void settingsFileShown(std::string_view path) override { shown.emplace_back(path); }
    std::vector<std::string> shown;
};

const ShownMessage kCantOpen{MessageKind::Warning, "Can't file open", "Error"};
const ShownMessage kDontOpen{MessageKind::Warning, "Don't file open", "Error"};

class SettingsFileCommands : public ::testing::Test {
  protected:
    std::unique_ptr<AppState> state = makeAppState(Product::F);
    RecordingHost host;
    TempDir dir;
};

TEST_F(SettingsFileCommands, SaveRightAfterStartSaysNoFileIsOpen) {
    EXPECT_FALSE(saveSettingsFile(*state, host));
    EXPECT_EQ(host.messages, std::vector<ShownMessage>{kDontOpen});
}

TEST_F(SettingsFileCommands, SaveAsAppliesTheExtensionRule) {
    std::filesystem::create_directory(dir.path() / "d.dat");
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"abc", "abc.dat"},         {"abc.dat", "abc.dat"},         {"ABC.DAT", "ABC.DAT.dat"},
        {"x.dat.bak", "x.dat.bak"}, {"d.dat/plain", "d.dat/plain"},
    };
    for (const auto& [given, made] : cases) {
        host.chosenFiles.push_back(dir.file(given));
        state->model.dataModified = true;
        EXPECT_TRUE(saveSettingsFileAs(*state, host)) << given;
        EXPECT_EQ(state->model.currentFilePath, dir.file(made)) << given;
        EXPECT_FALSE(state->model.dataModified);
        EXPECT_TRUE(std::filesystem::is_regular_file(dir.file(made))) << given;
        EXPECT_EQ(host.shown.back(), dir.file(made));
    }
    EXPECT_TRUE(host.messages.empty());
    ASSERT_FALSE(host.fileChoices.empty());
    const auto& c = host.fileChoices.front();
    EXPECT_TRUE(c.save);
    EXPECT_EQ(c.title, "ファイルの保存");
    ASSERT_EQ(c.filters.size(), 2u);
    EXPECT_EQ(c.filters[0].label, "データ(*.dat)");
    EXPECT_EQ(c.filters[0].pattern, "*.dat");
    EXPECT_EQ(c.filters[1].label, "すべて(*.*)");
    EXPECT_EQ(c.filters[1].pattern, "*.*");
    EXPECT_TRUE(c.initialPath.empty());
}

TEST_F(SettingsFileCommands, SaveAsAsksBeforeReplacingTheFileTheRuleNamed) {
    const std::string existing = dir.file("abc.dat");
    test::spit(existing, "keep me");
    host.chosenFiles.push_back(dir.file("abc"));
    host.answers.push_back(false);
    EXPECT_FALSE(saveSettingsFileAs(*state, host));
    ASSERT_EQ(host.questions.size(), 1u);
    EXPECT_EQ(host.questions[0].text, existing + " は既に存在します。\n上書きしますか？");
    EXPECT_EQ(test::slurp(existing), "keep me");
    EXPECT_TRUE(state->model.currentFilePath.empty());

    // A name the chooser itself confirmed is not asked about again.
    host.chosenFiles.push_back(existing);
    EXPECT_TRUE(saveSettingsFileAs(*state, host));
    EXPECT_EQ(host.questions.size(), 1u);
    EXPECT_NE(test::slurp(existing), "keep me");
}

TEST_F(SettingsFileCommands, CancelledChoosersChangeNothing) {
    state->model.dataModified = true;
    EXPECT_FALSE(saveSettingsFileAs(*state, host));
    EXPECT_FALSE(openSettingsFile(*state, host));
    EXPECT_TRUE(state->model.dataModified);
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(SettingsFileCommands, SaveThenOpenReproducesTheSettings) {
    state->model.titleText[2][3].assign("\x82\xa0");
    state->model.charColour[5][5] = 3;
    state->model.currentFilePath = dir.file("s.dat");
    state->model.dataModified = true;
    ASSERT_TRUE(saveSettingsFile(*state, host));
    EXPECT_FALSE(state->model.dataModified);

    auto other = makeAppState(Product::F);
    other->model.dataModified = false;
    host.chosenFiles.push_back(dir.file("s.dat"));
    ASSERT_TRUE(openSettingsFile(*other, host));
    EXPECT_EQ(other->model.titleText[2][3].view(), "\x82\xa0");
    EXPECT_EQ(other->model.charColour[5][5], 3);
    EXPECT_EQ(other->model.currentFilePath, dir.file("s.dat"));
    EXPECT_EQ(host.shown.back(), dir.file("s.dat"));
    const auto& c = host.fileChoices.back();
    EXPECT_FALSE(c.save);
    EXPECT_EQ(c.title, "ファイルのオープン");
}

TEST_F(SettingsFileCommands, OpenAsksAboutUnsavedChangesFirst) {
    state->model.dataModified = true;
    host.answers.push_back(false);
    EXPECT_FALSE(openSettingsFile(*state, host));
    ASSERT_EQ(host.questions.size(), 1u);
    EXPECT_EQ(host.questions[0].text, "データを保存せずに別のファイルを開きますか？");
    EXPECT_EQ(host.questions[0].caption, "TLX-500F_Z200");
    EXPECT_TRUE(host.fileChoices.empty());
    EXPECT_TRUE(state->model.dataModified);
}

TEST_F(SettingsFileCommands, OpenOfAMissingFileWarnsAndChangesNothing) {
    state->model.charSize[0][0] = 1;
    state->model.currentFilePath = "/before.dat";
    host.chosenFiles.push_back(dir.file("missing.dat"));
    EXPECT_FALSE(openSettingsFile(*state, host));
    EXPECT_EQ(host.messages, std::vector<ShownMessage>{kCantOpen});
    EXPECT_EQ(state->model.charSize[0][0], 1);
    EXPECT_EQ(state->model.currentFilePath, "/before.dat");

    host.clear();
    host.chosenFiles.push_back(dir.path().string()); // a folder
    EXPECT_FALSE(openSettingsFile(*state, host));
    EXPECT_EQ(host.messages, std::vector<ShownMessage>{kCantOpen});
}

TEST_F(SettingsFileCommands, FileCommandsDoNothingWhileATransferRuns) {
    state->model.busyStep = 12;
    state->model.dataModified = true;
    state->model.currentFilePath = dir.file("s.dat");
    host.chosenFiles.push_back(dir.file("t.dat"));
    EXPECT_FALSE(openSettingsFile(*state, host));
    EXPECT_FALSE(newSettingsFile(*state, host));
    EXPECT_FALSE(saveSettingsFile(*state, host));
    EXPECT_FALSE(saveSettingsFileAs(*state, host));
    EXPECT_TRUE(host.fileChoices.empty());
    EXPECT_TRUE(host.questions.empty());
    EXPECT_TRUE(host.messages.empty());
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
    EXPECT_EQ(state->model.busyStep, 12);
}

TEST_F(SettingsFileCommands, NewAsksThenResetsAndForgetsTheFile) {
    state->model.charSize[1][1] = 0;
    state->model.dataModified = true;
    state->model.currentFilePath = dir.file("old.dat");
    state->link.serialOpen = true;
    state->link.socketConnected = true;
    state->glyphs.glyph(GlyphFace::Gothic, GlyphSize::Small, 0)[0] = 'F';
    state->dialogs.currentPage = 7;
    state->model.devicePortNumber = "10001";

    host.answers.push_back(false);
    EXPECT_FALSE(newSettingsFile(*state, host));
    EXPECT_EQ(state->model.charSize[1][1], 0);
    ASSERT_EQ(host.questions.size(), 1u);
    EXPECT_EQ(host.questions[0].text, "データを保存せずに新規作成しますか？");
    EXPECT_EQ(host.questions[0].caption, "TLX-500F_Z200");

    EXPECT_TRUE(newSettingsFile(*state, host));
    EXPECT_EQ(state->model.charSize[1][1], 2);
    EXPECT_FALSE(state->model.dataModified);
    EXPECT_EQ(state->dialogs.currentPage, 0);
    EXPECT_EQ(host.shown, std::vector<std::string>{""});
    // The links stay up with their port, and the glyph tables (not in this
    // file) stay drawn.
    EXPECT_EQ(state->model.devicePortNumber, "10001");
    EXPECT_TRUE(state->link.serialOpen);
    EXPECT_TRUE(state->link.socketConnected);
    EXPECT_EQ(state->glyphs.glyph(GlyphFace::Gothic, GlyphSize::Small, 0)[0], 'F');
    // Save after New cannot overwrite the old file with the new settings.
    EXPECT_FALSE(saveSettingsFile(*state, host));
    EXPECT_EQ(host.messages, std::vector<ShownMessage>{kDontOpen});
    EXPECT_FALSE(std::filesystem::exists(dir.file("old.dat")));
}

TEST_F(SettingsFileCommands, NewWithoutChangesAsksNothing) {
    EXPECT_TRUE(newSettingsFile(*state, host));
    EXPECT_TRUE(host.questions.empty());
}

TEST_F(SettingsFileCommands, ModelSQuestionsUseItsProductString) {
    auto s = makeAppState(Product::S);
    s->model.dataModified = true;
    host.answers.push_back(false);
    newSettingsFile(*s, host);
    EXPECT_EQ(host.questions.at(0).caption, "TLX-500S_Z200");
}

TEST_F(SettingsFileCommands, SaveIntoAMissingFolderWarnsAndKeepsThePath) {
    state->model.currentFilePath = dir.file("nowhere/s.dat");
    state->model.dataModified = true;
    EXPECT_FALSE(saveSettingsFile(*state, host));
    EXPECT_EQ(host.messages, std::vector<ShownMessage>{kCantOpen});
    EXPECT_TRUE(state->model.dataModified);

    host.clear();
    host.chosenFiles.push_back(dir.file("nowhere/t"));
    EXPECT_FALSE(saveSettingsFileAs(*state, host));
    EXPECT_EQ(host.messages, std::vector<ShownMessage>{kCantOpen});
    EXPECT_EQ(state->model.currentFilePath, dir.file("nowhere/s.dat"));
}

// Makes every write beyond a few bytes fail as on a full disk.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        ::getrlimit(RLIMIT_FSIZE, &previous_);
        rlimit limit = previous_;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousHandler_);
    }

  private:
    rlimit previous_{};
    void (*previousHandler_)(int) = nullptr;
};

TEST_F(SettingsFileCommands, AFailedWriteIsReportedAndTheOldFileSurvives) {
    const std::string path = dir.file("s.dat");
    test::spit(path, "old contents");
    state->model.currentFilePath = path;
    state->model.dataModified = true;
    {
        FileSizeLimit limit(1000);
        EXPECT_FALSE(saveSettingsFile(*state, host));
    }
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].kind, MessageKind::Warning);
    EXPECT_EQ(host.messages[0].caption, "Error");
    EXPECT_TRUE(host.messages[0].text.starts_with("Can't file write\n" + path + "\n"));
    EXPECT_GT(host.messages[0].text.size(), ("Can't file write\n" + path + "\n").size());
    EXPECT_TRUE(state->model.dataModified);
    EXPECT_EQ(test::slurp(path), "old contents");
    // No temporary file is left behind.
    std::size_t files = 0;
    for (const auto& e : std::filesystem::directory_iterator(dir.path())) {
        (void)e;
        ++files;
    }
    EXPECT_EQ(files, 1u);
}

TEST_F(SettingsFileCommands, SavingKeepsTheFilesPermissions) {
    const std::string path = dir.file("s.dat");
    test::spit(path, "old");
    ::chmod(path.c_str(), 0640);
    state->model.currentFilePath = path;
    ASSERT_TRUE(saveSettingsFile(*state, host));
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(test::slurp(path), writeSettingsFile(state->model, Product::F));
}

TEST_F(SettingsFileCommands, SavingThroughASymbolicLinkReplacesItsTarget) {
    const std::string real = dir.file("real.dat");
    const std::string link = dir.file("link.dat");
    test::spit(real, "old");
    std::filesystem::create_symlink(real, link);
    state->model.currentFilePath = link;
    ASSERT_TRUE(saveSettingsFile(*state, host));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(test::slurp(real), writeSettingsFile(state->model, Product::F));
}

} // namespace
} // namespace tlx
