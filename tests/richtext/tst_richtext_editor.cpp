// The editor with its toolbar, saving by extension, printing to PDF and the
// data-bound form over a real table file.

#include "TempProgramDir.h"
#include "controls/Modal.h"
#include "data/Table.h"
#include "richtext/DbRichText.h"
#include "richtext/DocumentFile.h"
#include "richtext/Printing.h"
#include "richtext/RichTextEditor.h"
#include "richtext/RichTextToolBar.h"
#include "richtext/Ruler.h"

#include <QFile>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QToolButton>

using namespace richtext;
using controls::Modal;

namespace {

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct PdfFacts {
    int pages = 0;
    QList<QSizeF> mediaBoxes;
};

// Page objects and their MediaBox, read from the PDF's bytes.
PdfFacts pdfFacts(const QByteArray &pdf)
{
    PdfFacts facts;
    const QString text = QString::fromLatin1(pdf);
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![s\\w])"));
    facts.pages = int(text.count(page));
    static const QRegularExpression box(
        QStringLiteral("/MediaBox\\s*\\[\\s*([-\\d.]+)\\s+([-\\d.]+)\\s+([-\\d.]+)\\s+([-\\d.]+)\\s*\\]"));
    for (auto it = box.globalMatch(text); it.hasNext();) {
        const auto m = it.next();
        facts.mediaBoxes << QSizeF(m.captured(3).toDouble() - m.captured(1).toDouble(),
                                   m.captured(4).toDouble() - m.captured(2).toDouble());
    }
    return facts;
}

void fillPages(QTextDocument &doc, int pages)
{
    QTextCursor cursor(&doc);
    for (int i = 0; i < pages; ++i) {
        QTextBlockFormat format;
        if (i > 0) {
            format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            cursor.insertBlock(format);
        }
        cursor.insertText(QStringLiteral("Seite %1").arg(i + 1));
    }
}

} // namespace

class TestEditor : public QObject {
    Q_OBJECT
private slots:
    void init();
    void pageLayoutSetsLineWidth();
    void tabAndUndo();
    void loadsEachFormat_data();
    void loadsEachFormat();
    void saveByExtension_data();
    void saveByExtension();
    void saveToUnwritablePlace();
    void printToPdf_data();
    void printToPdf();
    void marginsShapeThePages();
    void printWithoutPrinter();
    void iconNumbersAndHints();
    void claimedIconsSkipTheBuiltInAction();
    void unclaimedIconsRunTheEditor();
    void iconStateFollowsSelection();
    void saveIconWritesRtf();
    void rulerFollowsScrolling();
    void boundEditorLoadsAndStores();
    void untouchedMemoIsNotRewritten();
};

void TestEditor::init()
{
    Modal::setTestMode(true);
}

void TestEditor::pageLayoutSetsLineWidth()
{
    RichTextEditor editor;
    editor.setPageLayout(PageLayout{11880, 17100, 285, 285, 285, 285});
    const int margin = int(2 * editor.document()->documentMargin());
    QCOMPARE(editor.lineWrapColumnOrWidth(), (11880 - 570) / 15 + margin);
    QCOMPARE(editor.document()->defaultTextOption().tabStopDistance(), 48.0); // 720 twips
    // A loaded document keeps the editor's page, whatever page the RTF brings.
    editor.setContent("{\\rtf1\\paperw5000\\margl100 x}");
    QCOMPARE(pageLayoutOf(*editor.document()).pageWidth, 11880);
    QCOMPARE(editor.lineWrapColumnOrWidth(), (11880 - 570) / 15 + margin);
}

void TestEditor::tabAndUndo()
{
    RichTextEditor editor;
    editor.show();
    editor.setContent("{\\rtf1 Hallo}");
    QVERIFY(!editor.document()->isUndoAvailable()); // the load itself is no step to undo
    editor.moveCursor(QTextCursor::End);
    QTest::keyClick(&editor, Qt::Key_Tab);
    QTest::keyClicks(&editor, QStringLiteral("Welt"));
    QCOMPARE(editor.toPlainText(), QStringLiteral("Hallo\tWelt"));
    QVERIFY(editor.hasFocus() || !editor.isActiveWindow()); // Tab did not move the focus
    editor.undo();
    QVERIFY(editor.toPlainText().startsWith(QStringLiteral("Hallo")));
    QVERIFY(editor.toPlainText() != QStringLiteral("Hallo\tWelt"));
}

