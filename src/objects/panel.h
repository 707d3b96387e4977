// The panel kind and its painted face. The face covers the panel's whole client area and
// draws its background: the panel's colour or a gradient, a picture, a caption and a
// border. Every page is such a panel; on the page being edited its face draws the
// designer's grid of dots instead of caption and border.
#pragma once

#include <QImage>
#include <memory>

#include "objects/kind_control.h"
#include "platform/graphics/picture.h"
#include "platform/vcl/controls.h"
#include "platform/vcl/scrollbox.h"

// Enumerations stored by their ordinal (one byte). A stored value outside the list is kept
// as it is and painted as the face's painting says.
enum TPictureStyle : uint8_t { psNormal, psCenter, psStretch, psTile, psAutoSize };
enum TGradientStyle : uint8_t {
    gsNone, gsTopBottom, gsBottomTop, gsLeftRight, gsRightLeft, gsMiddleTopBottom, gsMiddleLeftRight,
    gsTopBottomMiddle, gsLeftRightMiddle,
};
enum TPanelBackBorder : uint8_t {
    pbbNone, pbbBox, pbbFrame, pbbLeftLine, pbbTopLine, pbbRightLine, pbbBottomLine,
};
enum TPanelBackBorderStyle : uint8_t { pbbsFlat, pbbsLowered, pbbsRaised };

// The face of a panel. It has no colour of its own: its background colour is its parent's
// Color, its font the parent's font. Setters store and repaint only on a change; a change
// of the picture's graphic repaints as well.
class TPanelBack : public TGraphicControl
{
    Q_OBJECT

public:
    explicit TPanelBack(QWidget *parent = nullptr);
    ~TPanelBack() override;

    // The face's own record, written and read inside the panel's record.
    bool SaveToStream(TStream *Stream);
    bool LoadFromStream(TStream *Stream);

    TPicture &Picture() { return m_picture; }
    const TPicture &Picture() const { return m_picture; }

    TPictureStyle BackImageStyle() const { return m_backImageStyle; }
    void SetBackImageStyle(TPictureStyle BackImageStyle);
    TGradientStyle GradientStyle() const { return m_gradientStyle; }
    void SetGradientStyle(TGradientStyle GradientStyle);
    TColor GradientColor() const { return m_gradientColor; }
    void SetGradientColor(TColor GradientColor);
    TPanelBackBorder Border() const { return m_border; }
    void SetBorder(TPanelBackBorder Border);
    TPanelBackBorderStyle BorderStyle() const { return m_borderStyle; }
    void SetBorderStyle(TPanelBackBorderStyle BorderStyle);
    TColor HighlightColor() const { return m_highlightColor; }
    void SetHighlightColor(TColor HighlightColor);
    TColor ShadowColor() const { return m_shadowColor; }
    void SetShadowColor(TColor ShadowColor);
    TAlignment Alignment() const { return m_alignment; }
    void SetAlignment(TAlignment Alignment);
    TTextLayout Layout() const { return m_layout; }
    void SetLayout(TTextLayout Layout);
    using TControl::Caption;
    using TControl::SetCaption;

    // The designer's grid of dots in place of caption and border; not stored.
    bool PaintGrid() const { return m_paintGrid; }
    void SetPaintGrid(bool PaintGrid);

    // The background with its grid dots as last painted in grid mode; null before the first
    // grid paint. Drawn again as it is while UseCachedGridBitmap is set.
    const QImage *BmpForGrid() const { return m_bmpForGrid.get(); }

protected:
    void Paint() override;

private:
    TColor BaseColor() const;
    void PaintBackground(TCanvas &canvas, const TRect &rect);
    void PaintPicture(QPainter &painter, const TRect &rect);
    void PaintCaption(TCanvas &canvas, const TRect &rect);
    void PaintBorder(TCanvas &canvas, const TRect &rect);
    void PaintGridBitmap(TCanvas &canvas);

    TPicture m_picture;
    TPictureStyle m_backImageStyle = psStretch;
    TGradientStyle m_gradientStyle = gsNone;
    TColor m_gradientColor = 0;
    TPanelBackBorder m_border = pbbBox;
    TPanelBackBorderStyle m_borderStyle = pbbsRaised;
    TColor m_highlightColor = clBtnHighlight;
    TColor m_shadowColor = clBtnShadow;
    bool m_paintGrid = false;
    TAlignment m_alignment = taCenter;
    TTextLayout m_layout = tlCenter;
    std::unique_ptr<QImage> m_bmpForGrid;
};

// The panel object: a borderless box whose face covers its client area. The face takes
// the clicks and mouse moves; the panel raises them as its own, with itself as Sender.
class TZvPanel : public TScrollBox, public TKindControl
{
    Q_OBJECT

public:
    void InitNewObject(const QString &Name) override { PanelBack()->SetCaption(Name); }
    explicit TZvPanel(QWidget *parent = nullptr);

    // The face's record, then Color, BorderStyle and Font.
    bool SaveToStream(TStream *Stream) override;
    bool LoadFromStream(TStream *Stream) override;

    TPanelBack *PanelBack() const { return m_panelBack; }

    // "[Caption]" (the face's), "[Font]", "[BackColor]".
    bool ReadToken(const QString &Token, const TZvValue *Counterpart, TZvValue &Value) override;
    TTokenWrite WriteToken(const QString &Token, const TZvValue &Value) override;


protected:
    void Aligned() override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void PlaceFace();

    TPanelBack *m_panelBack = nullptr;
};

// Whether the control is a panel whose face paints the design grid.
bool PanelPaintsGrid(const TControl *Control);
// Sets the design-grid painting of the face when the control is a panel; else nothing.
void SetPanelPaintGrid(TControl *Control, bool PaintGrid);

TControl *CreateZvPanel();
