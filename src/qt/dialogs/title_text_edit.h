#pragma once

#include <QList>
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
    // Lines that break after `fullWidth` full-width characters (two
    // half-width ones count as one), as the device breaks them; the widget
    // keeps that width.
    void setColumns(int fullWidth);
    // Marks these characters (cursor positions) as ones the device cannot
    // show; an empty list clears the marks.
    void markCharacters(const QList<int>& positions);

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
