// TFont: face name, colour, size in points, character set byte and style set, as stored.
// Sizes are points at 96 DPI; Height is the platform's negative pixel height.
#pragma once

#include <QFont>
#include <QString>
#include <cstdint>

#include "platform/graphics/color.h"

enum TFontStyle : uint8_t {
    fsBold = 1,
    fsItalic = 2,
    fsUnderline = 4,
    fsStrikeOut = 8,
};
using TFontStyles = uint8_t; // bit set of TFontStyle

constexpr uint8_t DEFAULT_CHARSET = 1;
constexpr uint8_t ANSI_CHARSET = 0;

class TFont
{
public:
    TFont() = default;

    QString Name = QStringLiteral("MS Sans Serif");
    TColor Color = clWindowText;
    int Size = 8;
    uint8_t Charset = DEFAULT_CHARSET;
    TFontStyles Style = 0;

    // Pixel height at 96 DPI, negative as the platform reports it for a point size.
    int Height() const;
    void SetHeight(int height);

    void Assign(const TFont &other) { *this = other; }
    bool operator==(const TFont &other) const;
    bool operator!=(const TFont &other) const { return !(*this == other); }

    // A QFont with this face, pixel size and style. Faces this machine lacks fall back to
    // a similar family through Qt's substitution.
    QFont ToQFont() const;
    void FromQFont(const QFont &font);
};
