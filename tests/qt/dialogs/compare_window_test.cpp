#include "app/menu_logic.h"
#include "base/settings_file_io.h"
#include "device_transport.h"
#include "dialogs/compare_window.h"
#include "dialogs/dialog_context.h"
#include "dialogs/run_dialog.h"
#include "protocol/app_state.h"
#include "protocol/link_hub.h"
#include "settings/settings_file.h"
#include "support/fake_host.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using tlx::Product;
using tlx::test::DeviceTransport;
using tlx::test::FakeHost;

namespace {

// Plays the operator at each window a flow opens: starts each run at once,
// without pacing, and reads and closes the list of differences.
class Operator : public QObject {
  public:
    Operator() {
        connect(&timer_, &QTimer::timeout, this, &Operator::look);
        timer_.start(5);
    }

    int runs = 0;
    QStringList rows; // item|this program|the other
    QString otherColumn;
    QString count;

  private:
    void look() {
        QWidget* w = QApplication::activeModalWidget();
        if (auto* run = qobject_cast<tlx::qt::RunDialog*>(w)) {
            if (run->controller().end() == tlx::RunEnd::None && !run->controller().running()) {
                ++runs;
                run->setPaceScale(0.0);
                run->startButton()->click();
            }
        } else if (auto* list = qobject_cast<tlx::qt::DifferencesWindow*>(w)) {
            const QTableWidget* t = list->table();
            for (int r = 0; r < t->rowCount(); ++r) {
                rows << t->item(r, 0)->text() + "|" + t->item(r, 1)->text() + "|" +
                            t->item(r, 2)->text();
            }
            otherColumn = t->horizontalHeaderItem(2)->text();
            count = list->countText()->text();
            list->accept();
        }
    }

    QTimer timer_;
};

const std::string kA = "\x82\x60"; // full-width A

// The program holds what the device holds, but for a title and the hold time.
std::string holdTheDeviceBut2Edits(tlx::AppState& s, DeviceTransport& device) {
    const std::string deviceFile =
        tlx::writeSettingsFile(device.device().state().model, s.product);
    tlx::readSettingsFile(deviceFile, s.model, s.product);
    s.model.titleText[11][2].assign(kA);
    s.model.alarmHoldTime = "005";
    return deviceFile;
}

} // namespace

class CompareWindowTest : public QObject {
    Q_OBJECT

  private slots:
    // The window lists what the program holds against the chosen file and
    // saves the list; a file of the other model is refused with the reason.
    void compareWithFileAndSaveTheList() {
        QTemporaryDir dir;
        const std::string base = dir.filePath("base.dat").toStdString();
        const std::string other = dir.filePath("other.dat").toStdString();
        const std::string list = dir.filePath("list.txt").toStdString();
        auto state = tlx::makeAppState(Product::F);
        QVERIFY(tlx::writeFileAtomically(base, tlx::writeSettingsFile(state->model, Product::F)).ok());
        QVERIFY(tlx::writeFileAtomically(other, tlx::writeSettingsFile(state->model, Product::S)).ok());
        state->model.alarmHoldTime = "005";
        FakeHost host;
        tlx::qt::LinkHub links(*state, host);
        const auto route = *tlx::routeOf(Product::F, 40001);
        const tlx::qt::DialogContext context{*state, host, links, nullptr, route,
                                             QStringLiteral("ファイルと比較")};

        host.chosenFiles = {base};
        auto window = tlx::qt::compareWithFile(context);
        QVERIFY(window != nullptr);
        QCOMPARE(window->windowTitle(), QStringLiteral("ファイルと比較"));
        QCOMPARE(window->countText()->text(), QStringLiteral("違いのある項目: 1 件"));
        QCOMPARE(window->table()->rowCount(), 1);
        QCOMPARE(window->table()->item(0, 0)->text(), QStringLiteral("アラーム 保持時間"));
        QCOMPARE(window->table()->item(0, 1)->text(), QStringLiteral("005"));
        QCOMPARE(window->table()->item(0, 2)->text(), QStringLiteral("010"));

        host.chosenFiles = {list};
        window->saveButton()->click();
        const auto saved = tlx::readWholeFile(list);
        QVERIFY(saved.bytes.has_value());
        QCOMPARE(*saved.bytes,
                 std::string("アラーム 保持時間: 005 -> 010\r\n違いのある項目: 1 件\r\n"));

        host.chosenFiles = {other};
        QVERIFY(tlx::qt::compareWithFile(context) == nullptr);
        QVERIFY(host.texts().back().find("S 機種の設定ファイルの長さです") != std::string::npos);
        QCOMPARE(state->model.alarmHoldTime, std::string("005")); // the program's own settings stay
    }

