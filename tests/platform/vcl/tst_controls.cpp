#include <QContextMenuEvent>
#include <QMenu>
#include <QScrollBar>
#include <QStyle>
#include <QtTest>
#include <memory>

#include "platform/rtl/sysutils.h"
#include "platform/scripted_ui_services.h"
#include "platform/vcl/canvas.h"
#include "platform/vcl/controls.h"
#include "platform/vcl/cursors.h"
#include "platform/vcl/menus.h"
#include "platform/vcl/scrollbox.h"

namespace {

// A child described as "<kind><size>" with T/B/L/R/C/N for alTop, alBottom, alLeft,
// alRight, alClient, alNone, and a trailing '-' for a hidden child ("T10", "L30-", "C").
TControl *AddChild(TWinControl *parent, const QString &code)
{
    auto *child = new TWinControl(parent);
    const QChar kind = code.at(0);
    bool hidden = code.endsWith(QLatin1Char('-'));
    const int size = code.mid(1, code.size() - 1 - (hidden ? 1 : 0)).toInt();
    child->SetBounds(3, 4, size ? size : 5, size ? size : 5);
    if (hidden)
        child->SetVisible(false);
    const QString kinds = QStringLiteral("NTBLRC");
    child->SetAlign(TAlign(kinds.indexOf(kind)));
    return child;
}

QRect Bounds(const TControl *control)
{
    return control->BoundsRect().ToQRect();
}

// Index of widget in its parent's stacking order (0 = bottom).
int StackIndex(QWidget *widget)
{
    QList<QWidget *> widgets;
    for (QObject *child : widget->parentWidget()->children()) {
        if (auto *w = qobject_cast<QWidget *>(child))
            widgets.append(w);
    }
    return int(widgets.indexOf(widget));
}

class TPaintProbe : public TGraphicControl
{
public:
    using TGraphicControl::TGraphicControl;
    bool CanvasHadPainter = false;

protected:
    void Paint() override
    {
        CanvasHadPainter = Canvas()->Painter() != nullptr;
        Canvas()->Brush.Color = clRed;
        Canvas()->FillRect(TRect(0, 0, 4, 4));
    }
};

struct EventLog
{
    QStringList Events;

    void Attach(TControl *control)
    {
        control->OnClick = [this](QObject *) { Events << QStringLiteral("click"); };
        control->OnDblClick = [this](QObject *) { Events << QStringLiteral("dblclick"); };
        control->OnMouseDown = [this](QObject *, TMouseButton button, TShiftState shift, int x, int y) {
            Events << QStringLiteral("down %1 %2 %3,%4").arg(button).arg(shift).arg(x).arg(y);
        };
        control->OnMouseUp = [this](QObject *, TMouseButton button, TShiftState shift, int x, int y) {
            Events << QStringLiteral("up %1 %2 %3,%4").arg(button).arg(shift).arg(x).arg(y);
        };
        control->OnMouseEnter = [this](QObject *) { Events << QStringLiteral("enter"); };
        control->OnMouseLeave = [this](QObject *) { Events << QStringLiteral("leave"); };
    }
};

} // namespace