void TestEditor::loadsEachFormat_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("bold");
    QTest::newRow("RTF") << QByteArray("{\\rtf1 {\\b Gr\\'fc\\'dfe}}") << QStringLiteral("Grüße") << true;
    QTest::newRow("HTML") << QByteArray("<html><body><b>Gr\xC3\xBC\xC3\x9F" "e</b></body></html>")
                          << QStringLiteral("Grüße") << true;
    QTest::newRow("UTF-8 text") << QByteArray("Gr\xC3\xBC\xC3\x9F" "e {x}") << QStringLiteral("Grüße {x}") << false;
    QTest::newRow("Windows-1252 text") << QByteArray("Gr\xFC\xDF" "e \x80") << QStringLiteral("Grüße €") << false;
}

void TestEditor::loadsEachFormat()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QFETCH(bool, bold);
    RichTextEditor editor;
    editor.setContent(bytes);
    QCOMPARE(editor.toPlainText(), text);
    QTextCursor cursor(editor.document());
    cursor.setPosition(2);
    QCOMPARE(cursor.charFormat().fontWeight() > QFont::Medium, bold);
}

void TestEditor::saveByExtension_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QByteArray>("starts");
    QTest::addColumn<QByteArray>("contains");
    QTest::newRow("RTF") << "brief.RTF" << QByteArray("{\\rtf1\\ansi") << QByteArray("Gr\\'fc\\'dfe");
    QTest::newRow("DOC is RTF") << "brief.doc" << QByteArray("{\\rtf1\\ansi") << QByteArray("\\b ");
    QTest::newRow("no extension is RTF") << "brief" << QByteArray("{\\rtf1") << QByteArray("Zeile 2");
    QTest::newRow("HTM") << "brief.HTM" << QByteArray("<!DOCTYPE HTML") << QByteArray("Grüße");
    QTest::newRow("HTML") << "brief.html" << QByteArray("<!DOCTYPE HTML") << QByteArray("font-weight");
    QTest::newRow("TXT in Windows-1252 with CR LF") << "brief.TXT" << QByteArray("Gr\xFC\xDF" "e fett \x80\r\nZeile 2")
                                                    << QByteArray("\x80");
    QTest::newRow("PDF") << "brief.pdf" << QByteArray("%PDF-") << QByteArray("/MediaBox");
    QTest::newRow("ODT") << "brief.odt" << QByteArray("PK") << QByteArray("application/vnd.oasis.opendocument.text");
}

void TestEditor::saveByExtension()
{
    QFETCH(QString, fileName);
    QFETCH(QByteArray, starts);
    QFETCH(QByteArray, contains);
    QTemporaryDir dir;
    RichTextEditor editor;
    editor.setContent(QStringLiteral("{\\rtf1\\ansi Gr\\'fc\\'dfe {\\b fett} \\'80\\par Zeile 2}").toLatin1());
    const QString path = dir.filePath(fileName);
    editor.saveToFile(path);
    const QByteArray bytes = readFile(path);
    QVERIFY2(bytes.startsWith(starts), bytes.left(40).constData());
    QVERIFY(bytes.contains(contains));
}

void TestEditor::saveToUnwritablePlace()
{
    QTemporaryDir dir;
    RichTextEditor editor;
    editor.setContent("{\\rtf1 x}");
    const QString path = dir.filePath(QStringLiteral("fehlt/brief.rtf"));
    try {
        editor.saveToFile(path);
        QFAIL("no error for a folder that does not exist");
    } catch (const SaveError &error) {
        QVERIFY(error.message().contains(path));
        QVERIFY(error.message().contains(QStringLiteral("nicht geschrieben")));
    }
    QVERIFY(!QFile::exists(path));
}

void TestEditor::printToPdf_data()
{
    QTest::addColumn<int>("orientation");
    QTest::addColumn<int>("pages");
    QTest::addColumn<QSizeF>("mediaBox");
    QTest::newRow("portrait, one page") << int(QPageLayout::Portrait) << 1 << QSizeF(594, 855);
    QTest::newRow("portrait, three pages") << int(QPageLayout::Portrait) << 3 << QSizeF(594, 855);
    QTest::newRow("landscape printer") << int(QPageLayout::Landscape) << 2 << QSizeF(855, 594);
}

