#include "ctl_runner.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QRegularExpression>

#include "settings/settings_file.h"
#include "sim_process.h"

#include <csignal>

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

QString modelArg(Product p) { return p == Product::F ? "F" : "S"; }

std::string modelName(const ::testing::TestParamInfo<Product>& info) {
    return modelArg(info.param).toStdString();
}

bool saveSeededState(Product p, const char* seed, const QString& path) {
    sim::test::SimProcess source(
        {"--model", modelArg(p), "--tcp-listen", "0", "--seed", seed, "--save", path});
    return source.start() && source.stop(SIGTERM) == 0;
}

CtlResult readAllFrom(Product p, const QStringList& simArgs, const QString& file) {
    sim::test::SimProcess device(QStringList{"--model", modelArg(p), "--tcp-listen", "0"} +
                                 simArgs);
    if (!device.start()) {
        return {-1, {}, device.why().toUtf8()};
    }
    return runCtl(QStringList{"--model", modelArg(p)} + device.ctlLink() +
                  QStringList{"--pace-scale", "0.001", "read-all", file});
}

int commandsReported(const QByteArray& err) {
    static const QRegularExpression count(QStringLiteral("(read|sent) (\\d+) "));
    const auto m = count.match(QString::fromUtf8(err));
    return m.hasMatch() ? m.captured(2).toInt() : -1;
}

} // namespace tlx::e2e
