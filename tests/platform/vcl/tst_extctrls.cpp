#include <QtTest>

#include "platform/rtl/sysutils.h"
#include "platform/scripted_ui_services.h"
#include "platform/vcl/cursors.h"
#include "platform/vcl/extctrls.h"

namespace {

// A 300 x 100 parent with a left control, a splitter against it and a client control.
struct SplitLayout
{
    TWinControl Parent;
    TWinControl *Left;
    TSplitter *Splitter;
    TWinControl *Client;

    explicit SplitLayout(TAlign side = alLeft)
    {
        Parent.SetBounds(0, 0, 300, 100);
        Left = new TWinControl(&Parent);
        Left->SetBounds(0, 0, 100, 100);
        Left->SetAlign(side);
        Splitter = new TSplitter(&Parent);
        Splitter->SetAlign(side);
        Client = new TWinControl(&Parent);
        Client->SetAlign(alClient);
        Parent.show();
    }

    // Drags the splitter by dx pixels of the parent, the button let go at the end. Each
    // event is placed in the splitter's coordinates of that moment, as the splitter may
    // move while dragged.
    void Drag(int dx)
    {
        const QPoint start(1, 50);
        const QPoint target = Splitter->mapTo(&Parent, start) + QPoint(dx, 0);
        QTest::mousePress(Splitter, Qt::LeftButton, Qt::NoModifier, start);
        const QPoint moved = Splitter->mapFrom(&Parent, target);
        QMouseEvent move(QEvent::MouseMove, QPointF(moved), QPointF(Splitter->mapToGlobal(moved)), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(Splitter, &move);
        QTest::mouseRelease(Splitter, Qt::LeftButton, Qt::NoModifier, Splitter->mapFrom(&Parent, target));
    }
};

} // namespace

class TestExtCtrls : public QObject
{
    Q_OBJECT

private slots:
    void splitterDefaults()
    {
        SplitLayout layout;
        QCOMPARE(layout.Splitter->Width(), 3);
        QCOMPARE(layout.Splitter->MinSize(), 30);
        QCOMPARE(layout.Splitter->ResizeStyle(), rsPattern);
        QCOMPARE(layout.Splitter->Cursor(), crHSplit);
        QCOMPARE(layout.Splitter->BoundsRect().ToQRect(), QRect(100, 0, 3, 100));
        QCOMPARE(layout.Splitter->ResizedControl(), layout.Left);
        layout.Splitter->SetAlign(alTop);
        QCOMPARE(layout.Splitter->Cursor(), crVSplit);
        QVERIFY(layout.Splitter->ResizedControl() == nullptr); // no top control before it
        layout.Splitter->SetCursor(crHandPoint);
        layout.Splitter->SetAlign(alLeft);
        QCOMPARE(layout.Splitter->Cursor(), crHandPoint);
    }

    void splitterDragResizesSibling_data()
    {
        QTest::addColumn<int>("side");
        QTest::addColumn<int>("resizeStyle");
        QTest::addColumn<bool>("autoSnap");
        QTest::addColumn<int>("dx");
        QTest::addColumn<int>("expectedWidth");
        // Room: 300 wide, less MinSize 30, less the splitter: the left control may reach 267.
        QTest::newRow("grow") << int(alLeft) << int(rsUpdate) << false << 50 << 150;
        QTest::newRow("shrink to MinSize") << int(alLeft) << int(rsUpdate) << false << -90 << 30;
        QTest::newRow("snap below MinSize") << int(alLeft) << int(rsUpdate) << true << -90 << 0;
        QTest::newRow("keep MinSize for the rest") << int(alLeft) << int(rsUpdate) << false << 500 << 267;
        QTest::newRow("pattern applies on release") << int(alLeft) << int(rsPattern) << false << 40 << 140;
        QTest::newRow("line") << int(alLeft) << int(rsLine) << false << -20 << 80;
        QTest::newRow("none") << int(alLeft) << int(rsNone) << false << 10 << 110;
        QTest::newRow("right side grows leftwards") << int(alRight) << int(rsUpdate) << false << -50 << 150;
        QTest::newRow("right side shrinks") << int(alRight) << int(rsUpdate) << false << 60 << 40;
    }

