#include "core/zv_value.h"

bool ParseBooleanWord(const QString &Text, bool &Value)
{
    if (Text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 || Text == QLatin1String("1")) {
        Value = true;
        return true;
    }
    if (Text.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0 || Text == QLatin1String("0")) {
        Value = false;
        return true;
    }
    return false;
}
