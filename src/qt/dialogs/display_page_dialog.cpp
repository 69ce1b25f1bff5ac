#include "dialogs/display_page_dialog.h"

#include "dialogs/dialog_widgets.h"
#include "dialogs/slave_address_box.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tlx::qt {

DisplayPageMemory& DisplayPageMemoryHolder::of(QObject* owner) {
    const QString name = QStringLiteral("tlxDisplayPageMemory");
    auto* holder = owner->findChild<DisplayPageMemoryHolder*>(name, Qt::FindDirectChildrenOnly);
    if (holder == nullptr) {
        holder = new DisplayPageMemoryHolder(owner);
        holder->setObjectName(name);
    }
    return holder->memory;
}

DisplayPageDialog::DisplayPageDialog(AppState& state, Host& host, Transport& transport,
                                     DisplayPageMemory& memory, const QString& caption,
                                     QWidget* parent)
    : QDialog(parent), logic_(state, host, transport, memory) {
    setWindowTitle(caption);
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;

    display_ = makeBox(QStringLiteral("box1089"), displayOnOffItems(), this);
    display_->setCurrentIndex(logic_.display());
    displayButton_ = makeButton(QStringLiteral("設定"), 1087, this);
    grid->addWidget(new QLabel(QStringLiteral("表示ON/OFF"), this), 0, 0);
    grid->addWidget(display_, 0, 1);
    grid->addWidget(displayButton_, 0, 2);

    page_ = makeBox(QStringLiteral("box1090"), displayPageItems(), this);
    page_->setCurrentIndex(logic_.page());
    pageButton_ = makeButton(QStringLiteral("設定"), 1088, this);
    grid->addWidget(new QLabel(QStringLiteral("ページ"), this), 1, 0);
    grid->addWidget(page_, 1, 1);
    grid->addWidget(pageButton_, 1, 2);
    layout->addLayout(grid);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(new QLabel(QStringLiteral("スレーブアドレス"), this));
    slave_ = new SlaveAddressBox(logic_.slaveAddress(), this, WhenDisabled::ShowAddress);
    bottom->addWidget(slave_);
    bottom->addStretch();
    close_ = makeButton(QStringLiteral("Close"), 2, this);
    bottom->addWidget(close_);
    layout->addLayout(bottom);

    connect(display_, &QComboBox::activated, this, [this](int i) { logic_.chooseDisplay(i); });
    connect(page_, &QComboBox::activated, this, [this](int i) { logic_.choosePage(i); });
    connect(displayButton_, &QPushButton::clicked, this, [this] { logic_.sendDisplay(); });
    connect(pageButton_, &QPushButton::clicked, this, [this] { logic_.sendPage(); });
    connect(close_, &QPushButton::clicked, this, &QDialog::reject);
}

} // namespace tlx::qt
