#include "app/app_dialogs.h"
#include "app/main_window.h"
#include "app/menu_logic.h"
#include "app/traffic_log_window.h"
#include "base/settings_file_io.h"
#include "protocol/app_state.h"
#include "protocol/link_hub.h"
#include "protocol/protocol.h"
#include "settings/connection_ini.h"
#include "support/fake_host.h"
#include "window_fixture.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <algorithm>
#include <set>

using tlx::Product;
using tlx::test::FakeHost;

namespace {

// The menu bars as the operator sees them: one line per item, submenu items
// indented, separators as "-", each command with its identifier. The two
// models differ only in these items.
struct ModelItems {
    const char* lineItems; // after the character size
    const char* pageItems; // after the display page
    const char* glyphLists;
    const char* about;
};

QString menuBar(const ModelItems& m) {
    std::string s = R"(ﾌｧｲﾙ
  新規作成 32775
  開く 32776
  上書き保存 32777
  名前を付けて保存 32778
  -
  ｱﾌﾟﾘｹｰｼｮﾝの終了 121
設定
  日付，時刻 32780
  タイトル入力 32781
  文字サイズ 32804
)";
    s += m.lineItems;
    s += R"(  点滅 32806
  自動切換え 32783
  文字＆縁取り色 32784
  背景色ベタ塗り 32785
  白黒レベル 32786
  スケジュール 32787
  アラーム 32788
  リモート 32789
  その他 32790
  表示ページ 32802
)";
    s += m.pageItems;
    s += R"(  -
  外字挿入 32794
  外字一覧
)";
    s += m.glyphLists;
    s += R"(  -
  全項目の設定 32791
  機器のスレーブアドレス 32792
  メンテナンス
    設定項目の読み込み 32807
インターフェイス
  インターフェイスの設定 32798
  RS-232C/485の設定 32799
  クライアント/サーバー 32803
  TCP/IPの設定 32800
プロトコル
  プロトコルの設定 32801
情報
)";
    s += m.about;
    s += R"(ツール
  ファイルと比較... 40001
  装置と比較... 40002
  変更分のみ送信... 40003
  タイトル一覧 40011
  タイトルの書き出し... 40012
  タイトルの読み込み... 40013
  通信ログ 40021
)";
    return QString::fromStdString(s);
}

const ModelItems kMenuF{"  行間 32805\n",
                        "  水平方向のオフセット 32809\n"
                        "  センタリング 32810\n"
                        "  消去時間 32811\n"
                        "  フォント種類 32816\n",
                        "    小文字 32813\n"
                        "    中文字 32814\n"
                        "    大文字 32815\n",
                        "  TLX500F Z200 のﾊﾞｰｼﾞｮﾝ情報. 120\n"
                        "  外字について 32812\n"};

const ModelItems kMenuS{"  ポジション 32809\n"
                        "  垂直方向のオフセット 32810\n"
                        "  スクロール速度 32811\n",
                        "  消去時間 32812\n"
                        "  フォント種類 32817\n",
                        "    小文字 32814\n"
                        "    中文字 32815\n"
                        "    大文字 32816\n",
                        "  TLX500S_Z200 のﾊﾞｰｼﾞｮﾝ情報. 120\n"
                        "  外字について 32813\n"};

const QStringList kTooltipsF{
    "日付，時刻",   "タイトル入力",   "文字サイズ",     "行間",       "点滅",
    "自動切換え",   "文字＆縁取り色", "背景色ベタ塗り", "白黒レベル", "スケジュール",
    "アラーム",     "リモート",       "その他",         "表示ページ", "水平方向のオフセット",
    "センタリング", "消去時間",       "フォント種類"};
const QStringList kTooltipsS{
    "日付，時刻",     "タイトル入力", "文字サイズ",  "ポジション",       "垂直方向のオフセット",
    "スクロール速度", "点滅",         "自動切換え",  "文字色＆縁取り色", "背景色ベタ塗り",
    "白黒レベル",     "スケジュール", "アラーム",    "リモート",         "その他",
    "表示ページ",     "消去時間",     "フォント種類"};

