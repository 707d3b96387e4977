#include <QImage>
#include <QPainter>
#include <QtTest>
#include <climits>

#include "core/colors.h"
#include "platform/vcl/canvas.h"

Q_DECLARE_METATYPE(TRect)

namespace {

constexpr TColor kBackground = 0x00C000;
constexpr TColor kStart = clBlack;
constexpr TColor kEnd = 0x6E6E6E; // grey 110

TColor Grey(int level)
{
    return RGBColor(level, level, level);
}

QImage Blank()
{
    QImage image(120, 16, QImage::Format_RGB32);
    image.fill(ColorToQColor(kBackground));
    return image;
}

// Paints a gradient through a canvas whose painter is translated to origin, starting
// from a wide dashed pen that the gradient must not use; penAfter receives the pen the
// canvas is left with.
QImage Gradient(int style, const TRect &rect, const QPoint &origin = QPoint(), TPen *penAfter = nullptr)
{
    QImage image = Blank();
    QPainter painter(&image);
    painter.translate(origin);
    TCanvas canvas(&painter);
    canvas.Pen.Style = psDash;
    canvas.Pen.Width = 3;
    DrawGradient(canvas, style, kStart, kEnd, rect);
    if (penAfter)
        *penAfter = canvas.Pen;
    return image;
}

// The first pixel where the images differ, or an empty string.
QString FirstDifference(const QImage &actual, const QImage &expected)
{
    for (int y = 0; y < expected.height(); ++y) {
        for (int x = 0; x < expected.width(); ++x) {
            const TColor a = QColorToColor(actual.pixelColor(x, y));
            const TColor e = QColorToColor(expected.pixelColor(x, y));
            if (a != e)
                return QStringLiteral("at (%1,%2): %3, expected %4").arg(x).arg(y).arg(ColorToString(a), ColorToString(e));
        }
    }
    return QString();
}

QList<int> RecentList()
{
    QList<int> list;
    for (int i = 0; i < 5; ++i)
        list << GetRecentColor(i);
    return list;
}

QList<int> CustomList()
{
    QList<int> list;
    for (int i = 0; i < 5; ++i)
        list << GetCustomColor(i);
    return list;
}

} // namespace

class TestColors : public QObject
{
    Q_OBJECT

private slots:
    void init() { InitColorLists(); }

    void initialListsAreWhite();
    void recentColors_data();
    void recentColors();
    void customColors_data();
    void customColors();
    void indexOutsideListGivesWhite();
    void resolveColor_data();
    void resolveColor();
    void interpolateColor_data();
    void interpolateColor();
    void gradient_data();
    void gradient();
    void gradientOfInvertedRectIsNormalised();
    void unknownGradientStylePaintsNothing();
};

void TestColors::initialListsAreWhite()
{
    AddRecentColor(clRed);
    AddCustomColor(clRed);
    InitColorLists();
    const TColorList white = {clWhite, clWhite, clWhite, clWhite, clWhite};
    QVERIFY(RecentColorList == white);
    QVERIFY(CustomColorList == white);
    QCOMPARE(DesignFrameColor, 0x808080);
}

void TestColors::recentColors_data()
{
    QTest::addColumn<QList<int>>("added");
    QTest::addColumn<QList<int>>("expected");

    const int w = clWhite;
    QTest::newRow("newest first") << QList<int>{clRed, clLime} << QList<int>{clLime, clRed, w, w, w};
    QTest::newRow("listed colour keeps its place")
        << QList<int>{clRed, clLime, clRed} << QList<int>{clLime, clRed, w, w, w};
    QTest::newRow("white is listed from the start") << QList<int>{clRed, clWhite} << QList<int>{clRed, w, w, w, w};
    QTest::newRow("oldest drops out") << QList<int>{1, 2, 3, 4, 5, 6} << QList<int>{6, 5, 4, 3, 2};
    QTest::newRow("dropped colour comes back first")
        << QList<int>{1, 2, 3, 4, 5, 6, 1} << QList<int>{1, 6, 5, 4, 3};
}

void TestColors::recentColors()
{
    QFETCH(QList<int>, added);
    QFETCH(QList<int>, expected);

    for (int color : added)
        AddRecentColor(color);
    QCOMPARE(RecentList(), expected);
    QCOMPARE(QList<int>(RecentColorList.begin(), RecentColorList.end()), expected);
    QVERIFY(CustomColorList == (TColorList{clWhite, clWhite, clWhite, clWhite, clWhite}));
}

void TestColors::customColors_data()
{
    QTest::addColumn<QList<int>>("added");
    QTest::addColumn<QList<int>>("expected");

    const int w = clWhite;
    QTest::newRow("duplicates kept") << QList<int>{clRed, clRed} << QList<int>{clRed, clRed, w, w, w};
    QTest::newRow("white added too") << QList<int>{clWhite, clRed} << QList<int>{clRed, w, w, w, w};
    QTest::newRow("oldest drops out") << QList<int>{1, 2, 3, 4, 5, 6} << QList<int>{6, 5, 4, 3, 2};
    QTest::newRow("listed colour added again") << QList<int>{1, 2, 1} << QList<int>{1, 2, 1, w, w};
}

