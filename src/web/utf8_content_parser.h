// The decoder of posted form fields: URL-encoded content whose bytes are UTF-8, split into
// "name=value" entries by the browser's separator "&".
#pragma once

#include <QByteArray>
#include <memory>

#include "platform/rtl/sysutils.h"

class TStrings;
class TStringList;

// A percent escape that is not "%%" or "%" followed by two hexadecimal digits.
class EWebDecodeError : public Exception
{
public:
    using Exception::Exception;
};

// Appends the fields of Content to Strings. A field runs up to a character of Separators
// (or NUL, CR, LF); blanks of WhiteSpace (and CR, LF) before a field are skipped; a separator
// between double quotes does not end a field, which keeps its quotes (a field that begins
// with a quote loses the opening one). Each field is URL-decoded ("+" is a blank, "%hh" a
// byte, "%%" a percent sign) and its bytes are read as UTF-8; an empty field adds nothing.
// A malformed escape raises EWebDecodeError; the fields before it stay in the list.
void ExtractUTF8Fields(const QByteArray &Separators, const QByteArray &WhiteSpace, const QByteArray &Content,
                       TStrings *Strings);

// The posted fields of one request, decoded on first use and kept.
class TUTF8ContentParser
{
public:
    explicit TUTF8ContentParser(const QByteArray &Content);
    ~TUTF8ContentParser();

    // The decoded entries; raises EWebDecodeError on a malformed escape.
    TStrings *GetContentFields();

private:
    QByteArray FContent;
    std::unique_ptr<TStringList> FContentFields;
};
