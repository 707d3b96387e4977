#include <QtTest>

#include <memory>

#include "objects/simple_text.h"
#include "platform/scripted_ui_services.h"
#include "runtime/dialog_command.h"
#include "runtime/general_form.h"
#include "runtime/run_project_fixture.h"

namespace {

const QString kTextFilter =
    QStringLiteral("Plain and Rich Text Files|*.txt;*.rtf|Text Files|*.txt|Rich Text Files|*.rtf");
const QString kStartFile = QStringLiteral("/home/user/docs/start.txt");
constexpr TColor kStartColor = 0x00123456;

std::unique_ptr<TZvAction> DialogAction(const QString &Kind, const QString &Variable, bool OptionBool,
                       const QString &Filter = QString())
{
    auto action = std::make_unique<TZvAction>();
    action->Param1 = Kind;
    action->Param2 = Variable;
    action->Param3 = Filter;
    action->OptionBool = OptionBool;
    return action;
}

TFont StartFont()
{
    TFont font;
    font.Name = QStringLiteral("DejaVu Sans");
    font.Size = 13;
    font.Style = fsBold;
    font.Color = 0x0000FF;
    return font;
}

TFont ChosenFont()
{
    TFont font;
    font.Name = QStringLiteral("DejaVu Serif");
    font.Size = 20;
    font.Style = fsItalic | fsUnderline;
    font.Color = 0x00FF00;
    return font;
}

// A page with the variable "V", a panel "Box" and a button "Button".
class TDialogPage
{
public:
    TDialogPage()
    {
        V = dynamic_cast<TZvSimpleText *>(
            Project.AddObject(Project.Page(), otSimpleText, QStringLiteral("V"))->ObjectControl);
        Project.AddObject(Project.Page(), otPanel, QStringLiteral("Box"), 150, 10);
        Project.AddButton(QStringLiteral("Button"), 10, 80);
    }

    void Reset(bool Boolean)
    {
        V->StringValue = kStartFile;
        V->ColorValue = kStartColor;
        V->SetFont(StartFont());
        V->BooleanValue = Boolean;
    }

    TRunProjectFixture Project;
    TZvSimpleText *V = nullptr;
};

} // namespace

