// The platform's stock cursor ids (TCursor, stored as int16) and the Qt cursor each one
// shows. crDefault leaves the control's own cursor (an edit keeps its I-beam); an id the
// table does not hold shows the arrow, and the control still keeps the id itself.
#pragma once

#include <QCursor>

#include "platform/vcl/types.h"

constexpr TCursor crNone = -1;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crSize = -22;
constexpr TCursor crSizeNESW = -6;
constexpr TCursor crSizeNS = -7;
constexpr TCursor crSizeNWSE = -8;
constexpr TCursor crSizeWE = -9;
constexpr TCursor crUpArrow = -10;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crDrag = -12;
constexpr TCursor crNoDrop = -13;
constexpr TCursor crHSplit = -14;
constexpr TCursor crVSplit = -15;
constexpr TCursor crMultiDrag = -16;
constexpr TCursor crSQLWait = -17;
constexpr TCursor crNo = -18;
constexpr TCursor crAppStart = -19;
constexpr TCursor crHelpPoint = -20;
constexpr TCursor crHandPoint = -21;
constexpr TCursor crSizeAll = -22;

// The Qt cursor shape of a stock id; Qt::ArrowCursor for crDefault and for unknown ids.
Qt::CursorShape CursorShapeOf(TCursor cursor);
// True for crDefault and the ids of the table above.
bool IsStockCursor(TCursor cursor);
