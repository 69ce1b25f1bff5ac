#include "dialogs/glyph_list_dialog.h"

#include "dialogs/dialog_widgets.h"
#include "dialogs/glyph_editor_dialog.h"
#include "dialogs/slave_address_box.h"
#include "protocol/app_state.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace tlx::qt {

namespace {

using G = GlyphCellGeometry;

constexpr int kLabelHeight = 20;

QImage glyphImage(std::string_view hex, GlyphSize size) {
    const int pixels = glyphGeometry(size).pixels;
    QImage image(pixels, pixels, QImage::Format_RGB32);
    for (int y = 0; y < pixels; ++y) {
        for (int x = 0; x < pixels; ++x) {
            image.setPixel(x, y, glyphPixel(hex, size, x, y) ? 0xFFFFFFFFu : 0xFF000000u);
        }
    }
    return image;
}

} // namespace

GlyphCellBoard::GlyphCellBoard(GlyphListLogic& logic, QWidget* parent)
    : QWidget(parent), logic_(logic) {
    const int columns = logic_.descriptor().columns;
    for (int cell = 0; cell < logic_.cellsPerPage(); ++cell) {
        auto* l = new QLabel(this);
        l->setObjectName(QStringLiteral("label%1").arg(1176 + cell));
        const QPoint corner = cellCorner(cell, columns);
        l->setGeometry(corner.x(), corner.y() + G::height + 2, G::width, kLabelHeight);
        labels_[static_cast<std::size_t>(cell)] = l;
    }
    setFixedSize(sizeHint());
    refresh();
}

QSize GlyphCellBoard::sizeHint() const {
    return {G::pitch * logic_.descriptor().columns + G::left,
            G::bottomRow + G::height + kLabelHeight + 6};
}

QPoint GlyphCellBoard::cellCorner(int cell, int columns) {
    const int column = cell % columns;
    const int row = cell / columns;
    return {G::pitch * column + G::left, row == 0 ? G::topRow : G::bottomRow};
}

void GlyphCellBoard::refresh() {
    for (int cell = 0; cell < logic_.cellsPerPage(); ++cell) {
        labels_[static_cast<std::size_t>(cell)]->setText(
            QString::fromStdString(logic_.cellLabel(cell)));
    }
    update();
}

void GlyphCellBoard::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const auto& d = logic_.descriptor();
    const int drawn = 2 * glyphGeometry(d.size).pixels;
    for (int cell = 0; cell < logic_.cellsPerPage(); ++cell) {
        if (logic_.glyphOfCell(cell) < 0) {
            continue;
        }
        const QPoint corner = cellCorner(cell, d.columns);
        p.save();
        p.setClipRect(QRect(corner, QSize(G::width, G::height)));
        p.drawImage(QRect(corner, QSize(drawn, drawn)), glyphImage(logic_.cellGlyph(cell), d.size));
        p.restore();
    }
}

void GlyphCellBoard::mouseDoubleClickEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    const auto cell = glyphCellAt(logic_.descriptor(), at.x(), at.y());
    if (!cell) {
        return;
    }
    if (event->button() == Qt::LeftButton) {
        emit editRequested(*cell);
    } else if (event->button() == Qt::RightButton) {
        emit exportRequested(*cell);
    }
}

