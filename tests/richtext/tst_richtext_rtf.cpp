// The RTF reader and writer: what we write we read back with every format;
// RTF as other programs write it; malformed and hostile input.

#include "richtext/FormatDetection.h"
#include "richtext/PageLayout.h"
#include "richtext/RtfReader.h"
#include "richtext/RtfWriter.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextImageFormat>
#include <QUrl>

using namespace richtext;

Q_DECLARE_METATYPE(richtext::PageLayout)

namespace {

QString describeChar(const QTextCharFormat &f, const QTextDocument &doc)
{
    const QStringList families = f.fontFamilies().toStringList();
    const QString family = families.isEmpty() ? doc.defaultFont().family() : families.first();
    const double points = f.fontPointSize() > 0 ? f.fontPointSize() : doc.defaultFont().pointSizeF();
    const QColor color = f.hasProperty(QTextFormat::ForegroundBrush) ? f.foreground().color() : QColor(Qt::black);
    return QStringLiteral("b=%1 i=%2 u=%3 s=%4 v=%5 font=%6 pt=%7 color=%8")
        .arg(int(f.fontWeight() > QFont::Medium))
        .arg(int(f.fontItalic()))
        .arg(int(f.fontUnderline()))
        .arg(int(f.fontStrikeOut()))
        .arg(int(f.verticalAlignment()))
        .arg(family)
        .arg(points)
        .arg(color.name());
}

QString describeBlock(const QTextBlockFormat &f)
{
    QStringList tabs;
    for (const QTextOption::Tab &t : f.tabPositions())
        tabs << QStringLiteral("%1:%2").arg(documentUnitsToTwips(t.position)).arg(int(t.type));
    const Qt::Alignment a = f.alignment() & Qt::AlignHorizontal_Mask;
    const char *align = (a & Qt::AlignJustify) ? "justify" : (a & Qt::AlignHCenter) ? "center"
                        : (a & Qt::AlignRight)  ? "right"
                                                : "left";
    return QStringLiteral("align=%1 li=%2 ri=%3 fi=%4 sb=%5 sa=%6 tabs=%7")
        .arg(QLatin1String(align))
        .arg(documentUnitsToTwips(f.leftMargin()))
        .arg(documentUnitsToTwips(f.rightMargin()))
        .arg(documentUnitsToTwips(f.textIndent()))
        .arg(documentUnitsToTwips(f.topMargin()))
        .arg(documentUnitsToTwips(f.bottomMargin()))
        .arg(tabs.join(QLatin1Char(',')));
}

// Every block and every run with its format, merged where formats agree.
QStringList describeDocument(const QTextDocument &doc)
{
    QStringList out;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        out << QStringLiteral("P[%1]").arg(describeBlock(block.blockFormat()));
        QString lastFormat;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QString format = fragment.charFormat().isImageFormat()
                                       ? QStringLiteral("image %1x%2")
                                             .arg(qRound(fragment.charFormat().toImageFormat().width()))
                                             .arg(qRound(fragment.charFormat().toImageFormat().height()))
                                       : describeChar(fragment.charFormat(), doc);
            if (format == lastFormat)
                out.last() += fragment.text();
            else
                out << format + QStringLiteral(" |") + fragment.text();
            lastFormat = format;
        }
    }
    return out;
}

// The formats of the run that holds `needle`.
QString formatAt(const QTextDocument &doc, const QString &needle)
{
    const QTextCursor found = doc.find(needle);
    if (found.isNull())
        return QStringLiteral("<%1 not found>").arg(needle);
    const int position = found.selectionStart();
    const QTextBlock block = doc.findBlock(position);
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        if (it.fragment().contains(position))
            return describeChar(it.fragment().charFormat(), doc) + QLatin1Char(' ')
                   + describeBlock(block.blockFormat());
    }
    return QStringLiteral("<no fragment>");
}

QByteArray fixture(const QString &name)
{
    QFile file(QStringLiteral(FIXTURE_DIR "/") + name);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("fixture %s missing", qPrintable(name));
    return file.readAll();
}

