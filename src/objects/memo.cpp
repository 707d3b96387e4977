#include "objects/memo.h"

#include "core/record_io.h"
#include "core/stream_primitives.h"
#include "objects/control_tokens.h"
#include "objects/kind_record.h"
#include "platform/vcl/cursors.h"

TZvMemo::TZvMemo(QWidget *parent)
    : TMemo(parent)
{
    SetBounds(Left(), Top(), 193, 193);
    Constraints().SetMinWidth(1);
    Constraints().SetMinHeight(1);
    SetCursor(crArrow);
    SetScrollBars(ssVertical);
    SetWordWrap(true);
    SetShowHint(true);
}

bool TZvMemo::SaveToStream(TStream *Stream)
{
    return SaveKindRecord(Stream, otMemo, [&](TRecordWriter &w) {
        w.Bool(ReadOnly());
        if (!WriteStreamString(Stream, Lines()) || !SaveFontToStream(Stream, &Font()))
            return false;
        w.Byte(Alignment());
        w.Bool(WordWrap());
        w.Byte(ScrollBars());
        w.Int32(Color());
        w.Byte(BorderStyle());
        w.Bool(TabStop());
        return true;
    });
}

bool TZvMemo::LoadFromStream(TStream *Stream)
{
    return LoadKindRecord(Stream, otMemo, [&](TRecordReader &r, int32_t) {
        SetReadOnly(r.Bool());
        QString lines;
        if (!ReadStreamString(Stream, lines))
            return false;
        SetLines(lines);
        if (!LoadControlFont(Stream, *this))
            return false;
        SetAlignment(TAlignment(r.Byte()));
        SetWordWrap(r.Bool());
        SetScrollBars(TScrollStyle(r.Byte()));
        SetColor(r.Int32());
        SetBorderStyle(TBorderStyle(r.Byte()));
        SetTabStop(r.Bool());
        return true;
    });
}

bool TWebMemo::LoadFromStream(TStream *Stream)
{
    return LoadKindRecord(Stream, otMemo, [&](TRecordReader &r, int32_t) {
        r.Byte(); // ReadOnly
        QString lines;
        if (!ReadStreamString(Stream, lines))
            return false;
        Lines.SetText(lines);
        if (!LoadWebFontFromStream(Stream, &Font))
            return false;
        r.Skip(2); // Alignment, WordWrap
        switch (r.Byte()) {
        case ssNone:
            HorizontalScrollBar = false;
            VerticalScrollBar = false;
            break;
        case ssHorizontal:
            HorizontalScrollBar = true;
            VerticalScrollBar = false;
            break;
        case ssVertical:
            HorizontalScrollBar = false;
            VerticalScrollBar = true;
            break;
        case ssBoth:
            HorizontalScrollBar = true;
            VerticalScrollBar = true;
            break;
        default: // a style the page does not know changes neither bar
            break;
        }
        Color = r.Int32();
        BorderVisible = r.Byte() != bsNone;
        r.Byte(); // TabStop
        return true;
    });
}

TControl *CreateZvMemo()
{
    return new TZvMemo;
}

TWebTwin *CreateWebMemo()
{
    return new TWebMemo;
}

bool TZvMemo::ReadToken(const QString &Token, const TZvValue *, TZvValue &Value)
{
    if (Token == QLatin1String("[Text]"))
        Value.SetString(Text());
    else if (Token == QLatin1String("[LineCount]"))
        Value.SetInteger(LineCount());
    else if (Token == QLatin1String("[Add Line]"))
        Value.SetString(QString());
    else
        return ReadStyleToken(*this, stFont | stBackColor, Token, Value);
    return true;
}

TTokenWrite TZvMemo::WriteToken(const QString &Token, const TZvValue &Value)
{
    if (Token == QLatin1String("[Text]"))
        return WriteText(Value, [this](const QString &Text) { SetText(Text); });
    if (Token == QLatin1String("[Add Line]"))
        return WriteText(Value, [this](const QString &Line) { AddLine(Line); });
    return WriteStyleToken(*this, stFont | stBackColor, Token, Value);
}

bool TWebMemo::ReadToken(const QString &Token, const TZvValue *, TZvValue &Value)
{
    if (Token == QLatin1String("[Text]"))
        Value.SetString(Lines.Text());
    else if (Token == QLatin1String("[Add Line]"))
        Value.SetString(QString());
    else if (Token == QLatin1String("[LineCount]"))
        Value.SetInteger(Lines.Count());
    else
        return ReadWebStyleToken(&Font, &Color, Token, Value);
    return true;
}

TTokenWrite TWebMemo::WriteToken(const QString &Token, const TZvValue &Value)
{
    // "[Add Line]" and "[LineCount]" read only on a web page.
    if (Token == QLatin1String("[Text]"))
        return WriteText(Value, [this](const QString &Text) { Lines.SetText(Text); });
    return WriteWebStyleToken(&Font, &Color, Token, Value);
}
