#include "app/traffic_log_window.h"

#include <QBrush>
#include <QFileDialog>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include "base/host.h"
#include "base/settings_file_io.h"
#include "protocol/traffic_recorder.h"

namespace tlx::qt {

namespace {

constexpr int kRefreshMs = 200;

} // namespace

TrafficLogModel::TrafficLogModel(const TrafficLog& log, QObject* parent)
    : QAbstractListModel(parent), log_(log) {}

int TrafficLogModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

const TrafficLine* TrafficLogModel::lineOf(std::uint64_t number) const {
    const TrafficRing& ring = log_.lines();
    if (ring.empty() || number < ring.at(0).number) {
        return nullptr;
    }
    const std::uint64_t i = number - ring.at(0).number;
    return i < ring.size() ? &ring.at(static_cast<std::size_t>(i)) : nullptr;
}

bool TrafficLogModel::matches(const TrafficLine& line) const {
    return trafficLineMatches(
        log_, line, std::string_view(filter_.constData(), static_cast<std::size_t>(filter_.size())));
}

QString TrafficLogModel::textOf(const TrafficLine& line) const {
    return QString::fromStdString(trafficLineText(log_, line));
}

QVariant TrafficLogModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    const TrafficLine* line = lineOf(rows_[static_cast<std::size_t>(index.row())]);
    if (line == nullptr) {
        return role == Qt::DisplayRole ? QVariant(QStringLiteral("…")) : QVariant();
    }
    switch (role) {
    case Qt::DisplayRole:
        return textOf(*line);
    case Qt::ForegroundRole:
        if (line->mark != TrafficMark::None) {
            return QBrush(QColor(0xB0, 0x00, 0x00));
        }
        return QBrush(line->direction == TrafficDirection::Sent ? QColor(0x10, 0x40, 0xA0)
                                                                : QColor(0x10, 0x60, 0x10));
    case Qt::BackgroundRole:
        if (line->mark == TrafficMark::ErrorReply) {
            return QBrush(QColor(0xFF, 0xE0, 0xE0));
        }
        if (line->mark == TrafficMark::NoAnswer) {
            return QBrush(QColor(0xFF, 0xF0, 0xC0));
        }
        return {};
    default:
        return {};
    }
}

void TrafficLogModel::catchUp() {
    const TrafficRing& ring = log_.lines();
    const std::uint64_t first = ring.empty() ? log_.recorded() + 1 : ring.at(0).number;
    std::size_t dropped = 0;
    while (dropped < rows_.size() && rows_[dropped] < first) {
        ++dropped;
    }
    if (dropped > 0) {
        beginRemoveRows({}, 0, static_cast<int>(dropped) - 1);
        rows_.erase(rows_.begin(), rows_.begin() + static_cast<std::ptrdiff_t>(dropped));
        endRemoveRows();
    }
    std::vector<std::uint64_t> added;
    for (std::uint64_t n = std::max(seen_ + 1, first); n <= log_.recorded(); ++n) {
        if (const TrafficLine* line = lineOf(n); line != nullptr && matches(*line)) {
            added.push_back(n);
        }
    }
    seen_ = log_.recorded();
    if (!added.empty()) {
        const int at = rowCount();
        beginInsertRows({}, at, at + static_cast<int>(added.size()) - 1);
        rows_.insert(rows_.end(), added.begin(), added.end());
        endInsertRows();
    }
}

void TrafficLogModel::setFilter(const QString& text) {
    filter_ = text.toUtf8();
    reset();
}

void TrafficLogModel::reset() {
    beginResetModel();
    rows_.clear();
    seen_ = 0;
    endResetModel();
    catchUp();
}

QString TrafficLogModel::allText() const {
    QString out;
    for (const std::uint64_t n : rows_) {
        if (const TrafficLine* line = lineOf(n)) {
            out += textOf(*line);
            out += QLatin1Char('\n');
        }
    }
    return out;
}

TrafficLogWindow::TrafficLogWindow(TrafficLog& log, Host& host, QWidget* parent)
    : QWidget(parent, Qt::Window), log_(log), host_(host),
      model_(new TrafficLogModel(log, this)), view_(new QListView(this)),
      pause_(new QPushButton(QStringLiteral("一時停止"), this)),
      clear_(new QPushButton(QStringLiteral("クリア"), this)),
      save_(new QPushButton(QStringLiteral("保存..."), this)), filter_(new QLineEdit(this)),
      count_(new QLabel(this)) {
    setObjectName(QStringLiteral("trafficLog"));
    setWindowTitle(QStringLiteral("通信ログ"));
    resize(900, 420);

    view_->setModel(model_);
    view_->setUniformItemSizes(true);
    view_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    view_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    view_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    pause_->setCheckable(true);
    filter_->setPlaceholderText(QStringLiteral("フィルタ"));
    filter_->setClearButtonEnabled(true);

    auto* controls = new QHBoxLayout;
    controls->addWidget(pause_);
    controls->addWidget(clear_);
    controls->addWidget(filter_, 1);
    controls->addWidget(save_);
    controls->addWidget(count_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(controls);
    layout->addWidget(view_, 1);

    connect(pause_, &QPushButton::toggled, this, [this](bool paused) {
        if (!paused) {
            refresh();
        }
    });
    connect(clear_, &QPushButton::clicked, this, [this] {
        log_.clear();
        model_->reset();
        showCount();
    });
    connect(filter_, &QLineEdit::textChanged, this, [this](const QString& text) {
        model_->setFilter(text);
        view_->scrollToBottom();
        showCount();
    });
    connect(save_, &QPushButton::clicked, this, &TrafficLogWindow::save);
    timer_.setInterval(kRefreshMs);
    connect(&timer_, &QTimer::timeout, this, &TrafficLogWindow::refresh);
    timer_.start();
    model_->reset();
    showCount();
}

void TrafficLogWindow::refresh() {
    if (pause_->isChecked()) {
        return;
    }
    QScrollBar* bar = view_->verticalScrollBar();
    // Follows the newest line unless the operator has scrolled up to read.
    const bool atEnd = bar->value() >= bar->maximum();
    model_->catchUp();
    if (atEnd) {
        view_->scrollToBottom();
    }
    showCount();
}

void TrafficLogWindow::showCount() {
    count_->setText(QStringLiteral("%1 行").arg(model_->rowCount()));
}

bool TrafficLogWindow::saveTo(const QString& path) {
    const QByteArray bytes = model_->allText().toUtf8();
    const auto r = writeFileAtomically(path.toStdString(),
                                       std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
                                       false);
    if (!r.ok()) {
        host_.error("通信ログを保存できません: " + path.toStdString() + "\n" + r.reason);
        return false;
    }
    return true;
}

void TrafficLogWindow::save() {
    const QString path = chooser_ ? chooser_()
                                  : QFileDialog::getSaveFileName(this, QStringLiteral("通信ログの保存"),
                                                                 QStringLiteral("traffic.log"),
                                                                 QStringLiteral("テキスト (*.log *.txt)"));
    if (!path.isEmpty()) {
        saveTo(path);
    }
}

} // namespace tlx::qt
