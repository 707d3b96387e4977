#include "objects/control_tokens.h"

#include "objects/web_font.h"
#include "platform/graphics/font.h"
#include "platform/vcl/controls.h"

bool ReadStyleToken(const TControl &Control, unsigned Tokens, const QString &Token, TZvValue &Value)
{
    if ((Tokens & stFont) && Token == QLatin1String("[Font]")) {
        Value.Id = vtFont;
        Value.FontValue = &Control.Font();
        return true;
    }
    if ((Tokens & stBackColor) && Token == QLatin1String("[BackColor]")) {
        Value.SetInteger(Control.Color(), vtColor);
        return true;
    }
    return false;
}

TTokenWrite WriteStyleToken(TControl &Control, unsigned Tokens, const QString &Token, const TZvValue &Value)
{
    if ((Tokens & stFont) && Token == QLatin1String("[Font]"))
        return WriteFont(Value, [&](const TFont &Font) { Control.SetFont(Font); });
    if ((Tokens & stBackColor) && Token == QLatin1String("[BackColor]"))
        return WriteNumber(Value, [&](int32_t Color) { Control.SetColor(Color); });
    return twUnknown;
}

bool ReadWebStyleToken(const TWebFont *Font, const TColor *Color, const QString &Token, TZvValue &Value)
{
    if (Font && Token == QLatin1String("[Font]")) {
        Value.Id = vtFont;
        Value.WebFontValue = Font;
        return true;
    }
    if (Color && Token == QLatin1String("[BackColor]")) {
        Value.SetInteger(*Color, vtColor);
        return true;
    }
    return false;
}

TTokenWrite WriteWebStyleToken(TWebFont *Font, TColor *Color, const QString &Token, const TZvValue &Value)
{
    if (Font && Token == QLatin1String("[Font]")) {
        if (Value.Id != vtFont || !Value.WebFontValue)
            return twMismatch;
        *Font = *Value.WebFontValue;
        return twWritten;
    }
    if (Color && Token == QLatin1String("[BackColor]"))
        return WriteNumber(Value, [&](int32_t Number) { *Color = Number; });
    return twUnknown;
}
