// A database field as the system reads it: its platform field type and its current value.
#pragma once

#include <QString>
#include <QVariant>

#include "platform/rtl/datetime.h"

enum TFieldType : int {
    ftUnknown, ftString, ftSmallint, ftInteger, ftWord, ftBoolean, ftFloat, ftCurrency, ftBCD,
    ftDate, ftTime, ftDateTime, ftBytes, ftVarBytes, ftAutoInc, ftBlob, ftMemo, ftGraphic,
    ftFmtMemo, ftParadoxOle, ftDBaseOle, ftTypedBinary, ftCursor, ftFixedChar, ftWideString,
    ftLargeint, ftADT, ftArray, ftReference, ftDataSet, ftOraBlob, ftOraClob, ftVariant,
    ftInterface, ftIDispatch, ftGuid, ftTimeStamp, ftFMTBcd, ftFixedWideChar, ftWideMemo,
    ftOraTimeStamp, ftOraInterval, ftLongWord, ftShortint, ftByte, ftExtended, ftConnection,
    ftParams, ftStream, ftTimeStampOffset, ftObject, ftSingle,
};

class TField
{
public:
    TField(const QString &fieldName, TFieldType dataType) : m_fieldName(fieldName), m_dataType(dataType) {}
    virtual ~TField() = default;

    const QString &FieldName() const { return m_fieldName; }
    TFieldType DataType() const { return m_dataType; }

    virtual QVariant Value() const { return m_value; }
    virtual void SetValue(const QVariant &value) { m_value = value; }
    bool IsNull() const { return Value().isNull(); }
    // Whether the field is one of the platform's blob fields (binary, memo and graphic
    // contents), whose value is the bytes.
    bool IsBlob() const;
    // A blob's bytes; empty for null.
    QByteArray AsBytes() const;

    // Conversions as the platform's field accessors make them; a null value reads as
    // '' / 0 / 0.0 / False.
    QString AsString() const;
    int AsInteger() const;
    double AsFloat() const;
    TDateTime AsDateTime() const;
    bool AsBoolean() const;

private:
    QString m_fieldName;
    TFieldType m_dataType;
    QVariant m_value;
};
