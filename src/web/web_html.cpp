#include "web/web_html.h"

#include "core/colors.h"
#include "objects/web_font.h"

QString HtmlEscape(const QString &Text)
{
    QString result;
    result.reserve(Text.size() + Text.size() / 8);
    for (const QChar c : Text) {
        switch (c.unicode()) {
        case '&':
            result += QLatin1String("&amp;");
            break;
        case '<':
            result += QLatin1String("&lt;");
            break;
        case '>':
            result += QLatin1String("&gt;");
            break;
        case '"':
            result += QLatin1String("&quot;");
            break;
        case '\'':
            result += QLatin1String("&#39;");
            break;
        default:
            result += c;
        }
    }
    return result;
}

QString JsonString(const QString &Text)
{
    QString result;
    result.reserve(Text.size() + 2);
    result += QLatin1Char('"');
    for (const QChar c : Text) {
        const char16_t u = c.unicode();
        switch (u) {
        case '"':
            result += QLatin1String("\\\"");
            break;
        case '\\':
            result += QLatin1String("\\\\");
            break;
        case '\n':
            result += QLatin1String("\\n");
            break;
        case '\r':
            result += QLatin1String("\\r");
            break;
        case '\t':
            result += QLatin1String("\\t");
            break;
        default:
            if (u < 0x20 || u == '<' || u == '>' || u == '&' || u == 0x2028 || u == 0x2029)
                result += QStringLiteral("\\u%1").arg(uint(u), 4, 16, QLatin1Char('0'));
            else
                result += c;
        }
    }
    result += QLatin1Char('"');
    return result;
}

QString CssColor(TColor Color)
{
    if (Color == clNone)
        return QStringLiteral("transparent");
    const TColor rgb = ResolveColor(Color);
    const int red = rgb & 0xFF;
    const int green = (rgb >> 8) & 0xFF;
    const int blue = (rgb >> 16) & 0xFF;
    return QStringLiteral("#%1%2%3")
        .arg(red, 2, 16, QLatin1Char('0'))
        .arg(green, 2, 16, QLatin1Char('0'))
        .arg(blue, 2, 16, QLatin1Char('0'));
}

QString CssFont(const TWebFont &Font)
{
    QString family = Font.Name;
    family.remove(QLatin1Char('"')).remove(QLatin1Char('\\')).remove(QLatin1Char(';'));
    QString css = QStringLiteral("font-family:\"%1\",sans-serif;font-size:%2pt;color:%3;")
                      .arg(family)
                      .arg(Font.Size)
                      .arg(CssColor(Font.Color));
    css += (Font.Style & fsBold) ? QLatin1String("font-weight:bold;") : QLatin1String("font-weight:normal;");
    if (Font.Style & fsItalic)
        css += QLatin1String("font-style:italic;");
    QStringList decorations;
    if (Font.Style & fsUnderline)
        decorations << QStringLiteral("underline");
    if (Font.Style & fsStrikeOut)
        decorations << QStringLiteral("line-through");
    if (!decorations.isEmpty())
        css += QStringLiteral("text-decoration:%1;").arg(decorations.join(QLatin1Char(' ')));
    return css;
}
