// "接続中の全装置" in the read-all and send-all dialogs of the TCP/IP server
// role: the wiring to the fleet run (its logic is proven in the core tests).
#include "device/device.h"
#include "device/seeded_state.h"
#include "dialogs/fleet_panel.h"
#include "dialogs/run_dialog.h"
#include "protocol/app_state.h"
#include "protocol/tcp_link.h"
#include "support/fake_host.h"
#include "support/fake_transport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QPushButton>
#include <QTableWidget>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

using tlx::Product;
using tlx::test::FakeHost;

namespace {

// An emulated device dialling the server from this process.
class DialingDevice : public QObject {
public:
    DialingDevice(quint16 port, Product p, std::uint64_t seed)
        : device_([&] {
              auto s = tlx::device::makeDeviceState(p);
              tlx::device::seedDeviceState(*s, seed);
              return s;
          }()) {
        connect(&socket_, &QTcpSocket::readyRead, this, [this] {
            buffer_ += socket_.readAll();
            for (qsizetype end = buffer_.indexOf('\n'); end >= 0; end = buffer_.indexOf('\n')) {
                const std::string line = buffer_.left(end).trimmed().toStdString();
                buffer_.remove(0, end + 1);
                const std::string reply = device_.execute(line) + "\r\n";
                socket_.write(reply.data(), static_cast<qint64>(reply.size()));
            }
        });
        socket_.connectToHost(QStringLiteral("127.0.0.1"), port);
    }

private:
    tlx::device::Device device_;
    QTcpSocket socket_;
    QByteArray buffer_;
};

class FleetDialogsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<tlx::AppState> state;
    FakeHost host;
    tlx::test::FakeTransport transport;
    std::unique_ptr<tlx::qt::TcpLink> tcp;
    std::vector<std::unique_ptr<DialingDevice>> devices;

    void serve(Product p, int count) {
        state = tlx::makeAppState(p);
        state->connection.interfaceKind = tlx::InterfaceKind::Tcp;
        state->connection.clientServer = 1;
        state->model.devicePortNumber = "0";
        tcp = std::make_unique<tlx::qt::TcpLink>(*state, host);
        QVERIFY(tcp->startListening());
        devices.clear();
        for (int i = 0; i < count; ++i) {
            devices.push_back(std::make_unique<DialingDevice>(tcp->listeningPort(), p, 10 + i));
        }
        QTRY_COMPARE(tcp->clients().clientsInUse(), count);
    }

    QStringList outcomes(tlx::qt::FleetPanel& panel) {
        QStringList out;
        for (int r = 0; r < panel.deviceList()->rowCount(); ++r) {
            out << panel.deviceList()->item(r, 2)->text();
        }
        return out;
    }

private slots:
    void readAllWritesOneFilePerDeviceAndLeavesTheModel() {
        serve(Product::S, 2);
        const std::string titleBefore(state->model.titlePageText[0].view());
        QTemporaryDir dir;
        auto dialog = tlx::qt::makeReadAllDialog(*state, host, transport, "r", nullptr, tcp.get());
        dialog->setPaceScale(0.001);
        dialog->chooseFolder = [&] { return dir.path(); };
        auto* panel = dialog->fleetPanel();
        QVERIFY(panel != nullptr);
        QCOMPARE(panel->choice()->text(), QString("接続中の全装置"));
        panel->choice()->setChecked(true);
        dialog->startButton()->click();
        QVERIFY(panel->running());
        QCOMPARE(panel->deviceList()->rowCount(), 2);
        QTRY_VERIFY_WITH_TIMEOUT(!panel->running(), 60000);
        QCOMPARE(outcomes(*panel), (QStringList{"完了", "完了"}));
        // The slave address belongs to RS-485: the end of the run leaves it off.
        QVERIFY(!dialog->findChild<QComboBox*>("box1010")->isEnabled());
        QCOMPARE(QDir(dir.path()).entryList({"*.dat"}, QDir::Files),
                 (QStringList{"127.0.0.1-2.dat", "127.0.0.1.dat"}));
        QCOMPARE(std::string(state->model.titlePageText[0].view()), titleBefore);
        QCOMPARE(state->model.busyStep, 0);
        // The run gave the connections back to the link: one device answers a single command.
        QCOMPARE(tcp->clients().clientsInUse(), 2);
        state->model.firmwareVersion.clear();
        QCOMPARE(tcp->send(*tcp->clients().slotOfRow(1), "RVN\r\n"), tlx::SocketSendStatus::Sent);
        QTRY_VERIFY(!state->model.firmwareVersion.empty());
    }

    void closeDuringARunAsksBeforeAbandoningIt() {
        serve(Product::F, 2);
        auto dialog = tlx::qt::makeSendAllDialog(*state, host, transport, "s", nullptr, tcp.get());
        dialog->setPaceScale(0.05);
        auto* panel = dialog->fleetPanel();
        panel->choice()->setChecked(true);
        dialog->startButton()->click();
        QVERIFY(panel->running());
        host.answers = {false}; // do not abandon it
        dialog->reject();
        QVERIFY(panel->running());
        host.answers = {true};
        dialog->reject();
        QVERIFY(!panel->running());
        QCOMPARE(outcomes(*panel).filter("中止").size(), 2);
    }

    void onlyTheServerRoleOffersAllDevices() {
        state = tlx::makeAppState(Product::F);
        tlx::qt::TcpLink link(*state, host);
        auto dialog = tlx::qt::makeSendAllDialog(*state, host, transport, "s", nullptr, &link);
        QVERIFY(dialog->fleetPanel() == nullptr);
    }
};

} // namespace

QTEST_MAIN(FleetDialogsTest)
#include "fleet_dialogs_test.moc"
