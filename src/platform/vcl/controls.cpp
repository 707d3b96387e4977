#include "platform/vcl/controls.h"

#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "platform/exception_boundary.h"
#include "platform/vcl/canvas.h"
#include "platform/vcl/cursors.h"
#include "platform/vcl/menus.h"

namespace {

// Set while graphic controls are being lowered, so that the z-order events this causes
// do not start another pass.
bool gRestacking = false;

bool IsGraphic(const QObject *object)
{
    return dynamic_cast<const TGraphicControl *>(object) != nullptr;
}

TShiftState ShiftStateOf(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons)
{
    TShiftState shift = 0;
    if (modifiers & Qt::ShiftModifier)
        shift |= ssShift;
    if (modifiers & Qt::AltModifier)
        shift |= ssAlt;
    if (modifiers & Qt::ControlModifier)
        shift |= ssCtrl;
    if (buttons & Qt::LeftButton)
        shift |= ssLeft;
    if (buttons & Qt::RightButton)
        shift |= ssRight;
    if (buttons & Qt::MiddleButton)
        shift |= ssMiddle;
    return shift;
}

bool MouseButtonOf(Qt::MouseButton button, TMouseButton &result)
{
    switch (button) {
    case Qt::LeftButton:
        result = mbLeft;
        return true;
    case Qt::RightButton:
        result = mbRight;
        return true;
    case Qt::MiddleButton:
        result = mbMiddle;
        return true;
    default:
        return false;
    }
}

// The short hint: the text before the first '|'.
QString ShortHint(const QString &hint)
{
    const int bar = hint.indexOf(QLatin1Char('|'));
    return bar < 0 ? hint : hint.left(bar);
}

} // namespace

void KeepGraphicControlsBelow(QWidget *parent)
{
    if (!parent || gRestacking)
        return;
    // children() lists the widgets from the bottom of the stack to the top.
    QList<QWidget *> graphics;
    bool windowedSeen = false;
    bool needed = false;
    for (QObject *child : parent->children()) {
        auto *widget = qobject_cast<QWidget *>(child);
        if (!widget || widget->isWindow())
            continue;
        if (IsGraphic(widget)) {
            graphics.append(widget);
            needed = needed || windowedSeen;
        } else {
            windowedSeen = true;
        }
    }
    if (!needed)
        return;
    gRestacking = true;
    for (int i = int(graphics.size()) - 1; i >= 0; --i)
        graphics[i]->lower();
    gRestacking = false;
}

// ---- TSizeConstraints ----

void TSizeConstraints::SetMinWidth(int MinWidth)
{
    m_minWidth = std::max(0, MinWidth);
    if (m_maxWidth > 0 && m_minWidth > m_maxWidth)
        m_maxWidth = m_minWidth;
    Changed();
}

void TSizeConstraints::SetMinHeight(int MinHeight)
{
    m_minHeight = std::max(0, MinHeight);
    if (m_maxHeight > 0 && m_minHeight > m_maxHeight)
        m_maxHeight = m_minHeight;
    Changed();
}

void TSizeConstraints::SetMaxWidth(int MaxWidth)
{
    m_maxWidth = std::max(0, MaxWidth);
    if (m_maxWidth > 0 && m_minWidth > m_maxWidth)
        m_minWidth = m_maxWidth;
    Changed();
}

void TSizeConstraints::SetMaxHeight(int MaxHeight)
{
    m_maxHeight = std::max(0, MaxHeight);
    if (m_maxHeight > 0 && m_minHeight > m_maxHeight)
        m_minHeight = m_maxHeight;
    Changed();
}

void TSizeConstraints::Changed()
{
    // Qt keeps every later resize within these limits (and may resize the control right
    // away); the current size is clamped here and the parent told of any change.
    const QRect before = m_control->geometry();
    m_control->setMinimumSize(m_minWidth, m_minHeight);
    m_control->setMaximumSize(m_maxWidth > 0 ? m_maxWidth : QWIDGETSIZE_MAX,
                              m_maxHeight > 0 ? m_maxHeight : QWIDGETSIZE_MAX);
    m_control->ApplyBounds(m_control->Left(), m_control->Top(), m_control->Width(), m_control->Height());
    if (m_control->geometry() != before)
        m_control->SizeChanged();
    // Looser limits may let the layout give the control more room.
    m_control->RequestParentAlign();
}