class TestDialogCommand : public QObject
{
    Q_OBJECT

private slots:
    // Every kind, confirmed and cancelled, with and without OptionBool: a confirmation stores
    // the choice, a cancel changes nothing, and only OptionBool reports the answer.
    void eachKindConfirmedAndCancelled_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("call");
        for (const char *kind : {"[Open Dialog]", "[Open Picture Dialog]", "[Open Text File Dialog]"})
            QTest::newRow(kind) << kind << "OpenFileDialog";
        for (const char *kind : {"[Save Dialog]", "[Save Picture Dialog]", "[Save Text File Dialog]"})
            QTest::newRow(kind) << kind << "SaveFileDialog";
        QTest::newRow("[Font Dialog]") << "[Font Dialog]" << "FontDialog";
        QTest::newRow("[Color Dialog]") << "[Color Dialog]" << "ColorDialog";
        QTest::newRow("[Select Directory]") << "[Select Directory]" << "SelectFolderDialog";
    }

    void eachKindConfirmedAndCancelled()
    {
        QFETCH(QString, kind);
        QFETCH(QString, call);
        const QString chosenName = QStringLiteral("/tmp/chosen");
        const TColor chosenColor = 0x00ABCDEF;

        TScriptedUiServices ui;
        TDialogPage page;
        for (bool confirm : {true, false}) {
            for (bool optionBool : {true, false}) {
                const QString round =
                    QStringLiteral("%1 confirm=%2 OptionBool=%3").arg(kind).arg(confirm).arg(optionBool);
                // The Boolean starts as the opposite of what OptionBool would store.
                page.Reset(!confirm);
                ui.Calls.clear();
                if (call == QLatin1String("FontDialog")) {
                    if (confirm)
                        ui.FontAnswers << ChosenFont();
                } else if (call == QLatin1String("ColorDialog")) {
                    if (confirm)
                        ui.ColorAnswers << chosenColor;
                } else {
                    ui.FileAnswers << (confirm ? chosenName : QString());
                }

                DoDialogCommand(RunForm, *DialogAction(kind, QStringLiteral("V"), optionBool));

                QVERIFY2(ui.Calls.size() == 1 && ui.Calls.first().Kind == call, qPrintable(round));
                const bool fileKind = call != QLatin1String("FontDialog") && call != QLatin1String("ColorDialog");
                QVERIFY2(page.V->StringValue == (confirm && fileKind ? chosenName : kStartFile), qPrintable(round));
                QVERIFY2(page.V->ColorValue == (confirm && call == QLatin1String("ColorDialog") ? chosenColor
                                                                                                : kStartColor),
                         qPrintable(round));
                QVERIFY2(page.V->Font() == (confirm && call == QLatin1String("FontDialog") ? ChosenFont()
                                                                                           : StartFont()),
                         qPrintable(round));
                QVERIFY2(page.V->BooleanValue == (optionBool ? confirm : !confirm), qPrintable(round));
            }
        }
    }

    void fileDialogSetUp_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("stringValue");
        QTest::addColumn<QString>("expectedFilter");
        QTest::addColumn<QString>("initialDir");
        QTest::addColumn<QString>("fileName");

        const QString own = QStringLiteral("Data|*.dat");
        QTest::newRow("open, own filter") << "[Open Dialog]" << own << kStartFile << own
                                          << "/home/user/docs/" << "start.txt";
        QTest::newRow("save, empty variable") << "[Save Dialog]" << own << "" << own << "" << "";
        QTest::newRow("name without folder") << "[Open Dialog]" << "" << "start.txt" << "" << "" << "start.txt";
        QTest::newRow("open picture") << "[Open Picture Dialog]" << own << "/p/a.png"
                                      << QString(OpenPictureDialogFilter) << "/p/" << "a.png";
        QTest::newRow("save picture") << "[Save Picture Dialog]" << own << ""
                                      << QString(OpenPictureDialogFilter) << "" << "";
        QTest::newRow("open text file") << "[Open Text File Dialog]" << own << "/t/a.rtf" << kTextFilter
                                        << "/t/" << "a.rtf";
        QTest::newRow("save text file") << "[Save Text File Dialog]" << own << "" << kTextFilter << "" << "";
    }

    void fileDialogSetUp()
    {
        QFETCH(QString, kind);
        QFETCH(QString, filter);
        QFETCH(QString, stringValue);
        QFETCH(QString, expectedFilter);
        QFETCH(QString, initialDir);
        QFETCH(QString, fileName);

        TScriptedUiServices ui;
        TDialogPage page;
        page.V->StringValue = stringValue;
        DoDialogCommand(RunForm, *DialogAction(kind, QStringLiteral("V"), false, filter));
        QCOMPARE(ui.Calls.size(), 1);
        QCOMPARE(ui.Calls.first().Caption, expectedFilter);
        QCOMPARE(ui.Calls.first().Args, (QStringList{initialDir, fileName}));
    }

    // The Boolean asks for the new-folder button before the dialog and takes its answer after.
    void selectDirectoryReadsThenOverwritesTheBoolean()
    {
        TScriptedUiServices ui;
        TDialogPage page;
        page.V->StringValue = QStringLiteral("/srv/data");
        page.V->BooleanValue = true;
        ui.FileAnswers << QString();
        DoDialogCommand(RunForm, *DialogAction(QStringLiteral("[Select Directory]"), QStringLiteral("V"), true));
        QCOMPARE(ui.Calls.size(), 1);
        QCOMPARE(ui.Calls[0].Flags, 1u);
        QCOMPARE(ui.Calls[0].Text, QString());
        QCOMPARE(ui.Calls[0].Args, QStringList{QStringLiteral("/srv/data")});
        QCOMPARE(page.V->BooleanValue, false);
        QCOMPARE(page.V->StringValue, QStringLiteral("/srv/data"));

        page.V->StringValue.clear();
        ui.FileAnswers << QStringLiteral("/srv/new");
        DoDialogCommand(RunForm, *DialogAction(QStringLiteral("[Select Directory]"), QStringLiteral("V"), true));
        QCOMPARE(ui.Calls.size(), 2);
        QCOMPARE(ui.Calls[1].Flags, 0u);
        QCOMPARE(ui.Calls[1].Args, QStringList{QString()});
        QCOMPARE(page.V->BooleanValue, true);
        QCOMPARE(page.V->StringValue, QStringLiteral("/srv/new"));
    }

    void fontAndColourGoBothWays()
    {
        TScriptedUiServices ui;
        TDialogPage page;
        page.Reset(false);
        ui.FontAnswers << ChosenFont();
        DoDialogCommand(RunForm, *DialogAction(QStringLiteral("[Font Dialog]"), QStringLiteral("V"), false));
        QCOMPARE(ui.Calls.size(), 1);
        QCOMPARE(ui.Calls[0].Text, QStringLiteral("DejaVu Sans"));
        QCOMPARE(ui.Calls[0].Args, (QStringList{QStringLiteral("13"), QString::number(fsBold),
                                                QString::number(0x0000FF)}));
        QVERIFY(page.V->Font() == ChosenFont());
        QCOMPARE(page.V->Font().ToQFont().italic(), true);

        ui.ColorAnswers << TColor(0x00ABCDEF);
        DoDialogCommand(RunForm, *DialogAction(QStringLiteral("[Color Dialog]"), QStringLiteral("V"), false));
        QCOMPARE(ui.Calls.size(), 2);
        QCOMPARE(ui.Calls[1].Text, QString::number(kStartColor));
        QCOMPARE(page.V->ColorValue, TColor(0x00ABCDEF));
    }

    void nothingWithoutAVariableOrAKnownKind_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("variable");
        QTest::newRow("button") << "[Open Dialog]" << "Button";
        QTest::newRow("panel") << "[Color Dialog]" << "Box";
        QTest::newRow("no object") << "[Select Directory]" << "Nowhere";
        QTest::newRow("empty variable name") << "[Font Dialog]" << "";
        QTest::newRow("empty kind") << "" << "V";
        QTest::newRow("unknown kind") << "[Print Dialog]" << "V";
        QTest::newRow("kind in other case") << "[open dialog]" << "V";
    }

    void nothingWithoutAVariableOrAKnownKind()
    {
        QFETCH(QString, kind);
        QFETCH(QString, variable);
        TScriptedUiServices ui;
        TDialogPage page;
        page.Reset(true);
        ui.FileAnswers << QStringLiteral("/tmp/x");
        DoDialogCommand(RunForm, *DialogAction(kind, variable, true));
        QCOMPARE(ui.Calls.size(), 0);
        QCOMPARE(page.V->BooleanValue, true);
        QCOMPARE(page.V->StringValue, kStartFile);
    }
};

QTEST_MAIN(TestDialogCommand)
#include "tst_dialog_command.moc"
