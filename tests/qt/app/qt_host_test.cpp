#include "app/desktop_program.h"
#include "app/qt_host.h"
#include "app/shell_logic.h"
#include "app/single_instance.h"
#include "protocol/app_state.h"
#include "protocol/protocol.h"
#include "support/fake_host.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLockFile>
#include <QMessageBox>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using tlx::MessageKind;
using tlx::qt::QtHost;

namespace {

struct Shown {
    MessageKind kind;
    QString text;
    QString caption;
    bool operator==(const Shown&) const = default;
};

// Closes the next modal message box once it is up and reports what it showed.
struct BoxCloser {
    QString text;
    QString title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    Qt::WindowModality modality = Qt::NonModal;
    QMessageBox::StandardButtons buttons;
    bool seen = false;

    void arm(QMessageBox::StandardButton press) {
        QTimer::singleShot(20, [this, press] { poll(press); });
    }
    void poll(QMessageBox::StandardButton press) {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) {
            QTimer::singleShot(20, [this, press] { poll(press); });
            return;
        }
        seen = true;
        text = box->text();
        title = box->windowTitle();
        icon = box->icon();
        modality = box->windowModality();
        buttons = box->standardButtons();
        box->button(press)->click();
    }
};

} // namespace

class QtHostTest : public QObject {
    Q_OBJECT

    std::unique_ptr<tlx::AppState> state;
    std::unique_ptr<QtHost> host;
    std::vector<Shown> shown;
    int depth = 0;
    int deepest = 0;

    void record() {
        host->setPresenter([this](const QtHost::Message& m) {
            ++depth;
            deepest = std::max(deepest, depth);
            shown.push_back({m.kind, m.text, m.caption});
            --depth;
        });
    }

  private slots:
    void init() {
        state = tlx::makeAppState(tlx::Product::F);
        host = std::make_unique<QtHost>();
        shown.clear();
        depth = deepest = 0;
    }

    // A reply dispatcher raises messages but never shows one itself: they
    // appear once control is back in the event loop, in the order raised.
    void messagesOfADispatchAreShownAfterIt() {
        record();
        tlx::receiveSerialBytes(*state, *host, "MENU\r\nE0\r\nE3\r\n");
        QVERIFY(shown.empty());
        QCOMPARE(host->pendingMessages(), std::size_t{3});
        QTRY_COMPARE(shown.size(), std::size_t{3});
        const std::vector<Shown> expected{
            {MessageKind::Error, "Menu Display", "Error"},
            {MessageKind::Error, "Framing Error", "Error"},
            {MessageKind::Error, "Command Error", "Error"},
        };
        QCOMPARE(shown, expected);
        QCOMPARE(host->pendingMessages(), std::size_t{0});
    }

    // While a box is up its own event loop runs (timers, replies): messages
    // raised then wait for it instead of opening a box inside the box.
    void aMessageRaisedWhileABoxIsUpWaitsForIt() {
        host->setPresenter([this](const QtHost::Message& m) {
            ++depth;
            deepest = std::max(deepest, depth);
            shown.push_back({m.kind, m.text, m.caption});
            if (m.text == "No Connect") {
                host->showMessage(MessageKind::Notice, "Success", "Success");
                QTest::qWait(30); // the box's own event loop
            }
            --depth;
        });
        host->showMessage(MessageKind::Error, "No Connect", "Error");
        QTRY_COMPARE(shown.size(), std::size_t{2});
        QCOMPARE(deepest, 1);
        QCOMPARE(shown[1], (Shown{MessageKind::Notice, "Success", "Success"}));
    }

    void theThreeFamilies() {
        const struct {
            MessageKind kind;
            QMessageBox::Icon icon;
        } families[] = {{MessageKind::Notice, QMessageBox::NoIcon},
                        {MessageKind::Error, QMessageBox::Critical},
                        {MessageKind::Warning, QMessageBox::Warning}};
        for (const auto& f : families) {
            auto box = tlx::qt::makeMessageBox(f.kind, "x", "Error", nullptr);
            QCOMPARE(box->icon(), f.icon);
            QCOMPARE(box->windowModality(), Qt::ApplicationModal);
            QCOMPARE(box->standardButtons(), QMessageBox::StandardButtons(QMessageBox::Ok));
        }
    }

