#include "platform/exe_resources.h"

#include <QFile>
#include <QtEndian>

namespace {

constexpr uint32_t HighBit = 0x80000000u;
constexpr int ElfHeaderSize = 64;
constexpr int ElfSectionHeaderSize = 64;
constexpr uint32_t SHT_NOBITS = 8;
constexpr uint32_t SHN_XINDEX = 0xFFFF;
constexpr int DirectoryHeaderSize = 16;
constexpr int DirectoryEntrySize = 8;
constexpr int DataEntrySize = 16;
constexpr int VersionNodeHeaderSize = 6;
constexpr int IconGroupHeaderSize = 6;
constexpr int IconGroupEntrySize = 14;
constexpr int IconFileEntrySize = 16;

// True when [offset, offset + length) lies inside a buffer of the given size.
bool InRange(uint64_t offset, uint64_t length, uint64_t size)
{
    return offset <= size && length <= size - offset;
}

uint16_t Get16(const QByteArray &bytes, uint64_t at)
{
    return qFromLittleEndian<uint16_t>(bytes.constData() + at);
}

uint32_t Get32(const QByteArray &bytes, uint64_t at)
{
    return qFromLittleEndian<uint32_t>(bytes.constData() + at);
}

uint64_t Get64(const QByteArray &bytes, uint64_t at)
{
    return qFromLittleEndian<uint64_t>(bytes.constData() + at);
}

void Put16(QByteArray &bytes, uint16_t value)
{
    char buffer[2];
    qToLittleEndian(value, buffer);
    bytes.append(buffer, 2);
}

void Put32(QByteArray &bytes, uint32_t value)
{
    char buffer[4];
    qToLittleEndian(value, buffer);
    bytes.append(buffer, 4);
}

ushort FoldAsciiCase(ushort unit)
{
    return unit >= 'a' && unit <= 'z' ? ushort(unit - ('a' - 'A')) : unit;
}

// Compares count UTF-16LE units at bytes[at] with text, ignoring the case of a-z only.
bool SameKey(const QByteArray &bytes, uint64_t at, uint64_t count, const QString &text)
{
    if (count != uint64_t(text.size()))
        return false;
    for (uint64_t i = 0; i < count; ++i)
        if (FoldAsciiCase(Get16(bytes, at + 2 * i)) != FoldAsciiCase(text.at(int(i)).unicode()))
            return false;
    return true;
}

// Reads length bytes at offset; false unless all of them could be read.
bool ReadAt(QFile &file, int64_t offset, int64_t length, QByteArray &bytes)
{
    if (!file.seek(offset))
        return false;
    bytes = file.read(length);
    return bytes.size() == length;
}

// One directory table: its entries lie at Offset + 16, named entries first.
struct TDirectory
{
    uint64_t Offset;
    uint32_t NamedCount;
    uint32_t IdCount;
};

bool ReadDirectory(const QByteArray &section, uint64_t offset, TDirectory &directory)
{
    if (!InRange(offset, DirectoryHeaderSize, uint64_t(section.size())))
        return false;
    directory.Offset = offset;
    directory.NamedCount = Get16(section, offset + 12);
    directory.IdCount = Get16(section, offset + 14);
    const uint64_t entriesSize = uint64_t(directory.NamedCount + directory.IdCount) * DirectoryEntrySize;
    return InRange(offset + DirectoryHeaderSize, entriesSize, uint64_t(section.size()));
}

uint64_t EntryOffset(const TDirectory &directory, uint32_t index)
{
    return directory.Offset + DirectoryHeaderSize + uint64_t(index) * DirectoryEntrySize;
}

// The subdirectory an entry points to; false when the entry is a leaf or points outside.
bool ReadSubdirectory(const QByteArray &section, uint64_t entry, TDirectory &subdirectory)
{
    const uint32_t target = Get32(section, entry + 4);
    return (target & HighBit) != 0 && ReadDirectory(section, target & ~HighBit, subdirectory);
}

// Finds the entry with a numeric id among the id entries.
bool FindIdEntry(const QByteArray &section, const TDirectory &directory, uint32_t id, uint64_t &entry)
{
    for (uint32_t i = 0; i < directory.IdCount; ++i) {
        const uint64_t candidate = EntryOffset(directory, directory.NamedCount + i);
        const uint32_t candidateId = Get32(section, candidate);
        if ((candidateId & HighBit) == 0 && candidateId == id) {
            entry = candidate;
            return true;
        }
    }
    return false;
}

// Finds the entry with a name among the named entries.
bool FindNamedEntry(const QByteArray &section, const TDirectory &directory, const QString &name, uint64_t &entry)
{
    for (uint32_t i = 0; i < directory.NamedCount; ++i) {
        const uint64_t candidate = EntryOffset(directory, i);
        const uint32_t nameField = Get32(section, candidate);
        if ((nameField & HighBit) == 0)
            continue;
        const uint64_t nameOffset = nameField & ~HighBit;
        if (!InRange(nameOffset, 2, uint64_t(section.size())))
            continue;
        const uint64_t length = Get16(section, nameOffset);
        if (!InRange(nameOffset + 2, length * 2, uint64_t(section.size())))
            continue;
        if (SameKey(section, nameOffset + 2, length, name)) {
            entry = candidate;
            return true;
        }
    }
    return false;
}

// From a name-or-id entry: its language table's first entry, a leaf, and the data entry it
// points to, with the data inside the section.
bool ReadLeaf(const QByteArray &section, uint64_t nameEntry, TResourceLocation &location)
{
    TDirectory languages;
    if (!ReadSubdirectory(section, nameEntry, languages) || languages.NamedCount + languages.IdCount == 0)
        return false;
    const uint32_t target = Get32(section, EntryOffset(languages, 0) + 4);
    if ((target & HighBit) != 0 || !InRange(target, DataEntrySize, uint64_t(section.size())))
        return false;
    const uint32_t dataOffset = Get32(section, target);
    const uint32_t dataSize = Get32(section, target + 4);
    if (!InRange(dataOffset, dataSize, uint64_t(section.size())))
        return false;
    location.DataEntryOffset = target;
    location.DataOffset = dataOffset;
    location.DataSize = dataSize;
    return true;
}

bool FindTypeDirectory(const QByteArray &section, uint32_t type, TDirectory &typeDirectory)
{
    TDirectory root;
    uint64_t typeEntry = 0;
    return ReadDirectory(section, 0, root) && FindIdEntry(section, root, type, typeEntry)
           && ReadSubdirectory(section, typeEntry, typeDirectory);
}

// The file's resource data of one resource (empty when absent).
bool ReadResourceData(const QByteArray &section, uint32_t type, uint32_t id, QByteArray &data)
{
    TResourceLocation location;
    if (!LocateResource(section, type, id, location))
        return false;
    data = section.mid(qsizetype(location.DataOffset), qsizetype(location.DataSize));
    return true;
}

} // namespace

