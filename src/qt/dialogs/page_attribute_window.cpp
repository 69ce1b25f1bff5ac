#include "dialogs/page_attribute_window.h"

#include "dialogs/attribute_widgets.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace tlx::qt {

PageAttributeWindow::PageAttributeWindow(const PageAttributeDescriptor& d, AppState& state,
                                         Host& host, Transport& transport, const QString& title,
                                         QWidget* parent)
    : AttributeWindow(title, parent), logic_(d, state, host, transport) {
    auto* layout = new QVBoxLayout(this);
    makePreview(d.previewId,
                d.preview == PagePreview::Colours8 ? QSize(320, 210) : QSize(540, 210));
    layout->addWidget(preview(), 1);

    auto* grid = new QGridLayout;
    int row = 0;
    addPageRow(grid, row);
    for (int w = 0; w < d.valueCount; ++w) {
        const PageValue& v = d.value[static_cast<std::size_t>(w)];
        addValueRows(grid, row, w, v.label, v.allPagesLabel, d.values, v.valueId, v.allPagesId);
    }
    addSlaveRow(grid, row);
    layout->addLayout(grid);

    makePageButtons(attributeText(d.pageButtonLabel), d.pageButtonId, d.sendAllId);
    makeCloseButton();
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(pageButton());
    buttons->addWidget(sendAllButton());
    buttons->addStretch();
    buttons->addWidget(closeButton());

    if (d.pacedAll) {
        layout->addLayout(makeProgressRow(d.progressId, d.percentId));
    }
    layout->addLayout(buttons);
    refresh();
}

} // namespace tlx::qt
