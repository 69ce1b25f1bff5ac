#pragma once

#include "dialogs/attribute_dialog.h"
#include "dialogs/dialog_forward.h"
#include "dialogs/paced_dialog.h"

#include <QDialog>
#include <array>

class QGridLayout;
class QHBoxLayout;

namespace tlx::qt {

class AttributePreview;

// What the per-line and per-page attribute windows share: the page, value
// and all-pages boxes, the slave address, the page and "全設定" buttons, the
// progress row and the timer that paces the all-pages run. Each window lays
// these out its own way and adds its own boxes.
class AttributeWindow : public PacedDialog {
    Q_OBJECT
  public:
    ~AttributeWindow() override;

    QComboBox* pageBox() const { return page_; }
    QComboBox* valueBox(int which) const { return value_[static_cast<std::size_t>(which)]; }
    QComboBox* allPagesBox(int which) const { return allPages_[static_cast<std::size_t>(which)]; }
    SlaveAddressBox* slaveAddressBox() const { return slave_; }
    QPushButton* pageButton() const { return sendPage_; }
    QPushButton* sendAllButton() const { return sendAll_; }
    QPushButton* closeButton() const { return close_; }
    QProgressBar* progressBar() const { return progress_; } // null when no paced run
    QLineEdit* percentField() const { return percent_; }    // null when no paced run
    QLabel* timeLeftText() const { return timeLeft_; }
    AttributePreview* preview() const { return preview_; }

    // Close, Escape and the window's close: refused while the run goes on.
    void reject() override;

  protected:
    AttributeWindow(const QString& title, QWidget* parent);

    // The logic, a member of the window built on this one.
    virtual AttributeDialog& core() = 0;
    virtual const AttributeDialog& core() const = 0;
    virtual void refresh();

    // The builders, in the order the window wants its controls.
    void makePreview(int id, QSize size);
    void addPageRow(QGridLayout* grid, int& row);
    void addValueRows(QGridLayout* grid, int& row, int which, std::string_view label,
                      std::string_view allPagesLabel, const ValueList& values, int valueId,
                      int allPagesId);
    void addSlaveRow(QGridLayout* grid, int& row);
    void makePageButtons(const QString& pageLabel, int pageId, int sendAllId);
    QHBoxLayout* makeProgressRow(int progressId, int percentId);
    void makeCloseButton();

  private:
    void showProgress();
    void pressSendAll();
    void onTick() override;
    void startPacing();

    AttributePreview* preview_ = nullptr;
    QComboBox* page_ = nullptr;
    int valueRows_ = 0;
    std::array<QComboBox*, 2> value_{};
    std::array<QComboBox*, 2> allPages_{};
    SlaveAddressBox* slave_ = nullptr;

    QPushButton* sendPage_ = nullptr;
    QPushButton* sendAll_ = nullptr;
    QPushButton* close_ = nullptr;

    // The all-pages run; the progress row only where "全設定" is paced.
    QProgressBar* progress_ = nullptr;
    QLineEdit* percent_ = nullptr;
    QLabel* timeLeft_ = nullptr;
};

} // namespace tlx::qt
