// tlx500ctl: the headless front end of the configuration tool.
#include <QCoreApplication>
#include <iostream>

#include "cli_host.h"
#include "ctl_options.h"
#include "fleet_session.h"
#include "session.h"
#include "titles_command.h"

int main(int argc, char** argv) {
    // The plain Unix event loop: the glib one wakes its own poll each time a
    // socket's write notifier is switched on and off, twice for every command
    // sent, which a run on many devices at once pays tens of thousands of
    // times a second at a small pace scale.
    if (!qEnvironmentVariableIsSet("QT_NO_GLIB")) {
        qputenv("QT_NO_GLIB", "1");
    }
    QCoreApplication app(argc, argv);
    std::vector<std::string> args(argv + 1, argv + argc);
    const auto parsed = tlx::ctl::parseOptions(args);
    if (parsed.version) {
        std::cout << "tlx500ctl " TLX_VERSION "\n";
        return 0;
    }
    if (parsed.help) {
        std::cout << tlx::ctl::kUsage;
        return 0;
    }
    if (!parsed.options) {
        std::cerr << "tlx500ctl: " << parsed.error << "\n\n" << tlx::ctl::kUsage;
        return 2;
    }
    if (parsed.options->command == tlx::ctl::Command::Titles) {
        return tlx::ctl::runTitles(*parsed.options, std::cout, std::cerr);
    }
    tlx::ctl::installInterruptHandler();
    tlx::ctl::CliHost host;
    if (parsed.options->fleet()) {
        tlx::ctl::FleetSession fleet(*parsed.options, host);
        return fleet.run();
    }
    tlx::ctl::Session session(*parsed.options, host);
    return session.run();
}
