#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QtTest>

#include "platform/vcl/canvas.h"

Q_DECLARE_METATYPE(TRect)

char *toString(const TPoint &point)
{
    return QTest::toString(QStringLiteral("TPoint(%1, %2)").arg(point.X).arg(point.Y));
}

namespace {

constexpr TColor kBackground = 0x403020;
constexpr TColor kPen = clRed;
constexpr TColor kBrush = clBlue;

QImage Blank(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(ColorToQColor(kBackground));
    return image;
}

// The image as rows of characters: '.' background, 'P' pen, 'B' brush, '?' anything else.
QStringList Picture(const QImage &image)
{
    QStringList rows;
    for (int y = 0; y < image.height(); ++y) {
        QString row;
        for (int x = 0; x < image.width(); ++x) {
            const TColor color = QColorToColor(image.pixelColor(x, y));
            row += color == kBackground ? QLatin1Char('.')
                   : color == kPen      ? QLatin1Char('P')
                   : color == kBrush    ? QLatin1Char('B')
                                        : QLatin1Char('?');
        }
        rows << row;
    }
    return rows;
}

void SetUp(TCanvas &canvas, TPenStyle penStyle = psSolid, int penWidth = 1, TBrushStyle brushStyle = bsSolid)
{
    canvas.Pen.Color = kPen;
    canvas.Pen.Style = penStyle;
    canvas.Pen.Width = penWidth;
    canvas.Brush.Color = kBrush;
    canvas.Brush.Style = brushStyle;
}

} // namespace

class TestCanvas : public QObject
{
    Q_OBJECT

private slots:
    void lineToLeavesEndPointUnpainted_data();
    void lineToLeavesEndPointUnpainted();
    void reversedLineCoversSameInterior();
    void dashedLine_data();
    void dashedLine();
    void wideLine();
    void clearPenMovesWithoutPainting();
    void fillAndFrameRect_data();
    void fillAndFrameRect();
    void rectangle_data();
    void rectangle();
    void pixels();
    void borrowedPainter();
    void nullDeviceDrawsNothing();
    void text();
};

void TestCanvas::lineToLeavesEndPointUnpainted_data()
{
    QTest::addColumn<int>("x1");
    QTest::addColumn<int>("y1");
    QTest::addColumn<int>("x2");
    QTest::addColumn<int>("y2");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("right") << 1 << 1 << 5 << 1
                           << QStringList{"......", ".PPPP.", "......", "......", "......", "......"};
    QTest::newRow("left") << 5 << 1 << 1 << 1
                          << QStringList{"......", "..PPPP", "......", "......", "......", "......"};
    QTest::newRow("down") << 2 << 1 << 2 << 5
                          << QStringList{"......", "..P...", "..P...", "..P...", "..P...", "......"};
    QTest::newRow("up") << 2 << 5 << 2 << 1
                        << QStringList{"......", "......", "..P...", "..P...", "..P...", "..P..."};
    QTest::newRow("diagonal down-right")
        << 1 << 1 << 5 << 5 << QStringList{"......", ".P....", "..P...", "...P..", "....P.", "......"};
    QTest::newRow("diagonal up-left")
        << 5 << 5 << 1 << 1 << QStringList{"......", "......", "..P...", "...P..", "....P.", ".....P"};
    QTest::newRow("diagonal up-right")
        << 0 << 5 << 4 << 1 << QStringList{"......", "......", "...P..", "..P...", ".P....", "P....."};
    QTest::newRow("diagonal down-left")
        << 4 << 1 << 0 << 5 << QStringList{"......", "....P.", "...P..", "..P...", ".P....", "......"};
    // Half-way ties: forwards the walk keeps to the start's row.
    QTest::newRow("shallow with ties")
        << 0 << 0 << 4 << 2 << QStringList{"PP....", "..PP..", "......", "......", "......", "......"};
    QTest::newRow("steep") << 1 << 0 << 3 << 5
                           << QStringList{".P....", ".P....", "..P...", "..P...", "...P..", "......"};
    QTest::newRow("zero length") << 3 << 3 << 3 << 3
                                 << QStringList{"......", "......", "......", "......", "......", "......"};
}

