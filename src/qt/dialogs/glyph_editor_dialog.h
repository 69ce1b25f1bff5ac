#pragma once

#include "dialogs/dialog_forward.h"
#include "dialogs/glyph_editor.h"

#include <QDialog>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <string>

namespace tlx::qt {

// The magnified drawing grid of the working glyph. Mouse positions are
// handed to the editor's logic with the grid's corner at kEditorGridOrigin.
class GlyphGrid : public QWidget {
    Q_OBJECT
  public:
    GlyphGrid(GlyphEditorLogic& logic, QWidget* parent = nullptr);

    QSize sizeHint() const override;
    // The widget point at the centre of a glyph pixel (tests).
    QPoint pixelCentre(int x, int y) const;
    // How often a change asked the grid to be redrawn.
    int redrawRequests() const { return redraws_; }
    void redraw();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

  private:
    GlyphEditorLogic& logic_;
    int redraws_ = 0;
};

// "外字登録" of one size class: draws, reads, registers and derives one glyph.
class GlyphEditorDialog : public QDialog {
    Q_OBJECT
  public:
    GlyphEditorDialog(GlyphSize size, AppState& state, Host& host, Transport& transport,
                      const std::string& address, QWidget* parent = nullptr);

    GlyphEditorLogic& logic() { return logic_; }
    GlyphGrid* grid() const { return grid_; }
    QComboBox* numberBox() const { return number_; }
    QPushButton* readButton() const { return read_; }
    QPushButton* registerButton() const { return register_; }
    QPushButton* sampleReadButton() const { return sampleRead_; }
    QPushButton* clearButton() const { return clear_; }
    QPushButton* deriveButton() const { return derive_; }
    QPushButton* closeButton() const { return close_; }
    QLineEdit* sampleField() const { return sample_; }
    SlaveAddressBox* slaveAddressBox() const { return slave_; }

    void reject() override;

  private:
    void watchReplies();

    AppState& state_;
    GlyphEditorLogic logic_;
    GlyphGrid* grid_ = nullptr;
    QComboBox* number_ = nullptr;
    QPushButton* read_ = nullptr;
    QPushButton* register_ = nullptr;
    QPushButton* sampleRead_ = nullptr;
    QPushButton* clear_ = nullptr;
    QPushButton* derive_ = nullptr;
    QPushButton* close_ = nullptr;
    QLineEdit* sample_ = nullptr;
    SlaveAddressBox* slave_ = nullptr;
    // Replies reach the working copy outside this dialog (the serial link's
    // dispatch); the grid follows them by looking.
    QTimer watch_;
    std::string shown_;
};

} // namespace tlx::qt