void TestEditor::printToPdf()
{
    QFETCH(int, orientation);
    QFETCH(int, pages);
    QFETCH(QSizeF, mediaBox);
    QTemporaryDir dir;
    RichTextEditor editor;
    editor.setPageLayout(PageLayout{11880, 17100, 285, 570, 855, 1140});
    fillPages(*editor.document(), pages);
    programPrinter().setPageOrientation(QPageLayout::Orientation(orientation));
    const QString pdf = dir.filePath(QStringLiteral("druck.pdf"));
    Modal::setNextPrintFile(pdf);
    QVERIFY(editor.printDocument());
    QVERIFY(Modal::takeShown().isEmpty());

    const PdfFacts facts = pdfFacts(readFile(pdf));
    QCOMPARE(facts.pages, pages);
    QVERIFY(!facts.mediaBoxes.isEmpty());
    for (const QSizeF &box : facts.mediaBoxes) {
        QVERIFY2(qAbs(box.width() - mediaBox.width()) < 1 && qAbs(box.height() - mediaBox.height()) < 1,
                 qPrintable(QStringLiteral("%1 x %2").arg(box.width()).arg(box.height())));
    }
    const QMarginsF margins = programPrinter().pageLayout().margins(QPageLayout::Point);
    QCOMPARE(margins, QMarginsF(285 / 20.0, 855 / 20.0, 570 / 20.0, 1140 / 20.0));
    programPrinter().setPageOrientation(QPageLayout::Portrait);
}

void TestEditor::marginsShapeThePages()
{
    // The same text needs more pages when the margins leave less room.
    QTemporaryDir dir;
    RichTextEditor editor;
    QString text;
    for (int i = 0; i < 40; ++i)
        text += QStringLiteral("Zeile %1\n").arg(i);
    editor.setContent(text.toUtf8());
    QList<int> pageCounts;
    for (const int margin : {285, 5643}) {
        editor.setPageLayout(PageLayout{11880, 17100, margin, margin, margin, margin});
        const QString pdf = dir.filePath(QStringLiteral("rand%1.pdf").arg(margin));
        Modal::setNextPrintFile(pdf);
        QVERIFY(editor.printDocument());
        pageCounts << pdfFacts(readFile(pdf)).pages;
    }
    QCOMPARE(pageCounts.at(0), 1);
    QVERIFY2(pageCounts.at(1) >= 2, qPrintable(QString::number(pageCounts.at(1))));
}

void TestEditor::printWithoutPrinter()
{
    if (!QPrinterInfo::availablePrinters().isEmpty())
        QSKIP("a printer is installed here");
    RichTextEditor editor;
    editor.setContent("{\\rtf1 x}");
    QVERIFY(!editor.printDocument());
    const auto shown = Modal::takeShown();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown.first().kind, Modal::Shown::Information);
    QVERIFY(shown.first().text.contains(QStringLiteral("kein Drucker")));
    QCOMPARE(Modal::takePrintCount(), 0);
}

void TestEditor::iconNumbersAndHints()
{
    QCOMPARE(toolIconId(ToolIcon::Print), (ToolIconId{1280, 1}));
    QCOMPARE(toolIconId(ToolIcon::PrintSetup), (ToolIconId{1280, 2}));
    QCOMPARE(toolIconId(ToolIcon::Save), (ToolIconId{1024, 4}));
    QStringList hints;
    for (const ToolIcon icon : allToolIcons())
        hints << toolIconHint(icon);
    QCOMPARE(hints.join(QLatin1Char(',')),
             QStringLiteral("Normal,Bold,Italic,Under,Hyperlink,StrikeOut,Sub,Super,Hidden,RTFCode,Left,Right,"
                            "Justified,Center,Copy,Cut,Paste,SelAll,HideSel,Find,Replace,Spell,Exit,New,Open,"
                            "Save,Close,Print,PrintSetup,Next,Prev,Add,Del,Edit,Cancel,ToStart,ToEnd,Post"));
    RichTextToolBar bar;
    for (const ToolIcon icon : RichTextToolBar::documentIcons()) {
        QVERIFY(bar.button(icon));
        QCOMPARE(bar.button(icon)->toolTip(), toolIconHint(icon));
        QVERIFY(!bar.button(icon)->icon().isNull());
    }
    QVERIFY(!bar.button(ToolIcon::Next)); // no database icons
    bar.setIcons({ToolIcon::Bold, ToolIcon::Print});
    QVERIFY(bar.button(ToolIcon::Print));
    QVERIFY(!bar.button(ToolIcon::Save));
}

