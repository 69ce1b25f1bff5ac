#include "app/menu_logic.h"
#include "device_transport.h"
#include "dialog_fixture.h"
#include "dialogs/dialog_context.h"
#include "dialogs/slave_address_box.h"
#include "dialogs/title_dialog.h"
#include "protocol/app_state.h"
#include "protocol/link_hub.h"
#include "settings/sjis_text.h"
#include "support/fake_host.h"
#include "support/reply_lines.h"

#include <QComboBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

namespace tlx::test {

namespace {

QByteArray qbytes(std::string_view s) {
    return QByteArray(s.data(), static_cast<qsizetype>(s.size()));
}

// What an input method hands the input when the operator confirms.
void commit(QWidget* input, const QString& text) {
    input->setFocus();
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(input, &event);
}

QString fromUcs4(char32_t c) {
    return QString::fromUcs4(&c, 1);
}

} // namespace

class TitleDialogTest : public DialogTest {
    Q_OBJECT

  private slots:
    // Unicode in, code page 932 bytes out, as iconv converts them.
    void unicodeToShiftJis_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("sjis");
        QTest::newRow("full-width letters") << QString("ＡＢ") << QByteArray("\x82\x60\x82\x61");
        QTest::newRow("kana") << QString("あア") << QByteArray("\x82\xA0\x83\x41");
        QTest::newRow("level 1 and 2 kanji")
            << QString("亜弌熙") << QByteArray("\x88\x9F\x98\x9F\xEA\xA4");
        QTest::newRow("wave dash either way") << QString("〜～") << QByteArray("\x81\x60\x81\x60");
        QTest::newRow("IBM extension") << QString("ⅰ髙") << QByteArray("\xFA\x40\xFB\xFC");
        QTest::newRow("NEC row 13") << QString("①") << QByteArray("\x87\x40");
        QTest::newRow("half-width") << QString("Aｱ") << QByteArray("A\xB1");
    }
    void unicodeToShiftJis() {
        QFETCH(QString, text);
        QFETCH(QByteArray, sjis);
        const tlx::qt::TitleBytes b = tlx::qt::titleBytesFromUnicode(text);
        QVERIFY(b.complete);
        QCOMPARE(qbytes(b.bytes), sjis);
        QCOMPARE(tlx::qt::titleInputText(b.bytes).size() > 0, true);
    }

    void charactersWithoutShiftJisAreLeftOut() {
        const tlx::qt::TitleBytes b = tlx::qt::titleBytesFromUnicode(QString("Ａ😀丂Ｂ"));
        QVERIFY(!b.complete);
        QCOMPARE(qbytes(b.bytes), QByteArray("\x82\x60\x82\x61"));
    }

    // Every stored unit comes back from the input as it went in: glyphs with
    // NUL, LF and CR bytes, bytes code page 932 cannot read, control bytes.
    void storedBytesSurviveTheInput() {
        const std::string stored("\x11\x00\x82\x60\x11\x0A\x85\x40\x11\x0D"
                                 "A\x13\x39\x7F\x80\x82",
                                 16);
        const QString shown = tlx::qt::titleInputText(stored);
        QVERIFY(shown.startsWith(fromUcs4(tlx::qt::glyphMarker(0x1100)) + QString("Ａ")));
        const tlx::qt::TitleBytes back = tlx::qt::titleBytesFromUnicode(shown);
        QVERIFY(back.complete);
        QCOMPARE(qbytes(back.bytes), qbytes(stored));
        QCOMPARE(tlx::qt::sjisToUnicode("Line01 = \x82\x60\x81\x40"), QString("Line01 = Ａ　"));
    }

    // Typed through the input method, sent with "ライン設定", kept by the
    // device.
    void typedLineGoesToTheDevice() {
        DeviceTransport& device = makeWithDevice(Product::F);
        tlx::qt::TitleDialog dialog(*state, *host, device, "タイトルの設定");
        dialog.show();
        QVERIFY(dialog.lineInput() != nullptr);
        QCOMPARE(dialog.lineBox()->count(), 10);
        QCOMPARE(dialog.pageBox()->count(), 512);
        QCOMPARE(dialog.pageBox()->itemText(511), QString("512"));
        commit(dialog.lineInput(), "ＡＢ");
        QCOMPARE(qbytes(state->model.titleText[0][0].view()), QByteArray("\x82\x60\x82\x61"));
        QVERIFY(state->model.dataModified);
        QVERIFY(dialog.preview()->text().contains("Line01 = ＡＢ　"));
        dialog.lineButton()->click();
        QCOMPARE(device.lines.size(), std::size_t{1});
        QCOMPARE(device.lines[0],
                 "CA001L01" + std::string("23412342") + repeat("2121", 26) + "\r\n");
        QTRY_VERIFY(!state->link.awaitingAnswer);
        QCOMPARE(qbytes(device.device().state().model.titleText[0][0].view()).left(4),
                 QByteArray("\x82\x60\x82\x61"));
        QVERIFY(host->messages.empty());
    }

