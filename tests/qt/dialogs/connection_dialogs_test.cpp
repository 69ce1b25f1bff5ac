#include "dialogs/connection_choice_dialog.h"
#include "dialogs/tcp_client_dialog.h"
#include "dialogs/tcp_server_dialog.h"
#include "protocol/app_state.h"
#include "protocol/link_hub.h"
#include "settings/connection_ini.h"
#include "settings/ini_file.h"
#include "support/fake_host.h"
#include "support/fake_links.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

using tlx::qt::ConnectionChoiceDialog;
using tlx::test::FakeLinks;

namespace {

const char* const kSection = "TLX-500F_Z200_Section";

// Picks an item the way the operator does (the activated signal).
void choose(QComboBox* box, int index) {
    QVERIFY(box != nullptr);
    QVERIFY(box->isEnabled());
    box->setCurrentIndex(index);
    emit box->activated(index);
}

} // namespace

class ConnectionDialogsTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    std::unique_ptr<tlx::AppState> state;
    std::unique_ptr<tlx::ConnectionIni> ini;
    FakeLinks links;
    tlx::qt::LinkNotifier notifier;

    std::optional<std::string> key(std::string_view k) const {
        const auto doc = tlx::IniFile(ini->path()).load();
        const auto v = doc.value(kSection, k);
        return v ? std::optional<std::string>(std::string(*v)) : std::nullopt;
    }

  private slots:
    void init() {
        state = tlx::makeAppState(tlx::Product::F);
        QFile::remove(dir.filePath("t.ini"));
        ini = std::make_unique<tlx::ConnectionIni>(dir.filePath("t.ini").toStdString(), kSection);
        links = FakeLinks{};
    }

    void interfaceDialogWritesInterfaceAndStartsTheSerialLink() {
        ConnectionChoiceDialog d(tlx::kInterfaceDialog, *state, *ini, links);
        QCOMPARE(d.windowTitle(), QString("インターフェイスの設定"));
        QComboBox* box = d.box(1043);
        QCOMPARE(box->count(), 2);
        QCOMPARE(box->itemText(0), QString("RS-232C/485"));
        QCOMPARE(box->itemText(1), QString("TCP/IP"));
        QCOMPARE(box->currentIndex(), 0);
        choose(box, 1);
        QCOMPARE(state->connection.interfaceKind, tlx::InterfaceKind::Tcp);
        QCOMPARE(key("Interface"), std::optional<std::string>("1"));
        choose(box, 0);
        QCOMPARE(key("Interface"), std::optional<std::string>("0"));
        QCOMPARE(links.serialStarts, 2);

        state->link.socketConnected = true;
        ConnectionChoiceDialog locked(tlx::kInterfaceDialog, *state, *ini, links);
        QVERIFY(!locked.box(1043)->isEnabled());
    }

    void rsDialogWritesPortControlAndDevice() {
        ConnectionChoiceDialog d(tlx::kRsDialog, *state, *ini, links);
        QCOMPARE(d.windowTitle(), QString("RS-232C/485の設定"));
        QCOMPARE(d.box(1044)->count(), 6);
        QCOMPARE(d.box(1044)->itemText(5), QString("COM 6"));
        QCOMPARE(d.box(1045)->itemText(1), QString("RS-485"));
        choose(d.box(1044), 5);
        QCOMPARE(key("com_port"), std::optional<std::string>("5"));
        QVERIFY(!key("rs_control"));
        choose(d.box(1045), 1);
        QCOMPARE(key("rs_control"), std::optional<std::string>("1"));
        QCOMPARE(state->connection.rsControl, 1);
        QCOMPARE(state->connection.comPortIndex, 5);

        QVERIFY(d.deviceList() != nullptr);
        d.devicePath()->setText("/tmp/ttyTLX");
        emit d.devicePath()->editingFinished();
        QCOMPARE(key("com_device"), std::optional<std::string>("/tmp/ttyTLX"));
        QCOMPARE(state->connection.comDevice, std::string("/tmp/ttyTLX"));
        // Each new port is opened at once, in place of the old one.
        QCOMPARE(links.serialStarts, 0);
        QCOMPARE(links.serialReopens, 2);

        ConnectionChoiceDialog again(tlx::kRsDialog, *state, *ini, links);
        QCOMPARE(again.devicePath()->text(), QString("/tmp/ttyTLX"));
        QCOMPARE(again.box(1044)->currentIndex(), 5);
    }

    // USB adapters are offered by their stable names with their own
    // description; other ports by their system path.
    void serialPortsByStableName() {
        QTemporaryDir byId;
        const QString stable = byId.filePath("usb-FTDI_FT232R_A1-if00-port0");
        QVERIFY(QFile::link("/dev/ttyUSB1", stable));
        const std::vector<tlx::qt::SerialPortChoice> expected{
            {"/dev/ttyS0", "/dev/ttyS0"},
            {stable.toStdString(), stable.toStdString() + "  (FT232R USB UART, /dev/ttyUSB1)"}};
        QCOMPARE(
            tlx::qt::serialPortChoices({{"/dev/ttyS0", ""}, {"/dev/ttyUSB1", "FT232R USB UART"}},
                                       byId.path().toStdString()),
            expected);
    }

    // A port change that fails says why in one box.
    void aNewPortThatDoesNotOpenIsExplained() {
        tlx::test::FakeHost host;
        tlx::qt::LinkHub hub(*state, host);
        state->connection.comDevice = "/nonexistent/ttyTLX";
        hub.reopenSerialLink();
        QCOMPARE(host.messages.size(), std::size_t{1});
        QVERIFY(host.messages[0].text.starts_with("Miss! File Open\n"));
        QVERIFY(host.messages[0].text.find("/nonexistent/ttyTLX does not exist") !=
                std::string::npos);
        QVERIFY(!state->link.serialOpen);
    }

    void tcpClientDialogKeepsTheHostList() {
        tlx::qt::TcpClientSettingsDialog d(*state, *ini, links, &notifier);
        QCOMPARE(d.windowTitle(), QString("TCP/IPの設定(Client)"));
        QCOMPARE(d.portField()->text(), QString("09004"));
        auto octets = d.addressField();
        const int first[4] = {192, 168, 1, 10};
        for (int i = 0; i < 4; ++i) {
            octets[static_cast<std::size_t>(i)]->setValue(first[i]);
        }
        d.button(1099)->click();
        QCOMPARE(d.hostList()->count(), 1);
        QCOMPARE(d.hostList()->item(0)->text(), QString("192 .168 .001 .010"));
        QCOMPARE(key("list_count"), std::optional<std::string>("1"));
        for (int host : {20, 30}) {
            octets[3]->setValue(host);
            d.button(1099)->click();
        }

        // Delete with no row selected: nothing.
        d.hostList()->clearSelection();
        d.button(1100)->click();
        QCOMPARE(d.hostList()->count(), 3);

        // Delete takes the selected row (the list logic moves the others).
        d.hostList()->item(0)->setSelected(true);
        d.button(1100)->click();
        QCOMPARE(d.hostList()->count(), 2);
        QCOMPARE(key("ip00_3"), std::optional<std::string>("20"));

        // A double click picks the host and shows it.
        emit d.hostList()->itemDoubleClicked(d.hostList()->item(1));
        QCOMPARE(octets[3]->value(), 30);
        QCOMPARE(state->connection.selectNumber, 1);

        // The port is stored when the dialog closes.
        d.portField()->setText("9100");
        emit d.portField()->textEdited("9100");
        QVERIFY(!key("p_port_number"));
        d.button(2)->click();
        QCOMPARE(key("p_port_number"), std::optional<std::string>("9100"));
        QCOMPARE(state->model.devicePortNumber, std::string("9100"));
    }

    // The address is typed as one: "." moves to the next octet; a pasted
    // address fills all four boxes.
    void tcpClientAddressIsTypedAndPastedWhole() {
        tlx::qt::TcpClientSettingsDialog d(*state, *ini, links, &notifier);
        d.show();
        QVERIFY(QTest::qWaitForWindowActive(&d));
        auto octets = d.addressField();
        octets[0]->setFocus();
        octets[0]->selectAll();
        for (const QChar c : QString("127.0.0.1")) {
            QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
        }
        QCOMPARE(octets[0]->value(), 127);
        QCOMPARE(octets[1]->value(), 0);
        QCOMPARE(octets[2]->value(), 0);
        QCOMPARE(octets[3]->value(), 1);
        d.button(1099)->click();
        QCOMPARE(d.hostList()->item(0)->text(), QString("127 .000 .000 .001"));

        QGuiApplication::clipboard()->setText("10.1.22.254");
        octets[1]->setFocus();
        QTest::keySequence(QApplication::focusWidget(), QKeySequence::Paste);
        const int pasted[4] = {10, 1, 22, 254};
        for (std::size_t i = 0; i < 4; ++i) {
            QCOMPARE(octets[i]->value(), pasted[i]);
        }
        d.button(1099)->click();
        QCOMPARE(d.hostList()->item(1)->text(), QString("010 .001 .022 .254"));
    }

    void tcpClientDialogConnectsAndDisconnects() {
        state->connection.hostList = {{127, 0, 0, 1}};
        tlx::qt::TcpClientSettingsDialog d(*state, *ini, links, &notifier);
        QCOMPARE(d.addressField()[0]->value(), 127);
        QVERIFY(d.button(1101)->isEnabled());
        QVERIFY(!d.button(1102)->isEnabled());
        d.button(1101)->click();
        QCOMPARE(links.connects, 1);
        // The link reports the connection later; the buttons follow it.
        state->link.socketConnected = true;
        emit notifier.connectionChanged();
        QVERIFY(!d.button(1101)->isEnabled());
        QVERIFY(d.button(1102)->isEnabled());
        d.button(1102)->click();
        QCOMPARE(links.closes, 1);

        // A connection that fails at once leaves the link unconnected.
        links.connectResult = false;
        state->link.socketConnected = false;
        emit notifier.connectionChanged();
        d.button(1101)->click();
        QVERIFY(!state->link.socketConnected);
        d.accept();
        QCOMPARE(key("p_port_number"), std::optional<std::string>("09004"));
    }

    void tcpServerDialogListensAndPicksAClient() {
        state->connection.clientServer = 1;
        tlx::qt::TcpServerSettingsDialog d(*state, *ini, links, &notifier);
        QCOMPARE(d.windowTitle(), QString("TCP/IPの設定(Server)"));
        QVERIFY(d.button(1053)->isEnabled());
        QVERIFY(!d.button(1052)->isEnabled());
        d.button(1053)->click();
        QCOMPARE(links.listens, 1);
        QVERIFY(!d.button(1053)->isEnabled());
        QVERIFY(d.button(1052)->isEnabled());

        links.clients = {"192.168.0.5", "192.168.0.6"};
        emit notifier.clientsChanged();
        QCOMPARE(d.clientList()->count(), 2);
        emit d.clientList()->itemDoubleClicked(d.clientList()->item(1));
        QCOMPARE(state->connection.selectNumber, 2);
        QVERIFY(state->link.socketConnected);
        QCOMPARE(d.transmissionPlace()->text(), QString("192.168.0.6"));

        d.button(1052)->click();
        QCOMPARE(links.closes, 1);
        QCOMPARE(d.clientList()->count(), 0);
        QCOMPARE(d.transmissionPlace()->text(), QString());
        QCOMPARE(state->connection.selectNumber, -1);
        QVERIFY(!state->link.socketConnected);
        QVERIFY(d.button(1053)->isEnabled());

        d.portField()->setText("9005");
        emit d.portField()->textEdited("9005");
        d.reject();
        QCOMPARE(key("p_port_number"), std::optional<std::string>("9005"));
    }

    // Reopened while devices are connected: listening goes on, the port is fixed.
    void tcpServerDialogReopenedWithClients() {
        state->connection.clientServer = 1;
        state->connection.selectNumber = 1;
        links.clients = {"10.0.0.7"};
        tlx::qt::TcpServerSettingsDialog d(*state, *ini, links, &notifier);
        QVERIFY(!d.button(1053)->isEnabled());
        QVERIFY(d.button(1052)->isEnabled());
        QVERIFY(!d.portField()->isEnabled());
        QCOMPARE(d.transmissionPlace()->text(), QString("10.0.0.7"));
        QCOMPARE(d.clientList()->count(), 1);
    }
};

QTEST_MAIN(ConnectionDialogsTest)
#include "connection_dialogs_test.moc"