QImage sampleImage()
{
    QImage image(8, 4, QImage::Format_ARGB32);
    image.fill(QColor(200, 30, 30));
    return image;
}

} // namespace

class TestRtf : public QObject {
    Q_OBJECT
private slots:
    void roundTrip_data();
    void roundTrip();
    void pageLayoutRoundTrip();
    void writerOutputIsPlainRtf();
    void otherWriters_data();
    void otherWriters();
    void pageFromOtherWriters_data();
    void pageFromOtherWriters();
    void malformed_data();
    void malformed();
    void brokenPicture();
    void detection_data();
    void detection();
};

void TestRtf::roundTrip_data()
{
    QTest::addColumn<QTextCharFormat>("charFormat");
    QTest::addColumn<QTextBlockFormat>("blockFormat");
    QTest::addColumn<QString>("text");

    const QTextBlockFormat plainBlock;
    const auto chr = [](auto setter) {
        QTextCharFormat f;
        setter(f);
        return f;
    };
    const auto blk = [](auto setter) {
        QTextBlockFormat f;
        setter(f);
        return f;
    };
    const QString word = QStringLiteral("Wort");

    QTest::newRow("plain") << QTextCharFormat() << plainBlock << word;
    QTest::newRow("bold") << chr([](QTextCharFormat &f) { f.setFontWeight(QFont::Bold); }) << plainBlock << word;
    QTest::newRow("italic") << chr([](QTextCharFormat &f) { f.setFontItalic(true); }) << plainBlock << word;
    QTest::newRow("underline") << chr([](QTextCharFormat &f) { f.setFontUnderline(true); }) << plainBlock << word;
    QTest::newRow("strike") << chr([](QTextCharFormat &f) { f.setFontStrikeOut(true); }) << plainBlock << word;
    QTest::newRow("subscript")
        << chr([](QTextCharFormat &f) { f.setVerticalAlignment(QTextCharFormat::AlignSubScript); }) << plainBlock << word;
    QTest::newRow("superscript")
        << chr([](QTextCharFormat &f) { f.setVerticalAlignment(QTextCharFormat::AlignSuperScript); }) << plainBlock
        << word;
    QTest::newRow("font family")
        << chr([](QTextCharFormat &f) { f.setFontFamilies({QStringLiteral("Times New Roman")}); }) << plainBlock << word;
    QTest::newRow("half point size") << chr([](QTextCharFormat &f) { f.setFontPointSize(17.5); }) << plainBlock << word;
    QTest::newRow("colour") << chr([](QTextCharFormat &f) { f.setForeground(QColor(12, 34, 210)); }) << plainBlock
                            << word;
    QTest::newRow("all at once") << chr([](QTextCharFormat &f) {
        f.setFontWeight(QFont::Bold);
        f.setFontItalic(true);
        f.setFontUnderline(true);
        f.setFontStrikeOut(true);
        f.setFontPointSize(9);
        f.setForeground(QColor(Qt::red));
        f.setFontFamilies({QStringLiteral("Courier New")});
    }) << plainBlock << word;

    QTest::newRow("align right") << QTextCharFormat()
                                 << blk([](QTextBlockFormat &f) { f.setAlignment(Qt::AlignRight); }) << word;
    QTest::newRow("align centre") << QTextCharFormat()
                                  << blk([](QTextBlockFormat &f) { f.setAlignment(Qt::AlignHCenter); }) << word;
    QTest::newRow("justified") << QTextCharFormat()
                               << blk([](QTextBlockFormat &f) { f.setAlignment(Qt::AlignJustify); }) << word;
    QTest::newRow("indents and spacing") << QTextCharFormat() << blk([](QTextBlockFormat &f) {
        f.setLeftMargin(twipsToDocumentUnits(1440));
        f.setRightMargin(twipsToDocumentUnits(570));
        f.setTextIndent(twipsToDocumentUnits(-360));
        f.setTopMargin(twipsToDocumentUnits(120));
        f.setBottomMargin(twipsToDocumentUnits(240));
    }) << word;
    QTest::newRow("tab stops") << QTextCharFormat() << blk([](QTextBlockFormat &f) {
        f.setTabPositions({QTextOption::Tab(twipsToDocumentUnits(3100), QTextOption::LeftTab),
                           QTextOption::Tab(twipsToDocumentUnits(6200), QTextOption::RightTab),
                           QTextOption::Tab(twipsToDocumentUnits(9300), QTextOption::CenterTab),
                           QTextOption::Tab(twipsToDocumentUnits(14600), QTextOption::DelimiterTab, u',')});
    }) << QStringLiteral("a\tb\tc\td");

    QTest::newRow("Windows-1252 characters") << QTextCharFormat() << plainBlock
                                             << QStringLiteral("Grüße aus Köln – 5 € „so“ ÄÖÜß");
    QTest::newRow("other characters") << QTextCharFormat() << plainBlock
                                      << QStringLiteral("Ωmega Жук 中文 \U0001F600 end");
    QTest::newRow("RTF syntax characters") << QTextCharFormat() << plainBlock
                                           << QStringLiteral("{braces} back\\slash \\par ; x");
    QTest::newRow("tab and line break") << QTextCharFormat() << plainBlock
                                        << QStringLiteral("eins\tzwei") + QChar(0x2028) + QStringLiteral("drei");
    QTest::newRow("no-break space") << QTextCharFormat() << plainBlock << QStringLiteral("5") + QChar(0xA0) + "km";
}

