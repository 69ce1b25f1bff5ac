#include "app/menu_logic.h"
#include "device_transport.h"
#include "dialog_fixture.h"
#include "dialogs/date_time_window.h"
#include "dialogs/dialog_context.h"
#include "dialogs/display_page_dialog.h"
#include "dialogs/slave_address_box.h"
#include "protocol/app_state.h"
#include "protocol/link_hub.h"
#include "support/fake_host.h"

#include <QComboBox>
#include <QPushButton>
#include <QTest>

namespace tlx::test {

namespace {

std::vector<std::string> withoutCrLf(const std::vector<std::string>& lines) {
    std::vector<std::string> out;
    for (const std::string& l : lines) {
        out.push_back(l.substr(0, l.size() - 2));
    }
    return out;
}

} // namespace

class DateTimeDialogTest : public DialogTest {
    Q_OBJECT

  private slots:
    // Opened on 2024-03-05 at 07:08:09, every date/time button sends its
    // list's value; the device takes each.
    void clockButtonsSendTheOpeningTime_data() { addModelRows(); }
    void clockButtonsSendTheOpeningTime() {
        makeFetchedModel();
        DeviceTransport device(*state, *host);
        tlx::qt::DateTimeDialog dialog(*state, *host, device, {2024, 3, 5, 7, 8, 9},
                                       "日付＆時刻の設定");
        dialog.show();
        QCOMPARE(dialog.fieldBox(ClockField::Year)->count(), 100);
        QCOMPARE(dialog.fieldBox(ClockField::Year)->currentText(), QString("2024"));
        QCOMPARE(dialog.fieldBox(ClockField::Month)->currentText(), QString("3"));
        QCOMPARE(dialog.fieldBox(ClockField::Second)->currentText(), QString("9"));
        QCOMPARE(dialog.findChild<QPushButton*>("button1026")->text(), QString("30秒補正"));
        for (ClockField f : {ClockField::Year, ClockField::Month, ClockField::Day, ClockField::Hour,
                             ClockField::Minute, ClockField::Second}) {
            dialog.fieldButton(f)->click();
            QTRY_VERIFY(!state->link.awaitingAnswer);
        }
        dialog.adjustButton()->click();
        QCOMPARE(withoutCrLf(device.lines),
                 (std::vector<std::string>{"DSY24", "DSM03", "DSD05", "TSH07", "TSM08", "TSS09",
                                           "TSA"}));
        QTRY_VERIFY(!state->link.awaitingAnswer);
        QVERIFY(host->messages.empty());
    }

    // "PCの時刻を設定": the six commands in one go, each after the previous
    // answer, the seconds last.
    void pcClockSendsTheSixCommandsSecondsLast() {
        DeviceTransport& device = makeWithDevice(Product::F);
        tlx::qt::DateTimeDialog dialog(*state, *host, device, {2024, 3, 5, 7, 8, 9}, "x");
        QVERIFY(dialog.fleetPanel() == nullptr); // not the TCP/IP server role
        dialog.pcClockButton()->click();
        QTRY_COMPARE(device.lines.size(), std::size_t{6});
        const auto sent = withoutCrLf(device.lines);
        const std::vector<std::string> order{"DSY", "DSM", "DSD", "TSH", "TSM", "TSS"};
        for (std::size_t i = 0; i < order.size(); ++i) {
            QCOMPARE(sent[i].substr(0, 3), order[i]);
            QCOMPARE(sent[i].size(), std::size_t{5});
        }
        QTRY_VERIFY(!state->link.awaitingAnswer);
        QVERIFY(host->messages.empty());
    }

