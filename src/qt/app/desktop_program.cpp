#include "app/desktop_program.h"

#include "app/main_window.h"
#include "protocol/app_state.h"
#include "protocol/link_hub.h"
#include "settings/connection_ini.h"

#include <QApplication>
#include <iostream>
#include <string_view>
#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace tlx::qt {

int installJapaneseTranslations(const QString& folder) {
    const QString dir =
        folder.isEmpty() ? QLibraryInfo::path(QLibraryInfo::TranslationsPath) : folder;
    // The interface is Japanese whatever the desktop's language, so Qt's own
    // buttons and choosers are too; without the catalogues they stay English.
    int loaded = 0;
    for (const char* catalogue : {"qtbase", "qtserialport"}) {
        auto* translator = new QTranslator(qApp);
        if (translator->load(QLocale(QLocale::Japanese, QLocale::Japan),
                             QString::fromLatin1(catalogue), QStringLiteral("_"), dir) &&
            QCoreApplication::installTranslator(translator)) {
            ++loaded;
        } else {
            delete translator;
        }
    }
    return loaded;
}

void configureApplication(Product product) {
    const ProductTraits& t = traits(product);
    QApplication::setApplicationName(
        QString::fromUtf8(t.productString.data(), static_cast<qsizetype>(t.productString.size())));
    // Names the installed desktop entry, so that a Wayland desktop shows
    // the window with its entry's name and icon.
    QApplication::setDesktopFileName(QStringLiteral(TLX_APP_ID_PREFIX) +
                                     (product == Product::F ? QStringLiteral(".TLX500F_Z200")
                                                            : QStringLiteral(".TLX500S_Z200")));
    // A Japanese face first, so that kana, kanji and Latin letters come from
    // one font and no fallback has to be searched for each label.
    QFont font = QApplication::font();
    font.setFamilies({QStringLiteral("IPAGothic"), QStringLiteral("IPAPGothic"),
                      QStringLiteral("Noto Sans CJK JP"), QStringLiteral("VL Gothic"),
                      QStringLiteral("TakaoGothic"), font.family()});
    QApplication::setFont(font);
    installJapaneseTranslations();
    // The program ends through the exit flow only, not because its last
    // window closed (a message box may be the last one open).
    QApplication::setQuitOnLastWindowClosed(false);
}

std::future<std::unique_ptr<AppState>> prepareAppState(Product product) {
    return std::async(std::launch::async, [product] { return makeAppState(product); });
}

DesktopProgram::DesktopProgram(Product product, std::future<std::unique_ptr<AppState>> prepared)
    : product_(product), prepared_(std::move(prepared)), instance_(traits(product).mutexName) {}

DesktopProgram::~DesktopProgram() {
    // The window goes before the links and the state it refers to.
    window_.reset();
    host_.setMessageTap({});
    links_.reset();
}

bool DesktopProgram::start() {
    if (!takeSingleInstance(instance_, host_, product_)) {
        host_.flushMessages();
        return false;
    }
    // The model and the link state start at their defaults; the server's
    // client table starts empty with the links.
    state_ = prepared_.valid() ? prepared_.get() : makeAppState(product_);
    links_ = std::make_unique<LinkHub>(*state_, host_);
    host_.setMessageTap([this](std::string_view text) { links_->trafficRecorder().message(text); });
    ini_ = std::make_unique<ConnectionIni>(ConnectionIni::forProduct(product_));
    ini_->load(state_->connection, state_->model.devicePortNumber);

    window_ = std::make_unique<MainWindow>(*state_, host_, *links_, *ini_);
    host_.setOwner(window_.get());
    QObject::connect(&host_, &QtHost::fileShown, window_.get(), &MainWindow::refreshTitle);
    QObject::connect(
        window_.get(), &MainWindow::exiting, qApp, [] { QCoreApplication::exit(0); },
        Qt::QueuedConnection);
    window_->show();

    links_->startSerialLink();
    return true;
}

std::string desktopHelpText(Product product) {
    const ProductTraits& t = traits(product);
    const std::string program = product == Product::F ? "TLX500F_Z200" : "TLX500S_Z200";
    const std::string model(1, t.letter);
    return "Usage: " + program + " [--help] [--version] [QT OPTIONS]\n\n" +
           "The desktop configuration and control tool for the TLX-500 video title\n"
           "superimposer, model " + model + " (Japanese user interface). Composes the pages of\n"
           "titles and their attributes, the schedule, the alarm, the remote inputs and the\n"
           "device's network settings; reads them from the device or sends them all; keeps\n"
           "them in settings files (.dat); draws user glyphs. Its \"ツール\" menu holds the\n"
           "traffic log (\"通信ログ\").\n\n"
           "Options:\n"
           "  --help                   this text\n"
           "  --version                the version of this program\n"
           "  -platform NAME           Qt's platform plugin (xcb, wayland, offscreen)\n\n"
           "Files:\n"
           "  $XDG_CONFIG_HOME/" + std::string(t.iniFileName) +
           " (else ~/.config/" + std::string(t.iniFileName) + ")\n"
           "                           the connection settings\n\n"
           "Only one copy runs at a time. For the command-line tool see tlx500ctl(1), for\n"
           "the device emulator tlx500-sim(1).\n";
}

int runDesktopProgram(Product product, int& argc, char** argv,
                      const std::function<void(MainWindow&)>& started) {
    // Answered before any display is needed, as a terminal user expects.
    for (int i = 1; i < argc; ++i) {
        const std::string_view a = argv[i];
        if (a == "--help" || a == "-h") {
            std::cout << desktopHelpText(product);
            return 0;
        }
        if (a == "--version") {
            std::cout << (product == Product::F ? "TLX500F_Z200 " : "TLX500S_Z200 ") << TLX_VERSION
                      << "\n";
            return 0;
        }
    }
    auto prepared = prepareAppState(product);
    QApplication app(argc, argv);
    configureApplication(product);
    DesktopProgram program(product, std::move(prepared));
    if (!program.start()) {
        return 0;
    }
    if (started) {
        started(*program.window());
    }
    return QApplication::exec();
}

} // namespace tlx::qt
