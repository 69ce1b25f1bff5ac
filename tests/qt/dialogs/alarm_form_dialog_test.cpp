#include "app/menu_logic.h"
#include "device_transport.h"
#include "dialog_fixture.h"
#include "dialogs/alarm_form_dialog.h"
#include "dialogs/dialog_context.h"
#include "dialogs/schedule_dialog.h"
#include "dialogs/slave_address_box.h"
#include "protocol/app_state.h"
#include "protocol/link_hub.h"
#include "support/fake_host.h"

#include <QComboBox>
#include <QGroupBox>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

namespace tlx::test {

class AlarmFormDialogTest : public DialogTest {
    Q_OBJECT

  private slots:
    void alarmControls() {
        DeviceTransport& device = makeWithDevice(Product::F);
        qt::SettingFormDialog d(tlx::kAlarmForm, *state, *host, device, "アラーム");
        QCOMPARE(d.windowTitle(), QString("アラーム"));
        QCOMPARE(itemsOf(child<QComboBox>(&d, "box1000")), QStringList({"Internal", "External"}));
        QCOMPARE(itemsOf(child<QComboBox>(&d, "box1007")), QStringList({"Make ", "Break"}));
        QCOMPARE(itemsOf(child<QComboBox>(&d, "box1008")), QStringList({"OFF", " ON"}));
        QCOMPARE(itemsOf(child<QComboBox>(&d, "box1009")), QStringList({"OFF", " ON"}));
        QCOMPARE(child<QLineEdit>(&d, "edit1006")->maxLength(), 3);
        QCOMPARE(child<QLineEdit>(&d, "edit1006")->text(), QString("010"));
        for (int id = 1074; id <= 1081; ++id) {
            auto* box = child<QComboBox>(&d, QByteArray("box" + QByteArray::number(id)).data());
            QCOMPARE(box->count(), 512);
            QCOMPARE(box->itemText(511), QString("512"));
        }
        for (int id : {1001, 1002, 1003, 1004, 1005, 1082}) {
            auto* b = child<QPushButton>(&d, QByteArray("button" + QByteArray::number(id)).data());
            QCOMPARE(b->text(), QString("設定"));
        }
        QVERIFY(!d.slaveAddressBox()->isEnabled());
        QCOMPARE(d.closeButton()->text(), QString("Close"));
        QVERIFY(d.progressBar() == nullptr);
        QStringList groups;
        for (auto* g : d.findChildren<QGroupBox*>()) {
            groups << g->title();
        }
        QCOMPARE(groups, QStringList({"モード", "保持時間", "入力極性", "表示", "リターン",
                                      "コネクター番号割り付け"}));
    }

    void alarmValuesReachTheDevice() {
        DeviceTransport& device = makeWithDevice(Product::F);
        qt::SettingFormDialog d(tlx::kAlarmForm, *state, *host, device, "アラーム");
        d.show();
        pick(child<QComboBox>(&d, "box1000"), 1);
        pick(child<QComboBox>(&d, "box1007"), 1);
        pick(child<QComboBox>(&d, "box1008"), 0);
        QVERIFY(device.lines.empty());
        child<QPushButton>(&d, "button1001")->click();
        child<QPushButton>(&d, "button1003")->click();
        child<QPushButton>(&d, "button1004")->click();
        auto* hold = child<QLineEdit>(&d, "edit1006");
        hold->clear();
        QTest::keyClicks(hold, "1a");
        hold->setFocus();
        QInputMethodEvent typed; // "２" from an input method left on
        typed.setCommitString(QString::fromUtf8("２"));
        QApplication::sendEvent(hold, &typed);
        QCOMPARE(state->model.alarmHoldTime, std::string("12"));
        QCOMPARE(hold->text(), QString("12"));
        child<QPushButton>(&d, "button1002")->click();
        pick(child<QComboBox>(&d, "box1074"), 511);
        child<QPushButton>(&d, "button1082")->click();
        QCOMPARE(device.lines,
                 (std::vector<std::string>{"AME\r\n", "APB\r\n", "ADOF\r\n", "ADT012\r\n",
                                           "ACA512002003004005006007008\r\n"}));
        const tlx::SettingsModel& dev = device.device().state().model;
        QCOMPARE(dev.alarmMode, 1);
        QCOMPARE(dev.alarmPolarity, 1);
        QCOMPARE(dev.alarmDisplay, 0);
        QCOMPARE(dev.alarmHoldTime, std::string("012"));
        QCOMPARE(dev.connectorPages[0], 511);
        QVERIFY(host->messages.empty());
    }

