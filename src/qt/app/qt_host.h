#pragma once

#include "base/host.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <deque>
#include <functional>
#include <memory>

class QMessageBox;

namespace tlx::qt {

// The message box of one family: notice ("Success", no icon), error
// ("Error", stop icon) or warning ("Error", exclamation icon); OK only,
// application-modal.
std::unique_ptr<QMessageBox> makeMessageBox(MessageKind kind, const QString& message,
                                            const QString& caption, QWidget* parent);

// The desktop programs' Host. Messages are never shown where they are raised:
// a reply dispatcher must not open a nested event loop, so every message is
// queued and shown, in order and each after the beep, once control is back
// in the event loop. Questions and file choosers answer at once; messages
// raised before them are shown first.
class QtHost : public QObject, public Host {
    Q_OBJECT
  public:
    struct Message {
        MessageKind kind;
        QString text;
        QString caption;
    };
    using Presenter = std::function<void(const Message&)>;

    explicit QtHost(QObject* parent = nullptr);

    void showMessage(MessageKind kind, std::string_view message, std::string_view caption) override;
    bool askYesNo(std::string_view question, std::string_view caption) override;
    std::optional<std::string> chooseFile(const FileChoice& choice) override;
    void settingsFileShown(std::string_view path) override;

    // The window boxes centre on when no dialog is open.
    void setOwner(QWidget* owner) { owner_ = owner; }
    // Sees every message as it is raised (the traffic log notes missing answers).
    void setMessageTap(std::function<void(std::string_view)> tap) { messageTap_ = std::move(tap); }
    // Replaces the message box (tests).
    void setPresenter(Presenter presenter) { presenter_ = std::move(presenter); }

    std::size_t pendingMessages() const { return queue_.size(); }
    // Shows every queued message now (start-up refusal, before a question).
    void flushMessages();

  signals:
    void fileShown(const QString& path);

  private:
    void scheduleFlush();
    void present(const Message& m);
    QWidget* boxParent() const;

    std::deque<Message> queue_;
    bool flushing_ = false;
    bool scheduled_ = false;
    QPointer<QWidget> owner_;
    Presenter presenter_;
    std::function<void(std::string_view)> messageTap_;
};

} // namespace tlx::qt
