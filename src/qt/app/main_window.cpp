#include "app/main_window.h"

#include "app/app_dialogs.h"
#include "app/app_icons.h"
#include "app/menu_logic.h"
#include "app/traffic_log_window.h"
#include "base/host.h"
#include "base/sjis_codec.h"
#include "dialogs/settings_file_commands.h"
#include "dialogs/titles_commands.h"
#include "dialogs/titles_windows.h"
#include "protocol/app_state.h"
#include "protocol/link_hub.h"
#include "protocol/protocol.h"
#include "settings/qt_text.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeySequence>
#include <QLabel>
#include <QMenuBar>
#include <QPointer>
#include <QProxyStyle>
#include <QStatusBar>
#include <QSysInfo>
#include <QToolBar>
#include <QVBoxLayout>
#include <QVersionNumber>
#include <algorithm>

namespace tlx::qt {

namespace {

constexpr int kTickMs = 150;
constexpr int kStatusPart0Right = 500;
constexpr int kStatusPart1Right = 700;

// Menu texts are shown as given: an ASCII ampersand is not a mnemonic.
QString menuText(std::string_view s) {
    return qtext(s).replace('&', QStringLiteral("&&"));
}

// Toolbar buttons as tight as the platform's own toolbars, so that all
// eighteen fit the narrowest window of the size table: no spacing, a one
// pixel border and padding round each picture. A style rather than a style
// sheet, which would cost a style sheet engine at every start.
class CompactToolBarStyle : public QProxyStyle {
  public:
    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override {
        switch (metric) {
        case PM_ToolBarItemSpacing:
        case PM_ToolBarItemMargin:
        case PM_ToolBarFrameWidth:
            return 0;
        default:
            return QProxyStyle::pixelMetric(metric, option, widget);
        }
    }
    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override {
        if (type == CT_ToolButton) {
            return size + QSize(4, 4);
        }
        return QProxyStyle::sizeFromContents(type, option, size, widget);
    }
};

// One for the program, living as long as the application, so that it
// outlasts every button that uses it.
QStyle* compactToolBarStyle() {
    static QPointer<QStyle> style;
    if (style.isNull()) {
        style = new CompactToolBarStyle;
        style->setParent(qApp);
    }
    return style.data();
}

// The desktop's usual keys for the file commands; Qt shows them beside the
// menu texts, which stay as they are.
QKeySequence fileShortcut(Product p, int command) {
    const auto route = routeOf(p, command);
    if (!route) {
        return {};
    }
    switch (route->feature) {
    case Feature::NewFile:
        return QKeySequence(Qt::CTRL | Qt::Key_N);
    case Feature::OpenFile:
        return QKeySequence(Qt::CTRL | Qt::Key_O);
    case Feature::SaveFile:
        return QKeySequence(Qt::CTRL | Qt::Key_S);
    case Feature::Exit:
        return QKeySequence(Qt::CTRL | Qt::Key_Q);
    default:
        return {};
    }
}

} // namespace

MainWindow::MainWindow(AppState& state, Host& host, LinkHub& links, const ConnectionIni& ini,
                       QWidget* parent)
    : QMainWindow(parent), state_(state), host_(host), links_(links),
      dialogs_(std::make_unique<AppDialogs>(state, host, links, ini, this)),
      launcher_(dialogs_.get()) {
    setObjectName(QStringLiteral("mainWindow"));
    buildStatusPanel();
    buildMenus();
    buildToolBar();
    buildStatusBar();
    refreshTitle();

    const WindowSize size = tableSize(state_.product);
    // Never so small that a toolbar button would drop into the overflow menu.
    const QSize need = minimumSizeHint();
    const int width = std::max({size.width, need.width(), toolBar_->sizeHint().width()});
    setFixedSize(width, std::max(size.height, need.height()));
    move(0, 0);

    state_.link.linkRunning = true;
    tick_.setTimerType(Qt::PreciseTimer);
    connect(&tick_, &QTimer::timeout, this, &MainWindow::tickOnce);
    tick_.start(kTickMs);
    showClock(QDateTime::currentDateTime());
    showStatusPanel();
}

MainWindow::~MainWindow() = default;

WindowSize MainWindow::tableSize(Product p) {
    const QVersionNumber v = QVersionNumber::fromString(QSysInfo::kernelVersion());
    return mainWindowSize(p, versionClass(v.majorVersion(), v.minorVersion()));
}

void MainWindow::setDialogLauncher(DialogLauncher* launcher) {
    launcher_ = launcher != nullptr ? launcher : dialogs_.get();
}

void MainWindow::buildMenus() {
    InterfaceActions interfaceActions;
    auto addEntries = [&](auto& self, QMenu* menu, std::span<const MenuEntry> entries) -> void {
        for (const MenuEntry& e : entries) {
            switch (e.kind) {
            case MenuEntry::Kind::Separator:
                menu->addSeparator();
                break;
            case MenuEntry::Kind::Submenu:
                self(self, menu->addMenu(menuText(e.label)), e.children);
                break;
            case MenuEntry::Kind::Command: {
                QAction* a = menu->addAction(menuText(e.label));
                a->setData(e.command);
                a->setObjectName(QStringLiteral("cmd%1").arg(e.command));
                a->setShortcut(fileShortcut(state_.product, e.command));
                const int id = e.command;
                connect(a, &QAction::triggered, this, [this, id] { routeCommand(id); });
                menuActions_.insert(id, a);
                break;
            }
            }
        }
    };
    for (const MenuTop& top : mainMenu(state_.product)) {
        QMenu* menu = menuBar()->addMenu(menuText(top.label));
        addEntries(addEntries, menu, top.entries);
        // The interface items follow the settings each time a menu opens.
        connect(menu, &QMenu::aboutToShow, this, [this] {
            enabler_->refresh();
            update();
        });
    }
    for (const CommandRoute& r : commandRoutes(state_.product)) {
        QAction* a = menuActions_.value(r.command);
        switch (r.feature) {
        case Feature::RsSettings:
            interfaceActions.rsSettings = a;
            break;
        case Feature::ClientServer:
            interfaceActions.clientServer = a;
            break;
        case Feature::TcpSettings:
            interfaceActions.tcpSettings = a;
            break;
        case Feature::SlaveAddress:
            interfaceActions.slaveAddress = a;
            break;
        default:
            break;
        }
    }
    enabler_ = std::make_unique<MenuEnabler>(interfaceActions, state_.connection);
    enabler_->refresh();
}

void MainWindow::buildToolBar() {
    toolBar_ = new QToolBar(this);
    toolBar_->setObjectName(QStringLiteral("toolbar132"));
    toolBar_->setMovable(false);
    toolBar_->setFloatable(false);
    toolBar_->toggleViewAction()->setVisible(false);
    toolBar_->setContextMenuPolicy(Qt::PreventContextMenu);
    toolBar_->setIconSize(toolbarImageSize(state_.product));
    toolBar_->setStyle(compactToolBarStyle());
    const QList<QIcon> icons = toolbarIcons(state_.product);
    int i = 0;
    for (const ToolButton& b : toolbarButtons(state_.product)) {
        QAction* a = toolBar_->addAction(icons.value(i), qtext(b.tooltip));
        a->setToolTip(qtext(b.tooltip));
        a->setData(b.command);
        a->setObjectName(QStringLiteral("tool%1").arg(b.command));
        const int id = b.command;
        connect(a, &QAction::triggered, this, [this, id] { routeCommand(id); });
        toolActions_.insert(id, a);
        if (QWidget* button = toolBar_->widgetForAction(a)) {
            button->setStyle(compactToolBarStyle());
            // A click leaves no focus frame behind; the menus serve the
            // keyboard.
            button->setFocusPolicy(Qt::NoFocus);
        }
        ++i;
    }
    addToolBar(Qt::TopToolBarArea, toolBar_);
}

void MainWindow::buildStatusBar() {
    auto* bar = statusBar();
    bar->setObjectName(QStringLiteral("status520"));
    bar->setSizeGripEnabled(false);
    date_ = new QLabel(this);
    date_->setObjectName(QStringLiteral("statusPart0"));
    date_->setFixedWidth(kStatusPart0Right);
    time_ = new QLabel(this);
    time_->setObjectName(QStringLiteral("statusPart1"));
    time_->setFixedWidth(kStatusPart1Right - kStatusPart0Right);
    time_->setFrameStyle(QFrame::Panel | QFrame::Raised);
    bar->addWidget(date_);
    bar->addWidget(time_);
}

QAction* MainWindow::action(int command) const {
    if (QAction* a = menuActions_.value(command)) {
        return a;
    }
    return toolActions_.value(command);
}

void MainWindow::buildStatusPanel() {
    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("statusPanel"));
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(6, 1, 6, 1);
    layout->setSpacing(0);
    QFont small = panel->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    for (QLabel** label : {&linkStatus_, &fileStatus_}) {
        *label = new QLabel(panel);
        (*label)->setFont(small);
        (*label)->setTextFormat(Qt::PlainText);
        // The panel lives in what the window's fixed size leaves over; it
        // never asks for more.
        (*label)->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
        layout->addWidget(*label);
    }
    linkStatus_->setObjectName(QStringLiteral("linkStatus"));
    fileStatus_->setObjectName(QStringLiteral("fileStatus"));
    setCentralWidget(panel);
}

