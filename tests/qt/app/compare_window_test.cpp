#include "app/app_state.h"
#include "app/link_hub.h"
#include "dialogs/dialog_context.h"
#include "model/compare_window.h"
#include "model/settings_file.h"
#include "model/settings_file_io.h"
#include "support/fake_host.h"

#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

using tlx::Product;
using tlx::test::FakeHost;

class CompareWindowTest : public QObject {
    Q_OBJECT

  private slots:
    // The window lists what the program holds against the chosen file and
    // saves the list; a file of the other model is refused with the reason.
    void compareWithFileAndSaveTheList() {
        QTemporaryDir dir;
        const std::string base = dir.filePath("base.dat").toStdString();
        const std::string other = dir.filePath("other.dat").toStdString();
        const std::string list = dir.filePath("list.txt").toStdString();
        auto state = tlx::makeAppState(Product::F);
        QVERIFY(tlx::writeFileAtomically(base, tlx::writeSettingsFile(state->model, Product::F)).ok());
        QVERIFY(tlx::writeFileAtomically(other, tlx::writeSettingsFile(state->model, Product::S)).ok());
        state->model.alarmHoldTime = "005";
        FakeHost host;
        tlx::qt::LinkHub links(*state, host);
        const auto route = *tlx::routeOf(Product::F, 40001);
        const tlx::qt::DialogContext context{*state, host, links, nullptr, route,
                                             QStringLiteral("ファイルと比較")};

        host.chosenFiles = {base};
        auto window = tlx::qt::compareWithFile(context);
        QVERIFY(window != nullptr);
        QCOMPARE(window->windowTitle(), QStringLiteral("ファイルと比較"));
        QCOMPARE(window->countText()->text(), QStringLiteral("違いのある項目: 1 件"));
        QCOMPARE(window->table()->rowCount(), 1);
        QCOMPARE(window->table()->item(0, 0)->text(), QStringLiteral("alarm hold time"));
        QCOMPARE(window->table()->item(0, 1)->text(), QStringLiteral("005"));
        QCOMPARE(window->table()->item(0, 2)->text(), QStringLiteral("010"));

        host.chosenFiles = {list};
        window->saveButton()->click();
        const auto saved = tlx::readWholeFile(list);
        QVERIFY(saved.bytes.has_value());
        QCOMPARE(*saved.bytes, std::string("alarm hold time: 005 -> 010\r\n1 differences\r\n"));

        host.chosenFiles = {other};
        QVERIFY(tlx::qt::compareWithFile(context) == nullptr);
        QVERIFY(host.texts().back().find("S 機種の設定ファイルの長さです") != std::string::npos);
        QCOMPARE(state->model.alarmHoldTime, std::string("005")); // the program's own settings stay
    }
};

QTEST_MAIN(CompareWindowTest)
#include "compare_window_test.moc"
