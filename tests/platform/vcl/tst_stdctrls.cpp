#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QtTest>

#include "platform/vcl/richedit.h"
#include "platform/vcl/stdctrls.h"

namespace {

// The bounding box of the pixels that are not the background colour.
QRect InkBox(const QImage &image, const QRect &area, const QColor &background)
{
    QRect box;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (image.pixelColor(x, y) != background)
                box |= QRect(x, y, 1, 1);
        }
    }
    return box;
}

TFont BigFont()
{
    TFont font;
    font.Name = QStringLiteral("DejaVu Sans");
    font.Size = 16;
    font.Color = clBlack;
    return font;
}

} // namespace

class TestStdCtrls : public QObject
{
    Q_OBJECT

private slots:
    void editOnChangeFromCodeAndUser()
    {
        TEdit edit;
        QStringList changes;
        edit.OnChange = [&](QObject *sender) {
            QCOMPARE(sender, &edit);
            changes << edit.Text();
        };
        edit.SetText(QStringLiteral("abc"));
        edit.SetText(QStringLiteral("abc")); // the same text changes nothing
        QCOMPARE(changes, QStringList{QStringLiteral("abc")});
        edit.show();
        QVERIFY(QTest::qWaitForWindowExposed(&edit));
        edit.Editor()->setFocus();
        edit.Editor()->end(false);
        QTest::keyClicks(edit.Editor(), QStringLiteral("d"));
        QCOMPARE(changes, (QStringList{QStringLiteral("abc"), QStringLiteral("abcd")}));
        edit.SetText(QString());
        QCOMPARE(changes.last(), QString());
    }

    void editMaxLengthStopsTypingOnly()
    {
        TEdit edit;
        edit.SetText(QStringLiteral("abcdef"));
        edit.SetMaxLength(4); // never cuts the text already there
        QCOMPARE(edit.Text(), QStringLiteral("abcdef"));
        edit.SetText(QStringLiteral("0123456789")); // nor text set by code
        QCOMPARE(edit.Text(), QStringLiteral("0123456789"));
        edit.show();
        QVERIFY(QTest::qWaitForWindowExposed(&edit));
        edit.Editor()->setFocus();
        edit.Editor()->end(false);
        QTest::keyClicks(edit.Editor(), QStringLiteral("x"));
        QCOMPARE(edit.Text(), QStringLiteral("0123456789"));
        for (int i = 0; i < 7; ++i)
            QTest::keyClick(edit.Editor(), Qt::Key_Backspace);
        QCOMPARE(edit.Text(), QStringLiteral("012"));
        QTest::keyClicks(edit.Editor(), QStringLiteral("xyz"));
        QCOMPARE(edit.Text(), QStringLiteral("012x"));
        edit.SetMaxLength(0);
        QTest::keyClicks(edit.Editor(), QStringLiteral("yz"));
        QCOMPARE(edit.Text(), QStringLiteral("012xyz"));
    }

    void editPasswordAndCharCase()
    {
        TEdit edit;
        edit.SetPasswordChar(QLatin1Char('*'));
        QCOMPARE(edit.Editor()->echoMode(), QLineEdit::Password);
        QCOMPARE(edit.Editor()->style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, nullptr, edit.Editor()),
                 int('*'));
        edit.SetPasswordChar(QChar());
        QCOMPARE(edit.Editor()->echoMode(), QLineEdit::Normal);

