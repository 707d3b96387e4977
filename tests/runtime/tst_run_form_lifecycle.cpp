#include <QApplication>
#include <QScreen>
#include <QtTest>
#include <functional>

#include "app/app_def.h"
#include "core/globals.h"
#include "core/object_tree.h"
#include "core/project_model.h"
#include "platform/scripted_ui_services.h"
#include "platform/vcl/controls.h"
#include "platform/vcl/extctrls.h"
#include "platform/vcl/menus.h"
#include "runtime/run_form.h"

namespace {

PZvAction NewAction(TCommandType Command, const QString &Param1 = QString(), bool OptionBool = false)
{
    auto *action = new TZvAction;
    action->Command = Command;
    action->Param1 = Param1;
    action->OptionBool = OptionBool;
    return action;
}

// Stores a page built by Setup as the project's next form, named Name and captioned Name.
void AddForm(const QString &Name, const std::function<void(TRunForm &)> &Setup = {})
{
    TRunForm page;
    page.InitForm(Name);
    page.FormFade = false;
    if (Setup)
        Setup(page);
    auto data = std::make_unique<TFormData>();
    data->FormName = Name;
    QVERIFY(page.SaveFormData(data.get()));
    RunProject.Forms.push_back(std::move(data));
}

// The visible runtime windows other than Except.
QList<TRunForm *> OpenRunForms(const TRunForm *Except = nullptr)
{
    QList<TRunForm *> forms;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        auto *form = qobject_cast<TRunForm *>(window);
        if (form && form != Except && form->isVisible())
            forms.append(form);
    }
    return forms;
}

// Counts the close events a window receives.
class TCloseCounter : public QObject
{
public:
    int Closes = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Close)
            ++Closes;
        return QObject::eventFilter(watched, event);
    }
};

TRunForm *FindOpenForm(const QString &Caption)
{
    for (TRunForm *form : OpenRunForms()) {
        if (form->Caption() == Caption)
            return form;
    }
    return nullptr;
}

} // namespace

