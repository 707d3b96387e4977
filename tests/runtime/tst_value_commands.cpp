// The set-property, if-then-else, loop, custom-action, message and shell commands on a real
// page.
#include <QTimer>
#include <QtTest>

#include "objects/simple_text.h"
#include "platform/db/field.h"
#include "platform/rtl/format.h"
#include "platform/scripted_ui_services.h"
#include "runtime/run_project_fixture.h"
#include "runtime/value_compare.h"

namespace {

TZvAction *AddFull(TZvActions &List, TCommandType Command, const QString &Param1, const QString &Param2,
                   const QString &Param3, const QString &Param4, int OptionInt = 0)
{
    TZvAction *action = AddAction(List, Command, Param1, false, OptionInt);
    action->Param2 = Param2;
    action->Param3 = Param3;
    action->Param4 = Param4;
    return action;
}

// An action that stores Text in the string variable of Log.
void AddLogText(TZvActions &List, const QString &Text)
{
    AddFull(List, ctSetPropertyValue, QStringLiteral("Log"), QStringLiteral("[Constant String]"),
            QStringLiteral("[VariableString]"), Text);
}

TZvSimpleText *Variable(const QString &Name)
{
    return dynamic_cast<TZvSimpleText *>(TRunProjectFixture::ControlOf(RunForm, Name));
}

// A page of variables: Log, A and B, played as a built program's main window.
void PlayVariables(TRunProjectFixture &Project)
{
    for (const char *name : {"Log", "A", "B"})
        Project.AddObject(Project.Page(), otSimpleText, QString::fromLatin1(name));
    Project.Play();
}

} // namespace

class TestValueCommands : public QObject
{
    Q_OBJECT

private slots:
    void init() { FormatSettings = DefaultFormatSettings(); }