        edit.SetText(QStringLiteral("Mixed"));
        edit.SetCharCase(ecUpperCase);
        QCOMPARE(edit.Text(), QStringLiteral("MIXED"));
        edit.show();
        QVERIFY(QTest::qWaitForWindowExposed(&edit));
        edit.Editor()->setFocus();
        edit.Editor()->end(false);
        QTest::keyClicks(edit.Editor(), QStringLiteral("ab"));
        QCOMPARE(edit.Text(), QStringLiteral("MIXEDAB"));
        edit.SetCharCase(ecLowerCase);
        QCOMPARE(edit.Text(), QStringLiteral("mixedab"));
    }

    void editAutoSizeAndInnerMouseEvents()
    {
        TWinControl window;
        window.SetBounds(0, 0, 200, 100);
        auto *edit = new TEdit(&window);
        TFont font = BigFont();
        edit->SetFont(font);
        QCOMPARE(edit->Height(), QFontMetrics(font.ToQFont()).height() + 8);
        QStringList events;
        edit->OnMouseDown = [&](QObject *sender, TMouseButton, TShiftState, int x, int y) {
            QCOMPARE(sender, edit);
            events << QStringLiteral("down %1,%2").arg(x).arg(y);
        };
        edit->OnClick = [&](QObject *) { events << QStringLiteral("click"); };
        edit->SetBounds(10, 10, 100, edit->Height());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTest::mouseClick(edit->Editor(), Qt::LeftButton, Qt::NoModifier, QPoint(6, 7));
        QCOMPARE(events, (QStringList{QStringLiteral("down 6,7"), QStringLiteral("click")}));
        edit->SetCursor(-2); // the arrow over the inner editor too
        QCOMPARE(edit->Editor()->cursor().shape(), Qt::ArrowCursor);
        edit->SetCursor(crDefault);
        QCOMPARE(edit->Editor()->cursor().shape(), Qt::IBeamCursor);
    }

    void memoLinesAndOnChange()
    {
        TMemo memo;
        int changes = 0;
        memo.OnChange = [&](QObject *) { ++changes; };
        memo.SetLines(QStringLiteral("one\r\ntwo\r\nthree"));
        QCOMPARE(changes, 1);
        QCOMPARE(memo.LineCount(), 3);
        QCOMPARE(memo.Editor()->document()->blockCount(), 3);
        QCOMPARE(memo.Lines(), QStringLiteral("one\r\ntwo\r\nthree"));

        // Text read back exactly as code set it, whatever its line breaks.
        memo.SetText(QStringLiteral("a\nb\r\nc\r\n"));
        QCOMPARE(changes, 2);
        QCOMPARE(memo.Text(), QStringLiteral("a\nb\r\nc\r\n"));
        QCOMPARE(memo.LineCount(), 3);
        memo.SetText(QStringLiteral("a\r\nb\r\nc\r\n")); // the same lines: no change
        QCOMPARE(changes, 2);
        QCOMPARE(memo.Text(), QStringLiteral("a\r\nb\r\nc\r\n"));

        // Edited text has CR LF between its lines.
        memo.show();
        QVERIFY(QTest::qWaitForWindowExposed(&memo));
        memo.Editor()->setFocus();
        memo.Editor()->moveCursor(QTextCursor::End);
        QTest::keyClicks(memo.Editor(), QStringLiteral("d"));
        QCOMPARE(changes, 3);
        QCOMPARE(memo.Text(), QStringLiteral("a\r\nb\r\nc\r\nd"));

        memo.SetAlignment(taRightJustify);
        QCOMPARE(memo.Editor()->document()->defaultTextOption().alignment(), Qt::AlignRight);
        QCOMPARE(changes, 3);
        memo.SetScrollBars(ssBoth);
        QCOMPARE(memo.Editor()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QCOMPARE(memo.Editor()->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        memo.SetScrollBars(ssVertical);
        QCOMPARE(memo.Editor()->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        memo.SetWordWrap(false);
        QCOMPARE(memo.Editor()->lineWrapMode(), QTextEdit::NoWrap);
        memo.SetCursor(-2);
        memo.SetReadOnly(true);
        QCOMPARE(memo.Editor()->viewport()->cursor().shape(), Qt::ArrowCursor);
    }

    // The rich edit runs on the memo's editor: the same defaults and settings, OnChange for
    // every change of its text, and a default alignment that leaves a paragraph's own
    // alignment and the loaded bytes alone.
    void richEditSharesTheMemoEditor()
    {
        TRichEdit rich;
        QCOMPARE(QSize(rich.Width(), rich.Height()), QSize(185, 89));
        QCOMPARE(rich.Editor()->geometry(), QRect(0, 0, 185, 89));
        QCOMPARE(rich.Color(), clWindow);
        QVERIFY(rich.TabStop());
        QVERIFY(rich.Editor()->tabChangesFocus());
        QCOMPARE(rich.Editor()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        QCOMPARE(rich.Editor()->lineWrapMode(), QTextEdit::WidgetWidth);

        QList<QObject *> senders;
        rich.OnChange = [&](QObject *sender) { senders << sender; };
        const QByteArray rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 Left\\par\\qc Centre\\par}";
        QVERIFY(rich.LoadLines(rtf));
        QVERIFY(!senders.isEmpty());
        QVERIFY(senders.count(&rich) == senders.size());
        const int afterLoad = int(senders.size());

        rich.SetAlignment(taRightJustify);
        QTextDocument *document = rich.Editor()->document();
        QCOMPARE(document->defaultTextOption().alignment(), Qt::AlignRight);
        QCOMPARE(document->findBlockByNumber(1).blockFormat().alignment(), Qt::AlignHCenter);
        QCOMPARE(rich.SaveLines(), rtf);
        QCOMPARE(int(senders.size()), afterLoad);

        rich.SetText(QStringLiteral("one\ntwo"));
        QVERIFY(senders.size() > afterLoad);
        QCOMPARE(rich.Text(), QStringLiteral("one\r\ntwo"));

        rich.SetScrollBars(ssHorizontal);
        QCOMPARE(rich.Editor()->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QCOMPARE(rich.Editor()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        rich.SetWordWrap(false);
        QCOMPARE(rich.Editor()->lineWrapMode(), QTextEdit::NoWrap);
        rich.SetBorderStyle(bsNone);
        QCOMPARE(rich.Editor()->frameShape(), QFrame::NoFrame);
        rich.SetReadOnly(true);
        QVERIFY(rich.Editor()->isReadOnly());
        rich.show();
        QVERIFY(QTest::qWaitForWindowExposed(&rich));
        rich.SetBounds(0, 0, 120, 60);
        QCOMPARE(rich.Editor()->geometry(), QRect(0, 0, 120, 60));
    }

    void labelPaintsByAlignmentAndLayout_data()
    {
        QTest::addColumn<int>("alignment");
        QTest::addColumn<int>("layout");
        QTest::newRow("left top") << int(taLeftJustify) << int(tlTop);
        QTest::newRow("centre centre") << int(taCenter) << int(tlCenter);
        QTest::newRow("right bottom") << int(taRightJustify) << int(tlBottom);
    }

    void labelPaintsByAlignmentAndLayout()
    {
        QFETCH(int, alignment);
        QFETCH(int, layout);
        TWinControl parent;
        parent.SetBounds(0, 0, 220, 120);
        parent.SetColor(clWhite);
        auto *label = new TLabel(&parent);
        label->SetAutoSize(false);
        label->SetBounds(10, 10, 200, 100);
        label->SetFont(BigFont());
        label->SetColor(clYellow);
        label->SetCaption(QStringLiteral("WW"));
        label->SetAlignment(TAlignment(alignment));
        label->SetLayout(TTextLayout(layout));
        const QImage image = parent.grab().toImage();
        QCOMPARE(image.pixelColor(5, 5), QColor(Qt::white));
        QCOMPARE(image.pixelColor(11, 108), QColor(Qt::yellow)); // the label's own colour
        const QRect ink = InkBox(image, QRect(10, 10, 200, 100), QColor(Qt::yellow));
        QVERIFY(!ink.isEmpty());
        const int slack = 8;
        switch (alignment) {
        case taLeftJustify:
            QVERIFY2(ink.left() < 10 + slack, qPrintable(QString::number(ink.left())));
            break;
        case taCenter:
            QVERIFY(qAbs(ink.center().x() - 110) < slack);
            break;
        default:
            QVERIFY2(ink.right() > 209 - slack, qPrintable(QString::number(ink.right())));
        }
        switch (layout) {
        case tlTop:
            QVERIFY(ink.top() < 10 + slack);
            break;
        case tlCenter:
            QVERIFY(qAbs(ink.center().y() - 60) < slack);
            break;
        default:
            QVERIFY(ink.bottom() > 109 - slack);
        }

        // A transparent label lets the parent show through.
        label->SetTransparent(true);
        QCOMPARE(parent.grab().toImage().pixelColor(11, 108), QColor(Qt::white));
    }

    void labelAutoSizeAndAccelChar()
    {
        TWinControl parent;
        auto *label = new TLabel(&parent);
        QVERIFY(label->AutoSize());
        label->SetFont(BigFont());
        label->SetCaption(QStringLiteral("&Name"));
        const QFontMetrics metrics(BigFont().ToQFont());
        // Widths within a pixel of the text's advance (Qt rounds its sizes up).
        QVERIFY(qAbs(label->Width() - metrics.horizontalAdvance(QStringLiteral("Name"))) <= 1);
        QCOMPARE(label->Height(), metrics.height());
        label->SetShowAccelChar(false); // the ampersand is shown
        QVERIFY(qAbs(label->Width() - metrics.horizontalAdvance(QStringLiteral("&Name"))) <= 1);

        // Right-justified labels keep their right edge while fitting.
        label->SetAlignment(taRightJustify);
        label->SetBounds(100, 0, label->Width(), label->Height());
        const int right = label->Left() + label->Width();
        label->SetCaption(QStringLiteral("N"));
        QCOMPARE(label->Left() + label->Width(), right);

        // Word wrap keeps the width and grows the height.
        label->SetAlignment(taLeftJustify);
        label->SetWordWrap(true);
        label->SetBounds(0, 0, metrics.horizontalAdvance(QStringLiteral("Name")) + 2, 10);
        label->SetCaption(QStringLiteral("Name Name Name"));
        QCOMPARE(label->Height(), 3 * metrics.height());
    }

    void buttonClicksOnceAndWraps()
    {
        TButton button;
        int clicks = 0;
        int downs = 0;
        button.OnClick = [&](QObject *sender) {
            QCOMPARE(sender, &button);
            ++clicks;
        };
        button.OnMouseDown = [&](QObject *, TMouseButton, TShiftState, int, int) { ++downs; };
        button.SetCaption(QStringLiteral("&Save"));
        QCOMPARE(button.Button()->text(), QStringLiteral("&Save"));
        button.show();
        QVERIFY(QTest::qWaitForWindowExposed(&button));
        QTest::mouseClick(button.Button(), Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
        QCOMPARE(clicks, 1);
        QCOMPARE(downs, 1);
        button.Button()->setFocus();
        QTest::keyClick(button.Button(), Qt::Key_Space);
        QCOMPARE(clicks, 2);

        button.SetWordWrap(true);
        QVERIFY(button.Button()->text().isEmpty());
        auto *label = button.Button()->findChild<QLabel *>();
        QVERIFY(label && label->wordWrap());
        QCOMPARE(label->text(), QStringLiteral("Save"));
        button.SetWordWrap(false);
        QCOMPARE(button.Button()->text(), QStringLiteral("&Save"));
    }

    void groupBoxFrameAndClientArea()
    {
        TGroupBox box;
        box.SetBounds(0, 0, 100, 80);
        box.SetColor(clWhite);
        const int textHeight = QFontMetrics(box.Font().ToQFont()).height();
        auto *child = new TWinControl(&box);
        child->SetAlign(alClient);
        QCOMPARE(child->BoundsRect().ToQRect(), QRect(2, textHeight + 2, 96, 80 - textHeight - 4));

        const QImage image = box.grab().toImage();
        const int frameTop = textHeight / 2 - 1;
        // Shadow frame at the outside top left, highlight one pixel in and down.
        QCOMPARE(image.pixelColor(0, 50), ColorToQColor(clBtnShadow));
        QCOMPARE(image.pixelColor(1, 50), ColorToQColor(clBtnHighlight));
        QCOMPARE(image.pixelColor(60, frameTop), ColorToQColor(clBtnShadow));
        QCOMPARE(image.pixelColor(99, 50), ColorToQColor(clBtnHighlight));
        QCOMPARE(image.pixelColor(98, 50), ColorToQColor(clBtnShadow));

        // The caption's cell covers the frame line.
        box.SetCaption(QStringLiteral("Options"));
        const QImage captioned = box.grab().toImage();
        const int captionWidth = QFontMetrics(box.Font().ToQFont()).horizontalAdvance(QStringLiteral("Options"));
        const QRect ink = InkBox(captioned, QRect(8, 0, captionWidth, textHeight), QColor(Qt::white));
        QVERIFY(!ink.isEmpty());
        int shadowPixels = 0;
        for (int x = 8; x < 8 + captionWidth; ++x)
            shadowPixels += captioned.pixelColor(x, frameTop) == ColorToQColor(clBtnShadow) ? 1 : 0;
        QVERIFY2(shadowPixels < captionWidth / 2, qPrintable(QString::number(shadowPixels)));
        QCOMPARE(captioned.pixelColor(4, frameTop), ColorToQColor(clBtnShadow));

        box.SetCtl3D(false);
        QCOMPARE(child->BoundsRect().ToQRect(), QRect(1, textHeight + 1, 98, 80 - textHeight - 2));
        QCOMPARE(box.grab().toImage().pixelColor(0, 50), ColorToQColor(clWindowFrame));
    }
};

QTEST_MAIN(TestStdCtrls)
#include "tst_stdctrls.moc"