void MainWindow::showStatusPanel() {
    if (state_.link.repliesReceived != repliesSeen_) {
        repliesSeen_ = state_.link.repliesReceived;
        lastReplyTime_ = QTime::currentTime().toString(QStringLiteral("HH:mm:ss")).toStdString();
    }
    const StatusPanelInput in{SerialLink::devicePath(state_.connection),
                              links_.tcp().clients().clientsInUse(), lastReplyTime_};
    StatusPanelLines lines = statusPanelLines(state_, in);
    // Labels are touched only when a text changed, so an idle tick repaints
    // nothing.
    if (lines.link != shownStatus_.link) {
        linkStatus_->setText(QString::fromStdString(lines.link));
    }
    if (lines.file != shownStatus_.file) {
        fileStatus_->setText(QString::fromStdString(lines.file));
    }
    shownStatus_ = std::move(lines);
}

void MainWindow::tickOnce() {
    tickWork(state_, host_);
    showClock(QDateTime::currentDateTime());
    showStatusPanel();
}

void MainWindow::showClock(const QDateTime& now) {
    const QDate d = now.date();
    const QTime t = now.time();
    // Qt counts Monday as 1 and Sunday as 7.
    date_->setText(
        QString::fromStdString(clockDateText(d.year(), d.month(), d.day(), d.dayOfWeek() % 7)));
    time_->setText(QString::fromStdString(clockTimeText(t.hour(), t.minute(), t.second())));
}