// ---- TControl ----

TControl::TControl(QWidget *parent)
    : QWidget(parent)
{
    setMouseTracking(true);
    ColorChanged();
    FontChanged();
    if (parentWidget()) {
        JoinParent();
        QWidget::setVisible(ShouldShow());
    }
}

TControl::~TControl()
{
    LeaveParent();
}

void TControl::SetParent(TWinControl *Parent)
{
    setParent(Parent);
}

QPoint TControl::ClientOrigin() const
{
    const QMargins margins = NonClientMargins();
    return QPoint(margins.left(), margins.top());
}

int TControl::Left() const
{
    return m_parentControl ? x() - m_parentControl->ClientOrigin().x() : x();
}

int TControl::Top() const
{
    return m_parentControl ? y() - m_parentControl->ClientOrigin().y() : y();
}

void TControl::ConstrainSize(int &width, int &height) const
{
    width = std::max(width, 0);
    height = std::max(height, 0);
    width = std::max(width, m_constraints.MinWidth());
    height = std::max(height, m_constraints.MinHeight());
    if (m_constraints.MaxWidth() > 0)
        width = std::min(width, m_constraints.MaxWidth());
    if (m_constraints.MaxHeight() > 0)
        height = std::min(height, m_constraints.MaxHeight());
}

void TControl::ApplyBounds(int left, int top, int width, int height)
{
    ConstrainSize(width, height);
    const QPoint origin = m_parentControl ? m_parentControl->ClientOrigin() : QPoint();
    const QRect target(origin.x() + left, origin.y() + top, width, height);
    if (target == geometry())
        return;
    const bool sizeChanged = target.size() != size();
    setGeometry(target);
    if (sizeChanged)
        SizeChanged();
}

void TControl::SetBounds(int Left, int Top, int Width, int Height)
{
    const QRect before = geometry();
    ApplyBounds(Left, Top, Width, Height);
    if (geometry() != before)
        RequestParentAlign();
}

int TControl::ClientWidth() const
{
    const QMargins margins = NonClientMargins();
    return std::max(0, width() - margins.left() - margins.right());
}

int TControl::ClientHeight() const
{
    const QMargins margins = NonClientMargins();
    return std::max(0, height() - margins.top() - margins.bottom());
}

void TControl::SetClientWidth(int ClientWidth)
{
    SetWidth(Width() - this->ClientWidth() + ClientWidth);
}

void TControl::SetClientHeight(int ClientHeight)
{
    SetHeight(Height() - this->ClientHeight() + ClientHeight);
}

void TControl::SetAlign(TAlign Align)
{
    if (m_align == Align)
        return;
    m_align = Align;
    RequestParentAlign();
    AlignChanged();
}

void TControl::RequestParentAlign()
{
    if (m_parentControl)
        m_parentControl->Realign();
}

void TControl::SetColor(TColor Color)
{
    m_parentColor = false;
    if (m_color == Color)
        return;
    m_color = Color;
    ColorChanged();
}

void TControl::SetParentColor(bool ParentColor)
{
    m_parentColor = ParentColor;
    if (ParentColor && m_parentControl)
        AdoptParentColor(m_parentControl->Color());
}

void TControl::AdoptParentColor(TColor color)
{
    if (m_color == color)
        return;
    m_color = color;
    ColorChanged();
}

void TControl::ColorChanged()
{
    QPalette palette = this->palette();
    const QColor color = ColorToQColor(m_color);
    for (QPalette::ColorRole role : {QPalette::Window, QPalette::Base, QPalette::Button})
        palette.setColor(role, color);
    setPalette(palette);
    if (auto *container = qobject_cast<TWinControl *>(this)) {
        for (TControl *child : container->Controls()) {
            if (child->m_parentColor)
                child->AdoptParentColor(m_color);
        }
    }
    update();
}

void TControl::SetFont(const TFont &Font)
{
    m_parentFont = false;
    if (m_font == Font)
        return;
    m_font = Font;
    FontChanged();
}

void TControl::SetParentFont(bool ParentFont)
{
    m_parentFont = ParentFont;
    if (ParentFont && m_parentControl)
        AdoptParentFont(m_parentControl->Font());
}