    // A character with no Shift-JIS code never reaches the model; a
    // half-width one does and is refused by the send.
    void charactersOutsideTheJisRowsAreRefused() {
        DeviceTransport& device = makeWithDevice(Product::F);
        tlx::qt::TitleDialog dialog(*state, *host, device, "t");
        dialog.show();
        commit(dialog.lineInput(), "Ａ");
        commit(dialog.lineInput(), "😀");
        QCOMPARE(dialog.lineInput()->title(), QString("Ａ"));
        QCOMPARE(dialog.lineInput()->textCursor().position(), 1);
        QCOMPARE(qbytes(state->model.titleText[0][0].view()), QByteArray("\x82\x60"));
        QCOMPARE(host->texts(), std::vector<std::string>{kJisMessage});
        QCOMPARE(host->messages[0].kind, tlx::MessageKind::Warning);

        host->clear();
        QVERIFY(dialog.lineInput()->extraSelections().isEmpty());
        commit(dialog.lineInput(), "a");
        QCOMPARE(qbytes(state->model.titleText[0][0].view()), QByteArray("\x82\x60"
                                                                         "a"));
        // Marked as typed: the second character.
        const auto marks = dialog.lineInput()->extraSelections();
        QCOMPARE(marks.size(), 1);
        QCOMPARE(marks[0].cursor.selectionStart(), 1);
        QCOMPARE(marks[0].cursor.selectionEnd(), 2);
        dialog.lineButton()->click();
        dialog.pageButton()->click();
        QVERIFY(device.lines.empty());
        const std::string where =
            std::string(kJisMessage) + "\n「a」 ページ 001 ライン 01 の 2 文字目";
        QCOMPARE(host->texts(), (std::vector<std::string>{where, where}));
    }

    void inputTakesAtMost56Bytes() {
        DeviceTransport& device = makeWithDevice(Product::F);
        tlx::qt::TitleDialog dialog(*state, *host, device, "t");
        dialog.show();
        commit(dialog.lineInput(), QString("亜").repeated(27));
        commit(dialog.lineInput(), "abc");
        QCOMPARE(state->model.titleText[0][0].size(), std::size_t{54});
        QCOMPARE(dialog.lineInput()->title(), QString("亜").repeated(27));
        commit(dialog.lineInput(), "腕");
        QCOMPARE(state->model.titleText[0][0].size(), std::size_t{56});
        commit(dialog.lineInput(), "a");
        QCOMPARE(dialog.lineInput()->title(), QString("亜").repeated(27) + "腕");
        QCOMPARE(state->model.titleText[0][0].size(), std::size_t{56});
        QVERIFY(host->messages.empty());
    }

    // A user glyph in the line stays where it is while the operator types
    // around it; the preview draws it as a full-width space.
    void glyphUnitsSurviveEditing() {
        DeviceTransport& device = makeWithDevice(Product::F);
        state->dialogs.currentPage = 2;
        state->dialogs.currentLine = 1;
        state->model.titleText[2][1].assign(std::string("\x11\x00\x82\x60", 4)); // glyph 63, Ａ
        tlx::qt::TitleDialog dialog(*state, *host, device, "t");
        dialog.show();
        QCOMPARE(dialog.pageBox()->currentText(), QString("003"));
        QCOMPARE(dialog.lineBox()->currentText(), QString("02"));
        QCOMPARE(dialog.lineInput()->title(), fromUcs4(tlx::qt::glyphMarker(0x1100)) + "Ａ");
        // Drawn as a full-width space: one object in the input.
        QCOMPARE(dialog.lineInput()->toPlainText(), QChar(0xFFFC) + QString("Ａ"));
        QVERIFY(dialog.preview()->text().contains("Line02 = 　Ａ　"));
        dialog.lineInput()->moveCursor(QTextCursor::End);
        commit(dialog.lineInput(), "Ｂ");
        QCOMPARE(qbytes(state->model.titleText[2][1].view()),
                 QByteArray("\x11\x00\x82\x60\x82\x61", 6));
        dialog.lineInput()->moveCursor(QTextCursor::Start);
        dialog.lineInput()->moveCursor(QTextCursor::NextCharacter);
        commit(dialog.lineInput(), "ア");
        QCOMPARE(qbytes(state->model.titleText[2][1].view()),
                 QByteArray("\x11\x00\x83\x41\x82\x60\x82\x61", 8));
        dialog.lineButton()->click();
        QCOMPARE(device.lines.size(), std::size_t{1});
        QCOMPARE(device.lines[0],
                 "CA003L02" + std::string("A445252223412342") + repeat("2121", 24) + "\r\n");
    }