void MainWindow::refreshTitle() {
    setWindowTitle(QString::fromStdString(mainWindowTitle(
        state_.product, state_.connection.clientServer, state_.model.currentFilePath)));
    // The title has room for the file's name only; the folder is a hover away.
    setToolTip(QString::fromStdString(state_.model.currentFilePath));
}

void MainWindow::routeCommand(int command) {
    const auto route = routeOf(state_.product, command);
    if (!route) {
        return;
    }
    switch (route->feature) {
    case Feature::Exit:
        close();
        return;
    case Feature::NewFile:
        newSettingsFile(state_, host_);
        break;
    case Feature::OpenFile:
        openSettingsFile(state_, host_);
        break;
    case Feature::SaveFile:
        saveSettingsFile(state_, host_);
        break;
    case Feature::SaveFileAs:
        saveSettingsFileAs(state_, host_);
        break;
    case Feature::TrafficLog:
        showTrafficLog();
        return;
    case Feature::TitleExport:
        exportTitlesToFile(state_, host_, makeSjisCodec().get());
        break;
    case Feature::TitleImport: {
        const auto refused = importTitlesFromFile(state_, host_, makeSjisCodec().get());
        if (!refused.empty()) {
            TitleImportRefusalDialog dialog(refused, this);
            dialog.setWindowModality(Qt::ApplicationModal);
            dialog.exec();
        }
        break;
    }
    case Feature::DeviceNetwork:
        if (state_.connection.interfaceKind == InterfaceKind::Tcp) {
            host_.error(deviceNetworkRefusal(state_.product));
            return;
        }
        launcher_->open(*route);
        break;
    default:
        launcher_->open(*route);
        break;
    }
    refreshTitle();
}

void MainWindow::showTrafficLog() {
    if (!trafficLog_) {
        trafficLog_ = new TrafficLogWindow(links_.traffic(), host_, this);
    }
    trafficLog_->show();
    trafficLog_->raise();
    trafficLog_->activateWindow();
}

void MainWindow::paintEvent(QPaintEvent* event) {
    QMainWindow::paintEvent(event);
    if (iconSet_) {
        return;
    }
    // The icon images are decoded once the window is up, so that start-up
    // does not wait for them.
    iconSet_ = true;
    QTimer::singleShot(0, this, [this] {
        const QIcon icon = applicationIcon(state_.product);
        QApplication::setWindowIcon(icon);
        setWindowIcon(icon);
    });
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (exitFlow(state_, host_) == ExitDecision::Refused) {
        event->ignore();
        return;
    }
    tick_.stop();
    state_.link.linkRunning = false;
    event->accept();
    emit exiting();
}

} // namespace tlx::qt
