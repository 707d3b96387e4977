// A project built in a test through the storage API: pages are laid out in a designer-mode
// host window and stored as the project's forms; Play() then opens the first form in a
// runtime main window, as a built program does.
#pragma once

#include <QApplication>
#include <QPushButton>
#include <QTextEdit>
#include <QtTest>

#include "core/globals.h"
#include "core/object_tree.h"
#include "core/project_model.h"
#include "objects/standard_button.h"
#include "platform/vcl/controls.h"
#include "platform/vcl/extctrls.h"
#include "runtime/object_control_creation.h"
#include "runtime/run_form.h"

inline TZvAction *AddAction(TZvActions &List, TCommandType Command, const QString &Param1 = QString(),
                            bool OptionBool = false, int OptionInt = 0)
{
    auto *action = new TZvAction;
    action->Command = Command;
    action->Param1 = Param1;
    action->OptionBool = OptionBool;
    action->OptionInt = OptionInt;
    List.Actions.append(action);
    return action;
}

class TRunProjectFixture
{
public:
    TRunProjectFixture()
    {
        DesignerMode = true;
        DesignerPreview = false;
        ExitRequested = false;
        RunForm = new TRunForm;
        ResetProject(true, atNormal);
        m_page = 0;
        RunForm->InitForm(QStringLiteral("Form1"));
    }

    ~TRunProjectFixture()
    {
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            if (auto *form = qobject_cast<TRunForm *>(widget); form && form != RunForm)
                delete form;
        }
        ResetProject(false, atNormal);
        delete RunForm;
        RunForm = nullptr;
        DesignerMode = false;
        ExitRequested = false;
    }

    // The page being laid out.
    PZvObject Page() const { return RunForm->PanelObject; }

    PZvObject AddObject(PZvObject Parent, TObjectType Kind, const QString &Name, int Left = 10, int Top = 10)
    {
        PZvObject object = NewZvObject();
        object->ObjectType = Kind;
        object->ObjectName = Name;
        object->Left = Left;
        object->Top = Top;
        if (!CreateObjectControl(object, dynamic_cast<TWinControl *>(Parent->ObjectControl), RunForm, nullptr)) {
            FreeZvObject(object);
            return nullptr;
        }
        object->Width = object->ObjectControl->Width();
        object->Height = object->ObjectControl->Height();
        Parent->Objects.append(object);
        return object;
    }

    PZvObject AddButton(const QString &Name, int Left = 10, int Top = 10)
    {
        return AddObject(Page(), otStandardButton, Name, Left, Top);
    }

    // Stores the page laid out so far as the current form and starts the next form's page.
    void NextForm(const QString &Name)
    {
        Store();
        auto form = std::make_unique<TFormData>();
        form->FormName = Name;
        RunProject.Forms.push_back(std::move(form));
        ++m_page;
        RunForm->InitForm(Name);
    }

    // Stores the last page, then opens the first form in a runtime main window.
    void Play()
    {
        Store();
        delete RunForm;
        DesignerMode = false;
        RunForm = new TRunForm;
        QVERIFY(LoadFormData(RunProject.Forms[0].get(), RunForm, false));
        RunForm->FormIndex = 0;
        RunForm->show();
        QVERIFY(QTest::qWaitForWindowExposed(RunForm));
    }

    static TControl *ControlOf(TRunForm *Form, const QString &Name)
    {
        PZvObject object = Form ? Form->GetZvObjectFromName(Name) : nullptr;
        return object ? object->ObjectControl : nullptr;
    }

    // Clicks a button of a window as the user does.
    static void Click(TRunForm *Form, const QString &Name)
    {
        auto *button = dynamic_cast<TButton *>(ControlOf(Form, Name));
        QVERIFY2(button, qPrintable(Name));
        QTest::mouseClick(button->Button(), Qt::LeftButton);
    }

    // The visible runtime windows other than the main window.
    static QList<TRunForm *> OtherWindows()
    {
        QList<TRunForm *> result;
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            if (auto *form = qobject_cast<TRunForm *>(widget); form && form != RunForm && form->isVisible())
                result << form;
        }
        return result;
    }

private:
    void Store() { QVERIFY(RunForm->SaveFormData(RunProject.Forms[size_t(m_page)].get())); }

    int m_page = 0;
};
