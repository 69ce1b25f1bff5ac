#include "dialogs/compare_window.h"

#include "base/host.h"
#include "base/settings_file_io.h"
#include "dialogs/compare_tools.h"
#include "dialogs/dialog_context.h"
#include "dialogs/run_dialog.h"
#include "protocol/app_state.h"
#include "runs/changed_runs.h"
#include "settings/qt_text.h"
#include "settings/sjis_text.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tlx::qt {

namespace {

std::string utf8(std::string_view sjis) {
    return sjisToUnicode(sjis).toStdString();
}

std::vector<SettingsDifference> differences(const SettingsModel& own, const SettingsModel& other,
                                            Product p) {
    return compareSettings(own, other, p, utf8, Wording::Japanese);
}

void show(std::vector<SettingsDifference> list, const DialogContext& c,
          const QString& otherColumn) {
    DifferencesWindow window(std::move(list), c.title, otherColumn, c.host, c.owner);
    window.setWindowModality(Qt::ApplicationModal);
    window.exec();
}

// Runs a read over the program's model and gives back what it read; the
// program's own settings are put back whatever the run did. Nothing when the
// read did not complete.
std::unique_ptr<SettingsModel> readAside(const DialogContext& c, const RunDialogDescriptor& d,
                                         std::unique_ptr<PacedStepRun> run) {
    const auto own = std::make_unique<SettingsModel>(c.state.model);
    RunDialog dialog(d, std::move(run), c.state, c.host, c.title, c.owner);
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.exec();
    auto read = std::make_unique<SettingsModel>(c.state.model);
    c.state.model = *own;
    switch (dialog.controller().end()) {
    case RunEnd::Completed:
        return read;
    case RunEnd::None:
        return nullptr; // closed without a start
    default:
        c.host.warning(kMsgReadIncomplete);
        return nullptr;
    }
}

} // namespace

DifferencesWindow::DifferencesWindow(std::vector<SettingsDifference> differences,
                                     const QString& title, const QString& otherColumn, Host& host,
                                     QWidget* parent)
    : QDialog(parent), differences_(std::move(differences)), host_(host) {
    setWindowTitle(title);
    auto* layout = new QVBoxLayout(this);
    count_ = new QLabel(qtext(differenceCount(differences_.size(), Wording::Japanese)), this);
    count_->setObjectName(QStringLiteral("differenceCount"));
    layout->addWidget(count_);

    table_ = new QTableWidget(static_cast<int>(differences_.size()), 3, this);
    table_->setObjectName(QStringLiteral("differences"));
    table_->setHorizontalHeaderLabels({QStringLiteral("項目"), QStringLiteral("このプログラム"),
                                       otherColumn});
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->setVisible(false);
    table_->horizontalHeader()->setStretchLastSection(true);
    int row = 0;
    for (const auto& d : differences_) {
        int column = 0;
        for (const std::string* cell : {&d.item, &d.from, &d.to}) {
            table_->setItem(row, column++, new QTableWidgetItem(qtext(*cell)));
        }
        ++row;
    }
    table_->resizeColumnsToContents();
    layout->addWidget(table_, 1);

    auto* buttons = new QHBoxLayout;
    save_ = new QPushButton(QStringLiteral("テキストで保存..."), this);
    save_->setObjectName(QStringLiteral("saveDifferences"));
    save_->setAutoDefault(false);
    save_->setEnabled(!differences_.empty());
    auto* close = new QPushButton(QStringLiteral("閉じる"), this);
    buttons->addWidget(save_);
    buttons->addStretch();
    buttons->addWidget(close);
    layout->addLayout(buttons);
    connect(save_, &QPushButton::clicked, this, &DifferencesWindow::save);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    resize(720, 420);
}

void DifferencesWindow::save() {
    FileChoice choice;
    choice.save = true;
    choice.title = "ファイルの保存";
    choice.filters = {{"テキスト(*.txt)", "*.txt"}, {"すべて(*.*)", "*.*"}};
    const auto path = host_.chooseFile(choice);
    if (!path) {
        return;
    }
    const auto w = writeFileAtomically(*path, differencesText(differences_, Wording::Japanese));
    if (!w.ok()) {
        host_.warning(std::string("Can't file write\n") + w.reason);
    }
}

std::unique_ptr<DifferencesWindow> compareWithFile(const DialogContext& c) {
    const auto file = chooseSettingsFile(c.state, c.host, "比較するファイル");
    if (!file) {
        return nullptr;
    }
    return std::make_unique<DifferencesWindow>(differences(c.state.model, *file, c.state.product),
                                               c.title, QStringLiteral("ファイル"), c.host,
                                               c.owner);
}

void compareWithDevice(const DialogContext& c, Transport& transport) {
    auto device = readAside(c, kCompareReadDialog,
                            std::make_unique<ReadAllRun>(c.state, c.host, transport));
    if (device) {
        show(differences(c.state.model, *device, c.state.product), c, QStringLiteral("装置"));
    }
}

void sendChanged(const DialogContext& c, Transport& transport) {
    if (c.state.model.busyStep != 0) {
        return;
    }
    const auto base = chooseSettingsFile(c.state, c.host, "装置が保持している設定ファイル");
    if (!base) {
        return;
    }
    const auto changed = changedSendSteps(*base, c.state.model, c.state.product);
    if (changed.empty()) {
        c.host.notice(kMsgNoChanges);
        return;
    }
    const std::string caption = c.title.toStdString();
    if (!c.host.askYesNo(changedSendQuestion(c.state.product, changed), caption)) {
        return;
    }
    {
        RunDialog send(kChangedSendDialog,
                       std::make_unique<ChangedSendRun>(c.state, c.host, transport, changed),
                       c.state, c.host, c.title, c.owner);
        send.setWindowModality(Qt::ApplicationModal);
        send.exec();
        if (send.controller().end() != RunEnd::Completed ||
            !c.host.askYesNo(kAskReadBack, caption)) {
            return;
        }
    }
    auto device = readAside(c, kReadBackDialog,
                            std::make_unique<ChangedReadRun>(c.state, c.host, transport, changed));
    if (device) {
        show(differences(c.state.model, *device, c.state.product), c, QStringLiteral("装置"));
    }
}

bool runCompareTool(const DialogContext& c) {
    switch (c.route.feature) {
    case Feature::CompareWithFile:
        if (auto window = compareWithFile(c)) {
            window->setWindowModality(Qt::ApplicationModal);
            window->exec();
        }
        return true;
    case Feature::CompareWithDevice:
        compareWithDevice(c, c.transport());
        return true;
    case Feature::SendChanged:
        sendChanged(c, c.transport());
        return true;
    default:
        return false;
    }
}

} // namespace tlx::qt
