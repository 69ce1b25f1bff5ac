#include "sim/serial_link.h"

namespace tlx::sim {

SerialLink::SerialLink(LinkContext context, QObject* parent)
    : QObject(parent), context_(std::move(context)) {}

bool SerialLink::open(const QString& device, QString* error) {
    port_.setPortName(device);
    if (!port_.open(QIODevice::ReadWrite)) {
        *error = device + ": " + port_.errorString();
        return false;
    }
    const bool set =
        port_.setBaudRate(QSerialPort::Baud115200) && port_.setDataBits(QSerialPort::Data8) &&
        port_.setParity(QSerialPort::EvenParity) && port_.setStopBits(QSerialPort::OneStop) &&
        port_.setFlowControl(QSerialPort::NoFlowControl);
    if (!set) {
        *error = device + ": cannot set 115200 8E1: " + port_.errorString();
        port_.close();
        return false;
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