void TControl::AdoptParentFont(const TFont &font)
{
    if (m_font == font)
        return;
    m_font = font;
    FontChanged();
}

void TControl::FontChanged()
{
    setFont(m_font.ToQFont());
    QPalette palette = this->palette();
    const QColor color = ColorToQColor(m_font.Color);
    // The disabled group keeps the style's greyed text.
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
            palette.setColor(group, role, color);
    }
    setPalette(palette);
    if (auto *container = qobject_cast<TWinControl *>(this)) {
        for (TControl *child : container->Controls()) {
            if (child->m_parentFont)
                child->AdoptParentFont(m_font);
        }
    }
    update();
}

void TControl::SetCursor(TCursor Cursor)
{
    m_cursor = Cursor;
    UpdateCursor();
}

void TControl::UpdateCursor()
{
    if (m_cursor == crDefault)
        unsetCursor();
    else
        setCursor(CursorShapeOf(m_cursor));
    for (const InnerWidget &inner : m_innerWidgets) {
        if (!inner.Widget)
            continue;
        if (m_cursor != crDefault)
            inner.Widget->setCursor(CursorShapeOf(m_cursor));
        else if (inner.HadCursor)
            inner.Widget->setCursor(inner.OwnCursor);
        else
            inner.Widget->unsetCursor();
    }
}

void TControl::SetHint(const QString &Hint)
{
    m_hint = Hint;
    UpdateToolTip();
}

void TControl::SetShowHint(bool ShowHint)
{
    m_showHint = ShowHint;
    UpdateToolTip();
}

void TControl::UpdateToolTip()
{
    setToolTip(m_showHint ? ShortHint(m_hint) : QString());
}

bool TControl::Enabled() const
{
    return !testAttribute(Qt::WA_ForceDisabled);
}

void TControl::setVisible(bool visible)
{
    if (!visible)
        m_visibleBeforeHide = m_visible;
    const bool changed = m_visible != visible;
    m_visible = visible;
    QWidget::setVisible(ShouldShow());
    if (changed)
        RequestParentAlign();
}

void TControl::UpdateShowing()
{
    if (isHidden() == ShouldShow())
        QWidget::setVisible(ShouldShow());
}

void TControl::BringToFront()
{
    raise();
}

void TControl::SendToBack()
{
    lower();
}

void TControl::SetCaption(const QString &Caption)
{
    if (m_text == Caption)
        return;
    m_text = Caption;
    TextChanged();
}

void TControl::TextChanged()
{
    update();
}

void TControl::Click()
{
    if (OnClick)
        GuardedCall([this] { OnClick(this); });
}

void TControl::DblClick()
{
    if (OnDblClick)
        GuardedCall([this] { OnDblClick(this); });
}

TCanvas *TControl::Canvas() const
{
    if (m_paintCanvas)
        return m_paintCanvas;
    if (!m_idleCanvas)
        m_idleCanvas = std::make_unique<TCanvas>(static_cast<QPainter *>(nullptr));
    return m_idleCanvas.get();
}

void TControl::AttachInnerWidget(QWidget *inner)
{
    InnerWidget entry;
    entry.Widget = inner;
    entry.HadCursor = inner->testAttribute(Qt::WA_SetCursor);
    entry.OwnCursor = inner->cursor();
    m_innerWidgets.append(entry);
    inner->setMouseTracking(true);
    inner->installEventFilter(this);
    UpdateCursor();
}

void TControl::JoinParent()
{
    auto *container = dynamic_cast<TWinControl *>(parentWidget());
    if (container == m_parentControl)
        return;
    LeaveParent();
    if (!container)
        return;
    m_parentControl = container;
    container->AddControl(this);
    if (m_parentColor)
        AdoptParentColor(container->Color());
    if (m_parentFont)
        AdoptParentFont(container->Font());
}

void TControl::LeaveParent()
{
    if (TWinControl *container = m_parentControl) {
        m_parentControl = nullptr;
        container->RemoveControl(this);
    }
}