void TestCanvas::lineToLeavesEndPointUnpainted()
{
    QFETCH(int, x1);
    QFETCH(int, y1);
    QFETCH(int, x2);
    QFETCH(int, y2);
    QFETCH(QStringList, expected);

    QImage image = Blank(6, 6);
    {
        TCanvas canvas(&image);
        SetUp(canvas);
        canvas.MoveTo(x1, y1);
        canvas.LineTo(x2, y2);
        QCOMPARE(canvas.PenPos, TPoint(x2, y2));
    }
    QCOMPARE(Picture(image), expected);
}

void TestCanvas::reversedLineCoversSameInterior()
{
    // Lines with exact ties put the same pixels between their end points whichever way
    // they are drawn; only the excluded end differs.
    const QList<QPoint> ends = {{0, 0}, {8, 2}, {2, 8}, {8, 6}, {6, 8}, {8, 0}, {0, 8}, {7, 3}};
    for (const QPoint &a : ends) {
        for (const QPoint &b : ends) {
            if (a == b)
                continue;
            QImage forward = Blank(9, 9);
            QImage backward = Blank(9, 9);
            {
                TCanvas canvas(&forward);
                SetUp(canvas);
                canvas.MoveTo(a.x(), a.y());
                canvas.LineTo(b.x(), b.y());
                canvas.SetPixels(b.x(), b.y(), kPen);
            }
            {
                TCanvas canvas(&backward);
                SetUp(canvas);
                canvas.MoveTo(b.x(), b.y());
                canvas.LineTo(a.x(), a.y());
                canvas.SetPixels(a.x(), a.y(), kPen);
            }
            QVERIFY2(forward == backward, qPrintable(QStringLiteral("(%1,%2)-(%3,%4)")
                                                         .arg(a.x())
                                                         .arg(a.y())
                                                         .arg(b.x())
                                                         .arg(b.y())));
        }
    }
}

void TestCanvas::dashedLine_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<int>("brushStyle");
    QTest::addColumn<int>("length");
    QTest::addColumn<QString>("expected");

    QTest::newRow("dot, gaps in brush") << int(psDot) << int(bsSolid) << 14
                                        << QStringLiteral("PPPBBBPPPBBBPP..............");
    QTest::newRow("dot, clear brush") << int(psDot) << int(bsClear) << 14
                                      << QStringLiteral("PPP...PPP...PP..............");
    QTest::newRow("dash") << int(psDash) << int(bsSolid) << 24 << QStringLiteral("PPPPPPPPPPPPPPPPPPBBBBBB....");
    QTest::newRow("dash dot") << int(psDashDot) << int(bsSolid) << 24
                              << QStringLiteral("PPPPPPPPPBBBBBBPPPBBBBBB....");
    QTest::newRow("dash dot dot") << int(psDashDotDot) << int(bsSolid) << 24
                                  << QStringLiteral("PPPPPPPPPBBBPPPBBBPPPBBB....");
    QTest::newRow("dash repeats") << int(psDash) << int(bsSolid) << 28
                                      << QStringLiteral("PPPPPPPPPPPPPPPPPPBBBBBBPPPP");
    QTest::newRow("inside frame draws solid") << int(psInsideFrame) << int(bsSolid) << 24
                                              << QStringLiteral("PPPPPPPPPPPPPPPPPPPPPPPP....");
}

void TestCanvas::dashedLine()
{
    QFETCH(int, style);
    QFETCH(int, brushStyle);
    QFETCH(int, length);
    QFETCH(QString, expected);

    QImage image = Blank(28, 2);
    {
        TCanvas canvas(&image);
        SetUp(canvas, TPenStyle(style), 1, TBrushStyle(brushStyle));
        canvas.MoveTo(0, 0);
        canvas.LineTo(length, 0);
        // Every LineTo starts the pattern afresh.
        canvas.MoveTo(0, 1);
        canvas.LineTo(length, 1);
    }
    const QStringList picture = Picture(image);
    QCOMPARE(picture.at(0), expected);
    QCOMPARE(picture.at(1), expected);
}

