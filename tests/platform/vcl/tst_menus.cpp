#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QtTest>

#include "platform/graphics/picture.h"
#include "platform/scripted_ui_services.h"
#include "platform/vcl/menus.h"
#include "platform/vcl/statusbar.h"

namespace {

TMenuItem *NewItem(const QString &caption)
{
    auto *item = new TMenuItem;
    item->SetCaption(caption);
    return item;
}

QList<QAction *> ActionsOf(const TMenuItem &parent)
{
    QList<QAction *> actions;
    for (int i = 0; i < parent.Count(); ++i)
        actions.append(parent.Items(i)->Action());
    return actions;
}

} // namespace

class TestMenus : public QObject
{
    Q_OBJECT

private slots:
    void actionFollowsFields()
    {
        TMenuItem item;
        QAction *action = item.Action();
        item.SetCaption(QStringLiteral("&Save && Close"));
        QCOMPARE(action->text(), QStringLiteral("&Save && Close"));
        QVERIFY(!action->isSeparator());
        QVERIFY(!action->isCheckable());

        item.SetHint(QStringLiteral("Saves the file") + QChar(1) + QStringLiteral("packed"));
        QCOMPARE(action->toolTip(), QStringLiteral("Saves the file"));
        QCOMPARE(action->statusTip(), QStringLiteral("Saves the file"));
        item.SetHint(QStringLiteral("Plain"));
        QCOMPARE(action->toolTip(), QStringLiteral("Plain"));

        item.SetShortCut(scCtrl | scShift | 'S');
        QCOMPARE(action->shortcut(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
        item.SetShortCut(0x71); // F2
        QCOMPARE(action->shortcut(), QKeySequence(Qt::Key_F2));
        item.SetShortCut(scNone);
        QVERIFY(action->shortcut().isEmpty());

        item.SetEnabled(false);
        QVERIFY(!action->isEnabled());
        item.SetVisible(false);
        QVERIFY(!action->isVisible());
        item.SetDefault(true);
        QVERIFY(action->font().bold());

        item.SetChecked(true);
        QVERIFY(action->isCheckable() && action->isChecked());
        item.SetChecked(false);
        QVERIFY(!action->isCheckable());
        item.SetAutoCheck(true);
        QVERIFY(action->isCheckable() && !action->isChecked());

        QVERIFY(action->icon().isNull());
        QImage image(4, 4, QImage::Format_RGB32);
        image.fill(Qt::red);
        item.SetBitmap(*TBitmap::FromImage(image));
        QVERIFY(!action->icon().isNull());

        item.SetCaption(QStringLiteral("-"));
        QVERIFY(action->isSeparator());
    }

    void triggerRunsClick()
    {
        TScriptedUiServices ui;
        TMenuItem plain;
        QList<TMenuItem *> clicked;
        plain.OnClick = [&](TMenuItem *sender) { clicked.append(sender); };
        plain.Action()->trigger();
        QCOMPARE(clicked, QList<TMenuItem *>{&plain});

        // Without AutoCheck the check mark stays as set, whatever Qt would do.
        plain.SetChecked(true);
        plain.Action()->trigger();
        QVERIFY(plain.Checked() && plain.Action()->isChecked());

        TMenuItem toggle;
        toggle.SetAutoCheck(true);
        bool checkedInHandler = false;
        toggle.OnClick = [&](TMenuItem *sender) { checkedInHandler = sender->Checked(); };
        toggle.Action()->trigger();
        QVERIFY(toggle.Checked() && checkedInHandler && toggle.Action()->isChecked());
        toggle.Action()->trigger();
        QVERIFY(!toggle.Checked() && !toggle.Action()->isChecked());

        plain.SetEnabled(false);
        clicked.clear();
        plain.Click();
        QVERIFY(clicked.isEmpty());

        // An exception from the handler is shown, not passed on.
        TMenuItem failing;
        failing.OnClick = [](TMenuItem *) { throw Exception(QStringLiteral("Handler failed")); };
        failing.Action()->trigger();
        QCOMPARE(ui.Messages(), QStringList{QStringLiteral("Handler failed.")});
    }

    void radioGroups()
    {
        TMenuItem parent;
        QList<TMenuItem *> radios;
        for (int group : {1, 1, 1, 2}) {
            TMenuItem *item = NewItem(QStringLiteral("R"));
            item->SetRadioItem(true);
            item->SetAutoCheck(true);
            item->SetGroupIndex(uint8_t(group));
            parent.Add(item);
            radios.append(item);
        }
        radios[0]->SetChecked(true);
        radios[3]->SetChecked(true);
        radios[1]->Action()->trigger();
        QVERIFY(!radios[0]->Checked() && !radios[0]->Action()->isChecked());
        QVERIFY(radios[1]->Checked() && radios[1]->Action()->isChecked());
        QVERIFY(radios[3]->Checked()); // another group
        radios[1]->Action()->trigger(); // a checked radio item stays checked
        QVERIFY(radios[1]->Checked());
    }

    void subItems()
    {
        TMenuItem file;
        TMenuItem *open = NewItem(QStringLiteral("Open"));
        TMenuItem *close = NewItem(QStringLiteral("Close"));
        file.Add(open);
        file.Add(close);
        file.Insert(1, NewItem(QStringLiteral("-")));
        QCOMPARE(file.Count(), 3);
        QCOMPARE(file.Items(2), close);
        QCOMPARE(close->Parent(), &file);
        QCOMPARE(file.Action()->menu(), file.Menu());
        QCOMPARE(file.Menu()->actions(), ActionsOf(file));

        QVERIFY_THROWS_EXCEPTION(EMenuError, file.Add(open));
        QVERIFY_THROWS_EXCEPTION(EMenuError, file.Items(3));

        file.Delete(1);
        QCOMPARE(file.Count(), 2);
        QCOMPARE(file.Menu()->actions(), ActionsOf(file));
        delete open; // a freed item leaves its parent
        QCOMPARE(file.Count(), 1);
        QCOMPARE(file.Menu()->actions(), QList<QAction *>{close->Action()});

        file.Clear();
        QCOMPARE(file.Count(), 0);
        QVERIFY(file.Action()->menu() == nullptr);
        QVERIFY(file.Menu()->actions().isEmpty());
    }

    void mainMenuOnWindow()
    {
        TMainMenu mainMenu;
        TMenuItem *file = NewItem(QStringLiteral("&File"));
        TMenuItem *exit = NewItem(QStringLiteral("E&xit"));
        file->Add(exit);
        mainMenu.Items()->Add(file);
        mainMenu.Items()->Add(NewItem(QStringLiteral("&Help")));

        QMainWindow window;
        window.setMenuBar(mainMenu.CreateMenuBar(&window));
        QCOMPARE(window.menuBar()->actions(), ActionsOf(*mainMenu.Items()));
        QCOMPARE(window.menuBar()->actions().at(0)->menu(), file->Menu());

        mainMenu.Items()->Delete(1);
        mainMenu.FillMenuBar(window.menuBar());
        QCOMPARE(window.menuBar()->actions(), QList<QAction *>{file->Action()});
    }

    void popupClick()
    {
        TPopupMenu popup;
        TMenuItem *first = NewItem(QStringLiteral("First"));
        TMenuItem *second = NewItem(QStringLiteral("Second"));
        popup.Items()->Add(first);
        popup.Items()->Add(second);
        TMenuItem *chosen = nullptr;
        second->OnClick = [&](TMenuItem *sender) { chosen = sender; };

        popup.Popup(QPoint(40, 40));
        QMenu *menu = popup.Menu();
        QVERIFY(QTest::qWaitForWindowExposed(menu));
        QCOMPARE(menu->actions(), (QList<QAction *>{first->Action(), second->Action()}));
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(second->Action()).center());
        QCOMPARE(chosen, second);
        QTRY_VERIFY(!menu->isVisible());
    }

    void statusBarPanels()
    {
        TStatusBar bar;
        bar.SetHeight(24);
        QCOMPARE(bar.Height(), 24);
        bar.resize(300, 30); // the height stays as set

        TStatusPanel *first = bar.Panels().Add();
        first->SetWidth(100);
        TStatusPanel *last = bar.Panels().Add();
        last->SetWidth(50);
        QCOMPARE(bar.Panels().Count(), 2);
        QCOMPARE(bar.Panels().Items(1), last);
        QCOMPARE(bar.PanelRect(0), TRect(0, 0, 100, 24));
        QCOMPARE(bar.PanelRect(1), TRect(100, 0, 300, 24)); // the last one takes the rest

        bar.SetVisible(false);
        QVERIFY(!bar.Visible());

        // The panel's text is painted inside its panel in the bar's font colour.
        TFont font;
        font.Color = clRed;
        font.Size = 14;
        bar.SetFont(font);
        QCOMPARE(bar.Font().Color, clRed);
        const auto redPixels = [&bar](const TRect &rect) {
            const QImage image = bar.grab().toImage();
            int count = 0;
            for (int y = rect.Top; y < rect.Bottom; ++y)
                for (int x = rect.Left; x < rect.Right; ++x)
                    count += image.pixelColor(x, y) == QColor(Qt::red) ? 1 : 0;
            return count;
        };
        first->SetText(QStringLiteral("MMMM"));
        QVERIFY(redPixels(bar.PanelRect(0)) > 0);
        QCOMPARE(redPixels(bar.PanelRect(1)), 0);
        first->SetText(QString());
        QCOMPARE(redPixels(bar.PanelRect(0)), 0);

        bar.Panels().Clear();
        QCOMPARE(bar.Panels().Count(), 0);
    }
};

QTEST_MAIN(TestMenus)
#include "tst_menus.moc"
