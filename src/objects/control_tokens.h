// The property tokens most kinds share ("[Caption]", "[Font]", "[BackColor]") and
// the acceptance classes of token writes: text, number (integer or colour), flag, font.
#pragma once

#include <QString>

#include "core/zv_value.h"
#include "platform/graphics/color.h"

class TControl;
class TFont;
struct TWebFont;

enum TStyleToken : unsigned {
    stFont = 1,      // "[Font]": the control's own font
    stBackColor = 2, // "[BackColor]": the control's Color
};

// Reads one of the style Tokens the control offers; False for any other token.
bool ReadStyleToken(const TControl &Control, unsigned Tokens, const QString &Token, TZvValue &Value);
TTokenWrite WriteStyleToken(TControl &Control, unsigned Tokens, const QString &Token, const TZvValue &Value);

// The acceptance classes: each calls Store with the value when its type fits.
template <typename F> TTokenWrite WriteText(const TZvValue &Value, F Store)
{
    if (Value.Id != vtString)
        return twMismatch;
    Store(Value.StringValue);
    return twWritten;
}
template <typename F> TTokenWrite WriteNumber(const TZvValue &Value, F Store)
{
    if (!IsIntegerType(Value.Id))
        return twMismatch;
    Store(Value.IntegerValue);
    return twWritten;
}
template <typename F> TTokenWrite WriteFlag(const TZvValue &Value, F Store)
{
    if (Value.Id != vtBoolean)
        return twMismatch;
    Store(Value.BooleanValue);
    return twWritten;
}
// The font class: the target font becomes a copy of the value's font.
template <typename F> TTokenWrite WriteFont(const TZvValue &Value, F Store)
{
    if (Value.Id != vtFont || !Value.FontValue)
        return twMismatch;
    Store(*Value.FontValue);
    return twWritten;
}

// "[Caption]" of a control class that publishes its caption, then its style Tokens.
template <typename C>
bool ReadCaptionedToken(const C &Control, unsigned Tokens, const QString &Token, TZvValue &Value)
{
    if (Token == QLatin1String("[Caption]")) {
        Value.SetString(Control.Caption());
        return true;
    }
    return ReadStyleToken(Control, Tokens, Token, Value);
}
template <typename C>
TTokenWrite WriteCaptionedToken(C &Control, unsigned Tokens, const QString &Token, const TZvValue &Value)
{
    if (Token == QLatin1String("[Caption]"))
        return WriteText(Value, [&](const QString &Text) { Control.SetCaption(Text); });
    return WriteStyleToken(Control, Tokens, Token, Value);
}

// The style tokens of a web twin: "[Font]" (its web font) and "[BackColor]" (Color), when
// the twin has them (null pointers for the ones it lacks).
bool ReadWebStyleToken(const TWebFont *Font, const TColor *Color, const QString &Token, TZvValue &Value);
TTokenWrite WriteWebStyleToken(TWebFont *Font, TColor *Color, const QString &Token, const TZvValue &Value);
