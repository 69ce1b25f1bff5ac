#include "dialogs/schedule_dialog.h"

#include "dialogs/dialog_widgets.h"
#include "dialogs/run_dialog.h"
#include "dialogs/slave_address_box.h"
#include "settings/qt_text.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace tlx::qt {

namespace {

// The layout grid of the entry list: columns 160 apart, rows 23 apart.
constexpr int kColumnWidth = 160;
constexpr int kRowHeight = 23;

} // namespace

SchedulePreview::SchedulePreview(const ScheduleLogic& logic, QWidget* parent)
    : QWidget(parent), logic_(logic) {
    setObjectName(QStringLiteral("preview1070"));
}

QSize SchedulePreview::sizeHint() const {
    return {20 + 3 * kColumnWidth, 20 + 8 * kRowHeight + 4};
}

void SchedulePreview::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setPen(palette().color(QPalette::WindowText));
    const QFontMetrics fm = p.fontMetrics();
    // Positions are those of the top of each text line.
    p.drawText(60, 1 + fm.ascent(), qtext(kSchedulePreviewHeader));
    for (std::size_t i = 0; i < kScheduleEntries; ++i) {
        const int x = 20 + kColumnWidth * static_cast<int>(i / 8);
        const int y = 20 + kRowHeight * static_cast<int>(i % 8);
        p.drawText(x, y + fm.ascent(), QString::fromStdString(logic_.entryText(i)));
    }
}

ScheduleDialog::ScheduleDialog(AppState& state, Host& host, Transport& transport,
                               const QString& title, QWidget* parent)
    : PacedDialog(parent, StepTimer::Mode::Repeat), logic_(state, host, transport) {
    setWindowTitle(title);

    auto* layout = new QVBoxLayout(this);
    preview_ = new SchedulePreview(logic_, this);
    preview_->setMinimumSize(preview_->sizeHint());
    layout->addWidget(preview_);

    auto* choices = new QGridLayout;
    day_ = makeBox(QStringLiteral("box1007"), scheduleDayItems(), this);
    entry_ = makeBox(QStringLiteral("box1008"), scheduleEntryItems(), this);
    hour_ = makeBox(QStringLiteral("box1009"), scheduleHourItems(), this);
    minute_ = makeBox(QStringLiteral("box1011"), scheduleMinuteItems(), this);
    page_ = makeBox(QStringLiteral("box1071"), schedulePageItems(), this);
    struct Column {
        const char* label;
        QComboBox* box;
        void (ScheduleLogic::*choose)(int);
    };
    const Column columns[] = {{"日", day_, &ScheduleLogic::chooseDay},
                              {"パターン番号", entry_, &ScheduleLogic::chooseEntry},
                              {"時", hour_, &ScheduleLogic::chooseHour},
                              {"分", minute_, &ScheduleLogic::chooseMinute},
                              {"ページ", page_, &ScheduleLogic::choosePage}};
    int col = 0;
    for (const Column& c : columns) {
        choices->addWidget(new QLabel(QString::fromUtf8(c.label), this), 0, col);
        choices->addWidget(c.box, 1, col);
        connect(c.box, &QComboBox::activated, this, [this, choose = c.choose](int i) {
            (logic_.*choose)(i);
            refresh();
        });
        ++col;
    }
    layout->addLayout(choices);

    auto* buttons = new QHBoxLayout;
    auto* daySet = makeButton(QStringLiteral("日設定"), 1028, this);
    allSet_ = makeButton(QStringLiteral("全設定"), 1029, this);
    auto* clear = makeButton(QStringLiteral("日ページクリア"), 1032, this);
    buttons->addWidget(daySet);
    buttons->addWidget(allSet_);
    buttons->addWidget(clear);
    buttons->addStretch();
    buttons->addWidget(new QLabel(QStringLiteral("スレーブアドレス"), this));
    slave_ = new SlaveAddressBox(logic_.slaveAddress(), this);
    buttons->addWidget(slave_);
    layout->addLayout(buttons);

    auto* progressRow = new QHBoxLayout;
    progress_ = makeProgressBar(QStringLiteral("progress1030"), kScheduleRunEnd, this);
    progressRow->addWidget(progress_, 1);
    percent_ = new QLabel(this);
    percent_->setObjectName(QStringLiteral("percent1031"));
    percent_->setMinimumWidth(percent_->fontMetrics().horizontalAdvance(QStringLiteral("100")));
    percent_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // Framed like the percentage of the other dialogs.
    percent_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    progressRow->addWidget(percent_);
    progressRow->addWidget(new QLabel(QStringLiteral("％"), this));
    timeLeft_ = makeTimeLeftLabel(this);
    progressRow->addWidget(timeLeft_);
    close_ = makeButton(QStringLiteral("Close"), 2, this);
    progressRow->addWidget(close_);
    layout->addLayout(progressRow);

    connect(clear, &QPushButton::clicked, this, [this] {
        logic_.clearDayPages();
        refresh();
    });
    connect(daySet, &QPushButton::clicked, this, [this] { logic_.pressDaySet(); });
    connect(allSet_, &QPushButton::clicked, this, &ScheduleDialog::pressAllSet);
    connect(close_, &QPushButton::clicked, this, &ScheduleDialog::reject);
    refresh();
}

ScheduleDialog::~ScheduleDialog() {
    timer_.stop();
    logic_.close();
}

void ScheduleDialog::refresh() {
    day_->setCurrentIndex(logic_.day());
    entry_->setCurrentIndex(logic_.entry());
    hour_->setCurrentIndex(logic_.hour());
    minute_->setCurrentIndex(logic_.minute());
    page_->setCurrentIndex(logic_.page());
    close_->setEnabled(logic_.closeEnabled());
    preview_->update();
}

void ScheduleDialog::showProgress() {
    progress_->setValue(logic_.run().bar());
    percent_->setText(QString::fromStdString(logic_.run().percent()));
    timeLeft_->setText(logic_.run().running()
                           ? QString::fromStdString(tlx::timeLeftText(logic_.run().timeLeft()))
                           : QString());
    allSet_->setEnabled(!logic_.run().running());
}

void ScheduleDialog::pressAllSet() {
    if (!logic_.pressAllSet()) {
        return;
    }
    close_->setEnabled(false);
    showProgress();
    timer_.start(logic_.run().interval());
}

void ScheduleDialog::onTick() {
    const ScheduleTick r = logic_.tick();
    showProgress();
    if (r != ScheduleTick::Continue) {
        timer_.stop();
        close_->setEnabled(logic_.closeEnabled());
    }
}

void ScheduleDialog::reject() {
    // While the days go out, Close is disabled and the dialog stays.
    if (!logic_.closeEnabled()) {
        return;
    }
    timer_.stop();
    logic_.close();
    QDialog::reject();
}

} // namespace tlx::qt
