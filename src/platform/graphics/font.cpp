#include "platform/graphics/font.h"

#include <QtMath>

int TFont::Height() const
{
    // Points to pixels at 96 DPI, rounded half away from zero as MulDiv does.
    return -int(std::lround(Size * 96.0 / 72.0));
}

void TFont::SetHeight(int height)
{
    Size = int(std::lround(-height * 72.0 / 96.0));
}

bool TFont::operator==(const TFont &other) const
{
    return Name == other.Name && Color == other.Color && Size == other.Size && Charset == other.Charset
           && Style == other.Style;
}

QFont TFont::ToQFont() const
{
    QFont font(Name);
    const int pixels = std::abs(Height());
    if (pixels > 0)
        font.setPixelSize(pixels);
    font.setBold(Style & fsBold);
    font.setItalic(Style & fsItalic);
    font.setUnderline(Style & fsUnderline);
    font.setStrikeOut(Style & fsStrikeOut);
    return font;
}

void TFont::FromQFont(const QFont &font)
{
    Name = font.family();
    if (font.pixelSize() > 0)
        SetHeight(-font.pixelSize());
    else if (font.pointSizeF() > 0)
        Size = int(std::lround(font.pointSizeF()));
    Style = (font.bold() ? fsBold : 0) | (font.italic() ? fsItalic : 0) | (font.underline() ? fsUnderline : 0)
            | (font.strikeOut() ? fsStrikeOut : 0);
}
