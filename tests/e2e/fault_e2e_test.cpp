// tlx500ctl against an emulator that refuses, garbles or never ends its
// replies: no run reports success over them, none hangs, read-all writes no
// file.
#include "ctl_runner.h"
#include "sim_process.h"

#include <QFile>
#include <QDeadlineTimer>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>

namespace tlx::e2e {
namespace {

using sim::test::SimProcess;

struct Fault {
    const char* what;
    QStringList simArgs; // applied to the emulator
    int exitCode;
};

enum class Link { Tcp, Pty };

const char* linkName(Link link) {
    return link == Link::Tcp ? "tcp" : "pty";
}

// Runs the tool against an emulator on the link that shows the fault; the
// folder holds the pseudo-terminal's link.
CtlResult runAgainst(Link link, const QTemporaryDir& dir, const QStringList& simArgs,
                     const QStringList& ctlArgs) {
    const QString tty = dir.filePath("tty");
    SimProcess sim(
        (link == Link::Tcp ? QStringList{"--tcp-listen", "0"} : QStringList{"--pty", tty}) +
        simArgs);
    if (!sim.start()) {
        ADD_FAILURE() << sim.why().toStdString();
        return {};
    }
    return runCtl(sim.ctlLink() + ctlArgs, 60000);
}

// Line 3 is the read of page 3's title, or the send of it.
const Fault kRunFaults[] = {
    {"mode difference", {"--reply-at", "3:GN"}, 1},
    {"garbage", {"--fault-at", "3:garbage"}, 1},
    {"bytes before the reply", {"--fault-at", "3:prefix"}, 1},
    {"another kind of reply", {"--reply-at", "3:TSDSN"}, 1},
    {"reply without LF", {"--fault-at", "3:no-lf"}, 3},
    {"endless bytes", {"--fault-at", "3:endless"}, 3},
    {"lone XOFF", {"--fault-at", "3:xoff"}, 3},
};

TEST(CtlFaults, ReadAllFailsAndWritesNoFile) {
    for (const Link link : {Link::Tcp, Link::Pty}) {
        for (const Fault& f : kRunFaults) {
            SCOPED_TRACE(std::string(f.what) + " over " + linkName(link));
            QTemporaryDir dir;
            const auto r = runAgainst(link, dir, f.simArgs,
                                      {"--pace-scale", "0.001", "read-all", dir.filePath("a.dat")});
            EXPECT_EQ(r.exitCode, f.exitCode) << r.err.toStdString();
            EXPECT_FALSE(QFile::exists(dir.filePath("a.dat")));
            if (f.exitCode == 1 && f.simArgs[1] != "3:GN") {
                EXPECT_TRUE(r.err.contains("unexpected answer at step 3")) << r.err.toStdString();
            }
        }
    }
}

TEST(CtlFaults, SendAllAcceptsOnlyAnAcknowledgement) {
    QTemporaryDir dir;
    {
        SimProcess source({"--tcp-listen", "0", "--seed", "6", "--save", dir.filePath("s.dat")});
        ASSERT_TRUE(source.start());
        ASSERT_EQ(source.stop(SIGTERM), 0);
    }
    const Fault faults[] = {
        kRunFaults[0],
        kRunFaults[1],
        {"a data reply", {"--reply-at", "3:CA003"}, 1},
        kRunFaults[4],
    };
    for (const Link link : {Link::Tcp, Link::Pty}) {
        for (const Fault& f : faults) {
            SCOPED_TRACE(std::string(f.what) + " over " + linkName(link));
            const auto r = runAgainst(link, dir, f.simArgs,
                                      {"--pace-scale", "0.001", "send-all", dir.filePath("s.dat")});
            EXPECT_EQ(r.exitCode, f.exitCode) << r.err.toStdString();
        }
    }
}

TEST(CtlFaults, SingleCommandsTakeNoRefusalOrGarbageForAnAnswer) {
    struct Case {
        const char* what;
        QStringList simArgs;
        QStringList command;
        int exitCode;
    };
    const Case cases[] = {
        {"send refused", {"--reply-at", "1:GN"}, {"send", "CBS001L01ON"}, 1},
        {"set-clock refused", {"--reply-at", "2:GN"}, {"set-clock"}, 1},
        {"set-clock garbled", {"--fault-at", "4:garbage"}, {"set-clock"}, 1},
        {"version garbled", {"--fault-at", "1:prefix"}, {"version"}, 1},
        {"version endless", {"--fault-at", "1:endless"}, {"version"}, 3},
    };
    for (const Link link : {Link::Tcp, Link::Pty}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.what) + " over " + linkName(link));
            QTemporaryDir dir;
            const auto r =
                runAgainst(link, dir, c.simArgs, QStringList{"--pace-scale", "0.01"} + c.command);
            EXPECT_EQ(r.exitCode, c.exitCode) << r.err.toStdString();
        }
    }
}