void TestColors::customColors()
{
    QFETCH(QList<int>, added);
    QFETCH(QList<int>, expected);

    for (int color : added)
        AddCustomColor(color);
    QCOMPARE(CustomList(), expected);
    QCOMPARE(QList<int>(CustomColorList.begin(), CustomColorList.end()), expected);
    QVERIFY(RecentColorList == (TColorList{clWhite, clWhite, clWhite, clWhite, clWhite}));
}

void TestColors::indexOutsideListGivesWhite()
{
    for (int i = 0; i < 5; ++i) {
        AddRecentColor(i + 1);
        AddCustomColor(i + 1);
    }
    for (int index : {-1, 5, 6, INT_MIN, INT_MAX}) {
        QCOMPARE(GetRecentColor(index), clWhite);
        QCOMPARE(GetCustomColor(index), clWhite);
    }
    QCOMPARE(GetRecentColor(4), 1);
    QCOMPARE(GetCustomColor(0), 5);
}

void TestColors::resolveColor_data()
{
    QTest::addColumn<int>("color");
    QTest::addColumn<int>("expected");

    QTest::newRow("none") << clNone << 0;
    QTest::newRow("button face") << clBtnFace << 0xC8D0D4;
    QTest::newRow("window text") << clWindowText << 0;
    QTest::newRow("info background") << clInfoBk << 0xE1FFFF;
    QTest::newRow("index from the low byte") << int(0x80000018) << 0xE1FFFF;
    QTest::newRow("unknown system colour") << int(0xFF0000FE) << 0;
    QTest::newRow("plain colour") << 0x123456 << 0x123456;
    QTest::newRow("default stays") << clDefault << clDefault;
}

void TestColors::resolveColor()
{
    QFETCH(int, color);
    QFETCH(int, expected);
    QCOMPARE(ResolveColor(color), expected);
}

void TestColors::interpolateColor_data()
{
    QTest::addColumn<int>("color1");
    QTest::addColumn<int>("color2");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("step");
    QTest::addColumn<int>("expected");

    QTest::newRow("half way up, tie to even") << clBlack << clWhite << 2 << 1 << 0x808080;
    QTest::newRow("half way down, tie to even") << clWhite << clBlack << 2 << 1 << 0x7F7F7F;
    QTest::newRow("step 0 gives color1") << 0x102030 << 0x405060 << 7 << 0 << 0x102030;
    QTest::newRow("step count gives color2") << 0x102030 << 0x405060 << 7 << 7 << 0x405060;
    // Channels (red, green, blue) 0->1, 0->3, 0->5: 0.5, 1.5, 2.5 round to 0, 2, 2.
    QTest::newRow("ties up") << clBlack << RGBColor(1, 3, 5) << 2 << 1 << RGBColor(0, 2, 2);
    // 1->0, 3->0, 5->0: -0.5, -1.5, -2.5 round to 0, -2, -2.
    QTest::newRow("ties down") << RGBColor(1, 3, 5) << clBlack << 2 << 1 << RGBColor(1, 1, 3);
    QTest::newRow("thirds") << clBlack << RGBColor(100, 255, 1) << 3 << 1 << RGBColor(33, 85, 0);
    QTest::newRow("two thirds") << clBlack << RGBColor(100, 255, 1) << 3 << 2 << RGBColor(67, 170, 1);
    QTest::newRow("channels apart") << RGBColor(200, 10, 0) << RGBColor(0, 10, 200) << 4 << 1
                                    << RGBColor(150, 10, 50);
    QTest::newRow("count 0 counts as 1") << clBlack << clWhite << 0 << 1 << clWhite;
    QTest::newRow("negative count counts as 1") << clBlack << clWhite << -5 << 1 << clWhite;
    QTest::newRow("past color2 wraps") << clBlack << clWhite << 1 << 2 << 0xFEFEFE;
    QTest::newRow("before color1 wraps") << clBlack << clWhite << 1 << -1 << 0x010101;
    QTest::newRow("system colour resolved") << clBtnFace << clBlack << 4 << 0 << 0xC8D0D4;
    QTest::newRow("none is black") << clNone << clWhite << 2 << 1 << 0x808080;
}

void TestColors::interpolateColor()
{
    QFETCH(int, color1);
    QFETCH(int, color2);
    QFETCH(int, count);
    QFETCH(int, step);
    QFETCH(int, expected);
    QCOMPARE(InterpolateColor(color1, color2, count, step), expected);
}

