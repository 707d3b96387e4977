// The words of the value language that name no object: the typed constants, the untyped
// constant typed by the counterpart, and the constant arithmetic on the counterpart's
// value. Desktop windows and web pages resolve them alike.
#pragma once

#include <QString>
#include <functional>

#include "core/zv_value.h"

enum TConstantResult {
    crNotConstant, // ObjectName is not one of these words (or needs a counterpart it lacks)
    crValue,       // Value holds the result
    crNoValue,     // the word applies but gives no value
};

// "[Constant String]", "[Constant Integer]", "[Constant Float]", "[Constant Boolean]".
// Texts that do not convert raise the platform's conversion error.
TConstantResult ReadTypedConstant(const QString &ObjectName, const QString &PropertyName, TZvValue &Value);

// "[Constant]" and the "[Constant String + ]", "[Constant Integer + ]" ... "[Constant Float / ]"
// words, given the counterpart's value. Integer results wrap at 32 bits; divisions by zero
// and INT_MIN / -1 raise the platform's errors. A "[Constant String + ]" with a counterpart
// that is not a string is crNotConstant, so that it names no object afterwards.
TConstantResult ReadCounterpartConstant(const QString &ObjectName, const QString &PropertyName,
                                        const TZvValue &Counterpart, TZvValue &Value);

// The words a reader resolves before it looks for an object: the typed constants, then the
// words typed by the counterpart, which ReadCounterpart reads (False: there is none).
// With crNotConstant the caller goes on to the object lookup; HasCounterpart then tells
// whether Counterpart holds the counterpart's value.
TConstantResult ResolveConstantWords(const QString &ObjectName, const QString &PropertyName, TZvValue &Value,
                                     const std::function<bool(TZvValue &)> &ReadCounterpart, TZvValue &Counterpart,
                                     bool &HasCounterpart);

// "[MainForm]" or "[ParentForm]": the words that name another window's or page's objects.
bool IsFormWord(const QString &Word);

// The tokens of "[Global]" on the desktop; a web page reads only "[DateTime Now]" and
// "[Random]". False for any other token or a failed system query.
bool ReadGlobalToken(const QString &Token, TZvValue &Value);

// Splits "Panel1 . Edit1 . [Text]" at every "." into the object path (the pieces before the
// last, each trimmed, joined by ".") and the token (the last piece, trimmed). False when
// either comes out empty.
bool SplitPathAndToken(const QString &Text, QString &Path, QString &Token);

// 0 "[Left]", 1 "[Top]", 2 "[Width]", 3 "[Height]"; -1 for any other token.
int GeometryToken(const QString &Token);
