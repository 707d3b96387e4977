// String routines on UTF-16 code units with 1-based positions, clamping their arguments
// instead of failing, and the 32-bit integer and float arithmetic the value language uses.
#pragma once

#include <QString>
#include <QtGlobal>

// Count characters from Index (1-based). Index < 1 counts from the first character; an
// Index past the end or a negative Count gives "".
QString Copy(const QString &S, int Index, int Count);
// 1-based position of the first Sub in S; 0 when absent or when Sub is empty.
int Pos(const QString &Sub, const QString &S);
// Removes Count characters from Index; an Index outside 1..Length or Count <= 0 changes nothing.
void Delete(QString &S, int Index, int Count);
// Inserts Sub before position Index; Index < 1 inserts at the front, past the end appends.
void Insert(const QString &Sub, QString &S, int Index);

// Remove leading and/or trailing characters up to U+0020 (blanks and control characters).
QString Trim(const QString &S);
QString TrimLeft(const QString &S);
QString TrimRight(const QString &S);

// ASCII letters only; every other character is kept.
QString UpperCase(const QString &S);
QString LowerCase(const QString &S);
// Every letter, by Unicode case mapping.
QString AnsiUpperCase(const QString &S);
QString AnsiLowerCase(const QString &S);

// Replaces the first (or every) OldPattern in S, scanning left to right without overlaps.
// An empty OldPattern leaves S unchanged.
QString StringReplace(const QString &S, const QString &OldPattern, const QString &NewPattern,
                      bool ReplaceAll, bool IgnoreCase);

QString IntToStr(qint64 Value);
// Upper-case hex, at least Digits digits. Negative values show their two's-complement bits:
// 8 digits for an int, 16 for a qint64.
QString IntToHex(int Value, int Digits);
QString IntToHex(qint64 Value, int Digits);

// Two's-complement 32-bit arithmetic: results wrap around instead of overflowing.
qint32 WrapAdd(qint32 A, qint32 B);
qint32 WrapSub(qint32 A, qint32 B);
qint32 WrapMul(qint32 A, qint32 B);

// Integer quotient (truncated toward zero) and remainder (sign of A). Raise EDivByZero
// ("Division by zero") for B = 0; IntDiv raises EIntOverflow ("Integer overflow") for
// INT_MIN / -1, whose quotient does not fit, while IntMod gives its remainder 0.
qint32 IntDiv(qint32 A, qint32 B);
qint32 IntMod(qint32 A, qint32 B);

// A / B. B = 0 raises EZeroDivide ("Floating point division by zero"), or EInvalidOp
// ("Invalid floating point operation") when A is 0 or not a number.
double FloatDiv(double A, double B);

// Toward zero / to the nearest integer with halves to the even neighbour. A value that is
// not finite or outside the qint64 range raises EInvalidOp.
qint64 Trunc(double X);
qint64 Round(double X);
// Trunc into a 32-bit integer; a value outside its range raises EInvalidOp rather than
// keeping only the low bits.
qint32 TruncInt32(double X);
