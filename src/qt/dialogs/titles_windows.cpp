#include "dialogs/titles_windows.h"

#include "base/sjis_codec.h"
#include "dialogs/titles_commands.h"
#include "protocol/app_state.h"
#include "settings/qt_text.h"
#include "settings/sjis_text.h"
#include "settings/title_encoder.h"

#include <QAbstractTableModel>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QVBoxLayout>

namespace tlx::qt {

// One row per page and line (model S: per page); the texts are read once and
// kept, so that filtering never converts a title.
class TitleOverviewModel : public QAbstractTableModel {
  public:
    explicit TitleOverviewModel(const AppState& state)
        : state_(state), linesPerPage_(state.product == Product::F ? kLines : 1),
          codec_(makeSjisCodec()) {
        reload();
    }

    std::size_t linesPerPage() const { return linesPerPage_; }
    int textColumn() const { return linesPerPage_ > 1 ? 2 : 1; }

    void reload() {
        texts_.resize(static_cast<qsizetype>(kPages) * static_cast<qsizetype>(linesPerPage_));
        std::string utf8;
        for (std::size_t row = 0; row < kPages * linesPerPage_; ++row) {
            const std::size_t page = row / linesPerPage_;
            const std::string_view stored = linesPerPage_ > 1
                                                ? state_.model.titleText[page][row % linesPerPage_].view()
                                                : state_.model.titlePageText[page].view();
            const std::string shown = titleDisplayText(stored);
            utf8.clear();
            texts_[static_cast<qsizetype>(row)] =
                codec_ && codec_->sjisToUtf8(shown, utf8)
                    ? QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()))
                    : sjisToUnicode(shown);
        }
        if (rowCount() > 0) {
            emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
        }
    }

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(texts_.size());
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : textColumn() + 1;
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (role != Qt::DisplayRole || !index.isValid()) {
            return {};
        }
        const int row = index.row();
        const int perPage = static_cast<int>(linesPerPage_);
        if (index.column() == textColumn()) {
            return texts_[row];
        }
        if (index.column() == 0) {
            return QString::number(row / perPage + 1).rightJustified(3, '0');
        }
        return QString::number(row % perPage + 1).rightJustified(2, '0');
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
            return {};
        }
        if (section == textColumn()) {
            return QStringLiteral("タイトル");
        }
        return section == 0 ? QStringLiteral("ページ") : QStringLiteral("ライン");
    }

  private:
    const AppState& state_;
    std::size_t linesPerPage_;
    std::unique_ptr<SjisCodec> codec_;
    QList<QString> texts_;
};

TitleOverviewDialog::TitleOverviewDialog(AppState& state, std::function<void()> openTitle,
                                         QWidget* parent)
    : QDialog(parent), state_(state), openTitle_(std::move(openTitle)),
      model_(std::make_unique<TitleOverviewModel>(state)) {
    setWindowTitle(qtext(kTitlesOverviewTitle));
    filter_ = new QLineEdit(this);
    filter_->setObjectName(QStringLiteral("titleFilter"));
    filter_->setPlaceholderText(QStringLiteral("検索"));
    filter_->setClearButtonEnabled(true);

    proxy_ = new QSortFilterProxyModel(this);
    proxy_->setSourceModel(model_.get());
    proxy_->setFilterKeyColumn(model_->textColumn());
    proxy_->setFilterCaseSensitivity(Qt::CaseInsensitive);

    table_ = new QTableView(this);
    table_->setObjectName(QStringLiteral("titleTable"));
    table_->setModel(proxy_);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setWordWrap(false);
    table_->verticalHeader()->hide();
    // Fixed row heights: nothing measures 5,120 rows.
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    table_->horizontalHeader()->setStretchLastSection(true);
    for (int c = 0; c < model_->textColumn(); ++c) {
        table_->setColumnWidth(c, fontMetrics().horizontalAdvance(QStringLiteral("ページ")) + 16);
    }

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(filter_);
    layout->addWidget(table_);
    resize(720, 520);

    connect(filter_, &QLineEdit::textChanged, proxy_, &QSortFilterProxyModel::setFilterFixedString);
    connect(table_, &QTableView::doubleClicked, this,
            [this](const QModelIndex& index) { openAt(index.row()); });
}

TitleOverviewDialog::~TitleOverviewDialog() {
    // The view goes before the model it shows.
    delete table_;
    delete proxy_;
}

void TitleOverviewDialog::refresh() { model_->reload(); }

void TitleOverviewDialog::openAt(int proxyRow) {
    const int row = proxy_->mapToSource(proxy_->index(proxyRow, 0)).row();
    if (row < 0) {
        return;
    }
    const auto perPage = static_cast<int>(model_->linesPerPage());
    state_.dialogs.currentPage = row / perPage;
    if (perPage > 1) {
        state_.dialogs.currentLine = row % perPage;
    }
    if (openTitle_) {
        openTitle_();
    }
    refresh();
}

TitleImportRefusalDialog::TitleImportRefusalDialog(const std::vector<std::string>& rows,
                                                   QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(qtext(kTitlesImportTitle));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(qtext(kTitlesRefused), this));
    list_ = new QListWidget(this);
    for (const std::string& r : rows) {
        list_->addItem(QString::fromStdString(r));
    }
    layout->addWidget(list_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
    resize(640, 360);
}

} // namespace tlx::qt
