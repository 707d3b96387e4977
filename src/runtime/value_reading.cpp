// Reading values of the value language on a desktop window.
#include <QRandomGenerator>

#include "core/globals.h"
#include "objects/kind_control.h"
#include "platform/paths.h"
#include "platform/rtl/datetime.h"
#include "platform/rtl/strutils.h"
#include "platform/system_info.h"
#include "platform/vcl/controls.h"
#include "runtime/run_form.h"
#include "runtime/value_constants.h"

namespace {

// The tokens every object has, then the kind's own.
bool ReadObjectToken(PZvObject ZvObject, const QString &Token, const TZvValue *Counterpart, TZvValue &Value)
{
    TControl *control = ZvObject->ObjectControl;
    TKindControl *kind = KindOf(control);
    if (!control || !kind)
        return false;
    if (IsToken(Token, "[Visible]")) {
        Value.SetBoolean(control->Visible());
        return true;
    }
    if (IsToken(Token, "[Enabled]")) {
        Value.SetBoolean(control->Enabled());
        return true;
    }
    if (kind->HasGeometryTokens()) {
        switch (GeometryToken(Token)) {
        case 0: Value.SetInteger(control->Left()); return true;
        case 1: Value.SetInteger(control->Top()); return true;
        case 2: Value.SetInteger(control->Width()); return true;
        case 3: Value.SetInteger(control->Height()); return true;
        default: break;
        }
    }
    return kind->ReadToken(Token, Counterpart, Value);
}

} // namespace

bool ReadGlobalToken(const QString &Token, TZvValue &Value)
{
    if (IsToken(Token, "[DateTime Now]")) {
        Value.SetFloat(Now(), vtDateTime);
    } else if (IsToken(Token, "[Random]")) {
        Value.SetFloat(QRandomGenerator::global()->generateDouble(), vtDateTime);
    } else if (IsToken(Token, "[Application Folder]")) {
        if (!DesignerMode)
            Value.SetString(ExeFolder);
        else
            Value.SetString(ProjectSourceFile.isEmpty() ? QString() : ExtractFileDir(ProjectSourceFile));
    } else if (IsToken(Token, "[Windows Version]") || IsToken(Token, "[Windows Major Version Number]")
               || IsToken(Token, "[Windows Minor Version Number]") || IsToken(Token, "[Windows Build Number]")) {
        QString text;
        int major = 0, minor = 0, build = 0;
        if (!GetWindowsVersion(text, major, minor, build))
            return false;
        if (IsToken(Token, "[Windows Version]"))
            Value.SetString(text);
        else
            Value.SetInteger(IsToken(Token, "[Windows Major Version Number]")   ? major
                             : IsToken(Token, "[Windows Minor Version Number]") ? minor
                                                                           : build);
    } else if (IsToken(Token, "[Is 64-bit Windows]")) {
        Value.SetBoolean(IsWow64Windows());
    } else if (IsToken(Token, "[User Name]")) {
        Value.SetString(GetLoggedOnUserName());
    } else {
        return false;
    }
    return true;
}

TRunForm *TRunForm::NamedForm(const QString &Word) const
{
    if (DesignerMode)
        return nullptr;
    if (IsToken(Word, "[MainForm]"))
        return RunForm;
    if (IsToken(Word, "[ParentForm]"))
        return ParentForm.data();
    return nullptr;
}

bool TRunForm::GetZvObjectValue(const QString &ObjectName, const QString &PropertyName, TZvValue &Value,
                                const QString &OName, const QString &VName)
{
    if (IsToken(ObjectName, "[Global]"))
        return ReadGlobalToken(PropertyName, Value);
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

    PZvObject object = nullptr;
    QString token;
    if (IsFormWord(ObjectName)) {
        TRunForm *form = NamedForm(ObjectName);
        QString path;
        if (!form || PropertyName.isEmpty() || !SplitPathAndToken(PropertyName, path, token))
            return false;
        object = form->GetZvObjectFromName(path);
    } else {
        object = GetZvObjectFromName(ObjectName);
        token = Trim(PropertyName);
    }
    if (!object)
        return false;
    return ReadObjectToken(object, token, hasCounterpart ? &counterpart : nullptr, Value);
}
