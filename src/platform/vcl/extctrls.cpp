#include "platform/vcl/extctrls.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "platform/exception_boundary.h"
#include "platform/vcl/canvas.h"
#include "platform/vcl/cursors.h"

namespace {

// A 3D frame of the given width just inside rect, which shrinks by it: the top and left
// edges in top, the bottom and right edges in bottom (which also takes the top-right and
// bottom-left corner pixels), as the platform draws bevels.
void Frame3D(TCanvas &canvas, TRect &rect, TColor top, TColor bottom, int width)
{
    canvas.Pen.Width = 1;
    canvas.Pen.Style = psSolid;
    TRect r(rect.Left, rect.Top, rect.Right - 1, rect.Bottom - 1);
    for (; width > 0; --width) {
        canvas.Pen.Color = top;
        canvas.MoveTo(r.Left, r.Bottom);
        canvas.LineTo(r.Left, r.Top);
        canvas.LineTo(r.Right, r.Top);
        canvas.Pen.Color = bottom;
        canvas.LineTo(r.Right, r.Bottom);
        canvas.LineTo(r.Left - 1, r.Bottom);
        r = TRect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
    }
    rect = TRect(r.Left, r.Top, r.Right + 1, r.Bottom + 1);
}

void BevelColors(TPanelBevel bevel, TColor face, TColor &top, TColor &bottom)
{
    switch (bevel) {
    case bvLowered:
        top = clBtnShadow;
        bottom = clBtnHighlight;
        break;
    case bvSpace:
        top = face;
        bottom = face;
        break;
    default:
        top = clBtnHighlight;
        bottom = clBtnShadow;
        break;
    }
}

} // namespace

// ---- TCustomPanel ----

TCustomPanel::TCustomPanel(QWidget *parent)
    : TWinControl(parent)
{
    SetColor(clBtnFace);
    SetBounds(Left(), Top(), 185, 41);
}

void TCustomPanel::Changed()
{
    Realign();
    update();
}

void TCustomPanel::SetAlignment(TAlignment Alignment)
{
    m_alignment = Alignment;
    update();
}

void TCustomPanel::SetBevelInner(TPanelBevel BevelInner)
{
    m_bevelInner = BevelInner;
    Changed();
}

void TCustomPanel::SetBevelOuter(TPanelBevel BevelOuter)
{
    m_bevelOuter = BevelOuter;
    Changed();
}

void TCustomPanel::SetBevelWidth(int BevelWidth)
{
    if (BevelWidth < 1)
        return;
    m_bevelWidth = BevelWidth;
    Changed();
}

void TCustomPanel::SetBorderWidth(int BorderWidth)
{
    if (BorderWidth < 0)
        return;
    m_borderWidth = BorderWidth;
    Changed();
}

void TCustomPanel::AdjustClientRect(TRect &Rect)
{
    int inset = m_borderWidth;
    if (m_bevelOuter != bvNone)
        inset += m_bevelWidth;
    if (m_bevelInner != bvNone)
        inset += m_bevelWidth;
    Rect = TRect(Rect.Left + inset, Rect.Top + inset, Rect.Right - inset, Rect.Bottom - inset);
}

void TCustomPanel::Paint()
{
    TCanvas &canvas = *Canvas();
    TRect rect = ClientRect();
    TColor top;
    TColor bottom;
    if (m_bevelOuter != bvNone) {
        BevelColors(m_bevelOuter, Color(), top, bottom);
        Frame3D(canvas, rect, top, bottom, m_bevelWidth);
    }
    Frame3D(canvas, rect, Color(), Color(), m_borderWidth);
    if (m_bevelInner != bvNone) {
        BevelColors(m_bevelInner, Color(), top, bottom);
        Frame3D(canvas, rect, top, bottom, m_bevelWidth);
    }
    canvas.Brush.Color = Color();
    canvas.Brush.Style = bsSolid;
    canvas.FillRect(rect);
    QPainter *painter = canvas.Painter();
    if (Caption().isEmpty() || !painter)
        return;
    painter->setFont(Font().ToQFont());
    const int fontHeight = painter->fontMetrics().height();
    const QRect textRect(rect.Left, (rect.Top + rect.Bottom - fontHeight) / 2, std::max(0, rect.Width()), fontHeight);
    painter->setPen(ColorToQColor(Font().Color));
    painter->drawText(textRect, int(HorizontalAlignment(m_alignment)) | Qt::AlignTop | Qt::TextExpandTabs |
                                    Qt::TextShowMnemonic,
                      Caption());
}

// ---- TSplitter ----

// Where a splitter dragged with rsLine or rsPattern will go: a bar over the siblings.
class TSplitter::Line : public QWidget
{
public:
    Line(QWidget *parent, TResizeStyle style) : QWidget(parent), m_style(style)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        if (m_style == rsPattern)
            painter.fillRect(rect(), QBrush(Qt::black, Qt::Dense4Pattern));
        else
            painter.fillRect(rect(), ColorToQColor(clGray));
    }

private:
    TResizeStyle m_style;
};

TSplitter::TSplitter(QWidget *parent)
    : TGraphicControl(parent)
{
    SetBounds(Left(), Top(), 3, 100);
    SetAlign(alLeft);
    SetCursor(crHSplit);
}

TSplitter::~TSplitter()
{
    delete m_line;
}

void TSplitter::SetBeveled(bool Beveled)
{
    m_beveled = Beveled;
    update();
}

void TSplitter::AlignChanged()
{
    // A splitter cursor follows the edge; any other cursor stays.
    if (Cursor() == crHSplit || Cursor() == crVSplit)
        SetCursor(Align() == alTop || Align() == alBottom ? crVSplit : crHSplit);
}

