#include "platform/vcl/scrollbox.h"

#include <QApplication>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QWheelEvent>
#include <algorithm>

namespace {

// Pixels one step scrolls when the bar is not smooth.
constexpr int kScrollIncrement = 8;
constexpr int kFrameWidth = 2;

// The scroll bars keep the system's look whatever the box's colour.
void UseApplicationPalette(QWidget *widget)
{
    QPalette palette = QApplication::palette();
    palette.setResolveMask(~QPalette::ResolveMask(0));
    widget->setPalette(palette);
}

} // namespace

// Drawn above the children: the sunken frame and the square between the two bars. The
// children may reach under it but never cover it; it lets every mouse event through.
class TScrollBox::Frame : public QWidget
{
public:
    explicit Frame(TScrollBox *box) : QWidget(box), m_box(box)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        UseApplicationPalette(this);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        const int w = width();
        const int h = height();
        if (m_box->BorderStyle() == bsSingle) {
            auto line = [&](int x, int y, int width, int height, TColor color) {
                painter.fillRect(x, y, width, height, ColorToQColor(color));
            };
            // Outer ring: shadow at the top and left, highlight at the bottom and right.
            line(0, 0, w - 1, 1, clBtnShadow);
            line(0, 0, 1, h - 1, clBtnShadow);
            line(0, h - 1, w, 1, clBtnHighlight);
            line(w - 1, 0, 1, h, clBtnHighlight);
            // Inner ring: dark shadow at the top and left, light at the bottom and right.
            line(1, 1, w - 3, 1, cl3DDkShadow);
            line(1, 1, 1, h - 3, cl3DDkShadow);
            line(1, h - 2, w - 2, 1, cl3DLight);
            line(w - 2, 1, 1, h - 2, cl3DLight);
        }
        if (m_box->HorzScrollBar().IsScrollBarVisible() && m_box->VertScrollBar().IsScrollBarVisible()) {
            const QMargins margins = m_box->NonClientMargins();
            const int frame = m_box->BorderStyle() == bsSingle ? kFrameWidth : 0;
            painter.fillRect(QRect(w - margins.right(), h - margins.bottom(), margins.right() - frame,
                                   margins.bottom() - frame),
                             ColorToQColor(clBtnFace));
        }
    }

private:
    TScrollBox *m_box;
};

// ---- TControlScrollBar ----

TControlScrollBar::TControlScrollBar(TScrollBox *box, Qt::Orientation orientation)
    : m_box(box), m_bar(new QScrollBar(orientation, box))
{
    UseApplicationPalette(m_bar);
    m_bar->hide();
    m_bar->setTracking(m_tracking);
    QObject::connect(m_bar, &QScrollBar::valueChanged, box, [this](int value) { Moved(value); });
}

void TControlScrollBar::Moved(int value)
{
    m_box->ScrollTo(m_bar->orientation(), value);
}

void TControlScrollBar::SetPosition(int Position)
{
    const int maximum = m_bar->isHidden() ? 0 : m_bar->maximum();
    m_box->ScrollTo(m_bar->orientation(), std::clamp(Position, 0, maximum));
}

bool TControlScrollBar::IsScrollBarVisible() const
{
    return !m_bar->isHidden();
}

void TControlScrollBar::SetVisible(bool Visible)
{
    m_visible = Visible;
    m_box->Realign();
}

void TControlScrollBar::SetSmooth(bool Smooth)
{
    m_smooth = Smooth;
    m_box->Realign();
}

void TControlScrollBar::SetTracking(bool Tracking)
{
    m_tracking = Tracking;
    m_bar->setTracking(Tracking);
}

// ---- TScrollBox ----

TScrollBox::TScrollBox(QWidget *parent)
    : TWinControl(parent)
{
    m_horz.reset(new TControlScrollBar(this, Qt::Horizontal));
    m_vert.reset(new TControlScrollBar(this, Qt::Vertical));
    m_frame = new Frame(this);
    m_frame->show();
    SetBounds(Left(), Top(), 185, 41);
    ChildrenRestacked();
    Realign();
}

TScrollBox::~TScrollBox() = default;

void TScrollBox::SetAutoScroll(bool AutoScroll)
{
    if (m_autoScroll == AutoScroll)
        return;
    m_autoScroll = AutoScroll;
    Realign();
}

void TScrollBox::SetBorderStyle(TBorderStyle BorderStyle)
{
    if (m_borderStyle == BorderStyle)
        return;
    // The children keep their client positions inside the new border.
    const QPoint oldOrigin = ClientOrigin();
    m_borderStyle = BorderStyle;
    const QPoint shift = ClientOrigin() - oldOrigin;
    ScrollBy(shift.x(), shift.y());
    Realign();
    m_frame->update();
}

int TScrollBox::ScrollBarExtent() const
{
    return style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
}

QMargins TScrollBox::NonClientMargins() const
{
    const int frame = m_borderStyle == bsSingle ? kFrameWidth : 0;
    QMargins margins(frame, frame, frame, frame);
    if (m_vert && m_vert->IsScrollBarVisible())
        margins.setRight(margins.right() + ScrollBarExtent());
    if (m_horz && m_horz->IsScrollBarVisible())
        margins.setBottom(margins.bottom() + ScrollBarExtent());
    return margins;
}