    void ifThenElse_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("targetToken");
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("sourceToken");
        QTest::addColumn<int>("op");
        QTest::addColumn<QString>("ran");
        const QString a = QStringLiteral("A");
        const QString b = QStringLiteral("B");
        const QString i = QStringLiteral("[VariableInteger]");
        const QString s = QStringLiteral("[VariableString]");
        const QString constant = QStringLiteral("[Constant]");
        // A: integer 5, string "abc", date-time 2.5, boolean False. B: integer 7, string "abd".
        QTest::newRow("constant typed by integer source") << constant << QStringLiteral(" 5 ") << a << i << 0 << "then";
        QTest::newRow("source constant typed by target") << a << i << constant << QStringLiteral("7") << 3 << "then";
        QTest::newRow("string with integer") << a << s << b << i << 0 << "";
        QTest::newRow("integer with date-time") << a << i << a << QStringLiteral("[VariableDateTime]") << 1 << "then";
        QTest::newRow("abc < abd") << a << s << b << s << 3 << "then";
        QTest::newRow("case matters") << a << s << QStringLiteral("[Constant String]") << QStringLiteral("ABC") << 0
                                      << "else";
        QTest::newRow("not equal") << a << i << b << i << 5 << "then";
        QTest::newRow(">= fails") << a << i << b << i << 2 << "else";
        QTest::newRow("False < True") << a << QStringLiteral("[VariableBoolean]") << QStringLiteral("[Constant Boolean]")
                                      << QStringLiteral("true") << 3 << "then";
        QTest::newRow("unknown operator") << a << i << b << i << 6 << "";
        QTest::newRow("missing source") << a << i << QStringLiteral("Nobody") << i << 0 << "";
    }

    void ifThenElse()
    {
        QFETCH(QString, target);
        QFETCH(QString, targetToken);
        QFETCH(QString, source);
        QFETCH(QString, sourceToken);
        QFETCH(int, op);
        QFETCH(QString, ran);
        TRunProjectFixture project;
        PlayVariables(project);
        Variable(QStringLiteral("A"))->IntegerValue = 5;
        Variable(QStringLiteral("A"))->StringValue = QStringLiteral("abc");
        Variable(QStringLiteral("A"))->DateTimeValue = 2.5;
        Variable(QStringLiteral("B"))->IntegerValue = 7;
        Variable(QStringLiteral("B"))->StringValue = QStringLiteral("abd");

        TZvAction action;
        action.Command = ctIfThenElse;
        action.Param1 = target;
        action.Param3 = targetToken;
        action.Param2 = source;
        action.Param4 = sourceToken;
        action.OptionInt = op;
        AddLogText(action.Actions1, QStringLiteral("then"));
        AddLogText(action.Actions2, QStringLiteral("else"));
        RunForm->DoAction(&action);
        QCOMPARE(Variable(QStringLiteral("Log"))->StringValue, ran);
    }

    // A database field compared with the null constant: only "=" and "<>" decide.
    void fieldAgainstNull()
    {
        TField field(QStringLiteral("Name"), ftString);
        TZvValue left;
        left.Id = vtField;
        left.FieldValue = &field;
        TZvValue null;
        null.Id = vtNull;
        QCOMPARE(CompareValues(left, null, 0), cmpHolds);
        QCOMPARE(CompareValues(null, left, 5), cmpFails);
        QCOMPARE(CompareValues(left, null, 1), cmpNeither);
        field.SetValue(QStringLiteral("x"));
        QCOMPARE(CompareValues(left, null, 0), cmpFails);
        TZvValue text;
        text.SetString(QStringLiteral("x"));
        QCOMPARE(CompareValues(left, text, 0), cmpHolds);
    }

    void loopCountsDown_data()
    {
        QTest::addColumn<int>("start");
        QTest::addColumn<QString>("seen");
        QTest::addColumn<int>("left");
        QTest::newRow("three") << 3 << "321" << 0;
        QTest::newRow("zero") << 0 << "" << 0;
        QTest::newRow("negative") << -2 << "" << -2;
    }

    void loopCountsDown()
    {
        QFETCH(int, start);
        QFETCH(QString, seen);
        QFETCH(int, left);
        TRunProjectFixture project;
        PlayVariables(project);
        Variable(QStringLiteral("A"))->IntegerValue = start;
        TZvAction loop;
        loop.Command = ctLoop;
        loop.Param1 = QStringLiteral("A");
        // A.String := A's counter as text; Log.String := Log.String + A.String.
        AddFull(loop.Actions1, ctSetPropertyValue, QStringLiteral("A"), QStringLiteral("A"),
                QStringLiteral("[VariableString]"), QStringLiteral("[VariableIntegerToString]"));
        AddFull(loop.Actions1, ctSetPropertyValue, QStringLiteral("Log"), QStringLiteral("A"),
                QStringLiteral("[VariableString]"), QStringLiteral("[VariableString + ]"));
        RunForm->DoAction(&loop);
        QCOMPARE(Variable(QStringLiteral("Log"))->StringValue, seen);
        QCOMPARE(Variable(QStringLiteral("A"))->IntegerValue, left);
    }

    // A list that raises its counter as fast as the loop lowers it: the window still
    // repaints and closes, and closing it ends the loop.
    void endlessLoopEndsWhenTheWindowCloses()
    {
        TRunProjectFixture project;
        PlayVariables(project);
        Variable(QStringLiteral("A"))->IntegerValue = 1;
        TZvAction loop;
        loop.Command = ctLoop;
        loop.Param1 = QStringLiteral("A");
        AddFull(loop.Actions1, ctSetPropertyValue, QStringLiteral("A"), QStringLiteral("[Constant Integer + ]"),
                QStringLiteral("[VariableInteger]"), QStringLiteral("1"));
        int paints = 0;
        QTimer repaint;
        QObject::connect(&repaint, &QTimer::timeout, [&] { ++paints; });
        repaint.start(20);
        QTimer::singleShot(300, RunForm, [] { RunForm->close(); });
        RunForm->DoAction(&loop);
        QVERIFY(paints > 3);
        QVERIFY(RunForm->CloseEvented);
    }

    void customActionsRunOnThisWindow()
    {
        TRunProjectFixture project;
        project.AddObject(project.Page(), otSimpleText, QStringLiteral("Log"));
        PZvObject callable = project.AddObject(project.Page(), otSimpleText, QStringLiteral("Callable"));
        AddLogText(callable->OnMouseUpActions, QStringLiteral("main list"));
        project.NextForm(QStringLiteral("Second"));
        project.AddObject(project.Page(), otSimpleText, QStringLiteral("Log"));
        project.Play();
        TRunForm second;
        QVERIFY(LoadFormData(RunProject.Forms[1].get(), &second, false));

        TZvAction call;
        call.Command = ctDoCustomActions;
        call.Param1 = QStringLiteral("[MainForm]");
        call.Param3 = QStringLiteral(" Callable ");
        second.DoAction(&call);
        // The list held by the main window wrote to the Log of the window that called it.
        auto *secondLog = dynamic_cast<TZvSimpleText *>(second.GetZvObjectFromName(QStringLiteral("Log"))->ObjectControl);
        QCOMPARE(secondLog->StringValue, QStringLiteral("main list"));
        QCOMPARE(Variable(QStringLiteral("Log"))->StringValue, QString());

        call.Param1 = QStringLiteral("Callable");
        RunForm->DoAction(&call);
        QCOMPARE(Variable(QStringLiteral("Log"))->StringValue, QStringLiteral("main list"));
        call.Param1 = QStringLiteral("Log"); // a variable without a list runs nothing
        QVERIFY(RunForm->DoAction(&call));
    }

    void message_data()
    {
        QTest::addColumn<int>("option");
        QTest::addColumn<int>("answer");
        QTest::addColumn<unsigned>("flags");
        QTest::addColumn<QString>("ran");
        QTest::newRow("warning") << 0 << int(IDOK) << unsigned(MB_OK | MB_ICONWARNING) << "";
        QTest::newRow("information") << 1 << int(IDOK) << unsigned(MB_OK | MB_ICONINFORMATION) << "";
        QTest::newRow("stop") << 2 << int(IDOK) << unsigned(MB_OK | MB_ICONERROR) << "";
        QTest::newRow("yes") << 3 << int(IDYES) << unsigned(MB_YESNO | MB_ICONQUESTION) << "yes";
        QTest::newRow("no") << 3 << int(IDNO) << unsigned(MB_YESNO | MB_ICONQUESTION) << "no";
        QTest::newRow("cancel") << 4 << int(IDCANCEL) << unsigned(MB_YESNOCANCEL | MB_ICONQUESTION) << "";
        QTest::newRow("other") << 9 << int(IDOK) << unsigned(MB_OK) << "";
    }

    void message()
    {
        QFETCH(int, option);
        QFETCH(int, answer);
        QFETCH(unsigned, flags);
        QFETCH(QString, ran);
        TScriptedUiServices ui;
        ui.MessageAnswers << answer;
        TRunProjectFixture project;
        PlayVariables(project);
        RunProject.AppTitle = QStringLiteral("My App");
        Variable(QStringLiteral("A"))->FloatValue = 2.5;
        TZvAction message;
        message.Command = ctMessage;
        message.Param1 = QStringLiteral("A");
        message.Param3 = QStringLiteral("[VariableFloat]");
        message.OptionInt = option;
        AddLogText(message.Actions1, QStringLiteral("yes"));
        AddLogText(message.Actions2, QStringLiteral("no"));
        RunForm->DoAction(&message);
        const QList<TUiCall> boxes = ui.CallsOf(QStringLiteral("MessageBox"));
        QCOMPARE(boxes.size(), 1);
        QCOMPARE(boxes[0].Text, QStringLiteral("2.5"));
        QCOMPARE(boxes[0].Caption, QStringLiteral("My App"));
        QCOMPARE(boxes[0].Flags, flags);
        QCOMPARE(Variable(QStringLiteral("Log"))->StringValue, ran);
    }

    void messageShowsNothingWhere()
    {
        TScriptedUiServices ui;
        TRunProjectFixture project;
        PlayVariables(project);
        TZvAction message;
        message.Command = ctMessage;
        message.Param1 = QStringLiteral("A");
        message.Param3 = QStringLiteral("[Font]");
        RunForm->DoAction(&message); // a font has no text: an empty box
        message.Param1 = QStringLiteral("Nobody");
        RunForm->DoAction(&message); // no value: no box
        RunProject.ApplicationType = atWebStandAlone;
        message.Param1 = QStringLiteral("A");
        RunForm->DoAction(&message); // not on the desktop of a web project
        RunProject.ApplicationType = atNormal;
        DesignerMode = true;
        RunForm->DoAction(&message); // not while the page is edited
        DesignerPreview = true;
        RunForm->DoAction(&message); // the preview runs
        DesignerPreview = false;
        DesignerMode = false;
        const QList<TUiCall> boxes = ui.CallsOf(QStringLiteral("MessageBox"));
        QCOMPARE(boxes.size(), 2);
        QCOMPARE(boxes[0].Text, QString());
    }

    void shellExecute()
    {
        TScriptedUiServices ui;
        QStringList requests;
        ui.ShellHandler = [&](const QString &verb, const QString &file, const QString &params, const QString &dir,
                              int show) {
            requests << QStringList{verb, file, params, dir, QString::number(show)}.join(QLatin1Char('|'));
            return 42;
        };
        TRunProjectFixture project;
        PlayVariables(project);
        Variable(QStringLiteral("B"))->StringValue = QStringLiteral("--from-variable");
        TZvAction shell;
        shell.Command = ctShellExecute;
        shell.Param1 = QStringLiteral("[Constant String]");
        shell.Param3 = QStringLiteral("docs/readme.txt");
        shell.Param2 = QStringLiteral("-x");
        shell.Param4 = QStringLiteral("print");
        shell.OptionInt = SW_SHOWMAXIMIZED;
        RunForm->DoAction(&shell);
        shell.Param2 = QStringLiteral("B");
        RunForm->DoAction(&shell);
        DesignerMode = true;
        RunForm->DoAction(&shell);
        DesignerMode = false;
        QCOMPARE(requests, (QStringList{QStringLiteral("print|docs/readme.txt|-x||3"),
                                        QStringLiteral("print|docs/readme.txt|--from-variable||3")}));
    }
};

QTEST_MAIN(TestValueCommands)
#include "tst_value_commands.moc"
