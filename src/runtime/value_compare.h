// Comparing two values of the value language (if-then-else) and turning a value into the
// text a message shows. Desktop windows and web pages share both.
#pragma once

#include <QString>

#include "core/zv_value.h"

enum TCompareResult {
    cmpHolds,   // run the Then list
    cmpFails,   // run the Else list
    cmpNeither, // the pair cannot be compared, or the operator is unknown: run neither
};

// Operators: 0 "=", 1 ">", 2 ">=", 3 "<", 4 "<=", 5 "<>". A database field on one side is
// first read as its typed value unless the other side is null; a field that has no typed
// value makes the pair incomparable.
TCompareResult CompareValues(TZvValue Left, TZvValue Right, int Operator);

// The text of a value: strings as they are, numbers in decimal, floats in the general
// format, date-times, dates and times in the locale's formats, Booleans "True"/"False",
// a field's text; fonts, pictures, rich texts and null give an empty text.
QString ValueText(const TZvValue &Value);