    void onRs485TheChosenAddressGoesInFront() {
        DeviceTransport& device = makeWithDevice(Product::F);
        state->connection.rsControl = 1;
        state->connection.slaveAddress = 5;
        qt::SettingFormDialog d(tlx::kRemoteForm, *state, *host, device, "リモート");
        auto* slave = d.slaveAddressBox();
        QVERIFY(slave->isEnabled());
        QCOMPARE(slave->currentIndex(), 5);
        QCOMPARE(slave->count(), 33);
        QCOMPARE(slave->itemText(32), QString("Bloadcast"));
        child<QPushButton>(&d, "button1072")->click();
        pick(slave, 32);
        QCOMPARE(state->connection.slaveAddress, 32);
        child<QPushButton>(&d, "button1072")->click();
        QCOMPARE(device.lines, (std::vector<std::string>{"05RMBIN\r\n", "FFRMBIN\r\n"}));
    }

    void enterEndsTheAlarmAndRemoteDialogs() {
        DeviceTransport& device = makeWithDevice(Product::F);
        for (const tlx::FormDescriptor* f : {&tlx::kAlarmForm, &tlx::kRemoteForm}) {
            qt::SettingFormDialog d(*f, *state, *host, device, "x");
            d.show();
            QTest::keyClick(&d, Qt::Key_Return);
            QVERIFY(!d.isVisible());
        }
        qt::SettingFormDialog others(tlx::kOthersForm, *state, *host, device, "その他");
        others.show();
        QTest::keyClick(&others, Qt::Key_Return);
        QVERIFY(others.isVisible());
    }

    void remoteSharesTheConnectorTable() {
        DeviceTransport& device = makeWithDevice(Product::F);
        {
            qt::SettingFormDialog remote(tlx::kRemoteForm, *state, *host, device, "リモート");
            QCOMPARE(itemsOf(child<QComboBox>(&remote, "box1073")),
                     QStringList({"BINARY   ", "BIT      ", "OPERATION"}));
            pick(child<QComboBox>(&remote, "box1076"), 99);
            child<QPushButton>(&remote, "button1082")->click();
            pick(child<QComboBox>(&remote, "box1073"), 2);
            child<QPushButton>(&remote, "button1072")->click();
        }
        qt::SettingFormDialog alarm(tlx::kAlarmForm, *state, *host, device, "アラーム");
        QCOMPARE(child<QComboBox>(&alarm, "box1076")->currentText(), QString("100"));
        child<QPushButton>(&alarm, "button1082")->click();
        QCOMPARE(device.lines,
                 (std::vector<std::string>{"RCA001002100004005006007008\r\n", "RMOPE\r\n",
                                           "ACA001002100004005006007008\r\n"}));
        QCOMPARE(device.device().state().model.remoteMode, 2);
        QCOMPARE(device.device().state().model.connectorPages[2], 99);
    }

    void othersControlsAndPowerOnPage() {
        DeviceTransport& device = makeWithDevice(Product::F);
        qt::SettingFormDialog d(tlx::kOthersForm, *state, *host, device, "その他");
        d.show();
        QCOMPARE(itemsOf(child<QComboBox>(&d, "box1018")), QStringList({"ALARM ", "REMOTE"}));
        QCOMPARE(itemsOf(child<QComboBox>(&d, "box1023")), QStringList({"Normal", "Blue  "}));
        auto* page = child<QComboBox>(&d, "box1020");
        QCOMPARE(page->count(), 513);
        QCOMPARE(page->itemText(512), QString("PAS"));
        QVERIFY(!child<QComboBox>(&d, "box1024")->isVisible());
        QVERIFY(!child<QPushButton>(&d, "button1029")->isVisible());
        QVERIFY(child<QLineEdit>(&d, "field1143")->isReadOnly());
        QCOMPARE(child<QLineEdit>(&d, "field1143")->text(), QString("0.00"));
        QCOMPARE(child<QPushButton>(&d, "button1030")->text(), QString("読み込み"));
        pick(page, 512);
        child<QPushButton>(&d, "button1026")->click();
        QCOMPARE(device.device().state().model.powerOnPage, tlx::kPagePas);
        pick(page, 511);
        child<QPushButton>(&d, "button1026")->click();
        pick(child<QComboBox>(&d, "box1018"), 1);
        child<QPushButton>(&d, "button1019")->click();
        pick(child<QComboBox>(&d, "box1023"), 1);
        child<QPushButton>(&d, "button1031")->click();
        QCOMPARE(device.lines,
                 (std::vector<std::string>{"POSPAS\r\n", "POSP512\r\n", "CIR\r\n", "VLBCB\r\n"}));
        const tlx::SettingsModel& dev = device.device().state().model;
        QCOMPARE(dev.powerOnPage, 511);
        QCOMPARE(dev.connectorInput, 1);
        QCOMPARE(dev.videoLossBlue, 1);
    }

