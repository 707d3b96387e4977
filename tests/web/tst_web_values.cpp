// The value language and its commands on a web page: flat names, the web's tokens, type
// errors that raise.
#include <QTemporaryDir>
#include <QtTest>

#include "web_project_fixture.h"

#include "app/app_def.h"
#include "core/globals.h"
#include "objects/memo.h"
#include "objects/simple_text.h"
#include "objects/standard_button.h"
#include "platform/rtl/format.h"
#include "platform/rtl/sysutils.h"
#include "platform/scripted_ui_services.h"
#include "runtime/run_form.h"
#include "web/web_actions.h"
#include "web/web_form.h"
#include "support/value_fixtures.h"

namespace {

const QString kTypeError = QStringLiteral("raises:The value types are not matched.");

QVector<TWebFixtureForm> ValueForms()
{
    return {
        {QStringLiteral("Form1"),
         QStringLiteral("Values"),
         {
             {otSimpleText, QStringLiteral("Var"), QStringLiteral("Label"), QRect(10, 10, 100, 20)},
             {otSimpleText, QStringLiteral("Log"), QString(), QRect(10, 40, 100, 20)},
             {otMemo, QStringLiteral("Memo1"), QStringLiteral("one\r\ntwo"), QRect(10, 70, 200, 80)},
             {otStandardButton, QStringLiteral("Button1"), QStringLiteral("Go"), QRect(220, 10, 90, 25)},
             {otBevel, QStringLiteral("Rule"), QString(), QRect(10, 160, 300, 2)},
         }},
    };
}

QString Read(TWebForm &Page, const QString &Object, const QString &Token, const QString &OName = QString(),
             const QString &VName = QString())
{
    TZvValue value;
    try {
        return DescribeValue(Page.GetZvObjectValue(Object, Token, value, OName, VName), value);
    } catch (const Exception &error) {
        return QStringLiteral("raises:") + error.Message();
    }
}

// Runs one action on the page; the text of what it raised, else "".
QString Run(TWebForm &Page, TCommandType Command, const QString &P1, const QString &P2, const QString &P3,
            const QString &P4, int OptionInt = 0)
{
    TZvAction action;
    action.Command = Command;
    action.Param1 = P1;
    action.Param2 = P2;
    action.Param3 = P3;
    action.Param4 = P4;
    action.OptionInt = OptionInt;
    try {
        RunAction(&Page, &action, false);
    } catch (const Exception &error) {
        return QStringLiteral("raises:") + error.Message();
    }
    return QString();
}

TWebLabel *Label(TWebForm &Page, const QString &Name)
{
    return dynamic_cast<TWebLabel *>(Page.WebControlOf(Page.GetZvObjectFromName(Name)));
}

} // namespace

class TestWebValues : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    std::unique_ptr<TWebForm> NewPage()
    {
        auto page = std::make_unique<TWebForm>(nullptr);
        if (!page->LoadFromFormData(RunProject.Forms[0].get()))
            return nullptr;
        TWebLabel *var = Label(*page, QStringLiteral("Var"));
        var->StringValue = QStringLiteral("abc");
        var->IntegerValue = 5;
        var->FloatValue = 1.5;
        var->ColorValue = clRed;
        return page;
    }