class TestControls : public QObject
{
    Q_OBJECT

private slots:
    void alignLayout_data()
    {
        QTest::addColumn<QStringList>("children");
        QTest::addColumn<QList<QRect>>("expected");
        // Client area 200 x 100.
        QTest::newRow("kinds in their fixed order") << QStringList{"C", "R40", "L30", "B20", "T10"}
                                                     << QList<QRect>{{30, 10, 130, 70},
                                                                     {160, 10, 40, 70},
                                                                     {0, 10, 30, 70},
                                                                     {0, 80, 200, 20},
                                                                     {0, 0, 200, 10}};
        QTest::newRow("creation order within a kind")
            << QStringList{"T10", "T20", "B5", "B15", "L30", "L40", "R7", "R9"}
            << QList<QRect>{{0, 0, 200, 10}, {0, 10, 200, 20}, {0, 95, 200, 5}, {0, 80, 200, 15},
                            {0, 30, 30, 50}, {30, 30, 40, 50}, {193, 30, 7, 50}, {184, 30, 9, 50}};
        QTest::newRow("hidden children take no room")
            << QStringList{"T10-", "L30", "C"} << QList<QRect>{{3, 4, 10, 10}, {0, 0, 30, 100}, {30, 0, 170, 100}};
        QTest::newRow("alNone stays") << QStringList{"N", "T10"}
                                      << QList<QRect>{{3, 4, 5, 5}, {0, 0, 200, 10}};
        QTest::newRow("no room left gives empty sizes")
            << QStringList{"T70", "T70", "C"} << QList<QRect>{{0, 0, 200, 70}, {0, 70, 200, 70}, {0, 140, 200, 0}};
    }

    void alignLayout()
    {
        QFETCH(QStringList, children);
        QFETCH(QList<QRect>, expected);
        TWinControl parent;
        parent.SetBounds(0, 0, 200, 100);
        QList<TControl *> controls;
        for (const QString &code : children)
            controls.append(AddChild(&parent, code));
        for (int i = 0; i < controls.size(); ++i) {
            if (expected[i] != Bounds(controls[i]))
                qWarning() << children[i] << Bounds(controls[i]);
            QCOMPARE(Bounds(controls[i]), expected[i]);
        }
        QCOMPARE(parent.Controls(), controls);
    }

    void realignFollowsChanges()
    {
        TWinControl parent;
        parent.SetBounds(0, 0, 200, 100);
        TControl *top = AddChild(&parent, QStringLiteral("T10"));
        TControl *left = AddChild(&parent, QStringLiteral("L30"));
        TControl *client = AddChild(&parent, QStringLiteral("C"));

        parent.SetBounds(0, 0, 300, 150); // the parent's resize
        QCOMPARE(Bounds(client), QRect(30, 10, 270, 140));
        top->SetHeight(25); // a child's size
        QCOMPARE(Bounds(left), QRect(0, 25, 30, 125));
        QCOMPARE(Bounds(client), QRect(30, 25, 270, 125));
        left->SetVisible(false); // a child's visibility
        QCOMPARE(Bounds(client), QRect(0, 25, 300, 125));
        left->SetVisible(true);
        top->SetAlign(alBottom); // a child's Align
        QCOMPARE(Bounds(top), QRect(0, 125, 300, 25));
        QCOMPARE(Bounds(client), QRect(30, 0, 270, 125));
        top->SetTop(0); // an aligned child cannot leave its place
        QCOMPARE(Bounds(top), QRect(0, 125, 300, 25));
        delete left; // a child leaving
        QCOMPARE(Bounds(client), QRect(0, 0, 300, 125));
        QCOMPARE(parent.ControlCount(), 2);

        // A shown window resized by Qt lays out too.
        parent.show();
        QVERIFY(QTest::qWaitForWindowExposed(&parent));
        parent.resize(100, 60);
        QCOMPARE(Bounds(client), QRect(0, 0, 100, 35));
    }

    void disableAlignSuspendsLayout()
    {
        TWinControl parent;
        parent.SetBounds(0, 0, 200, 100);
        TControl *top = AddChild(&parent, QStringLiteral("T10"));
        TControl *client = AddChild(&parent, QStringLiteral("C"));
        parent.DisableAlign();
        parent.DisableAlign();
        QVERIFY(parent.AlignDisabled());
        top->SetHeight(40);
        parent.SetBounds(0, 0, 120, 100);
        QCOMPARE(Bounds(client), QRect(0, 10, 200, 90));
        parent.EnableAlign();
        QVERIFY(parent.AlignDisabled());
        QCOMPARE(Bounds(client), QRect(0, 10, 200, 90));
        parent.EnableAlign();
        QVERIFY(!parent.AlignDisabled());
        QCOMPARE(Bounds(client), QRect(0, 40, 120, 60));
    }

