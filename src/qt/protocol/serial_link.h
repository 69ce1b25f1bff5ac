#pragma once

#include <QObject>
#include <QSerialPort>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "protocol/traffic_tap.h"

namespace tlx {
struct AppState;
class Host;
struct ConnectionSettings;
} // namespace tlx

namespace tlx::qt {

struct SerialOpenResult {
    bool ok = false;
    std::string device;
    // The five set-up steps' failure messages, in order, when the port did
    // not open.
    std::vector<std::string> failures;
    // Why the port did not open, in words an operator can act on.
    std::string reason;
};

// A serial port as the RS-232C/485 dialog offers it: the path to open and
// the text the operator reads.
struct SerialPortChoice {
    std::string path;
    std::string label;
    bool operator==(const SerialPortChoice&) const = default;
};

struct FoundPort {
    std::string device;      // the system's path, e.g. /dev/ttyUSB0
    std::string description; // the adapter's own words, may be empty
};

// The ports found, a USB adapter under its stable name in `byIdFolder` (the
// same adapter keeps it whichever ttyUSB number it gets) with its
// description.
std::vector<SerialPortChoice> serialPortChoices(const std::vector<FoundPort>& ports,
                                                const std::string& byIdFolder);
// Every port QSerialPortInfo finds, named as above from /dev/serial/by-id.
std::vector<SerialPortChoice> serialPortChoices();

// The COM port: opened once for the run, read on the main thread, every
// complete reply line handed to the serial dispatcher.
class SerialLink : public QObject {
    Q_OBJECT
public:
    SerialLink(AppState& state, Host& host, QObject* parent = nullptr);

    // Opens the port unless the interface is TCP/IP or it is open already.
    SerialOpenResult start();
    // Closes the port; whatever answer it still owed is forgotten.
    void stop();
    void write(std::string_view bytes);
    // Waits (bounded) until every written byte has left for the port; gives
    // up early when the interrupt check says so.
    bool drain(int limitMs);
    void setInterruptCheck(std::function<bool()> check) { interrupted_ = std::move(check); }
    bool isOpen() const { return port_.isOpen(); }
    void setTap(TrafficTap tap) { tap_ = std::move(tap); }
    // The port as the traffic log names it, with the RS-485 address.
    std::string linkName() const;

    // The device the settings choose: com_device when set, else COM n as the
    // n-th standard serial port.
    static std::string devicePath(const ConnectionSettings& c);

signals:
    void bytesReceived();

private:
    void onReadyRead();
    bool applyLineSettings();
    void discardStaleInput();

    AppState& state_;
    Host& host_;
    QSerialPort port_;
    TrafficTap tap_;
    std::function<bool()> interrupted_;
};

} // namespace tlx::qt
