// Writing values of the value language into the objects of a desktop window.
#include "objects/control_tokens.h"
#include "objects/kind_control.h"
#include "platform/ui_services.h"
#include "platform/vcl/controls.h"
#include "runtime/run_form.h"
#include "runtime/value_constants.h"

namespace {

// The tokens every object has; twUnknown for the others.
TTokenWrite WriteCommonToken(TControl &Control, bool HasGeometry, const QString &Token, const TZvValue &Value)
{
    if (IsToken(Token, "[Enabled]"))
        return WriteFlag(Value, [&](bool Enabled) { Control.SetEnabled(Enabled); });
    if (IsToken(Token, "[Visible]"))
        return WriteFlag(Value, [&](bool Visible) { Control.SetVisible(Visible); });
    const int geometry = GeometryToken(Token);
    if (geometry < 0)
        return twUnknown;
    if (!HasGeometry)
        return twWritten; // the token addresses nothing on these kinds
    return WriteNumber(Value, [&](int32_t Number) {
        switch (geometry) {
        case 0: Control.SetLeft(Number); break;
        case 1: Control.SetTop(Number); break;
        case 2: Control.SetWidth(Number); break;
        default: Control.SetHeight(Number); break;
        }
    });
}

} // namespace

void ShowValueTypeMismatch()
{
    UiServices().MessageBox(QStringLiteral("The value types are not matched"), QStringLiteral("Information"),
                            MB_OK | MB_ICONINFORMATION);
}

void TRunForm::SetPropertyValue(PZvObject ZvObject, const QString &ValueName, const TZvValue &Value)
{
    if (!ZvObject)
        return;
    TControl *control = ZvObject->ObjectControl;
    TKindControl *kind = KindOf(control);
    if (!control || !kind)
        return;
    TTokenWrite written = WriteCommonToken(*control, kind->HasGeometryTokens(), ValueName, Value);
    if (written == twUnknown)
        written = kind->WriteToken(ValueName, Value);
    if (written == twMismatch)
        ShowValueTypeMismatch();
}
