#include <QTemporaryDir>
#include <QtTest>

#include "platform/rtl/sysutils.h"
#include "platform/scripted_ui_services.h"
#include "runtime/action_interpreter.h"
#include "runtime/general_form.h"
#include "runtime/run_project_fixture.h"
#include "support/test_files.h"

namespace {

// Shell requests succeed and are recorded by file name; a file named "boom" raises.
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

} // namespace

class TestActionInterpreter : public QObject
{
    Q_OBJECT

private slots:
    void goToFormRunsAfterTheRestOfTheList()
    {
        TScriptedUiServices ui;
        AcceptShell(ui);
        TRunProjectFixture project;
        PZvObject go = project.AddButton(QStringLiteral("Go"));
        AddAction(go->OnClickActions, ctGoToForm, QStringLiteral("Second"));
        AddAction(go->OnClickActions, ctVisitWebsite, QStringLiteral("after-goto"));
        project.NextForm(QStringLiteral("Second"));
        project.AddButton(QStringLiteral("OnSecond"));
        project.Play();

        TRunProjectFixture::Click(RunForm, QStringLiteral("Go"));
        // The list ran to its end while the first page still shows.
        QCOMPARE(ShellFiles(ui), QStringList{QStringLiteral("after-goto")});
        QVERIFY(RunForm->GetZvObjectFromName(QStringLiteral("Go")));
        QCOMPARE(RunForm->FormIndex, 0);

        QTRY_COMPARE(RunForm->FormIndex, 1);
        QVERIFY(RunForm->GetZvObjectFromName(QStringLiteral("OnSecond")));
        QVERIFY(!RunForm->GetZvObjectFromName(QStringLiteral("Go")));
        QVERIFY(RunForm->isVisible());
    }

    void goToUnknownFormDoesNothing()
    {
        TScriptedUiServices ui;
        TRunProjectFixture project;
        PZvObject go = project.AddButton(QStringLiteral("Go"));
        AddAction(go->OnClickActions, ctGoToForm, QStringLiteral("second")); // names differ in case
        project.NextForm(QStringLiteral("Second"));
        project.Play();

        TRunProjectFixture::Click(RunForm, QStringLiteral("Go"));
        QTest::qWait(50);
        QCOMPARE(RunForm->FormIndex, 0);
        QVERIFY(RunForm->GetZvObjectFromName(QStringLiteral("Go")));
    }

    void modalFormRunsItsListThenTheCallerContinues()
    {
        TScriptedUiServices ui;
        AcceptShell(ui);
        TRunProjectFixture project;
        PZvObject open = project.AddButton(QStringLiteral("Open"));
        AddAction(open->OnClickActions, ctShowFormModal, QStringLiteral("Dialog"));
        AddAction(open->OnClickActions, ctVisitWebsite, QStringLiteral("after-modal"));
        project.NextForm(QStringLiteral("Dialog"));
        PZvObject close = project.AddButton(QStringLiteral("Close"));
        AddAction(close->OnClickActions, ctVisitWebsite, QStringLiteral("before-close"));
        AddAction(close->OnClickActions, ctCloseForm);
        AddAction(close->OnClickActions, ctVisitWebsite, QStringLiteral("after-close"));
        project.Play();

        QPointer<TRunForm> dialog;
        QTimer::singleShot(0, [&] {
            QTRY_COMPARE(TRunProjectFixture::OtherWindows().size(), 1);
            dialog = TRunProjectFixture::OtherWindows().first();
            QVERIFY(dialog->IsModal);
            QCOMPARE(dialog->ParentForm.data(), RunForm);
            QVERIFY(QTest::qWaitForWindowExposed(dialog));
            TRunProjectFixture::Click(dialog, QStringLiteral("Close"));
        });
        TRunProjectFixture::Click(RunForm, QStringLiteral("Open"));

        // The click returns only once the modal window has closed.
        QCOMPARE(ShellFiles(ui),
                 (QStringList{QStringLiteral("before-close"), QStringLiteral("after-close"),
                              QStringLiteral("after-modal")}));
        QVERIFY(!dialog);
        QVERIFY(RunForm->isVisible());
    }

