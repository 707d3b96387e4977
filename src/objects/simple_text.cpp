#include "objects/simple_text.h"

#include "core/colors.h"
#include "core/globals.h"
#include "core/project_model.h"
#include "core/record_io.h"
#include "core/stream_primitives.h"
#include "objects/control_tokens.h"
#include "objects/kind_record.h"
#include "objects/variable_values.h"
#include "platform/vcl/canvas.h"

namespace {

bool WriteValues(TRecordWriter &w, const TSimpleTextValues &values)
{
    if (!WriteStreamString(&w.Stream(), values.StringValue))
        return false;
    w.Int32(values.IntegerValue);
    w.Double(values.FloatValue);
    w.Double(values.DateTimeValue);
    w.Bool(values.BooleanValue);
    w.Int32(values.ColorValue);
    return true;
}

bool ReadValues(TRecordReader &r, TSimpleTextValues &target)
{
    if (!ReadStreamString(&r.Stream(), target.StringValue))
        return false;
    target.IntegerValue = r.Int32();
    target.FloatValue = r.Double();
    target.DateTimeValue = r.Double();
    target.BooleanValue = r.Bool();
    target.ColorValue = r.Int32();
    return true;
}

} // namespace

bool SaveLabelFields(TStream *Stream, const TLabel &Label)
{
    if (!SaveCaptionAndFont(Stream, Label))
        return false;
    TRecordWriter w(*Stream);
    w.Byte(Label.Alignment());
    w.Byte(Label.Layout());
    w.Int32(Label.Color());
    w.Bool(Label.Transparent());
    return true;
}

bool LoadLabelFields(TStream *Stream, TLabel &Label)
{
    if (!LoadCaptionAndFont(Stream, Label))
        return false;
    TRecordReader r(*Stream);
    Label.SetAlignment(TAlignment(r.Byte()));
    Label.SetLayout(TTextLayout(r.Byte()));
    Label.SetColor(r.Int32());
    Label.SetTransparent(r.Bool());
    return true;
}

TSimpleTextValues::TSimpleTextValues()
    : DateTimeValue(Now())
{
}

// ---- TZvSimpleText ----

TZvSimpleText::TZvSimpleText(QWidget *parent)
    : TLabel(parent)
{
    SetAutoSize(false);
    SetBounds(Left(), Top(), 97, 17);
    Constraints().SetMinWidth(1);
    Constraints().SetMinHeight(1);
    SetShowAccelChar(false);
    SetWordWrap(true);
    SetTransparent(true);
    SetShowHint(true);
}

bool TZvSimpleText::SaveToStream(TStream *Stream)
{
    return SaveKindRecord(Stream, otSimpleText, [&](TRecordWriter &w) {
        return SaveLabelFields(Stream, *this) && WriteValues(w, *this);
    });
}

bool TZvSimpleText::LoadFromStream(TStream *Stream)
{
    return LoadKindRecord(Stream, otSimpleText, [&](TRecordReader &r, int32_t) {
        return LoadLabelFields(Stream, *this) && ReadValues(r, *this);
    });
}

TZvActions *TZvSimpleText::CustomActions() const
{
    return ZvObject ? &ZvObject->OnMouseUpActions : nullptr;
}

void TZvSimpleText::Paint()
{
    TLabel::Paint();
    // A label has no border of its own: the page being edited shows where it lies.
    if (PageIsEdited())
        DrawDesignFrame(*Canvas(), ClientRect());
}

// ---- TWebLabel ----

bool TWebLabel::LoadFromStream(TStream *Stream)
{
    const bool ok = LoadKindRecord(Stream, otSimpleText, [&](TRecordReader &r, int32_t) {
        if (!ReadStreamString(Stream, Caption) || !LoadWebFontFromStream(Stream, &Font))
            return false;
        Alignment = TAlignment(r.Byte());
        r.Byte(); // Layout
        const TColor color = r.Int32();
        const bool transparent = r.Bool();
        if (!ReadValues(r, *this))
            return false;
        Color = transparent ? clNone : color;
        return true;
    });
    if (ok)
        AutoSize = false;
    return ok;
}

TControl *CreateZvSimpleText()
{
    return new TZvSimpleText;
}

TWebTwin *CreateWebLabel()
{
    return new TWebLabel;
}

bool TZvSimpleText::ReadToken(const QString &Token, const TZvValue *Counterpart, TZvValue &Value)
{
    return ReadCaptionedToken(*this, stFont | stBackColor, Token, Value)
           || ReadVariableToken(*this, Token, Counterpart, Value);
}

TTokenWrite TZvSimpleText::WriteToken(const QString &Token, const TZvValue &Value)
{
    const TTokenWrite written = WriteCaptionedToken(*this, stFont | stBackColor, Token, Value);
    return written != twUnknown ? written : WriteVariableToken(*this, Token, Value);
}

bool TWebLabel::ReadToken(const QString &Token, const TZvValue *Counterpart, TZvValue &Value)
{
    if (Token == QLatin1String("[Caption]")) {
        Value.SetString(Caption);
        return true;
    }
    return ReadWebStyleToken(&Font, &Color, Token, Value) || ReadVariableToken(*this, Token, Counterpart, Value);
}

TTokenWrite TWebLabel::WriteToken(const QString &Token, const TZvValue &Value)
{
    if (Token == QLatin1String("[Caption]"))
        return WriteText(Value, [this](const QString &Text) { Caption = Text; });
    const TTokenWrite written = WriteWebStyleToken(&Font, &Color, Token, Value);
    return written != twUnknown ? written : WriteVariableToken(*this, Token, Value);
}