// Toolbar command -> the menu command of the same row and the dialog it opens.
struct ToolRow {
    int tool;
    int menu;
    int dialogTemplate;
    const char* title;
};
const std::vector<ToolRow> kToolRowsF{
    {501, 32780, 134, "日付＆時刻の設定"},
    {502, 32781, 138, "タイトルの設定"},
    {503, 32804, 183, "文字サイズ"},
    {504, 32805, 185, "行間"},
    {505, 32806, 187, "点滅"},
    {506, 32783, 140, "自動切換え"},
    {507, 32784, 161, "文字＆縁取り色"},
    {508, 32785, 144, "背景色ベタ塗り"},
    {509, 32786, 146, "白黒レベル"},
    {510, 32787, 163, "スケジュール"},
    {511, 32788, 133, "アラーム"},
    {512, 32789, 165, "リモート"},
    {513, 32790, 136, "その他"},
    {514, 32802, 175, "表示ページ"},
    {515, 32809, 205, "水平方向オフセットの設定"},
    {516, 32810, 207, "センタリング表示の設定"},
    {517, 32811, 209, "消去時間の設定"},
    {518, 32816, 218, "フォント種類"},
};
const std::vector<ToolRow> kToolRowsS{
    {501, 32780, 134, "日付＆時刻の設定"},
    {502, 32781, 138, "タイトルの設定"},
    {503, 32804, 189, "文字サイズの設定"},
    {504, 32809, 198, "表示位置の設定"},
    {505, 32810, 201, "表示位置オフセット"},
    {506, 32811, 205, "スクロール速度の設定"},
    {507, 32806, 190, "点滅表示の設定"},
    {508, 32783, 192, "自動切換えの設定"},
    {509, 32784, 194, "文字色の設定"},
    {510, 32785, 196, "背景色ベタ塗りの設定"},
    {511, 32786, 146, "文字レベルの設定"},
    {512, 32787, 163, "スケジュール"},
    {513, 32788, 133, "アラームの設定"},
    {514, 32789, 165, "リモートの設定"},
    {515, 32790, 136, "その他"},
    {516, 32802, 175, "表示ページ"},
    {517, 32812, 207, "消去時間の設定"},
    {518, 32817, 217, "フォント種類の設定"},
};

void dumpMenu(const QMenu* menu, int depth, QString& out) {
    for (QAction* a : menu->actions()) {
        out += QString(depth * 2, ' ');
        if (a->isSeparator()) {
            out += "-\n";
        } else if (a->menu() != nullptr) {
            out += a->text() + "\n";
            dumpMenu(a->menu(), depth + 1, out);
        } else {
            out += a->text() + " " + QString::number(a->data().toInt()) + "\n";
        }
    }
}

QString dumpMenuBar(const QMenuBar* bar) {
    QString out;
    for (QAction* top : bar->actions()) {
        out += top->text() + "\n";
        dumpMenu(top->menu(), 1, out);
    }
    return out;
}

QMenu* topMenu(tlx::qt::MainWindow& w, const QString& label) {
    for (QAction* top : w.menuBar()->actions()) {
        if (top->text() == label) {
            return top->menu();
        }
    }
    return nullptr;
}

class RecordingLauncher : public tlx::qt::DialogLauncher {
  public:
    void open(const tlx::CommandRoute& route) override { opened.push_back(route); }
    std::vector<tlx::CommandRoute> opened;
};

} // namespace

class MainWindowTest : public tlx::test::WindowTest {
    Q_OBJECT

    RecordingLauncher launcher;

    void make(Product p) {
        makeWindow(p);
        launcher.opened.clear();
        window->setDialogLauncher(&launcher);
    }

    QString file(const char* name) const { return dir.filePath(name); }

  private slots:
    void cleanup() { dropWindow(); }

    void menuBarOfModelF() {
        make(Product::F);
        QCOMPARE(dumpMenuBar(window->menuBar()), menuBar(kMenuF));
    }

    void menuBarOfModelS() {
        make(Product::S);
        QCOMPARE(dumpMenuBar(window->menuBar()), menuBar(kMenuS));
    }

    // The log window opens beside the main window, not modal, and shows what
    // the links carry.
    void trafficLogOpensFromTheToolsMenu() {
        make(Product::F);
        window->action(tlx::kCmdTrafficLog)->trigger();
        tlx::qt::TrafficLogWindow* log = window->trafficLogWindow();
        QVERIFY(log != nullptr);
        QVERIFY(log->isVisible());
        QVERIFY(!log->isModal());
        links->serial().write("RVN\r\n");
        log->refresh();
        QCOMPARE(log->model()->rowCount(), 1);
        QVERIFY(log->model()->index(0).data().toString().endsWith(" > /dev/ttyS0  RVN\\x0D\\x0A"));
        window->action(tlx::kCmdTrafficLog)->trigger();
        QCOMPARE(window->trafficLogWindow(), log);
    }

