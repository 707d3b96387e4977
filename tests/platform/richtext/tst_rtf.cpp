#include <QBuffer>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextImageFormat>
#include <QtTest>

#include "platform/richtext/rich_text.h"
#include "platform/richtext/rtf_reader.h"
#include "platform/richtext/rtf_writer.h"
#include "support/test_files.h"

namespace {

QByteArray Fixture(const QString &name)
{
    const QByteArray bytes = ReadFileBytes(QStringLiteral(ZV_TEST_DATA_DIR "/rtf/") + name);
    if (bytes.isEmpty())
        qWarning("missing fixture %s", qPrintable(name));
    return bytes;
}

// The text of every block joined by '|' (line separators and tabs stay as they are).
QString BlockTexts(const QTextDocument &document)
{
    QStringList texts;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        texts << block.text();
    return texts.join(u'|');
}

// The character format of the first character of the first occurrence of word.
QTextCharFormat FormatOf(const QTextDocument &document, const QString &word)
{
    const QTextCursor found = document.find(word, 0, QTextDocument::FindCaseSensitively);
    if (found.isNull())
        return QTextCharFormat();
    QTextCursor cursor(const_cast<QTextDocument *>(&document));
    cursor.setPosition(found.selectionStart() + 1);
    return cursor.charFormat();
}

QTextBlockFormat BlockFormatOf(const QTextDocument &document, const QString &word)
{
    return document.find(word, 0, QTextDocument::FindCaseSensitively).blockFormat();
}

QString Family(const QTextCharFormat &format)
{
    return format.property(QTextFormat::FontFamilies).toStringList().value(0);
}

QColor Foreground(const QTextCharFormat &format)
{
    return format.foreground().style() == Qt::NoBrush ? QColor() : format.foreground().color();
}

QColor Background(const QTextCharFormat &format)
{
    return format.background().style() == Qt::NoBrush ? QColor() : format.background().color();
}

QByteArray Encoded(const QImage &image, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

// Blue left half, red right half.
QImage TestImage()
{
    QImage image(16, 12, QImage::Format_RGB32);
    image.fill(qRgb(255, 0, 0));
    for (int y = 0; y < 12; ++y) {
        for (int x = 0; x < 8; ++x)
            image.setPixel(x, y, qRgb(0, 0, 255));
    }
    return image;
}

// The image formats of the document, in order.
QList<QTextImageFormat> Images(const QTextDocument &document)
{
    QList<QTextImageFormat> images;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            if (it.fragment().charFormat().isImageFormat())
                images << it.fragment().charFormat().toImageFormat();
        }
    }
    return images;
}

QImage ResourceImage(const QTextDocument &document, const QTextImageFormat &format)
{
    const QVariant resource = document.resource(QTextDocument::ImageResource, QUrl(format.name()));
    if (resource.userType() == QMetaType::QImage)
        return resource.value<QImage>();
    return QImage::fromData(resource.toByteArray());
}

// Written and read back; fails the test when the writer's output does not read cleanly.
bool RoundTrip(const QTextDocument &source, QTextDocument &target)
{
    const QByteArray rtf = WriteRtf(source);
    QString error;
    const bool ok = ReadRtf(rtf, target, &error);
    if (!ok)
        qWarning("written RTF did not read back: %s\n%s", qPrintable(error), rtf.constData());
    return ok;
}

void CompareCharFormats(const QTextCharFormat &actual, const QTextCharFormat &expected)
{
    QCOMPARE(actual.fontWeight() > QFont::Medium, expected.fontWeight() > QFont::Medium);
    QCOMPARE(actual.fontItalic(), expected.fontItalic());
    QCOMPARE(actual.fontUnderline(), expected.fontUnderline());
    QCOMPARE(actual.fontStrikeOut(), expected.fontStrikeOut());
    QCOMPARE(actual.fontPointSize(), expected.fontPointSize());
    QCOMPARE(Family(actual), Family(expected));
    QCOMPARE(Foreground(actual), Foreground(expected));
    QCOMPARE(Background(actual), Background(expected));
    QCOMPARE(actual.verticalAlignment(), expected.verticalAlignment());
}

} // namespace

