#include "ctl_runner.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QRegularExpression>

#include "settings/settings_file.h"

namespace tlx::e2e {

CtlResult runCtl(const QStringList& arguments, int limitMs) {
    QProcess p;
    p.start(QStringLiteral(TLX_CTL_PATH), arguments);
    CtlResult r;
    if (!p.waitForFinished(limitMs)) {
        p.kill();
        p.waitForFinished(5000);
        r.err = p.readAllStandardError();
        return r;
    }
    r.out = p.readAllStandardOutput();
    r.err = p.readAllStandardError();
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    return r;
}

CtlProcess::CtlProcess(const QStringList& arguments) {
    process_.start(QStringLiteral(TLX_CTL_PATH), arguments);
}

CtlProcess::~CtlProcess() {
    if (process_.state() != QProcess::NotRunning) {
        process_.kill();
        process_.waitForFinished(5000);
    }
}

std::optional<int> CtlProcess::waitListeningPort(int limitMs) {
    static const QRegularExpression portText(QStringLiteral("on port (\\d+)"));
    QDeadlineTimer deadline(limitMs);
    while (!deadline.hasExpired() && process_.state() != QProcess::NotRunning) {
        process_.waitForReadyRead(50);
        err_ += process_.readAllStandardError();
        const auto m = portText.match(QString::fromUtf8(err_));
        if (m.hasMatch()) {
            return m.captured(1).toInt();
        }
    }
    return std::nullopt;
}

CtlResult CtlProcess::finish(int limitMs) {
    CtlResult r;
    if (!process_.waitForFinished(limitMs)) {
        process_.kill();
        process_.waitForFinished(5000);
    }
    r.out = process_.readAllStandardOutput();
    r.err = err_ + process_.readAllStandardError();
    r.exitCode = process_.exitStatus() == QProcess::NormalExit ? process_.exitCode() : -1;
    return r;
}

std::optional<SettingsModel> loadSettings(const QString& path, Product product) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    const QByteArray bytes = f.readAll();
    SettingsModel m;
    resetModelToDefaults(m, product);
    const auto r = readSettingsFile(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
                                    m, product);
    if (!r.complete()) {
        return std::nullopt;
    }
    return m;
}

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

bool saveSettings(const QString& path, const SettingsModel& m, Product product) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        return false;
    }
    const std::string bytes = writeSettingsFile(m, product);
    return f.write(bytes.data(), static_cast<qint64>(bytes.size())) ==
           static_cast<qint64>(bytes.size());
}

int commandsReported(const QByteArray& err) {
    static const QRegularExpression count(QStringLiteral("(read|sent) (\\d+) "));
    const auto m = count.match(QString::fromUtf8(err));
    return m.hasMatch() ? m.captured(2).toInt() : -1;
}

std::string trimmedTitle(std::string_view text) {
    while (text.size() >= 2 && text.substr(text.size() - 2) == "\x81\x40") {
        text.remove_suffix(2);
    }
    return std::string(text);
}

namespace {

template <typename T> bool sameLine0(const PerLine<T>& a, const PerLine<T>& b) {
    for (std::size_t p = 0; p < kPages; ++p) {
        if (a[p][0] != b[p][0]) {
            return false;
        }
    }
    return true;
}

std::string commonDiff(const SettingsModel& a, const SettingsModel& b, Product p) {
#define TLX_SAME(field)                                                                        \
    if (!(a.field == b.field)) {                                                               \
        return #field;                                                                         \
    }
    if (p == Product::F) {
        for (std::size_t pg = 0; pg < kPages; ++pg) {
            for (std::size_t l = 0; l < kLines; ++l) {
                if (trimmedTitle(a.titleText[pg][l].view()) != trimmedTitle(b.titleText[pg][l].view())) {
                    return "titleText[" + std::to_string(pg) + "][" + std::to_string(l) + "]";
                }
            }
        }
        TLX_SAME(charSize) TLX_SAME(blink) TLX_SAME(charColour) TLX_SAME(outlineColour)
        TLX_SAME(backgroundFill) TLX_SAME(lineSpacing) TLX_SAME(horizontalOffset)
        TLX_SAME(centering) TLX_SAME(eraseTime) TLX_SAME(autoSwitchTime) TLX_SAME(fontType)
    } else {
        for (std::size_t pg = 0; pg < kPages; ++pg) {
            if (trimmedTitle(a.titlePageText[pg].view()) != trimmedTitle(b.titlePageText[pg].view())) {
                return "titlePageText[" + std::to_string(pg) + "]";
            }
            if (a.eraseTime[pg][0] != b.eraseTime[pg][0]) {
                return "eraseTime[" + std::to_string(pg) + "]";
            }
        }
        if (!sameLine0(a.charSize, b.charSize)) return "charSize";
        if (!sameLine0(a.blink, b.blink)) return "blink";
        if (!sameLine0(a.charColour, b.charColour)) return "charColour";
        if (!sameLine0(a.outlineColour, b.outlineColour)) return "outlineColour";
        if (!sameLine0(a.backgroundFill, b.backgroundFill)) return "backgroundFill";
        if (!sameLine0(a.lineSpacing, b.lineSpacing)) return "lineSpacing";
        TLX_SAME(titlePosition) TLX_SAME(autoSwitchTime)
    }
    TLX_SAME(whiteLevel) TLX_SAME(blackLevel) TLX_SAME(scheduleHour) TLX_SAME(scheduleMinute)
    TLX_SAME(schedulePage) TLX_SAME(alarmMode) TLX_SAME(alarmPolarity) TLX_SAME(alarmReturn)
    TLX_SAME(alarmDisplay) TLX_SAME(alarmHoldTime) TLX_SAME(connectorPages) TLX_SAME(remoteMode)
    TLX_SAME(connectorInput) TLX_SAME(powerOnPage) TLX_SAME(videoLossBlue)
    TLX_SAME(dateTimeDisplay) TLX_SAME(dateTimeRange) TLX_SAME(dateTimeSize)
#undef TLX_SAME
    return {};
}

} // namespace

std::string readFieldsDiff(const SettingsModel& a, const SettingsModel& b, Product p) {
    auto d = commonDiff(a, b, p);
    if (d.empty() && p == Product::S) {
        // Model S reads the font type page by page.
        if (!sameLine0(a.fontType, b.fontType)) {
            return "fontType";
        }
    }
    return d;
}

std::string sentFieldsDiff(const SettingsModel& a, const SettingsModel& b, Product p) {
    return readFieldsDiff(a, b, p);
}

} // namespace tlx::e2e
