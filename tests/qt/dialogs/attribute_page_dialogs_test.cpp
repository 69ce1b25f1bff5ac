#include "app/menu_logic.h"
#include "qt/dialogs/attribute_fixture.h"
#include "device_transport.h"
#include "dialogs/attribute_widgets.h"
#include "dialogs/dialog_context.h"
#include "dialogs/line_attribute_window.h"
#include "dialogs/page_attribute_window.h"
#include "dialogs/slave_address_box.h"
#include "protocol/app_state.h"
#include "protocol/link_hub.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

using tlx::Feature;
using tlx::Product;
using namespace tlx::test;

class PageAttributeDialogsTest : public AttributeDialogTest {
    Q_OBJECT

    std::unique_ptr<tlx::qt::PageAttributeWindow> pageDialog(Feature f, tlx::Transport& t) {
        return open<tlx::qt::PageAttributeWindow>(*tlx::pageAttributeDescriptor(state->product, f),
                                                  t);
    }

  private slots:
    // The family factory serves its own features of each model and no other.
    void factoryServesTheFamily() {
        make(Product::F);
        tlx::qt::LinkHub links(*state, *host);
        const auto open = [&](Product p, Feature f) -> std::unique_ptr<QDialog> {
            state->product = p;
            for (const tlx::CommandRoute& r : tlx::commandRoutes(p)) {
                if (r.feature == f) {
                    const tlx::qt::DialogContext c{*state, *host, links, nullptr, r, "t"};
                    return tlx::qt::makeAttributeDialog(c);
                }
            }
            return nullptr;
        };
        auto blinkF = open(Product::F, Feature::Blink);
        QVERIFY(dynamic_cast<tlx::qt::LineAttributeWindow*>(blinkF.get()) != nullptr);
        QCOMPARE(blinkF->windowTitle(), QString("点滅"));
        auto blinkS = open(Product::S, Feature::Blink);
        QVERIFY(dynamic_cast<tlx::qt::PageAttributeWindow*>(blinkS.get()) != nullptr);
        QCOMPARE(blinkS->windowTitle(), QString("点滅表示の設定"));
        auto levels = open(Product::F, Feature::Levels);
        QVERIFY(dynamic_cast<tlx::qt::PageAttributeWindow*>(levels.get()) != nullptr);
        QVERIFY(open(Product::S, Feature::ScrollSpeed) != nullptr);
        QVERIFY(open(Product::F, Feature::Schedule) == nullptr);
        QVERIFY(open(Product::F, Feature::TitleInput) == nullptr);
        auto levelsS = open(Product::S, Feature::Levels);
        QCOMPARE(levelsS->windowTitle(), QString("文字レベルの設定"));
        QCOMPARE(levelsS->findChild<QPushButton*>("button1028")->text(), QString("ページ設定"));

        // With a TCP/IP connection the title is the dialog's word and the
        // connection's address.
        state->connection.interfaceKind = tlx::InterfaceKind::Tcp;
        state->connection.clientServer = 0;
        state->connection.hostList = {{10, 0, 0, 7}};
        state->connection.selectNumber = 0;
        state->link.socketConnected = true;
        QCOMPARE(open(Product::F, Feature::Blink)->windowTitle(), QString("点滅 10.0.0.7"));
        QCOMPARE(open(Product::F, Feature::HorizontalOffset)->windowTitle(),
                 QString("水平方向のオフセット 10.0.0.7"));
        QCOMPARE(open(Product::S, Feature::ScrollSpeed)->windowTitle(),
                 QString("スクロール速度の設定 10.0.0.7"));
        QCOMPARE(open(Product::S, Feature::Colours)->windowTitle(),
                 QString("文字色＆縁取り色 10.0.0.7"));
        state->link.socketConnected = false;
        state->product = Product::F;
    }