bool TControl::event(QEvent *event)
{
    switch (event->type()) {
    case QEvent::ParentChange:
        // Qt hides a shown widget that changes parents and marks that hiding as not
        // explicit: it was not the control's own switch.
        if (!testAttribute(Qt::WA_WState_ExplicitShowHide))
            m_visible = m_visibleBeforeHide;
        JoinParent();
        if (parentWidget())
            QWidget::setVisible(ShouldShow());
        if (IsGraphic(this))
            KeepGraphicControlsBelow(parentWidget());
        if (m_parentControl)
            m_parentControl->Realign();
        break;
    case QEvent::ZOrderChange:
        if (!gRestacking) {
            if (m_parentControl)
                m_parentControl->ChildrenRestacked();
            else
                KeepGraphicControlsBelow(parentWidget());
        }
        break;
    default:
        break;
    }
    return QWidget::event(event);
}

bool TControl::eventFilter(QObject *watched, QEvent *event)
{
    auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget)
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseMove: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        const QPoint position = widget->mapTo(this, mouse->position().toPoint()) - ClientOrigin();
        if (event->type() == QEvent::MouseButtonRelease)
            HandleMouseUp(mouse, position);
        else if (event->type() == QEvent::MouseMove)
            HandleMouseMove(mouse, position);
        else
            HandleMouseDown(mouse, position, event->type() == QEvent::MouseButtonDblClick);
        return false;
    }
    case QEvent::ContextMenu:
        return ShowPopupMenu(static_cast<QContextMenuEvent *>(event)->globalPos());
    default:
        return false;
    }
}

void TControl::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QMargins margins = NonClientMargins();
    painter.setClipRect(rect().marginsRemoved(margins));
    painter.translate(margins.left(), margins.top());
    TCanvas canvas(&painter);
    canvas.Font = m_font;
    canvas.Brush.Color = m_color;
    m_paintCanvas = &canvas;
    GuardedCall([this] { Paint(); });
    m_paintCanvas = nullptr;
}

void TControl::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (OnResize)
        GuardedCall([this] { OnResize(this); });
}

void TControl::HandleMouseDown(const QMouseEvent *event, QPoint position, bool doubleClick)
{
    TMouseButton button;
    if (!MouseButtonOf(event->button(), button))
        return;
    TShiftState shift = ShiftStateOf(event->modifiers(), event->buttons());
    if (doubleClick) {
        // The second press of a double click raises OnDblClick, then OnMouseDown with
        // ssDouble; its release clicks no more.
        shift |= ssDouble;
        if (button == mbLeft)
            DblClick();
    } else if (button == mbLeft && ClickFromMouse) {
        m_clicked = true;
    }
    if (OnMouseDown)
        GuardedCall([&] { OnMouseDown(this, button, shift, position.x(), position.y()); });
}

void TControl::HandleMouseUp(const QMouseEvent *event, QPoint position)
{
    TMouseButton button;
    if (!MouseButtonOf(event->button(), button))
        return;
    if (button == mbLeft && m_clicked) {
        m_clicked = false;
        if (ClientRect().ToQRect().contains(position))
            Click();
    }
    if (OnMouseUp) {
        const TShiftState shift = ShiftStateOf(event->modifiers(), event->buttons());
        GuardedCall([&] { OnMouseUp(this, button, shift, position.x(), position.y()); });
    }
}

void TControl::HandleMouseMove(const QMouseEvent *event, QPoint position)
{
    if (OnMouseMove) {
        const TShiftState shift = ShiftStateOf(event->modifiers(), event->buttons());
        GuardedCall([&] { OnMouseMove(this, shift, position.x(), position.y()); });
    }
}

void TControl::mousePressEvent(QMouseEvent *event)
{
    HandleMouseDown(event, event->position().toPoint() - ClientOrigin(), false);
    event->accept();
}

void TControl::mouseReleaseEvent(QMouseEvent *event)
{
    HandleMouseUp(event, event->position().toPoint() - ClientOrigin());
    event->accept();
}

void TControl::mouseDoubleClickEvent(QMouseEvent *event)
{
    HandleMouseDown(event, event->position().toPoint() - ClientOrigin(), true);
    event->accept();
}

void TControl::mouseMoveEvent(QMouseEvent *event)
{
    HandleMouseMove(event, event->position().toPoint() - ClientOrigin());
    event->accept();
}

void TControl::enterEvent(QEnterEvent *event)
{
    QWidget::enterEvent(event);
    if (OnMouseEnter)
        GuardedCall([this] { OnMouseEnter(this); });
}