class TestRunFormLifecycle : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { InitAppDef(); }

    void init()
    {
        DesignerMode = false;
        DesignerPreview = false;
        ExitRequested = false;
        ResetProject(false, atNormal);
    }

    void cleanup()
    {
        for (TRunForm *form : OpenRunForms())
            delete form;
        QTest::qWait(1);
        RunForm = nullptr;
        ResetProject(false, atNormal);
    }

    void placeFormRect_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<QRect>("expected");
        // A 1024 x 728 work area below a 40-pixel task bar; window 300 x 200, margin 5,
        // designed offsets 7, 9.
        QTest::newRow("designed") << int(fpDesigned) << QRect(12, 54, 300, 200);
        QTest::newRow("center") << int(fpCenter) << QRect(362, 304, 300, 200);
        QTest::newRow("left center") << int(fpLeftCenter) << QRect(5, 304, 300, 200);
        QTest::newRow("top center") << int(fpTopCenter) << QRect(362, 45, 300, 200);
        QTest::newRow("right center") << int(fpRightCenter) << QRect(719, 304, 300, 200);
        QTest::newRow("bottom center") << int(fpBottomCenter) << QRect(362, 563, 300, 200);
        QTest::newRow("left") << int(fpLeft) << QRect(5, 45, 300, 718);
        QTest::newRow("top") << int(fpTop) << QRect(5, 45, 1014, 200);
        QTest::newRow("right") << int(fpRight) << QRect(719, 45, 300, 718);
        QTest::newRow("bottom") << int(fpBottom) << QRect(5, 563, 1014, 200);
        QTest::newRow("left top") << int(fpLeftTopCorner) << QRect(5, 45, 300, 200);
        QTest::newRow("top right") << int(fpTopRightCorner) << QRect(719, 45, 300, 200);
        QTest::newRow("right bottom") << int(fpRightBottomCorner) << QRect(719, 563, 300, 200);
        QTest::newRow("bottom left") << int(fpBottomLeftCorner) << QRect(5, 563, 300, 200);
    }

    void placeFormRect()
    {
        QFETCH(int, position);
        QFETCH(QRect, expected);
        const QRect area(0, 40, 1024, 728);
        QCOMPARE(PlaceFormRect(area, TFormPosition(position), 5, 7, 9, QSize(300, 200)), expected);
    }

    void centringTruncatesTowardZero()
    {
        // A window wider than the area: (100 - 301) / 2 = -100 (not -101).
        QCOMPARE(PlaceFormRect(QRect(0, 0, 100, 100), fpCenter, 0, 0, 0, QSize(301, 50)).x(), -100);
    }

    void doPositionPlacesTheWindow_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("state");
        QTest::newRow("screen, right bottom") << int(fptScreen) << int(fpRightBottomCorner) << int(wsNormal);
        QTest::newRow("work area, bottom") << int(fptWorkArea) << int(fpBottom) << int(wsNormal);
        QTest::newRow("desktop, left, maximized") << int(fptDesktop) << int(fpLeft) << int(wsMaximized);
    }

    void doPositionPlacesTheWindow()
    {
        QFETCH(int, type);
        QFETCH(int, position);
        QFETCH(int, state);
        const QScreen *screen = QGuiApplication::primaryScreen();
        const QRect area = type == fptScreen     ? QRect(QPoint(0, 0), screen->size())
                           : type == fptWorkArea ? screen->availableGeometry()
                                                 : screen->virtualGeometry();
        QCOMPARE(FormPositionArea(TFormPositionType(type)), area);

        TRunForm form;
        form.resize(320, 240);
        form.FormPositionType = TFormPositionType(type);
        form.FormPosition = TFormPosition(position);
        form.FormPositionMargin = 3;
        form.FormWindowState = TWindowState(state);
        form.DoPosition();
        const QRect expected = PlaceFormRect(area, TFormPosition(position), 3, 0, 0, QSize(320, 240));
        QCOMPARE(form.pos(), expected.topLeft());
        QCOMPARE(form.size(), expected.size());
        QCOMPARE(form.windowState().testFlag(Qt::WindowMaximized), state == wsMaximized);

        // While the designer edits the page, the window state is left alone.
        DesignerMode = true;
        TRunForm edited;
        edited.FormWindowState = wsMaximized;
        edited.DoPosition();
        QVERIFY(!edited.windowState().testFlag(Qt::WindowMaximized));
    }

    void fades_data()
    {
        QTest::addColumn<int>("alpha");
        QTest::addColumn<int>("stepIn");
        QTest::addColumn<int>("stepOut");
        QTest::addColumn<int>("afterIn");
        QTest::newRow("opaque, big steps") << 100 << 60 << 60 << 255;
        QTest::newRow("half, stops at 127") << 50 << 50 << 100 << 127;
        QTest::newRow("stored step 0 still moves") << 2 << 0 << 0 << 5;
    }

    void fades()
    {
        QFETCH(int, alpha);
        QFETCH(int, stepIn);
        QFETCH(int, stepOut);
        QFETCH(int, afterIn);
        TRunForm form;
        form.FormAlpha = alpha;
        form.FormFadeInStep = stepIn;
        form.FormFadeOutStep = stepOut;
        form.SetAlphaBlendValue(0);
        form.DoFadeIn();
        QCOMPARE(form.AlphaBlendValue(), afterIn);
        form.DoFadeOut();
        QCOMPARE(form.AlphaBlendValue(), 1);

        // Without fading nothing changes.
        form.FormFade = false;
        form.SetAlphaBlendValue(200);
        form.DoFadeIn();
        form.DoFadeOut();
        QCOMPARE(form.AlphaBlendValue(), 200);
    }

    void fadeKeepsTheUiAlive()
    {
        TRunForm form;
        form.FormFadeInStep = 10; // about eleven steps of 25 ms
        bool fired = false;
        QTimer::singleShot(30, &form, [&] { fired = true; });
        form.DoFadeIn();
        QVERIFY(fired);
        QCOMPARE(form.AlphaBlendValue(), 255);
    }

    void deferredGotoRunsAfterTheRestOfTheList()
    {
        AddForm("Form1", [](TRunForm &page) {
            AddNewZvObject(page.PanelObject, otStandardButton, 10, 10, &page);
            auto *item = new TMenuItem;
            item->SetCaption("&File");
            page.MainMenu.Items()->Add(item);
            page.resize(400, 300);
        });
        AddForm("Form2", [](TRunForm &page) {
            page.resize(500, 350);
            AddNewZvObject(page.PanelObject, otPanel, 0, 0, &page);
            AddNewZvObject(page.PanelObject, otPanel, 0, 0, &page);
            page.OnShowActions.Actions.append(NewAction(ctShowForm, "Form3"));
        });
        AddForm("Form3");

        TRunForm form;
        QVERIFY(LoadFormData(RunProject.Forms[0].get(), &form, false));
        form.show();
        QCOMPARE(form.PanelObject->Objects.size(), 1);

        TZvActions list;
        list.Actions.append(NewAction(ctGoToForm, "Form2", true));
        list.Actions.append(NewAction(ctShowForm, "Form3"));
        QVERIFY(form.DoActions(&list));
        // The rest of the list ran (Form3 is open) while the page is still the first one.
        QVERIFY(FindOpenForm("Form3"));
        QCOMPARE(form.Caption(), QStringLiteral("Form1"));
        QCOMPARE(form.PanelObject->Objects.size(), 1);

        QTRY_COMPARE(form.Caption(), QStringLiteral("Form2"));
        QCOMPARE(form.FormIndex, 1);
        QCOMPARE(form.PanelObject->Objects.size(), 2);
        QVERIFY(form.PanelObject->ObjectControl->isVisible());
        // Keep-size: size and menu stay; the new page's show list does not run.
        QCOMPARE(form.size(), QSize(400, 300));
        QCOMPARE(form.MainMenu.Items()->Count(), 1);
        QTest::qWait(30);
        QCOMPARE(OpenRunForms(&form).size(), 1);

        // A target that is no form does nothing.
        form.Timer2Tag = 7;
        form.Timer2Timer();
        QCOMPARE(form.FormIndex, 1);
    }

    void closeRunsOnceAndStopsTheTimers()
    {
        AddForm("Form1");
        AddForm("Form2");
        TRunForm form;
        TCloseCounter counter;
        form.installEventFilter(&counter);
        QVERIFY(LoadFormData(RunProject.Forms[0].get(), &form, false));
        form.show();

        // Two close requests and then a go-to (due after the close): the window closes
        // once, and the go-to never runs on the freed page.
        TZvActions list;
        list.Actions.append(NewAction(ctCloseForm));
        list.Actions.append(NewAction(ctCloseForm));
        list.Actions.append(NewAction(ctGoToForm, "Form2"));
        form.Timer2->SetInterval(60);
        form.DoActions(&list);
        QVERIFY(form.isVisible()); // deferred until the list has finished
        QTRY_VERIFY(!form.isVisible());
        QVERIFY(form.Closed && !form.PanelObject);
        QTest::qWait(120);
        QCOMPARE(counter.Closes, 1);
        QCOMPARE(form.Caption(), QStringLiteral("Form1"));
        QCOMPARE(form.FormIndex, 0);
    }

    void nonModalWindowFreesItself()
    {
        AddForm("Form1");
        OpenFormWindow(0, 0, false, 0, nullptr);
        QPointer<TRunForm> form = FindOpenForm("Form1");
        QVERIFY(form && form->CloseFree && !form->IsModal);
        form->close();
        QTRY_VERIFY(!form);
    }

    void formCloseFreesThePageOnce()
    {
        AddForm("Form1", [](TRunForm &page) { AddNewZvObject(page.PanelObject, otPanel, 0, 0, &page); });
        TRunForm form;
        QVERIFY(LoadFormData(RunProject.Forms[0].get(), &form, false));
        form.show();
        form.Timer5->SetEnabled(true);
        form.close();
        QVERIFY(form.CloseEvented);
        QVERIFY(!form.PanelObject);
        QVERIFY(!form.Timer5->Enabled());
        form.FormClose(); // a second call does nothing
        QVERIFY(form.GetZvObjectFromName("Panel1") == nullptr);
        form.Timer3Timer(); // timers find no page and do nothing
        form.Timer2Timer();
    }

    void editedPageIsNotTornDown()
    {
        DesignerMode = true;
        TRunForm form;
        form.show();
        form.close();
        QVERIFY(form.CloseEvented);
        QVERIFY(form.PanelObject);
    }

    void anyKeyCloses()
    {
        AddForm("Form1", [](TRunForm &page) { AddNewZvObject(page.PanelObject, otStandardButton, 5, 5, &page); });
        OpenFormWindow(0, 0, true, 0, nullptr);
        QPointer<TRunForm> form = FindOpenForm("Form1");
        QVERIFY(form);
        QVERIFY(form->AnyKeyClose && form->CloseFree);
        QWidget *button = form->PanelObject->Objects.first()->ObjectControl;
        QTest::keyRelease(button, Qt::Key_A);
        QTRY_VERIFY(!form);
    }

    void closeAfterMs_data()
    {
        QTest::addColumn<int>("ms");
        QTest::addColumn<bool>("closes");
        QTest::newRow("100 never") << 100 << false;
        QTest::newRow("101 closes") << 101 << true;
    }

    void closeAfterMs()
    {
        QFETCH(int, ms);
        QFETCH(bool, closes);
        AddForm("Form1");
        OpenFormWindow(0, 0, false, ms, nullptr);
        QPointer<TRunForm> form = FindOpenForm("Form1");
        QVERIFY(form);
        QTest::qWait(400);
        QCOMPARE(!form, closes);
    }

    void modalWindowIsReleasedAndItsExitEndsThere()
    {
        AddForm("Main");
        AddForm("Dialog", [](TRunForm &page) { page.OnShowActions.Actions.append(NewAction(ctExit)); });
        TRunForm main;
        RunForm = &main;
        QVERIFY(LoadFormData(RunProject.Forms[0].get(), &main, false));
        main.show();

        QPointer<TRunForm> modal;
        QTimer::singleShot(0, [&] { modal = FindOpenForm("Dialog"); });
        OpenFormWindow(1, 1, false, 0, &main);
        // The exit closed the modal window, which was released after its loop; the request
        // ended there.
        QVERIFY(!modal);
        QVERIFY(!ExitRequested);
        QVERIFY(main.isVisible());

        // An unrelated global command of the main window afterwards does not close it.
        TZvActions list;
        list.Actions.append(NewAction(ctDatabase, "NoConnection"));
        main.DoActions(&list);
        QTest::qWait(50);
        QVERIFY(main.isVisible());
    }

    void modalParentIsGuarded()
    {
        AddForm("Dialog");
        auto *opener = new TRunForm;
        QPointer<TRunForm> modal;
        QTimer::singleShot(0, [&] {
            modal = FindOpenForm("Dialog");
            QCOMPARE(modal->ParentForm.data(), opener);
            QVERIFY(modal->IsModal && !modal->CloseFree);
            delete opener;
            QVERIFY(modal->ParentForm.isNull());
            modal->close();
        });
        OpenFormWindow(0, 3, false, 0, opener);
        QVERIFY(!modal);
    }

    void fullScreenBackgroundReplacesThePrevious()
    {
        AddForm("Back1");
        AddForm("Back2");
        OpenFormWindow(0, 2, false, 0, nullptr);
        QPointer<TRunForm> first = FullScreenBackForm.data();
        QVERIFY(first);
        QVERIFY(first->IsFullScreenBackground && !first->isEnabled());
        QVERIFY(first->windowState().testFlag(Qt::WindowMaximized));
        QVERIFY(first->windowFlags().testFlag(Qt::FramelessWindowHint));

        OpenFormWindow(1, 2, false, 0, nullptr);
        QPointer<TRunForm> second = FullScreenBackForm.data();
        QVERIFY(second && second != first);
        QTRY_VERIFY(!first);
        second->close();
        QVERIFY(FullScreenBackForm.isNull());
    }

    void projectWindowsNeedAnExistingForm()
    {
        AddForm("Splash");
        RunProject.SplashScreenName = QStringLiteral("NoSuchForm");
        ShowSplashForm(); // opens nothing, returns at once
        QVERIFY(OpenRunForms().isEmpty());
        QCOMPARE(FindFormIndex("splash"), -1); // exact, case-sensitive

        RunProject.SplashScreenName = QStringLiteral("Splash");
        RunProject.SplashScreenTime = 150;
        QElapsedTimer clock;
        clock.start();
        ShowSplashForm(); // modal; closes itself after 150 ms
        QVERIFY(clock.elapsed() >= 150);
        QVERIFY(OpenRunForms().isEmpty());
    }

    void outOfRangeOpensNothing()
    {
        AddForm("Form1");
        QVERIFY(!OpenFormWindow(1, 0, false, 0, nullptr));
        QVERIFY(!OpenFormWindow(-1, 1, false, 0, nullptr));
        QVERIFY(OpenRunForms().isEmpty());
    }
};

QTEST_MAIN(TestRunFormLifecycle)
#include "tst_run_form_lifecycle.moc"
