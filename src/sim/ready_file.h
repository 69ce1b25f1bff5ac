#pragma once

#include <QString>

namespace tlx::sim {

// Writes the ready file in one step (a temporary file renamed over it), so a
// waiting test never reads it half written.
bool writeReadyFile(const QString& path, const QString& text, QString* error);

} // namespace tlx::sim
