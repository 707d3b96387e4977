#include "runtime/action_interpreter.h"

#include <QPointer>

#include "core/globals.h"
#include "core/object_tree.h"
#include "core/project_paths.h"
#include "core/shell_execute.h"
#include "platform/vcl/controls.h"
#include "platform/vcl/extctrls.h"
#include "runtime/dialog_command.h"
#include "runtime/general_form.h"
#include "runtime/value_commands.h"
#include "runtime/variable_commands.h"

namespace {

constexpr int kDeferMs = 10;

// A file or folder text of an action: one that begins with a backslash lies in the project
// folder, any other is used as written.
QString ResolvedPath(const QString &Text)
{
    if (!IsProjectRelative(Text))
        return Text;
    return JoinProjectPath(GetProjectFolder(false), Text);
}

// The kinds whose control the set-focus command gives the keyboard focus.
bool TakesFocusCommand(TObjectType Kind)
{
    static constexpr TObjectType kKinds[] = {
        otStandardButton, otEdit, otCheckBox, otRadioButton, otListBox, otComboBox, otMemo, otMaskEdit,
        otSpinEdit, otDateTimePicker, otRichText, otDBNavigator, otDBGrid, otDBEdit, otDBMemo, otDBListBox,
        otDBComboBox, otDBRadioGroup, otDBCheckBox, otDBLookupListBox, otDBLookupComboBox, otDBRichText,
        otDBImage, otScrollBar, otTrackBar, otProgressBar, otMonthCalendar, otColorBox,
    };
    for (TObjectType kind : kKinds) {
        if (kind == Kind)
            return true;
    }
    return false;
}

// A copy of a list with its nested lists, so that a list keeps running even when an action
// frees the object or page that holds it (a window closing inside a modal loop).
void CopyActions(const TZvActions &Source, TZvActions &Target)
{
    for (const TZvAction *action : Source.Actions) {
        auto *copy = new TZvAction;
        copy->Command = action->Command;
        copy->Param1 = action->Param1;
        copy->Param2 = action->Param2;
        copy->Param3 = action->Param3;
        copy->Param4 = action->Param4;
        copy->OptionBool = action->OptionBool;
        copy->OptionInt = action->OptionInt;
        CopyActions(action->Actions1, copy->Actions1);
        CopyActions(action->Actions2, copy->Actions2);
        Target.Actions.append(copy);
    }
}

void ArmTimer(TTimer *Timer, int Interval)
{
    if (!Timer)
        return;
    if (Interval > 0)
        Timer->SetInterval(Interval);
    Timer->SetEnabled(true);
}

void OpenNamedForm(const TZvAction &Action, int Kind, TRunForm *Form)
{
    if (DesignerMode)
        return;
    const int index = FindFormIndex(Action.Param1);
    if (index >= 0)
        OpenFormWindow(index, Kind, Action.OptionBool, 0, Form);
}

void PlaySoundCommand(const TZvAction &Action, int Channel)
{
    if (!Action.Param1.isEmpty())
        PlaySoundFile(Channel, ResolvedPath(Action.Param1), Action.OptionBool);
}

} // namespace

bool IsGlobalCommand(int Command)
{
    return Command == ctDatabase || Command == ctExit || Command == ctShowForm || Command == ctShowFormModal
           || (Command >= ctOpenRunFile && Command <= ctStopBackMusic);
}

