#pragma once

#include "dialogs/date_time_dialog.h"
#include "dialogs/dialog_forward.h"

#include <QDialog>
#include <QTimer>
#include <array>
#include <functional>

namespace tlx::qt {

class FleetPanel;
class TcpLink;

// "日付＆時刻の設定": the device's clock field by field, its seconds
// adjustment and how the date and time are shown.
class DateTimeDialog : public QDialog {
    Q_OBJECT
  public:
    DateTimeDialog(AppState& state, Host& host, Transport& transport, const ClockTime& now,
                   const QString& caption, QWidget* parent = nullptr, TcpLink* tcp = nullptr);

    QComboBox* fieldBox(ClockField field) const { return fields_[slot(field)]; }
    QPushButton* fieldButton(ClockField field) const { return fieldButtons_[slot(field)]; }
    QComboBox* rangeBox() const { return range_; }
    QComboBox* sizeBox() const { return size_; }
    QComboBox* displayBox() const { return display_; }
    QPushButton* rangeButton() const { return rangeButton_; }
    QPushButton* sizeButton() const { return sizeButton_; }
    QPushButton* displayButton() const { return displayButton_; }
    QPushButton* adjustButton() const { return adjust_; }
    QPushButton* closeButton() const { return close_; }
    SlaveAddressBox* slaveAddressBox() const { return slave_; }
    QPushButton* pcClockButton() const { return pcClock_; }
    // "接続中の全装置": null outside the TCP/IP server role.
    FleetPanel* fleetPanel() const { return fleet_; }

    // While the dialog is open, the lists the operator has not changed
    // follow this clock (the PC's, in the program).
    void followClock(std::function<ClockTime()> clock);
    // One look at the clock, as the dialog's timer takes it.
    void showClock();

  private:
    static std::size_t slot(ClockField field) { return static_cast<std::size_t>(field); }

    DateTimeEntry logic_;
    std::function<ClockTime()> clock_;
    QTimer follow_;
    std::array<QComboBox*, kClockFields> fields_{};
    std::array<QPushButton*, kClockFields> fieldButtons_{};
    QComboBox* range_ = nullptr;
    QComboBox* size_ = nullptr;
    QComboBox* display_ = nullptr;
    QPushButton* rangeButton_ = nullptr;
    QPushButton* sizeButton_ = nullptr;
    QPushButton* displayButton_ = nullptr;
    QPushButton* adjust_ = nullptr;
    QPushButton* close_ = nullptr;
    SlaveAddressBox* slave_ = nullptr;
    QPushButton* pcClock_ = nullptr;
    FleetPanel* fleet_ = nullptr;
    QTimer pcClockTimer_;
};

// The PC's local date and time.
ClockTime localClockTime();

} // namespace tlx::qt