private slots:
    void initTestCase()
    {
        InitAppDef();
        QVERIFY(m_dir.isValid());
        DesignerMode = true;
        RunForm = new TRunForm;
        TScriptedUiServices ui;
        QVERIFY(SaveWebProject(m_dir.filePath("Values.zvprj"), ValueForms()));
        QVERIFY(OpenProjectFile(m_dir.filePath("Values.zvprj")));
        DesignerMode = false;
    }

    void init() { FormatSettings = DefaultFormatSettings(); }

    void cleanupTestCase()
    {
        ResetProject(false, atNormal);
        delete RunForm;
        RunForm = nullptr;
    }

    void reading_data()
    {
        QTest::addColumn<QString>("object");
        QTest::addColumn<QString>("token");
        QTest::addColumn<QString>("oname");
        QTest::addColumn<QString>("vname");
        QTest::addColumn<QString>("expected");
        auto row = [](const char *name, const char *object, const char *token, const char *oname,
                      const char *vname, const char *expected) {
            QTest::newRow(name) << QString::fromUtf8(object) << QString::fromUtf8(token) << QString::fromUtf8(oname)
                                << QString::fromUtf8(vname) << QString::fromUtf8(expected);
        };
        row("caption", "Var", " [Caption] ", "", "", "0:Label");
        row("memo lines", "Memo1", "[Text]", "", "", "0:one\r\ntwo\r\n");
        row("memo line count", "Memo1", "[LineCount]", "", "", "1:2");
        row("memo add line", "Memo1", "[Add Line]", "", "", "0:");
        row("button font", "Button1", "[Font]", "", "", "9:MS Sans Serif");
        row("button has no back colour", "Button1", "[BackColor]", "", "", "none");
        row("bevel geometry", "Rule", "[Width]", "", "", "1:300");
        row("bevel visible", "Rule", "[Visible]", "", "", "6:1");
        row("bevel has no caption", "Rule", "[Caption]", "", "", "none");
        row("only two globals", "[Global]", "[User Name]", "", "", "none");
        row("names are flat", "Form1.Var", "[Caption]", "", "", "none");
        row("constant typed by target", "[Constant]", "12", "Var", "[VariableFloat]", "2:12");
        row("constant as text", "[Constant]", "12", "Var", "[Caption]", "0:12");
        row("integer plus on counterpart", "[Constant Integer + ]", "1", "Var", "[VariableInteger]", "1:6");
        row("integer divide by zero", "[Constant Integer / ]", "0", "Var", "[VariableInteger]",
            "raises:Division by zero");
        row("variable string to boolean", "Var", "[VariableStringToBoolean]", "", "", "none");
        row("variable integer times float", "Var", "[VariableInteger * ]", "Var", "[VariableFloat]", "2:7.5");
    }

    void reading()
    {
        QFETCH(QString, object);
        QFETCH(QString, token);
        QFETCH(QString, oname);
        QFETCH(QString, vname);
        QFETCH(QString, expected);
        std::unique_ptr<TWebForm> page = NewPage();
        QVERIFY(page);
        QCOMPARE(Read(*page, object, token, oname, vname), expected);
    }

    void writing_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("token");
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("sourceToken");
        QTest::addColumn<QString>("raised");
        QTest::addColumn<QString>("readBack");
        auto row = [](const char *name, const char *target, const char *token, const char *source,
                      const char *sourceToken, const QString &raised, const char *readBack) {
            QTest::newRow(name) << QString::fromUtf8(target) << QString::fromUtf8(token) << QString::fromUtf8(source)
                                << QString::fromUtf8(sourceToken) << raised << QString::fromUtf8(readBack);
        };
        row("counter plus one", "Var", "[VariableInteger]", "[Constant Integer + ]", "1", "", "1:6");
        row("string into integer raises", "Var", "[VariableInteger]", "[Constant String]", "5", kTypeError, "1:5");
        row("memo text from caption", "Memo1", "[Text]", "Var", "[Caption]", "", "0:Label\r\n");
        row("memo add line does nothing", "Memo1", "[Add Line]", "[Constant String]", "x", "", "0:");
        row("button caption", "Button1", "[Caption]", "[Constant String]", "Stop", "", "0:Stop");
        row("caption refuses boolean", "Button1", "[Caption]", "[Constant Boolean]", "1", kTypeError, "0:Go");
        row("font copied", "Var", "[Font]", "Button1", "[Font]", "", "9:MS Sans Serif");
        row("font refuses text", "Var", "[Font]", "[Constant String]", "Arial", kTypeError, "9:MS Sans Serif");
        row("hide", "Rule", "[Visible]", "[Constant Boolean]", "false", "", "6:0");
        row("move", "Rule", "[Left]", "Var", "[VariableColor]", "", "1:255");
        row("geometry refuses float", "Rule", "[Top]", "[Constant Float]", "1.5", kTypeError, "1:160");
        row("unknown token ignored", "Rule", "[Caption]", "[Constant String]", "x", "", "none");
        row("no value writes nothing", "Var", "[VariableBoolean]", "Var", "[VariableStringToBoolean]", "", "6:0");
    }

    void writing()
    {
        QFETCH(QString, target);
        QFETCH(QString, token);
        QFETCH(QString, source);
        QFETCH(QString, sourceToken);
        QFETCH(QString, raised);
        QFETCH(QString, readBack);
        std::unique_ptr<TWebForm> page = NewPage();
        QVERIFY(page);
        QCOMPARE(Run(*page, ctSetPropertyValue, target, source, QStringLiteral(" ") + token, sourceToken), raised);
        QCOMPARE(Read(*page, target, token), readBack);
    }

    // "[ParentForm]" reaches the page that opened this one by plain name, not in the designer.
    void parentPage()
    {
        std::unique_ptr<TWebForm> first = NewPage();
        std::unique_ptr<TWebForm> second = NewPage();
        second->ParentForm = first.get();
        Label(*first, QStringLiteral("Var"))->Caption = QStringLiteral("on first");
        QCOMPARE(Read(*second, QStringLiteral("[ParentForm]"), QStringLiteral(" Var . [Caption] ")),
                 QStringLiteral("0:on first"));
        QCOMPARE(Read(*first, QStringLiteral("[ParentForm]"), QStringLiteral("Var.[Caption]")), QStringLiteral("none"));
        QCOMPARE(Run(*second, ctSetPropertyValue, QStringLiteral("[ParentForm]"), QStringLiteral("[Constant String]"),
                     QStringLiteral("Var.[Caption]"), QStringLiteral("from second")),
                 QString());
        QCOMPARE(Read(*first, QStringLiteral("Var"), QStringLiteral("[Caption]")), QStringLiteral("0:from second"));
        DesignerMode = true;
        QCOMPARE(Read(*second, QStringLiteral("[ParentForm]"), QStringLiteral("Var.[Caption]")), QStringLiteral("none"));
        DesignerMode = false;
        second->ParentForm = nullptr;
    }

    // If-then-else, custom actions and the variable commands through the web executor.
    void commands()
    {
        std::unique_ptr<TWebForm> page = NewPage();
        TZvAction decide;
        decide.Command = ctIfThenElse;
        decide.Param1 = QStringLiteral("[Constant]");
        decide.Param3 = QStringLiteral("5");
        decide.Param2 = QStringLiteral("Var");
        decide.Param4 = QStringLiteral("[VariableInteger]");
        auto *then = new TZvAction;
        then->Command = ctSetPropertyValue;
        then->Param1 = QStringLiteral("Log");
        then->Param3 = QStringLiteral("[VariableString]");
        then->Param2 = QStringLiteral("[Constant String]");
        then->Param4 = QStringLiteral("equal");
        decide.Actions1.Actions.append(then);
        RunAction(page.get(), &decide, true);
        QCOMPARE(Label(*page, QStringLiteral("Log"))->StringValue, QStringLiteral("equal"));

        // The callable list of a simple text runs on this page.
        PZvObject var = page->GetZvObjectFromName(QStringLiteral("Var"));
        auto *call = new TZvAction;
        call->Command = ctArithmetic;
        call->Param1 = QStringLiteral("Log");
        call->Param2 = QStringLiteral("Var");
        call->Param3 = QStringLiteral("Var");
        call->OptionInt = 0; // X.String = Y.String + Z.String
        var->OnMouseUpActions.Actions.append(call);
        QCOMPARE(Run(*page, ctDoCustomActions, QStringLiteral("Var"), QString(), QString(), QString()), QString());
        QCOMPARE(Label(*page, QStringLiteral("Log"))->StringValue, QStringLiteral("abcabc"));

        QCOMPARE(Run(*page, ctString, QStringLiteral("Var"), QString(), QString(), QString(), 4), QString());
        QCOMPARE(Label(*page, QStringLiteral("Var"))->StringValue, QStringLiteral("ABC"));
        QCOMPARE(Run(*page, ctColor, QStringLiteral("Var"), QString(), QString(), QString(), 0), QString());
        QCOMPARE(Label(*page, QStringLiteral("Var"))->IntegerValue, 255);
        // SetYear from the integer, then GetYear reads it back.
        QCOMPARE(Run(*page, ctDateTime, QStringLiteral("Var"), QString(), QString(), QString(), 9), QString());
        Label(*page, QStringLiteral("Var"))->IntegerValue = 0;
        QCOMPARE(Run(*page, ctDateTime, QStringLiteral("Var"), QString(), QString(), QString(), 2), QString());
        QCOMPARE(Label(*page, QStringLiteral("Var"))->IntegerValue, 255);
        // Integer division by a zero variable raises and leaves the result.
        Label(*page, QStringLiteral("Log"))->IntegerValue = 0;
        QCOMPARE(Run(*page, ctArithmetic, QStringLiteral("Var"), QStringLiteral("Var"), QStringLiteral("Log"),
                     QString(), 16),
                 QStringLiteral("raises:Division by zero"));
        QCOMPARE(Label(*page, QStringLiteral("Var"))->IntegerValue, 255);
    }
};

QTEST_MAIN(TestWebValues)
#include "tst_web_values.moc"
