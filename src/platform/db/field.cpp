#include "platform/db/field.h"

#include <QDateTime>

QString TField::AsString() const
{
    const QVariant value = Value();
    return value.isNull() ? QString() : value.toString();
}

int TField::AsInteger() const
{
    const QVariant value = Value();
    return value.isNull() ? 0 : value.toInt();
}

double TField::AsFloat() const
{
    const QVariant value = Value();
    if (value.isNull())
        return 0.0;
    if (value.metaType().id() == QMetaType::QDateTime)
        return QDateTimeToDateTime(value.toDateTime());
    return value.toDouble();
}

TDateTime TField::AsDateTime() const
{
    const QVariant value = Value();
    if (value.isNull())
        return 0.0;
    switch (value.metaType().id()) {
    case QMetaType::QDateTime:
        return QDateTimeToDateTime(value.toDateTime());
    case QMetaType::QDate:
        return QDateTimeToDateTime(value.toDate().startOfDay());
    case QMetaType::QTime:
        return QDateTimeToDateTime(QDateTime(QDate(1899, 12, 30), value.toTime())) ;
    default:
        return value.toDouble();
    }
}

bool TField::AsBoolean() const
{
    const QVariant value = Value();
    return !value.isNull() && value.toBool();
}

bool TField::IsBlob() const
{
    switch (m_dataType) {
    case ftBlob: case ftMemo: case ftGraphic: case ftFmtMemo: case ftParadoxOle: case ftDBaseOle:
    case ftTypedBinary: case ftOraBlob: case ftOraClob: case ftWideMemo:
        return true;
    default:
        return false;
    }
}

QByteArray TField::AsBytes() const
{
    const QVariant value = Value();
    return value.isNull() ? QByteArray() : value.toByteArray();
}
