// Reading and writing values by object and token pairs on a real page.
#include <QtTest>

#include "objects/memo.h"
#include "objects/panel.h"
#include "objects/rich_text.h"
#include "objects/simple_text.h"
#include "objects/tab_notebook.h"
#include "platform/db/field.h"
#include "platform/graphics/color.h"
#include "platform/rtl/format.h"
#include "platform/rtl/sysutils.h"
#include "platform/scripted_ui_services.h"
#include "runtime/run_project_fixture.h"
#include "support/value_fixtures.h"

namespace {

const QString kMismatch = QStringLiteral("The value types are not matched");

QString Read(TRunForm *Form, const QString &Object, const QString &Token, const QString &OName = QString(),
             const QString &VName = QString())
{
    TZvValue value;
    try {
        return DescribeValue(Form->GetZvObjectValue(Object, Token, value, OName, VName), value);
    } catch (const Exception &error) {
        return QStringLiteral("raises:") + error.Message();
    }
}

TZvSimpleText *Variable(TRunForm *Form, const QString &Name)
{
    return dynamic_cast<TZvSimpleText *>(TRunProjectFixture::ControlOf(Form, Name));
}

// The page most tests read: variables, a memo, a panel holding a button, a notebook with
// two pages, a rich text.
void BuildPage(TRunProjectFixture &Project)
{
    PZvObject var = Project.AddObject(Project.Page(), otSimpleText, QStringLiteral("Var"));
    Project.AddObject(Project.Page(), otSimpleText, QStringLiteral("Int"));
    Project.AddObject(Project.Page(), otSimpleText, QStringLiteral("Flt"));
    Project.AddObject(Project.Page(), otSimpleText, QStringLiteral("When"));
    Project.AddObject(Project.Page(), otMemo, QStringLiteral("Memo1"), 40, 50);
    PZvObject panel = Project.AddObject(Project.Page(), otPanel, QStringLiteral("Panel1"), 200, 20);
    Project.AddObject(panel, otStandardButton, QStringLiteral("Button1"), 5, 6);
    PZvObject book = Project.AddObject(Project.Page(), otTabNotebook, QStringLiteral("Book"), 300, 20);
    Project.AddObject(book, otTabSheet, QStringLiteral("Sheet1"));
    Project.AddObject(book, otTabSheet, QStringLiteral("Sheet2"));
    Project.AddObject(Project.Page(), otRichText, QStringLiteral("Rich"), 400, 200);
    Q_UNUSED(var);
}

void FillValues(TRunForm *Form)
{
    TZvSimpleText *var = Variable(Form, QStringLiteral("Var"));
    var->SetCaption(QStringLiteral("Label"));
    var->StringValue = QStringLiteral(" Abc ");
    var->IntegerValue = 3;
    var->FloatValue = 0.5;
    var->DateTimeValue = EncodeDate(2024, 2, 29);
    var->BooleanValue = true;
    var->ColorValue = clRed;
    Variable(Form, QStringLiteral("Int"))->IntegerValue = -7;
    dynamic_cast<TZvStandardButton *>(TRunProjectFixture::ControlOf(Form, QStringLiteral("Panel1.Button1")))
        ->SetCaption(QStringLiteral("Button1"));
    Variable(Form, QStringLiteral("Flt"))->FloatValue = 1.5;
    Variable(Form, QStringLiteral("When"))->DateTimeValue = EncodeDate(2000, 1, 1);
    dynamic_cast<TZvMemo *>(TRunProjectFixture::ControlOf(Form, QStringLiteral("Memo1")))
        ->SetText(QStringLiteral("one\r\ntwo"));
    dynamic_cast<TZvPanel *>(TRunProjectFixture::ControlOf(Form, QStringLiteral("Panel1")))
        ->PanelBack()
        ->SetCaption(QStringLiteral("Face"));
}

} // namespace

