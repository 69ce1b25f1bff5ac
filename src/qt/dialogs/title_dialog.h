#pragma once

#include "dialogs/dialog_forward.h"
#include "dialogs/paced_dialog.h"
#include "dialogs/title_entry.h"
#include "dialogs/title_text_edit.h"

#include <QDialog>
#include <QString>

namespace tlx::qt {

// "タイトルの設定": the operator's Unicode goes into the model as Shift-JIS as
// it is typed; the sends and the paced all-pages run are the logic's.
class TitleDialog : public PacedDialog {
    Q_OBJECT
  public:
    TitleDialog(AppState& state, Host& host, Transport& transport, const QString& caption,
                QWidget* parent = nullptr);
    ~TitleDialog() override;

    QComboBox* pageBox() const { return page_; }
    QComboBox* lineBox() const { return line_; } // model F only
    // The title input: one line (model F) or the page (model S).
    TitleTextEdit* lineInput() const { return logic_.perLine() ? input_ : nullptr; }
    TitleTextEdit* pageInput() const { return logic_.perLine() ? nullptr : input_; }
    QPushButton* lineButton() const { return sendLine_; } // model F only
    QPushButton* pageButton() const { return sendPage_; }
    QPushButton* allButton() const { return sendAll_; }
    QPushButton* closeButton() const { return close_; }
    QLabel* preview() const { return preview_; } // model F only
    QProgressBar* progressBar() const { return progress_; }
    QProgressBar* activityBar() const { return activity_; }
    QLabel* percentText() const { return percent_; }
    QLabel* timeLeftText() const { return timeLeft_; }
    SlaveAddressBox* slaveAddressBox() const { return slave_; }
    const TitleEntry& logic() const { return logic_; }

    void reject() override;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void buildInput();
    void choosePage(int index);
    void chooseLine(int index);
    void edited(const QString& text);
    void refuseEdit();
    void showInput();
    void markFaults();
    void showPreview();
    void showProgress();
    void pressAll();
    void onTick() override;

    TitleEntry logic_;
    QString shownText_;    // the input's text as the model last took it
    int shownLength_ = 0;  // model S: that text's length in the page input
    bool showing_ = false; // the input is being filled, not edited
    QComboBox* page_ = nullptr;
    QComboBox* line_ = nullptr;
    TitleTextEdit* input_ = nullptr;
    QPushButton* sendLine_ = nullptr;
    QPushButton* sendPage_ = nullptr;
    QPushButton* sendAll_ = nullptr;
    QPushButton* close_ = nullptr;
    QLabel* preview_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QProgressBar* activity_ = nullptr;
    QLabel* percent_ = nullptr;
    QLabel* timeLeft_ = nullptr;
    SlaveAddressBox* slave_ = nullptr;
};

} // namespace tlx::qt