void TestCanvas::wideLine()
{
    // Wide pens draw solid whatever their style, about the line's axis.
    QImage image = Blank(12, 12);
    {
        TCanvas canvas(&image);
        SetUp(canvas, psDash, 3);
        canvas.MoveTo(2, 5);
        canvas.LineTo(9, 5);
        QCOMPARE(canvas.PenPos, TPoint(9, 5));
    }
    const QStringList picture = Picture(image);
    QString column;
    for (const QString &row : picture)
        column += row.at(5);
    QCOMPARE(column.count(QLatin1Char('P')), 3);
    QCOMPARE(column.at(5), QLatin1Char('P'));
    QVERIFY(column.contains(QLatin1String("PPP")));
    QCOMPARE(picture.at(5).mid(3, 6), QStringLiteral("PPPPPP"));
}

void TestCanvas::clearPenMovesWithoutPainting()
{
    QImage image = Blank(6, 6);
    {
        TCanvas canvas(&image);
        SetUp(canvas, psClear);
        canvas.MoveTo(0, 0);
        canvas.LineTo(5, 5);
        QCOMPARE(canvas.PenPos, TPoint(5, 5));
    }
    QCOMPARE(image, Blank(6, 6));
}

void TestCanvas::fillAndFrameRect_data()
{
    QTest::addColumn<bool>("frame");
    QTest::addColumn<TRect>("rect");
    QTest::addColumn<int>("brushStyle");
    QTest::addColumn<QStringList>("expected");

    const QStringList blank{"......", "......", "......", "......", "......"};
    QTest::newRow("fill") << false << TRect(1, 1, 4, 3) << int(bsSolid)
                          << QStringList{"......", ".BBB..", ".BBB..", "......", "......"};
    QTest::newRow("fill whole image") << false << TRect(0, 0, 6, 5) << int(bsSolid)
                                      << QStringList{"BBBBBB", "BBBBBB", "BBBBBB", "BBBBBB", "BBBBBB"};
    QTest::newRow("fill inverted") << false << TRect(4, 3, 1, 1) << int(bsSolid) << blank;
    QTest::newRow("fill empty") << false << TRect(1, 1, 1, 3) << int(bsSolid) << blank;
    QTest::newRow("fill clear brush") << false << TRect(1, 1, 4, 3) << int(bsClear) << blank;
    QTest::newRow("frame") << true << TRect(1, 0, 6, 4) << int(bsSolid)
                           << QStringList{".BBBBB", ".B...B", ".B...B", ".BBBBB", "......"};
    QTest::newRow("frame two wide") << true << TRect(1, 1, 3, 5) << int(bsSolid)
                                    << QStringList{"......", ".BB...", ".BB...", ".BB...", ".BB..."};
    QTest::newRow("frame clear brush") << true << TRect(1, 0, 6, 4) << int(bsClear) << blank;
}

void TestCanvas::fillAndFrameRect()
{
    QFETCH(bool, frame);
    QFETCH(TRect, rect);
    QFETCH(int, brushStyle);
    QFETCH(QStringList, expected);

    QImage image = Blank(6, 5);
    {
        TCanvas canvas(&image);
        SetUp(canvas, psSolid, 1, TBrushStyle(brushStyle));
        if (frame)
            canvas.FrameRect(rect);
        else
            canvas.FillRect(rect);
    }
    QCOMPARE(Picture(image), expected);
}

