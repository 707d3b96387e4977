// The web project the web runtime tests serve: four forms of buttons, texts, a memo and a
// bevel, with navigation actions, saved as a project file (or built into a program).
#pragma once

#include <QRect>
#include <QString>
#include <QVector>
#include <functional>

#include "core/globals.h"
#include "core/project_file.h"
#include "core/project_model.h"
#include "objects/memo.h"
#include "objects/simple_text.h"
#include "objects/standard_button.h"
#include "runtime/run_form.h"
#include "support/kind_fixtures.h"

struct TWebFixtureObject
{
    TWebFixtureObject(TObjectType kind, const QString &name, const QString &text, const QRect &rect,
                      TCommandType command = ctDatabase, const QString &param1 = QString(),
                      const QString &param2 = QString(), const QString &param3 = QString(),
                      const QString &param4 = QString())
        : Kind(kind), Name(name), Text(text), Rect(rect), Command(command), Param1(param1), Param2(param2),
          Param3(param3), Param4(param4)
    {
    }

    TObjectType Kind;
    QString Name;
    QString Text;   // caption or memo text
    QRect Rect;
    TCommandType Command = ctDatabase; // the click action; ctDatabase: none
    QString Param1;
    QString Param2;
    QString Param3;
    QString Param4;
    // When set, builds the click list instead of the one action above.
    std::function<void(TZvActions &)> BuildActions;
};

struct TWebFixtureForm
{
    QString Name;
    QString Caption;
    QVector<TWebFixtureObject> Objects;
};

// Captions, hints and the terminate message carry markup and quotes that must come out
// escaped.
inline const QString WebFixtureHostileText = QStringLiteral("<script>alert(\"x\")</script> & 'q'");
inline const QString WebFixtureTerminateMessage = QStringLiteral("Bye <b>now</b> & \"thanks\"");

// Counter := 1, then a loop over Counter whose list raises it again: it never ends by itself.
inline void BuildEndlessLoop(TZvActions &List)
{
    auto *start = new TZvAction;
    start->Command = ctSetPropertyValue;
    start->Param1 = QStringLiteral("Counter");
    start->Param3 = QStringLiteral("[VariableInteger]");
    start->Param2 = QStringLiteral("[Constant Integer]");
    start->Param4 = QStringLiteral("1");
    List.Actions.append(start);
    auto *loop = new TZvAction;
    loop->Command = ctLoop;
    loop->Param1 = QStringLiteral("Counter");
    auto *raise = new TZvAction;
    raise->Command = ctSetPropertyValue;
    raise->Param1 = QStringLiteral("Counter");
    raise->Param3 = QStringLiteral("[VariableInteger]");
    raise->Param2 = QStringLiteral("[Constant Integer + ]");
    raise->Param4 = QStringLiteral("1");
    loop->Actions1.Actions.append(raise);
    List.Actions.append(loop);
}