class TestValueLanguage : public QObject
{
    Q_OBJECT

private slots:
    void init() { FormatSettings = DefaultFormatSettings(); }

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
        const char *intSide = "[VariableInteger]";
        const char *fltSide = "[VariableFloat]";
        // Typed constants.
        row("string untrimmed", "[Constant String]", " a ", "", "", "0: a ");
        row("integer trimmed", "[Constant Integer]", " 42 ", "", "", "1:42");
        row("integer bad", "[Constant Integer]", "4x", "", "", "raises:'4x' is not a valid integer value");
        row("float", "[Constant Float]", "2.25", "", "", "2:2.25");
        row("boolean TRUE with blanks", "[Constant Boolean]", "  TRUE ", "", "", "6:1");
        row("boolean 0", "[Constant Boolean]", "0", "", "", "6:0");
        row("boolean yes", "[Constant Boolean]", "yes", "", "", "none");
        // The untyped constant takes the counterpart's type.
        row("constant as integer", "[Constant]", " 5 ", "Int", intSide, "1:5");
        row("constant as colour", "[Constant]", "255", "Var", "[VariableColor]", "7:255");
        row("constant as float", "[Constant]", "1.25", "Flt", fltSide, "2:1.25");
        row("constant as date", "[Constant]", "3/1/2024", "When", "[VariableDateTime]", "3:45352");
        row("constant as day count", "[Constant]", "2.5", "When", "[VariableDateTime]", "3:2.5");
        row("constant not a date", "[Constant]", "soon", "When", "[VariableDateTime]",
            "raises:'soon' is not a valid date and time");
        row("constant as boolean", "[Constant]", "false", "Var", "[VariableBoolean]", "6:0");
        row("constant boolean word", "[Constant]", "maybe", "Var", "[VariableBoolean]", "none");
        row("constant as string", "[Constant]", " x ", "Var", "[VariableString]", "0: x ");
        row("constant against a font", "[Constant]", "x", "Var", "[Font]", "0:x");
        row("constant without counterpart", "[Constant]", "5", "", "", "none");
        // Arithmetic words on the counterpart.
        row("string plus", "[Constant String + ]", "!", "Var", "[VariableString]", "0: Abc !");
        row("string plus on integer", "[Constant String + ]", "!", "Int", intSide, "none");
        row("integer plus", "[Constant Integer + ]", "1", "Int", intSide, "1:-6");
        row("integer plus wraps", "[Constant Integer + ]", "2147483647", "Var", intSide, "1:-2147483646");
        row("integer plus 2.5 on float", "[Constant Integer + ]", "2.5", "Flt", fltSide, "2:4");
        row("integer times 2 on float", "[Constant Integer * ]", "2", "Flt", fltSide, "2:3");
        row("integer times 2.5 on float", "[Constant Integer * ]", "2.5", "Flt", fltSide,
            "raises:'2.5' is not a valid integer value");
        row("integer minus", "[Constant Integer - ]", "3", "Int", intSide, "1:-10");
        row("integer divide truncates", "[Constant Integer / ]", "2", "Int", intSide, "1:-3");
        row("integer divide by zero", "[Constant Integer / ]", "0", "Int", intSide, "raises:Division by zero");
        row("integer divide on float", "[Constant Integer / ]", "2", "Flt", fltSide, "2:0.75");
        row("integer word on string", "[Constant Integer + ]", "1", "Var", "[VariableString]", "none");
        row("float plus on integer", "[Constant Float + ]", "1", "Int", intSide, "none");
        row("float minus keeps date type", "[Constant Float - ]", "0.5", "When", "[VariableDateTime]",
            "3:36525.5");
        row("float divide by zero", "[Constant Float / ]", "0", "Flt", fltSide,
            "raises:Floating point division by zero");
        // Globals.
        row("user name with blank", "[Global]", " [User Name]", "", "", "none");
        row("unknown global", "[Global]", "[Nothing]", "", "", "none");
        row("is 64-bit", "[Global]", "[Is 64-bit Windows]", "", "", "6:0");
        // Object tokens.
        row("token trimmed", "Var", " [Caption] ", "", "", "0:Label");
        row("visible", "Var", "[Visible]", "", "", "6:1");
        row("geometry of a child", "Panel1.Button1", "[Left]", "", "", "1:5");
        row("panel caption is the face's", "Panel1", "[Caption]", "", "", "0:Face");
        row("button caption", "Panel1.Button1", "[Caption]", "", "", "0:Button1");
        row("token of another kind", "Memo1", "[Checked]", "", "", "none");
        row("no such object", "Nobody", "[Caption]", "", "", "none");
        row("memo text", "Memo1", "[Text]", "", "", "0:one\r\ntwo");
        row("memo line count", "Memo1", "[LineCount]", "", "", "1:2");
        row("memo add line reads empty", "Memo1", "[Add Line]", "", "", "0:");
        row("notebook count", "Book", "[Count]", "", "", "1:2");
        row("sheet has no geometry", "Book.Sheet1", "[Left]", "", "", "none");
        row("sheet visible", "Book.Sheet1", "[Visible]", "", "", "6:1");
        row("background colour", "Var", "[BackColor]", "", "", "7:-16777211");
        // Variable tokens.
        row("variable string", "Var", "[VariableString]", "", "", "0: Abc ");
        row("variable trim", "Var", "[VariableString Trim]", "", "", "0:Abc");
        row("variable upper", "Var", "[VariableString UpperCase]", "", "", "0: ABC ");
        row("variable length", "Var", "[VariableString Length]", "", "", "1:5");
        row("variable date time", "Var", "[VariableDateTime]", "", "", "3:45351");
        row("variable colour", "Var", "[VariableColor]", "", "", "7:255");
        row("variable to string", "Flt", "[VariableFloatToString]", "", "", "0:1.5");
        row("variable date string", "Var", "[VariableDateTimeToDateString]", "", "", "0:2/29/2024");
        row("variable boolean string", "Var", "[VariableBooleanToString]", "", "", "0:True");
        row("string to integer raises", "Var", "[VariableStringToInteger]", "", "",
            "raises:' Abc ' is not a valid integer value");
        row("string to boolean no word", "Var", "[VariableStringToBoolean]", "", "", "none");
        row("variable integer plus", "Var", "[VariableInteger + ]", "Int", intSide, "1:-4");
        row("variable integer divide", "Var", "[VariableInteger / ]", "Int", intSide, "1:-2");
        row("variable integer on float", "Var", "[VariableInteger * ]", "Flt", fltSide, "2:4.5");
        row("variable float minus", "Var", "[VariableFloat - ]", "Flt", fltSide, "2:1");
        row("variable float on integer", "Var", "[VariableFloat + ]", "Int", intSide, "none");
        row("variable integer no counterpart", "Var", "[VariableInteger + ]", "", "", "none");
        row("variable boolean not", "Var", "[VariableBoolean Not]", "Var", "[VariableBoolean]", "6:0");
        row("variable string plus", "Var", "[VariableString + ]", "Memo1", "[Text]", "0:one\r\ntwo Abc ");
    }

    void reading()
    {
        QFETCH(QString, object);
        QFETCH(QString, token);
        QFETCH(QString, oname);
        QFETCH(QString, vname);
        QFETCH(QString, expected);
        TRunProjectFixture project;
        BuildPage(project);
        FillValues(RunForm);
        QCOMPARE(Read(RunForm, object, token, oname, vname), expected);
    }

    void globalsAndReferences()
    {
        TRunProjectFixture project;
        BuildPage(project);
        TZvValue value;
        QVERIFY(RunForm->GetZvObjectValue(QStringLiteral("[Global]"), QStringLiteral("[Random]"), value));
        QCOMPARE(value.Id, int(vtDateTime));
        QVERIFY(value.FloatValue >= 0 && value.FloatValue < 1);
        QVERIFY(RunForm->GetZvObjectValue(QStringLiteral("[Global]"), QStringLiteral("[User Name]"), value));
        QVERIFY(!value.StringValue.isEmpty());
        // A designer project never saved has no folder.
        ProjectSourceFile.clear();
        QVERIFY(RunForm->GetZvObjectValue(QStringLiteral("[Global]"), QStringLiteral("[Application Folder]"), value));
        QCOMPARE(value.StringValue, QString());
        ProjectSourceFile = QStringLiteral("/tmp/projects/My.zvp");
        QVERIFY(RunForm->GetZvObjectValue(QStringLiteral("[Global]"), QStringLiteral("[Application Folder]"), value));
        QCOMPARE(value.StringValue, QStringLiteral("/tmp/projects"));
        ProjectSourceFile.clear();

        QVERIFY(RunForm->GetZvObjectValue(QStringLiteral("Book"), QStringLiteral("[Font]"), value));
        auto *book = dynamic_cast<TZvTabNotebook *>(TRunProjectFixture::ControlOf(RunForm, QStringLiteral("Book")));
        QCOMPARE(value.FontValue, &book->PageControl()->Font());
        QVERIFY(RunForm->GetZvObjectValue(QStringLiteral("Rich"), QStringLiteral("[RichText]"), value));
        QCOMPARE(value.Id, int(vtRichText));
        QCOMPARE(static_cast<TControl *>(value.RichText), TRunProjectFixture::ControlOf(RunForm, QStringLiteral("Rich")));
    }

    // "[MainForm]" and "[ParentForm]" reach the other window's page in a built program and
    // give nothing in the designer.
    void otherWindows()
    {
        TRunProjectFixture project;
        project.AddObject(project.Page(), otMemo, QStringLiteral("Memo1"));
        project.NextForm(QStringLiteral("Second"));
        project.AddObject(project.Page(), otSimpleText, QStringLiteral("Var"));
        project.Play();
        dynamic_cast<TZvMemo *>(TRunProjectFixture::ControlOf(RunForm, QStringLiteral("Memo1")))
            ->SetText(QStringLiteral("main text"));
        TRunForm second;
        QVERIFY(LoadFormData(RunProject.Forms[1].get(), &second, false));
        second.ParentForm = RunForm;

        QCOMPARE(Read(&second, QStringLiteral("[MainForm]"), QStringLiteral(" Memo1 . [Text] ")),
                 QStringLiteral("0:main text"));
        QCOMPARE(Read(&second, QStringLiteral("[ParentForm]"), QStringLiteral("Memo1.[Text]")),
                 QStringLiteral("0:main text"));
        QCOMPARE(Read(&second, QStringLiteral("[MainForm]"), QStringLiteral("[Text]")), QStringLiteral("none"));
        QCOMPARE(Read(RunForm, QStringLiteral("[ParentForm]"), QStringLiteral("Memo1.[Text]")), QStringLiteral("none"));

        // Set property into the main window through this window.
        TZvAction set;
        set.Command = ctSetPropertyValue;
        set.Param1 = QStringLiteral("[MainForm]");
        set.Param3 = QStringLiteral("Memo1 . [Text]");
        set.Param2 = QStringLiteral("[Constant String]");
        set.Param4 = QStringLiteral("from second");
        second.DoAction(&set);
        QCOMPARE(Read(RunForm, QStringLiteral("Memo1"), QStringLiteral("[Text]")), QStringLiteral("0:from second"));
        set.Param3 = QStringLiteral("[Text]");
        set.Param4 = QStringLiteral("ignored");
        second.DoAction(&set);
        QCOMPARE(Read(RunForm, QStringLiteral("Memo1"), QStringLiteral("[Text]")), QStringLiteral("0:from second"));

        DesignerMode = true;
        QCOMPARE(Read(&second, QStringLiteral("[MainForm]"), QStringLiteral("Memo1.[Text]")), QStringLiteral("none"));
        DesignerMode = false;
    }

    // Set property through the interpreter: what each token takes, what it refuses with the
    // mismatch message, and what it leaves alone.
    void writing_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("token");
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("sourceToken");
        QTest::addColumn<QString>("readBack");
        QTest::addColumn<bool>("mismatch");
        QTest::addColumn<QString>("readToken"); // what is read back; the written token when empty
        auto row = [](const char *name, const char *target, const char *token, const char *source,
                      const char *sourceToken, const char *readBack, bool mismatch, const char *readToken = "") {
            QTest::newRow(name) << QString::fromUtf8(target) << QString::fromUtf8(token) << QString::fromUtf8(source)
                                << QString::fromUtf8(sourceToken) << QString::fromUtf8(readBack) << mismatch
                                << QString::fromUtf8(readToken);
        };
        row("integer to back colour", "Var", "[BackColor]", "[Constant Integer]", "255", "7:255", false);
        row("colour to left", "Var", "[Left]", "Var", "[VariableColor]", "1:255", false);
        row("float to left refused", "Var", "[Left]", "[Constant Float]", "1.5", "1:10", true);
        row("untyped constant to left", "Var", "[Left]", "[Constant]", " 33 ", "1:33", false);
        row("caption", "Panel1.Button1", "[Caption]", "[Constant String]", "Go", "0:Go", false);
        row("caption refuses integer", "Panel1.Button1", "[Caption]", "[Constant Integer]", "1", "0:Button1", true);
        row("panel caption", "Panel1", "[Caption]", "Memo1", "[Text]", "0:one\r\ntwo", false);
        row("visible refuses string", "Var", "[Visible]", "[Constant String]", "x", "6:1", true);
        row("hidden", "Var", "[Visible]", "[Constant Boolean]", "false", "6:0", false);
        row("memo add line", "Memo1", "[Add Line]", "[Constant String]", "three", "0:one\r\ntwo\r\nthree", false,
            "[Text]");
        row("line count is read only", "Memo1", "[LineCount]", "[Constant Integer]", "9", "1:2", false);
        row("notebook page", "Book", "[ActiveIndex]", "[Constant Integer]", "1", "1:1", false);
        row("notebook count read only", "Book", "[Count]", "[Constant Integer]", "5", "1:2", false);
        row("sheet geometry does nothing", "Book.Sheet1", "[Left]", "[Constant Float]", "1.5", "none", false);
        row("unknown token does nothing", "Memo1", "[Checked]", "[Constant Boolean]", "true", "none", false);
        row("integer counter plus one", "Var", "[VariableInteger]", "[Constant Integer + ]", "1", "1:4", false);
        row("float into integer truncates", "Var", "[VariableInteger]", "[Constant Float]", "-2.9", "1:-2", false);
        row("random into float", "Var", "[VariableFloat]", "Flt", "[VariableFloat]", "2:1.5", false);
        row("integer into date time", "Var", "[VariableDateTime]", "[Constant Integer]", "2", "3:2", false);
        row("string into integer refused", "Var", "[VariableInteger]", "[Constant String]", "5", "1:3", true);
        row("colour refuses float", "Var", "[VariableColor]", "[Constant Float]", "1", "7:255", true);
        row("derived token not written", "Var", "[VariableString Length]", "[Constant Integer]", "1", "1:5", false);
        row("untyped into caption is text", "Var", "[Caption]", "[Constant]", "12", "0:12", false);
        row("untyped into float is float", "Var", "[VariableFloat]", "[Constant]", "12", "2:12", false);
        row("font copied", "Var", "[Font]", "Book", "[Font]", "9:DejaVu Sans", false);
        row("font refuses colour", "Var", "[Font]", "Var", "[VariableColor]", "9:Tahoma", true);
    }

    void writing()
    {
        QFETCH(QString, target);
        QFETCH(QString, token);
        QFETCH(QString, source);
        QFETCH(QString, sourceToken);
        QFETCH(QString, readBack);
        QFETCH(bool, mismatch);
        QFETCH(QString, readToken);
        TScriptedUiServices ui;
        TRunProjectFixture project;
        BuildPage(project);
        FillValues(RunForm);
        TFont font;
        font.Name = QStringLiteral("DejaVu Sans");
        auto *book = dynamic_cast<TZvTabNotebook *>(TRunProjectFixture::ControlOf(RunForm, QStringLiteral("Book")));
        book->PageControl()->SetFont(font);
        font.Name = QStringLiteral("Tahoma");
        Variable(RunForm, QStringLiteral("Var"))->SetFont(font);

        TZvAction action;
        action.Command = ctSetPropertyValue;
        action.Param1 = target;
        action.Param3 = QStringLiteral(" ") + token;
        action.Param2 = source;
        action.Param4 = sourceToken;
        QVERIFY(RunForm->DoAction(&action));
        QCOMPARE(Read(RunForm, target, readToken.isEmpty() ? token : readToken), readBack);
        const QStringList messages = [&] {
            QStringList texts;
            for (const TUiCall &call : ui.CallsOf(QStringLiteral("MessageBox")))
                texts << call.Text + QLatin1Char('|') + call.Caption;
            return texts;
        }();
        QCOMPARE(messages, mismatch ? QStringList{kMismatch + QStringLiteral("|Information")} : QStringList());
    }

    // A blob field's bytes load as rich text; a field of another type changes nothing.
    void richTextFromField()
    {
        TRunProjectFixture project;
        BuildPage(project);
        PZvObject rich = RunForm->GetZvObjectFromName(QStringLiteral("Rich"));
        auto *control = dynamic_cast<TZvRichText *>(rich->ObjectControl);
        control->SetText(QStringLiteral("old"));
        TField number(QStringLiteral("N"), ftInteger);
        number.SetValue(5);
        TZvValue value;
        value.Id = vtField;
        value.FieldValue = &number;
        RunForm->SetPropertyValue(rich, QStringLiteral("[RichText]"), value);
        QCOMPARE(control->Text(), QStringLiteral("old"));
        TField memo(QStringLiteral("Notes"), ftMemo);
        memo.SetValue(QByteArray("{\\rtf1\\ansi new\\par}"));
        value.FieldValue = &memo;
        RunForm->SetPropertyValue(rich, QStringLiteral("[RichText]"), value);
        QCOMPARE(control->Text(), QStringLiteral("new"));
        memo.SetValue(QVariant());
        RunForm->SetPropertyValue(rich, QStringLiteral("[RichText]"), value);
        QCOMPARE(control->Text(), QString());
    }

    void richTextCopiedAsRtf()
    {
        TRunProjectFixture project;
        BuildPage(project);
        PZvObject second = project.AddObject(project.Page(), otRichText, QStringLiteral("Rich2"), 10, 300);
        auto *source = dynamic_cast<TZvRichText *>(TRunProjectFixture::ControlOf(RunForm, QStringLiteral("Rich")));
        const QByteArray rtf("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\b bold\\b0  plain\\par}");
        QVERIFY(source->LoadLines(rtf));
        TZvAction action;
        action.Command = ctSetPropertyValue;
        action.Param1 = QStringLiteral("Rich2");
        action.Param3 = QStringLiteral("[RichText]");
        action.Param2 = QStringLiteral("Rich");
        action.Param4 = QStringLiteral("[RichText]");
        RunForm->DoAction(&action);
        auto *target = dynamic_cast<TZvRichText *>(second->ObjectControl);
        QCOMPARE(target->SaveLines(), rtf);
        QCOMPARE(target->Text(), QStringLiteral("bold plain"));
    }
};

QTEST_MAIN(TestValueLanguage)
#include "tst_value_language.moc"
