#include <QEnterEvent>
#include <QMenu>
#include <QtTest>

#include "core/menu_records.h"
#include "objects/memo.h"
#include "objects/object_kinds.h"
#include "objects/rich_text.h"
#include "objects/tab_notebook.h"
#include "platform/rtl/sysutils.h"
#include "platform/scripted_ui_services.h"
#include "platform/vcl/comctrls.h"
#include "runtime/run_project_fixture.h"

namespace {

void AcceptShell(TScriptedUiServices &ui)
{
    ui.ShellHandler = [](const QString &, const QString &file, const QString &, const QString &, int) {
        if (file == QLatin1String("boom"))
            throw Exception(QStringLiteral("Boom"));
        return 42;
    };
}

QStringList ShellFiles(const TScriptedUiServices &ui)
{
    QStringList files;
    for (const TUiCall &call : ui.CallsOf(QStringLiteral("ShellExecute")))
        files << call.Text;
    return files;
}

// An action list that leaves its name in the shell log.
void Mark(TZvActions &list, const QString &name)
{
    AddAction(list, ctVisitWebsite, name);
}

TMenuItem *MenuItemWithActions(const QString &caption, const QString &mark)
{
    auto *item = new TMenuItem;
    item->SetCaption(caption);
    TZvActions actions;
    Mark(actions, mark);
    QString hint;
    PackMenuActions(caption + QStringLiteral(" hint"), &actions, hint);
    item->SetHint(hint);
    return item;
}

void SendMouse(QWidget *widget, QEvent::Type type, QPoint position, Qt::MouseButton button,
               Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QMouseEvent event(type, position, widget->mapToGlobal(position), button, buttons, modifiers);
    QApplication::sendEvent(widget, &event);
}

} // namespace

class TestEventRouting : public QObject
{
    Q_OBJECT

private slots:
    void kindTableNamesTheEventsOfEachKind()
    {
        QCOMPARE(ObjectKindInfo(otStandardButton).Events, TObjectEvents(evAllSeven));
        QCOMPARE(ObjectKindInfo(otMemo).Events, TObjectEvents(evAllSeven | evChange));
        QCOMPARE(ObjectKindInfo(otTabNotebook).Events & evMouseUp, 0);
        QCOMPARE(ObjectKindInfo(otDBGrid).Events, TObjectEvents(evHoverPair));
        QCOMPARE(ObjectKindInfo(otRepBand).Events, TObjectEvents(evNone));
        for (int kind = 0; kind < ObjectTypeCount; ++kind) {
            const TObjectKindInfo &info = ObjectKindInfo(TObjectType(kind));
            // A kind built with a change event names where to find it.
            if (info.CreateControl && (info.Events & (evChange | evChangeOutsideEditing)))
                QVERIFY2(info.ChangeEvent, info.ClassName);
        }
    }

