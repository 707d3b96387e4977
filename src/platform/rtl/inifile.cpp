#include "platform/rtl/inifile.h"

#include "platform/rtl/strings.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QVector>

#include <cstdint>

namespace {

// One line of the file as read: its text and the line break that ended it ("" for a last
// line without one), so that untouched lines are written back exactly.
struct TIniLine {
    QString text;
    QString lineBreak;
};

enum class TLineKind { Blank, Comment, Section, Key, Other };

struct TParsedLine {
    TLineKind kind = TLineKind::Other;
    QString name;         // section or key name, trimmed
    qsizetype valueStart = 0; // key lines: where the trimmed value begins in the text
    QString value;        // key lines: the value, trimmed
};

// The lines of a section: its header and the lines up to the next header.
struct TSectionSpan {
    QString name;
    int header = -1;
    int end = 0;
};

struct TIniDocument {
    QVector<TIniLine> lines;
    TTextEncoding encoding = TTextEncoding::Utf8;
    QString newLine = QStringLiteral("\r\n");
};

bool IsBlank(QChar c)
{
    const char16_t u = c.unicode();
    return u == ' ' || (u >= 0x09 && u <= 0x0D) || u == 0x1A;
}

QString TrimBlanks(const QString &text)
{
    qsizetype start = 0;
    qsizetype end = text.size();
    while (start < end && IsBlank(text[start]))
        ++start;
    while (end > start && IsBlank(text[end - 1]))
        --end;
    return text.mid(start, end - start);
}

// Line breaks cannot be stored inside a line; they would start new keys or sections.
QString OneLine(const QString &text)
{
    QString line = text;
    line.replace(u'\r', u' ').replace(u'\n', u' ');
    return line;
}

TParsedLine ParseLine(const QString &text)
{
    TParsedLine parsed;
    qsizetype start = 0;
    while (start < text.size() && IsBlank(text[start]))
        ++start;
    if (start == text.size()) {
        parsed.kind = TLineKind::Blank;
        return parsed;
    }
    if (text[start] == u';') {
        parsed.kind = TLineKind::Comment;
        return parsed;
    }
    if (text[start] == u'[') {
        const qsizetype close = text.lastIndexOf(u']');
        if (close > start) {
            parsed.kind = TLineKind::Section;
            parsed.name = TrimBlanks(text.mid(start + 1, close - start - 1));
        }
        return parsed;
    }
    const qsizetype equals = text.indexOf(u'=', start);
    if (equals < 0)
        return parsed;
    parsed.kind = TLineKind::Key;
    parsed.name = TrimBlanks(text.mid(start, equals - start));
    qsizetype valueStart = equals + 1;
    while (valueStart < text.size() && IsBlank(text[valueStart]))
        ++valueStart;
    parsed.valueStart = valueStart;
    parsed.value = TrimBlanks(text.mid(valueStart));
    return parsed;
}

QString StripQuotes(const QString &value)
{
    if (value.size() >= 2) {
        const QChar first = value.front();
        if ((first == u'"' || first == u'\'') && value.back() == first)
            return value.mid(1, value.size() - 2);
    }
    return value;
}

TIniDocument SplitLines(const QString &text)
{
    TIniDocument document;
    bool styleFound = false;
    qsizetype start = 0;
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = text[i];
        if (c != u'\r' && c != u'\n')
            continue;
        const qsizetype breakLength = (c == u'\r' && i + 1 < size && text[i + 1] == u'\n') ? 2 : 1;
        const QString lineBreak = text.mid(i, breakLength);
        document.lines.append({text.mid(start, i - start), lineBreak});
        if (!styleFound) {
            document.newLine = lineBreak;
            styleFound = true;
        }
        i += breakLength - 1;
        start = i + 1;
    }
    if (start < size)
        document.lines.append({text.mid(start), QString()});
    return document;
}

// Reads the file; a missing file is an empty document. A file that exists but cannot be read
// is empty for reading and an error for writing, which would replace its content.
TIniDocument LoadDocument(const QString &fileName, bool forWriting)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        if (forWriting && QFileInfo::exists(fileName))
            throw EIniFileException(QStringLiteral("Unable to write to %1").arg(fileName));
        return TIniDocument();
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        if (forWriting)
            throw EIniFileException(QStringLiteral("Unable to write to %1").arg(fileName));
        return TIniDocument();
    }
    TTextEncoding encoding;
    const QString text = DecodeTextBytes(bytes, encoding);
    TIniDocument document = SplitLines(text);
    document.encoding = encoding;
    return document;
}