    void toolBarOfBothModels() {
        for (Product p : {Product::F, Product::S}) {
            make(p);
            QToolBar* bar = window->toolBar();
            const QList<QAction*> actions = bar->actions();
            QCOMPARE(actions.size(), 18);
            const QStringList& tips = p == Product::F ? kTooltipsF : kTooltipsS;
            for (int i = 0; i < actions.size(); ++i) {
                QCOMPARE(actions[i]->data().toInt(), 501 + i);
                QCOMPARE(actions[i]->toolTip(), tips[i]);
                QVERIFY(!actions[i]->isSeparator());
                QVERIFY(actions[i]->isEnabled());
                QVERIFY(!actions[i]->icon().isNull());
                // No focus frame left behind by a click.
                QCOMPARE(bar->widgetForAction(actions[i])->focusPolicy(), Qt::NoFocus);
            }
            QCOMPARE(bar->iconSize(), p == Product::F ? QSize(32, 20) : QSize(31, 20));
            QVERIFY(!bar->isMovable());
        }
    }

    // Every toolbar button opens the dialog of its menu row.
    void toolbarButtonsRouteLikeTheirMenuRows() {
        for (Product p : {Product::F, Product::S}) {
            make(p);
            for (const ToolRow& row : p == Product::F ? kToolRowsF : kToolRowsS) {
                launcher.opened.clear();
                window->action(row.tool)->trigger();
                window->action(row.menu)->trigger();
                QCOMPARE(launcher.opened.size(), std::size_t{2});
                QCOMPARE(launcher.opened[0].dialogTemplate, row.dialogTemplate);
                QCOMPARE(QString::fromUtf8(launcher.opened[0].title.data(),
                                           static_cast<qsizetype>(launcher.opened[0].title.size())),
                         QString::fromUtf8(row.title));
                QCOMPARE(launcher.opened[1].feature, launcher.opened[0].feature);
                QCOMPARE(launcher.opened[1].dialogTemplate, row.dialogTemplate);
            }
        }
    }

    // Each menu item reaches its own route; no identifier routes twice and
    // nothing outside the table is routed.
    void everyMenuCommandIsRouted() {
        for (Product p : {Product::F, Product::S}) {
            make(p);
            std::set<int> seen;
            for (const QAction* a : window->menuBar()->findChildren<QAction*>()) {
                if (a->isSeparator() || a->menu() != nullptr || a->data().toInt() == 0) {
                    continue;
                }
                const int id = a->data().toInt();
                const auto route = tlx::routeOf(p, id);
                QVERIFY2(route.has_value(), qPrintable(QString::number(id)));
                QCOMPARE(route->command, id);
                QVERIFY(seen.insert(id).second);
            }
            QCOMPARE(seen.size(), tlx::commandRoutes(p).size());
            QVERIFY(!tlx::routeOf(p, 519).has_value());
            QVERIFY(!tlx::routeOf(p, 0).has_value());
        }
        QVERIFY(!tlx::routeOf(Product::S, 32805).has_value()); // model S has no line spacing
    }

    void settingsDialogCommandsOpenTheirDialogs() {
        make(Product::F);
        const std::vector<std::pair<int, int>> rows{
            {32794, 167}, {32813, 212}, {32814, 214}, {32815, 216}, {32791, 150},
            {32792, 148}, {32807, 156}, {32798, 152}, {32799, 154}, {32803, 180},
            {32812, 211}, {120, 100},   {32801, 159}};
        for (const auto& [command, dialogTemplate] : rows) {
            launcher.opened.clear();
            window->routeCommand(command);
            QCOMPARE(launcher.opened.size(), std::size_t{1});
            QCOMPARE(launcher.opened[0].dialogTemplate, dialogTemplate);
        }
        launcher.opened.clear();
        window->routeCommand(4242);
        QVERIFY(launcher.opened.empty());
        QVERIFY(host->messages.empty());
    }

    void deviceNetworkIsRefusedUnderTcp() {
        for (Product p : {Product::F, Product::S}) {
            make(p);
            state->connection.interfaceKind = tlx::InterfaceKind::Tcp;
            window->routeCommand(32801);
            QVERIFY(launcher.opened.empty());
            const std::string refusal = p == Product::F
                                            ? "インターフェイスをRS-232Cにしてください。"
                                            : "インターフェースをRS-232Cにしてください。";
            const std::vector<tlx::test::ShownMessage> expected{
                {tlx::MessageKind::Error, refusal, "Error"}};
            QCOMPARE(host->messages, expected);
        }
    }

