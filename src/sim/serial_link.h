#pragma once

#include "sim/link_context.h"

#include <QObject>
#include <QPointer>
#include <QSerialPort>

namespace tlx::sim {

// A real serial port at the device's fixed line settings: 115200 baud, 8 data
// bits, even parity, 1 stop bit.
class SerialLink : public QObject {
    Q_OBJECT
  public:
    explicit SerialLink(LinkContext context, QObject* parent = nullptr);
    // Fails when the port cannot be opened at 115200 baud, 8 data bits and 1
    // stop bit; a port without parity only gives *warning.
    bool open(const QString& device, QString* error, QString* warning);

  private:
    LinkContext context_;
    device::LinkCounters counters_;
    QSerialPort port_;
    QPointer<Connection> connection_;
};

} // namespace tlx::sim
