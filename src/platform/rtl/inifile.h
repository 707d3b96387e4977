// TIniFile: "[Section]" / "key=value" files with the Windows profile rules. Section and key
// names compare case-insensitively (ASCII letters), names and values are read with their
// surrounding blanks trimmed and one pair of enclosing quotes removed, and lines starting
// with ';' are comments. Every write goes to disk at once and atomically, changing only the
// lines it concerns: comments, blank lines, order, the spelling of names and lines it does
// not understand stay byte for byte. The file keeps the encoding and line-end style it was
// read with; a new file is UTF-8 without a byte order mark with CR LF line ends.
#pragma once

#include <QString>

#include "platform/rtl/sysutils.h"

class TStrings;

class EIniFileException : public Exception
{
public:
    using Exception::Exception;
};

class TIniFile
{
public:
    explicit TIniFile(const QString &fileName);

    const QString &FileName() const { return m_fileName; }

    QString ReadString(const QString &section, const QString &ident, const QString &defaultValue) const;
    // Raises EIniFileException ("Unable to write to NAME") when the file cannot be written
    // (also when it exists but cannot be read, which would lose its content). Line breaks in
    // section, ident or value would break the file's structure and are written as blanks.
    void WriteString(const QString &section, const QString &ident, const QString &value);

    // Decimal with an optional sign, or hexadecimal after "$" or "0x"; anything else (or a
    // value outside 32 bits) gives defaultValue.
    int ReadInteger(const QString &section, const QString &ident, int defaultValue) const;
    void WriteInteger(const QString &section, const QString &ident, int value);
    bool ReadBool(const QString &section, const QString &ident, bool defaultValue) const;
    void WriteBool(const QString &section, const QString &ident, bool value); // "1" / "0"

    // Each clears strings first. Names appear once each, spelled as in the file, in file order;
    // only the first section of a name (and its first key of a name) is ever read or written.
    void ReadSection(const QString &section, TStrings &strings) const; // key names
    void ReadSections(TStrings &strings) const;
    void ReadSectionValues(const QString &section, TStrings &strings) const; // "key=value"

    // A section exists when its header is in the file, keys or not.
    bool SectionExists(const QString &section) const;
    bool ValueExists(const QString &section, const QString &ident) const;

    // Removes every section of that name with all its lines / the key's line.
    void EraseSection(const QString &section);
    void DeleteKey(const QString &section, const QString &ident);

    // Writes already reach the disk at once; kept for callers that flush explicitly.
    void UpdateFile() {}

private:
    QString m_fileName;
};