    // The device is read into a scratch copy: the list shows what differs and
    // the program's settings are exactly as before.
    void compareWithDeviceLeavesTheSettingsAsTheyWere() {
        auto state = tlx::makeAppState(Product::F);
        FakeHost host;
        tlx::qt::LinkHub links(*state, host);
        DeviceTransport device(*state, host);
        holdTheDeviceBut2Edits(*state, device);
        state->model.dataModified = true;
        const std::string before = tlx::writeSettingsFile(state->model, Product::F);
        const auto route = *tlx::routeOf(Product::F, 40002);
        const tlx::qt::DialogContext context{*state, host, links, nullptr, route,
                                             QStringLiteral("装置と比較")};

        Operator op;
        tlx::qt::compareWithDevice(context, device);
        QCOMPARE(op.runs, 1);
        QCOMPARE(device.lines.size(), std::size_t{5168}); // the whole read-all
        QCOMPARE(op.otherColumn, QStringLiteral("装置"));
        const QString deviceHold =
            QString::fromStdString(device.device().state().model.alarmHoldTime);
        QCOMPARE(op.rows, QStringList({QStringLiteral("ページ12 行3 タイトル|「Ａ」|「」"),
                                       QStringLiteral("アラーム 保持時間|005|") + deviceHold}));
        QCOMPARE(tlx::writeSettingsFile(state->model, Product::F), before);
        QVERIFY(state->model.dataModified);
        QCOMPARE(state->model.busyStep, 0);
    }

    // Only the two edited commands go out; the read-back reads those two
    // items and finds nothing left to differ.
    void sendChangedSendsTheEditsAndReadsThemBack() {
        QTemporaryDir dir;
        const std::string base = dir.filePath("base.dat").toStdString();
        auto state = tlx::makeAppState(Product::F);
        FakeHost host;
        tlx::qt::LinkHub links(*state, host);
        DeviceTransport device(*state, host);
        QVERIFY(tlx::writeFileAtomically(base, holdTheDeviceBut2Edits(*state, device)).ok());
        const std::string before = tlx::writeSettingsFile(state->model, Product::F);
        const auto route = *tlx::routeOf(Product::F, 40003);
        const tlx::qt::DialogContext context{*state, host, links, nullptr, route,
                                             QStringLiteral("変更分のみ送信")};

        host.chosenFiles = {base};
        Operator op;
        tlx::qt::sendChanged(context, device);
        QVERIFY(!host.questions.empty());
        QCOMPARE(host.questions[0].text,
                 std::string("送信するコマンド: 2 / 5170\n予想時間: 0.7 秒 以上 "
                             "(全項目の設定: 588.4 秒 以上)\n送信しますか？"));
        QCOMPARE(op.runs, 2);
        QCOMPARE(device.lines.size(), std::size_t{4});
        QVERIFY(device.lines[0].starts_with("CA012"));
        QCOMPARE(std::vector<std::string>(device.lines.begin() + 1, device.lines.end()),
                 (std::vector<std::string>{"ADT005\r\n", "RCA012\r\n", "RADT\r\n"}));
        QCOMPARE(device.device().state().model.alarmHoldTime, std::string("005"));
        QCOMPARE(op.rows, QStringList());
        QCOMPARE(op.count, QStringLiteral("違いのある項目: 0 件"));
        QCOMPARE(tlx::writeSettingsFile(state->model, Product::F), before);
    }
};

QTEST_MAIN(CompareWindowTest)
#include "compare_window_test.moc"
