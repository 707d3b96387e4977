#include "core/colors.h"

#include <algorithm>
#include <utility>

#include "platform/vcl/canvas.h"

TColorList RecentColorList = {clWhite, clWhite, clWhite, clWhite, clWhite};
TColorList CustomColorList = {clWhite, clWhite, clWhite, clWhite, clWhite};

namespace {

// numerator / denominator (denominator > 0) rounded to the nearest integer, ties to even.
long long RoundHalfEven(long long numerator, long long denominator)
{
    long long quotient = numerator / denominator;
    long long remainder = numerator % denominator;
    if (remainder < 0) { // make it the floor, with 0 <= remainder < denominator
        --quotient;
        remainder += denominator;
    }
    if (2 * remainder > denominator || (2 * remainder == denominator && quotient % 2 != 0))
        ++quotient;
    return quotient;
}

// InterpolateColor over 64-bit counts and steps, so that gradients over any int
// rectangle cannot overflow.
TColor Interpolate(TColor color1, TColor color2, long long count, long long step)
{
    const TColor from = ResolveColor(color1);
    const TColor to = ResolveColor(color2);
    count = std::max(count, 1LL);
    TColor result = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const long long a = (from >> shift) & 0xFF;
        const long long b = (to >> shift) & 0xFF;
        const long long channel = (a + RoundHalfEven((b - a) * step, count)) & 0xFF;
        result |= static_cast<TColor>(channel << shift);
    }
    return result;
}

void PushFront(TColorList &list, TColor color)
{
    std::copy_backward(list.begin(), list.end() - 1, list.end());
    list[0] = color;
}

TColor EntryOf(const TColorList &list, int index)
{
    return index >= 0 && index < int(list.size()) ? list[index] : clWhite;
}

} // namespace

void InitColorLists()
{
    RecentColorList.fill(clWhite);
    CustomColorList.fill(clWhite);
}

void AddRecentColor(TColor color)
{
    if (std::find(RecentColorList.begin(), RecentColorList.end(), color) == RecentColorList.end())
        PushFront(RecentColorList, color);
}

void AddCustomColor(TColor color)
{
    PushFront(CustomColorList, color);
}

TColor GetRecentColor(int index)
{
    return EntryOf(RecentColorList, index);
}

TColor GetCustomColor(int index)
{
    return EntryOf(CustomColorList, index);
}

TColor ResolveColor(TColor color)
{
    if (color < 0)
        return GetSysColor(color & 0xFF);
    if (color == clNone)
        return clBlack;
    return color;
}

TColor InterpolateColor(TColor color1, TColor color2, int count, int step)
{
    return Interpolate(color1, color2, count, step);
}

void DrawGradient(TCanvas &canvas, int style, TColor startColor, TColor endColor, TRect rect)
{
    if (style < 1 || style > 8)
        return;

    long long left = rect.Left;
    long long right = rect.Right;
    long long top = rect.Top;
    long long bottom = rect.Bottom;
    if (right <= left)
        std::swap(left, right);
    if (bottom <= top)
        std::swap(top, bottom);
    // Integer division truncates toward zero, which places the middle of a rectangle
    // with negative coordinates as the design expects.
    const long long midY = (top + bottom) / 2;
    const long long halfH = (bottom - top) / 2;
    const long long midX = (left + right) / 2;
    const long long halfW = (right - left) / 2;

    canvas.Pen.Style = psSolid;
    canvas.Pen.Width = 1;
    auto row = [&](long long y, TColor from, TColor to, long long count, long long step) {
        canvas.Pen.Color = Interpolate(from, to, count, step);
        canvas.MoveTo(int(left), int(y));
        canvas.LineTo(int(right), int(y));
    };
    auto column = [&](long long x, TColor from, TColor to, long long count, long long step) {
        canvas.Pen.Color = Interpolate(from, to, count, step);
        canvas.MoveTo(int(x), int(top));
        canvas.LineTo(int(x), int(bottom));
    };

    switch (style) {
    case 1:
        for (long long y = top; y <= bottom; ++y)
            row(y, startColor, endColor, bottom - top + 1, y - top);
        break;
    case 2:
        for (long long y = top; y <= bottom; ++y)
            row(y, endColor, startColor, bottom - top + 1, y - top);
        break;
    case 3:
        for (long long x = left; x <= right; ++x)
            column(x, startColor, endColor, right - left + 1, x - left);
        break;
    case 4:
        for (long long x = left; x <= right; ++x)
            column(x, endColor, startColor, right - left + 1, x - left);
        break;
    case 5:
        for (long long y = top; y < midY; ++y)
            row(y, endColor, startColor, halfH, y - top);
        for (long long y = midY; y < bottom; ++y)
            row(y, startColor, endColor, halfH, y - midY);
        break;
    case 6:
        for (long long y = top; y < midY; ++y)
            row(y, startColor, endColor, halfH, y - top);
        for (long long y = midY; y < bottom; ++y)
            row(y, endColor, startColor, halfH, y - midY);
        break;
    case 7:
        for (long long x = left; x < midX; ++x)
            column(x, endColor, startColor, halfW, x - left);
        // With an odd width the middle column lies halfW + 1 from the right edge; its step
        // is held at the count so that it takes the start colour instead of running past it.
        for (long long x = midX; x < right; ++x)
            column(x, endColor, startColor, halfW, std::min(right - x, std::max(halfW, 1LL)));
        break;
    case 8:
        for (long long x = midX - 1; x >= left; --x)
            column(x, endColor, startColor, halfW, midX - 1 - x);
        for (long long x = midX; x < right; ++x)
            column(x, endColor, startColor, halfW, x - midX);
        break;
    }
}

void DrawDesignFrame(TCanvas &canvas, const TRect &rect)
{
    canvas.Pen.Color = DesignFrameColor;
    canvas.Pen.Style = psDot;
    canvas.Pen.Width = 1;
    canvas.Brush.Style = bsClear;
    canvas.Rectangle(rect);
}
