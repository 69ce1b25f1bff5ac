#pragma once

#include <QByteArray>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <optional>
#include <string>

#include "base/product.h"
#include "settings/settings_model.h"
#include "support/read_fields.h"

namespace tlx::e2e {

struct CtlResult {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

// Runs tlx500ctl to its end (or kills it after the limit).
CtlResult runCtl(const QStringList& arguments, int limitMs = 120000);

// tlx500ctl started and left running, for the listening role.
class CtlProcess {
public:
    explicit CtlProcess(const QStringList& arguments);
    ~CtlProcess();
    // The port it announced on stderr ("... on port N").
    std::optional<int> waitListeningPort(int limitMs = 20000);
    CtlResult finish(int limitMs = 120000);
    qint64 pid() const { return process_.processId(); }

private:
    QProcess process_;
    QByteArray err_;
};

// A whole file's bytes (empty when it cannot be read), and a file written
// whole.
QByteArray fileBytes(const QString& path);
bool writeBytes(const QString& path, const QByteArray& bytes);

// A settings file read into a model; nothing when it cannot be read whole.
std::optional<SettingsModel> loadSettings(const QString& path, Product product);
bool saveSettings(const QString& path, const SettingsModel& m, Product product);

// The number the tool reports for "read N settings commands" / "sent N commands".
int commandsReported(const QByteArray& err);

// The --model argument of a model, and the case name of a suite run for both.
QString modelArg(Product p);
std::string modelName(const ::testing::TestParamInfo<Product>& info);

// The base of a suite run for both models: the model, and a folder of its own.
class ModelE2E : public ::testing::TestWithParam<Product> {
  protected:
    Product product() const { return GetParam(); }
    QString model() const { return modelArg(product()); }
    QTemporaryDir dir;
    QString file(const QString& name) const { return dir.filePath(name); }
};

// A seeded emulator's state saved in a settings file, as it saves it on exit.
bool saveSeededState(Product p, const char* seed, const QString& path);

// Everything read with tlx500ctl into `file` from an emulator of the model on
// TCP/IP, started with these further options.
CtlResult readAllFrom(Product p, const QStringList& simArgs, const QString& file);

using test::readFieldsDiff;
using test::sentFieldsDiff;
using test::trimmedTitle;

} // namespace tlx::e2e