    void splitterDragResizesSibling()
    {
        QFETCH(int, side);
        QFETCH(int, resizeStyle);
        QFETCH(bool, autoSnap);
        QFETCH(int, dx);
        QFETCH(int, expectedWidth);
        SplitLayout layout{TAlign(side)};
        layout.Splitter->SetResizeStyle(TResizeStyle(resizeStyle));
        layout.Splitter->SetAutoSnap(autoSnap);
        layout.Drag(dx);
        QCOMPARE(layout.Left->Width(), expectedWidth);
        // The layout follows: the splitter beside the control, the client taking the rest.
        QCOMPARE(layout.Client->Width(), 300 - expectedWidth - 3);
        if (side == alLeft)
            QCOMPARE(layout.Splitter->Left(), expectedWidth);
        else
            QCOMPARE(layout.Splitter->Left(), 300 - expectedWidth - 3);
    }

    void splitterLineShowsWhileDragging()
    {
        SplitLayout layout;
        layout.Splitter->SetResizeStyle(rsLine);
        const QPoint start(1, 50);
        QTest::mousePress(layout.Splitter, Qt::LeftButton, Qt::NoModifier, start);
        QMouseEvent move(QEvent::MouseMove, QPointF(start + QPoint(30, 0)), QPointF(start + QPoint(30, 0)),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(layout.Splitter, &move);
        QCOMPARE(layout.Left->Width(), 100); // not yet
        QWidget *line = nullptr;
        for (QObject *child : layout.Parent.children()) {
            auto *widget = qobject_cast<QWidget *>(child);
            if (widget && !qobject_cast<TControl *>(widget))
                line = widget;
        }
        QVERIFY(line);
        QCOMPARE(line->geometry(), QRect(130, 0, 3, 100));
        QTest::mouseRelease(layout.Splitter, Qt::LeftButton, Qt::NoModifier, start + QPoint(30, 0));
        QCOMPARE(layout.Left->Width(), 130);
        QVERIFY(layout.Parent.findChildren<QWidget *>().size() == 3);
    }

    void splitterPaintsColourAndBevel()
    {
        SplitLayout layout;
        layout.Parent.SetColor(clWhite);
        layout.Splitter->SetBounds(0, 0, 6, 100);
        QImage image = layout.Parent.grab().toImage();
        QCOMPARE(image.pixelColor(102, 50), QColor(Qt::white)); // the parent's colour
        layout.Splitter->SetColor(clRed);
        layout.Splitter->SetBeveled(true);
        image = layout.Parent.grab().toImage();
        QCOMPARE(image.pixelColor(101, 50), QColor(Qt::red));
        QCOMPARE(image.pixelColor(104, 50), QColor(Qt::red));
        QCOMPARE(image.pixelColor(100, 50), ColorToQColor(clBtnShadow));
        QCOMPARE(image.pixelColor(102, 50), ColorToQColor(clBtnHighlight));
        QCOMPARE(image.pixelColor(105, 50), ColorToQColor(clBtnHighlight));
    }

    void timerIntervals()
    {
        TTimer never;
        int neverFired = 0;
        never.OnTimer = [&](QObject *) { ++neverFired; };
        never.SetInterval(0);
        QVERIFY(never.Enabled());

        TTimer ticking;
        QCOMPARE(ticking.Interval(), 1000);
        int ticks = 0;
        ticking.OnTimer = [&](QObject *sender) {
            QCOMPARE(sender, &ticking);
            ++ticks;
        };
        ticking.SetInterval(10);
        QTRY_VERIFY_WITH_TIMEOUT(ticks >= 3, 2000);
        ticking.SetEnabled(false);
        const int stopped = ticks;
        QTest::qWait(60);
        QCOMPARE(ticks, stopped);
        QCOMPARE(neverFired, 0);

        // A negative interval never fires either.
        never.SetInterval(-5);
        QTest::qWait(30);
        QCOMPARE(neverFired, 0);
    }

    void timerHandlerExceptionIsShown()
    {
        TScriptedUiServices ui;
        TTimer timer;
        int ticks = 0;
        timer.OnTimer = [&](QObject *) {
            ++ticks;
            throw Exception(QStringLiteral("Tick failed"));
        };
        timer.SetInterval(5);
        QTRY_VERIFY(ticks >= 2);
        timer.SetEnabled(false);
        QCOMPARE(ui.Messages().first(), QStringLiteral("Tick failed."));
        QCOMPARE(ui.Messages().size(), ticks);
    }

    void panelBevels_data()
    {
        QTest::addColumn<int>("outer");
        QTest::addColumn<int>("inner");
        QTest::addColumn<int>("topLeft");     // colour at (0, 10)
        QTest::addColumn<int>("bottomRight"); // colour at (49, 10)
        QTest::addColumn<int>("second");      // colour at (1, 10)
        QTest::newRow("raised") << int(bvRaised) << int(bvNone) << int(clBtnHighlight) << int(clBtnShadow)
                                << int(clYellow);
        QTest::newRow("lowered") << int(bvLowered) << int(bvNone) << int(clBtnShadow) << int(clBtnHighlight)
                                 << int(clYellow);
        QTest::newRow("raised outside, lowered inside")
            << int(bvRaised) << int(bvLowered) << int(clBtnHighlight) << int(clBtnShadow) << int(clBtnShadow);
        QTest::newRow("space") << int(bvSpace) << int(bvNone) << int(clYellow) << int(clYellow) << int(clYellow);
        QTest::newRow("none") << int(bvNone) << int(bvNone) << int(clYellow) << int(clYellow) << int(clYellow);
    }

    void panelBevels()
    {
        QFETCH(int, outer);
        QFETCH(int, inner);
        QFETCH(int, topLeft);
        QFETCH(int, bottomRight);
        QFETCH(int, second);
        TPanel panel;
        QCOMPARE(panel.BevelOuter(), bvRaised);
        QCOMPARE(panel.Alignment(), taCenter);
        panel.SetBounds(0, 0, 50, 30);
        panel.SetColor(clYellow);
        panel.SetBevelOuter(TPanelBevel(outer));
        panel.SetBevelInner(TPanelBevel(inner));
        const QImage image = panel.grab().toImage();
        QCOMPARE(image.pixelColor(0, 10), ColorToQColor(topLeft));
        QCOMPARE(image.pixelColor(10, 0), ColorToQColor(topLeft));
        QCOMPARE(image.pixelColor(49, 10), ColorToQColor(bottomRight));
        QCOMPARE(image.pixelColor(10, 29), ColorToQColor(bottomRight));
        QCOMPARE(image.pixelColor(1, 10), ColorToQColor(second));
        if (outer != bvNone && outer != bvSpace) {
            // The corners where the two colours meet belong to the second colour.
            QCOMPARE(image.pixelColor(49, 0), ColorToQColor(bottomRight));
            QCOMPARE(image.pixelColor(0, 29), ColorToQColor(bottomRight));
        }
        QCOMPARE(image.pixelColor(25, 5), QColor(Qt::yellow));
    }

    void panelClientAreaAndCaption()
    {
        TPanel panel;
        panel.SetBounds(0, 0, 100, 60);
        auto *child = new TWinControl(&panel);
        child->SetAlign(alClient);
        QCOMPARE(child->BoundsRect().ToQRect(), QRect(1, 1, 98, 58));
        panel.SetBevelInner(bvLowered);
        panel.SetBevelWidth(2);
        panel.SetBorderWidth(3);
        QCOMPARE(child->BoundsRect().ToQRect(), QRect(7, 7, 86, 46));
        panel.SetBevelWidth(0); // refused
        panel.SetBorderWidth(-1);
        QCOMPARE(panel.BevelWidth(), 2);
        QCOMPARE(panel.BorderWidth(), 3);
        delete child;

        // The caption sits in the middle of a centred panel.
        panel.SetColor(clWhite);
        TFont font;
        font.Name = QStringLiteral("DejaVu Sans");
        font.Size = 14;
        panel.SetFont(font);
        panel.SetCaption(QStringLiteral("HH"));
        const QImage image = panel.grab().toImage();
        QRect ink;
        for (int y = 8; y < 52; ++y) {
            for (int x = 8; x < 92; ++x) {
                if (image.pixelColor(x, y) != QColor(Qt::white))
                    ink |= QRect(x, y, 1, 1);
            }
        }
        QVERIFY(!ink.isEmpty());
        QVERIFY2(qAbs(ink.center().x() - 50) <= 3, qPrintable(QString::number(ink.center().x())));
        QVERIFY2(qAbs(ink.center().y() - 30) <= 4, qPrintable(QString::number(ink.center().y())));
    }
};

QTEST_MAIN(TestExtCtrls)
#include "tst_extctrls.moc"