void TestRtf::roundTrip()
{
    QFETCH(QTextCharFormat, charFormat);
    QFETCH(QTextBlockFormat, blockFormat);
    QFETCH(QString, text);

    QTextDocument original;
    original.setDefaultFont(QFont(QStringLiteral("Arial"), 12));
    QTextCursor cursor(&original);
    cursor.insertText(QStringLiteral("Vorher "));
    cursor.insertText(text, charFormat);
    cursor.insertText(QStringLiteral(" nachher"), QTextCharFormat());
    cursor.insertBlock(blockFormat);
    cursor.insertText(text, charFormat);
    cursor.insertBlock(QTextBlockFormat());
    cursor.insertText(QStringLiteral("Ende"));

    const QByteArray rtf = writeRtf(original);
    QTextDocument read;
    const RtfReadReport report = readRtf(rtf, read);
    QVERIFY2(report.wellFormed, rtf.constData());
    QCOMPARE(read.toPlainText(), original.toPlainText());
    QCOMPARE(describeDocument(read), describeDocument(original));
}

void TestRtf::pageLayoutRoundTrip()
{
    QTextDocument original;
    original.setPlainText(QStringLiteral("Seite"));
    original.addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("bild")), sampleImage());
    QTextImageFormat image;
    image.setName(QStringLiteral("bild"));
    image.setWidth(40);
    image.setHeight(20);
    QTextCursor end(&original);
    end.movePosition(QTextCursor::End);
    end.insertImage(image);
    const PageLayout landscape{17100, 11880, 285, 570, 855, 1140};
    setPageLayout(original, landscape);

    QTextDocument read;
    readRtf(writeRtf(original), read);
    QCOMPARE(pageLayoutOf(read), landscape);
    QCOMPARE(describeDocument(read), describeDocument(original));
    // The picture itself comes back, not only its place.
    QTextCursor c = read.find(QString(QChar::ObjectReplacementCharacter));
    QVERIFY(!c.isNull());
    const QString name = c.charFormat().toImageFormat().name();
    const QImage back = read.resource(QTextDocument::ImageResource, QUrl(name)).value<QImage>();
    QCOMPARE(back.size(), QSize(8, 4));
    QCOMPARE(back.pixelColor(3, 2), QColor(200, 30, 30));
}

