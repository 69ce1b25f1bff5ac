#include "sim/ready_file.h"

#include <QSaveFile>

namespace tlx::sim {

bool writeReadyFile(const QString& path, const QString& text, QString* error) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        *error = path + ": " + file.errorString();
        return false;
    }
    file.write((text + "\n").toUtf8());
    if (!file.commit()) {
        *error = path + ": " + file.errorString();
        return false;
    }
    return true;
}

} // namespace tlx::sim
