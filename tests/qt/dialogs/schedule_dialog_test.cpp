#include "device_transport.h"
#include "dialog_fixture.h"
#include "dialogs/schedule_dialog.h"
#include "dialogs/slave_address_box.h"
#include "protocol/app_state.h"
#include "support/fake_host.h"

#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

namespace tlx::test {

class ScheduleDialogTest : public DialogTest {
    Q_OBJECT

  private slots:
    void controls() {
        DeviceTransport& device = makeWithDevice(Product::F);
        qt::ScheduleDialog d(*state, *host, device, "スケジュール");
        QCOMPARE(d.windowTitle(), QString("スケジュール"));
        QCOMPARE(d.dayBox()->objectName(), QString("box1007"));
        QCOMPARE(d.dayBox()->count(), 31);
        QCOMPARE(d.dayBox()->itemText(30), QString("31"));
        QCOMPARE(d.entryBox()->count(), 24);
        QCOMPARE(d.entryBox()->itemText(0), QString("01"));
        QCOMPARE(d.hourBox()->count(), 24);
        QCOMPARE(d.hourBox()->itemText(23), QString("23"));
        QCOMPARE(d.minuteBox()->count(), 60);
        QCOMPARE(d.minuteBox()->itemText(59), QString("59"));
        QCOMPARE(d.pageBox()->count(), 514);
        QCOMPARE(d.pageBox()->itemText(512), QString("PAS"));
        QCOMPARE(d.pageBox()->itemText(513), QString("---"));
        QCOMPARE(d.pageBox()->currentIndex(), 513);
        QCOMPARE(button(&d, 1028)->text(), QString("日設定"));
        QCOMPARE(button(&d, 1029)->text(), QString("全設定"));
        QCOMPARE(button(&d, 1032)->text(), QString("日ページクリア"));
        QCOMPARE(d.closeButton()->text(), QString("Close"));
        QCOMPARE(d.progressBar()->objectName(), QString("progress1030"));
        QCOMPARE(d.progressBar()->maximum(), 32);
        QVERIFY(d.findChild<QWidget*>("preview1070") != nullptr);
        QVERIFY(!d.findChild<tlx::qt::SlaveAddressBox*>("box1010")->isEnabled());
    }

    void editsShowAndAreRemembered() {
        DeviceTransport& device = makeWithDevice(Product::F);
        {
            qt::ScheduleDialog d(*state, *host, device, "スケジュール");
            d.show();
            pick(d.dayBox(), 9);
            pick(d.entryBox(), 3);
            QCOMPARE(d.hourBox()->currentIndex(), 3);
            pick(d.hourBox(), 18);
            pick(d.minuteBox(), 45);
            pick(d.pageBox(), 512);
            QCOMPARE(state->model.scheduleHour[9][3], 18);
            QCOMPARE(state->model.scheduleMinute[9][3], 45);
            QCOMPARE(state->model.schedulePage[9][3], tlx::kPagePas);
            QCOMPARE(d.logic().entryText(3), std::string("04 = 18:45 PAS  "));
            QVERIFY(device.lines.empty());
            // The entry list is drawn on the preview frame.
            const QImage shot = d.findChild<QWidget*>("preview1070")->grab().toImage();
            int inked = 0;
            for (int y = 0; y < shot.height(); ++y) {
                for (int x = 0; x < shot.width(); ++x) {
                    inked += shot.pixel(x, y) != shot.pixel(0, 0) ? 1 : 0;
                }
            }
            QVERIFY(inked > 100);
        }
        qt::ScheduleDialog again(*state, *host, device, "スケジュール");
        QCOMPARE(again.dayBox()->currentIndex(), 9);
        QCOMPARE(again.entryBox()->currentIndex(), 3);
        QCOMPARE(again.hourBox()->currentIndex(), 18);
        QCOMPARE(again.minuteBox()->currentIndex(), 45);
        QCOMPARE(again.pageBox()->currentIndex(), 512);
        button(&again, 1032)->click();
        QCOMPARE(again.pageBox()->currentIndex(), 513);
        QCOMPARE(state->model.scheduleHour[9][3], 18);
    }

