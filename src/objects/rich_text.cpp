#include "objects/rich_text.h"

#include "core/record_io.h"
#include "core/stream_primitives.h"
#include "objects/control_tokens.h"
#include "objects/kind_record.h"
#include "platform/db/field.h"
#include "platform/vcl/cursors.h"

TZvRichText::TZvRichText(QWidget *parent)
    : TRichEdit(parent)
{
    SetBounds(Left(), Top(), 193, 193);
    Constraints().SetMinWidth(1);
    Constraints().SetMinHeight(1);
    SetCursor(crArrow);
    SetReadOnly(true);
    SetTabStop(false);
    SetScrollBars(ssVertical);
    SetPlainText(false);
    SetShowHint(true);
}

bool TZvRichText::SaveToStream(TStream *Stream)
{
    return SaveKindRecord(Stream, otRichText, [&](TRecordWriter &w) {
        const QByteArray content = SaveLines();
        w.Int32(int32_t(content.size()));
        w.Bytes(content);
        if (!SaveFontToStream(Stream, &Font()))
            return false;
        w.Byte(Alignment());
        w.Bool(WordWrap());
        w.Bool(PlainText());
        w.Byte(ScrollBars());
        w.Int32(Color());
        w.Byte(BorderStyle());
        w.Bool(TabStop());
        return true;
    });
}

bool TZvRichText::LoadFromStream(TStream *Stream)
{
    return LoadKindRecord(Stream, otRichText, [&](TRecordReader &r, int32_t) {
        // The content goes in as RTF: PlainText is still off here. Damaged RTF shows what
        // could be read and keeps its bytes, as the control's own loading does.
        const int32_t length = r.Count(1);
        LoadLines(r.Bytes(length));
        if (!LoadControlFont(Stream, *this))
            return false;
        SetAlignment(TAlignment(r.Byte()));
        SetWordWrap(r.Bool());
        SetPlainText(r.Bool());
        SetScrollBars(TScrollStyle(r.Byte()));
        SetColor(r.Int32());
        SetBorderStyle(TBorderStyle(r.Byte()));
        SetTabStop(r.Bool());
        return true;
    });
}

TControl *CreateZvRichText()
{
    return new TZvRichText;
}

bool TZvRichText::ReadToken(const QString &Token, const TZvValue *, TZvValue &Value)
{
    if (Token != QLatin1String("[RichText]"))
        return false;
    Value.Id = vtRichText;
    Value.RichText = this;
    return true;
}

TTokenWrite TZvRichText::WriteToken(const QString &Token, const TZvValue &Value)
{
    if (Token != QLatin1String("[RichText]"))
        return twUnknown;
    if (Value.Id == vtField && Value.FieldValue) {
        // A blob's bytes load as rich text; a field of another type changes nothing.
        if (Value.FieldValue->IsBlob()) {
            SetText(QString());
            const QByteArray bytes = Value.FieldValue->AsBytes();
            if (!bytes.isEmpty())
                LoadLines(bytes);
        }
        return twWritten;
    }
    // Report and database rich texts join with their kinds.
    if (Value.Id != vtRichText || !Value.RichText)
        return twMismatch;
    LoadLines(Value.RichText->SaveLines());
    return twWritten;
}
