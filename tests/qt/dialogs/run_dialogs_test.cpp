#include "device_transport.h"
#include "dialog_fixture.h"
#include "dialogs/run_dialog.h"
#include "dialogs/slave_address_box.h"
#include "protocol/app_state.h"
#include "support/fake_host.h"
#include "support/fake_transport.h"
#include "support/read_fields.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

namespace tlx::test {

namespace {

// The model holds what the device holds, for every setting the read-all run
// reads.
void expectModelOf(const tlx::AppState& s, tlx::device::Device& device) {
    const tlx::SettingsModel& d = device.state().model;
    QCOMPARE(tlx::test::readFieldsDiff(s.model, d, s.product), std::string());
    QCOMPARE(s.model.firmwareVersion, d.firmwareVersion);
}

} // namespace

class RunDialogsTest : public DialogTest {
    Q_OBJECT

    // Shows the dialog and starts its run at full speed.
    static void start(tlx::qt::RunDialog& dialog) {
        dialog.setPaceScale(0.0);
        dialog.show();
        dialog.startButton()->click();
    }

    // Starts the run and waits until it stops short with the dialog open.
    static void runUntilStopped(tlx::qt::RunDialog& dialog) {
        start(dialog);
        QTRY_VERIFY_WITH_TIMEOUT(!dialog.timerActive(), 60000);
        QTest::qWait(50);
        QVERIFY(dialog.isVisible());
    }

  private slots:
    // The whole read over the serial path, each step waiting for its answer:
    // the model ends as the device's and the dialog closes itself.
    void readAllFillsTheModelAndCloses_data() { addModelRows(); }
    void readAllFillsTheModelAndCloses() {
        makeFetchedModel();
        DeviceTransport device(*state, *host, 4711);
        auto dialog = tlx::qt::makeReadAllDialog(*state, *host, device, "設定項目の読み込み");
        QCOMPARE(dialog->startButton()->text(), QString("読み込み"));
        start(*dialog);
        QCOMPARE(host->questions.size(), std::size_t{1});
        QCOMPARE(host->questions[0].text,
                 std::string("本機が自動切換えでない事を確認してください"));
        QCOMPARE(host->questions[0].caption, std::string("本機の確認"));
        QVERIFY(dialog->timerActive());
        QTRY_VERIFY_WITH_TIMEOUT(!dialog->isVisible(), 60000);
        QCOMPARE(dialog->result(), int(QDialog::Accepted));
        QCOMPARE(state->model.busyStep, 0);
        // The last read's answer arrives after the run ended.
        QTRY_VERIFY(!state->link.awaitingAnswer);
        // Firmware 2.00: every step but the two that only change the pace.
        const bool f = state->product == Product::F;
        QCOMPARE(device.lines.size(), f ? std::size_t{5168} : std::size_t{1591});
        // The end is told with the count of commands and the time taken.
        QCOMPARE(host->messages.size(), std::size_t{1});
        QCOMPARE(host->messages[0].kind, tlx::MessageKind::Notice);
        QCOMPARE(host->messages[0].caption, std::string("Success"));
        const std::string count = f ? "5168" : "1591";
        QVERIFY2(host->messages[0].text.starts_with("設定項目を読み込みました。\nコマンド " +
                                                    count + " 件、所要時間 0:"),
                 host->messages[0].text.c_str());
        expectModelOf(*state, device.device());
        QVERIFY(!state->model.dataModified);
    }

    void progressWhileReading() {
        make(Product::F);
        DeviceTransport device(*state, *host, 7);
        auto dialog = tlx::qt::makeReadAllDialog(*state, *host, device, "x");
        QCOMPARE(dialog->progressBar()->maximum(), 5170);
        QCOMPARE(dialog->activityBar()->maximum(), 20);
        start(*dialog);
        QTRY_VERIFY(device.lines.size() >= 60);
        dialog->reject();
        const int done = dialog->progressBar()->value();
        QVERIFY(done >= 59);
        QCOMPARE(dialog->activityBar()->value(), done % 21);
        const QString expected = QString(" 0%1.%2")
                                     .arg(done * 100 / 5170)
                                     .arg(done * 10000 / 5170 % 100, 2, 10, QChar('0'));
        QCOMPARE(dialog->percentText()->text(), expected);
    }

