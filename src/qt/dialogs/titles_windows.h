#pragma once

#include "dialogs/dialog_forward.h"

#include <QDialog>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QSortFilterProxyModel;
class QTableView;

namespace tlx::qt {

class TitleOverviewModel;

// "タイトル一覧": every page and line (model S: every page) in one table,
// glyphs drawn as in the title dialog. The search field keeps the rows whose
// text holds what is typed; a double click makes the row the current page and
// line and calls openTitle, which opens the title dialog there.
class TitleOverviewDialog : public QDialog {
    Q_OBJECT
  public:
    TitleOverviewDialog(AppState& state, std::function<void()> openTitle, QWidget* parent = nullptr);
    ~TitleOverviewDialog() override;

    QLineEdit* filterField() const { return filter_; }
    QTableView* table() const { return table_; }
    // Reads every title again (after the title dialog changed some).
    void refresh();

  private:
    void openAt(int proxyRow);

    AppState& state_;
    std::function<void()> openTitle_;
    std::unique_ptr<TitleOverviewModel> model_;
    QSortFilterProxyModel* proxy_ = nullptr;
    QLineEdit* filter_ = nullptr;
    QTableView* table_ = nullptr;
};

// An import refused: why, row by row.
class TitleImportRefusalDialog : public QDialog {
    Q_OBJECT
  public:
    TitleImportRefusalDialog(const std::vector<std::string>& rows, QWidget* parent = nullptr);
    QListWidget* list() const { return list_; }

  private:
    QListWidget* list_ = nullptr;
};

} // namespace tlx::qt
