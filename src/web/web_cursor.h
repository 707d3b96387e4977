// The mouse cursors a web page offers, and how a stored cursor maps onto them.
#pragma once

#include <QString>

#include "platform/vcl/types.h"

enum class TIWCursor { crAuto, crCrossHair, crDefault, crHelp, crMove, crPointer, crText, crWait };

// Size-all -> move, hand point -> pointer, help -> help, hour glass -> wait, I-beam -> text,
// cross -> cross hair, arrow -> default; every other cursor (the default one too) -> auto.
TIWCursor WebCursorOf(TCursor Cursor);

// The CSS cursor keyword of a web cursor.
QString CssCursor(TIWCursor Cursor);