    void noOnTheConfirmationStartsNothing() {
        DeviceTransport& device = makeWithDevice(Product::F);
        auto dialog = tlx::qt::makeSendAllDialog(*state, *host, device, "全項目の設定");
        QCOMPARE(dialog->startButton()->text(), QString("設定"));
        host->answers.push_back(false);
        dialog->startButton()->click();
        QVERIFY(!dialog->timerActive());
        QTest::qWait(50);
        QVERIFY(device.lines.empty());
        QCOMPARE(state->model.busyStep, 0);
    }

    void notConnectedOverTcpIsWarned() {
        DeviceTransport& device = makeWithDevice(Product::F);
        state->connection.interfaceKind = tlx::InterfaceKind::Tcp;
        auto dialog = tlx::qt::makeReadAllDialog(*state, *host, device, "x");
        dialog->startButton()->click();
        QVERIFY(!dialog->timerActive());
        QCOMPARE(host->texts(), std::vector<std::string>{"Socket が接続されていません"});
        QCOMPARE(host->messages[0].kind, tlx::MessageKind::Warning);
    }

    // An error reply stops the send; the dialog stays open to be closed.
    void errorReplyStopsSendAllWithTheDialogOpen() {
        DeviceTransport& device = makeWithDevice(Product::F);
        device.replyAt[40] = "E3";
        auto dialog = tlx::qt::makeSendAllDialog(*state, *host, device, "全項目の設定");
        runUntilStopped(*dialog);
        QCOMPARE(device.lines.size(), std::size_t{40});
        QCOMPARE(host->texts(), std::vector<std::string>{"Command Error"});
        QCOMPARE(state->model.busyStep, 0);
        QVERIFY(!state->link.abortFlag);
        QVERIFY(dialog->closeButton()->isEnabled());
        QCOMPARE(dialog->controller().end(), tlx::RunEnd::Stopped);

        // Started again, the run begins at step 1.
        device.replyAt.clear();
        device.lines.clear();
        dialog->startButton()->click();
        QTRY_VERIFY(device.lines.size() >= 2);
        QVERIFY(device.lines[0].starts_with("CA001"));
        dialog->closeButton()->click();
        QVERIFY(!dialog->isVisible());
        QCOMPARE(dialog->result(), int(QDialog::Rejected));
    }

    // A refused or garbled answer stops the read at its step with an error
    // box; the dialog stays open.
    void wrongAnswerStopsReadAllWithTheDialogOpen_data() {
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("box");
        const auto unexpected = [](int step) {
            return QString::fromStdString(tlx::unexpectedAnswerMessage(step));
        };
        QTest::newRow("garbage") << 3 << QString("\x01\x7F") << unexpected(3);
        QTest::newRow("another kind") << 3 << QString("TSDSN") << unexpected(3);
        QTest::newRow("mode difference") << 3 << QString("GN") << QString("Mode Difference");
        // The last read's answer comes after the run sent its last command.
        QTest::newRow("last answer") << 5168 << QString("GO") << unexpected(5170);
    }
    void wrongAnswerStopsReadAllWithTheDialogOpen() {
        QFETCH(int, line);
        QFETCH(QString, answer);
        QFETCH(QString, box);
        DeviceTransport& device = makeWithDevice(Product::F);
        device.replyAt[static_cast<std::size_t>(line)] = answer.toStdString();
        auto dialog = tlx::qt::makeReadAllDialog(*state, *host, device, "x");
        runUntilStopped(*dialog);
        QCOMPARE(device.lines.size(), static_cast<std::size_t>(line));
        QCOMPARE(host->texts(), std::vector<std::string>{box.toStdString()});
        QCOMPARE(host->messages[0].kind, tlx::MessageKind::Error);
        QVERIFY(dialog->closeButton()->isEnabled());
        QCOMPARE(state->model.busyStep, 0);
    }

    // Close abandons a running read: what was read stays, the link state is
    // cleared and nothing more is sent.
    void closeDuringAReadKeepsWhatWasRead() {
        make(Product::F);
        DeviceTransport device(*state, *host, 99);
        auto dialog = tlx::qt::makeReadAllDialog(*state, *host, device, "x");
        start(*dialog);
        QTRY_VERIFY(device.lines.size() >= 20);
        dialog->closeButton()->click();
        const std::size_t sent = device.lines.size();
        QCOMPARE(state->model.busyStep, 0);
        QVERIFY(!state->link.awaitingAnswer);
        QCOMPARE(state->link.noAnswerTicks, 0);
        QTest::qWait(50);
        QCOMPARE(device.lines.size(), sent);
        for (std::size_t page : {std::size_t{0}, std::size_t{10}}) {
            for (std::size_t l = 0; l < tlx::kLines; ++l) {
                QCOMPARE(trimmedTitle(state->model.titleText[page][l].view()),
                         trimmedTitle(device.device().state().model.titleText[page][l].view()));
            }
        }
    }