void TestColors::gradient_data()
{
    // Start is black and end grey 110. Each row names the painted lines (rows for styles
    // 1, 2, 5, 6; columns for 3, 4, 7, 8) from `first` on, by grey level, and the range
    // [from, to) each line covers.
    QTest::addColumn<int>("style");
    QTest::addColumn<TRect>("rect");
    QTest::addColumn<QPoint>("origin");
    QTest::addColumn<int>("first");
    QTest::addColumn<QList<int>>("greys");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");

    const TRect rect(0, 0, 10, 4);
    const QPoint none;
    // Styles 1 to 4 also paint the line just past the bottom or right edge.
    QTest::newRow("1 downwards") << 1 << rect << none << 0 << QList<int>{0, 22, 44, 66, 88} << 0 << 10;
    QTest::newRow("2 upwards") << 2 << rect << none << 0 << QList<int>{110, 88, 66, 44, 22} << 0 << 10;
    QTest::newRow("3 rightwards") << 3 << rect << none << 0
                                  << QList<int>{0, 10, 20, 30, 40, 50, 60, 70, 80, 90, 100} << 0 << 4;
    QTest::newRow("4 leftwards") << 4 << rect << none << 0
                                 << QList<int>{110, 100, 90, 80, 70, 60, 50, 40, 30, 20, 10} << 0 << 4;
    QTest::newRow("5 start in the middle row") << 5 << rect << none << 0 << QList<int>{110, 55, 0, 55} << 0 << 10;
    QTest::newRow("5 odd height") << 5 << TRect(0, 0, 4, 5) << none << 0 << QList<int>{110, 55, 0, 55, 110} << 0
                                  << 4;
    // The middle of -5..2 is -1 (division truncates toward zero), half the height 3.
    QTest::newRow("5 negative coordinates") << 5 << TRect(0, -5, 4, 2) << QPoint(0, 10) << -5
                                            << QList<int>{110, 73, 37, 0, 0, 37, 73} << 0 << 4;
    QTest::newRow("6 end in the middle row") << 6 << rect << none << 0 << QList<int>{0, 55, 110, 55} << 0 << 10;
    QTest::newRow("7 start in the middle column")
        << 7 << rect << none << 0 << QList<int>{110, 88, 66, 44, 22, 0, 22, 44, 66, 88} << 0 << 4;
    // The middle column of an odd width stays at the start colour.
    QTest::newRow("7 odd width") << 7 << TRect(0, 0, 11, 2) << none << 0
                                 << QList<int>{110, 88, 66, 44, 22, 0, 0, 22, 44, 66, 88} << 0 << 2;
    QTest::newRow("8 end in the middle column")
        << 8 << rect << none << 0 << QList<int>{22, 44, 66, 88, 110, 110, 88, 66, 44, 22} << 0 << 4;
    QTest::newRow("8 from column 100") << 8 << TRect(100, 0, 110, 4) << none << 100
                                       << QList<int>{22, 44, 66, 88, 110, 110, 88, 66, 44, 22} << 0 << 4;
}

void TestColors::gradient()
{
    QFETCH(int, style);
    QFETCH(TRect, rect);
    QFETCH(QPoint, origin);
    QFETCH(int, first);
    QFETCH(QList<int>, greys);
    QFETCH(int, from);
    QFETCH(int, to);

    const bool rows = style == 1 || style == 2 || style == 5 || style == 6;
    QImage expected = Blank();
    {
        QPainter painter(&expected);
        painter.translate(origin);
        for (int i = 0; i < greys.size(); ++i) {
            const QRect line = rows ? QRect(from, first + i, to - from, 1) : QRect(first + i, from, 1, to - from);
            painter.fillRect(line, ColorToQColor(Grey(greys.at(i))));
        }
    }
    TPen pen;
    const QImage actual = Gradient(style, rect, origin, &pen);
    const QString difference = FirstDifference(actual, expected);
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
    QCOMPARE(pen.Style, psSolid);
    QCOMPARE(pen.Width, 1);
}

void TestColors::gradientOfInvertedRectIsNormalised()
{
    const QPoint origin(20, 5);
    for (int style = 1; style <= 8; ++style) {
        const QImage normal = Gradient(style, TRect(0, 0, 11, 5), origin);
        QVERIFY(normal != Blank());
        for (const TRect &inverted : {TRect(11, 5, 0, 0), TRect(11, 0, 0, 5), TRect(0, 5, 11, 0)}) {
            const QString difference = FirstDifference(Gradient(style, inverted, origin), normal);
            QVERIFY2(difference.isEmpty(), qPrintable(QStringLiteral("style %1: %2").arg(style).arg(difference)));
        }
    }
}

void TestColors::unknownGradientStylePaintsNothing()
{
    for (int style : {0, 9, -1, INT_MIN})
        QCOMPARE(Gradient(style, TRect(0, 0, 10, 4)), Blank());
}

QTEST_GUILESS_MAIN(TestColors)
#include "tst_colors.moc"