    void showFormOpensANonModalWindow()
    {
        TScriptedUiServices ui;
        TRunProjectFixture project;
        PZvObject open = project.AddButton(QStringLiteral("Open"));
        AddAction(open->OnClickActions, ctShowForm, QStringLiteral("Nowhere"));
        AddAction(open->OnClickActions, ctShowForm, QStringLiteral("Other"));
        project.NextForm(QStringLiteral("Other"));
        project.AddButton(QStringLiteral("OnOther"));
        project.Play();

        TRunProjectFixture::Click(RunForm, QStringLiteral("Open"));
        const QList<TRunForm *> others = TRunProjectFixture::OtherWindows();
        QCOMPARE(others.size(), 1);
        QCOMPARE(others.first()->FormIndex, 1);
        QVERIFY(!others.first()->IsModal);
        QCOMPARE(others.first()->ParentForm.data(), RunForm);
        QVERIFY(others.first()->GetZvObjectFromName(QStringLiteral("OnOther")));
    }

    void exitInASecondaryWindowClosesTheMainWindow()
    {
        TScriptedUiServices ui;
        TRunProjectFixture project;
        PZvObject open = project.AddButton(QStringLiteral("Open"));
        AddAction(open->OnClickActions, ctShowForm, QStringLiteral("Other"));
        project.NextForm(QStringLiteral("Other"));
        PZvObject quit = project.AddButton(QStringLiteral("Quit"));
        AddAction(quit->OnClickActions, ctExit);
        project.Play();

        TRunProjectFixture::Click(RunForm, QStringLiteral("Open"));
        QPointer<TRunForm> other = TRunProjectFixture::OtherWindows().value(0);
        QVERIFY(other);
        TRunProjectFixture::Click(other, QStringLiteral("Quit"));
        QVERIFY(ExitRequested);
        QVERIFY(RunForm->isVisible()); // deferred: nothing closes inside the list
        QTRY_VERIFY(!RunForm->isVisible());
        QVERIFY(RunForm->Closed);
        QVERIFY(other && other->isVisible());
    }

    void exitInAModalWindowClosesOnlyThatWindow()
    {
        TScriptedUiServices ui;
        AcceptShell(ui);
        TRunProjectFixture project;
        PZvObject open = project.AddButton(QStringLiteral("Open"));
        AddAction(open->OnClickActions, ctShowFormModal, QStringLiteral("Dialog"));
        AddAction(open->OnClickActions, ctVisitWebsite, QStringLiteral("after-modal"));
        PZvObject later = project.AddButton(QStringLiteral("Later"), 10, 60);
        AddAction(later->OnClickActions, ctVisitWebsite, QStringLiteral("later"));
        project.NextForm(QStringLiteral("Dialog"));
        PZvObject quit = project.AddButton(QStringLiteral("Quit"));
        AddAction(quit->OnClickActions, ctExit);
        project.Play();

        QTimer::singleShot(0, [&] {
            QTRY_COMPARE(TRunProjectFixture::OtherWindows().size(), 1);
            TRunForm *dialog = TRunProjectFixture::OtherWindows().first();
            QVERIFY(QTest::qWaitForWindowExposed(dialog));
            TRunProjectFixture::Click(dialog, QStringLiteral("Quit"));
        });
        TRunProjectFixture::Click(RunForm, QStringLiteral("Open"));
        QVERIFY(TRunProjectFixture::OtherWindows().isEmpty());
        QVERIFY(!ExitRequested);

        // A later global command elsewhere does not take the old request for its own.
        TRunProjectFixture::Click(RunForm, QStringLiteral("Later"));
        QTest::qWait(50);
        QVERIFY(RunForm->isVisible());
        QVERIFY(!RunForm->Closed);
        QCOMPARE(ShellFiles(ui), (QStringList{QStringLiteral("after-modal"), QStringLiteral("later")}));
    }