    void reparentingKeepsVisibleAndMovesBetweenLists()
    {
        TWinControl first;
        TWinControl second;
        first.SetBounds(0, 0, 100, 100);
        second.SetBounds(0, 0, 50, 50);
        first.show();
        second.show();
        QVERIFY(QTest::qWaitForWindowExposed(&first));
        auto *child = new TWinControl(&first);
        child->SetAlign(alClient);
        QVERIFY(child->isVisible());
        child->setParent(&second);
        QVERIFY(child->Visible());
        QVERIFY(child->isVisible());
        QCOMPARE(child->Parent(), &second);
        QVERIFY(first.Controls().isEmpty());
        QCOMPARE(second.Controls(), QList<TControl *>{child});
        QCOMPARE(Bounds(child), QRect(0, 0, 50, 50));
        child->SetVisible(false); // switched off, it stays off when moved
        child->setParent(&first);
        QVERIFY(!child->Visible());
        QVERIFY(child->isHidden());

        // A control made without a parent shows once it gets one, unless switched off.
        auto *later = new TWinControl;
        QVERIFY(later->Visible());
        later->setParent(&second);
        QVERIFY(later->isVisible());
        auto *off = new TWinControl;
        off->SetVisible(false);
        off->setParent(&second);
        QVERIFY(!off->isVisible());
        QVERIFY(!off->Visible());
    }

    void graphicControlsStayBelowWindowedSiblings()
    {
        TWinControl parent;
        auto *windowed = new TWinControl(&parent);
        auto *graphic1 = new TGraphicControl(&parent);
        auto *graphic2 = new TGraphicControl(&parent);
        auto *windowed2 = new TWinControl(&parent);
        auto order = [&] {
            return QList<int>{StackIndex(graphic1), StackIndex(graphic2), StackIndex(windowed),
                              StackIndex(windowed2)};
        };
        QCOMPARE(order(), (QList<int>{0, 1, 2, 3}));
        graphic1->BringToFront();
        QCOMPARE(order(), (QList<int>{1, 0, 2, 3}));
        windowed2->SendToBack();
        QCOMPARE(order(), (QList<int>{1, 0, 3, 2}));
        graphic2->raise();
        QCOMPARE(order(), (QList<int>{0, 1, 3, 2}));
        // A graphic control joining later, by construction or by reparenting.
        auto *graphic3 = new TGraphicControl;
        graphic3->setParent(&parent);
        QCOMPARE(StackIndex(graphic3), 2);
        QVERIFY(StackIndex(windowed) > 2 && StackIndex(windowed2) > 2);
        // Creation order is kept apart from the z-order.
        QCOMPARE(parent.Controls(), (QList<TControl *>{windowed, graphic1, graphic2, windowed2, graphic3}));
    }

