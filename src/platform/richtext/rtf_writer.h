// Writing a QTextDocument as RTF 1.x that word processors open: a font table and a colour
// table, one \par-terminated paragraph per block with its alignment, indents and spacing, runs
// with bold, italic, underline, strike-out, font, size, colours and super- or subscript, text
// in code page 1252 with \uN for other characters, and inline images as PNG or JPEG pictures.
#pragma once

#include <QByteArray>

class QTextDocument;

QByteArray WriteRtf(const QTextDocument &document);