void TestCanvas::rectangle_data()
{
    QTest::addColumn<TRect>("rect");
    QTest::addColumn<int>("penStyle");
    QTest::addColumn<int>("penWidth");
    QTest::addColumn<int>("brushStyle");
    QTest::addColumn<QStringList>("expected");

    const QStringList framed{"........", ".PPPPP..", ".PBBBP..", ".PBBBP..", ".PPPPP..", "........", "........"};
    QTest::newRow("one-pixel pen") << TRect(1, 1, 6, 5) << int(psSolid) << 1 << int(bsSolid) << framed;
    QTest::newRow("corners in any order") << TRect(6, 5, 1, 1) << int(psSolid) << 1 << int(bsSolid) << framed;
    QTest::newRow("width 0 draws as 1") << TRect(1, 1, 6, 5) << int(psSolid) << 0 << int(bsSolid) << framed;
    QTest::newRow("clear brush")
        << TRect(1, 1, 6, 5) << int(psSolid) << 1 << int(bsClear)
        << QStringList{"........", ".PPPPP..", ".P...P..", ".P...P..", ".PPPPP..", "........", "........"};
    QTest::newRow("clear pen")
        << TRect(1, 1, 6, 5) << int(psClear) << 1 << int(bsSolid)
        << QStringList{"........", ".BBBBB..", ".BBBBB..", ".BBBBB..", ".BBBBB..", "........", "........"};
    QTest::newRow("two-pixel pen")
        << TRect(1, 1, 7, 7) << int(psSolid) << 2 << int(bsSolid)
        << QStringList{"........", ".PPPPPP.", ".PPPPPP.", ".PPBBPP.", ".PPBBPP.", ".PPPPPP.", ".PPPPPP."};
    QTest::newRow("inside frame") << TRect(1, 1, 6, 5) << int(psInsideFrame) << 1 << int(bsSolid) << framed;
    QTest::newRow("pen wider than half")
        << TRect(1, 1, 4, 4) << int(psSolid) << 2 << int(bsSolid)
        << QStringList{"........", ".PPP....", ".PPP....", ".PPP....", "........", "........", "........"};
    // The dots run clockwise from the top-left corner, continuing round the corners.
    QTest::newRow("dotted pen")
        << TRect(0, 0, 5, 5) << int(psDot) << 1 << int(bsClear)
        << QStringList{"PPP.....", "........", "P...P...", "P...P...", "P...P...", "........", "........"};
    QTest::newRow("empty") << TRect(2, 2, 2, 5) << int(psSolid) << 1 << int(bsSolid)
                           << QStringList{"........", "........", "........", "........", "........", "........",
                                          "........"};
}

void TestCanvas::rectangle()
{
    QFETCH(TRect, rect);
    QFETCH(int, penStyle);
    QFETCH(int, penWidth);
    QFETCH(int, brushStyle);
    QFETCH(QStringList, expected);

    QImage image = Blank(8, 7);
    {
        TCanvas canvas(&image);
        SetUp(canvas, TPenStyle(penStyle), penWidth, TBrushStyle(brushStyle));
        canvas.MoveTo(3, 3);
        canvas.Rectangle(rect);
        QCOMPARE(canvas.PenPos, TPoint(3, 3));
    }
    QCOMPARE(Picture(image), expected);
}

void TestCanvas::pixels()
{
    QImage image = Blank(4, 3);
    {
        TCanvas canvas(&image);
        QCOMPARE(canvas.Pixels(0, 0), kBackground);
        canvas.SetPixels(2, 1, 0x123456);
        canvas.SetPixels(3, 2, clBtnFace);
        canvas.SetPixels(9, 9, kPen); // outside: ignored
        QCOMPARE(canvas.Pixels(2, 1), 0x123456);
        QCOMPARE(canvas.Pixels(3, 2), 0xC8D0D4);
        QCOMPARE(canvas.Pixels(-1, 0), clNone);
        QCOMPARE(canvas.Pixels(4, 0), clNone);
        QCOMPARE(canvas.Pixels(0, 3), clNone);
    }
    QCOMPARE(image.pixelColor(2, 1), QColor(0x56, 0x34, 0x12));
    QCOMPARE(QColorToColor(image.pixelColor(3, 2)), 0xC8D0D4);
    QCOMPARE(QColorToColor(image.pixelColor(1, 1)), kBackground);
}

