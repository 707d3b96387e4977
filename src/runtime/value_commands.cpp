#include "runtime/value_commands.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPointer>

#include "core/globals.h"
#include "objects/simple_text.h"
#include "platform/rtl/strutils.h"
#include "platform/ui_services.h"
#include "runtime/run_form.h"
#include "runtime/value_compare.h"
#include "runtime/value_constants.h"
#include "runtime/variable_commands.h"

namespace {

constexpr int kLoopServeMs = 40;

// The object named by Param1, or by the path in Param3 on the window "[MainForm]" or
// "[ParentForm]" names, with the token the path carries when WithToken is set.
PZvObject NamedObject(TRunForm *Form, const TZvAction &Action, bool WithToken, QString &Token)
{
    if (!IsFormWord(Action.Param1)) {
        Token = Trim(Action.Param3);
        return Form->GetZvObjectFromName(Action.Param1);
    }
    TRunForm *other = Form->NamedForm(Action.Param1);
    if (!other || Action.Param3.isEmpty())
        return nullptr;
    QString path = Trim(Action.Param3);
    if (WithToken && !SplitPathAndToken(Action.Param3, path, Token))
        return nullptr;
    return path.isEmpty() ? nullptr : other->GetZvObjectFromName(path);
}

// The message box style of a message action's OptionInt.
unsigned MessageFlags(int OptionInt)
{
    switch (OptionInt) {
    case 0: return MB_OK | MB_ICONWARNING;
    case 1: return MB_OK | MB_ICONINFORMATION;
    case 2: return MB_OK | MB_ICONERROR;
    case 3: return MB_YESNO | MB_ICONQUESTION;
    case 4: return MB_YESNOCANCEL | MB_ICONQUESTION;
    default: return MB_OK;
    }
}

} // namespace

void DoSetPropertyValueCommand(TRunForm *Form, const TZvAction &Action)
{
    TZvValue value;
    if (!Form->GetZvObjectValue(Action.Param2, Action.Param4, value, Action.Param1, Action.Param3))
        return;
    QString token;
    PZvObject target = NamedObject(Form, Action, true, token);
    if (target)
        Form->SetPropertyValue(target, token, value);
}

void DoIfThenElseCommand(TRunForm *Form, const TZvAction &Action)
{
    const bool typeTarget = Action.Param1 == QLatin1String("[Constant]");
    const bool typeSource = Action.Param2 == QLatin1String("[Constant]");
    TZvValue target;
    TZvValue source;
    if (!Form->GetZvObjectValue(Action.Param1, Action.Param3, target, typeTarget ? Action.Param2 : QString(),
                                typeTarget ? Action.Param4 : QString()))
        return;
    if (!Form->GetZvObjectValue(Action.Param2, Action.Param4, source, typeSource ? Action.Param1 : QString(),
                                typeSource ? Action.Param3 : QString()))
        return;
    switch (CompareValues(target, source, Action.OptionInt)) {
    case cmpHolds: Form->DoActions(&Action.Actions1); break;
    case cmpFails: Form->DoActions(&Action.Actions2); break;
    case cmpNeither: break;
    }
}

void DoLoopCommand(TRunForm *Form, const TZvAction &Action)
{
    if (Action.Actions1.Actions.isEmpty())
        return;
    QPointer<TZvSimpleText> counter(VariableObjectOf(Form, Action.Param1));
    if (!counter)
        return;
    QPointer<TRunForm> form(Form);
    QElapsedTimer served;
    served.start();
    while (counter && counter->IntegerValue > 0) {
        form->DoActions(&Action.Actions1);
        if (!form || !counter)
            return;
        counter->IntegerValue -= 1;
        if (served.elapsed() >= kLoopServeMs) {
            QCoreApplication::processEvents(QEventLoop::AllEvents);
            served.restart();
            if (!form || form->Closed || form->CloseEvented || ExitRequested)
                return;
        }
    }
}

void DoCustomActionsCommand(TRunForm *Form, const TZvAction &Action)
{
    QString token;
    PZvObject object = NamedObject(Form, Action, false, token);
    if (object && object->ObjectType == otSimpleText)
        Form->DoActions(&object->OnMouseUpActions);
}

void DoMessageCommand(TRunForm *Form, const TZvAction &Action)
{
    TZvValue value;
    if (!Form->GetZvObjectValue(Action.Param1, Action.Param3, value))
        return;
    const QString text = ValueText(value);
    if (PageIsEdited())
        return;
    if (!DesignerMode && RunProject.ApplicationType != atNormal)
        return;
    const int answer = UiServices().MessageBox(text, RunProject.AppTitle, MessageFlags(Action.OptionInt));
    if (Action.OptionInt != 3 && Action.OptionInt != 4)
        return;
    if (answer == IDYES)
        Form->DoActions(&Action.Actions1);
    else if (answer == IDNO)
        Form->DoActions(&Action.Actions2);
}

void DoShellExecuteCommand(TRunForm *Form, const TZvAction &Action)
{
    if (PageIsEdited())
        return;
    TZvValue value;
    if (!Form->GetZvObjectValue(Action.Param1, Action.Param3, value))
        return;
    QString parameters = Action.Param2;
    if (TZvSimpleText *variable = VariableObjectOf(Form, Action.Param2))
        parameters = variable->StringValue;
    UiServices().ShellExecute(Action.Param4, ValueText(value), parameters, QString(), Action.OptionInt);
}