bool FindResourceSection(const QString &exeFile, TResourceSection &section, QString &error)
{
    QFile file(exeFile);
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("Cannot open file \"%1\". %2").arg(exeFile, file.errorString());
        return false;
    }
    const uint64_t fileSize = uint64_t(file.size());
    const QString notElf = QStringLiteral("\"%1\" is not a 64-bit little-endian ELF file.").arg(exeFile);
    const QString damaged = QStringLiteral("The section headers of \"%1\" are damaged.").arg(exeFile);

    QByteArray header;
    if (!ReadAt(file, 0, ElfHeaderSize, header) || !header.startsWith("\x7F" "ELF") || header.at(4) != 2
        || header.at(5) != 1) {
        error = notElf;
        return false;
    }
    const uint64_t tableOffset = Get64(header, 0x28);
    const uint32_t entrySize = Get16(header, 0x3A);
    uint64_t count = Get16(header, 0x3C);
    uint32_t namesIndex = Get16(header, 0x3E);
    if (tableOffset == 0 || entrySize < ElfSectionHeaderSize || !InRange(tableOffset, entrySize, fileSize)) {
        error = damaged;
        return false;
    }
    // Many sections: the count and the names index move into section header 0.
    char first[ElfSectionHeaderSize];
    if (!file.seek(int64_t(tableOffset)) || file.read(first, ElfSectionHeaderSize) != ElfSectionHeaderSize) {
        error = damaged;
        return false;
    }
    if (count == 0)
        count = qFromLittleEndian<uint64_t>(first + 32);
    if (namesIndex == SHN_XINDEX)
        namesIndex = qFromLittleEndian<uint32_t>(first + 40);
    // The whole table must lie inside the file, which also bounds the count.
    if (count == 0 || count > fileSize / entrySize || !InRange(tableOffset, count * entrySize, fileSize)
        || namesIndex >= count) {
        error = damaged;
        return false;
    }
    QByteArray table;
    if (!ReadAt(file, int64_t(tableOffset), int64_t(count * entrySize), table)) {
        error = damaged;
        return false;
    }
    const uint64_t namesHeader = uint64_t(namesIndex) * entrySize;
    const uint64_t namesOffset = Get64(table, namesHeader + 24);
    const uint64_t namesSize = Get64(table, namesHeader + 32);
    QByteArray names;
    if (Get32(table, namesHeader + 4) == SHT_NOBITS || !InRange(namesOffset, namesSize, fileSize)
        || !ReadAt(file, int64_t(namesOffset), int64_t(namesSize), names)) {
        error = damaged;
        return false;
    }

    const QByteArray wanted(".rsrc", 6); // with its NUL
    for (uint64_t i = 0; i < count; ++i) {
        const uint64_t at = i * entrySize;
        const uint32_t nameOffset = Get32(table, at);
        if (!InRange(nameOffset, uint64_t(wanted.size()), uint64_t(names.size()))
            || names.mid(qsizetype(nameOffset), wanted.size()) != wanted)
            continue;
        const uint64_t offset = Get64(table, at + 24);
        const uint64_t size = Get64(table, at + 32);
        if (Get32(table, at + 4) == SHT_NOBITS || size > UINT32_MAX || !InRange(offset, size, fileSize)) {
            error = QStringLiteral("The resource section of \"%1\" is damaged.").arg(exeFile);
            return false;
        }
        section.FileOffset = int64_t(offset);
        section.Size = uint32_t(size);
        return true;
    }
    error = QStringLiteral("\"%1\" has no resource section.").arg(exeFile);
    return false;
}

