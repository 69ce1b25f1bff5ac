#include "dialogs/page_attribute_window.h"

#include "dialogs/attribute_widgets.h"
#include "link/slave_address_box.h"
#include "model/run_dialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>

namespace tlx::qt {

namespace {

QPushButton* button(const QString& text, int id, QWidget* parent) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QStringLiteral("button%1").arg(id));
    b->setAutoDefault(false);
    return b;
}

} // namespace

PageAttributeWindow::PageAttributeWindow(const PageAttributeDescriptor& d, AppState& state,
                                         Host& host, Transport& transport, const QString& title,
                                         QWidget* parent)
    : QDialog(parent), logic_(d, state, host, transport) {
    setWindowTitle(title);
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &PageAttributeWindow::onTick);

    auto* layout = new QVBoxLayout(this);
    const QSize previewSize =
        d.preview == PagePreview::Colours8 ? QSize(320, 210) : QSize(540, 210);
    preview_ = new AttributePreview(
        d.previewId, [this] { return logic_.preview(); }, previewSize, this);
    layout->addWidget(preview_, 1);

    auto* grid = new QGridLayout;
    int row = 0;
    page_ = makePageBox(this);
    addFormRow(grid, row, QStringLiteral("Page"), page_);
    for (int w = 0; w < d.valueCount; ++w) {
        const PageValue& v = d.value[static_cast<std::size_t>(w)];
        const auto at = static_cast<std::size_t>(w);
        value_[at] = makeValueBox(d.values, v.valueId, this);
        allPages_[at] = makeValueBox(d.values, v.allPagesId, this);
        addFormRow(grid, row, attributeText(v.label), value_[at]);
        addFormRow(grid, row, attributeText(v.allPagesLabel), allPages_[at]);
        connect(value_[at], &QComboBox::currentIndexChanged, this, [this, w](int i) {
            logic_.chooseValue(w, i);
            refresh();
        });
        connect(allPages_[at], &QComboBox::currentIndexChanged, this, [this, w](int i) {
            logic_.chooseAllPages(w, i);
            refresh();
        });
    }
    slave_ = new SlaveAddressBox(logic_.slaveAddress(), this);
    addFormRow(grid, row, QStringLiteral("スレーブアドレス"), slave_);
    layout->addLayout(grid);

    sendPage_ = button(attributeText(d.pageButtonLabel), d.pageButtonId, this);
    sendAll_ = button(QStringLiteral("全設定"), d.sendAllId, this);
    close_ = button(QStringLiteral("Close"), 2, this);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(sendPage_);
    buttons->addWidget(sendAll_);
    buttons->addStretch();
    buttons->addWidget(close_);

    if (d.pacedAll) {
        auto* progressRow = new QHBoxLayout;
        progress_ = new QProgressBar(this);
        progress_->setObjectName(QStringLiteral("progress%1").arg(d.progressId));
        progress_->setRange(0, static_cast<int>(kPages));
        progress_->setValue(0);
        progress_->setTextVisible(false);
        progressRow->addWidget(progress_, 1);
        percent_ = new QLineEdit(this);
        percent_->setObjectName(QStringLiteral("percent%1").arg(d.percentId));
        percent_->setReadOnly(true);
        percent_->setMaximumWidth(
            percent_->fontMetrics().horizontalAdvance(QStringLiteral("1000")));
        progressRow->addWidget(percent_);
        progressRow->addWidget(new QLabel(QStringLiteral("％"), this));
        timeLeft_ = makeTimeLeftLabel(this);
        progressRow->addWidget(timeLeft_);
        layout->addLayout(progressRow);
    }
    layout->addLayout(buttons);

    connect(page_, &QComboBox::currentIndexChanged, this, [this](int i) {
        logic_.choosePage(i);
        refresh();
    });
    connect(sendPage_, &QPushButton::clicked, this, [this] { logic_.sendPage(); });
    connect(sendAll_, &QPushButton::clicked, this, &PageAttributeWindow::pressSendAll);
    connect(close_, &QPushButton::clicked, this, &PageAttributeWindow::reject);
    refresh();
}

PageAttributeWindow::~PageAttributeWindow() {
    timer_.stop();
}

void PageAttributeWindow::refresh() {
    showIndex(page_, logic_.page());
    for (int w = 0; w < logic_.descriptor().valueCount; ++w) {
        const auto at = static_cast<std::size_t>(w);
        showIndex(value_[at], logic_.value(w));
        showIndex(allPages_[at], logic_.allPagesChoice(w));
    }
    preview_->update();
}

void PageAttributeWindow::showProgress() {
    if (progress_ != nullptr) {
        const RunProgress& p = logic_.progress();
        progress_->setValue(p.bar);
        percent_->setText(QString::fromStdString(p.percent));
        timeLeft_->setText(logic_.transferring()
                               ? QString::fromStdString(tlx::timeLeftText(logic_.run().timeLeft()))
                               : QString());
    }
    sendAll_->setEnabled(!logic_.transferring());
    close_->setEnabled(logic_.closeEnabled());
}

void PageAttributeWindow::pressSendAll() {
    if (logic_.pressSendAll()) {
        showProgress();
        timer_.start(static_cast<int>(
            std::lround(static_cast<double>(logic_.interval().count()) * paceScale_)));
    }
}

void PageAttributeWindow::onTick() {
    const bool more = logic_.tick();
    showProgress();
    if (more) {
        timer_.start(static_cast<int>(
            std::lround(static_cast<double>(logic_.interval().count()) * paceScale_)));
    }
}

void PageAttributeWindow::reject() {
    if (logic_.transferring()) {
        return;
    }
    QDialog::reject();
}

} // namespace tlx::qt