    void colorAndFontFollowParent()
    {
        TWinControl parent;
        parent.SetBounds(0, 0, 40, 40);
        auto *child = new TWinControl(&parent);
        child->SetBounds(0, 0, 20, 20);
        auto *grandChild = new TGraphicControl(child);
        QVERIFY(child->ParentColor());

        parent.SetColor(clRed);
        QCOMPARE(child->Color(), clRed);
        QCOMPARE(grandChild->Color(), clRed);
        QCOMPARE(child->palette().color(QPalette::Window), QColor(Qt::red));
        QCOMPARE(parent.grab().toImage().pixelColor(30, 30), QColor(Qt::red));
        QCOMPARE(parent.grab().toImage().pixelColor(5, 5), QColor(Qt::red));

        child->SetColor(clLime);
        QVERIFY(!child->ParentColor());
        parent.SetColor(clBlue);
        QCOMPARE(child->Color(), clLime);
        QCOMPARE(grandChild->Color(), clLime);
        QCOMPARE(parent.grab().toImage().pixelColor(5, 5), QColor(Qt::green));
        child->SetParentColor(true);
        QCOMPARE(child->Color(), clBlue);

        TFont font;
        font.Name = QStringLiteral("DejaVu Sans");
        font.Size = 14;
        font.Style = fsBold;
        font.Color = clMaroon;
        parent.SetFont(font);
        QCOMPARE(child->Font(), font);
        QCOMPARE(grandChild->Font(), font);
        QCOMPARE(child->font().pixelSize(), font.ToQFont().pixelSize());
        QVERIFY(child->font().bold());
        QCOMPARE(child->palette().color(QPalette::Active, QPalette::WindowText), ColorToQColor(clMaroon));
        TFont own = font;
        own.Size = 20;
        child->SetFont(own);
        QVERIFY(!child->ParentFont());
        parent.SetFont(TFont());
        QCOMPARE(child->Font(), own);
        QCOMPARE(grandChild->Font(), own);

        // A control joining a parent takes its colour and font.
        auto *late = new TGraphicControl;
        late->setParent(child);
        QCOMPARE(late->Color(), clBlue);
        QCOMPARE(late->Font(), own);
    }

