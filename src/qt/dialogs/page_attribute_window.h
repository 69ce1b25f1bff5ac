#pragma once

#include "dialogs/page_attribute_dialog.h"

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

// A per-page attribute dialog (model F automatic switching and levels, the
// model S family); which one is told by its descriptor. Only the model S
// erase time dialog has a progress bar and a paced run.
class PageAttributeWindow : public QDialog {
    Q_OBJECT
  public:
    PageAttributeWindow(const PageAttributeDescriptor& d, AppState& state, Host& host,
                        Transport& transport, const QString& title, QWidget* parent = nullptr);
    ~PageAttributeWindow() override;

    void setPaceScale(double scale) { paceScale_ = scale; }

    const PageAttributeDialog& logic() const { return logic_; }
    QComboBox* pageBox() const { return page_; }
    QComboBox* valueBox(int which) const { return value_[static_cast<std::size_t>(which)]; }
    QComboBox* allPagesBox(int which) const { return allPages_[static_cast<std::size_t>(which)]; }
    SlaveAddressBox* slaveAddressBox() const { return slave_; }
    QPushButton* pageButton() const { return sendPage_; }
    QPushButton* sendAllButton() const { return sendAll_; }
    QPushButton* closeButton() const { return close_; }
    QProgressBar* progressBar() const { return progress_; } // null unless paced
    QLineEdit* percentField() const { return percent_; }    // null unless paced
    QLabel* timeLeftText() const { return timeLeft_; }
    AttributePreview* preview() const { return preview_; }
    bool timerActive() const { return timer_.isActive(); }

    void reject() override;

  private:
    void refresh();
    void showProgress();
    void pressSendAll();
    void onTick();

    PageAttributeDialog logic_;
    QTimer timer_;
    double paceScale_ = 1.0;
    AttributePreview* preview_ = nullptr;
    QComboBox* page_ = nullptr;
    std::array<QComboBox*, 2> value_{};
    std::array<QComboBox*, 2> allPages_{};
    SlaveAddressBox* slave_ = nullptr;
    QPushButton* sendPage_ = nullptr;
    QPushButton* sendAll_ = nullptr;
    QPushButton* close_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QLineEdit* percent_ = nullptr;
    QLabel* timeLeft_ = nullptr;
};

} // namespace tlx::qt