    // The real box: the notice of a successful send, as the tick raises it.
    void theRealBoxIsApplicationModal() {
        BoxCloser closer;
        closer.arm(QMessageBox::Ok);
        state->link.successPending = true;
        tlx::tickWork(*state, *host);
        QVERIFY(!closer.seen);
        QTRY_VERIFY(closer.seen);
        QCOMPARE(closer.text, QString("Success"));
        QCOMPARE(closer.title, QString("Success"));
        QCOMPARE(closer.icon, QMessageBox::NoIcon);
        QCOMPARE(closer.modality, Qt::ApplicationModal);
        QTRY_COMPARE(host->pendingMessages(), std::size_t{0});
    }

    // A question comes after the messages raised before it.
    void aQuestionShowsPendingMessagesFirst() {
        record();
        host->showMessage(MessageKind::Warning, "Socket 送信", "Error");
        BoxCloser closer;
        closer.arm(QMessageBox::No);
        const bool yes = host->askYesNo("データを保存せずに終了しますか？", "TLX-500F_Z200");
        QVERIFY(!yes);
        QCOMPARE(shown.size(), std::size_t{1});
        QCOMPARE(closer.text, QString("データを保存せずに終了しますか？"));
        QCOMPARE(closer.title, QString("TLX-500F_Z200"));
        QCOMPARE(closer.icon, QMessageBox::Question);
        QCOMPARE(closer.buttons, QMessageBox::Yes | QMessageBox::No);
    }

    // Qt's own buttons speak the interface's language; a folder without the
    // catalogues changes nothing and is no error.
    void qtsOwnButtonsAreJapanese() {
        QTemporaryDir empty;
        QCOMPARE(tlx::qt::installJapaneseTranslations(empty.path()), 0);
        QMessageBox before;
        before.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(before.button(QMessageBox::Yes)->text(), QString("&Yes"));
        QCOMPARE(tlx::qt::installJapaneseTranslations(), 2);
        QMessageBox after;
        after.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        QVERIFY2(after.button(QMessageBox::Yes)->text().startsWith("はい"),
                 qPrintable(after.button(QMessageBox::Yes)->text()));
        QVERIFY(after.button(QMessageBox::No)->text().startsWith("いいえ"));
    }

    // A second copy finds the first one's lock, tells the operator and may
    // not run; once the first copy is gone its lock is taken over.
    void aSecondCopyIsRefused() {
        QTemporaryDir runtime;
        QTemporaryDir config;
        QVERIFY(QDir().mkpath(config.filePath("cfg")));
        // The first copy talks TCP/IP, so it touches no serial port.
        QFile ini(config.filePath("cfg/tlx500f_z200.ini"));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("[TLX-500F_Z200_Section]\r\nInterface=1\r\n");
        ini.close();

        QProcess first;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_RUNTIME_DIR", runtime.path());
        env.insert("XDG_CONFIG_HOME", config.filePath("cfg"));
        env.insert("QT_QPA_PLATFORM", "offscreen");
        first.setProcessEnvironment(env);
        first.start(TLX_DESKTOP_F, {});
        QVERIFY(first.waitForStarted());
        const QString lockPath = runtime.filePath("TLX-500F_Z200 TCP_X_Mutex.lock");
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(lockPath), 10000);

        tlx::test::FakeHost fake;
        tlx::qt::SingleInstance second("TLX-500F_Z200 TCP_X_Mutex", runtime.path());
        QCOMPARE(second.lockPath(), lockPath);
        QVERIFY(!tlx::qt::takeSingleInstance(second, fake, tlx::Product::F));
        const std::vector<tlx::test::ShownMessage> expected{
            {MessageKind::Notice, "２重に起動はできません", "TLX-500F_Z200"}};
        QCOMPARE(fake.messages, expected);

        // Model S has a lock of its own.
        tlx::qt::SingleInstance otherModel("TLX-500S_Z200 TCP_X_Mutex", runtime.path());
        QVERIFY(otherModel.acquire());

        first.kill();
        QVERIFY(first.waitForFinished());
        tlx::qt::SingleInstance after("TLX-500F_Z200 TCP_X_Mutex", runtime.path());
        fake.messages.clear();
        QVERIFY(tlx::qt::takeSingleInstance(after, fake, tlx::Product::F));
        QVERIFY(fake.messages.empty());
    }
};

QTEST_MAIN(QtHostTest)
#include "qt_host_test.moc"
