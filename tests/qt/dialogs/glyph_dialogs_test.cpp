#include "app/menu_logic.h"
#include "device_transport.h"
#include "dialog_fixture.h"
#include "dialogs/dialog_context.h"
#include "dialogs/glyph_editor_dialog.h"
#include "dialogs/glyph_info_dialog.h"
#include "dialogs/glyph_insert_dialog.h"
#include "dialogs/glyph_list_dialog.h"
#include "dialogs/slave_address_box.h"
#include "protocol/app_state.h"
#include "protocol/link_hub.h"
#include "support/fake_host.h"
#include "support/fake_transport.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace tlx::test {

class GlyphDialogsTest : public DialogTest {
    Q_OBJECT
    std::string& stored(GlyphSize size, int index) {
        return state->glyphs.glyph(GlyphFace::Gothic, size, index);
    }

  private slots:
    void init() { make(Product::F); }

    void listPagesThroughTheTable() {
        FakeTransport transport;
        tlx::qt::GlyphListDialog dialog(GlyphSize::Small, *state, *host, transport, "");
        QCOMPARE(dialog.windowTitle(), QString("外字一覧（小文字）"));
        QCOMPARE(dialog.pageBox()->count(), 16);
        QCOMPARE(dialog.pageBox()->itemText(6), QString("No. 97～112"));
        QCOMPARE(dialog.board()->label(0)->text(), QString("No.1"));
        QCOMPARE(dialog.board()->label(15)->text(), QString("No.16"));
        pick(dialog.pageBox(), 15);
        QCOMPARE(dialog.board()->label(0)->text(), QString("No.241"));
        QCOMPARE(dialog.board()->label(15)->text(), QString("No.256"));
        QCOMPARE(state->glyphs.listPage, 15);
        QCOMPARE(dialog.percentText()->text(), QString("   "));
        QCOMPARE(dialog.progressBar()->maximum(), 258);

        // The page stays for the next list; a list with fewer pages starts
        // at its first.
        tlx::qt::GlyphListDialog again(GlyphSize::Small, *state, *host, transport, "");
        QCOMPARE(again.pageBox()->currentIndex(), 15);
        tlx::qt::GlyphListDialog large(GlyphSize::Large, *state, *host, transport, "10.0.0.2");
        QCOMPARE(large.windowTitle(), QString("外字一覧（大文字） 10.0.0.2"));
        QCOMPARE(large.pageBox()->currentIndex(), 0);
        QCOMPARE(large.pageBox()->itemText(0), QString("No. 1～14"));
        QCOMPARE(large.board()->label(13)->text(), QString("No.14"));
    }

    // A left double click on a cell opens the editor on its glyph; between
    // cells it opens nothing. What the editor draws shows in the list.
    void doubleClickOpensTheEditorOfTheCell() {
        FakeTransport transport;
        tlx::qt::GlyphListDialog dialog(GlyphSize::Medium, *state, *host, transport, "");
        dialog.setEditorModal(false);
        pick(dialog.pageBox(), 1);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTest::mouseDClick(dialog.board(), Qt::LeftButton, {}, QPoint(107, 50));
        QTest::mouseDClick(dialog.board(), Qt::LeftButton, {}, QPoint(50, 130));
        QVERIFY(dialog.openEditor() == nullptr);

        const QPoint corner = tlx::qt::GlyphCellBoard::cellCorner(10, 8);
        QTest::mouseDClick(dialog.board(), Qt::LeftButton, {}, corner + QPoint(5, 5));
        auto* editor = qobject_cast<tlx::qt::GlyphEditorDialog*>(dialog.openEditor());
        QVERIFY(editor != nullptr);
        QCOMPARE(state->glyphs.currentGlyph, 26);
        QCOMPARE(editor->windowTitle(), QString("外字登録（中文字）の設定"));
        QCOMPARE(editor->numberBox()->currentText(), QString("027"));
        QVERIFY(QTest::qWaitForWindowExposed(editor));
        QTest::mouseClick(editor->grid(), Qt::LeftButton, {}, editor->grid()->pixelCentre(1, 1));
        QCOMPARE(stored(GlyphSize::Medium, 26)[8], '4');
        editor->closeButton()->click();
        QTRY_VERIFY(dialog.openEditor() == nullptr);
        QVERIFY(!state->link.glyphReplyWait);

        // Ignored while a transfer runs.
        state->link.glyphTransferBusy = true;
        QTest::mouseDClick(dialog.board(), Qt::LeftButton, {}, corner + QPoint(5, 5));
        QVERIFY(dialog.openEditor() == nullptr);
        state->link.glyphTransferBusy = false;
    }

