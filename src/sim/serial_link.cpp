#include "sim/serial_link.h"

namespace tlx::sim {

SerialLink::SerialLink(LinkContext context, QObject* parent)
    : QObject(parent), context_(std::move(context)) {}

bool SerialLink::open(const QString& device, QString* error, QString* warning) {
    port_.setPortName(device);
    if (!port_.open(QIODevice::ReadWrite)) {
        *error = device + ": " + port_.errorString();
        return false;
    }
    const bool set =
        port_.setBaudRate(QSerialPort::Baud115200) && port_.setDataBits(QSerialPort::Data8) &&
        port_.setStopBits(QSerialPort::OneStop) && port_.setFlowControl(QSerialPort::NoFlowControl);
    if (!set) {
        *error =
            device + ": cannot set 115200 baud, 8 data bits, 1 stop bit: " + port_.errorString();
        port_.close();
        return false;
    }
    // Some ports (a pseudo-terminal, some adapters) have no parity bit to
    // set; the bytes still pass, so that is worth a warning, not a refusal.
    if (!port_.setParity(QSerialPort::EvenParity)) {
        *warning =
            device + ": cannot set even parity (" + port_.errorString() + "); running without it";
        port_.clearError();
    }
    Connection::Io io;
    io.write = [this](const QByteArray& bytes) { port_.write(bytes); };
    io.close = [] {};
    connection_ = new Connection(*context_.bus, *context_.plan, counters_, context_.pacing,
                                 context_.log, std::move(io), this);
    connect(&port_, &QSerialPort::readyRead, this,
            [this] { connection_->receive(port_.readAll()); });
    return true;
}

} // namespace tlx::sim
