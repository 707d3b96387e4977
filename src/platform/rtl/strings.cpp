#include "platform/rtl/strings.h"

#include "platform/rtl/cp1252.h"
#include "platform/rtl/streams.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>
#include <cstring>

namespace {

const QByteArray kUtf8Bom("\xEF\xBB\xBF", 3);
const QByteArray kUtf16LeBom("\xFF\xFE", 2);

char16_t FoldUpper(char16_t c)
{
    return (c >= 'a' && c <= 'z') ? char16_t(c - ('a' - 'A')) : c;
}

QString DecodeUtf16Le(const QByteArray &bytes)
{
    // Copied unit by unit so that unpaired surrogates survive a round trip.
    const qsizetype units = bytes.size() / 2;
    QString text(units, Qt::Uninitialized);
    char16_t *out = reinterpret_cast<char16_t *>(text.data());
    const auto *in = reinterpret_cast<const unsigned char *>(bytes.constData());
    for (qsizetype i = 0; i < units; ++i)
        out[i] = char16_t(in[2 * i] | (in[2 * i + 1] << 8));
    if (bytes.size() % 2 != 0)
        text.append(QChar::ReplacementCharacter); // a cut-off last unit
    return text;
}

QByteArray EncodeUtf16Le(const QString &text)
{
    QByteArray bytes(text.size() * 2, Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i].unicode();
        bytes[2 * i] = char(unit & 0xFF);
        bytes[2 * i + 1] = char(unit >> 8);
    }
    return bytes;
}

} // namespace

// ---- text encodings ----

QString DecodeTextBytes(const QByteArray &bytes, TTextEncoding &encoding)
{
    if (bytes.startsWith(kUtf16LeBom)) {
        encoding = TTextEncoding::Utf16LeBom;
        return DecodeUtf16Le(bytes.mid(2));
    }
    if (bytes.startsWith(kUtf8Bom)) {
        encoding = TTextEncoding::Utf8Bom;
        return QString::fromUtf8(bytes.constData() + 3, bytes.size() - 3);
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(bytes);
    if (!utf8.hasError()) {
        encoding = TTextEncoding::Utf8;
        return text;
    }
    encoding = TTextEncoding::Cp1252;
    return Cp1252ToString(bytes);
}

QByteArray EncodeTextBytes(const QString &text, TTextEncoding &encoding)
{
    switch (encoding) {
    case TTextEncoding::Utf16LeBom:
        return kUtf16LeBom + EncodeUtf16Le(text);
    case TTextEncoding::Utf8Bom:
        return kUtf8Bom + text.toUtf8();
    case TTextEncoding::Cp1252:
        if (IsCp1252Representable(text))
            return StringToCp1252(text);
        encoding = TTextEncoding::Utf8;
        return text.toUtf8();
    case TTextEncoding::Utf8:
        break;
    }
    return text.toUtf8();
}

bool SameTextAscii(const QString &a, const QString &b)
{
    return a.size() == b.size() && CompareTextAscii(a, b) == 0;
}

int CompareTextAscii(const QString &a, const QString &b)
{
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t x = FoldUpper(a[i].unicode());
        const char16_t y = FoldUpper(b[i].unicode());
        if (x != y)
            return x < y ? -1 : 1;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

// ---- TStrings ----

void TStrings::CheckIndex(int index, int count) const
{
    if (index < 0 || index >= count)
        throw EStringListError(QStringLiteral("List index out of bounds (%1)").arg(index));
}

int TStrings::Add(const QString &value)
{
    const int index = Count();
    Insert(index, value);
    return index;
}

int TStrings::IndexOf(const QString &value) const
{
    const int count = Count();
    for (int i = 0; i < count; ++i) {
        if (SameTextAscii(Strings(i), value))
            return i;
    }
    return -1;
}

QString TStrings::Text() const
{
    QString text;
    const int count = Count();
    for (int i = 0; i < count; ++i) {
        text += Strings(i);
        text += QLatin1String("\r\n");
    }
    return text;
}

void TStrings::SetText(const QString &text)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = text[i];
        if (c != u'\r' && c != u'\n')
            continue;
        lines.append(text.mid(start, i - start));
        if (c == u'\r' && i + 1 < size && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < size)
        lines.append(text.mid(start));
    FromStringList(lines);
}

QString TStrings::Names(int index) const
{
    const QString line = Strings(index);
    const qsizetype separator = line.indexOf(u'=');
    return separator < 0 ? QString() : line.left(separator);
}

QString TStrings::ValueFromIndex(int index) const
{
    const QString line = Strings(index);
    const qsizetype separator = line.indexOf(u'=');
    return separator < 0 ? QString() : line.mid(separator + 1);
}

int TStrings::IndexOfName(const QString &name) const
{
    const int count = Count();
    for (int i = 0; i < count; ++i) {
        const QString line = Strings(i);
        const qsizetype separator = line.indexOf(u'=');
        if (separator >= 0 && SameTextAscii(line.left(separator), name))
            return i;
    }
    return -1;
}

QString TStrings::Values(const QString &name) const
{
    const int index = IndexOfName(name);
    return index < 0 ? QString() : ValueFromIndex(index);
}

void TStrings::SetValue(const QString &name, const QString &value)
{
    int index = IndexOfName(name);
    if (value.isEmpty()) {
        if (index >= 0)
            Delete(index);
        return;
    }
    if (index < 0)
        index = Add(QString());
    SetString(index, name + u'=' + value);
}

void TStrings::LoadFromFile(const QString &fileName)
{
    TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(file);
}

void TStrings::SaveToFile(const QString &fileName) const
{
    TFileStream file(fileName, fmCreate);
    SaveToStream(file);
}

void TStrings::LoadFromStream(TStream &stream)
{
    const int64_t size = std::max<int64_t>(stream.Size() - stream.Position(), 0);
    QByteArray bytes(qsizetype(size), Qt::Uninitialized);
    stream.ReadBuffer(bytes.data(), bytes.size());
    TTextEncoding encoding;
    const QString text = DecodeTextBytes(bytes, encoding);
    SetText(text);
    m_encoding = encoding;
}

void TStrings::SaveToStream(TStream &stream) const
{
    TTextEncoding encoding = m_encoding;
    const QByteArray bytes = EncodeTextBytes(Text(), encoding);
    stream.WriteBuffer(bytes.constData(), bytes.size());
}

QStringList TStrings::ToStringList() const
{
    QStringList lines;
    const int count = Count();
    lines.reserve(count);
    for (int i = 0; i < count; ++i)
        lines.append(Strings(i));
    return lines;
}

void TStrings::FromStringList(const QStringList &lines)
{
    Clear();
    for (const QString &line : lines)
        Add(line);
}

// ---- TStringList ----

QString TStringList::Strings(int index) const
{
    CheckIndex(index, Count());
    return m_lines.at(index);
}

void TStringList::SetString(int index, const QString &value)
{
    CheckIndex(index, Count());
    m_lines[index] = value;
}

void TStringList::Insert(int index, const QString &value)
{
    CheckIndex(index, Count() + 1);
    m_lines.insert(index, value);
}

void TStringList::Delete(int index)
{
    CheckIndex(index, Count());
    m_lines.removeAt(index);
}

void TStringList::Sort()
{
    std::stable_sort(m_lines.begin(), m_lines.end(),
                     [](const QString &a, const QString &b) { return CompareTextAscii(a, b) < 0; });
}
