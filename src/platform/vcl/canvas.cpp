#include "platform/vcl/canvas.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cstdlib>

namespace {

// Dash patterns of one-pixel pens: lengths in pixels, alternately drawn and skipped.
struct DashPattern
{
    int Count;
    int Runs[6];
    int Period;
};

constexpr DashPattern kDash = {2, {18, 6}, 24};
constexpr DashPattern kDot = {2, {3, 3}, 6};
constexpr DashPattern kDashDot = {4, {9, 6, 3, 6}, 24};
constexpr DashPattern kDashDotDot = {6, {9, 3, 3, 3, 3, 3}, 24};

const DashPattern *PatternOf(TPenStyle style)
{
    switch (style) {
    case psDash:
        return &kDash;
    case psDot:
        return &kDot;
    case psDashDot:
        return &kDashDot;
    case psDashDotDot:
        return &kDashDotDot;
    default:
        return nullptr;
    }
}

// Whether the pixel at position index along a dashed line is drawn (or is a gap).
bool IsDashOn(const DashPattern &pattern, int index)
{
    int position = index % pattern.Period;
    for (int run = 0; run < pattern.Count; ++run) {
        if (position < pattern.Runs[run])
            return run % 2 == 0;
        position -= pattern.Runs[run];
    }
    return true;
}

// Walks the pixels of the line from (x1, y1) towards (x2, y2), end point excluded, one
// per step along the major axis. The minor coordinate steps when the error term says the
// ideal line has crossed the pixel midpoint; an exact tie steps only when the minor
// coordinate decreases, so that a line and its reverse cover the same pixels.
template<typename Visit>
void WalkLine(int x1, int y1, int x2, int y2, Visit visit)
{
    const long long dx = static_cast<long long>(x2) - x1;
    const long long dy = static_cast<long long>(y2) - y1;
    const long long absDx = std::llabs(dx);
    const long long absDy = std::llabs(dy);
    const bool xMajor = absDx > absDy;
    const long long major = xMajor ? absDx : absDy;
    const long long minor = xMajor ? absDy : absDx;
    const int majorStep = (xMajor ? dx : dy) < 0 ? -1 : 1;
    const int minorStep = (xMajor ? dy : dx) < 0 ? -1 : 1;
    const int bias = minorStep < 0 ? 1 : 0;

    long long x = x1;
    long long y = y1;
    long long error = 2 * minor - major;
    for (long long i = 0; i < major; ++i) {
        visit(int(x), int(y));
        if (error + bias > 0) {
            (xMajor ? y : x) += minorStep;
            error += 2 * minor - 2 * major;
        } else {
            error += 2 * minor;
        }
        (xMajor ? x : y) += majorStep;
    }
}

// Merges neighbouring pixels of one colour in a row or column into a single fill, so a
// line costs one fill per run instead of one per pixel.
class RunFiller
{
public:
    explicit RunFiller(QPainter &painter) : m_painter(painter) {}
    ~RunFiller() { Flush(); }

    void Add(int x, int y, const QColor &color)
    {
        if (!m_run.isEmpty() && color == m_color && Extend(x, y))
            return;
        Flush();
        m_run = QRect(x, y, 1, 1);
        m_color = color;
    }

    void Flush()
    {
        if (!m_run.isEmpty())
            m_painter.fillRect(m_run, m_color);
        m_run = QRect();
    }

private:
    bool Extend(int x, int y)
    {
        if (m_run.height() == 1 && y == m_run.y()) {
            if (x == m_run.x() + m_run.width()) {
                m_run.setWidth(m_run.width() + 1);
                return true;
            }
            if (x == m_run.x() - 1) {
                m_run.setLeft(x);
                return true;
            }
        }
        if (m_run.width() == 1 && x == m_run.x()) {
            if (y == m_run.y() + m_run.height()) {
                m_run.setHeight(m_run.height() + 1);
                return true;
            }
            if (y == m_run.y() - 1) {
                m_run.setTop(y);
                return true;
            }
        }
        return false;
    }

