#include "dialogs/run_dialog.h"

#include "base/host.h"
#include "dialogs/dialog_widgets.h"
#include "dialogs/fleet_panel.h"
#include "dialogs/slave_address_box.h"
#include "protocol/app_state.h"
#include "runs/read_all_run.h"
#include "runs/send_all_run.h"
#include "settings/qt_text.h"

#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace tlx::qt {

namespace {

class EscapeFilter : public QObject {
  public:
    EscapeFilter(QObject* parent, std::function<bool()> running)
        : QObject(parent), running_(std::move(running)) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape && running_()) {
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    std::function<bool()> running_;
};

} // namespace

QLabel* makeTimeLeftLabel(QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(QStringLiteral("timeLeft"));
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QStringLiteral("残り 00:00")));
    return label;
}

void refuseEscapeWhile(QDialog* dialog, std::function<bool()> running) {
    dialog->installEventFilter(new EscapeFilter(dialog, std::move(running)));
}

RunDialog::RunDialog(const RunDialogDescriptor& descriptor, std::unique_ptr<PacedStepRun> run,
                     AppState& state, Host& host, const QString& title, QWidget* parent,
                     TcpLink* tcp, FleetJob job)
    : PacedDialog(parent), run_(std::move(run)), controller_(descriptor, state, host, *run_),
      host_(host), job_(job) {
    setWindowTitle(title);

    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    start_ =
        makeButton(qtext(descriptor.startLabel), descriptor.offersBroadcast ? 1027 : 1046, this);
    top->addWidget(start_);
    top->addStretch();
    top->addWidget(new QLabel(QStringLiteral("スレーブアドレス"), this));
    slave_ = new SlaveAddressBox(controller_.slaveAddress(), this);
    top->addWidget(slave_);
    layout->addLayout(top);

    progress_ = makeProgressBar(QStringLiteral("progress1029"), run_->progress().barMax, this);
    layout->addWidget(progress_);

    auto* bottom = new QHBoxLayout;
    activity_ = makeProgressBar(QStringLiteral("activity"), RunProgress::activityMax, this);
    bottom->addWidget(activity_, 1);
    percent_ = new QLabel(this);
    percent_->setObjectName(QStringLiteral("percent1030"));
    percent_->setMinimumWidth(
        percent_->fontMetrics().horizontalAdvance(QStringLiteral("100.00 %")));
    bottom->addWidget(percent_);
    bottom->addWidget(new QLabel(QStringLiteral("％"), this));
    timeLeft_ = makeTimeLeftLabel(this);
    bottom->addWidget(timeLeft_);
    layout->addLayout(bottom);

    if (tcp != nullptr && state.connection.interfaceKind == InterfaceKind::Tcp &&
        state.connection.clientServer == 1) {
        fleet_ = new FleetPanel(*tcp, state, host, job, this);
        connect(fleet_, &FleetPanel::progressed, this, &RunDialog::showFleetProgress);
        connect(fleet_, &FleetPanel::finished, this, [this] { start_->setEnabled(true); });
        chooseFolder = [this] {
            return QFileDialog::getExistingDirectory(this, QStringLiteral("フォルダの選択"));
        };
    }

    auto* closeRow = new QHBoxLayout;
    closeRow->addStretch();
    close_ = makeButton(QStringLiteral("Close"), 2, this);
    closeRow->addWidget(close_);
    layout->addLayout(closeRow);
    if (fleet_ != nullptr) {
        // Below Close: the added choice leaves the specified controls where
        // they are.
        layout->addWidget(fleet_);
    }

    connect(start_, &QPushButton::clicked, this, &RunDialog::pressStart);
    connect(close_, &QPushButton::clicked, this, &RunDialog::reject);
    refuseEscapeWhile(this, [this] {
        return controller_.running() || (fleet_ != nullptr && fleet_->running());
    });
    setMinimumWidth(360);
}

RunDialog::~RunDialog() {
    // Destroyed without Close (the program ends): the run must not leave
    // busyStep behind.
    timer_.stop();
    if (controller_.running()) {
        controller_.close();
    }
}

void RunDialog::pressStart() {
    if (fleet_ != nullptr && fleet_->chosen()) {
        startFleet();
        return;
    }
    if (fleet_ != nullptr && fleet_->running()) {
        return;
    }
    if (controller_.pressStart()) {
        showProgress();
        timer_.start(controller_.interval());
    }
}

void RunDialog::onTick() {
    const RunTickResult r = controller_.tick();
    showProgress();
    switch (r) {
    case RunTickResult::Continue:
        timer_.start(controller_.interval());
        break;
    case RunTickResult::Stopped:
        close_->setEnabled(true);
        break;
    case RunTickResult::Finished:
        accept();
        break;
    }
}

void RunDialog::showProgress() {
    const RunProgress& p = controller_.progress();
    progress_->setValue(p.bar);
    activity_->setValue(p.activity);
    percent_->setText(QString::fromStdString(p.percent));
    timeLeft_->setText(QString::fromStdString(controller_.timeLeft()));
    start_->setEnabled(!controller_.running());
}

void RunDialog::startFleet() {
    if (fleet_->running() || controller_.running() || !confirmNotAutoSwitching(host_)) {
        return;
    }
    QString folder;
    if (job_ == FleetJob::ReadAll) {
        folder = chooseFolder ? chooseFolder() : QString();
        if (folder.isEmpty()) {
            return;
        }
    }
    if (fleet_->start(timer_.scale(), folder)) {
        start_->setEnabled(false);
    }
}

void RunDialog::showFleetProgress(double share) {
    const int total = run_->totalSteps();
    const int done = static_cast<int>(share * total);
    progress_->setValue(done);
    percent_->setText(QString::fromStdString(percentHundredths(done, total)));
}

void RunDialog::reject() {
    if (fleet_ != nullptr && fleet_->running()) {
        if (!host_.askYesNo(kMsgAbandonFleet, kCaptionConfirmDevice)) {
            return;
        }
        fleet_->stop();
    }
    if (!controller_.mayClose()) {
        return;
    }
    timer_.stop();
    controller_.close();
    QDialog::reject();
}

std::unique_ptr<RunDialog> makeReadAllDialog(AppState& state, Host& host, Transport& transport,
                                             const QString& title, QWidget* parent,
                                             TcpLink* tcp) {
    return std::make_unique<RunDialog>(kReadAllDialog,
                                       std::make_unique<ReadAllRun>(state, host, transport), state,
                                       host, title, parent, tcp, FleetJob::ReadAll);
}

std::unique_ptr<RunDialog> makeSendAllDialog(AppState& state, Host& host, Transport& transport,
                                             const QString& title, QWidget* parent,
                                             TcpLink* tcp) {
    return std::make_unique<RunDialog>(kSendAllDialog,
                                       std::make_unique<SendAllRun>(state, host, transport), state,
                                       host, title, parent, tcp, FleetJob::SendAll);
}

} // namespace tlx::qt