// Writes through a temporary file in the same folder renamed over the original, so that
// readers never see half a file; QSaveFile keeps the original's permissions.
void SaveDocument(const QString &fileName, const TIniDocument &document)
{
    QString text;
    for (const TIniLine &line : document.lines) {
        text += line.text;
        text += line.lineBreak;
    }
    TTextEncoding encoding = document.encoding;
    const QByteArray bytes = EncodeTextBytes(text, encoding);
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw EIniFileException(QStringLiteral("Unable to write to %1").arg(fileName));
}

QVector<TSectionSpan> Sections(const TIniDocument &document)
{
    QVector<TSectionSpan> sections;
    for (int i = 0; i < document.lines.size(); ++i) {
        const TParsedLine parsed = ParseLine(document.lines[i].text);
        if (parsed.kind != TLineKind::Section)
            continue;
        if (!sections.isEmpty())
            sections.back().end = i;
        sections.append({parsed.name, i, int(document.lines.size())});
    }
    return sections;
}

// The first section of that name; header -1 when there is none.
TSectionSpan FindSection(const TIniDocument &document, const QString &name)
{
    const QString wanted = TrimBlanks(name);
    for (const TSectionSpan &span : Sections(document)) {
        if (SameTextAscii(span.name, wanted))
            return span;
    }
    return TSectionSpan();
}

// The line of the first key of that name in span; -1 when there is none.
int FindKey(const TIniDocument &document, const TSectionSpan &span, const QString &ident)
{
    if (span.header < 0)
        return -1;
    const QString wanted = TrimBlanks(ident);
    for (int i = span.header + 1; i < span.end; ++i) {
        const TParsedLine parsed = ParseLine(document.lines[i].text);
        if (parsed.kind == TLineKind::Key && SameTextAscii(parsed.name, wanted))
            return i;
    }
    return -1;
}

// Key names of the section, each once, in file order.
QStringList KeyNames(const TIniDocument &document, const TSectionSpan &span)
{
    QStringList names;
    if (span.header < 0)
        return names;
    for (int i = span.header + 1; i < span.end; ++i) {
        const TParsedLine parsed = ParseLine(document.lines[i].text);
        if (parsed.kind != TLineKind::Key)
            continue;
        bool seen = false;
        for (const QString &name : names)
            seen = seen || SameTextAscii(name, parsed.name);
        if (!seen)
            names.append(parsed.name);
    }
    return names;
}

// Gives the last line a line break before lines are added after it.
void EndLastLine(TIniDocument &document)
{
    if (!document.lines.isEmpty() && document.lines.back().lineBreak.isEmpty())
        document.lines.back().lineBreak = document.newLine;
}

// Parses StrToIntDef-style: optional sign, then decimal digits or "$" / "0x" and hex digits.
// Hexadecimal covers 32 bits and wraps into the signed range ("$FFFFFFFF" is -1).
bool ParseInteger(const QString &text, int &result)
{
    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    int base = 10;
    if (i < text.size() && text[i] == u'$') {
        base = 16;
        ++i;
    } else if (i + 1 < text.size() && text[i] == u'0' && (text[i + 1] == u'x' || text[i + 1] == u'X')) {
        base = 16;
        i += 2;
    }
    if (i == text.size())
        return false;
    const uint64_t limit = base == 16 ? 0xFFFFFFFFu : (negative ? 2147483648u : 2147483647u);
    uint64_t value = 0;
    for (; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            return false;
        value = value * uint64_t(base) + uint64_t(digit);
        if (value > limit)
            return false;
    }
    const uint32_t bits = uint32_t(negative ? (0 - value) : value);
    result = int(int32_t(bits));
    return true;
}

} // namespace

TIniFile::TIniFile(const QString &fileName) : m_fileName(fileName) {}

QString TIniFile::ReadString(const QString &section, const QString &ident,
                             const QString &defaultValue) const
{
    const TIniDocument document = LoadDocument(m_fileName, false);
    const int line = FindKey(document, FindSection(document, section), ident);
    if (line < 0)
        return defaultValue;
    return StripQuotes(ParseLine(document.lines[line].text).value);
}