    QPainter &m_painter;
    QRect m_run;
    QColor m_color;
};

// The Qt font for Font, drawn without antialiasing like every other canvas output.
QFont CanvasFont(const TFont &font)
{
    QFont result = font.ToQFont();
    result.setStyleStrategy(QFont::NoAntialias);
    return result;
}

} // namespace

TCanvas::TCanvas(QPaintDevice *device) : m_ownPainter(std::make_unique<QPainter>())
{
    if (device && m_ownPainter->begin(device))
        m_painter = m_ownPainter.get();
    if (m_painter)
        m_painter->setRenderHint(QPainter::Antialiasing, false);
}

TCanvas::TCanvas(QPainter *painter)
{
    if (painter && painter->isActive()) {
        m_painter = painter;
        m_painter->save();
        m_painter->setRenderHint(QPainter::Antialiasing, false);
    }
}

TCanvas::~TCanvas()
{
    if (m_painter && !m_ownPainter)
        m_painter->restore();
}

bool TCanvas::CanPaint() const
{
    return m_painter && m_painter->isActive();
}

void TCanvas::FillPixels(const TRect &rect, TColor color)
{
    if (!rect.IsEmpty())
        m_painter->fillRect(rect.ToQRect(), ColorToQColor(color));
}

void TCanvas::FillFrame(const TRect &rect, int width, TColor color)
{
    if (rect.IsEmpty())
        return;
    // A frame as thick as half the rectangle covers all of it.
    if (2 * width >= rect.Width() || 2 * width >= rect.Height()) {
        FillPixels(rect, color);
        return;
    }
    FillPixels(TRect(rect.Left, rect.Top, rect.Right, rect.Top + width), color);
    FillPixels(TRect(rect.Left, rect.Bottom - width, rect.Right, rect.Bottom), color);
    FillPixels(TRect(rect.Left, rect.Top + width, rect.Left + width, rect.Bottom - width), color);
    FillPixels(TRect(rect.Right - width, rect.Top + width, rect.Right, rect.Bottom - width), color);
}

void TCanvas::MoveTo(int x, int y)
{
    PenPos = TPoint(x, y);
}

void TCanvas::LineTo(int x, int y)
{
    const TPoint from = PenPos;
    const TPoint to(x, y);
    PenPos = to;
    if (!CanPaint() || Pen.Style == psClear)
        return;
    if (Pen.Width > 1) {
        PaintWideLine(from, to, Pen.Width);
        return;
    }
    int dashIndex = 0;
    PaintThinLine(from, to, dashIndex);
}

void TCanvas::PaintThinLine(const TPoint &from, const TPoint &to, int &dashIndex)
{
    const DashPattern *pattern = PatternOf(Pen.Style);
    if (!pattern) {
        // Solid axis-aligned lines are a single run.
        if (from.Y == to.Y) {
            const int left = from.X <= to.X ? from.X : to.X + 1;
            const int right = from.X <= to.X ? to.X : from.X + 1;
            FillPixels(TRect(left, from.Y, right, from.Y + 1), Pen.Color);
            return;
        }
        if (from.X == to.X) {
            const int top = from.Y <= to.Y ? from.Y : to.Y + 1;
            const int bottom = from.Y <= to.Y ? to.Y : from.Y + 1;
            FillPixels(TRect(from.X, top, from.X + 1, bottom), Pen.Color);
            return;
        }
    }

    // Gaps of dashed lines take the brush colour when the brush is solid.
    const QColor penColor = ColorToQColor(Pen.Color);
    const QColor gapColor = ColorToQColor(Brush.Color);
    const bool paintGaps = Brush.Style == bsSolid;
    RunFiller runs(*m_painter);
    WalkLine(from.X, from.Y, to.X, to.Y, [&](int px, int py) {
        const bool on = !pattern || IsDashOn(*pattern, dashIndex);
        ++dashIndex;
        if (on)
            runs.Add(px, py, penColor);
        else if (paintGaps)
            runs.Add(px, py, gapColor);
    });
}