    // A right double click writes the cell's picture to the chosen file.
    void rightDoubleClickExportsThePicture() {
        FakeTransport transport;
        QTemporaryDir dir;
        stored(GlyphSize::Large, 15).assign(576, 'F');
        tlx::qt::GlyphListDialog dialog(GlyphSize::Large, *state, *host, transport, "");
        pick(dialog.pageBox(), 1);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        const QString path = dir.filePath("cell");
        host->chosenFiles = {path.toStdString()};
        const QPoint corner = tlx::qt::GlyphCellBoard::cellCorner(1, 7);
        QTest::mouseDClick(dialog.board(), Qt::RightButton, {}, corner + QPoint(40, 40));
        QCOMPARE(host->fileChoices.size(), std::size_t{1});
        QCOMPARE(host->fileChoices[0].initialPath, std::string("gl16.bmp"));
        QFile file(path + ".bmp");
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bmp = file.readAll();
        // A large glyph at twice its size fills the 96 x 96 cell, its last
        // column and row included.
        const int stride = 96 * 3;
        QCOMPARE(bmp.size(), 54 + stride * 96);
        QCOMPARE(bmp.left(2), QByteArray("BM"));
        // The top row is stored last, the bottom row first: a full glyph is
        // white from corner to corner.
        QCOMPARE(bmp.mid(54 + stride * 95, 3), QByteArray(3, '\xFF'));
        QCOMPARE(bmp.mid(54 + stride - 3, 3), QByteArray(3, '\xFF'));
        QVERIFY(!dialog.openEditor());
    }