    // Issue-7 glyphs (second byte NUL, LF or CR) at the start, middle and end
    // of a line: typing elsewhere in the line changes none of them.
    void everyGlyphWithControlBytesSurvivesTyping_data() {
        QTest::addColumn<int>("unit");
        for (int unit : {0x1100, 0x1200, 0x1300, 0x110A, 0x120A, 0x110D, 0x120D}) {
            QTest::newRow(QByteArray::number(unit, 16).constData()) << unit;
        }
    }
    void everyGlyphWithControlBytesSurvivesTyping() {
        QFETCH(int, unit);
        DeviceTransport& device = makeWithDevice(Product::F);
        const std::string g{static_cast<char>(unit >> 8), static_cast<char>(unit & 0xFF)};
        state->model.titleText[0][0].assign(g + "\x82\x60" + g + "\x82\x61" + g);
        tlx::qt::TitleDialog dialog(*state, *host, device, "t");
        dialog.show();
        dialog.lineInput()->moveCursor(QTextCursor::Start);
        dialog.lineInput()->moveCursor(QTextCursor::NextCharacter);
        commit(dialog.lineInput(), "あ");
        dialog.lineInput()->moveCursor(QTextCursor::End);
        commit(dialog.lineInput(), "い");
        QCOMPARE(qbytes(state->model.titleText[0][0].view()),
                 qbytes(g + "\x82\xA0\x82\x60" + g + "\x82\x61" + g + "\x82\xA2"));
        dialog.lineButton()->click();
        QCOMPARE(device.lines.size(), std::size_t{1});
        const std::string w = tlx::test::hex4(static_cast<std::uint16_t>(unit + 37701));
        QCOMPARE(device.lines[0], "CA001L01" + w + "24222341" + w + "2342" + w + "2424" +
                                      repeat("2121", 21) + "\r\n");
    }

    // Another page or line shows its text at once; the page's preview
    // follows a moment later.
    void choosingPageAndLine() {
        DeviceTransport& device = makeWithDevice(Product::F);
        state->model.titleText[5][0].assign("\x82\x60");
        state->model.titleText[5][3].assign("\x82\x61");
        tlx::qt::TitleDialog dialog(*state, *host, device, "t");
        dialog.setPaceScale(0.1);
        dialog.show();
        QVERIFY(!state->model.dataModified);
        dialog.pageBox()->setCurrentIndex(5);
        emit dialog.pageBox()->activated(5);
        QCOMPARE(dialog.lineInput()->title(), QString("Ａ"));
        QVERIFY(state->model.dataModified);
        QTRY_VERIFY(dialog.preview()->text().startsWith("Page 006\nLine01 = Ａ"));
        dialog.lineBox()->setCurrentIndex(3);
        emit dialog.lineBox()->activated(3);
        QCOMPARE(dialog.lineInput()->title(), QString("Ｂ"));
        QCOMPARE(qbytes(state->model.titleText[5][3].view()), QByteArray("\x82\x61"));
        QCOMPARE(state->dialogs.currentPage, 5);
        QCOMPARE(state->dialogs.currentLine, 3);
    }

