#include "dialogs/dialog_widgets.h"

#include <QComboBox>
#include <QProgressBar>
#include <QPushButton>

namespace tlx::qt {

QPushButton* makeButton(const QString& text, int id, QWidget* parent) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QStringLiteral("button%1").arg(id));
    b->setAutoDefault(false);
    return b;
}

QComboBox* makeBox(const QString& name, const std::vector<std::string>& items, QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    for (const std::string& item : items) {
        box->addItem(QString::fromStdString(item));
    }
    return box;
}

QProgressBar* makeProgressBar(const QString& name, int max, QWidget* parent) {
    auto* bar = new QProgressBar(parent);
    bar->setObjectName(name);
    bar->setRange(0, max);
    bar->setValue(0);
    bar->setTextVisible(false);
    return bar;
}

} // namespace tlx::qt
