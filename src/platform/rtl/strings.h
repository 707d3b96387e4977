// Lists of strings: TStrings, the abstract list every string-holding control and helper
// offers, and TStringList, the stand-alone list. Text joins lines with CR LF; files and
// streams are read in the encoding their bytes show (UTF-16LE or UTF-8 byte order mark,
// else UTF-8 when valid, else Windows-1252) and written back in the same encoding.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "platform/rtl/sysutils.h"

class TStream;

class EStringListError : public Exception
{
public:
    using Exception::Exception;
};

// How a text file's bytes are laid out.
enum class TTextEncoding { Utf8, Utf8Bom, Utf16LeBom, Cp1252 };

// Decodes a text file's bytes and tells the encoding found.
QString DecodeTextBytes(const QByteArray &bytes, TTextEncoding &encoding);
// Encodes text in encoding, byte order mark included. Windows-1252 that cannot hold every
// character of text would lose them, so such text is written as UTF-8 and encoding says so.
QByteArray EncodeTextBytes(const QString &text, TTextEncoding &encoding);

// True when a and b are equal with ASCII letters folded, the comparison names and
// list entries use.
bool SameTextAscii(const QString &a, const QString &b);
// Orders a and b with ASCII letters folded to upper case (<0, 0, >0).
int CompareTextAscii(const QString &a, const QString &b);

class TStrings
{
public:
    virtual ~TStrings() = default;

    virtual int Count() const = 0;
    // Indexes outside 0..Count()-1 raise EStringListError ("List index out of bounds (i)");
    // Insert also accepts Count().
    virtual QString Strings(int index) const = 0;
    virtual void SetString(int index, const QString &value) = 0;
    virtual void Insert(int index, const QString &value) = 0;
    virtual void Delete(int index) = 0;
    virtual void Clear() = 0;

    // Appends and returns the new line's index.
    virtual int Add(const QString &value);
    QString operator[](int index) const { return Strings(index); }

    // First line equal to value with ASCII letters folded; -1 when none.
    virtual int IndexOf(const QString &value) const;

    // Every line followed by CR LF ("" for an empty list).
    QString Text() const;
    // Splits on CR LF, LF or a lone CR; a final line break adds no empty line.
    void SetText(const QString &text);

    // "name=value" lines. A line without '=' has an empty name and value.
    QString Names(int index) const;
    QString Values(const QString &name) const;
    QString ValueFromIndex(int index) const;
    int IndexOfName(const QString &name) const;
    // Replaces the line of name (or appends one); an empty value deletes the line.
    void SetValue(const QString &name, const QString &value);

    // Raise EFOpenError / EFCreateError as TFileStream does. Loading remembers the encoding
    // found; saving writes that encoding (UTF-8 without a byte order mark by default).
    void LoadFromFile(const QString &fileName);
    void SaveToFile(const QString &fileName) const;
    // From the stream's position to its end / at the stream's position.
    void LoadFromStream(TStream &stream);
    void SaveToStream(TStream &stream) const;

    QStringList ToStringList() const;
    void FromStringList(const QStringList &lines);

protected:
    void CheckIndex(int index, int count) const;

private:
    TTextEncoding m_encoding = TTextEncoding::Utf8;
};

class TStringList : public TStrings
{
public:
    TStringList() = default;

    int Count() const override { return int(m_lines.size()); }
    QString Strings(int index) const override;
    void SetString(int index, const QString &value) override;
    void Insert(int index, const QString &value) override;
    void Delete(int index) override;
    void Clear() override { m_lines.clear(); }

    // Orders the lines with ASCII letters folded to upper case; equal lines keep their order.
    void Sort();

private:
    QStringList m_lines;
};
