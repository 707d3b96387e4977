// Reading RTF 1.x into a QTextDocument. The reader keeps what the document can show: text
// decoded through the document's and each font's code page, character formatting (bold,
// italic, underline, strike-out, font, size, colours, super- and subscript), paragraph
// alignment, indents and spacing, PNG and JPEG pictures as inline images. Tables become one
// paragraph per row with the cells separated by tabs; list bullets and numbers are kept as the
// plain text the file carries. Everything else (style sheet, document information, headers,
// footers, foot notes, objects, fields' instructions, unknown destinations) is read past.
#pragma once

#include <QByteArray>
#include <QString>

class QTextDocument;

// True when the bytes start, after any white space, with "{\rtf".
bool IsRtf(const QByteArray &bytes);

// Replaces the document's content (and its image resources) with the RTF text. Returns false,
// with a message in *error, when the bytes are not RTF or are damaged (they end inside a
// group, or nest groups deeper than the reader follows); the document then holds everything
// that could be read. Any input is safe to read.
bool ReadRtf(const QByteArray &rtf, QTextDocument &document, QString *error = nullptr);
