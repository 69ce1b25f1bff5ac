#include "dialogs/line_attribute_window.h"

#include "dialogs/attribute_widgets.h"
#include "dialogs/dialog_widgets.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace tlx::qt {

LineAttributeWindow::LineAttributeWindow(const LineAttributeDescriptor& d, AppState& state,
                                         Host& host, Transport& transport, const QString& title,
                                         QWidget* parent)
    : AttributeWindow(title, parent), logic_(d, state, host, transport) {
    auto* layout = new QHBoxLayout(this);
    makePreview(d.previewId, QSize(d.valueCount == 2 ? 300 : 240, 260));
    layout->addWidget(preview(), 1);

    auto* side = new QVBoxLayout;
    auto* grid = new QGridLayout;
    int row = 0;
    addPageRow(grid, row);
    line_ = makeLineBox(d.lineBoxId, this);
    addFormRow(grid, row, QStringLiteral("Line"), line_);
    for (int w = 0; w < d.valueCount; ++w) {
        const LineValue& v = d.value[static_cast<std::size_t>(w)];
        addValueRows(grid, row, w, v.label, v.allPagesLabel, d.values, v.valueId, v.allPagesId);
        const auto at = static_cast<std::size_t>(w);
        allLines_[at] = makeValueBox(d.values, v.allLinesId, this);
        addFormRow(grid, row, attributeText(v.allLinesLabel), allLines_[at]);
        connect(allLines_[at], &QComboBox::currentIndexChanged, this, [this, w](int i) {
            logic_.chooseAllLines(w, i);
            refresh();
        });
    }
    addSlaveRow(grid, row);
    side->addLayout(grid);

    sendLine_ = makeButton(QStringLiteral("ライン設定"), 1032, this);
    makePageButtons(QStringLiteral("ページ設定"), 1104, d.sendAllId);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(sendLine_);
    buttons->addWidget(pageButton());
    buttons->addWidget(sendAllButton());
    side->addLayout(buttons);
    side->addLayout(makeProgressRow(d.progressId, d.percentId));

    makeCloseButton();
    side->addWidget(closeButton(), 0, Qt::AlignRight);
    side->addStretch();
    layout->addLayout(side);

    connect(line_, &QComboBox::currentIndexChanged, this, [this](int i) {
        logic_.chooseLine(i);
        refresh();
    });
    connect(sendLine_, &QPushButton::clicked, this, [this] { logic_.sendLine(); });
    refresh();
}

void LineAttributeWindow::refresh() {
    showIndex(line_, logic_.line());
    for (int w = 0; w < logic_.descriptor().valueCount; ++w) {
        showIndex(allLines_[static_cast<std::size_t>(w)], logic_.allLinesChoice(w));
    }
    AttributeWindow::refresh();
}

} // namespace tlx::qt