void TestRtf::writerOutputIsPlainRtf()
{
    QTextDocument doc;
    doc.setPlainText(QStringLiteral("Grüße € \U0001F600"));
    const QByteArray rtf = writeRtf(doc);
    QVERIFY(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1252"));
    QVERIFY(rtf.contains("{\\fonttbl"));
    QVERIFY(rtf.contains("{\\colortbl"));
    QVERIFY(rtf.contains("Gr\\'fc\\'dfe \\'80"));           // Windows-1252 as \'xx
    QVERIFY(rtf.contains("\\u-10179?\\u-8704?"));          // the rest as signed \uN
    for (const char byte : rtf)
        QVERIFY2(uchar(byte) < 0x80, "RTF must be 7-bit");
}

void TestRtf::otherWriters_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("formats"); // "needle=expected part of its description"

    QTest::newRow("WordPad") << "wordpad.rtf" << QStringLiteral("Grüße aus Köln\nFett, kursiv, unter.\nrot")
                             << QStringList{"Grüße=b=0 i=0 u=0 s=0 v=0 font=Calibri pt=11", "Fett=b=1 i=0",
                                            "kursiv=b=0 i=1", "unter=u=1", "rot=font=Arial pt=14 color=#ff0000",
                                            "Köln=sa=200"};
    QTest::newRow("Word") << "word.rtf"
                          << QStringLiteral("Überschrift\nPreis: 5 €, Gedankenstrich – und — blau kursivVerweis.2x")
                          << QStringList{"Überschrift=b=1 i=0 u=0 s=0 v=0 font=Arial pt=16",
                                         "Überschrift=align=center li=0 ri=0 fi=0 sb=120 sa=240",
                                         "Preis=b=0 i=0 u=0 s=0 v=0 font=Arial pt=11",
                                         "Preis=align=justify li=567 ri=283 fi=-283 sb=0 sa=120",
                                         "blau=i=1", "blau=color=#0000ff", "Verweis=u=1", "Verweis=color=#008000",
                                         "2=v=1", "x=v=2"};
    QTest::newRow("tab-stop table") << "tabs.rtf"
                                    << QStringLiteral("Name\tStraße\tOrt\tLa\tPLZ\tMitte\t1,5\nZweite\tZeile\nmit Umbruch")
                                    << QStringList{"Name=tabs=3100:0,6200:0,9300:0,9700:0,10400:1,12600:2,14600:3",
                                                   "Name=font=Arial pt=10",
                                                   "Zweite=li=720 ri=0 fi=-360 sb=0 sa=0 tabs=1440:0"};
    QTest::newRow("LibreOffice") << "libreoffice.rtf" << QStringLiteral("Straße und Plätze\ndurchgestrichen rot")
                                 << QStringList{"Straße=font=Liberation Sans pt=12", "Straße=align=left",
                                                "durchgestrichen=s=1", "durchgestrichen=color=#c9211e",
                                                "durchgestrichen=align=right"};
}

void TestRtf::otherWriters()
{
    QFETCH(QString, file);
    QFETCH(QString, text);
    QFETCH(QStringList, formats);
    QTextDocument doc;
    const RtfReadReport report = readRtf(fixture(file), doc);
    QVERIFY(report.wellFormed);
    QCOMPARE(doc.toPlainText(), text);
    for (const QString &entry : formats) {
        const QString needle = entry.section(QLatin1Char('='), 0, 0);
        const QString expected = entry.section(QLatin1Char('='), 1);
        const QString actual = formatAt(doc, needle);
        QVERIFY2(actual.contains(expected), qPrintable(needle + ": " + actual));
    }
}

void TestRtf::pageFromOtherWriters_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<PageLayout>("page");
    QTest::newRow("Word A4") << "word.rtf" << PageLayout{11906, 16838, 1417, 1417, 1417, 1134};
    QTest::newRow("landscape") << "tabs.rtf" << PageLayout{17100, 11880, 285, 285, 285, 285};
    QTest::newRow("LibreOffice sections") << "libreoffice.rtf" << PageLayout{11906, 16838, 1134, 1134, 1134, 1134};
    QTest::newRow("none given") << "wordpad.rtf" << PageLayout{};
}

void TestRtf::pageFromOtherWriters()
{
    QFETCH(QString, file);
    QFETCH(PageLayout, page);
    QTextDocument doc;
    readRtf(fixture(file), doc);
    QCOMPARE(pageLayoutOf(doc), page);
}

