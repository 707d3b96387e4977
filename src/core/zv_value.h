// One typed value of the action value language: a type id and the one slot that belongs to
// it. Reference slots point at live objects of the page (a field, a font, a picture, a rich
// text control); the writer copies from them.
#pragma once

#include <QString>
#include <cstdint>

class TField;
class TFont;
class TPicture;
class TZvRichText;
class TZvRepRichText;
class TZvDBRichText;
class TWebFont;

enum TValueType : int {
    vtString = 0,      // StringValue
    vtInteger = 1,     // IntegerValue, 32-bit signed
    vtFloat = 2,       // FloatValue
    vtDateTime = 3,    // FloatValue, day count since 30 December 1899
    vtDate = 4,        // as vtDateTime
    vtTime = 5,        // as vtDateTime
    vtBoolean = 6,     // BooleanValue
    vtColor = 7,       // IntegerValue, a colour value
    vtField = 8,       // FieldValue
    vtFont = 9,        // FontValue (WebFontValue on a web page)
    vtPicture = 10,    // ImageValue
    vtRichText = 11,   // RichText
    vtRepRichText = 12, // RepRichText
    vtDBRichText = 13, // DBRichText
    vtNull = 14,       // a database null; no slot
};

struct TZvValue
{
    int Id = -1;
    QString StringValue;
    int32_t IntegerValue = 0;
    double FloatValue = 0;
    bool BooleanValue = false;
    TField *FieldValue = nullptr;
    const TFont *FontValue = nullptr;
    const TWebFont *WebFontValue = nullptr;
    const TPicture *ImageValue = nullptr;
    TZvRichText *RichText = nullptr;
    TZvRepRichText *RepRichText = nullptr;
    TZvDBRichText *DBRichText = nullptr;

    void SetString(const QString &Value) { Id = vtString; StringValue = Value; }
    void SetInteger(int32_t Value, int Type = vtInteger) { Id = Type; IntegerValue = Value; }
    void SetFloat(double Value, int Type = vtFloat) { Id = Type; FloatValue = Value; }
    void SetBoolean(bool Value) { Id = vtBoolean; BooleanValue = Value; }
};

// Integer-like types (integer, colour) and float-like types (float, date-time, date, time).
inline bool IsIntegerType(int Id) { return Id == vtInteger || Id == vtColor; }
inline bool IsFloatType(int Id) { return Id >= vtFloat && Id <= vtTime; }

// What a token write came to.
enum TTokenWrite {
    twUnknown,  // not a token the object writes: nothing happened
    twWritten,  // the value was stored
    twMismatch, // the token refuses the value's type: nothing was stored
};

// Tokens and words are compared whole, exactly and with case.
inline bool IsToken(const QString &Token, const char *Word)
{
    return Token == QLatin1String(Word);
}

// "true" or "false" in any case, or "1" or "0"; False for any other text. No trimming.
bool ParseBooleanWord(const QString &Text, bool &Value);
