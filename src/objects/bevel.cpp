#include "objects/bevel.h"

#include "core/colors.h"
#include "core/globals.h"
#include "core/record_io.h"
#include "objects/kind_record.h"
#include "objects/object_kinds.h"
#include "platform/vcl/canvas.h"

// ---- TZvBevel ----

TZvBevel::TZvBevel(QWidget *parent)
    : TGraphicControl(parent)
{
    const TObjectKindInfo &info = ObjectKindInfo(otBevel);
    SetBounds(Left(), Top(), info.DefaultWidth, info.DefaultHeight);
    Constraints().SetMinWidth(1);
    Constraints().SetMinHeight(1);
    SetShowHint(true);
}

bool TZvBevel::SaveToStream(TStream *Stream)
{
    return SaveKindRecord(Stream, otBevel, [&](TRecordWriter &w) {
        w.Byte(FStyle);
        w.Byte(FShape);
        w.Int32(FHighlightColor);
        w.Int32(FShadowColor);
        return true;
    });
}

bool TZvBevel::LoadFromStream(TStream *Stream)
{
    return LoadKindRecord(Stream, otBevel, [&](TRecordReader &r, int32_t) {
        FStyle = TBevelStyle(r.Byte());
        FShape = TBevelShape(r.Byte());
        FHighlightColor = r.Int32();
        FShadowColor = r.Int32();
        // The colours changed without their setters.
        Invalidate();
        return true;
    });
}

void TZvBevel::SetStyle(TBevelStyle Style)
{
    if (FStyle == Style)
        return;
    FStyle = Style;
    Invalidate();
}

void TZvBevel::SetShape(TBevelShape Shape)
{
    if (FShape == Shape)
        return;
    FShape = Shape;
    Invalidate();
}

void TZvBevel::Paint()
{
    TCanvas &canvas = *Canvas();
    canvas.Pen.Style = psSolid;
    canvas.Pen.Width = 1;
    canvas.Brush.Style = bsSolid;
    const TColor color1 = FStyle == bsRaised ? FHighlightColor : FShadowColor;
    const TColor color2 = FStyle == bsRaised ? FShadowColor : FHighlightColor;
    const int W = Width();
    const int H = Height();

    // The top and left edges in one colour, the right and bottom edges in the other.
    auto bevelRect = [&](int x1, int y1, int x2, int y2, TColor topLeft, TColor bottomRight) {
        canvas.Pen.Color = topLeft;
        canvas.MoveTo(x1, y2);
        canvas.LineTo(x1, y1);
        canvas.LineTo(x2, y1);
        canvas.Pen.Color = bottomRight;
        canvas.LineTo(x2, y2);
        canvas.LineTo(x1, y2);
    };
    auto bevelLine = [&](TColor color, int x1, int y1, int x2, int y2) {
        canvas.Pen.Color = color;
        canvas.MoveTo(x1, y1);
        canvas.LineTo(x2, y2);
    };

    switch (FShape) {
    case bsBox:
        bevelRect(0, 0, W - 1, H - 1, color1, color2);
        break;
    case bsFrame:
        bevelRect(1, 1, W - 1, H - 1, color2, color2);
        bevelRect(0, 0, W - 2, H - 2, color1, color1);
        break;
    case bsTopLine:
        bevelLine(color1, 0, 0, W, 0);
        bevelLine(color2, 0, 1, W, 1);
        break;
    case bsBottomLine:
        bevelLine(color1, 0, H - 2, W, H - 2);
        bevelLine(color2, 0, H - 1, W, H - 1);
        break;
    case bsLeftLine:
        bevelLine(color1, 0, 0, 0, H);
        bevelLine(color2, 1, 0, 1, H);
        break;
    case bsRightLine:
        bevelLine(color1, W - 2, 0, W - 2, H);
        bevelLine(color2, W - 1, 0, W - 1, H);
        break;
    case bsSpacer:
        // A spacer draws nothing: the page being edited shows where it lies.
        if (PageIsEdited())
            DrawDesignFrame(canvas, ClientRect());
        break;
    default:
        break;
    }
}

// ---- TWebBevel ----

bool TWebBevel::LoadFromStream(TStream *Stream)
{
    // The web rule keeps its own look: the fields are read and dropped.
    return LoadKindRecord(Stream, otBevel, [&](TRecordReader &r, int32_t) {
        r.Skip(1 + 1 + 4 + 4); // Style, Shape, FHighlightColor, FShadowColor
        return true;
    });
}

TControl *CreateZvBevel()
{
    return new TZvBevel;
}

TWebTwin *CreateWebBevel()
{
    return new TWebBevel;
}
