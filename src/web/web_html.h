// Escaping and small pieces of markup shared by everything that writes web pages.
#pragma once

#include <QString>

#include "platform/graphics/color.h"

struct TWebFont;

// Text for HTML content and attribute values: & < > " ' become character references.
QString HtmlEscape(const QString &Text);

// A JSON string literal (quotes included) that is also safe inside a <script> element:
// besides the JSON escapes, <, >, &, U+2028 and U+2029 are written as \u escapes.
QString JsonString(const QString &Text);

// A CSS colour for a stored colour: system colours resolved to RGB, clNone transparent.
QString CssColor(TColor Color);

// CSS declarations of a font: family (quoted, with a generic fallback), size in points,
// colour, weight, slant and decoration.
QString CssFont(const TWebFont &Font);
