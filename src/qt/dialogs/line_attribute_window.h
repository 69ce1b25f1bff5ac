#pragma once

#include "dialogs/line_attribute_dialog.h"

#include <QDialog>
#include <QTimer>
#include <array>

class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace tlx::qt {

class AttributePreview;
class SlaveAddressBox;

// A per-line attribute dialog of model F; which one is told by its
// descriptor. It forwards the operator's choices to the logic, refreshes its
// boxes and preview from it and paces the all-pages run with its timer.
class LineAttributeWindow : public QDialog {
    Q_OBJECT
  public:
    LineAttributeWindow(const LineAttributeDescriptor& d, AppState& state, Host& host,
                        Transport& transport, const QString& title, QWidget* parent = nullptr);
    ~LineAttributeWindow() override;

    // Multiplies the run's interval (tests).
    void setPaceScale(double scale) { paceScale_ = scale; }

    const LineAttributeDialog& logic() const { return logic_; }
    QComboBox* pageBox() const { return page_; }
    QComboBox* lineBox() const { return line_; }
    QComboBox* valueBox(int which) const { return value_[static_cast<std::size_t>(which)]; }
    QComboBox* allPagesBox(int which) const { return allPages_[static_cast<std::size_t>(which)]; }
    QComboBox* allLinesBox(int which) const { return allLines_[static_cast<std::size_t>(which)]; }
    SlaveAddressBox* slaveAddressBox() const { return slave_; }
    QPushButton* lineButton() const { return sendLine_; }
    QPushButton* pageButton() const { return sendPage_; }
    QPushButton* sendAllButton() const { return sendAll_; }
    QPushButton* closeButton() const { return close_; }
    QProgressBar* progressBar() const { return progress_; }
    QLineEdit* percentField() const { return percent_; }
    QLabel* timeLeftText() const { return timeLeft_; }
    AttributePreview* preview() const { return preview_; }
    bool timerActive() const { return timer_.isActive(); }

    // Close, Escape and the window's close: refused while the run goes on.
    void reject() override;

  private:
    void refresh();
    void showProgress();
    void pressSendAll();
    void onTick();

    LineAttributeDialog logic_;
    QTimer timer_;
    double paceScale_ = 1.0;
    AttributePreview* preview_ = nullptr;
    QComboBox* page_ = nullptr;
    QComboBox* line_ = nullptr;
    std::array<QComboBox*, 2> value_{};
    std::array<QComboBox*, 2> allPages_{};
    std::array<QComboBox*, 2> allLines_{};
    SlaveAddressBox* slave_ = nullptr;
    QPushButton* sendLine_ = nullptr;
    QPushButton* sendPage_ = nullptr;
    QPushButton* sendAll_ = nullptr;
    QPushButton* close_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QLineEdit* percent_ = nullptr;
    QLabel* timeLeft_ = nullptr;
};

} // namespace tlx::qt