    // Left drag lights, right drag clears; pixels already lit by this drag
    // are not redrawn again.
    void editorDrawsWithTheMouse() {
        FakeTransport transport;
        tlx::qt::GlyphEditorDialog editor(GlyphSize::Large, *state, *host, transport, "");
        editor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&editor));
        auto* grid = editor.grid();
        QCOMPARE(grid->size(), QSize(480, 384));
        QTest::mousePress(grid, Qt::LeftButton, {}, grid->pixelCentre(1, 1));
        QTest::mouseMove(grid, grid->pixelCentre(2, 1));
        QTest::mouseMove(grid, grid->pixelCentre(3, 1));
        const int drawn = grid->redrawRequests();
        QCOMPARE(drawn, 3);
        QTest::mouseMove(grid, grid->pixelCentre(2, 1));
        QTest::mouseMove(grid, grid->pixelCentre(1, 1));
        QCOMPARE(grid->redrawRequests(), drawn);
        QTest::mouseRelease(grid, Qt::LeftButton, {}, grid->pixelCentre(1, 1));
        QCOMPARE(stored(GlyphSize::Large, 0).substr(12, 1), std::string("7"));
        QVERIFY(state->glyphs.glyphDirty);

        // The border ring cannot be drawn on.
        QTest::mouseClick(grid, Qt::LeftButton, {}, grid->pixelCentre(0, 0));
        QTest::mouseClick(grid, Qt::LeftButton, {}, grid->pixelCentre(47, 47));
        QCOMPARE(stored(GlyphSize::Large, 0)[0], '0');
        QCOMPARE(stored(GlyphSize::Large, 0)[575], '0');

        QTest::mousePress(grid, Qt::RightButton, {}, grid->pixelCentre(3, 1));
        QTest::mouseMove(grid, grid->pixelCentre(2, 1));
        QTest::mouseRelease(grid, Qt::RightButton, {}, grid->pixelCentre(2, 1));
        QCOMPARE(stored(GlyphSize::Large, 0).substr(12, 1), std::string("4"));
        QVERIFY(editor.logic().pixel(1, 1));
        QVERIFY(!editor.logic().pixel(2, 1));

        // A moved pointer with no button held draws nothing.
        QTest::mouseMove(grid, grid->pixelCentre(5, 5));
        QVERIFY(!editor.logic().pixel(5, 5));

        // Clearing after drawing asks first.
        host->answers = {false};
        editor.clearButton()->click();
        QCOMPARE(host->questions.size(), std::size_t{1});
        QVERIFY(editor.logic().pixel(1, 1));
        editor.clearButton()->click();
        QVERIFY(!editor.logic().pixel(1, 1));
        QCOMPARE(stored(GlyphSize::Large, 0), std::string(576, '0'));
    }

    // The editor reads a glyph and a sample character from the emulated
    // device, registers its glyph and builds the other sizes.
    void editorReadsAndRegistersAgainstTheDevice() {
        DeviceTransport device(*state, *host);
        auto& onDevice = device.device().state().glyphs;
        onDevice.glyph(GlyphFace::Gothic, GlyphSize::Small, 4).assign(144, 'C');
        state->glyphs.currentGlyph = 2;
        tlx::qt::GlyphEditorDialog editor(GlyphSize::Small, *state, *host, device, "");
        QCOMPARE(editor.readButton()->objectName(), QString("button1085"));
        pick(editor.numberBox(), 4);
        editor.readButton()->click();
        QCOMPARE(device.lines.back(), std::string("RFBMSA369\r\n"));
        QTRY_COMPARE(std::string(editor.logic().workingGlyph()), std::string(144, 'C'));
        QCOMPARE(stored(GlyphSize::Small, 4), std::string(144, 'C'));

        // The device's own bitmap of a character replaces the working glyph.
        editor.sampleField()->setText(QString::fromUtf8("亜"));
        editor.sampleReadButton()->click();
        QCOMPARE(device.lines.back(), std::string("RFBMS3021\r\n"));
        QTRY_VERIFY(!state->link.glyphReplyWait);
        QTRY_VERIFY(std::string(editor.logic().workingGlyph()) != std::string(144, 'C'));
        QCOMPARE(std::string(editor.logic().workingGlyph()), stored(GlyphSize::Small, 4));

        pick(editor.numberBox(), 9);
        editor.logic().clearBuffer();
        QTest::mouseClick(editor.grid(), Qt::LeftButton, {}, editor.grid()->pixelCentre(4, 4));
        editor.registerButton()->click();
        QCOMPARE(host->questions.back().caption, std::string("本機の確認"));
        QTRY_COMPARE(onDevice.glyph(GlyphFace::Gothic, GlyphSize::Small, 9),
                     stored(GlyphSize::Small, 9));
        QCOMPARE(onDevice.glyph(GlyphFace::Gothic, GlyphSize::Small, 9)[4 * 6 + 1], '8');

        editor.deriveButton()->click();
        QVERIFY(stored(GlyphSize::Large, 9) != std::string(576, '0'));
        QVERIFY(stored(GlyphSize::Medium, 9) != std::string(256, '0'));
        QVERIFY(host->messages.empty());
        editor.closeButton()->click();
    }

    // The whole small table goes to the device and comes back, one glyph
    // per tick, with the progress shown and the buttons refused meanwhile.
    void tableTransferToAndFromTheDevice() {
        DeviceTransport device(*state, *host);
        auto& ours = state->glyphs.table(GlyphFace::Gothic, GlyphSize::Small);
        for (std::size_t i = 0; i < ours.size(); ++i) {
            ours[i].assign(144, "0123456789ABCDEF"[i % 16]);
            ours[i][i % 144] = 'F';
        }
        const auto sent = ours;
        tlx::qt::GlyphListDialog dialog(GlyphSize::Small, *state, *host, device, "");
        // 2 s a glyph becomes 10 ms: slow enough to look at a running transfer.
        dialog.setPaceScale(0.005);
        dialog.show();
        dialog.registerButton()->click();
        QVERIFY(dialog.timerActive());
        QTRY_VERIFY(dialog.timerActive() && device.lines.size() >= 10 &&
                    dialog.percentText()->text() != QString("   ") &&
                    dialog.progressBar()->value() > 0);
        // No event is handled between the look and the click: still running.
        dialog.closeButton()->click();
        QVERIFY(dialog.isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(!dialog.timerActive(), 30000);
        QCOMPARE(dialog.percentText()->text(), QString("   "));
        QCOMPARE(dialog.progressBar()->value(), 0);
        QTRY_COMPARE(device.device().state().glyphs.table(GlyphFace::Gothic, GlyphSize::Small),
                     sent);
        QCOMPARE(device.lines.size(), std::size_t{256});
        QCOMPARE(device.lines[255].substr(0, 6), std::string("GRS256"));

        dialog.clearButton()->click();
        QCOMPARE(ours[5], std::string(144, '0'));
        device.lines.clear();
        dialog.readButton()->click();
        QTRY_VERIFY_WITH_TIMEOUT(!dialog.timerActive(), 30000);
        QCOMPARE(ours, sent);
        QCOMPARE(device.lines.size(), std::size_t{256});
        QCOMPARE(device.lines[26], std::string("RFBMSA421\r\n"));
        QCOMPARE(state->glyphs.currentGlyph, 0);
        QVERIFY(!state->link.glyphTransferBusy);
        QVERIFY(host->messages.empty());
        dialog.closeButton()->click();
        QVERIFY(!dialog.isVisible());
    }

    void insertSendsTheChosenGlyph() {
        FakeTransport transport;
        state->glyphs.currentGlyph = 199;
        state->glyphs.insertSize = 2;
        tlx::qt::GlyphInsertDialog dialog(*state, *host, transport, "外字挿入");
        QCOMPARE(dialog.glyphBox()->currentText(), QString("200"));
        QCOMPARE(dialog.sizeBox()->itemText(0), QString("LARGE "));
        pick(dialog.sizeBox(), 0);
        QCOMPARE(dialog.glyphBox()->count(), 70);
        QCOMPARE(dialog.glyphBox()->currentText(), QString("001"));
        QCOMPARE(dialog.positionBox()->count(), 20);
        QCOMPARE(state->glyphs.currentGlyph, 0);
        pick(dialog.glyphBox(), 11);
        pick(dialog.pageBox(), 2);
        pick(dialog.lineBox(), 1);
        pick(dialog.positionBox(), 4);
        dialog.sendButton()->click();
        QCOMPARE(transport.serialWrites, std::vector<std::string>{"G012P003L02I05\r\n"});
        QVERIFY(!dialog.slaveAddressBox()->isEnabled());
        // Disabled, it still shows the address, as in the editor and the lists.
        QCOMPARE(dialog.slaveAddressBox()->currentIndex(), state->connection.slaveAddress);

        make(Product::S);
        tlx::qt::GlyphInsertDialog s(*state, *host, transport, "外字挿入");
        QVERIFY(s.lineBox() == nullptr);
        QCOMPARE(s.positionBox()->count(), 200);
        s.sendButton()->click();
        QCOMPARE(transport.serialWrites.back(), std::string("G001P001I001\r\n"));
    }

    // The routed glyph features get their dialogs; others are not ours.
    void factoryMakesTheGlyphDialogs() {
        auto make = [&](int command) { return tlx::qt::makeGlyphDialog(context(command)); };
        auto info = make(32812);
        QVERIFY(qobject_cast<tlx::qt::GlyphInfoDialog*>(info.get()) != nullptr);
        QCOMPARE(info->windowTitle(), QString("外字について"));
        QCOMPARE(info->findChild<QLabel*>("line2")->text(),
                 QString("マウス左ボタン ダブルクリックで編集画面"));
        auto large = make(32815);
        QVERIFY(qobject_cast<tlx::qt::GlyphListDialog*>(large.get()) != nullptr);
        QCOMPARE(large->windowTitle(), QString("外字一覧（大文字）"));
        QVERIFY(qobject_cast<tlx::qt::GlyphInsertDialog*>(make(32794).get()) != nullptr);
        QVERIFY(make(32787) == nullptr);
    }
};

} // namespace tlx::test

QTEST_MAIN(tlx::test::GlyphDialogsTest)
#include "glyph_dialogs_test.moc"
