// The traffic log window's wiring: lines appear and are followed, pause,
// filter, save. The line text itself is the core's.
#include "app/traffic_log_window.h"
#include "support/fake_host.h"

#include <QFile>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

using tlx::TrafficDirection;
using tlx::test::FakeHost;

namespace {

const tlx::TrafficStamp kNow{{2026, 1, 2, 3, 4, 5}, 6};

void sent(tlx::TrafficLog& log, int n) {
    for (int i = 0; i < n; ++i) {
        log.record(TrafficDirection::Sent, "10.0.0.9:9004", "RVN\r\n", kNow);
    }
}

} // namespace

class TrafficLogWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void linesAppearPauseAndFilter() {
        tlx::TrafficLog log(50);
        FakeHost host;
        tlx::qt::TrafficLogWindow window(log, host);
        window.show();
        sent(log, 2);
        log.record(TrafficDirection::Received, "10.0.0.9:9004", "E3\r\n", kNow);
        window.refresh();
        auto* model = window.model();
        QCOMPARE(model->rowCount(), 3);
        QVERIFY(model->index(2).data().toString().endsWith("E3\\x0D\\x0A  ** error reply"));
        QVERIFY(model->index(2).data(Qt::BackgroundRole).isValid());
        QVERIFY(!model->index(0).data(Qt::BackgroundRole).isValid());

        window.pauseButton()->click();
        sent(log, 4);
        window.refresh();
        QCOMPARE(model->rowCount(), 3);
        window.pauseButton()->click();
        QCOMPARE(model->rowCount(), 7);

        window.filterEdit()->setText("error");
        QCOMPARE(model->rowCount(), 1);
        sent(log, 1);
        log.record(TrafficDirection::Received, "10.0.0.9:9004", "MENU\r\n", kNow);
        window.refresh();
        QCOMPARE(model->rowCount(), 2);
        window.filterEdit()->clear();
        QCOMPARE(model->rowCount(), 9);

        // The ring's bound: the oldest rows go.
        sent(log, 60);
        window.refresh();
        QCOMPARE(model->rowCount(), 50);

        window.clearButton()->click();
        QCOMPARE(model->rowCount(), 0);
        sent(log, 1);
        window.refresh();
        QCOMPARE(model->rowCount(), 1);
    }

    void followsTheNewestLineUnlessScrolledUp() {
        tlx::TrafficLog log;
        FakeHost host;
        tlx::qt::TrafficLogWindow window(log, host);
        window.resize(600, 200);
        window.show();
        QScrollBar* bar = window.view()->verticalScrollBar();
        sent(log, 300);
        window.refresh();
        QVERIFY(bar->maximum() > 0);
        QCOMPARE(bar->value(), bar->maximum());
        sent(log, 10);
        window.refresh();
        QCOMPARE(bar->value(), bar->maximum());
        bar->setValue(5);
        sent(log, 10);
        window.refresh();
        QCOMPARE(bar->value(), 5);
    }

    void saveWritesTheShownLinesAndAFailureLosesNothing() {
        tlx::TrafficLog log;
        FakeHost host;
        tlx::qt::TrafficLogWindow window(log, host);
        sent(log, 3);
        window.refresh();
        QTemporaryDir dir;
        const QString path = dir.filePath("traffic.log");
        window.setSaveChooser([&] { return path; });
        window.saveButton()->click();
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = file.readAll().split('\n');
        QCOMPARE(lines.size(), 4);
        QCOMPARE(lines[0], window.model()->index(0).data().toString().toUtf8());

        const QString bad = dir.filePath("no-such-dir/traffic.log");
        window.setSaveChooser([&] { return bad; });
        window.saveButton()->click();
        QCOMPARE(host.messages.size(), std::size_t{1});
        QVERIFY(host.messages[0].text.find(bad.toStdString()) != std::string::npos);
        QCOMPARE(window.model()->rowCount(), 3);
    }
};

QTEST_MAIN(TrafficLogWindowTest)
#include "traffic_log_window_test.moc"
