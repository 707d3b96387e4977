// The variable tokens of a simple text ("[VariableString]", "[VariableInteger + ]" ...),
// read and written on its six values. Desktop simple texts and web labels share them.
#pragma once

#include <QString>

#include "core/zv_value.h"

struct TSimpleTextValues;

// Reads a variable token; Counterpart is null when there is none. False when the token is
// not a variable token or gives no value. Conversions of the string value raise the
// platform's conversion errors; divisions by zero raise.
bool ReadVariableToken(const TSimpleTextValues &Variables, const QString &Token, const TZvValue *Counterpart,
                       TZvValue &Value);

// Writes one of the six storable variable tokens; the derived tokens are twUnknown.
TTokenWrite WriteVariableToken(TSimpleTextValues &Variables, const QString &Token, const TZvValue &Value);