    void versionReadShowsTheDevicesVersionOnce() {
        make(Product::F);
        DeviceTransport device(*state, *host, 0, "2.10");
        qt::SettingFormDialog d(tlx::kOthersForm, *state, *host, device, "その他");
        d.setPaceScale(0.1);
        d.show();
        auto* read = child<QPushButton>(&d, "button1030");
        read->click();
        read->click();
        QVERIFY(d.timerActive());
        QVERIFY(d.closeButton()->isEnabled());
        QTRY_VERIFY(!d.timerActive());
        QCOMPARE(child<QLineEdit>(&d, "field1143")->text(), QString("2.10"));
        QCOMPARE(device.lines, std::vector<std::string>{"RVN\r\n"});
        QCOMPARE(state->model.busyStep, 0);
    }

    void deviceNetworkControls() {
        DeviceTransport& device = makeWithDevice(Product::F);
        state->model.deviceIpAddress = {192, 168, 1, 3};
        qt::SettingFormDialog d(tlx::kDeviceNetworkForm, *state, *host, device, "プロトコル");
        QCOMPARE(child<QLineEdit>(&d, "edit1052")->text(), QString("192.168.001.003"));
        QCOMPARE(child<QLineEdit>(&d, "edit1053")->text(), QString("000.000.000.000"));
        QCOMPARE(itemsOf(child<QComboBox>(&d, "box1061")),
                 QStringList({"Class A", "Class B", "Class C"}));
        QCOMPARE(child<QComboBox>(&d, "box1061")->currentIndex(), 2);
        QCOMPARE(itemsOf(child<QComboBox>(&d, "box1060")), QStringList({"OFF", "ON "}));
        QCOMPARE(itemsOf(child<QComboBox>(&d, "box1009")), QStringList({"OFF", "ON "}));
        QCOMPARE(itemsOf(child<QComboBox>(&d, "box1062")),
                 QStringList({" 1", " 2", " 3", " 4", " 5", " 6"}));
        QCOMPARE(child<QLineEdit>(&d, "edit1049")->maxLength(), 5);
        QCOMPARE(child<QLineEdit>(&d, "edit1049")->text(), QString("09004"));
        QVERIFY(child<QLineEdit>(&d, "field1057")->isReadOnly());
        QVERIFY(child<QLineEdit>(&d, "field1063")->isReadOnly());
        QCOMPARE(child<QPushButton>(&d, "button1046")->text(), QString("読み込み"));
        QCOMPARE(d.progressBar()->objectName(), QString("progress1059"));
        QCOMPARE(d.progressBar()->maximum(), 11);
    }

    void deviceNetworkSendsEachSetting() {
        DeviceTransport& device = makeWithDevice(Product::F);
        qt::SettingFormDialog d(tlx::kDeviceNetworkForm, *state, *host, device, "プロトコル");
        d.show();
        auto* ip = child<QLineEdit>(&d, "edit1052");
        ip->setText("10.0.0.1");
        // Typing alone sends nothing and leaves the model.
        QCOMPARE(state->model.deviceIpAddress, (tlx::Ipv4{0, 0, 0, 0}));
        child<QPushButton>(&d, "button1051")->click();
        pick(child<QComboBox>(&d, "box1062"), 5);
        child<QPushButton>(&d, "button1068")->click();
        auto* port = child<QLineEdit>(&d, "edit1049");
        port->clear();
        QTest::keyClicks(port, "10001");
        QCOMPARE(state->model.devicePortNumber, std::string("10001"));
        child<QPushButton>(&d, "button1065")->click();
        QCOMPARE(device.lines,
                 (std::vector<std::string>{"EIA010.000.000.001\r\n", "ETR6\r\n", "EPN10001\r\n"}));
        const tlx::SettingsModel& dev = device.device().state().model;
        QCOMPARE(dev.deviceIpAddress, (tlx::Ipv4{10, 0, 0, 1}));
        QCOMPARE(dev.deviceTimeRegister, 5);
        QCOMPARE(dev.devicePortNumber, std::string("10001"));
    }

