#include "objects/splitter.h"

#include "core/colors.h"
#include "core/globals.h"
#include "core/record_io.h"
#include "objects/kind_record.h"
#include "objects/object_kinds.h"
#include "platform/vcl/canvas.h"

TZvSplitter::TZvSplitter(QWidget *parent)
    : TSplitter(parent)
{
    SetResizeStyle(rsUpdate);
    SetMinSize(1);
    SetWidth(ObjectKindInfo(otSplitter).DefaultWidth);
    Constraints().SetMinWidth(1);
    Constraints().SetMinHeight(1);
    SetShowHint(true);
}

bool TZvSplitter::SaveToStream(TStream *Stream)
{
    return SaveKindRecord(Stream, otSplitter, [&](TRecordWriter &w) {
        w.Bool(AutoSnap());
        w.Bool(Beveled());
        w.Int32(Color());
        w.Int32(MinSize());
        w.Byte(ResizeStyle());
        return true;
    });
}

bool TZvSplitter::LoadFromStream(TStream *Stream)
{
    return LoadKindRecord(Stream, otSplitter, [&](TRecordReader &r, int32_t) {
        SetAutoSnap(r.Bool());
        SetBeveled(r.Bool());
        SetColor(r.Int32());
        SetMinSize(r.Int32());
        SetResizeStyle(TResizeStyle(r.Byte()));
        return true;
    });
}

void TZvSplitter::Paint()
{
    TSplitter::Paint();
    // A splitter has no border of its own: the page being edited shows where it lies.
    if (PageIsEdited())
        DrawDesignFrame(*Canvas(), ClientRect());
}

TControl *CreateZvSplitter()
{
    return new TZvSplitter;
}
