#pragma once

#include <QPlainTextEdit>
#include <QString>

namespace tlx::qt {

// The title input: a page (model S) or one line (model F). Its text is one
// string, so a line break can be neither typed nor pasted. A user glyph is
// one object in the document, drawn as a full-width space, that keeps the
// glyph's code through every edit around it.
class TitleTextEdit : public QPlainTextEdit {
    Q_OBJECT
  public:
    explicit TitleTextEdit(QWidget* parent = nullptr);

    // One line high, no wrapping and no scroll bars, like a line edit.
    void setSingleLine();

    // The text in the form of titleInputText (glyph markers included).
    void setTitle(const QString& text);
    QString title() const;
    // Cursor positions in the document (a glyph takes one).
    int length() const;

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;
};

} // namespace tlx::qt