bool ReadResourceSection(const QString &exeFile, TResourceSection &section, QByteArray &sectionBytes,
                         QString &error)
{
    if (!FindResourceSection(exeFile, section, error))
        return false;
    QFile file(exeFile);
    if (!file.open(QIODevice::ReadOnly) || !ReadAt(file, section.FileOffset, section.Size, sectionBytes)) {
        error = QStringLiteral("Cannot read the resource section of \"%1\".").arg(exeFile);
        return false;
    }
    return true;
}

bool LocateResource(const QByteArray &sectionBytes, uint32_t type, uint32_t id, TResourceLocation &location)
{
    TDirectory typeDirectory;
    uint64_t entry = 0;
    return FindTypeDirectory(sectionBytes, type, typeDirectory)
           && FindIdEntry(sectionBytes, typeDirectory, id, entry) && ReadLeaf(sectionBytes, entry, location);
}

bool LocateResource(const QByteArray &sectionBytes, uint32_t type, const QString &name,
                    TResourceLocation &location)
{
    TDirectory typeDirectory;
    uint64_t entry = 0;
    return FindTypeDirectory(sectionBytes, type, typeDirectory)
           && FindNamedEntry(sectionBytes, typeDirectory, name, entry) && ReadLeaf(sectionBytes, entry, location);
}

