// The tools menu's title windows: the overview filters as the operator types
// and a double click opens the title dialog on that row; a refused import
// lists its rows. The checks themselves are the core's tests.
#include "app/app_dialogs.h"
#include "app/main_window.h"
#include "dialogs/title_dialog.h"
#include "dialogs/titles_windows.h"
#include "protocol/app_state.h"
#include "protocol/link_hub.h"
#include "settings/connection_ini.h"
#include "support/fake_host.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

using tlx::Product;
using tlx::test::FakeHost;

namespace {

// Runs look on the next modal window once it is up, then closes it; the
// watch ends with the returned timer.
std::unique_ptr<QTimer> whenModalShown(const std::function<void(QWidget*)>& look) {
    auto timer = std::make_unique<QTimer>();
    QObject::connect(timer.get(), &QTimer::timeout, [t = timer.get(), look] {
        if (QWidget* w = QApplication::activeModalWidget()) {
            t->stop();
            look(w);
            w->close();
        }
    });
    timer->start(10);
    return timer;
}

} // namespace

class TitlesWindowsTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    std::unique_ptr<tlx::AppState> state = tlx::makeAppState(Product::F);
    FakeHost host;
    tlx::ConnectionIni ini{dir.filePath("tlx.ini").toStdString(), "TLX-500F_Z200_Section"};

  private slots:
    void overviewFiltersAndOpensTheTitleDialogOnTheRow() {
        state->model.titleText[0][0].assign(std::string("\x10\x01\x93\x8C", 4)); // glyph, 東
        state->model.titleText[2][1].assign("\x93\x8C\x8B\x9E");                 // 東京
        state->model.titleText[9][0].assign("\x91\xE5\x8D\xE3");                 // 大阪
        tlx::qt::LinkHub links(*state, host);
        tlx::qt::AppDialogs dialogs(*state, host, links, ini, nullptr);
        auto dialog = dialogs.create(*tlx::routeOf(Product::F, 40011));
        auto* overview = dynamic_cast<tlx::qt::TitleOverviewDialog*>(dialog.get());
        QVERIFY(overview != nullptr);
        QCOMPARE(overview->windowTitle(), QString("タイトル一覧"));
        overview->show();
        QVERIFY(QTest::qWaitForWindowExposed(overview));
        QAbstractItemModel* rows = overview->table()->model();
        QCOMPARE(rows->rowCount(), 5120);
        QCOMPARE(rows->index(0, 2).data().toString(), QString("　東"));

        // Japanese reaches the field as an input method's commits.
        overview->filterField()->setFocus();
        for (const QString& typed : {QString("東"), QString("京")}) {
            QInputMethodEvent commit;
            commit.setCommitString(typed);
            QApplication::sendEvent(overview->filterField(), &commit);
        }
        QCOMPARE(rows->rowCount(), 1);
        QCOMPARE(rows->index(0, 0).data().toString(), QString("003"));
        QCOMPARE(rows->index(0, 1).data().toString(), QString("02"));

        int page = -1;
        int line = -1;
        const auto watch = whenModalShown([&](QWidget* w) {
            if (auto* title = qobject_cast<tlx::qt::TitleDialog*>(w)) {
                page = title->pageBox()->currentIndex();
                line = title->lineBox()->currentIndex();
            }
        });
        QTableView* table = overview->table();
        const QPoint at = table->visualRect(rows->index(0, 2)).center();
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(page, 2);
        QCOMPARE(line, 1);
    }

    void refusedImportListsEveryRowAndAGoodOneMarksTheModel() {
        const QString bad = dir.filePath("bad.tsv");
        const QString good = dir.filePath("good.tsv");
        for (const auto& [path, text] : {std::pair{bad, "page\tline\ttext\n1\t1\tabc\n0\t1\t東\n"},
                                         std::pair{good, "page\tline\ttext\n1\t1\t東\n"}}) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(text);
        }
        tlx::qt::LinkHub links(*state, host);
        tlx::qt::MainWindow window(*state, host, links, ini);
        host.chosenFiles = {bad.toStdString(), good.toStdString()};
        int listed = -1;
        const auto watch = whenModalShown([&](QWidget* w) {
            if (auto* refusal = qobject_cast<tlx::qt::TitleImportRefusalDialog*>(w)) {
                listed = refusal->list()->count();
            }
        });
        window.action(40013)->trigger();
        QCOMPARE(listed, 2);
        QVERIFY(!state->model.dataModified);
        window.action(40013)->trigger();
        QVERIFY(state->model.dataModified);
        QCOMPARE(state->model.titleText[0][0].view(), std::string_view("\x93\x8C"));
    }
};

QTEST_MAIN(TitlesWindowsTest)
#include "titles_windows_test.moc"
