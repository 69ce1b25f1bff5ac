#pragma once

#include "dialogs/dialog_forward.h"
#include "dialogs/glyph_list.h"
#include "dialogs/paced_dialog.h"

#include <QDialog>
#include <QWidget>
#include <array>
#include <string>

namespace tlx::qt {

// The cells of one page: each glyph at twice its size, its number below.
// Double clicks go to the list's logic by the cell under the pointer.
class GlyphCellBoard : public QWidget {
    Q_OBJECT
  public:
    explicit GlyphCellBoard(GlyphListLogic& logic, QWidget* parent = nullptr);

    QSize sizeHint() const override;
    void refresh(); // labels and pictures of the current page
    QLabel* label(int cell) const { return labels_[static_cast<std::size_t>(cell)]; }
    // The top-left corner of a cell (tests).
    static QPoint cellCorner(int cell, int columns);

  signals:
    void editRequested(int cell);
    void exportRequested(int cell);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    GlyphListLogic& logic_;
    std::array<QLabel*, 16> labels_{};
};

// "外字一覧" of one size class.
class GlyphListDialog : public PacedDialog {
    Q_OBJECT
  public:
    GlyphListDialog(GlyphSize size, AppState& state, Host& host, Transport& transport,
                    const std::string& address, QWidget* parent = nullptr);
    ~GlyphListDialog() override;

    // Whether a left double click opens the editor modally (tests turn it
    // off and look at the editor themselves).
    void setEditorModal(bool modal) { editorModal_ = modal; }

    GlyphListLogic& logic() { return logic_; }
    GlyphCellBoard* board() const { return board_; }
    QComboBox* pageBox() const { return page_; }
    QPushButton* clearButton() const { return clear_; }
    QPushButton* openButton() const { return open_; }
    QPushButton* saveButton() const { return save_; }
    QPushButton* saveAsButton() const { return saveAs_; }
    QPushButton* readButton() const { return read_; }
    QPushButton* registerButton() const { return register_; }
    QPushButton* closeButton() const { return close_; }
    SlaveAddressBox* slaveAddressBox() const { return slave_; }
    QProgressBar* progressBar() const { return progress_; }
    QLabel* percentText() const { return percent_; }
    QDialog* openEditor() const { return editor_; }

    void reject() override;

  signals:
    void editorOpened(QDialog* editor);

  private:
    void startTransfer(bool started);
    void onTick() override;
    void showProgress();
    void edit(int cell);

    GlyphListLogic logic_;
    AppState& state_;
    Host& host_;
    Transport& transport_;
    std::string address_;
    GlyphCellBoard* board_ = nullptr;
    QComboBox* page_ = nullptr;
    QPushButton* clear_ = nullptr;
    QPushButton* open_ = nullptr;
    QPushButton* save_ = nullptr;
    QPushButton* saveAs_ = nullptr;
    QPushButton* read_ = nullptr;
    QPushButton* register_ = nullptr;
    QPushButton* close_ = nullptr;
    SlaveAddressBox* slave_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QLabel* percent_ = nullptr;
    bool editorModal_ = true;
    QDialog* editor_ = nullptr;
};

} // namespace tlx::qt