    void interfaceItemsFollowTheSettings() {
        make(Product::F);
        QMenu* interfaceMenu = topMenu(*window, "インターフェイス");
        QMenu* settingsMenu = topMenu(*window, "設定");
        QVERIFY(interfaceMenu && settingsMenu);
        auto states = [&] {
            return std::vector<bool>{
                window->action(32799)->isEnabled(), window->action(32803)->isEnabled(),
                window->action(32800)->isEnabled(), window->action(32792)->isEnabled()};
        };
        state->connection.interfaceKind = tlx::InterfaceKind::Tcp;
        emit interfaceMenu->aboutToShow();
        QCOMPARE(states(), (std::vector<bool>{false, true, true, false}));

        state->connection.interfaceKind = tlx::InterfaceKind::Serial;
        state->connection.rsControl = 1;
        emit settingsMenu->aboutToShow();
        QCOMPARE(states(), (std::vector<bool>{true, false, false, true}));

        // RS-232C: the slave address greys the next time a menu opens.
        state->connection.rsControl = 0;
        QVERIFY(window->action(32792)->isEnabled());
        emit settingsMenu->aboutToShow();
        QCOMPARE(states(), (std::vector<bool>{true, false, false, false}));
        QVERIFY(window->action(32798)->isEnabled());
        QVERIFY(window->action(32801)->isEnabled());
    }

    void clockShowsBlankPaddedDateAndZeroPaddedTime() {
        make(Product::F);
        window->showClock(QDateTime(QDate(2024, 3, 5), QTime(9, 5, 7)));
        QCOMPARE(window->dateLabel()->text(), QString("2024年 3月 5日  火曜日"));
        QCOMPARE(window->timeLabel()->text(), QString("09：05：07"));
        window->showClock(QDateTime(QDate(2023, 12, 31), QTime(23, 59, 0)));
        QCOMPARE(window->dateLabel()->text(), QString("2023年12月31日  日曜日"));
        QCOMPARE(window->timeLabel()->text(), QString("23：59：00"));
        QCOMPARE(window->dateLabel()->width(), 500);
        QCOMPARE(window->timeLabel()->width(), 200);
        QCOMPARE(window->timeLabel()->frameShadow(), QFrame::Raised);
    }

    void titleFollowsClientServerAndTheCurrentFile() {
        make(Product::F);
        QCOMPARE(window->windowTitle(), QString("TLX-500F_Z200 Client Program"));
        state->connection.clientServer = 1;
        window->refreshTitle();
        QCOMPARE(window->windowTitle(), QString("TLX-500F_Z200 Server Program"));

        make(Product::S);
        state->connection.clientServer = 1;
        window->refreshTitle();
        QCOMPARE(window->windowTitle(), QString("TLX-500S Z200 Server Program"));
        state->connection.clientServer = 0;
        const std::string path = file("a.dat").toStdString();
        host->chosenFiles.push_back(dir.filePath("a").toStdString());
        window->routeCommand(32778); // save as: ".dat" is appended
        QCOMPARE(window->windowTitle(), QString("TLX-500S Z200 Client Program - a.dat"));
        QCOMPARE(window->toolTip(), QString::fromStdString(path));
        QVERIFY(QFile::exists(file("a.dat")));
        QCOMPARE(host->fileChoices.size(), std::size_t{1});
        QVERIFY(host->fileChoices[0].save);
        QCOMPARE(host->fileChoices[0].title, std::string("ファイルの保存"));
        window->routeCommand(32775); // new: the file is forgotten
        QCOMPARE(window->windowTitle(), QString("TLX-500S Z200 Client Program"));
    }

    // Not resizable, at least the size of the version table, and wide enough
    // for every toolbar button.
    void fixedSizeFromTheVersionTable() {
        for (Product p : {Product::F, Product::S}) {
            make(p);
            window->show();
            QVERIFY(QTest::qWaitForWindowExposed(window.get()));
            const tlx::WindowSize table = tlx::qt::MainWindow::tableSize(p);
            QCOMPARE(window->minimumSize(), window->maximumSize());
            QVERIFY(window->width() >= table.width);
            QVERIFY(window->height() >= table.height);
            QCOMPARE(window->pos(), QPoint(0, 0));
            for (QAction* a : window->toolBar()->actions()) {
                QWidget* button = window->toolBar()->widgetForAction(a);
                QVERIFY(button != nullptr && button->isVisible());
                QVERIFY(button->geometry().right() < window->toolBar()->width());
            }
        }
    }