void TestEditor::claimedIconsSkipTheBuiltInAction()
{
    RichTextEditor editor;
    editor.setContent("{\\rtf1 x}");
    RichTextToolBar bar;
    bar.setEditor(&editor);
    QList<QPair<int, int>> seen;
    connect(&bar, &RichTextToolBar::iconSelection, this, [&](IconEvent &event) {
        seen << qMakePair(event.group, event.number);
        if (event.group == 1280 || (event.group == 1024 && event.number == 4)) {
            event.handled = true;
            bar.releaseIcon(event.group, event.number);
        }
    });
    bar.button(ToolIcon::Print)->click();
    bar.button(ToolIcon::Print)->click();
    bar.button(ToolIcon::PrintSetup)->click();
    bar.button(ToolIcon::Save)->click();
    QCOMPARE(seen, (QList<QPair<int, int>>{{1280, 1}, {1280, 1}, {1280, 2}, {1024, 4}}));
    QCOMPARE(Modal::takePrintCount(), 0);     // the editor printed nothing itself
    QVERIFY(Modal::takeShown().isEmpty());    // nor complained about a printer
    QVERIFY(!bar.button(ToolIcon::Print)->isDown());
}

void TestEditor::unclaimedIconsRunTheEditor()
{
    RichTextEditor editor;
    editor.setContent("{\\rtf1 eins zwei}");
    RichTextToolBar bar;
    bar.setEditor(&editor);
    editor.selectAll();
    bar.button(ToolIcon::Bold)->click();
    QCOMPARE(editor.textCursor().charFormat().fontWeight(), int(QFont::Bold));
    bar.button(ToolIcon::Center)->click();
    QCOMPARE(editor.document()->begin().blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    bar.button(ToolIcon::Normal)->click();
    QCOMPARE(editor.textCursor().charFormat().fontWeight(), int(QFont::Normal));
    bar.button(ToolIcon::Copy)->click();
    editor.moveCursor(QTextCursor::End);
    bar.button(ToolIcon::Paste)->click();
    QCOMPARE(editor.toPlainText(), QStringLiteral("eins zweieins zwei"));
    bar.button(ToolIcon::SelAll)->click();
    QCOMPARE(editor.textCursor().selectedText(), QStringLiteral("eins zweieins zwei"));
}

void TestEditor::iconStateFollowsSelection()
{
    RichTextEditor editor;
    editor.setContent("{\\rtf1 plain {\\b\\i fett} \\par\\qr rechts}");
    RichTextToolBar bar;
    bar.setEditor(&editor);
    QTextCursor cursor(editor.document());
    cursor.setPosition(8); // inside "fett"
    editor.setTextCursor(cursor);
    QVERIFY(bar.button(ToolIcon::Bold)->isChecked());
    QVERIFY(bar.button(ToolIcon::Italic)->isChecked());
    QVERIFY(bar.button(ToolIcon::Left)->isChecked());
    cursor.setPosition(2);
    editor.setTextCursor(cursor);
    QVERIFY(!bar.button(ToolIcon::Bold)->isChecked());
    cursor.movePosition(QTextCursor::End);
    editor.setTextCursor(cursor);
    QVERIFY(bar.button(ToolIcon::Right)->isChecked());
    QVERIFY(!bar.button(ToolIcon::Left)->isChecked());
    QVERIFY(!bar.button(ToolIcon::Copy)->isEnabled()); // nothing selected
    editor.setReadOnly(true);
    editor.selectAll();
    QVERIFY(bar.button(ToolIcon::Copy)->isEnabled());
    QVERIFY(!bar.button(ToolIcon::Bold)->isEnabled());
}

void TestEditor::saveIconWritesRtf()
{
    QTemporaryDir dir;
    RichTextEditor editor;
    editor.setContent("{\\rtf1 Notiz}");
    RichTextToolBar bar;
    bar.setEditor(&editor);
    const QString path = dir.filePath(QStringLiteral("notiz.rtf"));
    Modal::setNextFileName(path);
    bar.button(ToolIcon::Save)->click();
    QVERIFY(readFile(path).startsWith("{\\rtf1"));
    bar.button(ToolIcon::Save)->click(); // cancelled: nothing more
    QVERIFY(Modal::takeShown().isEmpty());
    Modal::setNextFileName(dir.filePath(QStringLiteral("fehlt/notiz.rtf")));
    bar.button(ToolIcon::Save)->click();
    const auto shown = Modal::takeShown();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown.first().kind, Modal::Shown::Error);
}

