#include "dialogs/glyph_insert_dialog.h"

#include "dialogs/dialog_widgets.h"
#include "dialogs/slave_address_box.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace tlx::qt {

namespace {

QComboBox* combo(int id, const std::vector<std::string>& items, int current, QWidget* parent) {
    auto* c = makeBox(QStringLiteral("combo%1").arg(id), items, parent);
    c->setCurrentIndex(current);
    return c;
}

void refill(QComboBox* c, const std::vector<std::string>& items, int current) {
    const QSignalBlocker block(c);
    c->clear();
    for (const auto& item : items) {
        c->addItem(QString::fromStdString(item));
    }
    c->setCurrentIndex(current);
}

} // namespace

GlyphInsertDialog::GlyphInsertDialog(AppState& state, Host& host, Transport& transport,
                                     const QString& title, QWidget* parent)
    : QDialog(parent), logic_(state, host, transport) {
    setWindowTitle(title);
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    page_ = combo(1025, logic_.pageItems(), logic_.page(), this);
    form->addRow(QStringLiteral("ページ"), page_);
    size_ = combo(1022, GlyphInsertLogic::sizeItems(), static_cast<int>(logic_.size()), this);
    form->addRow(QStringLiteral("フォント サイズ"), size_);
    if (logic_.hasLine()) {
        line_ = combo(1103, logic_.lineItems(), logic_.line(), this);
        form->addRow(QStringLiteral("ライン"), line_);
    }
    glyph_ = combo(1076, logic_.glyphItems(), logic_.glyph(), this);
    form->addRow(QStringLiteral("外字登録番号"), glyph_);
    position_ = combo(1077, logic_.positionItems(), logic_.position(), this);
    form->addRow(QStringLiteral("挿入位置"), position_);
    slave_ = new SlaveAddressBox(logic_.slaveAddress(), this, WhenDisabled::ShowAddress);
    form->addRow(QStringLiteral("スレーブアドレス"), slave_);
    layout->addLayout(form);

    auto* buttons = new QHBoxLayout;
    send_ = makeButton(QStringLiteral("設定"), 1075, this);
    close_ = makeButton(QStringLiteral("Close"), 2, this);
    buttons->addWidget(send_);
    buttons->addStretch();
    buttons->addWidget(close_);
    layout->addLayout(buttons);

    connect(page_, &QComboBox::activated, this, [this](int i) { logic_.choosePage(i); });
    if (line_ != nullptr) {
        connect(line_, &QComboBox::activated, this, [this](int i) { logic_.chooseLine(i); });
    }
    connect(size_, &QComboBox::activated, this, [this](int i) {
        logic_.chooseSize(static_cast<InsertSize>(i));
        fillSizeLists();
    });
    connect(glyph_, &QComboBox::activated, this, [this](int i) { logic_.chooseGlyph(i); });
    connect(position_, &QComboBox::activated, this, [this](int i) { logic_.choosePosition(i); });
    connect(send_, &QPushButton::clicked, this, [this] { logic_.send(); });
    connect(close_, &QPushButton::clicked, this, &GlyphInsertDialog::reject);
}

void GlyphInsertDialog::fillSizeLists() {
    refill(glyph_, logic_.glyphItems(), logic_.glyph());
    refill(position_, logic_.positionItems(), logic_.position());
}

} // namespace tlx::qt