inline QVector<TWebFixtureForm> WebFixtureForms()
{
    TWebFixtureObject endless(otStandardButton, QStringLiteral("Endless"), QStringLiteral("Endless"),
                              QRect(500, 110, 90, 25));
    endless.BuildActions = BuildEndlessLoop;
    return {
        {QStringLiteral("Form1"),
         QStringLiteral("First page"),
         {
             {otSimpleText, QStringLiteral("Title"), WebFixtureHostileText, QRect(10, 8, 300, 20)},
             {otStandardButton, QStringLiteral("Go2"), QStringLiteral("Second"), QRect(10, 40, 90, 25), ctShowForm,
              QStringLiteral("Form2")},
             {otStandardButton, QStringLiteral("WrongCase"), QStringLiteral("form2"), QRect(110, 40, 90, 25),
              ctShowForm, QStringLiteral("form2")},
             {otStandardButton, QStringLiteral("Broken"), QStringLiteral("Broken"), QRect(210, 40, 90, 25), ctShowForm,
              QStringLiteral("Form4")},
             {otStandardButton, QStringLiteral("Exit"), QStringLiteral("Exit"), QRect(10, 75, 90, 25), ctExit},
             {otStandardButton, QStringLiteral("Close"), QStringLiteral("Close"), QRect(110, 75, 90, 25), ctCloseForm},
             {otStandardButton, QStringLiteral("Focus"), QStringLiteral("Focus"), QRect(210, 75, 90, 25), ctSetFocus,
              QStringLiteral("Memo1")},
             {otStandardButton, QStringLiteral("Visit"), QStringLiteral("Visit"), QRect(310, 75, 90, 25),
              ctVisitWebsite, QStringLiteral("http://127.0.0.1:9/elsewhere")},
             {otStandardButton, QStringLiteral("Idle"), QStringLiteral("Idle"), QRect(410, 75, 90, 25)},
             {otMemo, QStringLiteral("Memo1"), QStringLiteral("first"), QRect(10, 110, 200, 80)},
             {otBevel, QStringLiteral("Rule"), QString(), QRect(10, 200, 400, 2)},
             {otSimpleText, QStringLiteral("Counter"), QStringLiteral("0"), QRect(220, 110, 60, 20)},
             // Copies the memo's text to the label Copied; says a hostile text as a message.
             {otStandardButton, QStringLiteral("Copy"), QStringLiteral("Copy"), QRect(300, 110, 90, 25),
              ctSetPropertyValue, QStringLiteral("Copied"), QStringLiteral("Memo1"), QStringLiteral("[Caption]"),
              QStringLiteral("[Text]")},
             {otSimpleText, QStringLiteral("Copied"), QString(), QRect(300, 140, 200, 20)},
             {otStandardButton, QStringLiteral("Say"), QStringLiteral("Say"), QRect(400, 110, 90, 25), ctMessage,
              QStringLiteral("[Constant String]"), QString(), WebFixtureHostileText},
             endless,
         }},
        {QStringLiteral("Form2"),
         QStringLiteral("Second page"),
         {
             {otStandardButton, QStringLiteral("Go3"), QStringLiteral("Third"), QRect(10, 10, 90, 25), ctShowForm,
              QStringLiteral("Form3")},
             {otStandardButton, QStringLiteral("Back"), QStringLiteral("Back"), QRect(110, 10, 90, 25), ctCloseForm},
             {otMemo, QStringLiteral("Memo2"), QStringLiteral("second"), QRect(10, 50, 200, 80)},
         }},
        {QStringLiteral("Form3"),
         QStringLiteral("Third page"),
         {
             {otStandardButton, QStringLiteral("Home"), QStringLiteral("Home"), QRect(10, 10, 90, 25), ctShowForm,
              QStringLiteral("Form1")},
             {otStandardButton, QStringLiteral("Back2"), QStringLiteral("To second"), QRect(110, 10, 90, 25),
              ctShowForm, QStringLiteral("Form2")},
             {otStandardButton, QStringLiteral("Self"), QStringLiteral("Self"), QRect(210, 10, 90, 25), ctShowForm,
              QStringLiteral("Form3")},
         }},
        // A panel has no web control: this page cannot be built.
        {QStringLiteral("Form4"),
         QStringLiteral("Broken page"),
         {
             {otStandardButton, QStringLiteral("Before"), QStringLiteral("Before"), QRect(10, 10, 90, 25)},
             {otPanel, QStringLiteral("Panel1"), QString(), QRect(10, 50, 100, 100)},
         }},
    };
}

// Resets the project to a web project of these forms and saves it to File; the form bodies
// then live in the file. Needs RunForm.
inline bool SaveWebProject(const QString &File, const QVector<TWebFixtureForm> &forms)
{
    ResetProject(true, atWebStandAlone);
    RunProject.AppTitle = QStringLiteral("Web fixture");
    RunProject.TerminateMessage = WebFixtureTerminateMessage;
    for (int f = 0; f < forms.size(); ++f) {
        if (f > 0)
            RunProject.Forms.push_back(std::make_unique<TFormData>());
        TFormData *formData = RunProject.Forms[size_t(f)].get();
        formData->FormName = forms[f].Name;
        RunForm->InitForm(forms[f].Caption);
        for (const TWebFixtureObject &item : forms[f].Objects) {
            TZvObject *object = AddKindObject(RunForm->PanelObject, item.Kind, item.Name, item.Rect.left(),
                                              item.Rect.top(), RunForm);
            if (!object)
                return false;
            object->ObjectControl->SetBounds(item.Rect.left(), item.Rect.top(), item.Rect.width(),
                                             item.Rect.height());
            if (item.Name == QLatin1String("Go2"))
                object->Hint = WebFixtureHostileText;
            if (auto *button = dynamic_cast<TZvStandardButton *>(object->ObjectControl))
                button->SetCaption(item.Text);
            if (auto *text = dynamic_cast<TZvSimpleText *>(object->ObjectControl))
                text->SetCaption(item.Text);
            if (auto *memo = dynamic_cast<TZvMemo *>(object->ObjectControl))
                memo->SetLines(item.Text);
            if (item.BuildActions) {
                item.BuildActions(object->OnClickActions);
            } else if (item.Command != ctDatabase) {
                auto *action = new TZvAction;
                action->Command = item.Command;
                action->Param1 = item.Param1;
                action->Param2 = item.Param2;
                action->Param3 = item.Param3;
                action->Param4 = item.Param4;
                object->OnClickActions.Actions.append(action);
            }
        }
        if (!RunForm->SaveFormData(formData))
            return false;
        formData->WebFormCaption = forms[f].Caption;
    }
    if (!SaveProjectFileSafely(File, QString()))
        return false;
    ProjectSourceFile = File;
    return true;
}

// The fixture's web project, saved to File.
inline bool SaveWebFixtureProject(const QString &File)
{
    return SaveWebProject(File, WebFixtureForms());
}
