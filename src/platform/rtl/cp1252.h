// The Windows-1252 code page, used for text files without a byte order mark that are not
// valid UTF-8 and for texts stored in that code page. The five bytes the code page leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the control characters of the same value,
// so every byte sequence survives a round trip.
#pragma once

#include <QByteArray>
#include <QString>

QString Cp1252ToString(const QByteArray &bytes);
// Characters the code page cannot hold become '?' (one per character, surrogate pairs included).
QByteArray StringToCp1252(const QString &text);
// True when StringToCp1252 would keep every character of text.
bool IsCp1252Representable(const QString &text);