    // "全設定" against the device: every page, paced by the dialog's timer.
    void allPagesReachTheDevice() {
        DeviceTransport& device = makeWithDevice(Product::F);
        state->model.titleText[511][9].assign("\x88\x9F");
        tlx::qt::TitleDialog dialog(*state, *host, device, "t");
        dialog.setPaceScale(0.0);
        dialog.show();
        QCOMPARE(dialog.progressBar()->maximum(), 512);
        QCOMPARE(dialog.activityBar()->maximum(), 20);
        dialog.allButton()->click();
        QCOMPARE(host->questions.size(), std::size_t{1});
        QVERIFY(dialog.timerActive());
        QTRY_VERIFY_WITH_TIMEOUT(!dialog.logic().sending(), 30000);
        QCOMPARE(dialog.logic().runEnd(), tlx::RunEnd::Completed);
        QCOMPARE(device.lines.size(), std::size_t{512});
        QCOMPARE(device.lines.back().substr(0, 5), std::string("CA512"));
        QCOMPARE(dialog.percentText()->text(), QString("      "));
        QVERIFY(dialog.timeLeftText()->text().isEmpty());
        QVERIFY(dialog.allButton()->isEnabled());
        QCOMPARE(dialog.progressBar()->value(), 0);
        QCOMPARE(state->model.busyStep, 0);
        QTRY_VERIFY(!state->link.awaitingAnswer);
        QCOMPARE(qbytes(device.device().state().model.titleText[511][9].view()).left(2),
                 QByteArray("\x88\x9F"));
        QVERIFY(host->messages.empty());
        QVERIFY(dialog.isVisible());
    }

    // Model S: one page string; Close waits for the send.
    void modelSPageField() {
        DeviceTransport& device = makeWithDevice(Product::S);
        state->model.titlePageText[0].assign(std::string("\x82\x60\x12\x0A", 4)); // Ａ, glyph 167
        tlx::qt::TitleDialog dialog(*state, *host, device, "t");
        dialog.setPaceScale(0.0);
        dialog.show();
        QVERIFY(dialog.lineInput() == nullptr);
        QVERIFY(dialog.lineBox() == nullptr);
        QVERIFY(dialog.lineButton() == nullptr);
        QVERIFY(dialog.preview() == nullptr);
        QVERIFY(dialog.pageInput() != nullptr);
        QVERIFY(!state->model.dataModified);
        // The glyph is one object drawn as a full-width space.
        QCOMPARE(dialog.pageInput()->toPlainText(), QString("Ａ") + QChar(0xFFFC));
        QCOMPARE(dialog.pageInput()->length(), 2);
        QTextCursor c = dialog.pageInput()->textCursor();
        c.movePosition(QTextCursor::End);
        dialog.pageInput()->setTextCursor(c);
        commit(dialog.pageInput(), "亜");
        QCOMPARE(qbytes(state->model.titlePageText[0].view()),
                 QByteArray("\x82\x60\x12\x0A\x88\x9F", 6));
        QVERIFY(state->model.dataModified);
        c.setPosition(0);
        dialog.pageInput()->setTextCursor(c);
        commit(dialog.pageInput(), "ア");
        QCOMPARE(qbytes(state->model.titlePageText[0].view()),
                 QByteArray("\x83\x41\x82\x60\x12\x0A\x88\x9F", 8));
        // A refused character leaves the glyph alone.
        commit(dialog.pageInput(), "😀");
        QCOMPARE(host->texts(), std::vector<std::string>{kJisMessage});
        QCOMPARE(dialog.pageInput()->title(),
                 QString("アＡ") + fromUcs4(tlx::qt::glyphMarker(0x120A)) + "亜");
        QCOMPARE(dialog.pageInput()->textCursor().position(), 1);
        host->clear();
        c.setPosition(0);
        dialog.pageInput()->setTextCursor(c);
        QTest::keyClick(dialog.pageInput(), Qt::Key_Delete);
        QCOMPARE(qbytes(state->model.titlePageText[0].view()),
                 QByteArray("\x82\x60\x12\x0A\x88\x9F", 6));
        // Enter adds no line break.
        QTest::keyClick(dialog.pageInput(), Qt::Key_Return);
        QCOMPARE(state->model.titlePageText[0].size(), std::size_t{6});
        dialog.pageButton()->click();
        QCOMPARE(device.lines.size(), std::size_t{1});
        QCOMPARE(device.lines[0],
                 "CA001" + std::string("2341A54F3021") + repeat("2121", 277) + "\r\n");

        dialog.setPaceScale(1.0);
        dialog.allButton()->click();
        QVERIFY(dialog.logic().sending());
        QVERIFY(!dialog.closeButton()->isEnabled());
        dialog.reject();
        QVERIFY(dialog.isVisible());
        dialog.setPaceScale(0.0);
        QTRY_VERIFY_WITH_TIMEOUT(!dialog.logic().sending(), 30000);
        QCOMPARE(device.lines.size(), std::size_t{513});
        QCOMPARE(dialog.percentText()->text(), QString("  "));
        QVERIFY(dialog.closeButton()->isEnabled());
        dialog.closeButton()->click();
        QVERIFY(!dialog.isVisible());
    }

