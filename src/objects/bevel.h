// The bevel kind: a box, frame or line drawn in two colours of its own; and its web twin,
// a horizontal rule on web pages.
#pragma once

#include "objects/kind_control.h"
#include "objects/web_twin.h"
#include "platform/graphics/color.h"
#include "platform/vcl/controls.h"

// Stored by their ordinal (one byte).
enum TBevelStyle : uint8_t { bsLowered, bsRaised };
enum TBevelShape : uint8_t { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };

class TZvBevel : public TGraphicControl, public TKindControl
{
    Q_OBJECT

public:
    explicit TZvBevel(QWidget *parent = nullptr);

    // Style, Shape and the two colours.
    bool SaveToStream(TStream *Stream) override;
    bool LoadFromStream(TStream *Stream) override;

    // Setters store and repaint only on a change.
    TBevelStyle Style() const { return FStyle; }
    void SetStyle(TBevelStyle Style);
    TBevelShape Shape() const { return FShape; }
    void SetShape(TBevelShape Shape);

    // The light and dark colours: only a record changes them.
    TColor FHighlightColor = clBtnHighlight;
    TColor FShadowColor = clBtnShadow;

protected:
    void Paint() override;

private:
    TBevelStyle FStyle = bsLowered;
    TBevelShape FShape = bsBox;
};

// The rule of a web page: reads the bevel's record and keeps none of it.
class TWebBevel : public TWebTwin
{
public:
    bool LoadFromStream(TStream *Stream) override;
};

TControl *CreateZvBevel();
TWebTwin *CreateWebBevel();
