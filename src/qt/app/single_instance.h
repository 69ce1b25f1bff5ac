#pragma once

#include "app/product.h"

#include <QLockFile>
#include <QString>
#include <memory>
#include <string_view>

namespace tlx {
class Host;
}

namespace tlx::qt {

// One running copy per user and model: a lock file named after the model's
// mutex name in the user's runtime folder, held for the whole run. A lock
// left by a copy that died is taken over.
class SingleInstance {
  public:
    explicit SingleInstance(std::string_view mutexName, const QString& folder = runtimeFolder());

    // False when another running copy holds the lock.
    bool acquire();
    QString lockPath() const { return path_; }

    static QString runtimeFolder();

  private:
    QString path_;
    std::unique_ptr<QLockFile> lock_;
};

// Start-up's single-instance rule: takes the lock, or tells the operator
// "２重に起動はできません" (caption: the product string) and returns false.
bool takeSingleInstance(SingleInstance& instance, Host& host, Product product);

} // namespace tlx::qt
