#pragma once

#include "dialogs/dialog_forward.h"
#include "dialogs/paced_dialog.h"
#include "dialogs/schedule_logic.h"

#include <QDialog>
#include <QWidget>

namespace tlx::qt {

// The 24 entries of the chosen day in three columns of eight.
class SchedulePreview : public QWidget {
    Q_OBJECT
  public:
    explicit SchedulePreview(const ScheduleLogic& logic, QWidget* parent = nullptr);
    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    const ScheduleLogic& logic_;
};

// "スケジュール": edits the timetable in the model and sends one day or all
// 31 days, the latter paced by the dialog's own timer.
class ScheduleDialog : public PacedDialog {
    Q_OBJECT
  public:
    ScheduleDialog(AppState& state, Host& host, Transport& transport, const QString& title,
                   QWidget* parent = nullptr);
    ~ScheduleDialog() override;

    const ScheduleLogic& logic() const { return logic_; }
    QComboBox* dayBox() const { return day_; }
    QComboBox* entryBox() const { return entry_; }
    QComboBox* hourBox() const { return hour_; }
    QComboBox* minuteBox() const { return minute_; }
    QComboBox* pageBox() const { return page_; }
    QPushButton* closeButton() const { return close_; }
    QProgressBar* progressBar() const { return progress_; }
    QLabel* percentText() const { return percent_; }
    QLabel* timeLeftText() const { return timeLeft_; }
    QPushButton* allSetButton() const { return allSet_; }

    void reject() override;

  private:
    void pressAllSet();
    void onTick() override;
    void refresh();
    void showProgress();

    ScheduleLogic logic_;
    SchedulePreview* preview_ = nullptr;
    QComboBox* day_ = nullptr;
    QComboBox* entry_ = nullptr;
    QComboBox* hour_ = nullptr;
    QComboBox* minute_ = nullptr;
    QComboBox* page_ = nullptr;
    SlaveAddressBox* slave_ = nullptr;
    QPushButton* close_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QLabel* percent_ = nullptr;
    QLabel* timeLeft_ = nullptr;
    QPushButton* allSet_ = nullptr;
};

} // namespace tlx::qt
