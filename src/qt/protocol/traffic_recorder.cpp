#include "protocol/traffic_recorder.h"

#include <QDateTime>

#include "protocol/app_state.h"
#include "protocol/protocol.h"
#include "protocol/serial_link.h"
#include "protocol/tcp_link.h"
#include "settings/sjis_text.h"

namespace tlx::qt {

TrafficStamp trafficStampNow() {
    const QDateTime now = QDateTime::currentDateTime();
    const QDate d = now.date();
    const QTime t = now.time();
    return {{d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second()}, t.msec()};
}

std::string sjisToUtf8(std::string_view sjis) { return sjisToUnicode(sjis).toStdString(); }

std::string trafficLineText(const TrafficLog& log, const TrafficLine& line) {
    return formatTrafficLine(line, log.linkName(line.link), sjisToUtf8);
}

void TrafficRecorder::record(Direction direction, std::string_view link, std::string_view bytes) {
    log_.record(direction == Direction::Out ? TrafficDirection::Sent : TrafficDirection::Received,
                link, bytes, trafficStampNow());
}

void TrafficRecorder::message(std::string_view text) {
    if (text != kMsgNoConnect && text != kMsgNoAnswer) {
        return;
    }
    const auto& c = state_.connection;
    const std::string link = c.interfaceKind == InterfaceKind::Serial
                                 ? serial_.linkName()
                                 : tcp_.linkName(c.clientServer == 1 ? c.selectNumber : -1);
    log_.event(link, text, trafficStampNow());
}

} // namespace tlx::qt
