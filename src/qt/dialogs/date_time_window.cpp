#include "dialogs/date_time_window.h"

#include "dialogs/dialog_widgets.h"
#include "dialogs/fleet_panel.h"
#include "dialogs/slave_address_box.h"
#include "protocol/app_state.h"
#include "settings/qt_text.h"

#include <QComboBox>
#include <QDateTime>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace tlx::qt {

namespace {

// Resource numbers of the lists and their buttons, in the order of the
// fields.
constexpr std::array<int, kClockFields> kFieldBoxIds{1012, 1008, 1007, 1009, 1010, 1011};
constexpr std::array<int, kClockFields> kFieldButtonIds{1017, 1018, 1019, 1020, 1021, 1022};
constexpr std::array<const char*, kClockFields> kFieldLabels{"年", "月", "日", "時", "分", "秒"};

QComboBox* box(int id, QWidget* parent) {
    auto* b = new QComboBox(parent);
    b->setObjectName(QStringLiteral("box%1").arg(id));
    return b;
}

} // namespace

ClockTime localClockTime() {
    const QDateTime now = QDateTime::currentDateTime();
    const QDate d = now.date();
    const QTime t = now.time();
    return {d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second()};
}

DateTimeDialog::DateTimeDialog(AppState& state, Host& host, Transport& transport,
                               const ClockTime& now, const QString& caption, QWidget* parent,
                               TcpLink* tcp)
    : QDialog(parent), logic_(state, host, transport, now) {
    setWindowTitle(caption);
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    int row = 0;
    for (const ClockFieldRow& r : kClockFieldRows) {
        const std::size_t i = slot(r.field);
        auto* list = box(kFieldBoxIds[i], this);
        for (const std::string& item : clockFieldItems(r.field)) {
            list->addItem(QString::fromStdString(item));
        }
        list->setCurrentIndex(logic_.selection(r.field));
        auto* set = makeButton(QStringLiteral("設定"), kFieldButtonIds[i], this);
        grid->addWidget(new QLabel(QString::fromUtf8(kFieldLabels[i]), this), row, 0);
        grid->addWidget(list, row, 1);
        grid->addWidget(set, row, 2);
        fields_[i] = list;
        fieldButtons_[i] = set;
        const ClockField field = r.field;
        // A button sends what its list shows, however the list was changed.
        connect(list, &QComboBox::currentIndexChanged, this,
                [this, field](int index) { logic_.choose(field, index); });
        connect(set, &QPushButton::clicked, this, [this, field] { logic_.send(field); });
        ++row;
    }

    auto addChoice = [&](const QString& label, int boxId, int buttonId,
                         std::span<const std::string_view> items, std::int32_t current,
                         QComboBox*& list, QPushButton*& set) {
        list = box(boxId, this);
        for (std::string_view item : items) {
            list->addItem(qtext(item));
        }
        list->setCurrentIndex(current);
        set = makeButton(QStringLiteral("設定"), buttonId, this);
        grid->addWidget(new QLabel(label, this), row, 0);
        grid->addWidget(list, row, 1);
        grid->addWidget(set, row, 2);
        ++row;
    };
    addChoice(QStringLiteral("表示範囲"), 1015, 1023, dateTimeRangeItems(), logic_.range(), range_,
              rangeButton_);
    addChoice(QStringLiteral("表示"), 1013, 1024, dateTimeDisplayItems(), logic_.display(),
              display_, displayButton_);
    addChoice(QStringLiteral("サイズ"), 1014, 1025, dateTimeSizeItems(), logic_.size(), size_,
              sizeButton_);
    layout->addLayout(grid);
    connect(range_, &QComboBox::activated, this, [this](int i) { logic_.chooseRange(i); });
    connect(display_, &QComboBox::activated, this, [this](int i) { logic_.chooseDisplay(i); });
    connect(size_, &QComboBox::activated, this, [this](int i) { logic_.chooseSize(i); });
    connect(rangeButton_, &QPushButton::clicked, this, [this] { logic_.sendRange(); });
    connect(displayButton_, &QPushButton::clicked, this, [this] { logic_.sendDisplay(); });
    connect(sizeButton_, &QPushButton::clicked, this, [this] { logic_.sendSize(); });

    auto* bottom = new QHBoxLayout;
    adjust_ = makeButton(QStringLiteral("30秒補正"), 1026, this);
    connect(adjust_, &QPushButton::clicked, this, [this] { logic_.adjustSeconds(); });
    bottom->addWidget(adjust_);
    bottom->addStretch();
    bottom->addWidget(new QLabel(QStringLiteral("スレーブアドレス"), this));
    slave_ = new SlaveAddressBox(logic_.slaveAddress(), this, WhenDisabled::ShowAddress);
    slave_->setObjectName(QStringLiteral("box1016"));
    bottom->addWidget(slave_);
    close_ = makeButton(QStringLiteral("Close"), 2, this);
    // Enter closes the dialog like Close; no setting is sent by Enter.
    close_->setDefault(true);
    connect(close_, &QPushButton::clicked, this, &QDialog::reject);
    bottom->addWidget(close_);
    layout->addLayout(bottom);

    // Added below the specified controls: this computer's time in one go.
    auto* added = new QHBoxLayout;
    pcClock_ = makeButton(QStringLiteral("PCの時刻を設定"), 0, this);
    pcClock_->setObjectName(QStringLiteral("buttonPcClock"));
    added->addWidget(pcClock_);
    added->addStretch();
    layout->addLayout(added);
    if (tcp != nullptr && state.connection.interfaceKind == InterfaceKind::Tcp &&
        state.connection.clientServer == 1) {
        fleet_ = new FleetPanel(*tcp, state, host, FleetJob::SetClock, this);
        layout->addWidget(fleet_);
    }
    pcClockTimer_.setSingleShot(true);
    connect(&pcClockTimer_, &QTimer::timeout, this, [this] {
        if (logic_.continuePcClock()) {
            pcClockTimer_.start(20);
        }
    });
    connect(pcClock_, &QPushButton::clicked, this, [this] {
        const ClockTime pc = localClockTime();
        if (fleet_ != nullptr && fleet_->chosen()) {
            if (auto lines = clockCommands(pc)) {
                fleet_->start(1.0, {}, std::move(*lines));
            }
        } else if (!pcClockTimer_.isActive() && logic_.startPcClock(pc)) {
            pcClockTimer_.start(20);
        }
    });
    connect(&follow_, &QTimer::timeout, this, &DateTimeDialog::showClock);
}

void DateTimeDialog::followClock(std::function<ClockTime()> clock) {
    clock_ = std::move(clock);
    // Often enough that the seconds list never lags a second behind.
    follow_.start(200);
}

void DateTimeDialog::showClock() {
    if (!clock_) {
        return;
    }
    logic_.follow(clock_());
    for (const ClockFieldRow& r : kClockFieldRows) {
        // Not the operator's choice: the list stays free to follow.
        const QSignalBlocker quiet(fields_[slot(r.field)]);
        fields_[slot(r.field)]->setCurrentIndex(logic_.selection(r.field));
    }
}

} // namespace tlx::qt