    void tickWorkRunsAlsoWhileADialogIsOpen() {
        make(Product::F);
        QVERIFY(window->tickRunning());
        QDialog dialog(window.get());
        QTimer::singleShot(10, [&] { state->link.successPending = true; });
        QTimer::singleShot(600, &dialog, &QDialog::accept);
        dialog.exec();
        const std::vector<tlx::test::ShownMessage> expected{
            {tlx::MessageKind::Notice, "Success", "Success"}};
        QCOMPARE(host->messages, expected);
        QVERIFY(!state->link.successPending);
    }

    void exitIsRefusedWhileTcpIsConnected() {
        make(Product::F);
        window->show();
        QSignalSpy exiting(window.get(), &tlx::qt::MainWindow::exiting);
        state->connection.interfaceKind = tlx::InterfaceKind::Tcp;
        state->link.socketConnected = true;
        state->model.dataModified = true;
        window->routeCommand(121);
        QVERIFY(window->isVisible());
        QCOMPARE(exiting.count(), 0);
        const std::vector<tlx::test::ShownMessage> expected{
            {tlx::MessageKind::Error, "TCP/IPを切断してください。", "Error"}};
        QCOMPARE(host->messages, expected);
        QVERIFY(host->questions.empty());
        QVERIFY(window->tickRunning());
    }

    // Unsaved changes, never saved: "No" runs save-as, then the program ends.
    void exitSavesAsWhenNeverSaved() {
        make(Product::F);
        window->show();
        QSignalSpy exiting(window.get(), &tlx::qt::MainWindow::exiting);
        state->model.dataModified = true;
        state->model.titleText[0][0].assign("ABC");
        host->answers.push_back(false);
        host->chosenFiles.push_back(file("exit").toStdString());
        QVERIFY(window->close());
        QCOMPARE(exiting.count(), 1);
        QCOMPARE(host->questions.size(), std::size_t{1});
        QCOMPARE(host->questions[0].text, std::string("データを保存せずに終了しますか？"));
        QCOMPARE(host->questions[0].caption, std::string("TLX-500F_Z200"));
        QVERIFY(QFile::exists(file("exit.dat")));
        QVERIFY(!window->tickRunning());
        QVERIFY(!state->link.linkRunning);
    }

    // The status panel follows the link, the file and the replies on the tick.
    void statusPanelFollowsTheTick() {
        make(Product::F);
        QCOMPARE(window->linkStatus()->text(),
                 QString("RS-232C /dev/ttyS0 115200bps 8E1  未オープン"));
        QCOMPARE(window->fileStatus()->text(), QString("ファイル （未保存）    最終応答 なし"));
        state->model.currentFilePath = "/tmp/a/b.dat";
        state->model.dataModified = true;
        tlx::dispatchSerialReply(*state, *host, "GO\r\n");
        QTRY_VERIFY(window->fileStatus()->text().startsWith(
            QString("ファイル b.dat（変更あり）    最終応答 GO  ")));
        state->connection.rsControl = 1;
        state->connection.slaveAddress = 12;
        QTRY_VERIFY(window->linkStatus()->text().endsWith(QString("アドレス 12")));
    }

    // The file commands answer the desktop's usual keys; Ctrl+Q takes the
    // exit flow like the menu command.
    void fileCommandsHaveTheUsualKeys() {
        make(Product::S);
        QCOMPARE(window->action(32775)->shortcut(), QKeySequence("Ctrl+N"));
        QCOMPARE(window->action(32776)->shortcut(), QKeySequence("Ctrl+O"));
        QCOMPARE(window->action(32777)->shortcut(), QKeySequence("Ctrl+S"));
        QCOMPARE(window->action(121)->shortcut(), QKeySequence("Ctrl+Q"));
        QVERIFY(window->action(32778)->shortcut().isEmpty());
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        QSignalSpy exiting(window.get(), &tlx::qt::MainWindow::exiting);
        QTest::keyClick(window.get(), Qt::Key_Q, Qt::ControlModifier);
        QCOMPARE(exiting.count(), 1);
    }

    void exitSavesToTheCurrentFile() {
        make(Product::F);
        window->show();
        QSignalSpy exiting(window.get(), &tlx::qt::MainWindow::exiting);
        state->model.currentFilePath = file("current.dat").toStdString();
        state->model.dataModified = true;
        host->answers.push_back(false);
        QVERIFY(window->close());
        QCOMPARE(exiting.count(), 1);
        QVERIFY(host->fileChoices.empty());
        const auto bytes = tlx::readWholeFile(file("current.dat").toStdString());
        QVERIFY(bytes.bytes.has_value());
        QVERIFY(bytes.bytes->starts_with("0\r\n0\r\n0\r\ns\r\n"));
    }