GlyphListDialog::GlyphListDialog(GlyphSize size, AppState& state, Host& host, Transport& transport,
                                 const std::string& address, QWidget* parent)
    : PacedDialog(parent), logic_(glyphListDescriptor(size), state, host, transport), state_(state),
      host_(host), transport_(transport), address_(address) {
    setWindowTitle(QString::fromStdString(logic_.title(address)));

    auto* layout = new QVBoxLayout(this);
    board_ = new GlyphCellBoard(logic_, this);
    layout->addWidget(board_);

    auto* controls = new QGridLayout;
    controls->addWidget(new QLabel(QStringLiteral("番号切り替え"), this), 0, 0);
    page_ = makeBox(QStringLiteral("combo1157"), logic_.pageItems(), this);
    page_->setCurrentIndex(logic_.page());
    controls->addWidget(page_, 0, 1);
    clear_ = makeButton(QStringLiteral("バッファクリア"), 1078, this);
    open_ = makeButton(QStringLiteral("開く"), 1079, this);
    save_ = makeButton(QStringLiteral("保存"), 1080, this);
    saveAs_ = makeButton(QStringLiteral("名前をつけて保存"), 1081, this);
    read_ = makeButton(QStringLiteral("リード"), 1085, this);
    register_ = makeButton(QStringLiteral("登録"), 1082, this);
    controls->addWidget(clear_, 0, 2);
    controls->addWidget(open_, 0, 3);
    controls->addWidget(save_, 0, 4);
    controls->addWidget(saveAs_, 0, 5);
    controls->addWidget(read_, 1, 2);
    controls->addWidget(register_, 1, 3);
    controls->addWidget(new QLabel(QStringLiteral("スレーブアドレス"), this), 1, 4);
    slave_ = new SlaveAddressBox(logic_.slaveAddress(), this, WhenDisabled::ShowAddress);
    controls->addWidget(slave_, 1, 5);
    layout->addLayout(controls);

    auto* bottom = new QHBoxLayout;
    progress_ = makeProgressBar(QStringLiteral("progress1158"), logic_.transfer().barMax(), this);
    bottom->addWidget(progress_, 1);
    percent_ = new QLabel(QString::fromStdString(logic_.transfer().percent()), this);
    percent_->setObjectName(QStringLiteral("percent1030"));
    percent_->setMinimumWidth(percent_->fontMetrics().horizontalAdvance(QStringLiteral(" 00.0")));
    bottom->addWidget(percent_);
    bottom->addWidget(new QLabel(QStringLiteral("％"), this));
    close_ = makeButton(QStringLiteral("Close"), 2, this);
    bottom->addWidget(close_);
    layout->addLayout(bottom);

    connect(page_, &QComboBox::activated, this, [this](int i) {
        logic_.choosePage(i);
        board_->refresh();
    });
    connect(clear_, &QPushButton::clicked, this, [this] {
        if (logic_.clearBuffer()) {
            board_->refresh();
        }
    });
    connect(open_, &QPushButton::clicked, this, [this] {
        if (logic_.openFile()) {
            board_->refresh();
        }
    });
    connect(save_, &QPushButton::clicked, this, [this] { logic_.saveFile(); });
    connect(saveAs_, &QPushButton::clicked, this, [this] { logic_.saveFileAs(); });
    connect(read_, &QPushButton::clicked, this, [this] { startTransfer(logic_.pressRead()); });
    connect(register_, &QPushButton::clicked, this,
            [this] { startTransfer(logic_.pressRegister()); });
    connect(close_, &QPushButton::clicked, this, &GlyphListDialog::reject);
    connect(board_, &GlyphCellBoard::editRequested, this, &GlyphListDialog::edit);
    connect(board_, &GlyphCellBoard::exportRequested, this, [this](int cell) {
        const QRgb background = palette().color(QPalette::Window).rgb();
        logic_.exportPicture(cell, G::width, G::height, background & 0xFFFFFFu);
    });
}

GlyphListDialog::~GlyphListDialog() {
    // Destroyed without Close (the program ends): the transfer must not
    // leave its flags behind.
    timer_.stop();
    logic_.abandon();
}

void GlyphListDialog::startTransfer(bool started) {
    if (!started) {
        return;
    }
    showProgress();
    timer_.start(logic_.transfer().interval());
}

void GlyphListDialog::onTick() {
    const bool running = logic_.tick();
    showProgress();
    if (running) {
        if (logic_.glyphArrived()) {
            board_->refresh();
        }
        startTransfer(true);
    } else {
        board_->refresh();
    }
}

void GlyphListDialog::showProgress() {
    progress_->setValue(logic_.transfer().bar());
    percent_->setText(QString::fromStdString(logic_.transfer().percent()));
}

void GlyphListDialog::edit(int cell) {
    if (!logic_.openEditor(cell)) {
        return;
    }
    auto* editor =
        new GlyphEditorDialog(logic_.descriptor().size, state_, host_, transport_, address_, this);
    editor->setAttribute(Qt::WA_DeleteOnClose);
    editor_ = editor;
    connect(editor, &QObject::destroyed, this, [this] {
        editor_ = nullptr;
        board_->refresh();
    });
    emit editorOpened(editor);
    if (editorModal_) {
        editor->exec();
    } else {
        editor->show();
    }
}

void GlyphListDialog::reject() {
    if (!logic_.close()) {
        return;
    }
    timer_.stop();
    QDialog::reject();
}

} // namespace tlx::qt