void TSplitter::Paint()
{
    TCanvas &canvas = *Canvas();
    canvas.Brush.Color = Color();
    canvas.Brush.Style = bsSolid;
    canvas.FillRect(ClientRect());
    if (!m_beveled)
        return;
    TRect rect = ClientRect();
    rect = Horizontal() ? TRect(rect.Left + 1, rect.Top - 2, rect.Right - 1, rect.Bottom + 2)
                        : TRect(rect.Left - 2, rect.Top + 1, rect.Right + 2, rect.Bottom - 1);
    canvas.Brush.Color = clBtnHighlight;
    canvas.FrameRect(TRect(rect.Left + 1, rect.Top + 1, rect.Right + 1, rect.Bottom + 1));
    canvas.Brush.Color = clBtnShadow;
    canvas.FrameRect(TRect(rect.Left - 1, rect.Top - 1, rect.Right - 1, rect.Bottom - 1));
}

TControl *TSplitter::ResizedControl() const
{
    TWinControl *parent = Parent();
    const TAlign align = Align();
    if (!parent || align == alNone || align == alClient || align == alCustom)
        return nullptr;
    TControl *found = nullptr;
    for (TControl *control : parent->Controls()) {
        if (control == this)
            return found;
        if (control->Visible() && control->Align() == align)
            found = control;
    }
    return nullptr;
}

int TSplitter::SizeOf(const TControl *control) const
{
    return Horizontal() ? control->Width() : control->Height();
}

int TSplitter::NewSize(QPoint position) const
{
    const int split = Horizontal() ? position.x() - m_downPosition.x() : position.y() - m_downPosition.y();
    const int size = Align() == alLeft || Align() == alTop ? SizeOf(m_control) + split : SizeOf(m_control) - split;
    const int minSize = std::max(1, m_minSize);
    if (size < minSize)
        return m_autoSnap ? 0 : minSize;
    return std::min(size, m_maxSize);
}

void TSplitter::ApplySize(int size)
{
    if (!m_control || size == SizeOf(m_control))
        return;
    switch (Align()) {
    case alLeft:
        m_control->SetWidth(size);
        break;
    case alTop:
        m_control->SetHeight(size);
        break;
    case alRight:
        m_control->SetBounds(m_control->Left() + m_control->Width() - size, m_control->Top(), size,
                             m_control->Height());
        break;
    case alBottom:
        m_control->SetBounds(m_control->Left(), m_control->Top() + m_control->Height() - size,
                             m_control->Width(), size);
        break;
    default:
        break;
    }
}

void TSplitter::ShowLine(int size)
{
    if (!m_line) {
        m_line = new Line(parentWidget(), m_resizeStyle);
        m_line->show();
    }
    // The splitter moves by as much as its control grows (the other way on the far sides).
    int delta = size - SizeOf(m_control);
    if (Align() == alRight || Align() == alBottom)
        delta = -delta;
    m_line->setGeometry(geometry().translated(Horizontal() ? QPoint(delta, 0) : QPoint(0, delta)));
    m_line->raise();
}

void TSplitter::mousePressEvent(QMouseEvent *event)
{
    TGraphicControl::mousePressEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    m_control = ResizedControl();
    if (!m_control)
        return;
    m_downPosition = event->position().toPoint();
    // Room for the control: the parent's client extent less MinSize and less every other
    // control aligned along the same axis (this splitter included).
    const bool horizontal = Horizontal();
    int room = (horizontal ? Parent()->ClientWidth() : Parent()->ClientHeight()) - std::max(1, m_minSize);
    for (TControl *control : Parent()->Controls()) {
        if (!control->Visible())
            continue;
        const TAlign align = control->Align();
        if (horizontal && (align == alLeft || align == alRight))
            room -= control->Width();
        else if (!horizontal && (align == alTop || align == alBottom))
            room -= control->Height();
    }
    m_maxSize = room + SizeOf(m_control);
    m_newSize = SizeOf(m_control);
    if (m_resizeStyle == rsLine || m_resizeStyle == rsPattern)
        ShowLine(m_newSize);
}

void TSplitter::mouseMoveEvent(QMouseEvent *event)
{
    TGraphicControl::mouseMoveEvent(event);
    if (!m_control || !(event->buttons() & Qt::LeftButton))
        return;
    const int size = NewSize(event->position().toPoint());
    if (size == m_newSize)
        return;
    m_newSize = size;
    if (m_resizeStyle == rsUpdate)
        ApplySize(size);
    else if (m_line)
        ShowLine(size);
}

void TSplitter::mouseReleaseEvent(QMouseEvent *event)
{
    TGraphicControl::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton || !m_control)
        return;
    ApplySize(NewSize(event->position().toPoint()));
    StopDragging();
}

void TSplitter::StopDragging()
{
    m_control = nullptr;
    delete m_line;
}

// ---- TTimer ----

TTimer::TTimer(QObject *parent)
    : QObject(parent)
{
    QObject::connect(&m_timer, &QTimer::timeout, this, [this] {
        if (OnTimer)
            GuardedCall([this] { OnTimer(this); });
    });
    Restart();
}

void TTimer::SetInterval(int Interval)
{
    m_interval = Interval;
    Restart();
}

void TTimer::SetEnabled(bool Enabled)
{
    m_enabled = Enabled;
    Restart();
}

void TTimer::Restart()
{
    m_timer.stop();
    if (m_enabled && m_interval > 0)
        m_timer.start(m_interval);
}