void TCanvas::PaintWideLine(const TPoint &from, const TPoint &to, int width)
{
    // Wide pens are geometric: solid, with round ends and joins.
    m_painter->setPen(QPen(ColorToQColor(Pen.Color), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    m_painter->setBrush(Qt::NoBrush);
    m_painter->drawLine(QPoint(from.X, from.Y), QPoint(to.X, to.Y));
}

void TCanvas::FillRect(const TRect &rect)
{
    if (CanPaint() && Brush.Style != bsClear)
        FillPixels(rect, Brush.Color);
}

void TCanvas::FrameRect(const TRect &rect)
{
    if (CanPaint() && Brush.Style != bsClear)
        FillFrame(rect, 1, Brush.Color);
}

void TCanvas::Rectangle(int left, int top, int right, int bottom)
{
    if (!CanPaint())
        return;
    const TRect rect(std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom));
    if (rect.IsEmpty())
        return;

    const int penWidth = Pen.Style == psClear ? 0 : std::max(1, Pen.Width);
    if (Brush.Style != bsClear) {
        FillPixels(TRect(rect.Left + penWidth, rect.Top + penWidth, rect.Right - penWidth, rect.Bottom - penWidth),
                   Brush.Color);
    }
    if (penWidth == 0)
        return;

    const bool thin = 2 * penWidth >= rect.Width() || 2 * penWidth >= rect.Height();
    if (penWidth == 1 && PatternOf(Pen.Style) && !thin) {
        // Dashed outline: one pattern running clockwise round the four sides.
        const TPoint corners[] = {
            {rect.Left, rect.Top},
            {rect.Right - 1, rect.Top},
            {rect.Right - 1, rect.Bottom - 1},
            {rect.Left, rect.Bottom - 1},
            {rect.Left, rect.Top},
        };
        int dashIndex = 0;
        for (int side = 0; side < 4; ++side)
            PaintThinLine(corners[side], corners[side + 1], dashIndex);
        return;
    }
    FillFrame(rect, penWidth, Pen.Color);
}

TColor TCanvas::Pixels(int x, int y) const
{
    if (!CanPaint() || m_painter->device()->devType() != QInternal::Image)
        return clNone;
    const QImage *image = static_cast<const QImage *>(m_painter->device());
    const QPoint point = m_painter->deviceTransform().map(QPoint(x, y));
    if (!image->valid(point))
        return clNone;
    return QColorToColor(image->pixelColor(point));
}

void TCanvas::SetPixels(int x, int y, TColor color)
{
    if (CanPaint())
        FillPixels(TRect(x, y, x + 1, y + 1), color);
}

QFontMetrics TCanvas::Metrics() const
{
    if (CanPaint())
        return QFontMetrics(CanvasFont(Font), m_painter->device());
    return QFontMetrics(CanvasFont(Font));
}

void TCanvas::TextOut(int x, int y, const QString &text)
{
    const QFontMetrics metrics = Metrics();
    const int width = metrics.horizontalAdvance(text);
    PenPos = TPoint(x + width, y);
    if (!CanPaint())
        return;
    if (Brush.Style == bsSolid)
        FillPixels(TRect(x, y, x + width, y + metrics.height()), Brush.Color);
    m_painter->setFont(CanvasFont(Font));
    m_painter->setPen(ColorToQColor(Font.Color));
    m_painter->drawText(QPoint(x, y + metrics.ascent()), text);
}

int TCanvas::TextWidth(const QString &text) const
{
    return Metrics().horizontalAdvance(text);
}

int TCanvas::TextHeight(const QString &text) const
{
    return Metrics().height();
}