    void readBackShowsTheDevicesSettings() {
        make(Product::F);
        DeviceTransport device(*state, *host, 0, "2.10");
        tlx::SettingsModel& dev = device.device().state().model;
        dev.deviceIpAddress = {192, 168, 1, 10};
        dev.deviceGatewayAddress = {192, 168, 1, 254};
        dev.deviceActiveAddress = {10, 1, 2, 3};
        dev.deviceSubnetClass = 1;
        dev.devicePortNumber = "10002";
        dev.deviceConnectionTry = 1;
        dev.deviceKeepAlive = 1;
        dev.deviceTimeRegister = 3;
        dev.deviceMacAddress = "00-11-22-33-44-55";
        qt::SettingFormDialog d(tlx::kDeviceNetworkForm, *state, *host, device, "プロトコル");
        d.setPaceScale(0.1);
        d.show();
        child<QLineEdit>(&d, "edit1052")->setText("1.1.1.1");
        child<QPushButton>(&d, "button1046")->click();
        QVERIFY(!d.closeButton()->isEnabled());
        // Close is held while reading; the window's close is refused too.
        d.reject();
        QVERIFY(d.isVisible());
        QTRY_VERIFY(!d.timerActive());
        QVERIFY(d.closeButton()->isEnabled());
        QCOMPARE(d.progressBar()->value(), 0);
        QCOMPARE(device.lines.size(), std::size_t{10});
        QCOMPARE(device.lines.front(), std::string("REAA\r\n"));
        QCOMPARE(device.lines.back(), std::string("RVN\r\n"));
        QCOMPARE(child<QLineEdit>(&d, "edit1052")->text(), QString("192.168.001.010"));
        QCOMPARE(child<QLineEdit>(&d, "edit1053")->text(), QString("192.168.001.254"));
        QCOMPARE(child<QLineEdit>(&d, "edit1054")->text(), QString("010.001.002.003"));
        QCOMPARE(child<QComboBox>(&d, "box1061")->currentIndex(), 1);
        QCOMPARE(child<QLineEdit>(&d, "edit1049")->text(), QString("10002"));
        QCOMPARE(child<QComboBox>(&d, "box1060")->currentIndex(), 1);
        QCOMPARE(child<QComboBox>(&d, "box1009")->currentIndex(), 1);
        QCOMPARE(child<QComboBox>(&d, "box1062")->currentIndex(), 3);
        QCOMPARE(child<QLineEdit>(&d, "field1057")->text(), QString("00-11-22-33-44-55"));
        QCOMPARE(child<QLineEdit>(&d, "field1063")->text(), QString("2.10"));
        QVERIFY(host->messages.empty());
        d.closeButton()->click();
        QVERIFY(!d.isVisible());
    }

    void readBackWhileAnotherTransferRunsDoesNothing() {
        DeviceTransport& device = makeWithDevice(Product::F);
        qt::SettingFormDialog d(tlx::kDeviceNetworkForm, *state, *host, device, "プロトコル");
        state->model.busyStep = 9;
        child<QPushButton>(&d, "button1046")->click();
        QVERIFY(!d.timerActive());
        QVERIFY(d.closeButton()->isEnabled());
        QTest::qWait(20);
        QVERIFY(device.lines.empty());
        state->model.busyStep = 0;
    }

    void factoryMakesTheFamilysDialogs() {
        make(Product::F);
        const struct {
            int command;
            bool schedule;
            bool form;
        } cases[] = {{32787, true, false}, {510, true, false},   {32788, false, true},
                     {32789, false, true}, {32790, false, true}, {32801, false, true},
                     {32780, false, false}};
        for (const auto& c : cases) {
            const tlx::qt::DialogContext made = context(c.command);
            auto dialog = tlx::qt::makeDeviceSettingsDialog(made);
            QCOMPARE(dynamic_cast<tlx::qt::ScheduleDialog*>(dialog.get()) != nullptr, c.schedule);
            QCOMPARE(dynamic_cast<qt::SettingFormDialog*>(dialog.get()) != nullptr, c.form);
            if (dialog) {
                QCOMPARE(dialog->windowTitle(), made.title);
            }
        }
    }
};

} // namespace tlx::test

QTEST_MAIN(tlx::test::AlarmFormDialogTest)
#include "alarm_form_dialog_test.moc"
