#include "dialogs/fleet_panel.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "base/host.h"
#include "protocol/app_state.h"
#include "protocol/protocol.h"
#include "protocol/tcp_link.h"
#include "runs/fleet_driver.h"

namespace tlx::qt {

namespace {

constexpr int kAddressColumn = 0;
constexpr int kProgressColumn = 1;
constexpr int kOutcomeColumn = 2;

} // namespace

QString outcomeText(const FleetOutcome& o) {
    return QString::fromStdString(describeInJapanese(o));
}

FleetPanel::FleetPanel(TcpLink& tcp, AppState& state, Host& host, FleetJob job, QWidget* parent)
    : QWidget(parent), tcp_(tcp), state_(state), host_(host), job_(job) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    choice_ = new QCheckBox(QStringLiteral("接続中の全装置"), this);
    choice_->setObjectName(QStringLiteral("allDevices"));
    layout->addWidget(choice_);
    list_ = new QTableWidget(0, 3, this);
    list_->setObjectName(QStringLiteral("deviceList"));
    list_->setHorizontalHeaderLabels(
        {QStringLiteral("アドレス"), QStringLiteral("進捗"), QStringLiteral("結果")});
    list_->horizontalHeader()->setStretchLastSection(true);
    list_->verticalHeader()->hide();
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setMinimumHeight(140);
    list_->hide();
    layout->addWidget(list_);
    refreshTimer_.setInterval(200);
    connect(&refreshTimer_, &QTimer::timeout, this, &FleetPanel::refresh);
}

FleetPanel::~FleetPanel() = default;

bool FleetPanel::chosen() const { return choice_->isChecked(); }

bool FleetPanel::running() const { return driver_ && driver_->running(); }

const FleetRun* FleetPanel::fleet() const { return driver_ ? &driver_->fleet() : nullptr; }

bool FleetPanel::start(double paceScale, const QString& folder, std::vector<std::string> lines) {
    if (running()) {
        return false;
    }
    std::vector<int> slotList = connectedSlots(tcp_);
    if (slotList.empty()) {
        host_.warning(kMsgNotConnected);
        return false;
    }
    FleetRun::Setup setup;
    setup.product = state_.product;
    setup.job = job_;
    setup.source = &state_.model;
    setup.lines = std::move(lines);
    setup.paceScale = paceScale;
    setup.answerWait = scaledSocketAnswerWait(paceScale);
    folder_ = folder;
    driver_ = std::make_unique<FleetDriver>(tcp_, std::move(setup), std::move(slotList));
    connect(driver_.get(), &FleetDriver::finished, this, &FleetPanel::end);

    const FleetRun& fleet = driver_->fleet();
    list_->setRowCount(fleet.size());
    for (int i = 0; i < fleet.size(); ++i) {
        list_->setItem(i, kAddressColumn, new QTableWidgetItem(QString::fromStdString(fleet.label(i))));
        list_->setItem(i, kProgressColumn, new QTableWidgetItem);
        list_->setItem(i, kOutcomeColumn, new QTableWidgetItem);
    }
    list_->show();
    choice_->setEnabled(false);
    refreshTimer_.start();
    driver_->start();
    refresh();
    return true;
}

void FleetPanel::stop() {
    if (running()) {
        driver_->stop();
    }
}

void FleetPanel::refresh() {
    if (!driver_) {
        return;
    }
    const FleetRun& fleet = driver_->fleet();
    for (int i = 0; i < fleet.size(); ++i) {
        list_->item(i, kProgressColumn)
            ->setText(QStringLiteral("%1 %").arg(fleet.share(i) * 100.0, 0, 'f', 1));
        list_->item(i, kOutcomeColumn)->setText(outcomeText(fleet.outcome(i)));
    }
    emit progressed(fleet.share());
}

// Read-all: one file per device whose read completed, each written whole.
void FleetPanel::end() {
    refreshTimer_.stop();
    refresh();
    choice_->setEnabled(true);
    for (const auto& f : writeFleetFiles(driver_->fleet(), driver_->addresses(), folder_.toStdString())) {
        host_.warning("保存できません: " + f.path);
    }
    emit finished();
}

} // namespace tlx::qt
