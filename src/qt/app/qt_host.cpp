#include "app/qt_host.h"

#include "dialogs/file_chooser.h"
#include "settings/qt_text.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

namespace tlx::qt {

std::unique_ptr<QMessageBox> makeMessageBox(MessageKind kind, const QString& message,
                                            const QString& caption, QWidget* parent) {
    auto box = std::make_unique<QMessageBox>(parent);
    box->setWindowTitle(caption);
    box->setText(message);
    box->setStandardButtons(QMessageBox::Ok);
    box->setWindowModality(Qt::ApplicationModal);
    switch (kind) {
    case MessageKind::Notice:
        box->setIcon(QMessageBox::NoIcon);
        break;
    case MessageKind::Error:
        box->setIcon(QMessageBox::Critical);
        break;
    case MessageKind::Warning:
        box->setIcon(QMessageBox::Warning);
        break;
    }
    return box;
}

QtHost::QtHost(QObject* parent) : QObject(parent) {}

void QtHost::showMessage(MessageKind kind, std::string_view message, std::string_view caption) {
    if (messageTap_) {
        messageTap_(message);
    }
    queue_.push_back({kind, qtext(message), qtext(caption)});
    scheduleFlush();
}

void QtHost::scheduleFlush() {
    if (scheduled_) {
        return;
    }
    scheduled_ = true;
    QTimer::singleShot(0, this, [this] {
        scheduled_ = false;
        flushMessages();
    });
}

void QtHost::flushMessages() {
    // A box's own event loop may run this again (a timer, another zero-timer):
    // the outer loop below shows whatever was queued meanwhile.
    if (flushing_) {
        return;
    }
    flushing_ = true;
    while (!queue_.empty()) {
        const Message m = queue_.front();
        queue_.pop_front();
        present(m);
    }
    flushing_ = false;
}

QWidget* QtHost::boxParent() const {
    if (QWidget* modal = QApplication::activeModalWidget()) {
        return modal;
    }
    return owner_.data();
}

void QtHost::present(const Message& m) {
    QApplication::beep();
    if (presenter_) {
        presenter_(m);
        return;
    }
    auto box = makeMessageBox(m.kind, m.text, m.caption, boxParent());
    box->exec();
}

bool QtHost::askYesNo(std::string_view question, std::string_view caption) {
    flushMessages();
    QApplication::beep();
    QMessageBox box(boxParent());
    box.setWindowTitle(qtext(caption));
    box.setText(qtext(question));
    box.setIcon(QMessageBox::Question);
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box.setDefaultButton(QMessageBox::Yes);
    box.setWindowModality(Qt::ApplicationModal);
    return box.exec() == QMessageBox::Yes;
}

std::optional<std::string> QtHost::chooseFile(const FileChoice& choice) {
    flushMessages();
    return runFileChooser(choice, boxParent());
}

void QtHost::settingsFileShown(std::string_view path) {
    emit fileShown(qtext(path));
}

} // namespace tlx::qt
