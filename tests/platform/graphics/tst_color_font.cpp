#include <QtTest>

#include "platform/graphics/color.h"
#include "platform/graphics/font.h"

class TestColorFont : public QObject
{
    Q_OBJECT

private slots:
    void systemColors()
    {
        QCOMPARE(uint32_t(clBtnFace), 0xFF00000Fu);
        QCOMPARE(uint32_t(clWindowText), 0xFF000008u);
        QCOMPARE(clWindowText, -16777208);
        QCOMPARE(ColorToRGB(clWindow), clWhite);
        QCOMPARE(ColorToRGB(clInfoBk), TColor(0xE1FFFF));
        QCOMPARE(ColorToRGB(clNone), clBlack);
        QCOMPARE(ColorToRGB(clRed), clRed);
        QCOMPARE(GetSysColor(200), clBlack);
        QCOMPARE(ColorToQColor(clRed), QColor(255, 0, 0));
        QCOMPARE(QColorToColor(QColor(1, 2, 3)), TColor(0x030201));
    }

    void names_data()
    {
        QTest::addColumn<int>("color");
        QTest::addColumn<QString>("text");
        QTest::newRow("red") << int(clRed) << "clRed";
        QTest::newRow("button face") << int(clBtnFace) << "clBtnFace";
        QTest::newRow("none") << int(clNone) << "clNone";
        QTest::newRow("rgb") << 0x123456 << "$00123456";
    }

    void names()
    {
        QFETCH(int, color);
        QFETCH(QString, text);
        QCOMPARE(ColorToString(color), text);
        TColor parsed = 0;
        QVERIFY(StringToColor(text, parsed));
        QCOMPARE(parsed, color);
    }

    void parse()
    {
        TColor c = 0;
        QVERIFY(StringToColor("CLRED", c));
        QCOMPARE(c, clRed);
        QVERIFY(StringToColor("255", c));
        QCOMPARE(c, TColor(255));
        QVERIFY(StringToColor("$FF00000F", c));
        QCOMPARE(c, clBtnFace);
        QVERIFY(!StringToColor("reddish", c));
    }

    void font()
    {
        TFont font;
        QCOMPARE(font.Name, QStringLiteral("MS Sans Serif"));
        QCOMPARE(font.Size, 8);
        QCOMPARE(font.Height(), -11);
        font.Size = 12;
        QCOMPARE(font.Height(), -16);
        font.SetHeight(-13);
        QCOMPARE(font.Size, 10);
        font.Style = fsBold | fsUnderline;
        const QFont q = font.ToQFont();
        QVERIFY(q.bold() && q.underline() && !q.italic());
        QCOMPARE(q.pixelSize(), 13);
        TFont back;
        back.FromQFont(q);
        QCOMPARE(back.Style, TFontStyles(fsBold | fsUnderline));
        QCOMPARE(back.Size, 10);
    }
};

QTEST_GUILESS_MAIN(TestColorFont)
#include "tst_color_font.moc"