TEST(CtlFaults, FileProblemsSayWhatIsWrongAndWhere) {
    QTemporaryDir dir;
    for (const char* model : {"F", "S"}) {
        SimProcess source({"--model", model, "--tcp-listen", "0", "--save",
                           dir.filePath(QString(model) + ".dat")});
        ASSERT_TRUE(source.start());
        ASSERT_EQ(source.stop(SIGTERM), 0);
    }
    QFile f(dir.filePath("F.dat"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    QList<QByteArray> lines = f.readAll().split('\n');
    lines.removeLast(); // after the last line end
    const auto write = [&](const QString& name, const QList<QByteArray>& content) {
        QFile out(dir.filePath(name));
        EXPECT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(content.join('\n') + '\n');
        return dir.filePath(name);
    };
    // The first number line (after the titles) made a word; one line too many.
    qsizetype number = 0;
    while (lines[number].trimmed().toInt() == 0 && lines[number].trimmed() != "0") {
        ++number;
    }
    QList<QByteArray> word = lines;
    word[number] = "x\r";
    QList<QByteArray> longer = lines;
    longer.append("0\r");
    ASSERT_EQ(::mkfifo(dir.filePath("fifo.dat").toLocal8Bit().constData(), 0600), 0);
    const std::pair<QString, std::string> cases[] = {
        {write("word.dat", word), "line " + std::to_string(number + 1) + " is not a number from"},
        {write("longer.dat", longer), "line 60627 is one too many"},
        {write("short.dat", lines.mid(0, 100)), "it ends after line 100"},
        {dir.filePath("S.dat"), "make a model S settings file"},
        {dir.filePath("fifo.dat"), "not a regular file"},
    };
    for (const auto& [file, text] : cases) {
        const auto r = runCtl({"--tcp", "127.0.0.1:1", "send-all", file});
        EXPECT_EQ(r.exitCode, 2) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(QByteArray::fromStdString(text))) << r.err.toStdString();
    }
}

TEST(CtlFaults, AStaleReplyInTheSerialPortIsNotTheNextAnswer) {
    // A session killed in the middle of an exchange leaves its reply behind.
    QTemporaryDir dir;
    SimProcess sim({"--pty", dir.filePath("tty"), "--log", dir.filePath("lines.log")});
    ASSERT_TRUE(sim.start()) << sim.why().toStdString();
    {
        sim::test::PtyClient killed;
        ASSERT_TRUE(killed.open(dir.filePath("tty")));
        ASSERT_TRUE(killed.send("RCA001\r\n"));
        QFile log(dir.filePath("lines.log"));
        for (QDeadlineTimer due(20000); log.size() == 0 && !due.hasExpired();) {
            QThread::msleep(10);
        }
        ASSERT_GT(log.size(), 0);
    }
    QThread::msleep(100); // the reply reaches the port
    const auto r = runCtl({"--serial", dir.filePath("tty"), "version"}, 60000);
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out.trimmed().toStdString(), "2.00");
}

TEST(CtlFaults, InterruptEndsTheAnswerWait) {
    // At full pace the answer wait lasts 3.3 s; SIGINT must end it first.
    SimProcess sim({"--tcp-listen", "0", "--fault-at", "1:endless"});
    ASSERT_TRUE(sim.start());
    QProcess ctl;
    ctl.setReadChannel(QProcess::StandardError);
    ctl.start(QStringLiteral(TLX_CTL_PATH),
              sim.ctlLink() + QStringList{"--verbose", "read-all", sim.path("a.dat")});
    QByteArray err;
    while (!err.contains("> RCA001") && ctl.waitForReadyRead(20000)) {
        err += ctl.readAllStandardError();
    }
    ASSERT_TRUE(err.contains("> RCA001")) << err.toStdString();
    ::kill(static_cast<pid_t>(ctl.processId()), SIGINT);
    ASSERT_TRUE(ctl.waitForFinished(20000));
    EXPECT_EQ(ctl.exitCode(), 130) << (err + ctl.readAllStandardError()).toStdString();
    EXPECT_FALSE(QFile::exists(sim.path("a.dat")));
}

} // namespace
} // namespace tlx::e2e