    void closeFormClosesAfterTheList()
    {
        TScriptedUiServices ui;
        AcceptShell(ui);
        TRunProjectFixture project;
        PZvObject close = project.AddButton(QStringLiteral("Close"));
        AddAction(close->OnClickActions, ctCloseForm);
        AddAction(close->OnClickActions, ctCloseForm);
        AddAction(close->OnClickActions, ctVisitWebsite, QStringLiteral("still-runs"));
        project.Play();

        TRunProjectFixture::Click(RunForm, QStringLiteral("Close"));
        QCOMPARE(ShellFiles(ui), QStringList{QStringLiteral("still-runs")});
        QVERIFY(RunForm->isVisible());
        QTRY_VERIFY(!RunForm->isVisible());
        QVERIFY(RunForm->CloseEvented);
    }

    void errorEndsTheListAndIsShownOnce()
    {
        TScriptedUiServices ui;
        AcceptShell(ui);
        TRunProjectFixture project;
        PZvObject bad = project.AddButton(QStringLiteral("Bad"));
        AddAction(bad->OnClickActions, ctVisitWebsite, QStringLiteral("first"));
        AddAction(bad->OnClickActions, ctVisitWebsite, QStringLiteral("boom"));
        AddAction(bad->OnClickActions, ctVisitWebsite, QStringLiteral("never"));
        PZvObject good = project.AddButton(QStringLiteral("Good"), 10, 60);
        AddAction(good->OnClickActions, ctVisitWebsite, QStringLiteral("good"));
        project.Play();

        TRunProjectFixture::Click(RunForm, QStringLiteral("Bad"));
        QCOMPARE(ui.Messages(), QStringList{QStringLiteral("Boom.")});
        QCOMPARE(ShellFiles(ui), (QStringList{QStringLiteral("first"), QStringLiteral("boom")}));

        // The window and its other lists go on working.
        TRunProjectFixture::Click(RunForm, QStringLiteral("Good"));
        QCOMPARE(ShellFiles(ui).last(), QStringLiteral("good"));
        QCOMPARE(ui.Messages().size(), 1);
    }

    void unknownCommandsAreSkipped()
    {
        TScriptedUiServices ui;
        AcceptShell(ui);
        TRunProjectFixture project;
        PZvObject button = project.AddButton(QStringLiteral("Button"));
        AddAction(button->OnClickActions, TCommandType(44), QStringLiteral("x"));
        AddAction(button->OnClickActions, TCommandType(200), QStringLiteral("x"));
        AddAction(button->OnClickActions, ctDBGridNextPage, QStringLiteral("x"));
        AddAction(button->OnClickActions, ctVisitWebsite, QStringLiteral("reached"));
        project.Play();

        TRunProjectFixture::Click(RunForm, QStringLiteral("Button"));
        QCOMPARE(ShellFiles(ui), QStringList{QStringLiteral("reached")});
        QVERIFY(!RunForm->DoActions(nullptr));
        QVERIFY(!RunForm->DoAction(nullptr));
    }

    void setFocusTakesAFocusableVisibleEnabledObject()
    {
        TScriptedUiServices ui;
        TRunProjectFixture project;
        project.AddObject(project.Page(), otMemo, QStringLiteral("Memo"), 10, 60);
        PZvObject off = project.AddObject(project.Page(), otMemo, QStringLiteral("Off"), 220, 60);
        off->Enable = false;
        project.AddObject(project.Page(), otPanel, QStringLiteral("Panel"), 10, 280);
        PZvObject button = project.AddButton(QStringLiteral("Button"));
        AddAction(button->OnClickActions, ctSetFocus, QStringLiteral("Memo"));
        project.Play();
        RunForm->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(RunForm));

        auto *memo = dynamic_cast<TWinControl *>(TRunProjectFixture::ControlOf(RunForm, QStringLiteral("Memo")));
        dynamic_cast<TWinControl *>(TRunProjectFixture::ControlOf(RunForm, QStringLiteral("Button")))->SetFocus();
        QTRY_VERIFY(!memo->Focused());
        TRunProjectFixture::Click(RunForm, QStringLiteral("Button"));
        QTRY_VERIFY(memo->Focused());

