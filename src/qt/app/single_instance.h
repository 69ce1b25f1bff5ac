#pragma once

#include "base/product.h"

#include <QString>
#include <string_view>

namespace tlx {
class Host;
}

namespace tlx::qt {

// One running copy per user and model: a lock file named after the model's
// mutex name in the user's runtime folder, locked (flock) for the whole run.
// The kernel drops the lock when its owner ends, however it ends, so a lock
// left by a copy that died never blocks the next start.
class SingleInstance {
  public:
    explicit SingleInstance(std::string_view mutexName, const QString& folder = runtimeFolder());
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // False when another running copy holds the lock. When no lock file can
    // be made at all, says so on the log and lets the program start.
    bool acquire();
    QString lockPath() const { return path_; }

    // $XDG_RUNTIME_DIR, or the temporary folder when it is not set.
    static QString runtimeFolder();

  private:
    QString path_;
    int fd_ = -1;
};

// Start-up's single-instance rule: takes the lock, or tells the operator
// "２重に起動はできません" (caption: the product string) and returns false.
bool takeSingleInstance(SingleInstance& instance, Host& host, Product product);

} // namespace tlx::qt
