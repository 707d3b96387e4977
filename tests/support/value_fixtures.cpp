#include "support/value_fixtures.h"

#include "objects/web_font.h"
#include "platform/graphics/font.h"

QString DescribeValue(bool Read, const TZvValue &Value)
{
    if (!Read)
        return QStringLiteral("none");
    QString text;
    switch (Value.Id) {
    case vtString: text = Value.StringValue; break;
    case vtInteger:
    case vtColor: text = QString::number(Value.IntegerValue); break;
    case vtBoolean: text = Value.BooleanValue ? QStringLiteral("1") : QStringLiteral("0"); break;
    case vtFont:
        text = Value.FontValue ? Value.FontValue->Name : Value.WebFontValue ? Value.WebFontValue->Name : QString();
        break;
    case vtNull: break;
    default: text = QString::number(Value.FloatValue, 'g', 17); break;
    }
    return QString::number(Value.Id) + QLatin1Char(':') + text;
}