        TZvAction action;
        action.Command = ctSetFocus;
        action.Param1 = QStringLiteral("Off");
        RunForm->DoAction(&action);
        QVERIFY(memo->Focused());
        action.Param1 = QStringLiteral("Panel"); // not a kind that takes the focus
        RunForm->DoAction(&action);
        QVERIFY(memo->Focused());
    }

    void windowCommandsDoNothingInTheDesigner()
    {
        TScriptedUiServices ui;
        TRunProjectFixture project;
        project.NextForm(QStringLiteral("Second"));
        project.Play();
        DesignerMode = true;
        DesignerPreview = true;

        TZvAction action;
        action.Param1 = QStringLiteral("Second");
        for (TCommandType command : {ctShowForm, ctShowFormModal, ctGoToForm}) {
            action.Command = command;
            RunForm->DoAction(&action);
        }
        QTest::qWait(50);
        QVERIFY(TRunProjectFixture::OtherWindows().isEmpty());
        QCOMPARE(RunForm->FormIndex, 0);
        DesignerPreview = false;
    }

    void shellCommands_data()
    {
        QTest::addColumn<int>("command");
        QTest::addColumn<QString>("param1");
        QTest::addColumn<QString>("param2");
        QTest::addColumn<QString>("param3");
        QTest::addColumn<bool>("optionBool");
        QTest::addColumn<int>("showCmd");
        // Expected: call kind ('' = none), verb, file, parameters, folder; "<dir>" stands
        // for the program's folder.
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("verb");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("parameters");
        QTest::addColumn<QString>("folder");

        const QString se = QStringLiteral("ShellExecute");
        QTest::newRow("run project file") << int(ctOpenRunFile) << "\\docs\\a.txt" << "-p" << "\\docs" << false << 3
                                          << se << "open" << "<dir>/docs/a.txt" << "-p" << "<dir>/docs";
        QTest::newRow("run absolute file") << int(ctOpenRunFile) << "/usr/bin/x" << "" << "" << false << 1 << se
                                           << "open" << "/usr/bin/x" << "" << "";
        QTest::newRow("run and wait") << int(ctOpenRunFile) << "\\tool" << "" << "" << true << 1
                                      << "ShellExecuteAndWait" << "open" << "<dir>/tool" << "" << "<dir>";
        QTest::newRow("run nothing") << int(ctOpenRunFile) << "" << "x" << "" << false << 1 << "" << "" << ""
                                     << "" << "";
        QTest::newRow("website") << int(ctVisitWebsite) << "\\not-a-path" << "x" << "y" << true << 3 << se << "open"
                                 << "\\not-a-path" << "" << "";
        QTest::newRow("no website") << int(ctVisitWebsite) << "" << "" << "" << false << 1 << "" << "" << "" << ""
                                    << "";
        QTest::newRow("email") << int(ctSendEmail) << "me@example.org" << "" << "" << false << 1 << se << "open"
                               << "mailto:me@example.org" << "" << "";
        QTest::newRow("no email") << int(ctSendEmail) << "" << "" << "" << false << 1 << "" << "" << "" << ""
                                  << "";
        QTest::newRow("print") << int(ctPrintDocument) << "\\r.pdf" << "" << "" << false << 1 << se << "print"
                               << "<dir>/r.pdf" << "" << "";
        QTest::newRow("browse project") << int(ctBrowse) << "" << "" << "" << false << 1 << se << "explore" << "<dir>"
                                        << "" << "";
        QTest::newRow("browse folder") << int(ctBrowse) << "\\sub" << "" << "" << false << 1 << se << "explore"
                                       << "<dir>/sub" << "" << "";
    }

    void shellCommands()
    {
        QFETCH(int, command);
        QFETCH(QString, param1);
        QFETCH(QString, param2);
        QFETCH(QString, param3);
        QFETCH(bool, optionBool);
        QFETCH(int, showCmd);
        QFETCH(QString, kind);
        QFETCH(QString, verb);
        QFETCH(QString, file);
        QFETCH(QString, parameters);
        QFETCH(QString, folder);

        QTemporaryDir dir;
        DesignerMode = false;
        ExeFolder = dir.path();
        TScriptedUiServices ui;
        ui.ShellHandler = [](auto &&...) { return 42; };
        ui.ShellWaitHandler = [](const QString &, const QString &, const QString &, const QString &, int,
                                 int &code) {
            code = 33;
            return true;
        };
        TZvAction action;
        action.Command = TCommandType(command);
        action.Param1 = param1;
        action.Param2 = param2;
        action.Param3 = param3;
        action.OptionBool = optionBool;
        action.OptionInt = showCmd;
        QVERIFY(RunGlobalAction(&action, nullptr));

        QList<TUiCall> calls = ui.CallsOf(QStringLiteral("ShellExecute")) + ui.CallsOf(QStringLiteral("ShellExecuteAndWait"));
        if (kind.isEmpty()) {
            QVERIFY(calls.isEmpty());
            return;
        }
        QCOMPARE(calls.size(), 1);
        const auto expand = [&](QString text) { return text.replace(QStringLiteral("<dir>"), dir.path()); };
        QCOMPARE(calls[0].Kind, kind);
        QCOMPARE(calls[0].Caption, verb);
        QCOMPARE(calls[0].Text, expand(file));
        QCOMPARE(calls[0].Flags, unsigned(showCmd));
        QCOMPARE(calls[0].Args, (QStringList{parameters, expand(folder)}));
        QVERIFY(ui.Messages().isEmpty());
    }

    void shellFailureIsReported()
    {
        TScriptedUiServices ui; // the unscripted shell answers "file not found"
        TZvAction action;
        action.Command = ctVisitWebsite;
        action.Param1 = QStringLiteral("http://example.org");
        RunGlobalAction(&action, nullptr);
        QCOMPARE(ui.CallsOf(QStringLiteral("MessageBox")).size(), 1);
        QCOMPARE(ui.CallsOf(QStringLiteral("MessageBox")).first().Caption, QStringLiteral("Error"));
    }

    void soundCommandsUseTheirChannels()
    {
        QTemporaryDir dir;
        DesignerMode = false;
        ExeFolder = dir.path();
        WriteFileBytes(dir.filePath(QStringLiteral("ding.wav")), QByteArray("RIFF"));
        TScriptedUiServices ui;
        TGeneralForm service;
        GeneralForm = &service;

        const auto run = [](TCommandType command, const QString &file, bool loop) {
            TZvAction action;
            action.Command = command;
            action.Param1 = file;
            action.OptionBool = loop;
            QVERIFY(RunGlobalAction(&action, nullptr));
        };
        run(ctPlaySound, QStringLiteral("\\ding.wav"), false);
        run(ctPlayBackMusic, QStringLiteral("\\ding.wav"), true);
        run(ctPlaySound, QString(), false); // nothing to play: nothing happens
        run(ctStopSound, QString(), false);
        run(ctStopBackMusic, QString(), false);
        GeneralForm = nullptr;

        QStringList seen;
        for (const TUiCall &call : ui.Calls)
            seen << QStringLiteral("%1 %2 %3").arg(call.Kind).arg(call.Flags).arg(call.Args.value(0));
        QCOMPARE(seen, (QStringList{QStringLiteral("StopSound 0 "), QStringLiteral("PlaySound 0 0"),
                                    QStringLiteral("StopSound 1 "), QStringLiteral("PlaySound 1 1"),
                                    QStringLiteral("StopSound 0 "), QStringLiteral("StopSound 1 ")}));
        QCOMPARE(ui.CallsOf(QStringLiteral("PlaySound")).first().Text, dir.filePath(QStringLiteral("ding.wav")));
    }

    void startListCommandsWithoutAWindow()
    {
        TScriptedUiServices ui;
        ExitRequested = false;
        TZvAction action;
        action.Command = ctExit;
        QVERIFY(RunGlobalAction(&action, nullptr));
        QVERIFY(ExitRequested);
        ExitRequested = false;
        action.Command = ctCloseForm; // needs a window
        QVERIFY(!RunGlobalAction(&action, nullptr));
        action.Command = ctDatabase; // no connections in this build
        QVERIFY(!RunGlobalAction(&action, nullptr));
        QVERIFY(!RunGlobalAction(nullptr, nullptr));
    }
};

QTEST_MAIN(TestActionInterpreter)
#include "tst_action_interpreter.moc"
