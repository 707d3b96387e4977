// TScrollBox: a windowed container that scrolls its children. With AutoScroll its scroll
// bars appear when children reach beyond the client area, their range taken from the
// children's bounds; scrolling moves the children. A single border is a sunken two-pixel
// frame outside the client area, as are the scroll bars.
#pragma once

#include "platform/vcl/controls.h"

class QScrollBar;
class TScrollBox;

// One of the box's two scroll bars.
class TControlScrollBar
{
public:
    // How far the box is scrolled; clamped to 0 .. Range less the client extent.
    int Position() const { return m_position; }
    void SetPosition(int Position);
    // The extent of the children along this bar (with AutoScroll; 0 without).
    int Range() const { return m_range; }
    // Whether the bar may show; it shows only while the range exceeds the client area.
    bool Visible() const { return m_visible; }
    void SetVisible(bool Visible);
    // Whether the bar shows now.
    bool IsScrollBarVisible() const;
    // Smooth: one step scrolls a tenth of the client extent instead of 8 pixels.
    bool Smooth() const { return m_smooth; }
    void SetSmooth(bool Smooth);
    // Tracking: the box follows the thumb while it is dragged, not only when let go.
    bool Tracking() const { return m_tracking; }
    void SetTracking(bool Tracking);

private:
    friend class TScrollBox;
    TControlScrollBar(TScrollBox *box, Qt::Orientation orientation);
    void Moved(int value);

    TScrollBox *m_box;
    QScrollBar *m_bar;
    int m_position = 0;
    int m_range = 0;
    bool m_visible = true;
    bool m_smooth = false;
    bool m_tracking = false;
};

class TScrollBox : public TWinControl
{
    Q_OBJECT

public:
    explicit TScrollBox(QWidget *parent = nullptr);
    ~TScrollBox() override;

    bool AutoScroll() const { return m_autoScroll; }
    void SetAutoScroll(bool AutoScroll);
    TBorderStyle BorderStyle() const { return m_borderStyle; }
    void SetBorderStyle(TBorderStyle BorderStyle);

    TControlScrollBar &HorzScrollBar() { return *m_horz; }
    TControlScrollBar &VertScrollBar() { return *m_vert; }

protected:
    QMargins NonClientMargins() const override;
    void AdjustClientRect(TRect &Rect) override;
    void Aligned() override;
    void ChildrenRestacked() override;
    void wheelEvent(QWheelEvent *event) override;

private:
    friend class TControlScrollBar;
    class Frame;

    // Computes the ranges, shows or hides the bars and places them; true when a bar
    // appeared or disappeared (the client area changed).
    bool UpdateScrollBars();
    void ComputeRanges(int &horizontal, int &vertical) const;
    void ScrollTo(Qt::Orientation orientation, int position);
    int ScrollBarExtent() const;

    bool m_autoScroll = true;
    TBorderStyle m_borderStyle = bsSingle;
    std::unique_ptr<TControlScrollBar> m_horz;
    std::unique_ptr<TControlScrollBar> m_vert;
    Frame *m_frame = nullptr;
    bool m_updatingBars = false;
};