    // While the run goes on, its start button is off, the time left shows,
    // Escape does nothing and Close (button or close box) asks first.
    void aRunIsNotLostByAStrayKey() {
        make(Product::F);
        DeviceTransport device(*state, *host, 3);
        auto dialog = tlx::qt::makeReadAllDialog(*state, *host, device, "設定項目の読み込み");
        dialog->setPaceScale(0.01);
        dialog->show();
        QVERIFY(dialog->timeLeftText()->text().isEmpty());
        dialog->startButton()->click();
        QTRY_VERIFY(device.lines.size() >= 3);
        QVERIFY(!dialog->startButton()->isEnabled());
        QVERIFY(dialog->timeLeftText()->text().startsWith(QString("残り 7:")));

        QTest::keyClick(dialog->closeButton(), Qt::Key_Escape);
        QVERIFY(dialog->isVisible());
        QVERIFY(dialog->controller().running());

        host->answers.push_back(false);
        dialog->closeButton()->click();
        QCOMPARE(host->questions.size(), std::size_t{2});
        QCOMPARE(host->questions[1].text, std::string("転送を中止しますか？"));
        QCOMPARE(host->questions[1].caption, std::string("設定項目の読み込み"));
        QVERIFY(dialog->isVisible());
        QVERIFY(dialog->controller().running());

        host->answers.push_back(true);
        dialog->close();
        QCOMPARE(host->questions.size(), std::size_t{3});
        QVERIFY(!dialog->isVisible());
        QCOMPARE(state->model.busyStep, 0);
    }

    // A second press while the run goes on changes nothing.
    void startDuringARunDoesNothing() {
        make(Product::F);
        DeviceTransport device(*state, *host, 5);
        auto dialog = tlx::qt::makeReadAllDialog(*state, *host, device, "x");
        start(*dialog);
        QTRY_VERIFY(device.lines.size() >= 5);
        QVERIFY(!dialog->startButton()->isEnabled());
        dialog->startButton()->click();
        QCOMPARE(host->questions.size(), std::size_t{1});
        QTRY_VERIFY(device.lines.size() >= 10);
        QCOMPARE(device.lines[9], std::string("RCA010\r\n"));
        dialog->reject();
    }

    void slaveAddressBoxes() {
        make(Product::F);
        tlx::test::FakeTransport transport;
        auto read = tlx::qt::makeReadAllDialog(*state, *host, transport, "x");
        auto send = tlx::qt::makeSendAllDialog(*state, *host, transport, "x");
        QCOMPARE(read->slaveAddressBox()->count(), 32);
        QCOMPARE(send->slaveAddressBox()->count(), 33);
        QCOMPARE(send->slaveAddressBox()->itemText(32), QString("Bloadcast"));
        // RS-232C: the box is disabled.
        QVERIFY(!read->slaveAddressBox()->isEnabled());

        state->connection.rsControl = 1;
        state->connection.slaveAddress = 5;
        auto rs485 = tlx::qt::makeReadAllDialog(*state, *host, transport, "x");
        QVERIFY(rs485->slaveAddressBox()->isEnabled());
        QCOMPARE(rs485->slaveAddressBox()->currentIndex(), 5);
        tlx::test::pick(rs485->slaveAddressBox(), 7);
        QCOMPARE(state->connection.slaveAddress, 7);

        // The read and a broadcast address: the box shows no address.
        state->connection.slaveAddress = 32;
        auto broadcast = tlx::qt::makeReadAllDialog(*state, *host, transport, "x");
        QCOMPARE(broadcast->slaveAddressBox()->currentIndex(), -1);

        // The first read goes out with the bus address in front.
        state->connection.slaveAddress = 7;
        auto addressed = tlx::qt::makeReadAllDialog(*state, *host, transport, "x");
        addressed->setPaceScale(0.0);
        addressed->startButton()->click();
        QTRY_VERIFY(!transport.serialWrites.empty());
        QCOMPARE(transport.serialWrites[0], std::string("07RCA001\r\n"));
        addressed->reject();
    }
};

} // namespace tlx::test

QTEST_MAIN(tlx::test::RunDialogsTest)
#include "run_dialogs_test.moc"