    void doubleClickEnterAndLeaveRunTheirLists()
    {
        TScriptedUiServices ui;
        AcceptShell(ui);
        TRunProjectFixture project;
        PZvObject panel = project.AddObject(project.Page(), otPanel, QStringLiteral("Panel"));
        Mark(panel->OnDblClickActions, QStringLiteral("dbl"));
        Mark(panel->OnEnterActions, QStringLiteral("enter"));
        Mark(panel->OnLeaveActions, QStringLiteral("leave"));
        PZvObject off = project.AddObject(project.Page(), otPanel, QStringLiteral("Off"), 250, 10);
        off->Enable = false;
        Mark(off->OnEnterActions, QStringLiteral("off-enter"));
        Mark(off->OnLeaveActions, QStringLiteral("off-leave"));
        project.Play();

        for (const QString name : {QStringLiteral("Panel"), QStringLiteral("Off")}) {
            QWidget *control = TRunProjectFixture::ControlOf(RunForm, name);
            QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), control->mapToGlobal(QPointF(5, 5)));
            QApplication::sendEvent(control, &enter);
            QEvent leave(QEvent::Leave);
            QApplication::sendEvent(control, &leave);
        }
        QTest::mouseDClick(TRunProjectFixture::ControlOf(RunForm, QStringLiteral("Panel")), Qt::LeftButton);
        QCOMPARE(ShellFiles(ui), (QStringList{QStringLiteral("enter"), QStringLiteral("leave"), QStringLiteral("dbl")}));
    }

    void dragHandleMovesTheWindow_data()
    {
        QTest::addColumn<bool>("handle");
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("moves");
        QTest::newRow("left drag on handle") << true << int(Qt::LeftButton) << int(Qt::NoModifier) << true;
        QTest::newRow("right drag") << true << int(Qt::RightButton) << int(Qt::NoModifier) << false;
        QTest::newRow("ctrl held") << true << int(Qt::LeftButton) << int(Qt::ControlModifier) << false;
        QTest::newRow("not a handle") << false << int(Qt::LeftButton) << int(Qt::NoModifier) << false;
    }

    void dragHandleMovesTheWindow()
    {
        QFETCH(bool, handle);
        QFETCH(int, button);
        QFETCH(int, modifiers);
        QFETCH(bool, moves);
        TScriptedUiServices ui;
        TRunProjectFixture project;
        PZvObject bar = project.AddObject(project.Page(), otPanel, QStringLiteral("Bar"));
        bar->MoveHandle = handle;
        project.Play();

        QWidget *control = TRunProjectFixture::ControlOf(RunForm, QStringLiteral("Bar"));
        const QPoint before = RunForm->pos();
        const auto mouseButton = Qt::MouseButton(button);
        const auto keys = Qt::KeyboardModifiers(modifiers);
        SendMouse(control, QEvent::MouseButtonPress, QPoint(5, 5), mouseButton, mouseButton, keys);
        SendMouse(control, QEvent::MouseMove, QPoint(25, 15), Qt::NoButton, mouseButton, keys);
        SendMouse(control, QEvent::MouseButtonRelease, QPoint(25, 15), mouseButton, Qt::NoButton, keys);
        QCOMPARE(RunForm->pos(), moves ? before + QPoint(20, 10) : before);
    }

    void changeRunsTheOnMouseUpListOfKindsThatHaveOne()
    {
        TScriptedUiServices ui;
        AcceptShell(ui);
        TRunProjectFixture project;
        PZvObject memo = project.AddObject(project.Page(), otMemo, QStringLiteral("Memo"));
        Mark(memo->OnMouseUpActions, QStringLiteral("memo"));
        PZvObject rich = project.AddObject(project.Page(), otRichText, QStringLiteral("Rich"), 250, 10);
        Mark(rich->OnMouseUpActions, QStringLiteral("rich"));
        project.Play();

        auto *memoControl = dynamic_cast<TZvMemo *>(TRunProjectFixture::ControlOf(RunForm, QStringLiteral("Memo")));
        QTest::keyClicks(memoControl->Editor(), QStringLiteral("a"));
        auto *richControl = dynamic_cast<TZvRichText *>(TRunProjectFixture::ControlOf(RunForm, QStringLiteral("Rich")));
        QVERIFY(richControl->OnChange); // connected, but a rich text's change runs nothing
        QTest::keyClicks(richControl->Editor(), QStringLiteral("a"));
        QCOMPARE(ShellFiles(ui), QStringList{QStringLiteral("memo")});
    }

    void notebookPageChangeIsHookedOutsideEditingOnly()
    {
        TScriptedUiServices ui;
        AcceptShell(ui);
        TRunProjectFixture project;
        PZvObject notebook = project.AddObject(project.Page(), otTabNotebook, QStringLiteral("Book"));
        project.AddObject(notebook, otTabSheet, QStringLiteral("One"), 0, 0);
        project.AddObject(notebook, otTabSheet, QStringLiteral("Two"), 0, 0);
        Mark(notebook->OnMouseUpActions, QStringLiteral("page"));
        auto *edited = dynamic_cast<TZvTabNotebook *>(notebook->ObjectControl);
        QVERIFY(!edited->PageControl()->OnChange);
        project.Play();

        auto *book = dynamic_cast<TZvTabNotebook *>(TRunProjectFixture::ControlOf(RunForm, QStringLiteral("Book")));
        TPageControl *pages = book->PageControl();
        QVERIFY(pages->OnChange);
        const int target = pages->ActivePageIndex() == 0 ? 1 : 0;
        QTest::mouseClick(pages, Qt::LeftButton, {}, pages->TabRect(target).ToQRect().center());
        QCOMPARE(pages->ActivePageIndex(), target);
        QCOMPARE(ShellFiles(ui), QStringList{QStringLiteral("page")});
    }

    void clickClosesAnyKeyCloseWindowAfterItsList()
    {
        TScriptedUiServices ui;
        AcceptShell(ui);
        TRunProjectFixture project;
        PZvObject button = project.AddButton(QStringLiteral("Button"));
        Mark(button->OnClickActions, QStringLiteral("clicked"));
        project.Play();
        RunForm->AnyKeyClose = true;

        TRunProjectFixture::Click(RunForm, QStringLiteral("Button"));
        QCOMPARE(ShellFiles(ui), QStringList{QStringLiteral("clicked")});
        QVERIFY(RunForm->isVisible());
        QTRY_VERIFY(!RunForm->isVisible());
    }

    void previewClosesOnAClickOfThePageItself()
    {
        TScriptedUiServices ui;
        AcceptShell(ui);
        TRunProjectFixture project;
        Mark(project.Page()->OnClickActions, QStringLiteral("page"));
        project.AddButton(QStringLiteral("Button"));
        project.Play();
        DesignerMode = true;
        DesignerPreview = true;
        RunForm->IsPreview = true;

        TRunProjectFixture::Click(RunForm, QStringLiteral("Button"));
        QTest::qWait(50);
        QVERIFY(RunForm->isVisible());
        QTest::mouseClick(RunForm->PanelObject->ObjectControl, Qt::LeftButton, {}, QPoint(300, 300));
        QCOMPARE(ShellFiles(ui), QStringList{QStringLiteral("page")});
        QTRY_VERIFY(!RunForm->isVisible());
        DesignerPreview = false;
    }

    void menuItemsRunTheirPackedActions()
    {
        TScriptedUiServices ui;
        AcceptShell(ui);
        TRunProjectFixture project;
        TMenuItem *file = MenuItemWithActions(QStringLiteral("File"), QStringLiteral("main-top"));
        file->Add(MenuItemWithActions(QStringLiteral("Open"), QStringLiteral("main-sub")));
        RunForm->MainMenu.Items()->Add(file);
        PZvObject panel = project.AddObject(project.Page(), otPanel, QStringLiteral("Panel"));
        panel->PopupMenu = new TPopupMenu;
        panel->PopupMenu->Items()->Add(MenuItemWithActions(QStringLiteral("Copy"), QStringLiteral("popup")));
        project.Play();

        TMenuItem *loaded = RunForm->MainMenu.Items()->Items(0);
        loaded->Items(0)->Action()->trigger();
        loaded->Click();
        PZvObject runPanel = RunForm->GetZvObjectFromName(QStringLiteral("Panel"));
        QVERIFY(runPanel->PopupMenu);
        runPanel->PopupMenu->Items()->Items(0)->Action()->trigger();
        QCOMPARE(ShellFiles(ui), (QStringList{QStringLiteral("main-sub"), QStringLiteral("main-top"),
                                              QStringLiteral("popup")}));
    }

    void errorInAChangeListIsShownOnceAndTheWindowGoesOn()
    {
        TScriptedUiServices ui;
        AcceptShell(ui);
        TRunProjectFixture project;
        PZvObject memo = project.AddObject(project.Page(), otMemo, QStringLiteral("Memo"));
        Mark(memo->OnMouseUpActions, QStringLiteral("boom"));
        Mark(memo->OnMouseUpActions, QStringLiteral("never"));
        PZvObject button = project.AddButton(QStringLiteral("Button"), 250, 10);
        Mark(button->OnClickActions, QStringLiteral("button"));
        project.Play();

        auto *memoControl = dynamic_cast<TZvMemo *>(TRunProjectFixture::ControlOf(RunForm, QStringLiteral("Memo")));
        QTest::keyClicks(memoControl->Editor(), QStringLiteral("a"));
        QCOMPARE(ui.Messages(), QStringList{QStringLiteral("Boom.")});
        TRunProjectFixture::Click(RunForm, QStringLiteral("Button"));
        QCOMPARE(ShellFiles(ui), (QStringList{QStringLiteral("boom"), QStringLiteral("button")}));
    }
};

QTEST_MAIN(TestEventRouting)
#include "tst_event_routing.moc"