void TIniFile::WriteString(const QString &section, const QString &ident, const QString &value)
{
    const QString sectionName = TrimBlanks(OneLine(section));
    const QString keyName = TrimBlanks(OneLine(ident));
    const QString newValue = OneLine(value);

    TIniDocument document = LoadDocument(m_fileName, true);
    const TSectionSpan span = FindSection(document, sectionName);
    const int keyLine = FindKey(document, span, keyName);

    if (keyLine >= 0) {
        // Only the value changes: the key's spelling and the blanks around '=' stay.
        QString &text = document.lines[keyLine].text;
        const QString changed = text.left(ParseLine(text).valueStart) + newValue;
        if (changed == text)
            return;
        text = changed;
    } else if (span.header >= 0) {
        // After the section's last key line (or its header), ahead of comments and blank
        // lines that trail the section.
        int after = span.header;
        for (int i = span.header + 1; i < span.end; ++i) {
            if (ParseLine(document.lines[i].text).kind == TLineKind::Key)
                after = i;
        }
        if (document.lines[after].lineBreak.isEmpty())
            document.lines[after].lineBreak = document.newLine;
        document.lines.insert(after + 1, {keyName + u'=' + newValue, document.newLine});
    } else {
        EndLastLine(document);
        if (!document.lines.isEmpty() &&
            ParseLine(document.lines.back().text).kind != TLineKind::Blank)
            document.lines.append({QString(), document.newLine});
        document.lines.append({u'[' + sectionName + u']', document.newLine});
        document.lines.append({keyName + u'=' + newValue, document.newLine});
    }
    SaveDocument(m_fileName, document);
}

int TIniFile::ReadInteger(const QString &section, const QString &ident, int defaultValue) const
{
    int value;
    return ParseInteger(ReadString(section, ident, QString()), value) ? value : defaultValue;
}

void TIniFile::WriteInteger(const QString &section, const QString &ident, int value)
{
    WriteString(section, ident, QString::number(value));
}

bool TIniFile::ReadBool(const QString &section, const QString &ident, bool defaultValue) const
{
    return ReadInteger(section, ident, defaultValue ? 1 : 0) != 0;
}

void TIniFile::WriteBool(const QString &section, const QString &ident, bool value)
{
    WriteString(section, ident, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void TIniFile::ReadSection(const QString &section, TStrings &strings) const
{
    const TIniDocument document = LoadDocument(m_fileName, false);
    strings.FromStringList(KeyNames(document, FindSection(document, section)));
}

void TIniFile::ReadSections(TStrings &strings) const
{
    const TIniDocument document = LoadDocument(m_fileName, false);
    QStringList names;
    for (const TSectionSpan &span : Sections(document)) {
        bool seen = false;
        for (const QString &name : names)
            seen = seen || SameTextAscii(name, span.name);
        if (!seen)
            names.append(span.name);
    }
    strings.FromStringList(names);
}

void TIniFile::ReadSectionValues(const QString &section, TStrings &strings) const
{
    const TIniDocument document = LoadDocument(m_fileName, false);
    const TSectionSpan span = FindSection(document, section);
    QStringList lines;
    for (const QString &name : KeyNames(document, span)) {
        const int line = FindKey(document, span, name);
        lines.append(name + u'=' + StripQuotes(ParseLine(document.lines[line].text).value));
    }
    strings.FromStringList(lines);
}

bool TIniFile::SectionExists(const QString &section) const
{
    const TIniDocument document = LoadDocument(m_fileName, false);
    return FindSection(document, section).header >= 0;
}

bool TIniFile::ValueExists(const QString &section, const QString &ident) const
{
    const TIniDocument document = LoadDocument(m_fileName, false);
    return FindKey(document, FindSection(document, section), ident) >= 0;
}

void TIniFile::EraseSection(const QString &section)
{
    TIniDocument document = LoadDocument(m_fileName, true);
    const QString wanted = TrimBlanks(section);
    const QVector<TSectionSpan> sections = Sections(document);
    bool erased = false;
    // From the last so that earlier spans keep their line numbers.
    for (auto span = sections.crbegin(); span != sections.crend(); ++span) {
        if (SameTextAscii(span->name, wanted)) {
            document.lines.remove(span->header, span->end - span->header);
            erased = true;
        }
    }
    if (erased)
        SaveDocument(m_fileName, document);
}

void TIniFile::DeleteKey(const QString &section, const QString &ident)
{
    TIniDocument document = LoadDocument(m_fileName, true);
    const int line = FindKey(document, FindSection(document, section), ident);
    if (line < 0)
        return;
    document.lines.remove(line);
    SaveDocument(m_fileName, document);
}
