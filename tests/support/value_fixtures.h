// Values of the action value language as text, for tables of expected reads.
#pragma once

#include <QString>

#include "core/zv_value.h"

// "id:text" (integers and colours in decimal, Booleans 1/0, floats to 17 digits, a font by
// its name); "none" when Read is False.
QString DescribeValue(bool Read, const TZvValue &Value);
