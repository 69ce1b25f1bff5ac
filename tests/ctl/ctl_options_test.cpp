#include "ctl_options.h"

#include <gtest/gtest.h>

#include "cli_host.h"

namespace tlx::ctl {
namespace {

ParseResult parse(std::vector<std::string> args) { return parseOptions(args); }

TEST(CtlOptions, LinksAndCommands) {
    auto r = parse({"--model", "S", "--tcp", "192.168.1.20:10001", "read-all", "a.dat"});
    ASSERT_TRUE(r.options) << r.error;
    EXPECT_EQ(r.options->product, Product::S);
    EXPECT_EQ(r.options->link, LinkChoice::Tcp);
    EXPECT_EQ(r.options->host, "192.168.1.20");
    EXPECT_EQ(r.options->port, 10001);
    EXPECT_EQ(r.options->command, Command::ReadAll);
    EXPECT_EQ(r.options->argument, "a.dat");

    r = parse({"--tcp", "device.local", "version"});
    ASSERT_TRUE(r.options);
    EXPECT_EQ(r.options->port, 9004);
    EXPECT_EQ(r.options->product, Product::F);

    r = parse({"--listen", "send-all", "b.dat"});
    ASSERT_TRUE(r.options);
    EXPECT_EQ(r.options->link, LinkChoice::Listen);
    EXPECT_EQ(r.options->port, 9004);
    r = parse({"--listen", "0", "version"});
    ASSERT_TRUE(r.options);
    EXPECT_EQ(r.options->port, 0);

    r = parse({"--serial", "/dev/ttyUSB0", "--rs485", "broadcast", "send", "CBS001L01ON"});
    ASSERT_TRUE(r.options);
    EXPECT_EQ(r.options->slaveAddress, 32);
    EXPECT_TRUE(r.options->rs485);
    EXPECT_EQ(r.options->argument, "CBS001L01ON");

    r = parse({"set-clock"});
    ASSERT_TRUE(r.options);
    EXPECT_EQ(r.options->link, LinkChoice::Ini);

    r = parse({"--pace-scale", "0.001", "--serial", "/tmp/p", "--rs485", "5", "version"});
    ASSERT_TRUE(r.options);
    EXPECT_DOUBLE_EQ(r.options->paceScale, 0.001);
    EXPECT_EQ(r.options->slaveAddress, 5);

    r = parse({"diff", "a.dat", "b.dat", "--json"});
    ASSERT_TRUE(r.options) << r.error;
    EXPECT_EQ(r.options->command, Command::Diff);
    EXPECT_EQ(r.options->argument2, "b.dat");
    EXPECT_TRUE(r.options->json);

    r = parse({"send-all", "a.dat", "--changed-from", "base.dat", "--verify"});
    ASSERT_TRUE(r.options) << r.error;
    EXPECT_EQ(r.options->changedFrom, "base.dat");
    EXPECT_TRUE(r.options->verifyAfter);
    EXPECT_FALSE(r.options->fleet());

    r = parse({"--listen", "--devices", "96", "--wait", "0", "read-all", "dir"});
    ASSERT_TRUE(r.options) << r.error;
    EXPECT_EQ(r.options->devices, 96);
    EXPECT_EQ(r.options->waitSeconds, 0);
    EXPECT_TRUE(r.options->fleet());

    r = parse({"--serial", "/tmp/p", "--rs485", "7,1,3-5,31", "set-clock"});
    ASSERT_TRUE(r.options) << r.error;
    EXPECT_EQ(r.options->busAddresses, (std::vector<int>{7, 1, 3, 4, 5, 31}));
}

TEST(CtlOptions, UsageErrors) {
    const std::vector<std::vector<std::string>> bad{
        {},
        {"read-all"},
        {"read-all", "a", "b"},
        {"version", "x"},
        {"dance"},
        {"--model", "X", "version"},
        {"--tcp", "h:0", "version"},
        {"--tcp", "h:99999", "version"},
        {"--tcp", ":9004", "version"},
        {"--tcp", "a", "--listen", "version"},
        {"--rs485", "5", "version"},
        {"--serial", "/dev/x", "--rs485", "32", "version"},
        {"--pace-scale", "0", "version"},
        {"--pace-scale", "1.5", "version"},
        {"--pace-scale", "x", "version"},
        {"--frobnicate", "version"},
        {"send", "CBS\x01"},
        {"diff", "a.dat"},
        {"--tcp", "h", "diff", "a.dat", "b.dat"},
        {"--json", "verify", "a.dat"},
        {"--changed-from", "b.dat", "verify", "a.dat"},
        {"--verify", "send-all", "a.dat"},
        {"--listen", "--devices", "97", "version"},
        {"--listen", "--devices", "0", "version"},
        {"--tcp", "h", "--devices", "2", "version"},
        {"--listen", "--wait", "5", "version"},
        {"--listen", "--devices", "2", "send", "RVN"},
        {"--listen", "--devices", "2", "glyphs", "export", "large", "g.tll", "1", "g.bmp"},
        {"--serial", "/dev/x", "--rs485", "5-3", "version"},
        {"--serial", "/dev/x", "--rs485", "1,3,1", "version"},
        {"--serial", "/dev/x", "--rs485", "1,,3", "version"},
        {"--serial", "/dev/x", "--rs485", "30-32", "version"},
    };
    for (const auto& args : bad) {
        const auto r = parse(args);
        EXPECT_FALSE(r.options.has_value()) << (args.empty() ? "" : args[0]);
        EXPECT_FALSE(r.error.empty());
    }
    EXPECT_TRUE(parse({"--help"}).help);
}

TEST(CtlOptions, UsageErrorsSayWhatIsWrong) {
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"--tcp", "", "version"}, "--tcp takes HOST[:PORT]"},
        {{"--serial", "", "version"}, "--serial takes a device path"},
        {{"--listen", "70000", "version"}, "--listen takes a port 0..65535, not 70000"},
        {{"--tcp", "a", "--serial", "/dev/x", "version"}, "only one link may be given"},
        {{"--serial", "/dev/x", "--rs485", "broadcast", "read-all", "a.dat"},
         "read-all needs one device address"},
    };
    for (const auto& [args, text] : cases) {
        EXPECT_NE(parse(args).error.find(text), std::string::npos) << parse(args).error;
    }
}

TEST(CliHost, MessagesAreClassedForTheExitStatus) {
    CliHost host;
    host.notice("Success");
    EXPECT_EQ(host.failure(), Failure::None);
    host.notice("Socket mode difference"); // a refusal, though shown as a notice
    EXPECT_EQ(host.failure(), Failure::Refused);
    host.error("Command Error");
    EXPECT_EQ(host.failure(), Failure::Refused);
    host.error("No Connect");
    EXPECT_EQ(host.failure(), Failure::Link);
    EXPECT_TRUE(host.noConnect());
    host.error("Menu Display"); // a later refusal does not hide the link failure
    EXPECT_EQ(host.failure(), Failure::Link);
    Failure f{};
    EXPECT_NE(explain("Socket 送信", &f).find("connection"), std::string::npos);
    EXPECT_EQ(f, Failure::Link);
}

} // namespace
} // namespace tlx::ctl
