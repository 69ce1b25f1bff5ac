// The desktop program's links and dialogs against tlx500-sim on a
// pseudo-terminal: the real serial link, the main window's tick and the
// read-all and send-all dialogs.

#include "app/app_dialogs.h"
#include "app/main_window.h"
#include "device/device_state.h"
#include "device/seeded_state.h"
#include "dialogs/run_dialog.h"
#include "protocol/app_state.h"
#include "protocol/link_hub.h"
#include "settings/connection_ini.h"
#include "support/fake_host.h"
#include "support/read_fields.h"
#include "window_fixture.h"

#include <QFile>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using tlx::Product;
using tlx::test::FakeHost;

namespace {

constexpr int kSeed = 23;

class Emulator {
  public:
    bool start(const QStringList& extra) {
        link_ = dir_.filePath("ttyTLX");
        const QString ready = dir_.filePath("ready");
        process_.start(TLX_SIM_PATH, QStringList{"--pty", link_, "--ready-file", ready} + extra);
        if (!process_.waitForStarted()) {
            return false;
        }
        for (int i = 0; i < 400 && !QFile::exists(ready); ++i) {
            QTest::qWait(25);
        }
        return QFile::exists(ready);
    }
    ~Emulator() {
        process_.terminate();
        if (!process_.waitForFinished(5000)) {
            process_.kill();
            process_.waitForFinished();
        }
    }
    const QString& link() const { return link_; }

  private:
    QTemporaryDir dir_;
    QProcess process_;
    QString link_;
};

} // namespace

class DesktopE2eTest : public tlx::test::WindowTest {
    Q_OBJECT

    void open(Product p, const QString& link) {
        makeWindow(p, link.toStdString());
        window->show();
        links->startSerialLink();
    }

    std::unique_ptr<tlx::qt::RunDialog> dialog(int command) {
        tlx::qt::AppDialogs dialogs(*state, *host, *links, *ini, window.get());
        auto d = dialogs.create(*tlx::routeOf(state->product, command));
        auto* run = dynamic_cast<tlx::qt::RunDialog*>(d.get());
        if (run == nullptr) {
            return nullptr;
        }
        d.release();
        run->setPaceScale(0.02);
        return std::unique_ptr<tlx::qt::RunDialog>(run);
    }

  private slots:
    void cleanup() { dropWindow(); }

    // Model S: the shorter run (1593 steps) reads every kind of reply.
    void readAllOverThePseudoTerminal() {
        const Product p = Product::S;
        Emulator sim;
        QVERIFY(sim.start({"--model", "S", "--seed", QString::number(kSeed)}));
        open(p, sim.link());
        QVERIFY2(host->messages.empty(),
                 host->messages.empty() ? "" : host->messages[0].text.c_str());
        QVERIFY(state->link.serialOpen);

        auto read = dialog(32807);
        QVERIFY(read != nullptr);
        read->show();
        read->startButton()->click();
        QTRY_VERIFY_WITH_TIMEOUT(!read->isVisible(), 120000);
        QCOMPARE(read->result(), int(QDialog::Accepted));
        QCOMPARE(state->model.busyStep, 0);
        // The end of the run is told with its count of commands, and the
        // answer to the last read, which comes with the link idle again, is
        // acknowledged. The run dialog's timer and the window's tick each
        // tell one of them, so either may come first.
        QTRY_COMPARE(host->texts().size(), std::size_t{2});
        const auto texts = host->texts();
        const bool endFirst = texts[0] != "Success";
        QVERIFY(texts[endFirst ? 0 : 1].starts_with("設定項目を読み込みました。\nコマンド 1591 件、"));
        QCOMPARE(texts[endFirst ? 1 : 0], std::string("Success"));

        // The emulator's device is the seeded one.
        auto expected = tlx::device::makeDeviceState(p);
        tlx::device::seedDeviceState(*expected, kSeed);
        const tlx::SettingsModel& m = state->model;
        const tlx::SettingsModel& d = expected->model;
        QCOMPARE(tlx::test::readFieldsDiff(m, d, p), std::string());
        QVERIFY(m.charColour == d.charColour);
        QVERIFY(m.blink == d.blink);
    }

    // The device refuses the 40th line: the run stops with its message and
    // the dialog stays open; then Close.
    void errorReplyStopsSendAllWithTheDialogOpen() {
        Emulator sim;
        QVERIFY(sim.start({"--model", "F", "--reply-at", "40:E3"}));
        open(Product::F, sim.link());
        auto send = dialog(32791);
        QVERIFY(send != nullptr);
        send->show();
        send->startButton()->click();
        QTRY_VERIFY_WITH_TIMEOUT(!send->timerActive(), 30000);
        QTest::qWait(100);
        QVERIFY(send->isVisible());
        QCOMPARE(host->texts(), std::vector<std::string>{"Command Error"});
        QCOMPARE(send->progressBar()->value(), 40);
        QCOMPARE(state->model.busyStep, 0);
        send->closeButton()->click();
        QVERIFY(!send->isVisible());
    }

    // An emulator that falls silent: after the no-answer time of the main
    // window's tick the read ends as if complete, with one "No Connect".
    void silentDeviceEndsTheReadWithNoConnect() {
        Emulator sim;
        QVERIFY(sim.start({"--model", "S", "--silent-after", "3"}));
        open(Product::S, sim.link());
        auto read = dialog(32807);
        read->show();
        read->startButton()->click();
        QTRY_VERIFY_WITH_TIMEOUT(!read->isVisible(), 20000);
        QCOMPARE(host->texts(), std::vector<std::string>{"No Connect"});
        QCOMPARE(state->model.busyStep, 0);
    }
};

QTEST_MAIN(DesktopE2eTest)
#include "desktop_e2e_test.moc"
