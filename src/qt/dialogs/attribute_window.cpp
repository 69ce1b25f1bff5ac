#include "dialogs/attribute_window.h"

#include "dialogs/attribute_widgets.h"
#include "dialogs/dialog_widgets.h"
#include "dialogs/run_dialog.h"
#include "dialogs/slave_address_box.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

namespace tlx::qt {

AttributeWindow::AttributeWindow(const QString& title, QWidget* parent) : PacedDialog(parent) {
    setWindowTitle(title);
}

AttributeWindow::~AttributeWindow() {
    timer_.stop();
}

void AttributeWindow::makePreview(int id, QSize size) {
    preview_ = new AttributePreview(
        id, [this] { return core().preview(); }, size, this);
}

void AttributeWindow::addPageRow(QGridLayout* grid, int& row) {
    page_ = makePageBox(this);
    addFormRow(grid, row, QStringLiteral("Page"), page_);
    connect(page_, &QComboBox::currentIndexChanged, this, [this](int i) {
        core().choosePage(i);
        refresh();
    });
}

void AttributeWindow::addValueRows(QGridLayout* grid, int& row, int which, std::string_view label,
                                   std::string_view allPagesLabel, const ValueList& values,
                                   int valueId, int allPagesId) {
    const auto at = static_cast<std::size_t>(which);
    value_[at] = makeValueBox(values, valueId, this);
    allPages_[at] = makeValueBox(values, allPagesId, this);
    addFormRow(grid, row, attributeText(label), value_[at]);
    addFormRow(grid, row, attributeText(allPagesLabel), allPages_[at]);
    connect(value_[at], &QComboBox::currentIndexChanged, this, [this, which](int i) {
        core().chooseValue(which, i);
        refresh();
    });
    connect(allPages_[at], &QComboBox::currentIndexChanged, this, [this, which](int i) {
        core().chooseAllPages(which, i);
        refresh();
    });
    valueRows_ = which + 1;
}

void AttributeWindow::addSlaveRow(QGridLayout* grid, int& row) {
    slave_ = new SlaveAddressBox(core().slaveAddress(), this);
    addFormRow(grid, row, QStringLiteral("スレーブアドレス"), slave_);
}

void AttributeWindow::makePageButtons(const QString& pageLabel, int pageId, int sendAllId) {
    sendPage_ = makeButton(pageLabel, pageId, this);
    sendAll_ = makeButton(QStringLiteral("全設定"), sendAllId, this);
    connect(sendPage_, &QPushButton::clicked, this, [this] { core().sendPage(); });
    connect(sendAll_, &QPushButton::clicked, this, &AttributeWindow::pressSendAll);
}

QHBoxLayout* AttributeWindow::makeProgressRow(int progressId, int percentId) {
    auto* progressRow = new QHBoxLayout;
    progress_ = makeProgressBar(QStringLiteral("progress%1").arg(progressId),
                                static_cast<int>(kPages), this);
    progressRow->addWidget(progress_, 1);
    percent_ = new QLineEdit(this);
    percent_->setObjectName(QStringLiteral("percent%1").arg(percentId));
    percent_->setReadOnly(true);
    percent_->setMaximumWidth(percent_->fontMetrics().horizontalAdvance(QStringLiteral("1000")));
    progressRow->addWidget(percent_);
    progressRow->addWidget(new QLabel(QStringLiteral("％"), this));
    timeLeft_ = makeTimeLeftLabel(this);
    progressRow->addWidget(timeLeft_);
    return progressRow;
}

void AttributeWindow::makeCloseButton() {
    close_ = makeButton(QStringLiteral("Close"), 2, this);
    connect(close_, &QPushButton::clicked, this, &AttributeWindow::reject);
}

void AttributeWindow::refresh() {
    const AttributeDialog& logic = core();
    showIndex(page_, logic.page());
    for (int w = 0; w < valueRows_; ++w) {
        const auto at = static_cast<std::size_t>(w);
        showIndex(value_[at], logic.value(w));
        showIndex(allPages_[at], logic.allPagesChoice(w));
    }
    preview_->update();
}

void AttributeWindow::showProgress() {
    const AttributeDialog& logic = core();
    if (progress_ != nullptr) {
        const RunProgress& p = logic.progress();
        progress_->setValue(p.bar);
        percent_->setText(QString::fromStdString(p.percent));
        timeLeft_->setText(logic.transferring()
                               ? QString::fromStdString(tlx::timeLeftText(logic.run().timeLeft()))
                               : QString());
    }
    sendAll_->setEnabled(!logic.transferring());
    close_->setEnabled(logic.closeEnabled());
}

void AttributeWindow::startPacing() {
    timer_.start(core().interval());
}

void AttributeWindow::pressSendAll() {
    if (core().pressSendAll()) {
        showProgress();
        startPacing();
    }
}

void AttributeWindow::onTick() {
    const bool more = core().tick();
    showProgress();
    if (more) {
        startPacing();
    }
}

void AttributeWindow::reject() {
    if (core().transferring()) {
        return;
    }
    QDialog::reject();
}

} // namespace tlx::qt
