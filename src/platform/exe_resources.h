// The program file's own resources. The executable carries an allocated ELF section named
// ".rsrc" holding a PE-format resource directory (three levels: type, name or id, language)
// with the version block and the main icon. Offsets inside the directory are relative to the
// section's start. Every reader checks each offset and size against the section, so a
// damaged or hostile file yields a failure, never a read out of bounds.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>

constexpr uint32_t RT_ICON = 3;
constexpr uint32_t RT_GROUP_ICON = 14;
constexpr uint32_t RT_VERSION = 16;

// Where the ".rsrc" section lies in the file.
struct TResourceSection
{
    int64_t FileOffset = 0;
    uint32_t Size = 0;
};

// Finds ".rsrc" in the section headers of a 64-bit little-endian ELF file. False (with a
// message in error) when the file cannot be read, is no such ELF file, has no such section
// or the section does not lie inside the file.
bool FindResourceSection(const QString &exeFile, TResourceSection &section, QString &error);
// Finds the section and reads its bytes.
bool ReadResourceSection(const QString &exeFile, TResourceSection &section, QByteArray &sectionBytes,
                         QString &error);

// One resource as the directory describes it: its 16-byte data entry and the data the entry
// points to, all as byte offsets inside the section.
struct TResourceLocation
{
    uint32_t DataEntryOffset = 0;
    uint32_t DataOffset = 0;
    uint32_t DataSize = 0;
};

// Finds a resource by type and numeric id, or by type and name (names compare ignoring the
// case of a-z). The first language entry is taken. False when absent or when the directory
// is damaged on the way.
bool LocateResource(const QByteArray &sectionBytes, uint32_t type, uint32_t id, TResourceLocation &location);
bool LocateResource(const QByteArray &sectionBytes, uint32_t type, const QString &name,
                    TResourceLocation &location);

// Walks a version block (VS_VERSIONINFO) along path, one key per level starting with the
// root's ("VS_VERSION_INFO"); keys compare ignoring the case of a-z. On success valueOffset
// and valueLength give the found node's value in bytes inside versionBlock (a text value
// includes its NUL).
bool FindVersionValue(const QByteArray &versionBlock, const QStringList &path, int &valueOffset,
                      int &valueLength);

// The text under VS_VERSION_INFO\StringFileInfo\040904E4\<key> of the file, up to its NUL,
// as stored (not trimmed). '' when the file does not exist, has no section or lacks the value.
QString ReadVersionString(const QString &exeFile, const QString &key);

// The main icon ("MAINICON") of the file as icon-file bytes, rebuilt from the icon group and
// its icon resources. Empty when absent or damaged.
QByteArray ReadMainIconFile(const QString &exeFile);
