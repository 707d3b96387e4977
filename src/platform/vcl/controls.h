// The platform's control classes on Qt widgets. TControl carries what every control has
// (bounds in its parent's client coordinates, Align, Color and Font with their Parent*
// switches, Cursor, Hint, PopupMenu, Constraints, the mouse events); TWinControl holds
// children and lays out the aligned ones; TGraphicControl is the non-windowed control,
// kept below its windowed siblings as the platform paints it on its parent's surface.
// Each control points back to the object record it shows, so that events and the
// designer find the record.
#pragma once

#include <QList>
#include <QMargins>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>

#include "platform/graphics/color.h"
#include "platform/graphics/font.h"
#include "platform/vcl/types.h"

struct TZvObject;
class TCanvas;
class TControl;
class TPopupMenu;
class TWinControl;

enum TMouseButton : uint8_t { mbLeft, mbRight, mbMiddle };

// The keys and buttons held during a mouse event, as a bit set.
using TShiftState = uint16_t;
enum : TShiftState {
    ssShift = 0x01,
    ssAlt = 0x02,
    ssCtrl = 0x04,
    ssLeft = 0x08,
    ssRight = 0x10,
    ssMiddle = 0x20,
    ssDouble = 0x40,
};

// Event handlers get the control (or timer) that raised them as Sender; X and Y are in the
// control's client coordinates.
using TNotifyEvent = std::function<void(QObject *Sender)>;
using TMouseEvent = std::function<void(QObject *Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(QObject *Sender, TShiftState Shift, int X, int Y)>;

enum TBorderStyle : uint8_t { bsNone, bsSingle };
enum TTextLayout : uint8_t { tlTop, tlCenter, tlBottom };

// A control's size limits; 0 means no limit. Setting a limit resizes the control into it;
// a minimum above the maximum raises the maximum and a maximum below the minimum lowers
// the minimum. Negative values count as 0.
class TSizeConstraints
{
public:
    int MinWidth() const { return m_minWidth; }
    void SetMinWidth(int MinWidth);
    int MinHeight() const { return m_minHeight; }
    void SetMinHeight(int MinHeight);
    int MaxWidth() const { return m_maxWidth; }
    void SetMaxWidth(int MaxWidth);
    int MaxHeight() const { return m_maxHeight; }
    void SetMaxHeight(int MaxHeight);

private:
    friend class TControl;
    explicit TSizeConstraints(TControl *Control) : m_control(Control) {}
    void Changed();

    TControl *m_control;
    int m_minWidth = 0;
    int m_minHeight = 0;
    int m_maxWidth = 0;
    int m_maxHeight = 0;
};

class TControl : public QWidget
{
    Q_OBJECT

public:
    // A control made with a parent widget is shown with it, as the platform's controls
    // are once they have a parent; a control without one stays hidden until parented.
    explicit TControl(QWidget *parent = nullptr);
    ~TControl() override;

    // The record this control shows; the record owns the control.
    TZvObject *ZvObject = nullptr;
    // A number kept for the control's user.
    intptr_t Tag = 0;

    // The windowed control holding this one (null for another kind of parent widget).
    TWinControl *Parent() const { return m_parentControl; }
    void SetParent(TWinControl *Parent);

    // Bounds in the parent's client coordinates. The size is kept within Constraints
    // and never negative; a change realigns the parent.
    int Left() const;
    int Top() const;
    int Width() const { return width(); }
    int Height() const { return height(); }
    void SetLeft(int Left) { SetBounds(Left, Top(), Width(), Height()); }
    void SetTop(int Top) { SetBounds(Left(), Top, Width(), Height()); }
    void SetWidth(int Width) { SetBounds(Left(), Top(), Width, Height()); }
    void SetHeight(int Height) { SetBounds(Left(), Top(), Width(), Height); }
    void SetBounds(int Left, int Top, int Width, int Height);
    TRect BoundsRect() const { return TRect(Left(), Top(), Left() + Width(), Top() + Height()); }

    // The client area: the control less its border and scroll bars; (0, 0) is its top-left.
    int ClientWidth() const;
    int ClientHeight() const;
    void SetClientWidth(int ClientWidth);
    void SetClientHeight(int ClientHeight);
    TRect ClientRect() const { return TRect(0, 0, ClientWidth(), ClientHeight()); }
    // Where the client area's (0, 0) lies in the widget.
    QPoint ClientOrigin() const;

    TAlign Align() const { return m_align; }
    void SetAlign(TAlign Align);

    // The background colour. While ParentColor is set the control follows its parent's
    // colour; setting Color clears ParentColor.
    TColor Color() const { return m_color; }
    void SetColor(TColor Color);
    bool ParentColor() const { return m_parentColor; }
    void SetParentColor(bool ParentColor);

    // The font, with its colour as the text colour; ParentFont as ParentColor.
    const TFont &Font() const { return m_font; }
    void SetFont(const TFont &Font);
    bool ParentFont() const { return m_parentFont; }
    void SetParentFont(bool ParentFont);

    // The stock cursor id (cursors.h); any id is kept, unknown ones show the arrow.
    TCursor Cursor() const { return m_cursor; }
    void SetCursor(TCursor Cursor);

    // The hint as stored; while ShowHint is set its part before the first '|' is the
    // control's tool tip.
    const QString &Hint() const { return m_hint; }
    void SetHint(const QString &Hint);
    bool ShowHint() const { return m_showHint; }
    void SetShowHint(bool ShowHint);

    // Shown on a right click (not owned). A control without one leaves the click to its
    // parent, whose menu then shows.
    TPopupMenu *PopupMenu() const { return m_popupMenu; }
    void SetPopupMenu(TPopupMenu *PopupMenu) { m_popupMenu = PopupMenu; }

    TSizeConstraints &Constraints() { return m_constraints; }
    const TSizeConstraints &Constraints() const { return m_constraints; }

    // The control's own switch; a disabled parent also disables it on screen.
    bool Enabled() const;
    void SetEnabled(bool Enabled) { setEnabled(Enabled); }
    // The control's own switch; it shows when it and its parents are visible. Hidden
    // aligned controls take no room.
    bool Visible() const { return m_visible; }
    void SetVisible(bool Visible) { setVisible(Visible); }
    void setVisible(bool visible) override;

    // Z-order among the siblings; graphic controls stay below windowed ones either way.
    void BringToFront();
    void SendToBack();
    void Invalidate() { update(); }

    // Raise OnClick / OnDblClick (an exception from the handler is shown and ends it).
    virtual void Click();
    virtual void DblClick();

    // The drawing surface while Paint runs; outside it a canvas that draws nothing.
    TCanvas *Canvas() const;

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TNotifyEvent OnResize;

protected:
    // Caption and Text are one string; classes that have them publish these.
    const QString &Caption() const { return m_text; }
    void SetCaption(const QString &Caption);
    const QString &Text() const { return m_text; }
    void SetText(const QString &Text) { SetCaption(Text); }

    // Paints the control through Canvas() in client coordinates, after the background
    // (windowed controls fill theirs with Color first).
    virtual void Paint() {}
    // Hooks after a property changed; overrides call the base first.
    virtual void TextChanged();
    virtual void ColorChanged();
    virtual void FontChanged();
    virtual void UpdateCursor();
    // After the size changed by SetBounds or by the parent's layout.
    virtual void SizeChanged() {}
    // After Align changed (the parent has realigned).
    virtual void AlignChanged() {}
    // Border and scroll bars around the client area.
    virtual QMargins NonClientMargins() const { return QMargins(); }
    // Whether the widget shows now; by default exactly when Visible is set.
    virtual bool ShouldShow() const { return m_visible; }
    // Applies ShouldShow() to the widget (after what it depends on changed).
    void UpdateShowing();

    // An inner Qt widget that fills (part of) the control: its mouse events are also the
    // control's, the control's cursor and popup menu apply to it.
    void AttachInnerWidget(QWidget *inner);

    // Whether a left press and release inside the control raises OnClick (controls that
    // click in their own way, such as buttons, clear it).
    bool ClickFromMouse = true;

    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    friend class TSizeConstraints;
    friend class TWinControl;

    struct InnerWidget
    {
        QPointer<QWidget> Widget;
        bool HadCursor = false;
        QCursor OwnCursor;
    };

    // Places the widget at client position (left, top) of its parent, size constrained,
    // without asking the parent to realign.
    void ApplyBounds(int left, int top, int width, int height);
    void ConstrainSize(int &width, int &height) const;
    void RequestParentAlign();
    void JoinParent();
    void LeaveParent();
    void AdoptParentColor(TColor color);
    void AdoptParentFont(const TFont &font);
    void UpdateToolTip();
    void HandleMouseDown(const QMouseEvent *event, QPoint position, bool doubleClick);
    void HandleMouseUp(const QMouseEvent *event, QPoint position);
    void HandleMouseMove(const QMouseEvent *event, QPoint position);
    bool ShowPopupMenu(const QPoint &globalPosition);

    TWinControl *m_parentControl = nullptr;
    TAlign m_align = alNone;
    TColor m_color = clWindow;
    bool m_parentColor = true;
    TFont m_font;
    bool m_parentFont = true;
    TCursor m_cursor = crDefault;
    QString m_hint;
    bool m_showHint = false;
    TPopupMenu *m_popupMenu = nullptr;
    TSizeConstraints m_constraints{this};
    bool m_visible = true;
    bool m_visibleBeforeHide = true;
    bool m_clicked = false;
    QString m_text;
    QList<InnerWidget> m_innerWidgets;
    TCanvas *m_paintCanvas = nullptr;
    mutable std::unique_ptr<TCanvas> m_idleCanvas;
};

class TWinControl : public TControl
{
    Q_OBJECT

public:
    explicit TWinControl(QWidget *parent = nullptr);
    ~TWinControl() override;

    // The child controls, in the order they joined this control.
    int ControlCount() const { return int(m_controls.size()); }
    TControl *Controls(int Index) const { return m_controls.value(Index); }
    const QList<TControl *> &Controls() const { return m_controls; }

    // Lays out the aligned children in the client area: alTop, alBottom, alLeft, alRight
    // and alClient, in that order of kind and within a kind in child order; hidden
    // children take no room, alNone and alCustom children stay where they are.
    void Realign();
    // Suspends the layout; nested. The last EnableAlign lays out again.
    void DisableAlign() { ++m_alignLevel; }
    void EnableAlign();
    bool AlignDisabled() const { return m_alignLevel > 0; }

    // Moves every child control by the given distances (what scrolling does).
    void ScrollBy(int DeltaX, int DeltaY);

    // Kept for the control's record; Qt paints double-buffered anyway.
    bool DoubleBuffered() const { return m_doubleBuffered; }
    void SetDoubleBuffered(bool DoubleBuffered) { m_doubleBuffered = DoubleBuffered; }

    // Whether the Tab key stops at this control.
    bool TabStop() const { return m_tabStop; }
    void SetTabStop(bool TabStop);
    bool Focused() const;
    void SetFocus();

protected:
    // The area the aligned children share; by default the client rectangle.
    virtual void AdjustClientRect(TRect &Rect) {}
    // After every layout pass.
    virtual void Aligned() {}
    // After a child's z-order changed or a child joined.
    virtual void ChildrenRestacked();
    // The widget that takes the keyboard focus for this control.
    virtual QWidget *FocusWidget() { return this; }

    void SizeChanged() override;
    void resizeEvent(QResizeEvent *event) override;

private:
    friend class TControl;
    void AddControl(TControl *control);
    void RemoveControl(TControl *control);
    void PlaceAligned(TControl *control, TAlign align, TRect &rect);

    QList<TControl *> m_controls;
    int m_alignLevel = 0;
    bool m_aligning = false;
    QSize m_alignedSize;
    bool m_doubleBuffered = false;
    bool m_tabStop = false;
};

// A control without a window of its own in the platform: it is kept below every windowed
// sibling and draws in Paint() on a transparent background.
class TGraphicControl : public TControl
{
    Q_OBJECT

public:
    explicit TGraphicControl(QWidget *parent = nullptr);
};

// Puts the graphic controls among parent's children below every other child widget,
// keeping their order among themselves.
void KeepGraphicControlsBelow(QWidget *parent);
