// The splitter kind: a bar along an edge of its container that resizes the control it is
// aligned against while it is dragged. While the page is edited a dotted frame shows it.
#pragma once

#include "objects/kind_control.h"
#include "platform/vcl/extctrls.h"

class TZvSplitter : public TSplitter, public TKindControl
{
    Q_OBJECT

public:
    // 5 wide, resizing while dragged, at least 1 pixel for the resized control.
    explicit TZvSplitter(QWidget *parent = nullptr);

    // AutoSnap, Beveled, Color, MinSize, ResizeStyle.
    bool SaveToStream(TStream *Stream) override;
    bool LoadFromStream(TStream *Stream) override;
    // Sized by its neighbours: no geometry tokens.
    bool HasGeometryTokens() const override { return false; }

protected:
    void Paint() override;
};

TControl *CreateZvSplitter();
