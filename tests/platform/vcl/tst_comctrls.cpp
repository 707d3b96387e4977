#include <QToolButton>
#include <QtTest>

#include "platform/vcl/comctrls.h"

namespace {

QRect TabRectOf(const TPageControl &control, int index)
{
    return control.TabRect(index).ToQRect();
}

QImage Filled(int width, int height, const QColor &color)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(color);
    return image;
}

// A page control with pages of the given captions.
struct Pages
{
    TPageControl Control;
    QList<TTabSheet *> Sheets;

    explicit Pages(const QStringList &captions)
    {
        for (const QString &caption : captions) {
            auto *sheet = new TTabSheet;
            sheet->SetCaption(caption);
            sheet->SetPageControl(&Control);
            Sheets.append(sheet);
        }
    }
};

} // namespace

class TestComCtrls : public QObject
{
    Q_OBJECT

private slots:
    void fixedTabSizes_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<QSize>("tabSize");
        QTest::newRow("top") << int(tpTop) << QSize(80, 30);
        QTest::newRow("bottom") << int(tpBottom) << QSize(80, 30);
        QTest::newRow("left") << int(tpLeft) << QSize(30, 80);
        QTest::newRow("right") << int(tpRight) << QSize(30, 80);
    }

    void fixedTabSizes()
    {
        QFETCH(int, position);
        QFETCH(QSize, tabSize);
        Pages pages({QStringLiteral("A"), QStringLiteral("A much longer caption")});
        TPageControl &control = pages.Control;
        control.SetBounds(0, 0, 400, 300);
        control.SetTabPosition(TTabPosition(position));
        control.SetTabWidth(80);
        control.SetTabHeight(30);
        const QRect first = TabRectOf(control, 0);
        const QRect second = TabRectOf(control, 1);
        QCOMPARE(first.size(), tabSize);
        QCOMPARE(second.size(), tabSize);
        // Tabs follow each other along their edge; the pages lie clear of them.
        const QRect display = control.DisplayRect().ToQRect();
        QVERIFY(!display.intersects(first) && !display.intersects(second));
        switch (position) {
        case tpTop:
            QCOMPARE(second.topLeft(), first.topRight() + QPoint(1, 0));
            QVERIFY(display.top() >= first.bottom());
            break;
        case tpBottom:
            QCOMPARE(second.left(), first.right() + 1);
            QVERIFY(display.bottom() <= first.top());
            QVERIFY(first.bottom() < 300);
            break;
        case tpLeft:
            QCOMPARE(second.top(), first.bottom() + 1);
            QVERIFY(display.left() >= first.right());
            break;
        default:
            QCOMPARE(second.top(), first.bottom() + 1);
            QVERIFY(display.right() <= first.left());
            break;
        }
        for (TTabSheet *sheet : pages.Sheets)
            QCOMPARE(sheet->BoundsRect().ToQRect(), display);
        // Pages keep to the display area whatever bounds they are given.
        QCOMPARE(pages.Sheets[1]->Align(), alClient);
        pages.Sheets[1]->SetBounds(0, 0, 10, 10);
        QCOMPARE(pages.Sheets[1]->BoundsRect().ToQRect(), display);

        // Automatic sizes follow the captions.
        control.SetTabWidth(0);
        control.SetTabHeight(0);
        const QRect autoFirst = TabRectOf(control, 0);
        const QRect autoSecond = TabRectOf(control, 1);
        const bool vertical = position == tpLeft || position == tpRight;
        const int firstLength = vertical ? autoFirst.height() : autoFirst.width();
        const int secondLength = vertical ? autoSecond.height() : autoSecond.width();
        QVERIFY(secondLength > firstLength + 50);
    }

    void tabIcons()
    {
        Pages pages({QStringLiteral("One"), QStringLiteral("Two")});
        TPageControl &control = pages.Control;
        control.SetBounds(0, 0, 300, 200);
        const int plainWidth = TabRectOf(control, 1).width();

        TImageList images;
        images.SetWidth(12);
        images.SetHeight(12);
        images.Add(Filled(12, 12, Qt::green));
        images.Add(Filled(24, 24, Qt::red)); // scaled to the list's size
        QCOMPARE(images.Pixmap(1).size(), QSize(12, 12));
        control.SetImages(&images);
        pages.Sheets[1]->SetImageIndex(1);
        QCOMPARE(TabRectOf(control, 1).width(), plainWidth + 12 + 3);

        // The icon shows inside its tab.
        control.SetActivePageIndex(1);
        const QImage image = control.grab().toImage();
        const QRect tab = TabRectOf(control, 1);
        int red = 0;
        for (int y = tab.top(); y <= tab.bottom(); ++y) {
            for (int x = tab.left(); x <= tab.right(); ++x)
                red += image.pixelColor(x, y) == QColor(Qt::red) ? 1 : 0;
        }
        QVERIFY2(red >= 100, qPrintable(QString::number(red)));

        // A list changing size empties itself; the tabs follow.
        images.SetWidth(16);
        QCOMPARE(images.Count(), 0);
        QCOMPARE(TabRectOf(control, 1).width(), plainWidth);
    }

    void imageListMask()
    {
        TImageList images;
        QImage image = Filled(16, 16, Qt::magenta);
        image.setPixelColor(3, 3, Qt::blue);
        images.AddMasked(image, clFuchsia);
        QImage bottomLeft = Filled(16, 16, Qt::white);
        bottomLeft.setPixelColor(5, 5, Qt::black);
        images.AddMasked(bottomLeft, clDefault);
        const QImage first = images.Pixmap(0).toImage();
        QCOMPARE(first.pixelColor(0, 0).alpha(), 0);
        QCOMPARE(first.pixelColor(3, 3), QColor(Qt::blue));
        const QImage second = images.Pixmap(1).toImage();
        QCOMPARE(second.pixelColor(15, 0).alpha(), 0);
        QCOMPARE(second.pixelColor(5, 5), QColor(Qt::black));
        images.SetWidth(0); // refused
        QCOMPARE(images.Width(), 16);
        QCOMPARE(images.Count(), 2);
        QVERIFY(images.Pixmap(5).isNull());
    }

    void onChangeOnlyFromUser()
    {
        Pages pages({QStringLiteral("One"), QStringLiteral("Two"), QStringLiteral("Three")});
        TPageControl &control = pages.Control;
        control.SetBounds(0, 0, 300, 200);
        int changes = 0;
        control.OnChange = [&](QObject *sender) {
            QCOMPARE(sender, &control);
            ++changes;
        };
        QCOMPARE(control.ActivePageIndex(), 0); // the first page added became active
        control.SetActivePageIndex(1);
        control.SetActivePage(pages.Sheets[2]);
        QCOMPARE(changes, 0);
        QCOMPARE(control.ActivePage(), pages.Sheets[2]);

        control.show();
        QVERIFY(QTest::qWaitForWindowExposed(&control));
        QTest::mouseClick(&control, Qt::LeftButton, Qt::NoModifier, TabRectOf(control, 0).center());
        QCOMPARE(changes, 1);
        QCOMPARE(control.ActivePageIndex(), 0);
        QTest::mouseClick(&control, Qt::LeftButton, Qt::NoModifier, TabRectOf(control, 0).center());
        QCOMPARE(changes, 1); // the active tab again
        QTest::mouseClick(&control, Qt::LeftButton, Qt::NoModifier, control.DisplayRect().ToQRect().center());
        QCOMPARE(changes, 1);
        QTest::keyClick(&control, Qt::Key_Right);
        QCOMPARE(changes, 2);
        QCOMPARE(control.ActivePageIndex(), 1);
        QTest::keyClick(&control, Qt::Key_Left);
        QTest::keyClick(&control, Qt::Key_Left); // no page before the first
        QCOMPARE(changes, 3);
        QCOMPARE(control.ActivePageIndex(), 0);
    }

    void pagesShowOneAtATime()
    {
        Pages pages({QStringLiteral("One"), QStringLiteral("Two"), QStringLiteral("Three")});
        TPageControl &control = pages.Control;
        control.SetBounds(0, 0, 300, 200);
        auto shown = [&] {
            QList<bool> result;
            for (TTabSheet *sheet : pages.Sheets)
                result.append(!sheet->isHidden());
            return result;
        };
        QCOMPARE(shown(), (QList<bool>{true, false, false}));
        pages.Sheets[2]->SetVisible(true); // the page control decides
        QCOMPARE(shown(), (QList<bool>{true, false, false}));
        control.SetActivePageIndex(1);
        QCOMPARE(shown(), (QList<bool>{false, true, false}));

        // A page without a visible tab keeps its place among the pages.
        pages.Sheets[0]->SetTabVisible(false);
        QCOMPARE(pages.Sheets[0]->TabIndex(), -1);
        QCOMPARE(pages.Sheets[2]->TabIndex(), 1);
        QCOMPARE(pages.Sheets[2]->PageIndex(), 2);
        QVERIFY(TabRectOf(control, 2).isEmpty());
        pages.Sheets[0]->SetTabVisible(true);

        pages.Sheets[2]->SetPageIndex(0);
        QCOMPARE(control.Pages(0), pages.Sheets[2]);
        QCOMPARE(pages.Sheets[0]->PageIndex(), 1);

        // Freeing the active page activates the next one.
        delete pages.Sheets[1];
        QCOMPARE(control.PageCount(), 2);
        QCOMPARE(control.ActivePage(), pages.Sheets[2]);
        QVERIFY(!pages.Sheets[2]->isHidden());
        pages.Sheets[2]->SetPageControl(nullptr);
        QCOMPARE(control.ActivePage(), pages.Sheets[0]);
        QCOMPARE(control.PageCount(), 1);
        delete pages.Sheets[2];
    }

    void multiLineRowsAndScrolling()
    {
        QStringList captions;
        for (int i = 0; i < 8; ++i)
            captions << QStringLiteral("Page %1").arg(i);
        Pages pages(captions);
        TPageControl &control = pages.Control;
        control.SetBounds(0, 0, 200, 200);
        control.SetTabWidth(60);

        // One row that scrolls: the arrows show, the tabs run past the edge.
        const QList<QToolButton *> arrows = control.findChildren<QToolButton *>();
        QCOMPARE(arrows.size(), 2);
        QVERIFY(!arrows[0]->isHidden());
        QCOMPARE(TabRectOf(control, 7).top(), TabRectOf(control, 0).top());
        control.show();
        QVERIFY(QTest::qWaitForWindowExposed(&control));
        const int before = TabRectOf(control, 1).left();
        QTest::mouseClick(arrows[1], Qt::LeftButton);
        QCOMPARE(TabRectOf(control, 1).left(), before - 60);

        // Rows: three tabs fit in a row; the active tab's row lies next to the pages.
        control.SetMultiLine(true);
        QVERIFY(arrows[0]->isHidden());
        QCOMPARE(TabRectOf(control, 0).left(), 2);
        QCOMPARE(TabRectOf(control, 3).left(), 2);
        QCOMPARE(TabRectOf(control, 6).left(), 2);
        const int rowHeight = TabRectOf(control, 0).height();
        QCOMPARE(TabRectOf(control, 0).top(), 2 + 2 * rowHeight);
        QCOMPARE(control.DisplayRect().Top, 2 + 3 * rowHeight + 4);
        control.SetActivePageIndex(4);
        QCOMPARE(TabRectOf(control, 4).top(), 2 + 2 * rowHeight);
        QCOMPARE(TabRectOf(control, 6).top(), 2);
        QCOMPARE(TabRectOf(control, 0).top(), 2 + rowHeight);
        QCOMPARE(control.IndexOfTabAt(TabRectOf(control, 6).center().x(), TabRectOf(control, 6).center().y()), 6);

        // Buttons: no page frame, the pages right below the buttons.
        control.SetStyle(tsButtons);
        QCOMPARE(TabRectOf(control, 0).left(), 0);
        QCOMPARE(TabRectOf(control, 1).left(), 63);
        QCOMPARE(control.DisplayRect().Top, 3 * rowHeight + 2 * 3 + 3);
        QCOMPARE(control.DisplayRect().Left, 0);
    }
};

QTEST_MAIN(TestComCtrls)
#include "tst_comctrls.moc"
