#include "sim/line_log.h"

namespace tlx::sim {

bool LineLog::open(const QString& path, QString* error) {
    file_.setFileName(path);
    if (!file_.open(QIODevice::WriteOnly | QIODevice::Append)) {
        *error = path + ": " + file_.errorString();
        return false;
    }
    return true;
}

void LineLog::append(std::string_view line) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    if (line.ends_with('\n')) {
        line.remove_suffix(1);
    }
    if (line.ends_with('\r')) {
        line.remove_suffix(1);
    }
    QByteArray text;
    text.reserve(static_cast<qsizetype>(line.size()) + 1);
    for (char c : line) {
        const auto u = static_cast<unsigned char>(c);
        if (u >= 0x20 && u < 0x7F && u != '\\') {
            text.append(c);
        } else {
            text.append("\\x");
            text.append(kHex[u >> 4]);
            text.append(kHex[u & 0xF]);
        }
    }
    text.append('\n');
    file_.write(text);
    file_.flush();
}

} // namespace tlx::sim