void TScrollBox::AdjustClientRect(TRect &Rect)
{
    // Aligned children are laid out over the whole scrolled extent.
    const int left = -m_horz->m_position;
    const int top = -m_vert->m_position;
    Rect = TRect(left, top, left + std::max(m_horz->m_range, ClientWidth()),
                 top + std::max(m_vert->m_range, ClientHeight()));
}

void TScrollBox::ComputeRanges(int &horizontal, int &vertical) const
{
    // The far edge of the children that stay at the near side, plus the room of those
    // aligned to the far side; children filling a whole side add nothing along it.
    int right = 0;
    int rightMargin = 0;
    int bottom = 0;
    int bottomMargin = 0;
    for (TControl *control : Controls()) {
        if (!control->Visible())
            continue;
        const TAlign align = control->Align();
        if (align == alNone || align == alLeft || align == alCustom)
            right = std::max(right, m_horz->m_position + control->Left() + control->Width());
        else if (align == alRight)
            rightMargin += control->Width();
        if (align == alNone || align == alTop || align == alCustom)
            bottom = std::max(bottom, m_vert->m_position + control->Top() + control->Height());
        else if (align == alBottom)
            bottomMargin += control->Height();
    }
    horizontal = right + rightMargin;
    vertical = bottom + bottomMargin;
}

bool TScrollBox::UpdateScrollBars()
{
    int horizontal = 0;
    int vertical = 0;
    if (m_autoScroll)
        ComputeRanges(horizontal, vertical);
    m_horz->m_range = horizontal;
    m_vert->m_range = vertical;

    const int frame = m_borderStyle == bsSingle ? kFrameWidth : 0;
    const int extent = ScrollBarExtent();
    const int outerWidth = std::max(0, width() - 2 * frame);
    const int outerHeight = std::max(0, height() - 2 * frame);
    bool showHorz = false;
    bool showVert = false;
    if (m_autoScroll) {
        // One bar takes room from the other direction, so decide twice.
        for (int pass = 0; pass < 2; ++pass) {
            showHorz = m_horz->m_visible && horizontal > outerWidth - (showVert ? extent : 0);
            showVert = m_vert->m_visible && vertical > outerHeight - (showHorz ? extent : 0);
        }
    }
    const bool changed = showHorz != m_horz->IsScrollBarVisible() || showVert != m_vert->IsScrollBarVisible();
    const int clientWidth = std::max(0, outerWidth - (showVert ? extent : 0));
    const int clientHeight = std::max(0, outerHeight - (showHorz ? extent : 0));

    struct Setup
    {
        TControlScrollBar *Bar;
        bool Show;
        int Page;
        QRect Geometry;
    };
    const Setup setups[] = {
        {m_horz.get(), showHorz, clientWidth, QRect(frame, frame + clientHeight, clientWidth, extent)},
        {m_vert.get(), showVert, clientHeight, QRect(frame + clientWidth, frame, extent, clientHeight)},
    };
    for (const Setup &setup : setups) {
        TControlScrollBar *bar = setup.Bar;
        const int maximum = setup.Show ? std::max(0, bar->m_range - setup.Page) : 0;
        bar->m_bar->setVisible(setup.Show);
        bar->m_bar->setGeometry(setup.Geometry);
        bar->m_bar->setPageStep(std::max(1, setup.Page));
        bar->m_bar->setSingleStep(bar->m_smooth ? std::max(1, setup.Page / 10) : kScrollIncrement);
        bar->m_bar->setRange(0, maximum);
        if (bar->m_position > maximum)
            ScrollTo(bar->m_bar->orientation(), maximum);
    }
    m_frame->setGeometry(rect());
    m_frame->update();
    return changed;
}

void TScrollBox::ScrollTo(Qt::Orientation orientation, int position)
{
    TControlScrollBar &bar = orientation == Qt::Horizontal ? *m_horz : *m_vert;
    const int delta = position - bar.m_position;
    bar.m_position = position;
    if (bar.m_bar->value() != position) {
        const QSignalBlocker blocker(bar.m_bar);
        bar.m_bar->setValue(position);
    }
    if (orientation == Qt::Horizontal)
        ScrollBy(-delta, 0);
    else
        ScrollBy(0, -delta);
}

void TScrollBox::Aligned()
{
    if (m_updatingBars)
        return;
    m_updatingBars = true;
    // A bar that appears or goes changes the client area: lay out again (a few times at
    // most, in case the two bars keep each other changing).
    for (int pass = 0; pass < 3 && UpdateScrollBars(); ++pass)
        Realign();
    m_updatingBars = false;
}

void TScrollBox::ChildrenRestacked()
{
    TWinControl::ChildrenRestacked();
    if (!m_frame)
        return;
    m_frame->raise();
    m_horz->m_bar->raise();
    m_vert->m_bar->raise();
}

void TScrollBox::wheelEvent(QWheelEvent *event)
{
    QScrollBar *bar = nullptr;
    if (m_vert->IsScrollBarVisible())
        bar = m_vert->m_bar;
    else if (m_horz->IsScrollBarVisible())
        bar = m_horz->m_bar;
    if (bar)
        QCoreApplication::sendEvent(bar, event);
    else
        event->ignore();
}
