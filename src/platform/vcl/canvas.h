// TCanvas: the platform's drawing surface over a QPainter, with its pixel rules rather
// than Qt's: rectangles are half-open, LineTo leaves the end point unpainted, one-pixel
// lines are placed pixel by pixel, and nothing is antialiased.
#pragma once

#include <QString>
#include <memory>

#include "platform/graphics/color.h"
#include "platform/graphics/font.h"
#include "platform/vcl/types.h"

class QFontMetrics;
class QPaintDevice;
class QPainter;

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };

enum TBrushStyle { bsSolid, bsClear };

// Width is in pixels; 0 draws like 1. The dashed styles apply to one-pixel pens only:
// wider pens always draw solid, as the platform does.
class TPen
{
public:
    TColor Color = clBlack;
    int Width = 1;
    TPenStyle Style = psSolid;
};

// A solid brush fills shapes and also paints the gaps of dashed lines and the cell behind
// text; a clear brush paints nothing.
class TBrush
{
public:
    TColor Color = clWhite;
    TBrushStyle Style = bsSolid;
};

class TCanvas
{
public:
    // Paints on device (typically a QImage) through a painter the canvas owns.
    explicit TCanvas(QPaintDevice *device);
    // Paints through painter, which stays the caller's; its state is restored afterwards.
    explicit TCanvas(QPainter *painter);
    ~TCanvas();

    TCanvas(const TCanvas &) = delete;
    TCanvas &operator=(const TCanvas &) = delete;

    TPen Pen;
    TBrush Brush;
    TFont Font;
    // Where the next LineTo starts; MoveTo, LineTo and TextOut move it.
    TPoint PenPos;

    // The painter the canvas draws with; null when painting could not begin (a null
    // device or painter), and then every drawing call does nothing.
    QPainter *Painter() const { return m_painter; }

    void MoveTo(int x, int y);
    // Draws from PenPos to (x, y), leaving (x, y) itself unpainted, and moves PenPos there.
    void LineTo(int x, int y);

    // Fills the half-open rect with the brush; an empty or inverted rect paints nothing.
    void FillRect(const TRect &rect);
    // A one-pixel border just inside the half-open rect, in the brush colour.
    void FrameRect(const TRect &rect);
    // The outline with the pen, inside the half-open rectangle (corners in any order), and
    // the interior with the brush. PenPos does not move.
    void Rectangle(int left, int top, int right, int bottom);
    void Rectangle(const TRect &rect) { Rectangle(rect.Left, rect.Top, rect.Right, rect.Bottom); }

    // The colour at (x, y); clNone outside the device or when the device cannot be read
    // back (only images can).
    TColor Pixels(int x, int y) const;
    void SetPixels(int x, int y, TColor color);

    // Text with its top-left corner at (x, y) in Font; with a solid brush the text cell is
    // filled first. PenPos moves to (x + TextWidth(text), y).
    void TextOut(int x, int y, const QString &text);
    int TextWidth(const QString &text) const;
    int TextHeight(const QString &text) const;

private:
    bool CanPaint() const;
    void FillPixels(const TRect &rect, TColor color);
    // A border of the given width just inside rect.
    void FillFrame(const TRect &rect, int width, TColor color);
    // One-pixel line from `from` to `to`, end point excluded. dashIndex counts the pixels
    // already drawn in the pen's dash pattern, so that a chain of lines continues it.
    void PaintThinLine(const TPoint &from, const TPoint &to, int &dashIndex);
    void PaintWideLine(const TPoint &from, const TPoint &to, int width);
    QFontMetrics Metrics() const;

    std::unique_ptr<QPainter> m_ownPainter;
    QPainter *m_painter = nullptr;
};