    void cursorIds_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<int>("shape");
        QTest::newRow("crNone") << int(crNone) << int(Qt::BlankCursor);
        QTest::newRow("crArrow") << int(crArrow) << int(Qt::ArrowCursor);
        QTest::newRow("crCross") << int(crCross) << int(Qt::CrossCursor);
        QTest::newRow("crIBeam") << int(crIBeam) << int(Qt::IBeamCursor);
        QTest::newRow("crSizeNESW") << int(crSizeNESW) << int(Qt::SizeBDiagCursor);
        QTest::newRow("crSizeNS") << int(crSizeNS) << int(Qt::SizeVerCursor);
        QTest::newRow("crSizeNWSE") << int(crSizeNWSE) << int(Qt::SizeFDiagCursor);
        QTest::newRow("crSizeWE") << int(crSizeWE) << int(Qt::SizeHorCursor);
        QTest::newRow("crUpArrow") << int(crUpArrow) << int(Qt::UpArrowCursor);
        QTest::newRow("crHourGlass") << int(crHourGlass) << int(Qt::WaitCursor);
        QTest::newRow("crDrag") << int(crDrag) << int(Qt::DragMoveCursor);
        QTest::newRow("crNoDrop") << int(crNoDrop) << int(Qt::ForbiddenCursor);
        QTest::newRow("crHSplit") << int(crHSplit) << int(Qt::SplitHCursor);
        QTest::newRow("crVSplit") << int(crVSplit) << int(Qt::SplitVCursor);
        QTest::newRow("crMultiDrag") << int(crMultiDrag) << int(Qt::DragCopyCursor);
        QTest::newRow("crSQLWait") << int(crSQLWait) << int(Qt::WaitCursor);
        QTest::newRow("crNo") << int(crNo) << int(Qt::ForbiddenCursor);
        QTest::newRow("crAppStart") << int(crAppStart) << int(Qt::BusyCursor);
        QTest::newRow("crHelpPoint") << int(crHelpPoint) << int(Qt::WhatsThisCursor);
        QTest::newRow("crHandPoint") << int(crHandPoint) << int(Qt::PointingHandCursor);
        QTest::newRow("crSizeAll") << int(crSizeAll) << int(Qt::SizeAllCursor);
        QTest::newRow("unknown -5") << -5 << int(Qt::ArrowCursor);
        QTest::newRow("unknown 7") << 7 << int(Qt::ArrowCursor);
    }

    void cursorIds()
    {
        QFETCH(int, id);
        QFETCH(int, shape);
        TWinControl parent;
        auto *control = new TWinControl(&parent);
        control->SetCursor(TCursor(id));
        QCOMPARE(int(control->Cursor()), id);
        QVERIFY(control->testAttribute(Qt::WA_SetCursor));
        QCOMPARE(int(control->cursor().shape()), shape);
        control->SetCursor(crDefault);
        QVERIFY(!control->testAttribute(Qt::WA_SetCursor));
    }

    void hintShowsShortPartWhileShowHint()
    {
        TWinControl control;
        control.SetHint(QStringLiteral("Saves|Saves the page to its file"));
        QVERIFY(control.toolTip().isEmpty());
        control.SetShowHint(true);
        QCOMPARE(control.toolTip(), QStringLiteral("Saves"));
        QCOMPARE(control.Hint(), QStringLiteral("Saves|Saves the page to its file"));
        control.SetShowHint(false);
        QVERIFY(control.toolTip().isEmpty());
    }

    void enabledIsTheControlsOwnSwitch()
    {
        TWinControl parent;
        auto *child = new TWinControl(&parent);
        parent.SetEnabled(false);
        QVERIFY(child->Enabled());
        QVERIFY(!child->isEnabled());
        child->SetEnabled(false);
        parent.SetEnabled(true);
        QVERIFY(!child->Enabled());
    }

    void constraintsClamp()
    {
        TWinControl parent;
        parent.SetBounds(0, 0, 200, 100);
        TControl *top = AddChild(&parent, QStringLiteral("T10"));
        TControl *client = AddChild(&parent, QStringLiteral("C"));

        top->Constraints().SetMinHeight(30); // clamps now and realigns the parent
        QCOMPARE(top->Height(), 30);
        QCOMPARE(Bounds(client), QRect(0, 30, 200, 70));
        top->SetHeight(5);
        QCOMPARE(top->Height(), 30);
        top->Constraints().SetMaxHeight(20); // below the minimum: the minimum follows
        QCOMPARE(top->Constraints().MinHeight(), 20);
        QCOMPARE(top->Height(), 20);
        top->Constraints().SetMinHeight(25); // above the maximum: the maximum follows
        QCOMPARE(top->Constraints().MaxHeight(), 25);
        QCOMPARE(top->Height(), 25);
        client->Constraints().SetMaxWidth(50); // the layout keeps the limit too
        QCOMPARE(Bounds(client), QRect(0, 25, 50, 75));
        client->Constraints().SetMaxWidth(0);
        QCOMPARE(Bounds(client), QRect(0, 25, 200, 75));
        client->Constraints().SetMinWidth(-4);
        QCOMPARE(client->Constraints().MinWidth(), 0);
    }

    void paintGetsCanvas()
    {
        TWinControl parent;
        parent.SetBounds(0, 0, 20, 20);
        parent.SetColor(clWhite);
        auto *probe = new TPaintProbe(&parent);
        probe->SetBounds(5, 5, 10, 10);
        QVERIFY(probe->Canvas()->Painter() == nullptr);
        const QImage image = parent.grab().toImage();
        QVERIFY(probe->CanvasHadPainter);
        QCOMPARE(image.pixelColor(5, 5), QColor(Qt::red));
        QCOMPARE(image.pixelColor(8, 8), QColor(Qt::red));
        QCOMPARE(image.pixelColor(9, 9), QColor(Qt::white)); // graphic controls fill nothing
        QVERIFY(probe->Canvas()->Painter() == nullptr);
    }

    void mouseEventsThroughQTest()
    {
        TWinControl window;
        window.SetBounds(0, 0, 200, 200);
        auto *control = new TWinControl(&window);
        control->SetBounds(50, 50, 100, 100);
        EventLog log;
        log.Attach(control);
        int resized = 0;
        control->OnResize = [&](QObject *sender) {
            QCOMPARE(sender, control);
            ++resized;
        };
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        QTest::mouseMove(&window, QPoint(10, 10));
        QTest::mouseMove(&window, QPoint(60, 60));
        QTRY_COMPARE(log.Events, QStringList{QStringLiteral("enter")});
        log.Events.clear();
        QTest::mouseMove(&window, QPoint(170, 170));
        QTRY_COMPARE(log.Events, QStringList{QStringLiteral("leave")});
        log.Events.clear();

        QTest::mouseClick(control, Qt::LeftButton, Qt::ShiftModifier, QPoint(7, 9));
        QCOMPARE(log.Events, (QStringList{QStringLiteral("down 0 9 7,9"), QStringLiteral("click"),
                                          QStringLiteral("up 0 1 7,9")}));
        log.Events.clear();
        // A double click: press, release, the second press as a double click, release.
        QTest::mouseClick(control, Qt::LeftButton, Qt::NoModifier, QPoint(3, 4));
        QMouseEvent second(QEvent::MouseButtonDblClick, QPointF(3, 4), QPointF(control->mapToGlobal(QPoint(3, 4))),
                           Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(control, &second);
        QTest::mouseRelease(control, Qt::LeftButton, Qt::NoModifier, QPoint(3, 4));
        QCOMPARE(log.Events, (QStringList{QStringLiteral("down 0 8 3,4"), QStringLiteral("click"),
                                          QStringLiteral("up 0 0 3,4"), QStringLiteral("dblclick"),
                                          QStringLiteral("down 0 72 3,4"), QStringLiteral("up 0 0 3,4")}));
        log.Events.clear();

        // Pressed inside, let go outside: no click.
        QTest::mousePress(control, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
        QTest::mouseRelease(control, Qt::LeftButton, Qt::NoModifier, QPoint(150, 5));
        QCOMPARE(log.Events.count(QStringLiteral("click")), 0);
        log.Events.clear();
        QTest::mouseClick(control, Qt::RightButton, Qt::ControlModifier, QPoint(1, 2));
        QCOMPARE(log.Events.first(), QStringLiteral("down 1 20 1,2"));
        QVERIFY(!log.Events.contains(QStringLiteral("click")));

        control->SetWidth(120);
        QTRY_VERIFY(resized > 0);
    }

    void exceptionInOnClickIsShownOnce()
    {
        TScriptedUiServices ui;
        TWinControl control;
        control.SetBounds(0, 0, 50, 50);
        int clicks = 0;
        int ups = 0;
        control.OnClick = [&](QObject *) {
            ++clicks;
            if (clicks == 1)
                throw Exception(QStringLiteral("Boom"));
        };
        control.OnMouseUp = [&](QObject *, TMouseButton, TShiftState, int, int) { ++ups; };
        control.show();
        QVERIFY(QTest::qWaitForWindowExposed(&control));
        QTest::mouseClick(&control, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
        QCOMPARE(ui.Messages(), QStringList{QStringLiteral("Boom.")});
        QCOMPARE(ui.CallsOf(QStringLiteral("MessageBox")).first().Flags, unsigned(MB_OK | MB_ICONERROR));
        QCOMPARE(ups, 1);
        QTest::mouseClick(&control, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
        QCOMPARE(clicks, 2);
        QCOMPARE(ui.Messages().size(), 1);
    }

    void popupMenuOnRightClick()
    {
        TWinControl parent;
        parent.SetBounds(0, 0, 100, 100);
        auto *child = new TWinControl(&parent);
        child->SetBounds(10, 10, 30, 30);
        TPopupMenu parentMenu;
        TPopupMenu childMenu;
        for (TPopupMenu *menu : {&parentMenu, &childMenu}) {
            auto *item = new TMenuItem;
            item->SetCaption(QStringLiteral("Item"));
            menu->Items()->Add(item);
        }
        parent.SetPopupMenu(&parentMenu);
        parent.show();
        QVERIFY(QTest::qWaitForWindowExposed(&parent));

        // Without a menu of its own the child leaves the click to its parent.
        QContextMenuEvent first(QContextMenuEvent::Mouse, QPoint(5, 5), child->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(child, &first);
        QTRY_VERIFY(parentMenu.Menu()->isVisible());
        parentMenu.Menu()->hide();

        child->SetPopupMenu(&childMenu);
        QCOMPARE(child->PopupMenu(), &childMenu);
        QContextMenuEvent second(QContextMenuEvent::Mouse, QPoint(5, 5), child->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(child, &second);
        QTRY_VERIFY(childMenu.Menu()->isVisible());
        QVERIFY(!parentMenu.Menu()->isVisible());
        childMenu.Menu()->hide();
    }

    void scrollBoxBorderAndAutoScroll()
    {
        TScrollBox box;
        QCOMPARE(box.BorderStyle(), bsSingle);
        box.SetBounds(0, 0, 104, 84);
        QCOMPARE(box.ClientWidth(), 100);
        QCOMPARE(box.ClientHeight(), 80);
        auto *child = new TWinControl(&box);
        child->SetBounds(0, 0, 10, 10);
        QCOMPARE(child->geometry().topLeft(), QPoint(2, 2)); // inside the frame
        QVERIFY(!box.HorzScrollBar().IsScrollBarVisible());
        QVERIFY(!box.VertScrollBar().IsScrollBarVisible());

        // A sunken frame: shadow outside at the top left, highlight at the bottom right.
        box.SetColor(clWhite);
        const QImage image = box.grab().toImage();
        QCOMPARE(image.pixelColor(0, 10), ColorToQColor(clBtnShadow));
        QCOMPARE(image.pixelColor(1, 10), ColorToQColor(cl3DDkShadow));
        QCOMPARE(image.pixelColor(103, 10), ColorToQColor(clBtnHighlight));
        QCOMPARE(image.pixelColor(50, 82), ColorToQColor(cl3DLight));

        // A child reaching below the client area brings the vertical bar.
        auto *tall = new TWinControl(&box);
        tall->SetBounds(5, 60, 20, 100);
        QVERIFY(box.VertScrollBar().IsScrollBarVisible());
        QVERIFY(!box.HorzScrollBar().IsScrollBarVisible());
        QCOMPARE(box.VertScrollBar().Range(), 160);
        const int barWidth = box.style()->pixelMetric(QStyle::PM_ScrollBarExtent);
        QCOMPARE(box.ClientWidth(), 100 - barWidth);

        // Scrolling moves the children and keeps the range.
        box.VertScrollBar().SetPosition(30);
        QCOMPARE(box.VertScrollBar().Position(), 30);
        QCOMPARE(tall->Top(), 30);
        QCOMPARE(child->Top(), -30);
        QCOMPARE(box.VertScrollBar().Range(), 160);
        box.VertScrollBar().SetPosition(1000); // clamped to range less client height
        QCOMPARE(box.VertScrollBar().Position(), 80);
        QCOMPARE(tall->Top(), -20);

        // Aligned children fill the scrolled extent.
        auto *top = new TWinControl(&box);
        top->SetBounds(0, 0, 10, 15);
        top->SetAlign(alTop);
        QCOMPARE(top->Top(), -80);
        QCOMPARE(top->Width(), box.ClientWidth());

        // Without AutoScroll the bars go and the children return.
        box.SetAutoScroll(false);
        QVERIFY(!box.VertScrollBar().IsScrollBarVisible());
        QCOMPARE(box.VertScrollBar().Position(), 0);
        QCOMPARE(tall->Top(), 60);
        QCOMPARE(box.ClientWidth(), 100);

        box.SetBorderStyle(bsNone);
        QCOMPARE(box.ClientWidth(), 104);
        QCOMPARE(child->geometry().topLeft(), QPoint(0, 0));
        QCOMPARE(child->Left(), 0);
    }
};

QTEST_MAIN(TestControls)
#include "tst_controls.moc"
