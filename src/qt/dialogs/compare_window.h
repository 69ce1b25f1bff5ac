#pragma once

#include "dialogs/dialog_forward.h"
#include "runs/settings_compare.h"

#include <QDialog>
#include <memory>
#include <vector>

class QTableWidget;

namespace tlx::qt {

struct DialogContext;

// The differences between the program's settings and another set (a file or
// the device): item, this program's value, the other value, their count, and
// a button that saves the list as text.
class DifferencesWindow : public QDialog {
    Q_OBJECT
  public:
    DifferencesWindow(std::vector<SettingsDifference> differences, const QString& title,
                      const QString& otherColumn, Host& host, QWidget* parent = nullptr);

    QTableWidget* table() const { return table_; }
    QLabel* countText() const { return count_; }
    QPushButton* saveButton() const { return save_; }

  private:
    void save();

    std::vector<SettingsDifference> differences_;
    Host& host_;
    QTableWidget* table_ = nullptr;
    QLabel* count_ = nullptr;
    QPushButton* save_ = nullptr;
};

// "ファイルと比較...": the differences with a file the operator chooses;
// null when none was chosen (or it was not a settings file of the model).
std::unique_ptr<DifferencesWindow> compareWithFile(const DialogContext& context);

// "装置と比較...": reads everything from the device into a scratch copy (the
// program's settings stay as they were) and shows the differences.
void compareWithDevice(const DialogContext& context, Transport& transport);

// "変更分のみ送信...": sends what differs from the file the device holds,
// then offers to read it back and shows what still differs.
void sendChanged(const DialogContext& context, Transport& transport);

// Runs the "ツール" menu's flows that compare or send; false when the
// route is none of them.
bool runCompareTool(const DialogContext& context);

} // namespace tlx::qt