    void daySetReachesTheDevice() {
        DeviceTransport& device = makeWithDevice(Product::F);
        qt::ScheduleDialog d(*state, *host, device, "スケジュール");
        pick(d.dayBox(), 30);
        pick(d.entryBox(), 0);
        pick(d.pageBox(), 41);
        button(&d, 1028)->click();
        QCOMPARE(device.lines.size(), std::size_t{1});
        QVERIFY(device.lines[0].starts_with("SD310000042010000002"));
        QCOMPARE(device.device().state().model.schedulePage[30][0], 41);
        QCOMPARE(device.device().state().model.schedulePage[30][1], tlx::kPageNoEntry);
    }

    void allDaysReachTheDevice_data() {
        QTest::addColumn<int>("model");
        QTest::addColumn<bool>("tcp");
        QTest::newRow("F serial") << 0 << false;
        QTest::newRow("S serial") << 1 << false;
        QTest::newRow("F TCP/IP") << 0 << true;
    }
    void allDaysReachTheDevice() {
        QFETCH(int, model);
        QFETCH(bool, tcp);
        make(model == 0 ? Product::F : Product::S);
        if (tcp) {
            state->connection.interfaceKind = tlx::InterfaceKind::Tcp;
            state->link.socketConnected = true;
        }
        DeviceTransport device(*state, *host);
        for (std::size_t day = 0; day < tlx::kDays; ++day) {
            state->model.schedulePage[day][day % 24] = static_cast<std::int32_t>(day * 7);
            state->model.scheduleMinute[day][5] = static_cast<std::int32_t>(day);
        }
        state->model.schedulePage[4][6] = tlx::kPagePas;
        qt::ScheduleDialog d(*state, *host, device, "スケジュール");
        d.setPaceScale(0.05);
        d.show();
        button(&d, 1029)->click();
        QCOMPARE(host->questions.size(), std::size_t{1});
        QCOMPARE(host->questions[0].caption, std::string("本機の確認"));
        QVERIFY(d.timerActive());
        QVERIFY(!d.closeButton()->isEnabled());
        QVERIFY(!button(&d, 1029)->isEnabled());
        // 31 days of 100 ms (model S 200 ms).
        QCOMPARE(d.timeLeftText()->text(), QString(model == 0 ? "残り 0:04" : "残り 0:07"));
        d.reject();
        QVERIFY(d.isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(!d.timerActive(), 20000);
        QCOMPARE(device.lines.size(), std::size_t{31});
        QTRY_VERIFY(!state->link.awaitingAnswer);
        const tlx::SettingsModel& dev = device.device().state().model;
        QVERIFY(dev.schedulePage == state->model.schedulePage);
        QVERIFY(dev.scheduleMinute == state->model.scheduleMinute);
        QVERIFY(dev.scheduleHour == state->model.scheduleHour);
        QCOMPARE(d.percentText()->text(), QString("   "));
        QVERIFY(d.timeLeftText()->text().isEmpty());
        QVERIFY(button(&d, 1029)->isEnabled());
        QCOMPARE(d.progressBar()->value(), 0);
        QVERIFY(d.closeButton()->isEnabled());
        QCOMPARE(state->model.busyStep, 0);
        QVERIFY(host->messages.empty());
        d.closeButton()->click();
        QVERIFY(!d.isVisible());
    }

    void notConnectedOverTcp() {
        DeviceTransport& device = makeWithDevice(Product::F);
        state->connection.interfaceKind = tlx::InterfaceKind::Tcp;
        qt::ScheduleDialog d(*state, *host, device, "スケジュール");
        button(&d, 1029)->click();
        QVERIFY(!d.timerActive());
        QCOMPARE(host->texts(), std::vector<std::string>{"Socket が接続されていません"});
        QVERIFY(d.closeButton()->isEnabled());
    }
};

} // namespace tlx::test

QTEST_MAIN(tlx::test::ScheduleDialogTest)
#include "schedule_dialog_test.moc"
