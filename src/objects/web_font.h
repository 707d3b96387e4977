// The font of a web twin: a plain value that web sessions copy and read on worker threads,
// where no TFont of a live control may be touched.
#pragma once

#include <QString>

#include "platform/graphics/color.h"
#include "platform/graphics/font.h"

struct TWebFont
{
    QString Name = QStringLiteral("MS Sans Serif");
    TColor Color = clWindowText;
    int Size = 8;
    TFontStyles Style = 0;
};
