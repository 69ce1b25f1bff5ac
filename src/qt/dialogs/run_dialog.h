#pragma once

#include "dialogs/dialog_forward.h"
#include "dialogs/paced_dialog.h"
#include "dialogs/run_dialog_controller.h"
#include "runs/fleet_run.h"

#include <QDialog>
#include <QString>
#include <functional>
#include <memory>

namespace tlx::qt {

class FleetPanel;
class TcpLink;

// While `running` says so, Escape does nothing in `dialog`: a stray key must
// not abandon a long transfer (Close asks first instead).
void refuseEscapeWhile(QDialog* dialog, std::function<bool()> running);

// The "残り m:ss" label shown beside a run's percentage.
QLabel* makeTimeLeftLabel(QWidget* parent);

// The read-all ("設定項目の読み込み") and send-all ("全項目の設定") dialogs:
// a start button, the slave address, a progress bar over the whole run, an
// activity bar that wraps, the percentage text and Close. The run is paced
// by the dialog's own timer, so the main window's timer and clock go on.
class RunDialog : public PacedDialog {
    Q_OBJECT
  public:
    // With the server's link (tcp) in the TCP/IP server role, the dialog also
    // offers the job to every connected device (job).
    RunDialog(const RunDialogDescriptor& descriptor, std::unique_ptr<PacedStepRun> run,
              AppState& state, Host& host, const QString& title, QWidget* parent = nullptr,
              TcpLink* tcp = nullptr, FleetJob job = FleetJob::ReadAll);
    ~RunDialog() override;

    QPushButton* startButton() const { return start_; }
    QPushButton* closeButton() const { return close_; }
    SlaveAddressBox* slaveAddressBox() const { return slave_; }
    QProgressBar* progressBar() const { return progress_; }
    QProgressBar* activityBar() const { return activity_; }
    QLabel* percentText() const { return percent_; }
    QLabel* timeLeftText() const { return timeLeft_; }
    const RunDialogController& controller() const { return controller_; }
    // "接続中の全装置": null outside the TCP/IP server role.
    FleetPanel* fleetPanel() const { return fleet_; }
    // Read-all on all devices asks for the folder of their files; empty: cancelled.
    std::function<QString()> chooseFolder;

    void reject() override;

  private:
    void pressStart();
    void onTick() override;
    void showProgress();
    void startFleet();
    void showFleetProgress(double share);

    std::unique_ptr<PacedStepRun> run_;
    RunDialogController controller_;
    QPushButton* start_ = nullptr;
    QPushButton* close_ = nullptr;
    SlaveAddressBox* slave_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QProgressBar* activity_ = nullptr;
    QLabel* percent_ = nullptr;
    QLabel* timeLeft_ = nullptr;
    Host& host_;
    FleetJob job_;
    FleetPanel* fleet_ = nullptr;
};

// The two dialogs over their runs.
std::unique_ptr<RunDialog> makeReadAllDialog(AppState& state, Host& host, Transport& transport,
                                             const QString& title, QWidget* parent = nullptr,
                                             TcpLink* tcp = nullptr);
std::unique_ptr<RunDialog> makeSendAllDialog(AppState& state, Host& host, Transport& transport,
                                             const QString& title, QWidget* parent = nullptr,
                                             TcpLink* tcp = nullptr);

} // namespace tlx::qt
