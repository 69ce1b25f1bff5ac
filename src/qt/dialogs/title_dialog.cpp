#include "dialogs/title_dialog.h"

#include "base/codecs.h"
#include "base/product.h"
#include "dialogs/attribute_widgets.h"
#include "dialogs/dialog_widgets.h"
#include "dialogs/run_dialog.h"
#include "dialogs/slave_address_box.h"
#include "settings/sjis_text.h"
#include "settings/title_encoder.h"

#include <QApplication>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTextDocument>
#include <QVBoxLayout>
#include <algorithm>

namespace tlx::qt {

TitleDialog::TitleDialog(AppState& state, Host& host, Transport& transport, const QString& caption,
                         QWidget* parent)
    : PacedDialog(parent), logic_(state, host, transport) {
    setWindowTitle(caption);

    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("Page"), this));
    page_ = new QComboBox(this);
    page_->setObjectName(QStringLiteral("box1025"));
    for (int p = 1; p <= static_cast<int>(kPages); ++p) {
        page_->addItem(QString::fromStdString(encode3(p)));
    }
    top->addWidget(page_);
    if (logic_.perLine()) {
        top->addWidget(new QLabel(QStringLiteral("Line"), this));
        line_ = makeLineBox(1103, this);
        top->addWidget(line_);
    }
    top->addStretch();
    top->addWidget(new QLabel(QStringLiteral("スレーブアドレス"), this));
    slave_ = new SlaveAddressBox(logic_.slaveAddress(), this, WhenDisabled::ShowAddress);
    top->addWidget(slave_);
    layout->addLayout(top);

    buildInput();
    layout->addWidget(input_);

    auto* sends = new QHBoxLayout;
    if (logic_.perLine()) {
        sendLine_ = makeButton(QStringLiteral("ライン設定"), 1032, this);
        sends->addWidget(sendLine_);
        connect(sendLine_, &QPushButton::clicked, this, [this] { logic_.sendLine(); });
    }
    sendPage_ = makeButton(QStringLiteral("ページ設定"), 1104, this);
    sendAll_ = makeButton(QStringLiteral("全設定"), 1028, this);
    sends->addWidget(sendPage_);
    sends->addWidget(sendAll_);
    sends->addStretch();
    layout->addLayout(sends);
    connect(sendPage_, &QPushButton::clicked, this, [this] { logic_.sendPage(); });
    connect(sendAll_, &QPushButton::clicked, this, &TitleDialog::pressAll);

    if (logic_.perLine()) {
        preview_ = new QLabel(this);
        preview_->setObjectName(QStringLiteral("preview1031"));
        preview_->setTextFormat(Qt::PlainText);
        preview_->setFrameShape(QFrame::Box);
        preview_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        preview_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
        layout->addWidget(preview_, 1);
    }

    progress_ = new QProgressBar(this);
    progress_->setObjectName(QStringLiteral("progress1029"));
    progress_->setRange(0, static_cast<int>(kPages));
    progress_->setTextVisible(false);
    layout->addWidget(progress_);
    auto* bottom = new QHBoxLayout;
    activity_ = new QProgressBar(this);
    activity_->setObjectName(QStringLiteral("activity"));
    activity_->setRange(0, RunProgress::activityMax);
    activity_->setTextVisible(false);
    bottom->addWidget(activity_, 1);
    percent_ = new QLabel(this);
    percent_->setObjectName(QStringLiteral("percent1030"));
    percent_->setMinimumWidth(percent_->fontMetrics().horizontalAdvance(QStringLiteral("100.0 %")));
    bottom->addWidget(percent_);
    bottom->addWidget(new QLabel(QStringLiteral("％"), this));
    timeLeft_ = makeTimeLeftLabel(this);
    bottom->addWidget(timeLeft_);
    close_ = makeButton(QStringLiteral("Close"), 2, this);
    bottom->addWidget(close_);
    layout->addLayout(bottom);
    connect(close_, &QPushButton::clicked, this, &TitleDialog::reject);
    refuseEscapeWhile(this, [this] { return logic_.sending(); });

    connect(page_, &QComboBox::activated, this, &TitleDialog::choosePage);
    if (line_ != nullptr) {
        connect(line_, &QComboBox::activated, this, &TitleDialog::chooseLine);
    }
    page_->setCurrentIndex(logic_.currentPage());
    if (line_ != nullptr) {
        line_->setCurrentIndex(logic_.currentLine());
    }
    showInput();
    showPreview();
}

