#pragma once

#include "settings/attribute_values.h"

#include <QComboBox>
#include <QFrame>
#include <QString>
#include <functional>
#include <string_view>
#include <vector>

class QGridLayout;
class QPaintEvent;

namespace tlx::qt {

inline QString attributeText(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// A list box named "box<id>" holding the items of a value list.
QComboBox* makeValueBox(const ValueList& list, int id, QWidget* parent);

// The page box [1025] "001".."512", or the line box "01".."10".
QComboBox* makePageBox(QWidget* parent);
QComboBox* makeLineBox(int id, QWidget* parent);

// One row of a dialog's form: the label in column 0, the control in column 1;
// the row counter moves on.
void addFormRow(QGridLayout* grid, int& row, const QString& label, QWidget* control);

// Selects index (-1: no selection) without the box reporting it as the
// operator's choice.
void showIndex(QComboBox* box, int index);

// The preview frame: draws the texts its source gives at their positions
// whenever it is painted, so covering and uncovering the dialog redraws it
// without help from the dialog.
class AttributePreview : public QFrame {
    Q_OBJECT
  public:
    AttributePreview(int id, std::function<std::vector<PreviewText>()> source, QSize size,
                     QWidget* parent);

    std::vector<PreviewText> texts() const { return source_(); }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    std::function<std::vector<PreviewText>()> source_;
};

} // namespace tlx::qt
