// Panel, splitter and timer.
#pragma once

#include <QTimer>

#include "platform/vcl/controls.h"

// The look of a panel's bevel; bvSpace is a blank band in the panel's colour.
enum TPanelBevel : uint8_t { bvNone, bvLowered, bvRaised, bvSpace };

enum TResizeStyle : uint8_t { rsNone, rsLine, rsUpdate, rsPattern };

// A windowed container painted as the platform's panel: an outer bevel, a border of
// BorderWidth in the panel's colour, an inner bevel, then the face with its one-line
// caption centred vertically and placed by Alignment. Aligned children stay inside the
// bevels and the border.
class TCustomPanel : public TWinControl
{
    Q_OBJECT

public:
    explicit TCustomPanel(QWidget *parent = nullptr);

    using TControl::Caption;
    using TControl::SetCaption;
    TAlignment Alignment() const { return m_alignment; }
    void SetAlignment(TAlignment Alignment);
    TPanelBevel BevelInner() const { return m_bevelInner; }
    void SetBevelInner(TPanelBevel BevelInner);
    TPanelBevel BevelOuter() const { return m_bevelOuter; }
    void SetBevelOuter(TPanelBevel BevelOuter);
    // Each bevel's width; values below 1 are refused.
    int BevelWidth() const { return m_bevelWidth; }
    void SetBevelWidth(int BevelWidth);
    // Values below 0 are refused.
    int BorderWidth() const { return m_borderWidth; }
    void SetBorderWidth(int BorderWidth);

protected:
    void Paint() override;
    void AdjustClientRect(TRect &Rect) override;

private:
    void Changed();

    TAlignment m_alignment = taCenter;
    TPanelBevel m_bevelInner = bvNone;
    TPanelBevel m_bevelOuter = bvRaised;
    int m_bevelWidth = 1;
    int m_borderWidth = 0;
};

class TPanel : public TCustomPanel
{
    Q_OBJECT

public:
    using TCustomPanel::TCustomPanel;
};

// A bar aligned to an edge of its parent. Dragging it resizes the control it is aligned
// against: the nearest sibling before it in child order with the same Align. The new
// size stays between MinSize and what leaves MinSize to the rest of the parent; with
// AutoSnap a drag below MinSize snaps the control to nothing. rsUpdate resizes while
// dragging, rsLine and rsPattern show a bar where the splitter will go and resize when
// the button is let go, rsNone shows nothing until then.
class TSplitter : public TGraphicControl
{
    Q_OBJECT

public:
    explicit TSplitter(QWidget *parent = nullptr);
    ~TSplitter() override;

    bool AutoSnap() const { return m_autoSnap; }
    void SetAutoSnap(bool AutoSnap) { m_autoSnap = AutoSnap; }
    // Raised edges along the bar.
    bool Beveled() const { return m_beveled; }
    void SetBeveled(bool Beveled);
    // Kept as set; the dragging treats values below 1 as 1.
    int MinSize() const { return m_minSize; }
    void SetMinSize(int MinSize) { m_minSize = MinSize; }
    TResizeStyle ResizeStyle() const { return m_resizeStyle; }
    void SetResizeStyle(TResizeStyle ResizeStyle) { m_resizeStyle = ResizeStyle; }

    // The control a drag resizes now; null when there is none.
    TControl *ResizedControl() const;

protected:
    void Paint() override;
    void AlignChanged() override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    class Line;
    bool Horizontal() const { return Align() == alLeft || Align() == alRight; }
    int SizeOf(const TControl *control) const;
    int NewSize(QPoint position) const;
    void ApplySize(int size);
    void ShowLine(int size);
    void StopDragging();

    bool m_autoSnap = true;
    bool m_beveled = false;
    int m_minSize = 30;
    TResizeStyle m_resizeStyle = rsPattern;

    QPointer<TControl> m_control; // the control being resized while dragging
    QPoint m_downPosition;
    int m_maxSize = 0;
    int m_newSize = 0;
    QPointer<Line> m_line;
};

// Raises OnTimer every Interval milliseconds while Enabled. An interval of 0 (or less)
// never fires. Changing Interval or Enabled starts the count anew.
class TTimer : public QObject
{
    Q_OBJECT

public:
    explicit TTimer(QObject *parent = nullptr);

    int Interval() const { return m_interval; }
    void SetInterval(int Interval);
    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool Enabled);

    TNotifyEvent OnTimer;

private:
    void Restart();

    QTimer m_timer;
    int m_interval = 1000;
    bool m_enabled = true;
};
