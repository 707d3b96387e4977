#include "web/utf8_content_parser.h"

#include <QString>

#include "platform/rtl/strings.h"

namespace {

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

QByteArray UrlDecode(const char *begin, const char *end)
{
    QByteArray result;
    result.reserve(int(end - begin));
    for (const char *p = begin; p < end; ++p) {
        if (*p == '+') {
            result.append(' ');
        } else if (*p == '%') {
            if (p + 1 < end && p[1] == '%') {
                result.append('%');
                ++p;
                continue;
            }
            if (end - p < 3 || HexValue(p[1]) < 0 || HexValue(p[2]) < 0)
                throw EWebDecodeError(QStringLiteral("Invalid URL encoded character (%1) at position %2")
                                          .arg(QString::fromLatin1(p, int(std::min<qsizetype>(end - p, 3))))
                                          .arg(p - begin));
            result.append(char(HexValue(p[1]) * 16 + HexValue(p[2])));
            p += 2;
        } else {
            result.append(*p);
        }
    }
    return result;
}

} // namespace

void ExtractUTF8Fields(const QByteArray &Separators, const QByteArray &WhiteSpace, const QByteArray &Content,
                       TStrings *Strings)
{
    if (Content.isEmpty() || !Strings)
        return;
    const QByteArray white = WhiteSpace + "\r\n";
    const QByteArray stops = Separators + QByteArray("\0\r\n\"", 4);
    // QByteArray keeps a NUL behind its last byte, so the scan always meets one.
    const char *p = Content.constData();
    char quote = 0; // kept from one field to the next
    for (;;) {
        while (*p != 0 && white.contains(*p))
            ++p;
        const char *head = p;
        bool inQuote = false;
        bool leadQuote = false;
        for (;;) {
            while ((inQuote && *p != 0 && *p != '\r' && *p != '\n' && *p != '"') || !stops.contains(*p))
                ++p;
            if (*p != '"')
                break;
            if (quote != 0 && quote == *p) {
                quote = 0;
            } else {
                leadQuote = p == head;
                quote = *p;
                if (leadQuote)
                    ++head;
            }
            inQuote = quote != 0;
            if (!inQuote)
                break;
            ++p;
        }
        if (!leadQuote && *p == '"')
            ++p;
        const bool atEnd = *p == 0;
        if (*head != 0 && head < p)
            Strings->Add(QString::fromUtf8(UrlDecode(head, p)));
        if (atEnd)
            break;
        ++p;
    }
}

TUTF8ContentParser::TUTF8ContentParser(const QByteArray &Content) : FContent(Content) {}

TUTF8ContentParser::~TUTF8ContentParser() = default;

TStrings *TUTF8ContentParser::GetContentFields()
{
    if (!FContentFields) {
        FContentFields = std::make_unique<TStringList>();
        if (!FContent.isEmpty())
            ExtractUTF8Fields(QByteArray("&"), QByteArray(), FContent, FContentFields.get());
    }
    return FContentFields.get();
}
