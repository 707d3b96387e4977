// The value language on a web page: reading and writing tokens of the page's objects by
// their plain names, and the commands built on it.
#include "core/globals.h"
#include "objects/control_tokens.h"
#include "objects/simple_text.h"
#include "objects/web_twin.h"
#include "platform/rtl/strutils.h"
#include "platform/rtl/sysutils.h"
#include "runtime/value_compare.h"
#include "runtime/value_constants.h"
#include "web/user_session.h"
#include "web/web_actions.h"
#include "web/web_form.h"

namespace {

bool IsDataSet(TObjectType Kind)
{
    return Kind == otDBQuery || Kind == otDBTable;
}

// The record field a geometry token addresses; nullptr for other tokens and for data sets,
// which have no geometry on a page.
int32_t *GeometryField(TZvObject &Object, const QString &Token)
{
    if (IsDataSet(Object.ObjectType))
        return nullptr;
    switch (GeometryToken(Token)) {
    case 0: return &Object.Left;
    case 1: return &Object.Top;
    case 2: return &Object.Width;
    case 3: return &Object.Height;
    default: return nullptr;
    }
}

} // namespace

void ShowTypeError()
{
    throw Exception(QStringLiteral("The value types are not matched."));
}

TWebForm *TWebForm::NamedPage(const QString &Word) const
{
    if (IsToken(Word, "[MainForm]"))
        return Session ? Session->MainForm : nullptr;
    if (IsToken(Word, "[ParentForm]"))
        return ParentForm;
    return nullptr;
}

bool TWebForm::GetZvObjectValue(const QString &ObjectName, const QString &PropertyName, TZvValue &Value,
                                const QString &OName, const QString &VName)
{
    if (IsToken(ObjectName, "[Global]"))
        return (IsToken(PropertyName, "[DateTime Now]") || IsToken(PropertyName, "[Random]"))
               && ReadGlobalToken(PropertyName, Value);
    TZvValue counterpart;
    bool hasCounterpart = false;
    const auto readCounterpart = [&](TZvValue &Counterpart) {
        return !OName.isEmpty() && !VName.isEmpty() && GetZvObjectValue(OName, VName, Counterpart);
    };
    switch (ResolveConstantWords(ObjectName, PropertyName, Value, readCounterpart, counterpart, hasCounterpart)) {
    case crValue: return true;
    case crNoValue: return false;
    case crNotConstant: break;
    }

    TWebForm *page = this;
    QString name = ObjectName;
    QString token;
    if (IsFormWord(ObjectName)) {
        if (DesignerMode || PropertyName.isEmpty())
            return false;
        page = NamedPage(ObjectName);
        if (!page || !SplitPathAndToken(PropertyName, name, token))
            return false;
    } else {
        token = Trim(PropertyName);
    }
    PZvObject object = page->GetZvObjectFromName(name);
    TWebTwin *twin = object ? page->WebControlOf(object) : nullptr;
    if (!twin)
        return false;
    if (IsToken(token, "[Visible]")) {
        Value.SetBoolean(object->Visible);
        return true;
    }
    if (IsToken(token, "[Enabled]")) {
        Value.SetBoolean(object->Enable);
        return true;
    }
    if (const int32_t *field = GeometryField(*object, token)) {
        Value.SetInteger(*field);
        return true;
    }
    return twin->ReadToken(token, hasCounterpart ? &counterpart : nullptr, Value);
}

void TWebForm::SetPropertyValue(PZvObject ZvObject, const QString &ValueName, const TZvValue &Value)
{
    TWebTwin *twin = ZvObject ? WebControlOf(ZvObject) : nullptr;
    if (!twin)
        return;
    TTokenWrite written = twUnknown;
    if (IsToken(ValueName, "[Visible]") || IsToken(ValueName, "[Enabled]")) {
        bool &flag = IsToken(ValueName, "[Visible]") ? ZvObject->Visible : ZvObject->Enable;
        written = WriteFlag(Value, [&](bool Flag) { flag = Flag; });
    } else if (int32_t *field = GeometryField(*ZvObject, ValueName)) {
        written = WriteNumber(Value, [&](int32_t Number) { *field = Number; });
    } else {
        written = twin->WriteToken(ValueName, Value);
    }
    if (written == twMismatch)
        ShowTypeError();
}

void TWebForm::DoSetPropertyValueAction(const TZvAction &Action)
{
    TZvValue value;
    if (!GetZvObjectValue(Action.Param2, Action.Param4, value, Action.Param1, Action.Param3))
        return;
    if (!IsFormWord(Action.Param1)) {
        if (PZvObject object = GetZvObjectFromName(Action.Param1))
            SetPropertyValue(object, Trim(Action.Param3), value);
        return;
    }
    TWebForm *page = NamedPage(Action.Param1);
    QString name;
    QString token;
    if (!page || Action.Param3.isEmpty() || !SplitPathAndToken(Action.Param3, name, token))
        return;
    if (PZvObject object = page->GetZvObjectFromName(name))
        page->SetPropertyValue(object, token, value);
}

void TWebForm::DoIfThenElseValueAction(const TZvAction &Action, bool IsOnShow)
{
    const bool typeLeft = IsToken(Action.Param1, "[Constant]");
    const bool typeRight = IsToken(Action.Param2, "[Constant]");
    TZvValue left;
    TZvValue right;
    if (!GetZvObjectValue(Action.Param1, Action.Param3, left, typeLeft ? Action.Param2 : QString(),
                          typeLeft ? Action.Param4 : QString()))
        return;
    if (!GetZvObjectValue(Action.Param2, Action.Param4, right, typeRight ? Action.Param1 : QString(),
                          typeRight ? Action.Param3 : QString()))
        return;
    switch (CompareValues(left, right, Action.OptionInt)) {
    case cmpHolds: RunActions(this, &Action.Actions1, IsOnShow); break;
    case cmpFails: RunActions(this, &Action.Actions2, IsOnShow); break;
    case cmpNeither: break;
    }
}

void TWebForm::DoMessageAction(const TZvAction &Action)
{
    TZvValue value;
    if (Session && GetZvObjectValue(Action.Param1, Action.Param3, value))
        Session->ShowMessage(ValueText(value));
}

void TWebForm::DoDoCustomActions(const TZvAction &Action)
{
    TWebForm *page = this;
    QString name = Action.Param1;
    if (IsFormWord(Action.Param1)) {
        name = Trim(Action.Param3);
        page = NamedPage(Action.Param1);
        if (name.isEmpty() || !page)
            return;
    }
    PZvObject object = page->GetZvObjectFromName(name);
    if (object && object->ObjectType == otSimpleText)
        RunActions(this, &object->OnMouseUpActions, false);
}