    // The display choices: stored at once, sent with their buttons; the
    // device's state follows.
    void displayChoices() {
        DeviceTransport& device = makeWithDevice(Product::F);
        tlx::qt::DateTimeDialog dialog(*state, *host, device, {2024, 3, 5, 7, 8, 9}, "t");
        dialog.show();
        QCOMPARE(dialog.rangeBox()->count(), 8);
        QCOMPARE(dialog.sizeBox()->itemText(1), QString("NORMAL"));
        QCOMPARE(dialog.displayBox()->itemText(1), QString("ON "));
        pick(dialog.sizeBox(), 1);
        QCOMPARE(state->model.dateTimeSize, 1);
        dialog.sizeButton()->click();
        pick(dialog.rangeBox(), 6);
        dialog.rangeButton()->click();
        pick(dialog.displayBox(), 1);
        dialog.displayButton()->click();
        QCOMPARE(withoutCrLf(device.lines), (std::vector<std::string>{"TSDSN", "TSDR7", "TSDON"}));
        QCOMPARE(state->model.dateTimeSize, 1);
        QTRY_VERIFY(!state->link.awaitingAnswer);
        QCOMPARE(device.device().state().model.dateTimeSize, 1);
        QCOMPARE(device.device().state().model.dateTimeRange, 6);
        QCOMPARE(device.device().state().model.dateTimeDisplay, 1);
    }

