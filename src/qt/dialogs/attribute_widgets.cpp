#include "dialogs/attribute_widgets.h"

#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QSignalBlocker>

namespace tlx::qt {

QComboBox* makeValueBox(const ValueList& list, int id, QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->setObjectName(QStringLiteral("box%1").arg(id));
    for (int i = 0; i < list.size(); ++i) {
        box->addItem(QString::fromStdString(list.item(i)));
    }
    box->setMaxVisibleItems(16);
    return box;
}

QComboBox* makePageBox(QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->setObjectName(QStringLiteral("box1025"));
    for (int p = 1; p <= static_cast<int>(kPages); ++p) {
        box->addItem(QStringLiteral("%1").arg(p, 3, 10, QLatin1Char('0')));
    }
    box->setMaxVisibleItems(16);
    return box;
}

QComboBox* makeLineBox(int id, QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->setObjectName(QStringLiteral("box%1").arg(id));
    for (int l = 1; l <= static_cast<int>(kLines); ++l) {
        box->addItem(QStringLiteral("%1").arg(l, 2, 10, QLatin1Char('0')));
    }
    return box;
}

void addFormRow(QGridLayout* grid, int& row, const QString& label, QWidget* control) {
    grid->addWidget(new QLabel(label, control->parentWidget()), row, 0);
    grid->addWidget(control, row++, 1);
}

void showIndex(QComboBox* box, int index) {
    const QSignalBlocker quiet(box);
    box->setCurrentIndex(index);
}

AttributePreview::AttributePreview(int id, std::function<std::vector<PreviewText>()> source,
                                   QSize size, QWidget* parent)
    : QFrame(parent), source_(std::move(source)) {
    setObjectName(QStringLiteral("preview%1").arg(id));
    setFrameShape(QFrame::Box);
    setMinimumSize(size);
}

void AttributePreview::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    const int ascent = painter.fontMetrics().ascent();
    for (const PreviewText& t : source_()) {
        painter.drawText(QPoint(t.x, t.y + ascent), QString::fromStdString(t.text));
    }
}

} // namespace tlx::qt
