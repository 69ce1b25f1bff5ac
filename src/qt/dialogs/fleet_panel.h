#pragma once

#include <QString>
#include <QTimer>
#include <QWidget>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "dialogs/dialog_forward.h"
#include "runs/fleet_run.h"

class QCheckBox;
class QTableWidget;

namespace tlx::qt {

class FleetDriver;
class TcpLink;

// The added choice of the run dialogs in the TCP/IP server role, "接続中の全装置":
// the job goes to every connected device at once, and a list shows each
// device's address, progress and outcome. The program's own settings model is
// only read (send-all), never written.
class FleetPanel : public QWidget {
    Q_OBJECT
public:
    FleetPanel(TcpLink& tcp, AppState& state, Host& host, FleetJob job, QWidget* parent = nullptr);
    ~FleetPanel() override;

    bool chosen() const;
    QCheckBox* choice() const { return choice_; }
    QTableWidget* deviceList() const { return list_; }

    // Starts the job on the clients connected now: folder for read-all's
    // files, lines for set-clock. False (with the warning) when none is connected.
    bool start(double paceScale, const QString& folder = {},
               std::vector<std::string> lines = {});
    bool running() const;
    void stop();
    // The last run, while the panel lives.
    const FleetRun* fleet() const;

signals:
    void progressed(double share);
    void finished();

private:
    void refresh();
    void end();

    TcpLink& tcp_;
    AppState& state_;
    Host& host_;
    FleetJob job_;
    QString folder_;
    QCheckBox* choice_ = nullptr;
    QTableWidget* list_ = nullptr;
    std::unique_ptr<FleetDriver> driver_;
    QTimer refreshTimer_;
};

// Asked when Close would abandon a run on all devices.
inline constexpr std::string_view kMsgAbandonFleet = "全装置への実行を中止しますか？";

// A device's outcome as the list shows it.
QString outcomeText(const FleetOutcome& o);

} // namespace tlx::qt