void TControl::leaveEvent(QEvent *event)
{
    QWidget::leaveEvent(event);
    if (OnMouseLeave)
        GuardedCall([this] { OnMouseLeave(this); });
}

bool TControl::ShowPopupMenu(const QPoint &globalPosition)
{
    if (!m_popupMenu)
        return false;
    m_popupMenu->Popup(globalPosition);
    return true;
}

void TControl::contextMenuEvent(QContextMenuEvent *event)
{
    if (ShowPopupMenu(event->globalPos()))
        event->accept();
    else
        event->ignore();
}

// ---- TWinControl ----

TWinControl::TWinControl(QWidget *parent)
    : TControl(parent)
{
    setAutoFillBackground(true);
    setFocusPolicy(Qt::NoFocus);
}

TWinControl::~TWinControl()
{
    // The children outlive this part of the object (Qt deletes them later): they must no
    // longer reach it.
    for (TControl *child : m_controls)
        child->m_parentControl = nullptr;
    m_controls.clear();
}

void TWinControl::AddControl(TControl *control)
{
    m_controls.append(control);
    ChildrenRestacked();
}

void TWinControl::RemoveControl(TControl *control)
{
    m_controls.removeOne(control);
    Realign();
}

void TWinControl::ChildrenRestacked()
{
    KeepGraphicControlsBelow(this);
}

void TWinControl::EnableAlign()
{
    if (m_alignLevel > 0)
        --m_alignLevel;
    if (m_alignLevel == 0)
        Realign();
}

void TWinControl::Realign()
{
    if (m_alignLevel > 0 || m_aligning)
        return;
    m_aligning = true;
    TRect rect = ClientRect();
    AdjustClientRect(rect);
    for (TAlign align : {alTop, alBottom, alLeft, alRight, alClient}) {
        for (TControl *control : m_controls) {
            if (control->m_align == align && control->m_visible)
                PlaceAligned(control, align, rect);
        }
    }
    m_alignedSize = size();
    m_aligning = false;
    Aligned();
}

void TWinControl::ScrollBy(int DeltaX, int DeltaY)
{
    if (DeltaX == 0 && DeltaY == 0)
        return;
    for (TControl *control : m_controls)
        control->move(control->pos() + QPoint(DeltaX, DeltaY));
}

void TWinControl::PlaceAligned(TControl *control, TAlign align, TRect &rect)
{
    int width = std::max(0, rect.Width());
    int height = std::max(0, rect.Height());
    if (align == alTop || align == alBottom)
        height = control->Height();
    else if (align == alLeft || align == alRight)
        width = control->Width();
    control->ConstrainSize(width, height);
    switch (align) {
    case alTop:
        control->ApplyBounds(rect.Left, rect.Top, width, height);
        rect.Top += height;
        break;
    case alBottom:
        rect.Bottom -= height;
        control->ApplyBounds(rect.Left, rect.Bottom, width, height);
        break;
    case alLeft:
        control->ApplyBounds(rect.Left, rect.Top, width, height);
        rect.Left += width;
        break;
    case alRight:
        rect.Right -= width;
        control->ApplyBounds(rect.Right, rect.Top, width, height);
        break;
    case alClient:
        control->ApplyBounds(rect.Left, rect.Top, width, height);
        break;
    default:
        break;
    }
}

void TWinControl::SizeChanged()
{
    if (size() != m_alignedSize)
        Realign();
}

void TWinControl::resizeEvent(QResizeEvent *event)
{
    if (size() != m_alignedSize)
        Realign();
    TControl::resizeEvent(event);
}

void TWinControl::SetTabStop(bool TabStop)
{
    m_tabStop = TabStop;
    QWidget *target = FocusWidget();
    target->setFocusPolicy(TabStop ? Qt::StrongFocus : (target == this ? Qt::NoFocus : Qt::ClickFocus));
}

bool TWinControl::Focused() const
{
    return const_cast<TWinControl *>(this)->FocusWidget()->hasFocus();
}

void TWinControl::SetFocus()
{
    FocusWidget()->setFocus(Qt::OtherFocusReason);
}

// ---- TGraphicControl ----

TGraphicControl::TGraphicControl(QWidget *parent)
    : TControl(parent)
{
    setAutoFillBackground(false);
    KeepGraphicControlsBelow(parentWidget());
}
