#pragma once

#include <QFile>
#include <QString>
#include <string_view>

namespace tlx::sim {

// Appends every received line to a file, one line each, as it arrives; bytes
// outside printable ASCII are written as \xHH so the log stays text.
class LineLog {
  public:
    bool open(const QString& path, QString* error);
    void append(std::string_view line);

  private:
    QFile file_;
};

} // namespace tlx::sim
