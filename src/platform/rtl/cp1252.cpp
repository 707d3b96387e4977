#include "platform/rtl/cp1252.h"

namespace {

// Code points of the bytes 0x80..0x9F; the rest of the code page equals Latin-1.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, //
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, //
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, //
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, //
};

// The byte for one UTF-16 code unit, or -1 when the code page has none.
int ByteFor(char16_t unit)
{
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF))
        return unit;
    for (int i = 0; i < 32; ++i) {
        if (kHighControls[i] == unit)
            return 0x80 + i;
    }
    return -1;
}

} // namespace

QString Cp1252ToString(const QByteArray &bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    char16_t *out = reinterpret_cast<char16_t *>(text.data());
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const unsigned char byte = static_cast<unsigned char>(bytes[i]);
        out[i] = (byte >= 0x80 && byte < 0xA0) ? kHighControls[byte - 0x80] : char16_t(byte);
    }
    return text;
}

QByteArray StringToCp1252(const QString &text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i].unicode();
        const int byte = ByteFor(unit);
        if (byte >= 0) {
            bytes.append(char(byte));
            continue;
        }
        bytes.append('?');
        // A surrogate pair is one character: one '?' for both halves.
        if (QChar::isHighSurrogate(unit) && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
    }
    return bytes;
}

bool IsCp1252Representable(const QString &text)
{
    for (const QChar c : text) {
        if (ByteFor(c.unicode()) < 0)
            return false;
    }
    return true;
}
