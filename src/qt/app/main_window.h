#pragma once

#include "app/menu_enabler.h"
#include "app/shell_logic.h"
#include "app/status_panel.h"
#include "dialogs/dialog_forward.h"

#include <QDateTime>
#include <QMainWindow>
#include <QMap>
#include <QTimer>
#include <memory>

class QToolBar;

namespace tlx::qt {

class AppDialogs;
class DialogLauncher;
class TrafficLogWindow;

// The main window: menu bar, toolbar and status bar clock over no content of
// its own. Every command goes through the routing table; the 150 ms timer
// runs the link's tick work and the clock, also while a dialog is open.
class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    MainWindow(AppState& state, Host& host, LinkHub& links, const ConnectionIni& ini,
               QWidget* parent = nullptr);
    ~MainWindow() override;

    // Replaces the dialogs (tests).
    void setDialogLauncher(DialogLauncher* launcher);

    void routeCommand(int command);
    // The menu or toolbar action of a command, or null.
    QAction* action(int command) const;
    QToolBar* toolBar() const { return toolBar_; }
    QLabel* dateLabel() const { return date_; }
    QLabel* timeLabel() const { return time_; }
    // The status panel's two lines: the link, and the file with the last reply.
    QLabel* linkStatus() const { return linkStatus_; }
    QLabel* fileStatus() const { return fileStatus_; }
    const MenuEnabler& menuEnabler() const { return *enabler_; }
    bool tickRunning() const { return tick_.isActive(); }
    // The traffic log window, once opened ("通信ログ").
    TrafficLogWindow* trafficLogWindow() const { return trafficLog_; }

    void showClock(const QDateTime& now);
    // The work of one 150 ms tick: the link's tick work, the clock and the
    // status panel (public for the timing tool).
    void tickOnce();
    void refreshTitle();

    // The window size the platform version asks for: the kernel's major and
    // minor version stand in for the operating system version query.
    static WindowSize tableSize(Product p);

  signals:
    // The exit flow let the program end.
    void exiting();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    void buildMenus();
    void buildToolBar();
    void buildStatusBar();
    void buildStatusPanel();
    void showStatusPanel();
    void showTrafficLog();

    AppState& state_;
    Host& host_;
    LinkHub& links_;
    std::unique_ptr<AppDialogs> dialogs_;
    DialogLauncher* launcher_ = nullptr;
    std::unique_ptr<MenuEnabler> enabler_;
    QMap<int, QAction*> menuActions_;
    QMap<int, QAction*> toolActions_;
    QToolBar* toolBar_ = nullptr;
    QLabel* date_ = nullptr;
    QLabel* time_ = nullptr;
    QLabel* linkStatus_ = nullptr;
    QLabel* fileStatus_ = nullptr;
    StatusPanelLines shownStatus_;
    std::uint32_t repliesSeen_ = 0;
    std::string lastReplyTime_;
    QTimer tick_;
    bool iconSet_ = false;
    TrafficLogWindow* trafficLog_ = nullptr;
};

} // namespace tlx::qt