void TestCanvas::borrowedPainter()
{
    // A canvas over a caller's painter draws in the painter's coordinates and hands the
    // painter back as it was.
    QImage image = Blank(8, 6);
    QPainter painter(&image);
    painter.translate(3, 2);
    const QPen callerPen(Qt::green, 5);
    painter.setPen(callerPen);
    painter.setRenderHint(QPainter::Antialiasing, true);
    {
        TCanvas canvas(&painter);
        QCOMPARE(canvas.Painter(), &painter);
        SetUp(canvas);
        canvas.FillRect(TRect(0, 0, 2, 1));
        canvas.MoveTo(-3, 3);
        canvas.LineTo(0, 3);
        QCOMPARE(canvas.Pixels(0, 0), kBrush);
        QCOMPARE(canvas.Pixels(-3, -2), kBackground);
    }
    QCOMPARE(painter.pen(), callerPen);
    QVERIFY(painter.testRenderHint(QPainter::Antialiasing));
    painter.end();
    QCOMPARE(Picture(image),
             (QStringList{"........", "........", "...BB...", "........", "........", "PPP....."}));
}

void TestCanvas::nullDeviceDrawsNothing()
{
    QImage null;
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("QPainter::begin")));
    TCanvas canvas(&null);
    QVERIFY(!canvas.Painter());
    canvas.MoveTo(1, 1);
    canvas.LineTo(4, 5);
    canvas.FillRect(TRect(0, 0, 3, 3));
    canvas.Rectangle(0, 0, 3, 3);
    canvas.TextOut(0, 0, QStringLiteral("x"));
    QCOMPARE(canvas.PenPos, TPoint(canvas.TextWidth(QStringLiteral("x")), 0));
    QCOMPARE(canvas.Pixels(0, 0), clNone);
}

void TestCanvas::text()
{
    const QString text = QStringLiteral("Hi");
    const int left = 2;
    const int top = 3;

    for (const TBrushStyle brushStyle : {bsSolid, bsClear}) {
        QImage image = Blank(60, 40);
        int width = 0;
        int height = 0;
        {
            TCanvas canvas(&image);
            SetUp(canvas, psSolid, 1, brushStyle);
            canvas.Font.Color = clWhite;
            width = canvas.TextWidth(text);
            height = canvas.TextHeight(text);
            QVERIFY(width > canvas.TextWidth(QStringLiteral("H")));
            QVERIFY(canvas.TextWidth(QStringLiteral("H")) > 0);
            QCOMPARE(canvas.TextWidth(QString()), 0);
            QVERIFY(height > 0);
            QVERIFY(left + width < image.width() && top + height < image.height());
            canvas.TextOut(left, top, text);
            QCOMPARE(canvas.PenPos, TPoint(left + width, top));
        }
        const QRect cell(left, top, width, height);
        int glyphPixels = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const TColor color = QColorToColor(image.pixelColor(x, y));
                if (!cell.contains(x, y)) {
                    QVERIFY2(color == kBackground, qPrintable(QStringLiteral("outside the cell at %1,%2").arg(x).arg(y)));
                    continue;
                }
                // With a solid brush the whole cell is covered; the glyphs are drawn in
                // the plain font colour, without antialiased edges.
                const TColor behind = brushStyle == bsSolid ? kBrush : kBackground;
                QVERIFY2(color == behind || color == clWhite,
                         qPrintable(QStringLiteral("%1 at %2,%3").arg(ColorToString(color)).arg(x).arg(y)));
                if (color == clWhite)
                    ++glyphPixels;
            }
        }
        QVERIFY(glyphPixels > 0);
    }
}

QTEST_MAIN(TestCanvas)
#include "tst_canvas.moc"
