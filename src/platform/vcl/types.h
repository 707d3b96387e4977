// Points and rectangles in the platform's layout. A TRect is half-open: Right and Bottom
// lie just outside it, so Width() is Right - Left. QRect keeps width and height instead,
// which is why conversions go through x/y/width/height and never QRect::right()/bottom().
#pragma once

#include <QPoint>
#include <QRect>
#include <cstdint>

struct TPoint
{
    int X = 0;
    int Y = 0;

    TPoint() = default;
    TPoint(int x, int y) : X(x), Y(y) {}

    bool operator==(const TPoint &other) const { return X == other.X && Y == other.Y; }
    bool operator!=(const TPoint &other) const { return !(*this == other); }
};

struct TRect
{
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    TRect() = default;
    TRect(int left, int top, int right, int bottom) : Left(left), Top(top), Right(right), Bottom(bottom) {}
    explicit TRect(const QRect &rect)
        : Left(rect.x()), Top(rect.y()), Right(rect.x() + rect.width()), Bottom(rect.y() + rect.height())
    {
    }

    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    // True when the rectangle holds no pixel (also when Right < Left or Bottom < Top).
    bool IsEmpty() const { return Right <= Left || Bottom <= Top; }

    QRect ToQRect() const { return QRect(Left, Top, Right - Left, Bottom - Top); }

    bool operator==(const TRect &other) const
    {
        return Left == other.Left && Top == other.Top && Right == other.Right && Bottom == other.Bottom;
    }
    bool operator!=(const TRect &other) const { return !(*this == other); }
};

// How a control places itself in its parent.
enum TAlign : uint8_t { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };

enum TAlignment : uint8_t { taLeftJustify, taRightJustify, taCenter };

// Qt's horizontal flag for an alignment; values out of range align left.
inline Qt::Alignment HorizontalAlignment(TAlignment Alignment)
{
    switch (Alignment) {
    case taRightJustify:
        return Qt::AlignRight;
    case taCenter:
        return Qt::AlignHCenter;
    default:
        return Qt::AlignLeft;
    }
}

// Mouse cursor ids as stored (int16); negative values are the platform's stock cursors.
using TCursor = int16_t;
constexpr TCursor crDefault = 0;