    void autoSwitchDialogSendsOneLineForAllPages() {
        DeviceTransport& device = makeWithDevice(Product::F);
        auto w = pageDialog(Feature::AutoSwitch, device);
        QCOMPARE(w->valueBox(0)->count(), 100);
        QCOMPARE(w->valueBox(0)->itemText(99), QString("99"));
        QCOMPARE(w->valueBox(0)->currentIndex(), 3);
        QVERIFY(labelsOf(w.get()).contains("時間（秒）"));
        QVERIFY(labelsOf(w.get()).contains("全ページ同設定"));
        QCOMPARE(w->pageButton()->text(), QString("ページ設定"));
        QCOMPARE(w->pageButton()->objectName(), QString("button1028"));
        QVERIFY(w->progressBar() == nullptr);
        w->allPagesBox(0)->setCurrentIndex(10);
        w->sendAllButton()->click();
        QVERIFY(host->questions.empty());
        QCOMPARE(device.lines.size(), std::size_t{1});
        QCOMPARE(device.lines[0].size(), std::size_t{1030});
        QTRY_VERIFY(device.device().state().model.autoSwitchTime[511] == 10);
        QVERIFY(device.device().state().model.autoSwitchTime == state->model.autoSwitchTime);
        w->pageBox()->setCurrentIndex(32);
        w->valueBox(0)->setCurrentIndex(42);
        w->pageButton()->click();
        QCOMPARE(device.lines[1], crlf("PAST03342"));
        QCOMPARE(w->preview()->texts()[0].text, std::string("P033 = 42 秒"));
    }

    void levelsDialogOfModelF() {
        DeviceTransport& device = makeWithDevice(Product::F);
        auto w = pageDialog(Feature::Levels, device);
        QCOMPARE(w->pageButton()->text(), QString("設定"));
        QCOMPARE(itemsOf(w->valueBox(1)).join(','), QString("0,1,2,3,4"));
        const QStringList labels = labelsOf(w.get());
        for (const char* l : {"白レベル", "黒レベル", "全ページ同白レベル", "全ページ同黒レベル"}) {
            QVERIFY2(labels.contains(QString(l)), l);
        }
        w->valueBox(0)->setCurrentIndex(4);
        w->valueBox(1)->setCurrentIndex(0);
        w->pageButton()->click();
        QCOMPARE(device.lines[0], crlf("CL00140"));
    }

    // Model S erase time is the one per-page dialog with a paced run.
    void modelSEraseTimeRunsPageByPage() {
        DeviceTransport& device = makeWithDevice(Product::S);
        auto w = pageDialog(Feature::EraseTime, device);
        QVERIFY(w->progressBar() != nullptr);
        QCOMPARE(w->progressBar()->objectName(), QString("progress1146"));
        QCOMPARE(w->percentField()->objectName(), QString("percent1030"));
        QCOMPARE(w->valueBox(0)->count(), 241);
        w->allPagesBox(0)->setCurrentIndex(120);
        w->valueBox(0)->setCurrentIndex(7);
        w->sendAllButton()->click();
        QCOMPARE(host->questions.size(), std::size_t{1});
        QVERIFY(!w->closeButton()->isEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(!w->logic().transferring(), 30000);
        QCOMPARE(device.lines.size(), std::size_t{512});
        QCOMPARE(device.lines[0], crlf("IDRT001007"));
        QCOMPARE(device.lines[511], crlf("IDRT512120"));
        QTRY_VERIFY(!state->link.awaitingAnswer);
        for (std::size_t p = 0; p < tlx::kPages; ++p) {
            QCOMPARE(device.device().state().model.eraseTime[p][0], state->model.eraseTime[p][0]);
        }
        QCOMPARE(w->percentField()->text(), QString("  "));
        QVERIFY(w->closeButton()->isEnabled());
    }

    void modelSColoursAndScroll() {
        DeviceTransport& device = makeWithDevice(Product::S);
        state->connection.rsControl = 1;
        state->connection.slaveAddress = 5;
        auto w = pageDialog(Feature::Colours, device);
        QVERIFY(w->slaveAddressBox()->isEnabled());
        QCOMPARE(w->slaveAddressBox()->currentIndex(), 5);
        QCOMPARE(w->preview()->texts().size(), std::size_t{9});
        w->valueBox(1)->setCurrentIndex(8);
        w->pageButton()->click();
        QCOMPARE(device.lines[0], crlf("05CABC00178"));
        auto scroll = pageDialog(Feature::ScrollSpeed, device);
        QCOMPARE(itemsOf(scroll->valueBox(0)).join(','), QString("1 ,2 ,3 ,4 "));
        scroll->valueBox(0)->setCurrentIndex(0);
        scroll->pageButton()->click();
        QCOMPARE(device.lines[1], crlf("05ISS0011"));
    }
};

QTEST_MAIN(PageAttributeDialogsTest)
#include "attribute_page_dialogs_test.moc"
