#include "web/web_actions.h"

#include "core/project_model.h"
#include "objects/simple_text.h"
#include "runtime/variable_commands.h"
#include "web/user_session.h"
#include "web/web_form.h"

namespace {

// Kinds whose web control can take the focus.
bool CanTakeFocus(TObjectType kind)
{
    switch (kind) {
    case otStandardButton:
    case otEdit:
    case otCheckBox:
    case otRadioButton:
    case otListBox:
    case otComboBox:
    case otMemo:
    case otDBNavigator:
    case otDBGrid:
    case otDBEdit:
    case otDBMemo:
    case otDBListBox:
    case otDBComboBox:
    case otDBRadioGroup:
    case otDBCheckBox:
    case otDBLookupListBox:
    case otDBLookupComboBox:
    case otDBImage:
        return true;
    default:
        return false;
    }
}

// The simple text of the page named Name; nil when there is none or it is another kind.
TWebLabel *SimpleTextNamed(TWebForm *page, const QString &name)
{
    PZvObject object = page->GetZvObjectFromName(name);
    if (!object || object->ObjectType != otSimpleText)
        return nullptr;
    return dynamic_cast<TWebLabel *>(page->WebControlOf(object));
}

// Whether the page's session ends or was terminated: a loop whose list never lowers its
// counter stops then, so that it cannot hold the session's thread for ever.
bool SessionOver(const TWebForm *page)
{
    return page->Session && (page->Session->Ending() || page->Session->Terminated());
}

// Index of the first project form named exactly Name; -1 when none.
int FormIndexOf(const QString &name)
{
    for (size_t i = 0; i < RunProject.Forms.size(); ++i) {
        if (RunProject.Forms[i]->FormName == name)
            return int(i);
    }
    return -1;
}

} // namespace

bool RunActions(TWebForm *Page, const TZvActions *Actions, bool IsOnShow)
{
    if (!Actions)
        return false;
    // A copy of the list: an action may not free it, but the page must not see it change.
    const QList<PZvAction> actions = Actions->Actions;
    for (const TZvAction *action : actions)
        RunAction(Page, action, IsOnShow);
    return true;
}

void RunAction(TWebForm *Page, const TZvAction *Action, bool IsOnShow)
{
    if (!Page || !Action)
        return;
    switch (Action->Command) {
    case ctCloseForm:
        Page->GoBack();
        break;
    case ctExit:
        Page->WebAppExit();
        break;
    case ctShowForm:
    case ctShowFormModal:
        if (!IsOnShow)
            Page->ShowSubForm(FormIndexOf(Action->Param1));
        break;
    case ctLoop:
        if (!Action->Actions1.Actions.isEmpty()) {
            if (TWebLabel *counter = SimpleTextNamed(Page, Action->Param1)) {
                while (counter->IntegerValue > 0 && !SessionOver(Page)) {
                    RunActions(Page, &Action->Actions1, IsOnShow);
                    counter->IntegerValue -= 1;
                }
            }
        }
        break;
    case ctSetFocus:
        if (!Action->Param1.isEmpty()) {
            PZvObject object = Page->GetZvObjectFromName(Action->Param1);
            if (object && CanTakeFocus(object->ObjectType) && Page->WebControlOf(object))
                Page->FocusedIndex = Page->WebObjects->Objects.indexOf(object);
        }
        break;
    case ctVisitWebsite:
        if (!Action->Param1.isEmpty())
            Page->Session->GotoURL(Action->Param1);
        break;

    case ctMessage:
        if (!IsOnShow)
            Page->DoMessageAction(*Action);
        break;
    case ctSetPropertyValue:
        Page->DoSetPropertyValueAction(*Action);
        break;
    case ctIfThenElse:
        Page->DoIfThenElseValueAction(*Action, IsOnShow);
        break;
    case ctDoCustomActions:
        Page->DoDoCustomActions(*Action);
        break;
    case ctString:
        DoStringOperation(SimpleTextNamed(Page, Action->Param1), SimpleTextNamed(Page, Action->Param2),
                          SimpleTextNamed(Page, Action->Param3), Action->OptionInt);
        break;
    case ctColor:
        DoColorOperation(SimpleTextNamed(Page, Action->Param1), Action->OptionInt);
        break;
    case ctDateTime:
        DoDateTimeOperation(SimpleTextNamed(Page, Action->Param1), Action->OptionInt);
        break;
    case ctArithmetic:
        DoArithmeticOperation(SimpleTextNamed(Page, Action->Param1), SimpleTextNamed(Page, Action->Param2),
                              SimpleTextNamed(Page, Action->Param3), Action->OptionInt);
        break;

    // The data-set, locate and grid commands take their cases here with the data sets.

    default:
        // Every other command does nothing on the web.
        break;
    }
}
