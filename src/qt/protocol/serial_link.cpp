#include "protocol/serial_link.h"

#include <QDeadlineTimer>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSerialPortInfo>
#include <map>

#include "base/codecs.h"
#include "base/host.h"
#include "protocol/app_state.h"
#include "protocol/protocol.h"

namespace tlx::qt {

namespace {

std::string openFailureReason(const std::string& device, QSerialPort::SerialPortError error,
                              const QString& detail) {
    if (::access(device.c_str(), F_OK) != 0) {
        return "serial device " + device + " does not exist: check the cable or adapter and the port chosen";
    }
    if (::access(device.c_str(), R_OK | W_OK) != 0) {
        return "no permission to open " + device +
               ": add this user to the 'dialout' group (sudo usermod -aG dialout $USER) and log in again";
    }
    if (error == QSerialPort::PermissionError || error == QSerialPort::OpenError) {
        return "serial device " + device + " is in use by another program: close it and try again";
    }
    return "cannot open " + device + ": " + detail.toStdString();
}

} // namespace

std::vector<SerialPortChoice> serialPortChoices(const std::vector<FoundPort>& ports,
                                                const std::string& byIdFolder) {
    // The stable names point at the ports' system paths.
    std::map<std::string, std::string> stableName;
    const QDir folder(QString::fromStdString(byIdFolder));
    for (const QFileInfo& link : folder.entryInfoList(QDir::System | QDir::Files, QDir::Name)) {
        if (link.isSymLink()) {
            stableName.emplace(QFile::encodeName(link.symLinkTarget()).toStdString(),
                               QFile::encodeName(link.absoluteFilePath()).toStdString());
        }
    }
    std::vector<SerialPortChoice> choices;
    for (const FoundPort& port : ports) {
        const auto named = stableName.find(port.device);
        SerialPortChoice c;
        c.path = named != stableName.end() ? named->second : port.device;
        c.label = c.path;
        if (!port.description.empty()) {
            c.label += "  (" + port.description;
            if (c.path != port.device) {
                c.label += ", " + port.device;
            }
            c.label += ")";
        }
        choices.push_back(std::move(c));
    }
    return choices;
}

std::vector<SerialPortChoice> serialPortChoices() {
    std::vector<FoundPort> found;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        found.push_back({QFile::encodeName(info.systemLocation()).toStdString(),
                         info.description().toStdString()});
    }
    return serialPortChoices(found, "/dev/serial/by-id");
}

SerialLink::SerialLink(AppState& state, Host& host, QObject* parent)
    : QObject(parent), state_(state), host_(host) {
    connect(&port_, &QSerialPort::readyRead, this, &SerialLink::onReadyRead);
}

std::string SerialLink::devicePath(const ConnectionSettings& c) {
    if (!c.comDevice.empty()) {
        return c.comDevice;
    }
    const int index = c.comPortIndex >= 0 && c.comPortIndex <= 5 ? c.comPortIndex : 0;
    return "/dev/ttyS" + std::to_string(index);
}

std::string SerialLink::linkName() const {
    std::string name = port_.isOpen() ? port_.portName().toStdString() : devicePath(state_.connection);
    const auto& c = state_.connection;
    if (c.rs485()) {
        name += '@';
        name += c.slaveAddress >= 0 && c.slaveAddress < kSlaveBroadcast ? encode2(c.slaveAddress)
                                                                          : "FF";
    }
    return name;
}

SerialOpenResult SerialLink::start() {
    SerialOpenResult result;
    if (state_.connection.interfaceKind == InterfaceKind::Tcp || state_.link.serialOpen) {
        result.ok = state_.link.serialOpen;
        return result;
    }
    result.device = devicePath(state_.connection);
    port_.setPortName(QString::fromStdString(result.device));
    port_.setBaudRate(QSerialPort::Baud115200);
    port_.setDataBits(QSerialPort::Data8);
    port_.setParity(QSerialPort::EvenParity);
    port_.setStopBits(QSerialPort::OneStop);
    port_.setFlowControl(QSerialPort::SoftwareControl);
    if (!port_.open(QIODevice::ReadWrite)) {
        result.failures = {"Miss! File Open", "Miss! Mask Set", "Miss! Buffer Set",
                           "Miss! Time Out Set", "Miss! Set Comm State"};
        result.reason = openFailureReason(result.device, port_.error(), port_.errorString());
        return result;
    }
    if (!applyLineSettings()) {
        result.failures = {"Miss! Set Comm State"};
        result.reason = "cannot set the line parameters of " + result.device + ": " +
                        std::strerror(errno);
    }
    discardStaleInput();
    state_.link.serialOpen = true;
    result.ok = true;
    return result;
}

void SerialLink::stop() {
    if (port_.isOpen()) {
        port_.close();
    }
    state_.link.serialOpen = false;
    state_.link.awaitingAnswer = false;
    state_.link.noAnswerTicks = 0;
    state_.link.serialLines.clear();
}

// What QSerialPort cannot say: XON/XOFF in both directions together with CTS
// output flow control, and no parity check on received bytes.
bool SerialLink::applyLineSettings() {
    const int fd = static_cast<int>(port_.handle());
    termios t{};
    if (::tcgetattr(fd, &t) != 0) {
        return false;
    }
    t.c_iflag |= IXON | IXOFF;
    t.c_iflag &= ~static_cast<tcflag_t>(INPCK | IXANY);
    t.c_cc[VSTART] = 0x11;
    t.c_cc[VSTOP] = 0x13;
    t.c_cflag |= CRTSCTS;
    return ::tcsetattr(fd, TCSANOW, &t) == 0;
}

// A reply meant for an earlier program (one killed in the middle of an
// exchange) may still wait in the port; it must not pass for the answer to
// this program's first command. An XOFF it left must not hold our output.
void SerialLink::discardStaleInput() {
    port_.clear(QSerialPort::Input);
    ::tcflow(static_cast<int>(port_.handle()), TCOON);
    state_.link.serialLines.clear();
}

void SerialLink::write(std::string_view bytes) {
    if (tap_) {
        tap_(Direction::Out, linkName(), bytes);
    }
    if (port_.isOpen()) {
        port_.write(bytes.data(), static_cast<qint64>(bytes.size()));
    }
}

bool SerialLink::drain(int limitMs) {
    // Short slices: a device that sent XOFF holds the bytes back for good.
    constexpr int kSliceMs = 25;
    QDeadlineTimer due(limitMs);
    while (port_.isOpen() && port_.bytesToWrite() > 0) {
        if (due.hasExpired() || (interrupted_ && interrupted_())) {
            return false;
        }
        port_.waitForBytesWritten(
            static_cast<int>(std::min<qint64>(due.remainingTime(), kSliceMs)));
    }
    return true;
}

void SerialLink::onReadyRead() {
    const QByteArray data = port_.readAll();
    const std::string_view bytes(data.constData(), static_cast<std::size_t>(data.size()));
    if (tap_) {
        tap_(Direction::In, linkName(), bytes);
    }
    receiveSerialBytes(state_, host_, bytes);
    emit bytesReceived();
}

} // namespace tlx::qt