void TestRtf::malformed_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("wellFormed");

    const int depth = 100000;
    QTest::newRow("truncated") << QByteArray("{\\rtf1 Hallo {\\b Welt") << QStringLiteral("Hallo Welt") << false;
    QTest::newRow("truncated control word") << QByteArray("{\\rtf1 A\\") << QStringLiteral("A") << false;
    QTest::newRow("truncated hex") << QByteArray("{\\rtf1 A\\'f") << QStringLiteral("A") << false;
    QTest::newRow("too many closing braces") << QByteArray("{\\rtf1 eins}}}} zwei") << QStringLiteral("eins") << true;
    QTest::newRow("closing brace first") << QByteArray("}{\\rtf1 x}") << QString() << false;
    QTest::newRow("100000 nested groups")
        << QByteArray("{\\rtf1 ") + QByteArray(depth, '{') + "tief" + QByteArray(depth, '}') + " ende}"
        << QStringLiteral("tief ende") << true;
    QTest::newRow("100000 unclosed groups") << QByteArray("{\\rtf1 ") + QByteArray(depth, '{') + "offen"
                                            << QStringLiteral("offen") << false;
    QTest::newRow("bin with huge length") << QByteArray("{\\rtf1 vor\\bin2147483647 nach}") << QStringLiteral("vor")
                                          << false;
    QTest::newRow("bin beyond int") << QByteArray("{\\rtf1 vor\\bin99999999999999999999 x}") << QStringLiteral("vor")
                                    << false;
    QTest::newRow("bin skips braces") << QByteArray("{\\rtf1 a{\\*\\x\\bin3 }}{}b}") << QStringLiteral("ab") << true;
    QTest::newRow("huge numbers") << QByteArray("{\\rtf1\\fs99999999999\\li-99999999999\\tx-5\\uc99999\\u99999999 x}")
                                  << QString() << true;
    QTest::newRow("endless keyword") << QByteArray("{\\rtf1 \\") + QByteArray(200000, 'a') + " x}"
                                     << QStringLiteral("x") << true;
    QTest::newRow("control characters") << QByteArray("{\\rtf1 a\\'00\\'0d\\u0?\\u65532?b}") << QStringLiteral("ab")
                                        << true;
    QTest::newRow("picture never closed") << QByteArray("{\\rtf1 a{\\pict\\pngblip 89504e47") << QStringLiteral("a")
                                          << false;
    QTest::newRow("empty") << QByteArray() << QString() << false;
}

void TestRtf::malformed()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, text);
    QFETCH(bool, wellFormed);
    QTextDocument doc;
    const RtfReadReport report = readRtf(rtf, doc);
    QCOMPARE(doc.toPlainText(), text);
    QCOMPARE(report.wellFormed, wellFormed);
    QCOMPARE(report.problem().isEmpty(), wellFormed);
}

void TestRtf::brokenPicture()
{
    QTextDocument doc;
    const RtfReadReport report =
        readRtf("{\\rtf1 vor{\\pict\\pngblip 89504e470d0a1a0a00ff}{\\pict\\wmetafile8 0100}nach}", doc);
    QCOMPARE(doc.toPlainText(), QStringLiteral("vornach"));
    QCOMPARE(report.picturesSkipped, 2);
    QVERIFY(report.problem().contains(QStringLiteral("Bild")));
}

void TestRtf::detection_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("format");
    QTest::newRow("rtf") << QByteArray("{\\rtf1 x}") << int(TextFormat::Rtf);
    QTest::newRow("rtf after BOM and blanks") << QByteArray("\xEF\xBB\xBF \r\n{\\rtf1 x}") << int(TextFormat::Rtf);
    QTest::newRow("html") << QByteArray("<!DOCTYPE HTML><html><body>x</body></html>") << int(TextFormat::Html);
    QTest::newRow("html fragment") << QByteArray("<p>Hallo</p>") << int(TextFormat::Html);
    QTest::newRow("plain") << QByteArray("Hallo {Welt} <3") << int(TextFormat::Plain);
    QTest::newRow("empty") << QByteArray() << int(TextFormat::Plain);
}

void TestRtf::detection()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, format);
    QCOMPARE(int(detectFormat(bytes)), format);
}

QTEST_MAIN(TestRtf)
#include "tst_richtext_rtf.moc"
