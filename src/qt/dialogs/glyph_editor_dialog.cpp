#include "dialogs/glyph_editor_dialog.h"

#include "dialogs/dialog_widgets.h"
#include "dialogs/glyph_sample_text.h"
#include "dialogs/slave_address_box.h"
#include "protocol/app_state.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace tlx::qt {

namespace {

constexpr int kWatchMs = 50;

} // namespace

GlyphGrid::GlyphGrid(GlyphEditorLogic& logic, QWidget* parent) : QWidget(parent), logic_(logic) {
    setMouseTracking(true);
    setCursor(Qt::ArrowCursor);
    setFixedSize(sizeHint());
}

QSize GlyphGrid::sizeHint() const {
    const auto& d = logic_.descriptor();
    const int pixels = glyphGeometry(d.size).pixels;
    return {pixels * d.cellWidth, pixels * d.cellHeight};
}

QPoint GlyphGrid::pixelCentre(int x, int y) const {
    const auto& d = logic_.descriptor();
    return {x * d.cellWidth + d.cellWidth / 2, y * d.cellHeight + d.cellHeight / 2};
}

void GlyphGrid::redraw() {
    ++redraws_;
    update();
}

void GlyphGrid::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const auto& d = logic_.descriptor();
    const int pixels = glyphGeometry(d.size).pixels;
    for (int y = 0; y < pixels; ++y) {
        for (int x = 0; x < pixels; ++x) {
            const QRect cell(x * d.cellWidth, y * d.cellHeight, d.cellWidth, d.cellHeight);
            const bool lit = logic_.pixel(x, y);
            p.fillRect(cell, lit ? Qt::white : QColor(0, 0, 255));
            p.setPen(lit ? Qt::white : Qt::black);
            p.drawRect(cell.adjusted(0, 0, -1, -1));
        }
    }
}

void GlyphGrid::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint() + QPoint(kEditorGridOrigin, kEditorGridOrigin);
    bool changed = false;
    if (event->button() == Qt::LeftButton) {
        changed = logic_.leftDown(at.x(), at.y());
    } else if (event->button() == Qt::RightButton) {
        changed = logic_.rightDown(at.x(), at.y());
    }
    if (changed) {
        redraw();
    }
}

void GlyphGrid::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        logic_.leftUp();
    } else if (event->button() == Qt::RightButton) {
        logic_.rightUp();
    }
}

void GlyphGrid::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint() + QPoint(kEditorGridOrigin, kEditorGridOrigin);
    if (logic_.move(at.x(), at.y())) {
        redraw();
    }
}

GlyphEditorDialog::GlyphEditorDialog(GlyphSize size, AppState& state, Host& host,
                                     Transport& transport, const std::string& address,
                                     QWidget* parent)
    : QDialog(parent), state_(state), logic_(glyphEditorDescriptor(size), state, host, transport) {
    setWindowTitle(QString::fromStdString(logic_.title(address)));

    auto* layout = new QHBoxLayout(this);
    grid_ = new GlyphGrid(logic_, this);
    grid_->setObjectName(QStringLiteral("grid%1").arg(size == GlyphSize::Large    ? 1077
                                                      : size == GlyphSize::Medium ? 1085
                                                                                  : 1091));
    layout->addWidget(grid_, 0, Qt::AlignTop);

    auto* side = new QVBoxLayout;
    auto* numberGroup = new QGroupBox(QStringLiteral("登録番号"), this);
    auto* numberRow = new QHBoxLayout(numberGroup);
    number_ = new QComboBox(numberGroup);
    number_->setObjectName(QStringLiteral("combo1011"));
    for (const auto& item : logic_.numberItems()) {
        number_->addItem(QString::fromStdString(item));
    }
    number_->setCurrentIndex(logic_.currentNumber());
    read_ =
        makeButton(QStringLiteral("リード"), size == GlyphSize::Medium ? 1086 : 1085, numberGroup);
    register_ = makeButton(QStringLiteral("登録"), 1082, numberGroup);
    numberRow->addWidget(number_);
    numberRow->addWidget(read_);
    numberRow->addWidget(register_);
    side->addWidget(numberGroup);

    auto* slaveGroup = new QGroupBox(QStringLiteral("スレーブアドレス"), this);
    auto* slaveRow = new QHBoxLayout(slaveGroup);
    slave_ = new SlaveAddressBox(logic_.slaveAddress(), slaveGroup, WhenDisabled::ShowAddress);
    slaveRow->addWidget(slave_);
    side->addWidget(slaveGroup);

    auto* sampleGroup = new QGroupBox(QStringLiteral("サンプル"), this);
    auto* sampleRow = new QHBoxLayout(sampleGroup);
    sample_ = new QLineEdit(sampleGroup);
    sample_->setObjectName(QStringLiteral("edit1083"));
    sample_->setMaxLength(1); // one double-byte character
    sampleRead_ = makeButton(QStringLiteral("リード"), 1084, sampleGroup);
    sampleRow->addWidget(sample_);
    sampleRow->addWidget(sampleRead_);
    side->addWidget(sampleGroup);

    clear_ = makeButton(QStringLiteral("バッファクリア"), 1078, this);
    derive_ = makeButton(QStringLiteral("他のサイズ作成"), 1177, this);
    close_ = makeButton(QStringLiteral("Close"), 2, this);
    side->addWidget(clear_);
    side->addWidget(derive_);
    side->addStretch();
    side->addWidget(close_);
    layout->addLayout(side);

    connect(number_, &QComboBox::activated, this, [this](int i) { logic_.chooseNumber(i); });
    connect(read_, &QPushButton::clicked, this, [this] {
        logic_.readByNumber();
        watchReplies();
    });
    connect(register_, &QPushButton::clicked, this, [this] { logic_.registerGlyph(); });
    connect(sample_, &QLineEdit::textChanged, this,
            [this](const QString& text) { logic_.setSample(sampleCharacterBytes(text)); });
    connect(sampleRead_, &QPushButton::clicked, this, [this] {
        logic_.readSample();
        watchReplies();
    });
    connect(clear_, &QPushButton::clicked, this, [this] {
        if (logic_.clearBuffer()) {
            grid_->redraw();
        }
    });
    connect(derive_, &QPushButton::clicked, this, [this] { logic_.deriveSizes(); });
    connect(close_, &QPushButton::clicked, this, &GlyphEditorDialog::reject);

    shown_ = std::string(logic_.workingGlyph());
    watch_.setInterval(kWatchMs);
    connect(&watch_, &QTimer::timeout, this, &GlyphEditorDialog::watchReplies);
    watch_.start();
}

void GlyphEditorDialog::watchReplies() {
    endUnansweredGlyphRead(state_);
    const std::string_view now = logic_.workingGlyph();
    if (now != shown_) {
        shown_ = std::string(now);
        grid_->update();
    }
}

void GlyphEditorDialog::reject() {
    watch_.stop();
    logic_.close();
    QDialog::reject();
}

} // namespace tlx::qt
