// The commands that compute on variable objects: text operations, colour channels, date and
// time parts, and arithmetic across three variables. The operations work on the values a
// simple text holds, so a desktop page and a web page run the same code.
#pragma once

#include <QString>

#include "core/project_model.h"

class TRunForm;
class TZvSimpleText;
struct TSimpleTextValues;

// Each selects its operation by OptionInt; an OptionInt outside the operation table does
// nothing, and so does a null V (or a null W or X where the operation needs it). Impossible
// dates and divisions by zero raise the platform's exceptions and leave the result as it was.

// 0 part, 1 delete, 2 length, 3 lower case, 4 upper case, 5 position, 6 replace, 7 trim.
void DoStringOperation(TSimpleTextValues *V, TSimpleTextValues *W, TSimpleTextValues *X, int OptionInt);
// 0..2 get red, green, blue into IntegerValue; 3..5 set them from IntegerValue's low byte.
void DoColorOperation(TSimpleTextValues *V, int OptionInt);
// 0 now, 1 format, 2..8 get year .. millisecond, 9..15 set year .. millisecond.
void DoDateTimeOperation(TSimpleTextValues *V, int OptionInt);
// X := Y op Z: 0 concatenation; 1..5 addition, 6..10 subtraction, 11..15 multiplication,
// 16..20 division, each in the forms integer, float, float-integer, integer-float and
// integer-integer into a float.
void DoArithmeticOperation(TSimpleTextValues *X, TSimpleTextValues *Y, TSimpleTextValues *Z, int OptionInt);

// The simple text at a dotted path of the window's page; nullptr for no object or another kind.
TZvSimpleText *VariableObjectOf(TRunForm *Form, const QString &Path);

// The window's commands: the variables are those named by Param1, Param2 and Param3.
void DoStringCommand(TRunForm *Form, const TZvAction &Action);
void DoColorCommand(TRunForm *Form, const TZvAction &Action);
void DoDateTimeCommand(TRunForm *Form, const TZvAction &Action);
void DoArithmeticCommand(TRunForm *Form, const TZvAction &Action);