    // Enter closes the dialog, as Close does, and sends nothing.
    void enterClosesTheDialog() {
        DeviceTransport& device = makeWithDevice(Product::F);
        tlx::qt::DateTimeDialog dialog(*state, *host, device, {2024, 3, 5, 7, 8, 9}, "t");
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTest::keyClick(&dialog, Qt::Key_Return);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), static_cast<int>(QDialog::Rejected));
        QVERIFY(device.lines.empty());
    }

    // The lists follow the clock until the operator changes one; that one
    // keeps the choice.
    void listsFollowTheClockUntilChanged() {
        DeviceTransport& device = makeWithDevice(Product::F);
        tlx::qt::DateTimeDialog dialog(*state, *host, device, {2024, 3, 5, 7, 8, 9}, "t");
        tlx::ClockTime now{2024, 3, 5, 7, 8, 40};
        dialog.followClock([&now] { return now; });
        QTRY_COMPARE(dialog.fieldBox(ClockField::Second)->currentText(), QString("40"));
        dialog.fieldBox(ClockField::Minute)->setCurrentIndex(30); // as the operator does
        now = {2024, 3, 5, 7, 9, 1};
        QTRY_COMPARE(dialog.fieldBox(ClockField::Second)->currentText(), QString("1"));
        QCOMPARE(dialog.fieldBox(ClockField::Minute)->currentText(), QString("30"));
        dialog.fieldButton(ClockField::Second)->click();
        QTRY_VERIFY(!state->link.awaitingAnswer);
        dialog.fieldButton(ClockField::Minute)->click();
        QCOMPARE(withoutCrLf(device.lines), (std::vector<std::string>{"TSS01", "TSM30"}));
        QTRY_VERIFY(!state->link.awaitingAnswer);
    }

    // Changed only on RS-485, shown always.
    void slaveAddressOnlyOnRs485() {
        DeviceTransport& device = makeWithDevice(Product::F);
        state->connection.slaveAddress = 4;
        {
            tlx::qt::DateTimeDialog dialog(*state, *host, device, {2024, 1, 1, 0, 0, 0}, "t");
            QVERIFY(!dialog.slaveAddressBox()->isEnabled());
            QCOMPARE(dialog.slaveAddressBox()->objectName(), QString("box1016"));
            QCOMPARE(dialog.slaveAddressBox()->currentText(), QString("04"));
            tlx::DisplayPageMemory memory;
            tlx::qt::DisplayPageDialog page(*state, *host, device, memory, "t");
            QVERIFY(!page.slaveAddressBox()->isEnabled());
            QCOMPARE(page.slaveAddressBox()->currentText(), QString("04"));
        }
        state->connection.rsControl = 1;
        state->connection.slaveAddress = 3;
        tlx::qt::DateTimeDialog dialog(*state, *host, device, {2024, 1, 1, 0, 0, 0}, "t");
        QVERIFY(dialog.slaveAddressBox()->isEnabled());
        QCOMPARE(dialog.slaveAddressBox()->currentText(), QString("03"));
        QCOMPARE(dialog.slaveAddressBox()->itemText(32), QString("Bloadcast"));
    }

    // The display page dialog opens on "ON " and page 001 the first time and
    // on the last choices afterwards, for as long as its owner lives.
    void displayPageRemembersItsChoices() {
        DeviceTransport& device = makeWithDevice(Product::S);
        tlx::qt::LinkHub links(*state, *host);
        QWidget owner;
        const auto route = tlx::routeOf(Product::S, 32802);
        QVERIFY(route.has_value());
        const tlx::qt::DialogContext context{*state, *host,  links,
                                             &owner, *route, QString("表示ページ")};
        {
            auto made = tlx::qt::makeTitleDialog(context);
            auto* dialog = dynamic_cast<tlx::qt::DisplayPageDialog*>(made.get());
            QVERIFY(dialog != nullptr);
            QCOMPARE(dialog->windowTitle(), QString("表示ページ"));
            QCOMPARE(dialog->displayBox()->currentText(), QString("ON "));
            QCOMPARE(dialog->pageBox()->currentText(), QString("001"));
            QCOMPARE(dialog->pageBox()->count(), 513);
            pick(dialog->pageBox(), 512);
            pick(dialog->displayBox(), 0);
        }
        tlx::resetToDefaults(*state);
        tlx::DisplayPageMemory& memory = tlx::qt::DisplayPageMemoryHolder::of(&owner);
        QCOMPARE(memory.page, 512);
        QCOMPARE(memory.display, 0);
        tlx::qt::DisplayPageDialog dialog(*state, *host, device, memory, "t");
        QCOMPARE(dialog.pageBox()->currentText(), QString("PAS "));
        QCOMPARE(dialog.displayBox()->currentText(), QString("OFF"));
        dialog.pageButton()->click();
        dialog.displayButton()->click();
        pick(dialog.pageBox(), 511);
        dialog.pageButton()->click();
        pick(dialog.displayBox(), 1);
        dialog.displayButton()->click();
        QCOMPARE(withoutCrLf(device.lines),
                 (std::vector<std::string>{"PAS", "IDOF", "P512", "IDON"}));
        QTRY_VERIFY(!state->link.awaitingAnswer);
        QVERIFY(host->messages.empty());
    }

    // The family's factory: the date and time dialog with its caption, none
    // for other features.
    void factoryMakesTheDateTimeDialog() {
        make(Product::F);
        auto dialog = tlx::qt::makeTitleDialog(context(501, "日付＆時刻の設定"));
        QVERIFY(dynamic_cast<tlx::qt::DateTimeDialog*>(dialog.get()) != nullptr);
        QCOMPARE(dialog->windowTitle(), QString("日付＆時刻の設定"));
        QVERIFY(dynamic_cast<tlx::qt::DisplayPageDialog*>(
                    tlx::qt::makeTitleDialog(context(514, "表示ページ")).get()) != nullptr);
        QVERIFY(tlx::qt::makeTitleDialog(context(32806, "x")) == nullptr);
    }

    // With a TCP/IP connection selected each dialog names itself with its
    // own word and the address, and its buttons go over the socket.
    void tcpCaptionsAndSend() {
        make(Product::F);
        state->connection.interfaceKind = tlx::InterfaceKind::Tcp;
        state->connection.clientServer = 0;
        state->connection.hostList = {{192, 168, 0, 7}};
        state->connection.selectNumber = 0;
        state->link.socketConnected = true;
        const struct {
            int command;
            const char* caption;
        } rows[] = {{32780, "日付，時刻 192.168.0.7"},
                    {32781, "タイトル入力 192.168.0.7"},
                    {32802, "表示ページ 192.168.0.7"}};
        for (const auto& row : rows) {
            auto dialog = tlx::qt::makeTitleDialog(context(row.command, "x"));
            QVERIFY(dialog != nullptr);
            QCOMPARE(dialog->windowTitle(), QString(row.caption));
        }

        DeviceTransport device(*state, *host);
        tlx::qt::DateTimeDialog dialog(*state, *host, device, {2031, 12, 24, 23, 59, 1}, "t");
        dialog.fieldButton(ClockField::Year)->click();
        dialog.fieldButton(ClockField::Second)->click();
        QCOMPARE(withoutCrLf(device.lines), (std::vector<std::string>{"DSY31", "TSS01"}));
        QVERIFY(!state->link.abortFlag);
        QCOMPARE(host->texts(), (std::vector<std::string>{"Socket ＯＫ", "Socket ＯＫ"}));
    }
};

} // namespace tlx::test

QTEST_MAIN(tlx::test::DateTimeDialogTest)
#include "date_time_dialog_test.moc"
