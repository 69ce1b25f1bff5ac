#include "qt/dialogs/attribute_fixture.h"
#include "device_transport.h"
#include "dialogs/attribute_widgets.h"
#include "dialogs/line_attribute_window.h"
#include "dialogs/slave_address_box.h"
#include "protocol/app_state.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

using tlx::Feature;
using tlx::Product;
using namespace tlx::test;

class LineAttributeDialogsTest : public AttributeDialogTest {
    Q_OBJECT

    std::unique_ptr<tlx::qt::LineAttributeWindow> lineDialog(Feature f, tlx::Transport& t) {
        return open<tlx::qt::LineAttributeWindow>(*tlx::lineAttributeDescriptor(Product::F, f), t);
    }

  private slots:
    void lineDialogControls() {
        DeviceTransport& device = makeWithDevice(Product::F);
        auto w = lineDialog(Feature::Colours, device);
        QCOMPARE(w->pageBox()->count(), 512);
        QCOMPARE(w->pageBox()->itemText(0), QString("001"));
        QCOMPARE(w->pageBox()->itemText(511), QString("512"));
        QCOMPARE(itemsOf(w->lineBox()).join(','), QString("01,02,03,04,05,06,07,08,09,10"));
        QCOMPARE(w->lineBox()->objectName(), QString("box1105"));
        const QString colours = "黒,赤,緑,黄,青,マゼンタ,シアン,白,ブランク";
        for (int which = 0; which < 2; ++which) {
            QCOMPARE(itemsOf(w->valueBox(which)).join(','), colours);
            QCOMPARE(itemsOf(w->allPagesBox(which)).join(','), colours);
            QCOMPARE(itemsOf(w->allLinesBox(which)).join(','), colours);
        }
        QCOMPARE(w->valueBox(0)->currentIndex(), 7);
        QCOMPARE(w->valueBox(1)->currentIndex(), 0);
        const QStringList labels = labelsOf(w.get());
        for (const char* l : {"文字色", "縁取り色", "全ページ同文字色", "全ページ同縁取り色",
                              "全ライン同文字色", "全ライン同縁取り色", "％"}) {
            QVERIFY2(labels.contains(QString(l)), l);
        }
        QCOMPARE(w->lineButton()->text(), QString("ライン設定"));
        QCOMPARE(w->pageButton()->text(), QString("ページ設定"));
        QCOMPARE(w->sendAllButton()->text(), QString("全設定"));
        QCOMPARE(w->sendAllButton()->objectName(), QString("button1029"));
        QCOMPARE(w->closeButton()->text(), QString("Close"));
        QCOMPARE(w->progressBar()->maximum(), 512);
        QVERIFY(w->percentField()->isReadOnly());
        // RS-232C: the slave address cannot be chosen.
        QVERIFY(!w->slaveAddressBox()->isEnabled());
        QCOMPARE(w->preview()->texts().size(), std::size_t{12});
        // A row's own ids name its progress widgets.
        auto erase = lineDialog(Feature::EraseTime, device);
        QCOMPARE(erase->progressBar()->objectName(), QString("progress1156"));
        QCOMPARE(erase->percentField()->objectName(), QString("percent1030"));
    }

    void lineDialogSendsTheChosenLineAndPage() {
        DeviceTransport& device = makeWithDevice(Product::F);
        auto w = lineDialog(Feature::Blink, device);
        w->pageBox()->setCurrentIndex(511);
        w->lineBox()->setCurrentIndex(9);
        w->valueBox(0)->setCurrentIndex(1);
        QCOMPARE(state->model.blink[511][9], 1);
        QVERIFY(device.lines.empty());
        w->lineButton()->click();
        QCOMPARE(device.lines.size(), std::size_t{1});
        QCOMPARE(device.lines[0], crlf("CBS512L10ON"));
        QTRY_COMPARE(device.device().state().model.blink[511][9], 1);
        w->pageButton()->click();
        QCOMPARE(device.lines[1], crlf("CBS512FFFFFFFFFN"));
        // The preview follows the chosen page.
        QCOMPARE(w->preview()->texts()[0].text, std::string("Page 512 "));
        QCOMPARE(w->preview()->texts()[10].text, std::string("Line10 = ON "));
        QCOMPARE(state->dialogs.currentPage, 511);
        QCOMPARE(state->dialogs.currentLine, 9);
        // The all-lines box sets every line of the chosen page.
        w->allLinesBox(0)->setCurrentIndex(1);
        w->pageButton()->click();
        QCOMPARE(device.lines[2], crlf("CBS512NNNNNNNNNN"));
    }

    // "全設定" with the in-process device: all 512 pages arrive, the close
    // button waits for the end, the bar and percentage are cleared after.
    void lineDialogSendsAllPagesToTheDevice() {
        DeviceTransport& device = makeWithDevice(Product::F);
        auto w = lineDialog(Feature::CharSize, device);
        w->allPagesBox(0)->setCurrentIndex(3); // SMALL everywhere
        w->lineBox()->setCurrentIndex(4);
        w->valueBox(0)->setCurrentIndex(0); // E-LARGE on page 1 line 5
        w->sendAllButton()->click();
        QCOMPARE(host->questions.size(), std::size_t{1});
        QVERIFY(w->timerActive());
        QVERIFY(!w->closeButton()->isEnabled());
        QVERIFY(!w->sendAllButton()->isEnabled());
        QVERIFY(w->timeLeftText()->text().startsWith(QString("残り ")));
        w->reject(); // refused while the run goes on
        QVERIFY(w->isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(!w->logic().transferring(), 30000);
        QCOMPARE(device.lines.size(), std::size_t{512});
        QCOMPARE(device.lines[0], crlf("CFS001SSSSESSSSS"));
        QCOMPARE(device.lines[511], crlf("CFS512SSSSSSSSSS"));
        QTRY_VERIFY(!state->link.awaitingAnswer);
        QVERIFY(device.device().state().model.charSize == state->model.charSize);
        QCOMPARE(state->model.busyStep, 0);
        QVERIFY(w->closeButton()->isEnabled());
        QCOMPARE(w->percentField()->text(), QString("  "));
        QVERIFY(w->timeLeftText()->text().isEmpty());
        QVERIFY(w->sendAllButton()->isEnabled());
        QCOMPARE(w->progressBar()->value(), 0);
        QVERIFY(host->messages.empty());
        w->closeButton()->click();
        QVERIFY(!w->isVisible());
    }

    // Covering and uncovering the dialog paints the preview again; the run
    // goes on to the last page.
    void previewPaintedDuringTheRun() {
        DeviceTransport& device = makeWithDevice(Product::F);
        auto w = lineDialog(Feature::Blink, device);
        w->setPaceScale(0.025); // one millisecond a page
        w->sendAllButton()->click();
        QTRY_VERIFY(device.lines.size() >= 20);
        QVERIFY(w->logic().transferring());
        const QPixmap painted = w->preview()->grab();
        QVERIFY(!painted.isNull());
        QVERIFY(w->logic().transferring());
        QTRY_VERIFY_WITH_TIMEOUT(!w->logic().transferring(), 30000);
        QCOMPARE(device.lines.size(), std::size_t{512});
        QCOMPARE(w->logic().run().end(), tlx::RunEnd::Completed);
    }
};

QTEST_MAIN(LineAttributeDialogsTest)
#include "attribute_line_dialogs_test.moc"