    // Model S: the page field breaks its lines where the device does, after
    // 28 full-width characters (two half-width ones taking the room of one),
    // and marks what the device cannot show.
    void modelSFieldShowsTheDevicesLines() {
        DeviceTransport& device = makeWithDevice(Product::S);
        state->model.titlePageText[0].assign(repeat("\x82\x60", 30));
        tlx::qt::TitleDialog dialog(*state, *host, device, "t");
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        const QTextBlock block = dialog.pageInput()->document()->firstBlock();
        QCOMPARE(block.layout()->lineCount(), 2);
        QCOMPARE(block.layout()->lineAt(0).textLength(), 28);
        QVERIFY(dialog.pageInput()->extraSelections().isEmpty());

        state->model.titlePageText[1].assign(repeat("\x82\x60", 27) + "\xB1\xB1" +
                                             repeat("\x82\x60", 2));
        dialog.pageBox()->setCurrentIndex(1);
        emit dialog.pageBox()->activated(1);
        const QTextBlock mixed = dialog.pageInput()->document()->firstBlock();
        QCOMPARE(mixed.layout()->lineAt(0).textLength(), 29);
        const auto marks = dialog.pageInput()->extraSelections();
        QCOMPARE(marks.size(), 2);
        QCOMPARE(marks[0].cursor.selectionStart(), 27);
        QCOMPARE(marks[1].cursor.selectionStart(), 28);
    }

    // Model F: while the send runs "全設定" is off, the time left shows and
    // Escape does nothing; Close abandons the send once the operator agrees.
    void closeAbandonsTheSendOfModelF() {
        DeviceTransport& device = makeWithDevice(Product::F);
        tlx::qt::TitleDialog dialog(*state, *host, device, "t");
        dialog.setPaceScale(0.05);
        dialog.show();
        dialog.allButton()->click();
        QTRY_VERIFY(device.lines.size() >= 3);
        QVERIFY(!dialog.allButton()->isEnabled());
        // 300 ms for each page not yet sent: at most 510 of them.
        QVERIFY(dialog.timeLeftText()->text().startsWith(QString("残り 2:")));
        QTest::keyClick(dialog.closeButton(), Qt::Key_Escape);
        QVERIFY(dialog.isVisible());
        QVERIFY(dialog.closeButton()->isEnabled());
        host->answers.push_back(false);
        dialog.closeButton()->click();
        QCOMPARE(host->questions.back().text, std::string("転送を中止しますか？"));
        QVERIFY(dialog.isVisible());
        QVERIFY(dialog.logic().sending());
        dialog.closeButton()->click();
        QVERIFY(!dialog.isVisible());
        QCOMPARE(state->model.busyStep, 0);
        const std::size_t sent = device.lines.size();
        QTest::qWait(100);
        QCOMPARE(device.lines.size(), sent);
    }

    // Model S waits for its own send only: a busyStep left behind by the
    // link (a "No Connect", a late version answer) does not lock Close, and
    // a fixed slave address is still shown.
    void modelSClosesUnlessItsOwnSendRuns() {
        DeviceTransport& device = makeWithDevice(Product::S);
        state->connection.slaveAddress = 6;
        state->model.busyStep = state->traits().busyStepPastEnd;
        tlx::qt::TitleDialog dialog(*state, *host, device, "t");
        dialog.show();
        QVERIFY(!dialog.slaveAddressBox()->isEnabled());
        QCOMPARE(dialog.slaveAddressBox()->currentText(), QString("06"));
        QVERIFY(dialog.closeButton()->isEnabled());
        dialog.closeButton()->click();
        QVERIFY(!dialog.isVisible());
    }

    // The family's factory: the title dialog with its caption.
    void factoryMakesTheTitleDialog() {
        make(Product::F);
        auto dialog = tlx::qt::makeTitleDialog(context(32781, "タイトルの設定"));
        QVERIFY(dynamic_cast<tlx::qt::TitleDialog*>(dialog.get()) != nullptr);
        QCOMPARE(dialog->windowTitle(), QString("タイトルの設定"));
        QVERIFY(tlx::qt::makeTitleDialog(context(32787, "x")) == nullptr);
    }
};

} // namespace tlx::test

QTEST_MAIN(tlx::test::TitleDialogTest)
#include "title_dialog_test.moc"