    void exitWithoutSavingOnYes() {
        make(Product::S);
        window->show();
        QSignalSpy exiting(window.get(), &tlx::qt::MainWindow::exiting);
        state->model.dataModified = true;
        host->answers.push_back(true);
        QVERIFY(window->close());
        QCOMPARE(exiting.count(), 1);
        QVERIFY(host->fileChoices.empty());
        QCOMPARE(host->questions[0].caption, std::string("TLX-500S_Z200"));
    }

    // A save that was asked for and did not happen (failed, or its chooser
    // was cancelled) keeps the program and the unsaved changes open.
    void exitStaysWhenTheSaveDoesNotHappen() {
        make(Product::F);
        window->show();
        QSignalSpy exiting(window.get(), &tlx::qt::MainWindow::exiting);
        state->model.dataModified = true;
        state->model.currentFilePath = file("missing-folder/x.dat").toStdString();
        host->answers.push_back(false);
        QVERIFY(!window->close());
        QCOMPARE(exiting.count(), 0);
        QVERIFY(window->isVisible());
        QCOMPARE(host->texts(), std::vector<std::string>{"Can't file open"});

        state->model.currentFilePath.clear();
        host->clear();
        host->answers.push_back(false);
        host->chosenFiles.push_back(file("missing-folder/y").toStdString());
        QVERIFY(!window->close());
        QCOMPARE(exiting.count(), 0);

        host->fileChoices.clear();
        host->answers.push_back(false); // save first; then the chooser is cancelled
        QVERIFY(!window->close());
        QCOMPARE(exiting.count(), 0);
        QCOMPARE(host->fileChoices.size(), std::size_t{1});
        QVERIFY(window->isVisible());
        QVERIFY(state->model.dataModified);
        QVERIFY(window->tickRunning());
    }

    void realDialogsOfTheShell() {
        make(Product::F);
        tlx::qt::AppDialogs dialogs(*state, *host, *links, *ini, window.get());
        const std::vector<std::pair<int, QString>> titles{{32798, "インターフェイスの設定"},
                                                          {32799, "RS-232C/485の設定"},
                                                          {32803, "クライアント/サーバー"},
                                                          {32800, "TCP/IPの設定(Client)"},
                                                          {32792, "機器のスレーブアドレス"},
                                                          {32807, "設定項目の読み込み"},
                                                          {32791, "全項目の設定"}};
        for (const auto& [command, title] : titles) {
            auto dialog = dialogs.create(*tlx::routeOf(Product::F, command));
            QVERIFY2(dialog != nullptr, qPrintable(title));
            QCOMPARE(dialog->windowTitle(), title);
        }
        state->connection.clientServer = 1;
        state->connection.selectNumber = -1;
        QCOMPARE(dialogs.create(*tlx::routeOf(Product::F, 32800))->windowTitle(),
                 QString("TCP/IPの設定(Server)"));
        QCOMPARE(dialogs.create(*tlx::routeOf(Product::F, 32792))->windowTitle(),
                 QString("機器のスレーブアドレス"));
        QVERIFY(dialogs.create(*tlx::routeOf(Product::F, 120)) != nullptr);
    }

    // Every routed command that names a dialog template opens a dialog, in
    // both models: none is left routed to nothing. Their shared labels are
    // written alike: 「スレーブアドレス」 and the full-width 「％」.
    void everyDialogCommandOpensADialog() {
        for (Product p : {Product::F, Product::S}) {
            make(p);
            tlx::qt::AppDialogs dialogs(*state, *host, *links, *ini, window.get());
            for (const tlx::CommandRoute& route : tlx::commandRoutes(p)) {
                if (route.dialogTemplate == 0) {
                    continue;
                }
                const QString what =
                    QStringLiteral("%1 %2")
                        .arg(route.command)
                        .arg(QString::fromUtf8(route.title.data(),
                                               static_cast<qsizetype>(route.title.size())));
                const auto dialog = dialogs.create(route);
                QVERIFY2(dialog != nullptr, qPrintable(what));
                for (const QLabel* label : dialog->findChildren<QLabel*>()) {
                    QVERIFY2(label->text() != QString("Slave Address") &&
                                 label->text() != QString("%"),
                             qPrintable(what));
                }
            }
        }
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
