#include "objects/standard_button.h"

#include "core/record_io.h"
#include "core/stream_primitives.h"
#include "objects/control_tokens.h"
#include "objects/kind_record.h"

TZvStandardButton::TZvStandardButton(QWidget *parent)
    : TButton(parent)
{
    SetBounds(Left(), Top(), 97, 25);
    Constraints().SetMinWidth(1);
    Constraints().SetMinHeight(1);
    SetShowHint(true);
}

bool TZvStandardButton::SaveToStream(TStream *Stream)
{
    return SaveKindRecord(Stream, otStandardButton, [&](TRecordWriter &w) {
        if (!SaveCaptionAndFont(Stream, *this))
            return false;
        w.Bool(Cancel());
        w.Bool(Default());
        w.Bool(TabStop());
        w.Bool(WordWrap());
        return true;
    });
}

bool TZvStandardButton::LoadFromStream(TStream *Stream)
{
    return LoadKindRecord(Stream, otStandardButton, [&](TRecordReader &r, int32_t) {
        if (!LoadCaptionAndFont(Stream, *this))
            return false;
        SetCancel(r.Bool());
        SetDefault(r.Bool());
        SetTabStop(r.Bool());
        SetWordWrap(r.Bool());
        return true;
    });
}

bool TWebButton::LoadFromStream(TStream *Stream)
{
    return LoadKindRecord(Stream, otStandardButton, [&](TRecordReader &r, int32_t) {
        if (!ReadStreamString(Stream, Caption) || !LoadWebFontFromStream(Stream, &Font))
            return false;
        r.Skip(4); // Cancel, Default, TabStop, WordWrap
        return true;
    });
}

TControl *CreateZvStandardButton()
{
    return new TZvStandardButton;
}

TWebTwin *CreateWebButton()
{
    return new TWebButton;
}

bool TZvStandardButton::ReadToken(const QString &Token, const TZvValue *, TZvValue &Value)
{
    return ReadCaptionedToken(*this, stFont, Token, Value);
}

TTokenWrite TZvStandardButton::WriteToken(const QString &Token, const TZvValue &Value)
{
    return WriteCaptionedToken(*this, stFont, Token, Value);
}

bool TWebButton::ReadToken(const QString &Token, const TZvValue *, TZvValue &Value)
{
    if (Token == QLatin1String("[Caption]")) {
        Value.SetString(Caption);
        return true;
    }
    return ReadWebStyleToken(&Font, nullptr, Token, Value);
}

TTokenWrite TWebButton::WriteToken(const QString &Token, const TZvValue &Value)
{
    if (Token == QLatin1String("[Caption]"))
        return WriteText(Value, [this](const QString &Text) { Caption = Text; });
    return WriteWebStyleToken(&Font, nullptr, Token, Value);
}