TitleDialog::~TitleDialog() {
    timer_.stop();
    logic_.abandon();
}

void TitleDialog::buildInput() {
    input_ = new TitleTextEdit(this);
    input_->setObjectName(QStringLiteral("edit1026"));
    input_->setAttribute(Qt::WA_InputMethodEnabled, true);
    if (logic_.perLine()) {
        input_->setSingleLine();
    } else {
        // The device's lines: a face whose half-width characters are half
        // as wide, 28 full-width characters to a line.
        QFont face(QStringLiteral("IPAGothic"));
        face.setStyleHint(QFont::Monospace);
        face.setFixedPitch(true);
        face.setPointSizeF(input_->font().pointSizeF());
        input_->setFont(face);
        input_->setColumns(static_cast<int>(kTitleCodesPerLine));
        input_->setMinimumHeight(QFontMetrics(face).lineSpacing() * static_cast<int>(kLines) +
                                 2 * static_cast<int>(input_->document()->documentMargin()) +
                                 2 * input_->frameWidth());
    }
    // The operator's own edits only: the text shown on a page or line change
    // is already the model's.
    connect(input_, &QPlainTextEdit::textChanged, this, [this] {
        if (!showing_) {
            edited(input_->title());
        }
    });
}

void TitleDialog::showInput() {
    shownText_ = titleInputText(logic_.inputText());
    showing_ = true;
    input_->setTitle(shownText_);
    shownLength_ = input_->length();
    showing_ = false;
    markFaults();
}

void TitleDialog::markFaults() {
    QList<int> positions;
    for (const std::size_t character : titleFaultCharacters(logic_.inputText())) {
        positions.append(static_cast<int>(character));
    }
    input_->markCharacters(positions);
}

void TitleDialog::edited(const QString& text) {
    const TitleBytes converted = titleBytesFromUnicode(text);
    if (!converted.complete) {
        refuseEdit();
        logic_.refuseCharacter();
        return;
    }
    if (logic_.edit(converted.bytes) == TitleEditResult::TooLong) {
        refuseEdit();
        QApplication::beep();
        return;
    }
    shownText_ = text;
    shownLength_ = input_->length();
    markFaults();
    showPreview();
}

// Puts back the text the model holds, with the cursor where the refused
// characters began.
void TitleDialog::refuseEdit() {
    showing_ = true;
    QTextCursor c = input_->textCursor();
    const int cursor = c.position() - (input_->length() - shownLength_);
    input_->setTitle(shownText_);
    c = input_->textCursor();
    c.setPosition(std::clamp(cursor, 0, shownLength_));
    input_->setTextCursor(c);
    showing_ = false;
}

void TitleDialog::choosePage(int index) {
    logic_.choosePage(index);
    showInput();
    if (logic_.previewPending()) {
        timer_.start(kTitlePreviewDelay);
    }
}

void TitleDialog::chooseLine(int index) {
    logic_.chooseLine(index);
    showInput();
    showPreview();
}

void TitleDialog::showPreview() {
    if (preview_ == nullptr) {
        return;
    }
    QStringList rows;
    for (const std::string& row : logic_.previewRows()) {
        rows << sjisToUnicode(row);
    }
    preview_->setText(rows.join(QChar('\n')));
}

void TitleDialog::showProgress() {
    const RunProgress& p = logic_.progress();
    progress_->setValue(p.bar);
    activity_->setValue(p.activity);
    percent_->setText(QString::fromStdString(p.percent));
    timeLeft_->setText(QString::fromStdString(logic_.timeLeft()));
    sendAll_->setEnabled(!logic_.sending());
    close_->setEnabled(logic_.closeEnabled());
}

void TitleDialog::pressAll() {
    if (logic_.sendAll()) {
        showProgress();
        timer_.start(kTitleAllPagesInterval);
    }
}

void TitleDialog::onTick() {
    const TitleTick t = logic_.tick();
    if (t.repaintPreview) {
        showPreview();
    }
    if (t.progressChanged) {
        showProgress();
    }
    if (t.keepTimer) {
        timer_.start(kTitleAllPagesInterval);
    }
}

void TitleDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    logic_.schedulePreview();
    timer_.start(kTitlePreviewDelay);
}

void TitleDialog::reject() {
    if (!logic_.close()) {
        return;
    }
    timer_.stop();
    QDialog::reject();
}

} // namespace tlx::qt
