#include "objects/scroll_box.h"

#include "core/globals.h"
#include "core/record_io.h"
#include "core/stream_primitives.h"
#include "objects/control_tokens.h"
#include "objects/kind_record.h"
#include "objects/object_kinds.h"

TZvScrollBox::TZvScrollBox(QWidget *parent)
    : TScrollBox(parent)
{
    const TObjectKindInfo &info = ObjectKindInfo(otScrollBox);
    SetBounds(Left(), Top(), info.DefaultWidth, info.DefaultHeight);
    Constraints().SetMinWidth(1);
    Constraints().SetMinHeight(1);
    for (TControlScrollBar *bar : {&HorzScrollBar(), &VertScrollBar()}) {
        bar->SetSmooth(true);
        bar->SetTracking(true);
    }
    SetAutoScroll(!PageIsEdited());
    SetShowHint(true);
}

bool TZvScrollBox::SaveToStream(TStream *Stream)
{
    return SaveKindRecord(Stream, otScrollBox, [&](TRecordWriter &w) {
        w.Int32(Color());
        w.Byte(BorderStyle());
        return SaveFontToStream(Stream, &Font());
    });
}

bool TZvScrollBox::LoadFromStream(TStream *Stream)
{
    return LoadKindRecord(Stream, otScrollBox, [&](TRecordReader &r, int32_t) {
        SetColor(r.Int32());
        SetBorderStyle(TBorderStyle(r.Byte()));
        return LoadControlFont(Stream, *this);
    });
}

TControl *CreateZvScrollBox()
{
    return new TZvScrollBox;
}

bool TZvScrollBox::ReadToken(const QString &Token, const TZvValue *, TZvValue &Value)
{
    return ReadStyleToken(*this, stFont | stBackColor, Token, Value);
}

TTokenWrite TZvScrollBox::WriteToken(const QString &Token, const TZvValue &Value)
{
    return WriteStyleToken(*this, stFont | stBackColor, Token, Value);
}