void TestEditor::rulerFollowsScrolling()
{
    QWidget window;
    auto *ruler = new Ruler(&window);
    auto *editor = new RichTextEditor(&window);
    ruler->setGeometry(0, 0, 300, 20);
    editor->setGeometry(0, 20, 300, 200);
    ruler->setEditor(editor);
    editor->setPageLayout(PageLayout{17100, 11880, 285, 285, 285, 285});
    editor->setContent("{\\rtf1 breit}");
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const double before = ruler->xOf(100);
    editor->horizontalScrollBar()->setValue(50);
    QCOMPARE(ruler->xOf(100), before - 50);
}

void TestEditor::boundEditorLoadsAndStores()
{
    TempProgramDir dir;
    dir.createTable(QStringLiteral("NOTE"));
    dir.exec(QStringLiteral("NOTE"), {QStringLiteral("INSERT INTO NOTE (ADRE_REF, NOTE_MEMO) VALUES "
                                                     "(1, '{\\rtf1 Erste Notiz}'), (2, NULL)")});
    data::Table table;
    table.setTableName(QStringLiteral("NOTE"));
    table.open();
    data::DataSource source;
    source.setDataSet(&table);
    DbRichText editor;
    editor.setDataField(QStringLiteral("NOTE_MEMO"));
    editor.setDataSource(&source);
    QCOMPARE(editor.toPlainText(), QStringLiteral("Erste Notiz"));
    QCOMPARE(table.state(), data::TableState::Browse);

    editor.moveCursor(QTextCursor::End);
    editor.insertPlainText(QStringLiteral(" – geändert"));
    QCOMPARE(table.state(), data::TableState::Edit);
    QVERIFY(table.modified());
    table.post();
    QCOMPARE(table.state(), data::TableState::Browse);
    table.refresh();
    const QString stored = table.fieldByName(QStringLiteral("NOTE_MEMO")).asString();
    QVERIFY(stored.startsWith(QStringLiteral("{\\rtf1")));
    QCOMPARE(editor.toPlainText(), QStringLiteral("Erste Notiz – geändert"));

    table.next();
    QCOMPARE(editor.toPlainText(), QString());
    table.first();
    QCOMPARE(editor.toPlainText(), QStringLiteral("Erste Notiz – geändert"));
}

void TestEditor::untouchedMemoIsNotRewritten()
{
    TempProgramDir dir;
    dir.createTable(QStringLiteral("NOTE"));
    const QString foreign = QStringLiteral("Nur Text, kein RTF");
    dir.exec(QStringLiteral("NOTE"), {QStringLiteral("INSERT INTO NOTE (ADRE_REF, NOTE_MEMO) VALUES (1, '%1')")
                                          .arg(foreign)});
    data::Table table;
    table.setTableName(QStringLiteral("NOTE"));
    table.open();
    data::DataSource source;
    source.setDataSet(&table);
    DbRichText editor;
    editor.setDataField(QStringLiteral("NOTE_MEMO"));
    editor.setDataSource(&source);
    QCOMPARE(editor.toPlainText(), foreign);
    table.edit();
    table.post(); // the record is written, the memo the user never touched is not
    table.refresh();
    QCOMPARE(table.fieldByName(QStringLiteral("NOTE_MEMO")).asString(), foreign);
}

QTEST_MAIN(TestEditor)
#include "tst_richtext_editor.moc"
