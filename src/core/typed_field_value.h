#pragma once

#include <QString>

class TField;

// Reads a database field as a typed value of the value language (0 string, 1 integer,
// 2 floating, 3 date-time, 4 date, 5 time, 6 Boolean). False, with nothing changed, for
// field types that have no such value.
bool GetTypedFieldValue(const TField *Field, QString &StringValue, int &IntegerValue, double &FloatValue,
                        bool &BooleanValue, int &ValueType);