bool FindVersionValue(const QByteArray &versionBlock, const QStringList &path, int &valueOffset,
                      int &valueLength)
{
    if (path.isEmpty())
        return false;
    uint64_t node = 0;
    uint64_t end = uint64_t(versionBlock.size());
    int level = 0;
    // Every step moves forward by at least one node header, so the walk ends.
    while (InRange(node, VersionNodeHeaderSize, end)) {
        const uint64_t length = Get16(versionBlock, node);
        const uint64_t declaredValueLength = Get16(versionBlock, node + 2);
        const bool text = Get16(versionBlock, node + 4) == 1;
        if (length < VersionNodeHeaderSize || !InRange(node, length, end))
            return false;
        const uint64_t nodeEnd = node + length;
        // The key runs up to its NUL, inside the node.
        const uint64_t key = node + VersionNodeHeaderSize;
        uint64_t keyEnd = key;
        while (keyEnd + 2 <= nodeEnd && Get16(versionBlock, keyEnd) != 0)
            keyEnd += 2;
        if (keyEnd + 2 > nodeEnd)
            return false;
        const uint64_t value = (keyEnd + 2 + 3) & ~uint64_t(3);
        const uint64_t valueSize = text ? declaredValueLength * 2 : declaredValueLength;
        if (!InRange(value, valueSize, nodeEnd) && !(valueSize == 0 && value >= nodeEnd))
            return false;

        if (SameKey(versionBlock, key, (keyEnd - key) / 2, path.at(level))) {
            if (level == path.size() - 1) {
                valueOffset = int(value);
                valueLength = int(valueSize);
                return true;
            }
            ++level;
            end = nodeEnd;
            node = (value + valueSize + 3) & ~uint64_t(3);
        } else {
            node = (nodeEnd + 3) & ~uint64_t(3);
        }
    }
    return false;
}

QString ReadVersionString(const QString &exeFile, const QString &key)
{
    TResourceSection section;
    QByteArray sectionBytes;
    QString error;
    QByteArray block;
    if (!ReadResourceSection(exeFile, section, sectionBytes, error)
        || !ReadResourceData(sectionBytes, RT_VERSION, 1, block))
        return QString();
    int valueOffset = 0;
    int valueLength = 0;
    // Latin-1 literals: the keys' UTF-16 form is found only in the version block itself.
    const QStringList path{QString::fromLatin1("VS_VERSION_INFO"), QString::fromLatin1("StringFileInfo"),
                           QString::fromLatin1("040904E4"), key};
    if (!FindVersionValue(block, path, valueOffset, valueLength))
        return QString();
    QString result;
    for (int at = valueOffset; at + 2 <= valueOffset + valueLength; at += 2) {
        const ushort unit = Get16(block, uint64_t(at));
        if (unit == 0)
            break;
        result.append(QChar(unit));
    }
    return result;
}

QByteArray ReadMainIconFile(const QString &exeFile)
{
    TResourceSection section;
    QByteArray sectionBytes;
    QString error;
    TResourceLocation groupLocation;
    if (!ReadResourceSection(exeFile, section, sectionBytes, error)
        || !LocateResource(sectionBytes, RT_GROUP_ICON, QString::fromLatin1("MAINICON"), groupLocation))
        return QByteArray();
    const QByteArray group = sectionBytes.mid(qsizetype(groupLocation.DataOffset), qsizetype(groupLocation.DataSize));
    if (group.size() < IconGroupHeaderSize || Get16(group, 0) != 0 || Get16(group, 2) != 1)
        return QByteArray();
    const int count = Get16(group, 4);
    if (count == 0 || !InRange(IconGroupHeaderSize, uint64_t(count) * IconGroupEntrySize, uint64_t(group.size())))
        return QByteArray();

    // Header and directory, then the images in the group's order.
    QByteArray directory;
    QByteArray images;
    Put16(directory, 0);
    Put16(directory, 1);
    Put16(directory, uint16_t(count));
    const uint32_t imagesStart = IconGroupHeaderSize + uint32_t(count) * IconFileEntrySize;
    for (int i = 0; i < count; ++i) {
        const int entry = IconGroupHeaderSize + i * IconGroupEntrySize;
        QByteArray image;
        if (!ReadResourceData(sectionBytes, RT_ICON, Get16(group, uint64_t(entry) + 12), image) || image.isEmpty())
            return QByteArray();
        directory.append(group.constData() + entry, 8); // size, colours, planes, bit count
        Put32(directory, uint32_t(image.size()));
        Put32(directory, imagesStart + uint32_t(images.size()));
        images.append(image);
    }
    return directory + images;
}
