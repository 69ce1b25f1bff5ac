#include "dialogs/title_text_edit.h"

#include "settings/sjis_text.h"

#include <QAbstractTextDocumentLayout>
#include <QColor>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QList>
#include <QMimeData>
#include <QPainter>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextObjectInterface>
#include <cmath>

namespace tlx::qt {

namespace {

constexpr int kGlyphObject = QTextFormat::UserObject + 1;
constexpr int kGlyphUnit = QTextFormat::UserProperty + 1;

QString withoutLineBreaks(QString text) {
    text.remove(QChar('\r'));
    text.remove(QChar('\n'));
    text.remove(QChar(0x2028));
    text.remove(QChar(0x2029));
    return text;
}

// Takes the room of a full-width space and draws nothing.
class GlyphSpace : public QObject, public QTextObjectInterface {
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)
  public:
    using QObject::QObject;

    QSizeF intrinsicSize(QTextDocument* /*doc*/, int /*posInDocument*/,
                         const QTextFormat& format) override {
        const QFontMetricsF metrics(format.toCharFormat().font());
        return {metrics.horizontalAdvance(QChar(0x3000)), metrics.height()};
    }
    void drawObject(QPainter* /*painter*/, const QRectF& /*rect*/, QTextDocument* /*doc*/,
                    int /*posInDocument*/, const QTextFormat& /*format*/) override {}
};

} // namespace

TitleTextEdit::TitleTextEdit(QWidget* parent) : QPlainTextEdit(parent) {
    document()->documentLayout()->registerHandler(kGlyphObject, new GlyphSpace(this));
    setTabChangesFocus(true);
}

void TitleTextEdit::setSingleLine() {
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const QFontMetrics metrics(font());
    const QMargins margins = contentsMargins();
    const int height = metrics.lineSpacing() + 2 * static_cast<int>(document()->documentMargin()) +
                       margins.top() + margins.bottom();
    setFixedHeight(height);
    setMinimumWidth(metrics.horizontalAdvance(QString(28, QChar(0x3000))));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void TitleTextEdit::setColumns(int fullWidth) {
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAnywhere);
    // Always there, so that its coming and going never moves a line break.
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const QFontMetricsF metrics(font());
    const qreal text = metrics.horizontalAdvance(QChar(0x3000)) * fullWidth;
    // The layout gives a line the viewport's width less the document margin
    // on both sides; one pixel more keeps the last column from wrapping, and
    // is far less than a half-width character.
    const int viewport = static_cast<int>(std::ceil(text + 2 * document()->documentMargin())) + 1;
    setFixedWidth(viewport + 2 * frameWidth() + verticalScrollBar()->sizeHint().width());
}

void TitleTextEdit::markCharacters(const QList<int>& positions) {
    QList<QTextEdit::ExtraSelection> marks;
    for (const int at : positions) {
        QTextEdit::ExtraSelection mark;
        mark.cursor = QTextCursor(document());
        mark.cursor.setPosition(at);
        mark.cursor.setPosition(at + 1, QTextCursor::KeepAnchor);
        mark.format.setUnderlineStyle(QTextCharFormat::WaveUnderline);
        mark.format.setUnderlineColor(Qt::red);
        // A half-width space has nothing to underline but its room.
        mark.format.setBackground(QColor(255, 224, 224));
        marks.append(mark);
    }
    setExtraSelections(marks);
}

void TitleTextEdit::setTitle(const QString& text) {
    const bool blocked = document()->blockSignals(true);
    clear();
    QTextCursor cursor(document());
    QString run;
    const QTextCharFormat plain;
    const QList<uint> codePoints = text.toUcs4();
    for (const uint c : codePoints) {
        if (!isGlyphMarker(c)) {
            const char32_t one[1] = {c};
            run += QString::fromUcs4(one, 1);
            continue;
        }
        cursor.insertText(run, plain);
        run.clear();
        QTextCharFormat glyph;
        glyph.setObjectType(kGlyphObject);
        glyph.setProperty(kGlyphUnit, static_cast<int>(c - glyphMarker(0)));
        cursor.insertText(QString(QChar::ObjectReplacementCharacter), glyph);
    }
    cursor.insertText(run, plain);
    document()->blockSignals(blocked);
    setTextCursor(cursor);
    emit textChanged();
}

QString TitleTextEdit::title() const {
    QString out;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        if (block != document()->begin()) {
            out += QChar('\n');
        }
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat format = fragment.charFormat();
            const QString text = fragment.text();
            if (format.objectType() != kGlyphObject) {
                out += text;
                continue;
            }
            const auto unit = static_cast<std::uint16_t>(format.intProperty(kGlyphUnit));
            for (const QChar ch : text) {
                if (ch == QChar::ObjectReplacementCharacter) {
                    const char32_t marker[1] = {glyphMarker(unit)};
                    out += QString::fromUcs4(marker, 1);
                } else {
                    out += ch;
                }
            }
        }
    }
    return out;
}

int TitleTextEdit::length() const {
    return document()->characterCount() - 1;
}

void TitleTextEdit::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->ignore();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void TitleTextEdit::insertFromMimeData(const QMimeData* source) {
    if (source->hasText()) {
        insertPlainText(withoutLineBreaks(source->text()));
    }
}

} // namespace tlx::qt

#include "title_text_edit.moc"