bool RunGlobalAction(const TZvAction *ZvAction, TRunForm *Form)
{
    if (!ZvAction)
        return false;
    const TZvAction &action = *ZvAction;
    switch (action.Command) {
    // ctDatabase opens and closes project connections, which this build does not have yet.
    case ctExit:
        ExitRequested = true;
        return true;
    case ctShowForm:
        OpenNamedForm(action, 0, Form);
        return true;
    case ctShowFormModal:
        OpenNamedForm(action, 1, Form);
        return true;
    case ctOpenRunFile:
        if (!action.Param1.isEmpty())
            ShellExecuteWithErrors(QStringLiteral("open"), ResolvedPath(action.Param1), action.Param2,
                                   ResolvedPath(action.Param3), action.OptionInt, action.OptionBool);
        return true;
    case ctVisitWebsite:
        if (!action.Param1.isEmpty())
            ShellExecuteWithErrors(QStringLiteral("open"), action.Param1, QString(), QString(), action.OptionInt,
                                   false);
        return true;
    case ctSendEmail:
        if (!action.Param1.isEmpty())
            ShellExecuteWithErrors(QStringLiteral("open"), QStringLiteral("mailto:") + action.Param1, QString(),
                                   QString(), action.OptionInt, false);
        return true;
    case ctPrintDocument:
        if (!action.Param1.isEmpty())
            ShellExecuteWithErrors(QStringLiteral("print"), ResolvedPath(action.Param1), QString(), QString(),
                                   action.OptionInt, false);
        return true;
    case ctBrowse: {
        const QString folder = action.Param1.isEmpty() ? GetProjectFolder(true) : ResolvedPath(action.Param1);
        ShellExecuteWithErrors(QStringLiteral("explore"), folder, QString(), QString(), action.OptionInt, false);
        return true;
    }
    case ctPlaySound:
        PlaySoundCommand(action, 0);
        return true;
    case ctStopSound:
        StopSoundChannel(0);
        return true;
    case ctPlayBackMusic:
        PlaySoundCommand(action, 1);
        return true;
    case ctStopBackMusic:
        StopSoundChannel(1);
        return true;
    default:
        return false;
    }
}

bool TRunForm::DoActions(const TZvActions *Actions)
{
    if (!Actions)
        return false;
    TZvActions list;
    CopyActions(*Actions, list);
    QPointer<TRunForm> self(this);
    for (const TZvAction *action : list.Actions) {
        DoAction(action);
        // A modal window opened by the list runs its own loop, in which this window may
        // have been closed and freed: the rest of the list has nothing left to act on.
        if (!self)
            break;
    }
    return true;
}

bool TRunForm::DoAction(const TZvAction *ZvAction)
{
    if (!ZvAction || ZvAction->Command >= CommandTypeCount)
        return false;
    const TZvAction &action = *ZvAction;

    if (IsGlobalCommand(action.Command)) {
        QPointer<TRunForm> self(this);
        const bool done = RunGlobalAction(ZvAction, this);
        if (!self || !ExitRequested)
            return done;
        if (DesignerMode || IsModal) {
            // An exit asked for in the preview or in a modal window closes that window. In
            // a modal window of a built program the request ends there: left set, it would
            // make the next global command anywhere close the main window.
            ArmTimer(Timer4, kDeferMs);
            if (!DesignerMode)
                ExitRequested = false;
        } else {
            // A non-modal window ends the program by closing the main window.
            ArmTimer(RunForm ? RunForm->Timer4 : Timer4, RunForm ? 0 : kDeferMs);
        }
        return done;
    }

    switch (action.Command) {
    case ctDBGridNextPage:
    case ctDBGridPriorPage:
        // Paging belongs to the web pages' grids; a desktop grid shows every row.
        return true;
    case ctCloseForm:
        ArmTimer(Timer4, kDeferMs);
        return true;
    case ctSetFocus: {
        PZvObject object = GetZvObjectFromName(action.Param1);
        if (!object || !TakesFocusCommand(object->ObjectType))
            return true;
        auto *control = dynamic_cast<TWinControl *>(object->ObjectControl);
        if (control && control->isVisible() && control->isEnabled())
            control->SetFocus();
        return true;
    }
    case ctGoToForm: {
        if (DesignerMode)
            return true;
        const int index = FindFormIndex(action.Param1);
        if (index < 0)
            return true;
        GotoFormKeepSize = action.OptionBool;
        Timer2Tag = index;
        ArmTimer(Timer2, 0);
        return true;
    }
    case ctMessage:
        DoMessageCommand(this, action);
        return true;
    case ctShellExecute:
        DoShellExecuteCommand(this, action);
        return true;
    case ctSetPropertyValue:
        DoSetPropertyValueCommand(this, action);
        return true;
    case ctIfThenElse:
        DoIfThenElseCommand(this, action);
        return true;
    case ctLoop:
        DoLoopCommand(this, action);
        return true;
    case ctDialog:
        DoDialogCommand(this, action);
        return true;
    case ctDoCustomActions:
        DoCustomActionsCommand(this, action);
        return true;
    case ctString:
        DoStringCommand(this, action);
        return true;
    case ctColor:
        DoColorCommand(this, action);
        return true;
    case ctDateTime:
        DoDateTimeCommand(this, action);
        return true;
    case ctArithmetic:
        DoArithmeticCommand(this, action);
        return true;
    // The data set, report, file, media, registry, shell and application commands arrive
    // with their objects.
    default:
        return false;
    }
}