class TestRtf : public QObject
{
    Q_OBJECT

private slots:
    void readText_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QString>("text");
        QTest::newRow("plain") << QByteArray("{\\rtf1 Hello world}") << "Hello world";
        QTest::newRow("leading white space") << QByteArray(" \r\n{\\rtf1\\ansi x}") << "x";
        QTest::newRow("paragraphs") << QByteArray("{\\rtf1 One\\par Two\\par}") << "One|Two";
        QTest::newRow("last paragraph unterminated") << QByteArray("{\\rtf1 One\\par Two}") << "One|Two";
        QTest::newRow("empty paragraph") << QByteArray("{\\rtf1 One\\par\\par Two\\par}") << "One||Two";
        QTest::newRow("backslash newline is par") << QByteArray("{\\rtf1 a\\\nb}") << "a|b";
        QTest::newRow("line tab") << QByteArray("{\\rtf1 a\\line b\\tab c\td}") << QString("a\u2028b\tc\td");
        QTest::newRow("newlines ignored") << QByteArray("{\\rtf1 a\r\nb\nc}") << "abc";
        QTest::newRow("escaped specials") << QByteArray("{\\rtf1 \\{x\\} \\\\ y\\~z\\-w\\_v}")
                                          << QString("{x} \\ y\u00A0z\u00ADw\u2011v");
        QTest::newRow("special words") << QByteArray("{\\rtf1 \\lquote a\\rquote \\ldblquote b\\rdblquote \\emdash\\endash\\bullet}")
                                       << QString("\u2018a\u2019\u201Cb\u201D\u2014\u2013\u2022");
        QTest::newRow("delimiter space") << QByteArray("{\\rtf1 \\b bold\\b0  two}") << "bold two";
        QTest::newRow("1252") << QByteArray("{\\rtf1\\ansi\\ansicpg1252 caf\\'e9 \\'80\\'93\\'94}")
                              << QString("caf\u00E9 \u20AC\u201C\u201D");
        QTest::newRow("1252 default") << QByteArray("{\\rtf1\\ansi caf\\'E9}") << QString("caf\u00E9");
        QTest::newRow("1251") << QByteArray("{\\rtf1\\ansi\\ansicpg1251 \\'cf\\'f0\\'e8\\'e2\\'e5\\'f2 \\'e9}")
                              << QString("\u041F\u0440\u0438\u0432\u0435\u0442 \u0439");
        QTest::newRow("1250") << QByteArray("{\\rtf1\\ansi\\ansicpg1250 \\'b9\\'9c}") << QString("\u0105\u015B");
        QTest::newRow("font charset 204 in 1252")
            << QByteArray("{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset204 Arial;}}\\f0\\'e9\\f1\\'e9}")
            << QString("\u00E9\u0439");
        QTest::newRow("932 with literal trail bytes")
            << QByteArray("{\\rtf1\\ansi\\ansicpg932{\\fonttbl{\\f0\\fcharset128 MS Gothic;}}\\f0 \\'83e\\'83X\\'83g \\'93\\'fa}")
            << QString("\u30C6\u30B9\u30C8 \u65E5");
        QTest::newRow("936") << QByteArray("{\\rtf1\\ansi\\ansicpg936 \\'d6\\'d0\\'ce\\'c4}") << QString("\u4E2D\u6587");
        QTest::newRow("unicode uc1") << QByteArray("{\\rtf1 \\u8364?x\\u233\\'e9y}") << QString("\u20ACx\u00E9y");
        QTest::newRow("unicode negative pair") << QByteArray("{\\rtf1 \\u-10179?\\u-8704?}") << QString("\U0001F600");
        QTest::newRow("uc2 skips two escapes") << QByteArray("{\\rtf1\\uc2 \\u26085\\'93\\'fa!}") << QString("\u65E5!");
        QTest::newRow("uc0 skips nothing") << QByteArray("{\\rtf1\\uc0 \\u233 x}") << QString("\u00E9x");
        QTest::newRow("skip ends with group") << QByteArray("{\\rtf1 {\\u233}x}") << QString("\u00E9x");
        QTest::newRow("uc is group scoped") << QByteArray("{\\rtf1 {\\uc2 \\u233 ab}\\u233 cd}")
                                            << QString("\u00E9\u00E9d");
        QTest::newRow("skip counts a control word") << QByteArray("{\\rtf1 \\u233\\tab x}") << QString("\u00E9x");
        QTest::newRow("ignorable destinations")
            << QByteArray("{\\rtf1 {\\*\\unknown hidden {nested}}shown{\\*\\fldinst HYPERLINK x}{\\*\\pn{\\pntxtb x}}}")
            << "shown";
        QTest::newRow("unknown words ignored") << QByteArray("{\\rtf1 {\\foo visible} \\bar7 text}") << "visible text";
        QTest::newRow("skipped destinations")
            << QByteArray("{\\rtf1{\\stylesheet{\\s0 Normal;}}{\\info{\\title T}{\\author A}}{\\header H}{\\footer F}"
                          "{\\footnote N}{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red1\\green2\\blue3;}Body}")
            << "Body";
        QTest::newRow("field result") << QByteArray("{\\rtf1{\\field{\\*\\fldinst HYPERLINK \"http://x\"}{\\fldrslt link}}}")
                                      << "link";
        QTest::newRow("object result") << QByteArray("{\\rtf1{\\object\\objemb{\\*\\objclass Paint}{\\*\\objdata 0102}{\\result shown}}}")
                                       << "shown";
        QTest::newRow("binary data") << QByteArray("{\\rtf1 a{\\*\\foo\\bin3 }}}}b}") << "ab";
        QTest::newRow("table")
            << QByteArray("{\\rtf1\\trowd\\cellx100\\cellx200\\pard\\intbl a\\cell b\\cell\\row"
                          "\\trowd\\cellx100\\cellx200\\pard\\intbl\\cell d\\par e\\cell\\row\\pard after\\par}")
            << QString("a\tb|\td\u2028e|after");
        QTest::newRow("nested table")
            << QByteArray("{\\rtf1\\trowd\\cellx900\\pard\\intbl\\itap2 x\\nestcell y\\nestcell{\\*\\nesttableprops\\trowd\\nestrow}"
                          "z\\nestcell w\\nestcell{\\*\\nesttableprops\\trowd\\nestrow}{\\nonesttables\\par}\\pard\\intbl\\cell\\row}")
            << QString("x\ty\u2028z\tw\u2028");
        QTest::newRow("list text") << QByteArray("{\\rtf1{\\listtext \\u8226?\\tab}Item\\par{\\pntext\\f1 2.\\tab}Next\\par}")
                                   << QString("\u2022\tItem|2.\tNext");
        QTest::newRow("symbol bullet") << QByteArray("{\\rtf1{\\fonttbl{\\f1\\fcharset2 Symbol;}}{\\pntext\\f1\\'B7\\tab}Item}")
                                       << QString("\u2022\tItem");
        QTest::newRow("page after par adds nothing") << QByteArray("{\\rtf1 a\\par\\page b\\par\\sect c\\page d}") << "a|b|c|d";
        QTest::newRow("control characters dropped") << QByteArray("{\\rtf1 a\\u13?b\\'0dc\\u8233?d\\u65532?e}")
                                                    << "abcde";
        QTest::newRow("text after the document") << QByteArray("{\\rtf1 in}out}") << "in";
    }

    void readText()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(QString, text);
        QTextDocument document;
        QString error;
        QVERIFY2(ReadRtf(rtf, document, &error), qPrintable(error));
        QCOMPARE(BlockTexts(document), text);

        // What was read is written so that it reads back the same.
        QTextDocument again;
        QVERIFY(RoundTrip(document, again));
        QCOMPARE(BlockTexts(again), text);
    }

    void charFormat_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QString>("word");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<bool>("italic");
        QTest::addColumn<bool>("underline");
        QTest::addColumn<bool>("strike");
        QTest::addColumn<double>("points");
        QTest::addColumn<QString>("family");
        QTest::addColumn<QColor>("foreground");
        QTest::addColumn<QColor>("background");
        QTest::addColumn<int>("vertical");

        const QByteArray head = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\froman\\fcharset0 Times New Roman;}}"
                                "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green128\\blue255;}";
        const QColor none;
        const QColor red(255, 0, 0);
        const QColor blue(0, 128, 255);
        const int normal = QTextCharFormat::AlignNormal;
        QTest::newRow("default") << head + "plain}" << "plain" << false << false << false << false << 12.0 << "Arial"
                                 << none << none << normal;
        QTest::newRow("bold") << head + "a \\b bold\\b0  c}" << "bold" << true << false << false << false << 12.0
                              << "Arial" << none << none << normal;
        QTest::newRow("bold off") << head + "\\b a \\b0 off}" << "off" << false << false << false << false << 12.0
                                  << "Arial" << none << none << normal;
        QTest::newRow("italic underline strike") << head + "\\i\\ul\\strike all}" << "all" << false << true << true
                                                 << true << 12.0 << "Arial" << none << none << normal;
        QTest::newRow("ulnone") << head + "\\ul a\\ulnone plain}" << "plain" << false << false << false << false
                                << 12.0 << "Arial" << none << none << normal;
        QTest::newRow("underline variant") << head + "\\uldb dbl}" << "dbl" << false << false << true << false
                                           << 12.0 << "Arial" << none << none << normal;
        QTest::newRow("plain resets") << head + "\\b\\i\\f1\\fs40\\cf1 a\\plain reset}" << "reset" << false << false
                                      << false << false << 12.0 << "Arial" << none << none << normal;
        QTest::newRow("font and size") << head + "\\f1\\fs30 times}" << "times" << false << false << false << false
                                       << 15.0 << "Times New Roman" << none << none << normal;
        QTest::newRow("odd half points") << head + "\\fs21 half}" << "half" << false << false << false << false
                                         << 10.5 << "Arial" << none << none << normal;
        QTest::newRow("foreground") << head + "\\cf1 red}" << "red" << false << false << false << false << 12.0
                                    << "Arial" << red << none << normal;
        QTest::newRow("cf0 is automatic") << head + "\\cf1 a\\cf0 auto}" << "auto" << false << false << false << false
                                          << 12.0 << "Arial" << none << none << normal;
        QTest::newRow("highlight") << head + "\\highlight2 marked}" << "marked" << false << false << false << false
                                   << 12.0 << "Arial" << none << blue << normal;
        QTest::newRow("cb") << head + "\\cb1 shaded}" << "shaded" << false << false << false << false << 12.0
                            << "Arial" << none << red << normal;
        QTest::newRow("missing colour") << head + "\\cf9\\highlight9 x}" << "x" << false << false << false << false
                                        << 12.0 << "Arial" << none << none << normal;
        QTest::newRow("super") << head + "x\\super 2}" << "2" << false << false << false << false << 12.0 << "Arial"
                               << none << none << int(QTextCharFormat::AlignSuperScript);
        QTest::newRow("sub then nosupersub") << head + "H\\sub 2\\nosupersub O}" << "O" << false << false << false
                                             << false << 12.0 << "Arial" << none << none << normal;
        QTest::newRow("sub") << head + "H\\sub 2\\nosupersub O}" << "2" << false << false << false << false << 12.0
                             << "Arial" << none << none << int(QTextCharFormat::AlignSubScript);
        QTest::newRow("group sets") << head + "a{\\b b{\\i c}d}e}" << "c" << true << true << false << false << 12.0
                                    << "Arial" << none << none << normal;
        QTest::newRow("group restores inner") << head + "a{\\b b{\\i c}d}e}" << "d" << true << false << false << false
                                              << 12.0 << "Arial" << none << none << normal;
        QTest::newRow("group restores outer") << head + "a{\\b\\f1\\fs16\\cf1 b{\\i c}d}e}" << "e" << false << false
                                              << false << false << 12.0 << "Arial" << none << none << normal;
        QTest::newRow("default font") << QByteArray("{\\rtf1\\deff1{\\fonttbl{\\f0 Arial;}{\\f1 Courier New;}}x}")
                                      << "x" << false << false << false << false << 12.0 << "Courier New" << none
                                      << none << normal;
        QTest::newRow("font table without groups")
            << QByteArray("{\\rtf1{\\fonttbl\\f0\\fswiss Helvetica;\\f1\\fmodern Courier;}\\f1 x}") << "x" << false
            << false << false << false << 12.0 << "Courier" << none << none << normal;
        QTest::newRow("font name escapes") << QByteArray("{\\rtf1\\ansi{\\fonttbl{\\f0\\fnil{\\*\\panose 0203}Caf\\'e9 "
                                                         "Sans{\\*\\falt X};}}x}")
                                           << "x" << false << false << false << false << 12.0 << QString("Caf\u00E9 Sans")
                                           << none << none << normal;
        QTest::newRow("colour table without auto entry")
            << QByteArray("{\\rtf1{\\colortbl\\red0\\green0\\blue0;\\red255\\green0\\blue0;}\\cf1 a\\cf0 black}")
            << "black" << false << false << false << false << 12.0 << "" << QColor(0, 0, 0) << none << normal;
    }

    void charFormat()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(QString, word);
        QFETCH(bool, bold);
        QFETCH(bool, italic);
        QFETCH(bool, underline);
        QFETCH(bool, strike);
        QFETCH(double, points);
        QFETCH(QString, family);
        QFETCH(QColor, foreground);
        QFETCH(QColor, background);
        QFETCH(int, vertical);

        QTextDocument document;
        QVERIFY(ReadRtf(rtf, document));
        QTextDocument again;
        QVERIFY(RoundTrip(document, again));
        // The document read, and the same written and read back.
        for (const QTextDocument *doc : {&document, &again}) {
            const QTextCharFormat format = FormatOf(*doc, word);
            QVERIFY2(format.isValid(), qPrintable(BlockTexts(*doc)));
            QCOMPARE(format.fontWeight() > QFont::Medium, bold);
            QCOMPARE(format.fontItalic(), italic);
            QCOMPARE(format.fontUnderline(), underline);
            QCOMPARE(format.fontStrikeOut(), strike);
            QCOMPARE(format.fontPointSize(), points);
            if (doc == &document || !family.isEmpty())
                QCOMPARE(Family(format), family);
            QCOMPARE(Foreground(format), foreground);
            QCOMPARE(Background(format), background);
            QCOMPARE(int(format.verticalAlignment()), vertical);
        }
    }

    void paragraphFormat_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QString>("word");
        QTest::addColumn<int>("alignment");
        QTest::addColumn<double>("left");
        QTest::addColumn<double>("right");
        QTest::addColumn<double>("first");
        QTest::addColumn<double>("before");
        QTest::addColumn<double>("after");
        const int left = Qt::AlignLeft;
        QTest::newRow("default") << QByteArray("{\\rtf1 text\\par}") << "text" << left << 0.0 << 0.0 << 0.0 << 0.0 << 0.0;
        QTest::newRow("center") << QByteArray("{\\rtf1\\pard\\qc text\\par}") << "text" << int(Qt::AlignHCenter) << 0.0
                                << 0.0 << 0.0 << 0.0 << 0.0;
        QTest::newRow("right") << QByteArray("{\\rtf1\\pard\\qr text\\par}") << "text" << int(Qt::AlignRight) << 0.0
                               << 0.0 << 0.0 << 0.0 << 0.0;
        QTest::newRow("justify") << QByteArray("{\\rtf1\\pard\\qj text\\par}") << "text" << int(Qt::AlignJustify)
                                 << 0.0 << 0.0 << 0.0 << 0.0 << 0.0;
        QTest::newRow("indents and spacing") << QByteArray("{\\rtf1\\pard\\li720\\ri360\\fi-360\\sb120\\sa240 text\\par}")
                                             << "text" << left << 48.0 << 24.0 << -24.0 << 8.0 << 16.0;
        QTest::newRow("properties at par apply") << QByteArray("{\\rtf1 text\\qc\\par}") << "text"
                                                 << int(Qt::AlignHCenter) << 0.0 << 0.0 << 0.0 << 0.0 << 0.0;
        QTest::newRow("carried to next paragraph") << QByteArray("{\\rtf1\\qr\\li300 a\\par next\\par}") << "next"
                                                   << int(Qt::AlignRight) << 20.0 << 0.0 << 0.0 << 0.0 << 0.0;
        QTest::newRow("pard resets") << QByteArray("{\\rtf1\\qc\\li300 a\\par\\pard next\\par}") << "next" << left
                                     << 0.0 << 0.0 << 0.0 << 0.0 << 0.0;
        QTest::newRow("group restores") << QByteArray("{\\rtf1{\\qc a\\par}next\\par}") << "next" << left << 0.0
                                        << 0.0 << 0.0 << 0.0 << 0.0;
        QTest::newRow("clamped") << QByteArray("{\\rtf1\\li2000000000\\sa-50 text\\par}") << "text" << left << 2112.0
                                 << 0.0 << 0.0 << 0.0 << 0.0;
    }

    void paragraphFormat()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(QString, word);
        QFETCH(int, alignment);
        QFETCH(double, left);
        QFETCH(double, right);
        QFETCH(double, first);
        QFETCH(double, before);
        QFETCH(double, after);
        QTextDocument document;
        QVERIFY(ReadRtf(rtf, document));
        QTextDocument again;
        QVERIFY(RoundTrip(document, again));
        for (const QTextDocument *doc : {&document, &again}) {
            const QTextBlockFormat format = BlockFormatOf(*doc, word);
            QCOMPARE(int(format.alignment() & Qt::AlignHorizontal_Mask), alignment);
            QCOMPARE(format.leftMargin(), left);
            QCOMPARE(format.rightMargin(), right);
            QCOMPARE(format.textIndent(), first);
            QCOMPARE(format.topMargin(), before);
            QCOMPARE(format.bottomMargin(), after);
        }
    }

    void readImages_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<int>("images");
        QTest::addColumn<QSize>("shown");
        const QByteArray png = Encoded(TestImage(), "PNG").toHex();
        const QByteArray jpeg = Encoded(TestImage(), "JPEG").toHex();
        QTest::newRow("png natural size") << "{\\rtf1 a{\\pict\\pngblip\\picw16\\pich12 " + png + "}b}" << 1 << QSize(16, 12);
        QTest::newRow("png goal size") << "{\\rtf1 a{\\pict\\pngblip\\picwgoal480\\pichgoal360\r\n" + png + "}b}" << 1
                                       << QSize(32, 24);
        QTest::newRow("scaled") << "{\\rtf1 {\\pict\\picscalex50\\picscaley200\\pngblip\\picwgoal480\\pichgoal360 " + png
                                       + "}}"
                                << 1 << QSize(16, 48);
        QTest::newRow("jpeg") << "{\\rtf1 {\\pict\\jpegblip " + jpeg + "}}" << 1 << QSize(16, 12);
        QTest::newRow("binary png") << "{\\rtf1 {\\pict\\pngblip\\bin" + QByteArray::number(Encoded(TestImage(), "PNG").size())
                                           + " " + Encoded(TestImage(), "PNG") + "}}"
                                    << 1 << QSize(16, 12);
        QTest::newRow("shppict, not its fallback")
            << "{\\rtf1 {\\*\\shppict{\\pict\\pngblip " + png + "}}{\\nonshppict{\\pict\\wmetafile8 0100}}}" << 1
            << QSize(16, 12);
        QTest::newRow("shape picture")
            << "{\\rtf1 {\\shp{\\*\\shpinst\\shpleft0\\shptop0\\shpright600\\shpbottom300{\\sp{\\sn fillBlip}{\\sv {\\pict\\pngblip "
                   + jpeg + "}}}{\\sp{\\sn pib}{\\sv {\\pict\\pngblip " + png + "}}}}{\\shprslt{\\pict\\pngblip " + png
                   + "}}}}"
            << 1 << QSize(40, 20);
        QTest::newRow("shape of huge extent")
            << "{\\rtf1 {\\shp{\\*\\shpinst\\shpleft-2147483647\\shpright2147483647{\\sp{\\sn pib}{\\sv {\\pict\\pngblip "
                   + png + "}}}}}}"
            << 1 << QSize(10000, 12);
        QTest::newRow("metafile skipped") << QByteArray("{\\rtf1 a{\\pict\\wmetafile8\\picw100\\pich100 0100090000}b}") << 0
                                          << QSize();
        QTest::newRow("corrupt png skipped") << QByteArray("{\\rtf1 a{\\pict\\pngblip 89504e470d0a1a0a0000}b}") << 0
                                             << QSize();
    }

    void readImages()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(int, images);
        QFETCH(QSize, shown);
        QTextDocument document;
        QVERIFY(ReadRtf(rtf, document));
        const QList<QTextImageFormat> found = Images(document);
        QCOMPARE(found.size(), images);
        if (images == 0) {
            QVERIFY(!document.toPlainText().contains(QChar::ObjectReplacementCharacter));
            return;
        }
        QCOMPARE(QSizeF(found[0].width(), found[0].height()).toSize(), shown);
        const QImage image = ResourceImage(document, found[0]);
        QCOMPARE(image.size(), QSize(16, 12));
        QVERIFY(QColor(image.pixel(0, 0)).blue() > 200);
        QVERIFY(QColor(image.pixel(15, 11)).red() > 200);
    }

    void imageIsDrawn()
    {
        // The picture read is painted where it stands in the text.
        const QByteArray png = Encoded(TestImage(), "PNG").toHex();
        QTextDocument document;
        document.setDocumentMargin(0);
        QVERIFY(ReadRtf("{\\rtf1 {\\pict\\pngblip\\picwgoal600\\pichgoal450 " + png + "}}", document));
        QImage canvas(100, 100, QImage::Format_RGB32);
        canvas.fill(Qt::white);
        QPainter painter(&canvas);
        document.drawContents(&painter);
        painter.end();
        // 40 by 30 pixels: blue on the left, red on the right.
        int red = 0;
        int blue = 0;
        for (int y = 0; y < 100; ++y) {
            for (int x = 0; x < 100; ++x) {
                const QColor c = canvas.pixelColor(x, y);
                red += c.red() > 200 && c.green() < 50 && c.blue() < 50 && x >= 20 && x < 40;
                blue += c.blue() > 200 && c.green() < 50 && c.red() < 50 && x < 20;
            }
        }
        QVERIFY2(red > 20 * 25 && blue > 20 * 25, qPrintable(QString("%1 %2").arg(red).arg(blue)));
    }

    void libreOfficeFixture()
    {
        QTextDocument document;
        QString error;
        QVERIFY2(ReadRtf(Fixture("libreoffice_letter.rtf"), document, &error), qPrintable(error));
        QCOMPARE(BlockTexts(document),
                 QString("Quarterly Letter|Plain, bold, italic, underlined and red text.|Large and mono."
                         "|Caf\u00E9 d\u00E9j\u00E0 vu \u2013 \u201Cquoted\u201D \u20AC 5 \u041F\u0440\u0438\u0432\u0435\u0442 \u65E5\u672C"
                         "|Right aligned|Indented paragraph| \u2022\tFirst point| \u2022\tSecond point| 1.\tStep one"
                         "| 2.\tStep two|Name\tQty|Apples\t12|Picture: \uFFFC end."));
        QCOMPARE(BlockFormatOf(document, "Quarterly").alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
        QCOMPARE(BlockFormatOf(document, "Right aligned").alignment() & Qt::AlignRight, Qt::AlignRight);
        QCOMPARE(BlockFormatOf(document, "Indented").leftMargin(), 48.0);
        QCOMPARE(BlockFormatOf(document, "Indented").rightMargin(), 24.0);
        QCOMPARE(BlockFormatOf(document, "Indented").textIndent(), 24.0);
        QCOMPARE(BlockFormatOf(document, "First point").textIndent(), -24.0);
        QVERIFY(FormatOf(document, "bold").fontWeight() == QFont::Bold);
        QVERIFY(FormatOf(document, "Plain").fontWeight() == QFont::Normal);
        QVERIFY(FormatOf(document, "italic").fontItalic());
        QVERIFY(FormatOf(document, "underlined").fontUnderline());
        QCOMPARE(Foreground(FormatOf(document, "red")), QColor(255, 0, 0));
        QCOMPARE(Foreground(FormatOf(document, "text.")), QColor());
        QCOMPARE(FormatOf(document, "Large").fontPointSize(), 18.0);
        QCOMPARE(Family(FormatOf(document, "mono")), QString("Liberation Mono"));
        QCOMPARE(Family(FormatOf(document, "Plain")), QString("Liberation Serif"));
        // The picture of the shape LibreOffice writes, at the shape's size (0.5 by 0.375 inch).
        const QList<QTextImageFormat> images = Images(document);
        QCOMPARE(images.size(), 1);
        QCOMPARE(qRound(images[0].width()), 48);
        QCOMPARE(qRound(images[0].height()), 36);
        QCOMPARE(ResourceImage(document, images[0]).size(), QSize(8, 6));
    }

    void wordPadFixture()
    {
        QTextDocument document;
        QVERIFY(ReadRtf(Fixture("wordpad_notes.rtf"), document));
        QCOMPARE(BlockTexts(document),
                 QString("Meeting notes|Caf\u00E9 au lait costs \u20AC5. Red and blue underlined. Marked text."
                         "|\u041F\u0440\u0438\u0432\u0435\u0442, \u043C\u0438\u0440!|\u2022\tFirst item|\u2022\tSecond item"
                         "|Italic and struck and x2 H2O"));
        const QTextCharFormat title = FormatOf(document, "Meeting");
        QVERIFY(title.fontWeight() == QFont::Bold);
        QCOMPARE(title.fontPointSize(), 16.0);
        QCOMPARE(Family(title), QString("Calibri"));
        QCOMPARE(BlockFormatOf(document, "Meeting").alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
        QCOMPARE(BlockFormatOf(document, "Meeting").bottomMargin(), 200 / 15.0);
        QCOMPARE(FormatOf(document, "Caf").fontPointSize(), 11.0);
        QVERIFY(FormatOf(document, "Caf").fontWeight() == QFont::Normal);
        QCOMPARE(Foreground(FormatOf(document, "Red")), QColor(255, 0, 0));
        QCOMPARE(Foreground(FormatOf(document, "blue")), QColor(0, 77, 187));
        QVERIFY(FormatOf(document, "blue").fontUnderline());
        QVERIFY(!FormatOf(document, ". Marked").fontUnderline());
        QCOMPARE(Background(FormatOf(document, "Marked")), QColor(255, 255, 0));
        QCOMPARE(Background(FormatOf(document, " text.")), QColor());
        QCOMPARE(BlockFormatOf(document, "First item").leftMargin(), 48.0);
        QCOMPARE(BlockFormatOf(document, "Second item").textIndent(), -24.0);
        QCOMPARE(BlockFormatOf(document, "Italic").leftMargin(), 0.0);
        QVERIFY(FormatOf(document, "Italic").fontItalic());
        QVERIFY(FormatOf(document, "struck").fontStrikeOut());
        QCOMPARE(FormatOf(document, "x2").verticalAlignment(), QTextCharFormat::AlignNormal);
        QCOMPARE(FormatOf(document, "2 H").verticalAlignment(), QTextCharFormat::AlignSuperScript);
        QCOMPARE(FormatOf(document, "2O").verticalAlignment(), QTextCharFormat::AlignSubScript);
    }

    void oldRichEditFixture()
    {
        // No \ansicpg, a colour table without the automatic entry, \plain before every run
        // and a NUL after the closing brace.
        QTextDocument document;
        QVERIFY(ReadRtf(Fixture("richedit_old.rtf"), document));
        QCOMPARE(BlockTexts(document),
                 QString("Red heading|Bold Times and italic|Green right|Tab\tseparated \u00E0 la carte"));
        QCOMPARE(Foreground(FormatOf(document, "Red")), QColor(255, 0, 0));
        QCOMPARE(FormatOf(document, "Red").fontPointSize(), 10.0);
        QCOMPARE(Family(FormatOf(document, "Red")), QString("Arial"));
        QVERIFY(FormatOf(document, "Bold").fontWeight() == QFont::Bold);
        QCOMPARE(Family(FormatOf(document, "Bold")), QString("Times New Roman"));
        QCOMPARE(Foreground(FormatOf(document, "Bold")), QColor(0, 0, 0));
        QVERIFY(FormatOf(document, "italic").fontItalic());
        QVERIFY(FormatOf(document, " and").fontWeight() == QFont::Normal);
        QCOMPARE(Foreground(FormatOf(document, "Green")), QColor(0, 128, 0));
        QCOMPARE(FormatOf(document, "Green").fontPointSize(), 8.0);
        QCOMPARE(BlockFormatOf(document, "Green").alignment() & Qt::AlignRight, Qt::AlignRight);
        QCOMPARE(BlockFormatOf(document, "Tab").alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    }

    void writeExactBytes()
    {
        QTextDocument document;
        document.setDefaultFont(QFont(QStringLiteral("Arial"), 10));
        QTextCursor cursor(&document);
        QTextBlockFormat centered;
        centered.setAlignment(Qt::AlignHCenter);
        centered.setLeftMargin(48);
        centered.setBottomMargin(8);
        cursor.setBlockFormat(centered);
        cursor.insertText(QStringLiteral("Hi "));
        QTextCharFormat strong;
        strong.setFontWeight(QFont::Bold);
        strong.setForeground(QColor(255, 0, 0));
        strong.setFontFamilies({QStringLiteral("Courier New")});
        strong.setFontPointSize(14);
        cursor.insertText(QStringLiteral("there"), strong);
        cursor.insertBlock(QTextBlockFormat(), QTextCharFormat());
        cursor.insertText(QString("caf\u00E9 \u20AC5 \u042F{}\\\t1\u2028x\u00A0y"), QTextCharFormat());
        cursor.insertBlock(QTextBlockFormat(), QTextCharFormat());
        const QByteArray expected = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}"
                                    "{\\f1\\fnil\\fcharset0 Courier New;}}\r\n"
                                    "{\\colortbl ;\\red255\\green0\\blue0;}\r\n"
                                    "\\pard\\plain\\qc\\li720\\sa120{\\f0\\fs20 Hi }{\\f1\\fs28\\b\\cf1 there}\\f1\\fs28\\par\r\n"
                                    "\\pard\\plain\\ql{\\f0\\fs20 caf\\'e9 \\'805 \\u1071?\\{\\}\\\\\\tab 1\\line x\\~y}"
                                    "\\f0\\fs20\\par\r\n"
                                    "\\pard\\plain\\ql\\f0\\fs20\\par\r\n"
                                    "}\r\n";
        QCOMPARE(WriteRtf(document), expected);
    }

    void writeText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("ascii") << "Hello, world.";
        QTest::newRow("digits after a control word") << "123\t456";
        QTest::newRow("leading and trailing spaces") << "  two  ";
        QTest::newRow("1252") << QString("caf\u00E9 \u20AC \u201Cq\u201D \u00FF \u0152");
        QTest::newRow("cyrillic") << QString("\u041F\u0440\u0438\u0432\u0435\u0442");
        QTest::newRow("cjk") << QString("\u65E5\u672C\u8A9E");
        QTest::newRow("surrogate pair") << QString("a\U0001F600b");
        QTest::newRow("c1 controls") << QString("x\u0081\u009Dy");
        QTest::newRow("specials") << QString("{a} \\b\\ \\par");
        QTest::newRow("breaks") << QString("a\tb\u2028c\u00A0d\u00ADe\u2011f");
        QTest::newRow("question mark after unicode") << QString("\u0416?");
        QTest::newRow("paragraphs with an empty one") << QString("one||three");
        QTest::newRow("trailing empty paragraph") << QString("one|");
        QTest::newRow("empty document") << QString();
    }

    void writeText()
    {
        QFETCH(QString, text);
        QTextDocument document;
        QTextCursor cursor(&document);
        const QStringList blocks = text.split(u'|');
        for (int i = 0; i < blocks.size(); ++i) {
            if (i > 0)
                cursor.insertBlock();
            cursor.insertText(blocks[i]);
        }
        const QByteArray rtf = WriteRtf(document);
        for (const char byte : rtf)
            QVERIFY2(byte > 0, "written RTF is 7-bit");
        QTextDocument again;
        QVERIFY(RoundTrip(document, again));
        QCOMPARE(BlockTexts(again), text);
    }

    void writeEditorFormats()
    {
        // Formats as an editor sets them: from a QFont, and sizes in pixels.
        QTextDocument document;
        QTextCursor cursor(&document);
        QTextCharFormat fromFont;
        fromFont.setFont(QFont(QStringLiteral("Courier New"), 14, QFont::Bold, true));
        fromFont.setFontStrikeOut(true);
        cursor.insertText(QStringLiteral("font"), fromFont);
        QTextCharFormat pixels;
        pixels.setProperty(QTextFormat::FontPixelSize, 16);
        pixels.setBackground(QColor(1, 2, 3));
        pixels.setFontUnderline(true);
        cursor.insertText(QStringLiteral("pixels"), pixels);
        QTextCharFormat plain;
        cursor.insertText(QStringLiteral("plain"), plain);

        QTextDocument again;
        QVERIFY(RoundTrip(document, again));
        QCOMPARE(BlockTexts(again), QString("fontpixelsplain"));
        QTextCharFormat expected;
        expected.setFontFamilies({QStringLiteral("Courier New")});
        expected.setFontPointSize(14);
        expected.setFontWeight(QFont::Bold);
        expected.setFontItalic(true);
        expected.setFontStrikeOut(true);
        CompareCharFormats(FormatOf(again, "font"), expected);
        expected = QTextCharFormat();
        expected.setFontFamilies({document.defaultFont().family()});
        expected.setFontPointSize(12);
        expected.setBackground(QColor(1, 2, 3));
        expected.setFontUnderline(true);
        CompareCharFormats(FormatOf(again, "pixels"), expected);
        expected = QTextCharFormat();
        expected.setFontFamilies({document.defaultFont().family()});
        const QFont font = document.defaultFont();
        const double points = font.pointSizeF() > 0 ? font.pointSizeF() : font.pixelSize() * 0.75;
        expected.setFontPointSize(qRound(points * 2) / 2.0);
        CompareCharFormats(FormatOf(again, "plain"), expected);
    }

    void writeImages()
    {
        QTextDocument document;
        const QByteArray png = Encoded(TestImage(), "PNG");
        const QByteArray jpeg = Encoded(TestImage(), "JPEG");
        document.addResource(QTextDocument::ImageResource, QUrl("mem:png"), png);
        document.addResource(QTextDocument::ImageResource, QUrl("mem:jpeg"), jpeg);
        document.addResource(QTextDocument::ImageResource, QUrl("mem:image"), TestImage());
        document.addResource(QTextDocument::ImageResource, QUrl("mem:bmp"), Encoded(TestImage(), "BMP"));
        QTextCursor cursor(&document);
        cursor.insertText(QStringLiteral("a"));
        QTextImageFormat image;
        image.setName(QStringLiteral("mem:png"));
        image.setWidth(32);
        image.setHeight(24);
        cursor.insertImage(image);
        image = QTextImageFormat();
        image.setName(QStringLiteral("mem:jpeg"));
        cursor.insertImage(image);
        image.setName(QStringLiteral("mem:image"));
        cursor.insertImage(image);
        image.setName(QStringLiteral("mem:bmp"));
        cursor.insertImage(image);
        image.setName(QStringLiteral("mem:missing"));
        cursor.insertImage(image);
        cursor.insertText(QStringLiteral("b"));

        const QByteArray rtf = WriteRtf(document);
        // PNG and JPEG files are embedded as they are.
        QVERIFY(rtf.contains("{\\pict\\pngblip\\picw16\\pich12\\picwgoal480\\pichgoal360\r\n" + png.toHex().left(128)));
        QVERIFY(rtf.contains("{\\pict\\jpegblip\\picw16\\pich12\\picwgoal240\\pichgoal180\r\n" + jpeg.toHex().left(128)));
        QCOMPARE(rtf.count("\\pngblip"), 3);

        QTextDocument again;
        QVERIFY(ReadRtf(rtf, again));
        QCOMPARE(BlockTexts(again), QString("a\uFFFC\uFFFC\uFFFC\uFFFCb"));
        const QList<QTextImageFormat> images = Images(again);
        QCOMPARE(images.size(), 4);
        QCOMPARE(QSizeF(images[0].width(), images[0].height()), QSizeF(32, 24));
        QCOMPARE(again.resource(QTextDocument::ImageResource, QUrl(images[0].name())).toByteArray(), png);
        QCOMPARE(again.resource(QTextDocument::ImageResource, QUrl(images[1].name())).toByteArray(), jpeg);
        for (const QTextImageFormat &format : images) {
            const QImage read = ResourceImage(again, format);
            QCOMPARE(read.size(), QSize(16, 12));
            QVERIFY(QColor(read.pixel(0, 0)).blue() > 200);
            QVERIFY(QColor(read.pixel(15, 11)).red() > 200);
        }
        QCOMPARE(ResourceImage(again, images[2]).convertToFormat(QImage::Format_RGB32), TestImage());
    }

    void hostileInput_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << QByteArray() << false << "";
        QTest::newRow("not rtf") << QByteArray("Hello {\\b x}") << false << "";
        QTest::newRow("only the signature") << QByteArray("{\\rtf") << false << "";
        QTest::newRow("truncated text") << QByteArray("{\\rtf1 abc\\par de") << false << "abc|de";
        QTest::newRow("truncated word") << QByteArray("{\\rtf1 abc\\b") << false << "abc";
        QTest::newRow("truncated hex") << QByteArray("{\\rtf1 abc\\'4") << false << "abc";
        QTest::newRow("bad hex") << QByteArray("{\\rtf1 a\\'zzb}") << true << "azzb";
        QTest::newRow("truncated unicode skip") << QByteArray("{\\rtf1 a\\u233") << false << QString("a\u00E9");
        QTest::newRow("truncated group") << QByteArray("{\\rtf1 a{\\b b{\\i c") << false << "abc";
        QTest::newRow("truncated picture") << "{\\rtf1 a{\\pict\\pngblip " + Encoded(TestImage(), "PNG").toHex().left(60)
                                           << false << "a";
        QTest::newRow("huge bin") << QByteArray("{\\rtf1 a\\bin999999999999 xyz}") << false << "a";
        QTest::newRow("negative bin") << QByteArray("{\\rtf1 a\\bin-5 b}") << true << "ab";
        QTest::newRow("huge parameters")
            << QByteArray("{\\rtf1\\fs99999999999999999999\\li-99999999999{\\uc99999999\\u99999999 skipped}a\\f-7\\cf-1"
                          "\\highlight99999 b}")
            << true << QString(QChar(char16_t(99999999 & 0xFFFF))) + "ab";
        QTest::newRow("zero font size") << QByteArray("{\\rtf1\\fs0 a}") << true << "a";
        QTest::newRow("stray closing braces") << QByteArray("{\\rtf1 a}}}}") << true << "a";
        QTest::newRow("empty ignorable") << QByteArray("{\\rtf1 {\\*}a{\\*\\}b}}") << true << "a}b";
        QTest::newRow("nul bytes") << QByteArray("{\\rtf1 a\0b\\\0c}", 14) << true << "abc";
        QTest::newRow("long control word") << "{\\rtf1 \\" + QByteArray(5000, 'x') + "1 a}" << true << "a";
        QTest::newRow("999 levels") << "{\\rtf1 " + QByteArray(998, '{') + "x" + QByteArray(998, '}') + "}" << true << "x";
        QTest::newRow("100000 levels")
            << "{\\rtf1 a" + QByteArray(100000, '{') + "deep" + QByteArray(100000, '}') + "b}" << false << "ab";
        QTest::newRow("100000 opening braces") << "{\\rtf1 a" + QByteArray(100000, '{') << false << "a";
        QTest::newRow("deep binary") << "{\\rtf1 a" + QByteArray(2000, '{') + "\\bin2 }}" + QByteArray(2000, '}') + "b}"
                                     << false << "ab";
    }

    void hostileInput()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(bool, ok);
        QFETCH(QString, text);
        QTextDocument document;
        document.setPlainText(QStringLiteral("previous"));
        QString error;
        QElapsedTimer timer;
        timer.start();
        QCOMPARE(ReadRtf(rtf, document, &error), ok);
        QVERIFY(timer.elapsed() < 5000);
        QCOMPARE(error.isEmpty(), ok);
        QCOMPARE(BlockTexts(document), text);
        if (ok)
            return;
        // What was read of damaged input writes as sound RTF.
        QTextDocument again;
        QVERIFY(RoundTrip(document, again));
        QCOMPARE(BlockTexts(again), text);
    }

    void garbage()
    {
        // Random bytes, and random mixes of RTF tokens, never crash the reader and whatever was
        // read writes as RTF that reads back to the same text.
        QRandomGenerator random(20240611);
        const QList<QByteArray> tokens = {"{", "}", "\\par ", "\\b", "\\'e9", "\\u-200?", "\\*\\x", "\\pict\\pngblip ",
                                          "\\bin4 ", "\\fonttbl", "\\colortbl", ";", "\\f1", "\\cell", "\\row",
                                          "\\uc3", "\\shp", "{\\sn pib}", "\\sv", "\\object", "\\result", "abc",
                                          "89504e47", "\\fs", "\\li-", "\\", "\\'", "\\nestrow", "\\line"};
        for (int round = 0; round < 200; ++round) {
            QByteArray rtf = "{\\rtf1 ";
            const int length = random.bounded(1, 4000);
            if (round % 2 == 0) {
                for (int i = 0; i < length; ++i)
                    rtf.append(char(random.bounded(256)));
            } else {
                for (int i = 0; i < length / 8; ++i)
                    rtf.append(tokens[random.bounded(int(tokens.size()))]);
            }
            QTextDocument document;
            ReadRtf(rtf, document);
            QTextDocument again;
            QVERIFY2(RoundTrip(document, again), qPrintable(QString::number(round)));
            QCOMPARE(BlockTexts(again), BlockTexts(document));
        }
    }

    void unchangedBytesWrittenBack_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("libreoffice") << Fixture("libreoffice_letter.rtf");
        QTest::newRow("wordpad") << Fixture("wordpad_notes.rtf");
        QTest::newRow("old rich edit") << Fixture("richedit_old.rtf");
        QTest::newRow("unusual spacing") << QByteArray("{\\rtf1\\ansi   {\\b  x }\r\n\r\n\\par\\par\\unknown7 y}\r\n")
                                                 + QByteArray(2, '\0');
        QTest::newRow("damaged") << QByteArray("{\\rtf1 abc{\\b def");
        QTest::newRow("plain text") << QByteArray("Line one\r\nLine two");
        QTest::newRow("empty") << QByteArray();
    }

    void unchangedBytesWrittenBack()
    {
        QFETCH(QByteArray, bytes);
        TRichTextContent content;
        content.LoadRtf(bytes);
        QCOMPARE(content.OriginalRtf(), bytes);
        QVERIFY(!content.Modified());
        QCOMPARE(content.SaveRtf(), bytes);

        // Shown in an editor and laid out, still unchanged.
        QTextEdit editor;
        editor.setDocument(content.Document());
        editor.resize(300, 200);
        editor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&editor));
        QVERIFY(!content.Modified());
        QCOMPARE(content.SaveRtf(), bytes);

        // Loading again starts from the new bytes.
        content.SetPlainText(QStringLiteral("other"));
        content.LoadRtf(bytes);
        QVERIFY(!content.Modified());
        QCOMPARE(content.SaveRtf(), bytes);
        editor.setDocument(nullptr);
    }

    void editedContentIsWritten_data()
    {
        QTest::addColumn<QString>("edit");
        QTest::newRow("typing") << "typing";
        QTest::newRow("formatting only") << "formatting only";
        QTest::newRow("marked modified by the editor") << "marked modified by the editor";
        QTest::newRow("edited then marked unmodified") << "edited then marked unmodified";
        QTest::newRow("undone") << "undone";
    }

    void editedContentIsWritten()
    {
        QFETCH(QString, edit);
        const QByteArray original = Fixture("wordpad_notes.rtf");
        TRichTextContent content;
        content.LoadRtf(original);
        QTextEdit editor;
        editor.setDocument(content.Document());
        QTextCursor cursor(content.Document());
        QString expectedText = BlockTexts(*content.Document());
        if (edit == QLatin1String("typing")) {
            cursor.movePosition(QTextCursor::End);
            cursor.insertText(QStringLiteral(" more"));
            expectedText += QStringLiteral(" more");
        } else if (edit == QLatin1String("formatting only")) {
            cursor.movePosition(QTextCursor::NextWord, QTextCursor::KeepAnchor);
            QTextCharFormat italic;
            italic.setFontItalic(true);
            cursor.mergeCharFormat(italic);
        } else if (edit == QLatin1String("marked modified by the editor")) {
            content.Document()->setModified(true);
        } else if (edit == QLatin1String("edited then marked unmodified")) {
            // An editor clears the mark after saving elsewhere; the edit must not be lost.
            cursor.insertText(QStringLiteral("X"));
            expectedText.prepend(u'X');
            content.Document()->setModified(false);
        } else if (edit == QLatin1String("undone")) {
            // Undone edits still count: the document was changed since loading.
            cursor.insertText(QStringLiteral("X"));
            content.Document()->undo();
        }
        QVERIFY(content.Modified());
        const QByteArray saved = content.SaveRtf();
        QVERIFY(saved != original);
        QCOMPARE(saved, WriteRtf(*content.Document()));
        QCOMPARE(content.OriginalRtf(), original);
        QTextDocument again;
        QVERIFY(ReadRtf(saved, again));
        QCOMPARE(BlockTexts(again), expectedText);
        if (edit == QLatin1String("formatting only"))
            QVERIFY(FormatOf(again, "Meeting").fontItalic());
        editor.setDocument(nullptr);
    }

    void holderPlainText()
    {
        TRichTextContent content;
        content.SetPlainText(QStringLiteral("one\r\ntwo\rthree\nfour"));
        QVERIFY(content.Modified());
        QVERIFY(content.OriginalRtf().isEmpty());
        QCOMPARE(content.PlainText(), QStringLiteral("one\ntwo\nthree\nfour"));
        QCOMPARE(BlockTexts(*content.Document()), QStringLiteral("one|two|three|four"));
        QTextDocument again;
        QVERIFY(ReadRtf(content.SaveRtf(), again));
        QCOMPARE(BlockTexts(again), QStringLiteral("one|two|three|four"));

        // Bytes that are not RTF show as text: UTF-8 when valid, else code page 1252.
        QVERIFY(content.LoadRtf(QByteArray("caf\xC3\xA9\r\nx")));
        QCOMPARE(content.PlainText(), QString("caf\u00E9\nx"));
        QVERIFY(content.LoadRtf(QByteArray("caf\xE9 \x80")));
        QCOMPARE(content.PlainText(), QString("caf\u00E9 \u20AC"));
        QString error;
        QVERIFY(!content.LoadRtf(QByteArray("{\\rtf1 line\\par {\\b cut"), &error));
        QVERIFY(!error.isEmpty());
        QCOMPARE(content.PlainText(), QStringLiteral("line\ncut"));
        QVERIFY(!content.Modified());

        // A holder over an editor's document.
        QTextDocument external;
        TRichTextContent over(&external);
        QCOMPARE(over.Document(), &external);
        QVERIFY(over.LoadRtf(Fixture("richedit_old.rtf")));
        QCOMPARE(external.begin().text(), QStringLiteral("Red heading"));
        QTextCursor(&external).insertText(QStringLiteral("New "));
        QVERIFY(over.Modified());
        QTextDocument back;
        QVERIFY(ReadRtf(over.SaveRtf(), back));
        QCOMPARE(back.begin().text(), QStringLiteral("New Red heading"));
    }

    void opensInLibreOffice()
    {
        // Our RTF, converted by LibreOffice to text and to RTF again, keeps text and formatting.
        const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
        if (soffice.isEmpty())
            QSKIP("LibreOffice (soffice) is not installed");
        QTextDocument document;
        QTextCursor cursor(&document);
        QTextBlockFormat centered;
        centered.setAlignment(Qt::AlignHCenter);
        cursor.setBlockFormat(centered);
        QTextCharFormat bold;
        bold.setFontWeight(QFont::Bold);
        bold.setFontPointSize(16);
        cursor.insertText(QStringLiteral("Title"), bold);
        cursor.insertBlock(QTextBlockFormat(), QTextCharFormat());
        cursor.insertText(QStringLiteral("Plain "));
        QTextCharFormat red;
        red.setForeground(QColor(255, 0, 0));
        red.setFontItalic(true);
        cursor.insertText(QStringLiteral("red italic"), red);
        cursor.insertText(QString(" caf\u00E9 \u20AC \u041F\u0440\u0438\u0432\u0435\u0442 {x} \\ \u65E5\u672C"),
                          QTextCharFormat());
        cursor.insertBlock();
        cursor.insertText(QStringLiteral("a\tb"));
        cursor.insertBlock();
        cursor.insertText(QStringLiteral("Last"));

        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QVERIFY(WriteFileBytes(dir.filePath("ours.rtf"), WriteRtf(document)));
        const auto convert = [&](const QString &filter, const QString &outDir) {
            QProcess process;
            process.start(soffice, {QStringLiteral("-env:UserInstallation=file://") + dir.filePath("profile"),
                                    QStringLiteral("--headless"), QStringLiteral("--convert-to"), filter,
                                    QStringLiteral("--outdir"), outDir, dir.filePath("ours.rtf")});
            return process.waitForFinished(120000) && process.exitCode() == 0;
        };
        QVERIFY(QDir(dir.path()).mkpath("txt") && QDir(dir.path()).mkpath("rtf"));
        QVERIFY(convert(QStringLiteral("txt:Text (encoded):UTF8"), dir.filePath("txt")));
        QString text = QString::fromUtf8(ReadFileBytes(dir.filePath("txt/ours.txt")));
        text.remove(QChar(0xFEFF));
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        QCOMPARE(text.trimmed(), document.toPlainText());

        QVERIFY(convert(QStringLiteral("rtf"), dir.filePath("rtf")));
        QTextDocument back;
        QVERIFY(ReadRtf(ReadFileBytes(dir.filePath("rtf/ours.rtf")), back));
        QCOMPARE(BlockTexts(back), BlockTexts(document));
        QVERIFY(FormatOf(back, "Title").fontWeight() == QFont::Bold);
        QCOMPARE(FormatOf(back, "Title").fontPointSize(), 16.0);
        QCOMPARE(BlockFormatOf(back, "Title").alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
        QCOMPARE(Foreground(FormatOf(back, "red")), QColor(255, 0, 0));
        QVERIFY(FormatOf(back, "red").fontItalic());
        QVERIFY(!FormatOf(back, "Plain").fontItalic());
    }
};

QTEST_MAIN(TestRtf)
#include "tst_rtf.moc"
