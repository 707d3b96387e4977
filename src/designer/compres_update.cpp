#include "designer/compres_update.h"

#include <QStringList>
#include <QtEndian>
#include <vector>

#include "platform/exe_resources.h"
#include "platform/rtl/cp1252.h"

namespace {

constexpr uint32_t FixedFileInfoSignature = 0xFEEF04BD;
constexpr int FixedFileInfoMinSize = 52;
constexpr uint32_t LanguageEnglishUS = 1033;
constexpr uint32_t HighBit = 0x80000000u;
constexpr int ElfHeaderSize = 64;
constexpr int IconHeaderSize = 6;
constexpr int IconFileEntrySize = 16;

const QString MainIconName = QStringLiteral("MAINICON");

QStringList StringPath(const QString &key)
{
    return {QStringLiteral("VS_VERSION_INFO"), QStringLiteral("StringFileInfo"), QStringLiteral("040904E4"), key};
}

uint16_t Get16(const char *at)
{
    return qFromLittleEndian<uint16_t>(at);
}

uint32_t Get32(const char *at)
{
    return qFromLittleEndian<uint32_t>(at);
}

void Put16(QByteArray &out, uint32_t value)
{
    char buffer[2];
    qToLittleEndian(uint16_t(value), buffer);
    out.append(buffer, 2);
}

void Set16(QByteArray &out, int at, uint32_t value)
{
    qToLittleEndian(uint16_t(value), out.data() + at);
}

void Set32(QByteArray &out, int at, uint32_t value)
{
    qToLittleEndian(value, out.data() + at);
}

void Align4(QByteArray &out)
{
    while (out.size() % 4 != 0)
        out.append('\0');
}

// Finds the ".rsrc" section of the open file. The file is reopened through its descriptor,
// so the section is read from the very file that File holds.
TResourceSection FindSectionOf(TFile &File)
{
    char header[ElfHeaderSize];
    File.Seek(0);
    if (File.Read(header, ElfHeaderSize) != ElfHeaderSize || QByteArray(header, 4) != QByteArray("\x7F" "ELF")
        || header[4] != 2 || header[5] != 1)
        ResourceUpdateError(QStringLiteral("File isn't an ELF file (1)"));
    TResourceSection section;
    QString error;
    if (!FindResourceSection(QStringLiteral("/proc/self/fd/%1").arg(File.Handle()), section, error)) {
        // FindResourceSection tells a missing section from a damaged one only in its text.
        if (error.endsWith(QLatin1String("has no resource section.")))
            ResourceUpdateError(QStringLiteral("No resources (1)"));
        if (error.contains(QLatin1String("resource section")))
            ResourceUpdateError(QStringLiteral("No resources (2)"));
        ResourceUpdateError(QStringLiteral("File isn't an ELF file (2)"));
    }
    return section;
}

QByteArray ReadSectionOf(TFile &File, const TResourceSection &section)
{
    QByteArray bytes(qsizetype(section.Size), '\0');
    File.Seek64(section.FileOffset);
    File.ReadBuffer(bytes.data(), section.Size);
    return bytes;
}

// Reads the version block of ExeFile (opened for patching), lets patch change it in place
// and writes it back: a failure before the write leaves the file as it was.
template <typename Patch> void PatchVersionBlock(const QString &ExeFile, Patch patch)
{
    TFile file(ExeFile, fdOpenExisting, faReadWrite, fsNone);
    const uint32_t size = LocateVersionResource(file, RT_VERSION, 1);
    const int64_t position = file.Position();
    QByteArray data(qsizetype(size), '\0');
    file.ReadBuffer(data.data(), size);
    patch(data);
    file.Seek64(position);
    file.WriteBuffer(data.constData(), size);
}

// One resource of the rewritten directory.
struct TNewResource
{
    uint32_t Type;
    uint32_t Id;  // when Name is empty
    QString Name;
    QByteArray Data;
};

// A resource directory in the layout the program's build step writes: the root table, one
// table per type (named entries first), one language table per resource, the data entries,
// the names, then the data, each datum at a 4-byte boundary. Resources come grouped by
// type, types ascending, named before numbered. Offsets are relative to the section start.
QByteArray ComposeDirectory(const std::vector<TNewResource> &resources)
{
    std::vector<uint32_t> types;
    for (const TNewResource &resource : resources)
        if (types.empty() || types.back() != resource.Type)
            types.push_back(resource.Type);

    const qsizetype rootSize = 16 + 8 * qsizetype(types.size());
    const qsizetype typeTablesSize = 16 * qsizetype(types.size()) + 8 * qsizetype(resources.size());
    const qsizetype languageTablesStart = rootSize + typeTablesSize;
    const qsizetype dataEntriesStart = languageTablesStart + 24 * qsizetype(resources.size());
    const qsizetype namesStart = dataEntriesStart + 16 * qsizetype(resources.size());

    QByteArray out(namesStart, '\0');
    std::vector<uint32_t> nameOffsets(resources.size(), 0);
    for (size_t i = 0; i < resources.size(); ++i) {
        if (resources[i].Name.isEmpty())
            continue;
        Align4(out);
        nameOffsets[i] = uint32_t(out.size());
        Put16(out, uint32_t(resources[i].Name.size()));
        for (const QChar c : resources[i].Name)
            Put16(out, c.unicode());
    }
    std::vector<uint32_t> dataOffsets(resources.size(), 0);
    for (size_t i = 0; i < resources.size(); ++i) {
        Align4(out);
        dataOffsets[i] = uint32_t(out.size());
        out.append(resources[i].Data);
    }
    Align4(out);

    Set16(out, 14, uint32_t(types.size()));
    int typeTable = int(rootSize);
    size_t index = 0;
    for (size_t t = 0; t < types.size(); ++t) {
        Set32(out, int(16 + 8 * t), types[t]);
        Set32(out, int(16 + 8 * t + 4), uint32_t(typeTable) | HighBit);
        const size_t first = index;
        uint32_t named = 0;
        while (index < resources.size() && resources[index].Type == types[t]) {
            named += resources[index].Name.isEmpty() ? 0 : 1;
            ++index;
        }
        Set16(out, typeTable + 12, named);
        Set16(out, typeTable + 14, uint32_t(index - first) - named);
        for (size_t i = first; i < index; ++i) {
            const int entry = typeTable + 16 + 8 * int(i - first);
            const int languageTable = int(languageTablesStart + 24 * qsizetype(i));
            const int dataEntry = int(dataEntriesStart + 16 * qsizetype(i));
            Set32(out, entry, resources[i].Name.isEmpty() ? resources[i].Id : nameOffsets[i] | HighBit);
            Set32(out, entry + 4, uint32_t(languageTable) | HighBit);
            Set16(out, languageTable + 14, 1);
            Set32(out, languageTable + 16, LanguageEnglishUS);
            Set32(out, languageTable + 20, uint32_t(dataEntry));
            Set32(out, dataEntry, dataOffsets[i]);
            Set32(out, dataEntry + 4, uint32_t(resources[i].Data.size()));
        }
        typeTable += 16 + 8 * int(index - first);
    }
    return out;
}

} // namespace

void ResourceUpdateError(const QString &Text)
{
    throw Exception(QStringLiteral("Resource update error: ") + Text);
}

void ResourceUpdateErrorWithCode(const QString &Text)
{
    ResourceUpdateError(Text + QStringLiteral(" (") + QString::number(GetLastError()) + QLatin1Char(')'));
}

uint32_t LocateVersionResource(TFile &File, int Type, int Id)
{
    const TResourceSection section = FindSectionOf(File);
    const QByteArray bytes = ReadSectionOf(File, section);
    TResourceLocation location;
    if (!LocateResource(bytes, uint32_t(Type), uint32_t(Id), location))
        ResourceUpdateError(QStringLiteral("Can't find resource (1)"));
    File.Seek64(section.FileOffset + location.DataOffset);
    return location.DataSize;
}

void ReplaceVersionText(QByteArray &VersionData, const QString &Key, const QString &Text)
{
    int valueOffset = 0;
    int valueLength = 0;
    if (!FindVersionValue(VersionData, StringPath(Key), valueOffset, valueLength))
        ResourceUpdateError(QStringLiteral("Unexpected version resource format (1)"));
    int storedLength = 0;
    while (2 * (storedLength + 1) <= valueLength
           && Get16(VersionData.constData() + valueOffset + 2 * storedLength) != 0)
        ++storedLength;
    const QString converted = Cp1252ToString(StringToCp1252(Text));
    const int count = qMin(int(converted.size()), storedLength);
    for (int i = 0; i < count; ++i)
        Set16(VersionData, valueOffset + 2 * i, converted.at(i).unicode());
}

void PatchOriginalFilename(const QString &ExeFile, const QString &Text)
{
    PatchVersionBlock(ExeFile, [&](QByteArray &data) { ReplaceVersionText(data, QStringLiteral("OriginalFilename"), Text); });
}

void PatchVersionInfo(const QString &ExeFile, const QString &CompanyName, const QString &FileDescription,
                      const QString &LegalCopyright, uint16_t Major, uint16_t Minor, uint16_t Release,
                      uint16_t Build)
{
    // Padded so that it covers the whole stored version text.
    const QString versionText = QStringLiteral("%1.%2.%3.%4").arg(Major).arg(Minor).arg(Release).arg(Build)
                                    .leftJustified(23, QLatin1Char(' '));
    PatchVersionBlock(ExeFile, [&](QByteArray &data) {
        ReplaceVersionText(data, QStringLiteral("CompanyName"), CompanyName);
        ReplaceVersionText(data, QStringLiteral("FileDescription"), FileDescription);
        ReplaceVersionText(data, QStringLiteral("FileVersion"), versionText);
        ReplaceVersionText(data, QStringLiteral("LegalCopyright"), LegalCopyright);
        int valueOffset = 0;
        int valueLength = 0;
        if (!FindVersionValue(data, {QStringLiteral("VS_VERSION_INFO")}, valueOffset, valueLength)
            || valueLength < FixedFileInfoMinSize)
            ResourceUpdateError(QStringLiteral("Unexpected version resource format (2)"));
        if (Get32(data.constData() + valueOffset) != FixedFileInfoSignature)
            ResourceUpdateError(QStringLiteral("Unexpected version resource format (3)"));
        Set32(data, valueOffset + 8, uint32_t(Major) << 16 | Minor);
        Set32(data, valueOffset + 12, uint32_t(Release) << 16 | Build);
    });
}

bool IsValidIconFile(const void *Data, uint32_t Size)
{
    const char *bytes = static_cast<const char *>(Data);
    if (Size < uint32_t(IconHeaderSize) || (bytes[0] == 'M' && bytes[1] == 'Z'))
        return false;
    const uint32_t count = Get16(bytes + 4);
    if (uint64_t(IconHeaderSize) + uint64_t(IconFileEntrySize) * count > Size)
        return false;
    for (uint32_t i = 0; i < count; ++i) {
        const char *entry = bytes + IconHeaderSize + IconFileEntrySize * i;
        const uint64_t end = uint64_t(Get32(entry + 8)) + Get32(entry + 12);
        if (end > UINT32_MAX || end > Size)
            return false;
    }
    return true;
}

void ReplaceMainIcon(const QString &ExeFile, const QString &IconFile)
{
    QByteArray icon;
    {
        TFile file(IconFile, fdOpenExisting, faRead, fsRead);
        const uint32_t size = file.CappedSize();
        if (size > MaxIconFileSize)
            ResourceUpdateError(QStringLiteral("Icon file is too large"));
        icon.resize(qsizetype(size));
        file.ReadBuffer(icon.data(), size);
    }
    if (!IsValidIconFile(icon.constData(), uint32_t(icon.size())))
        ResourceUpdateError(QStringLiteral("Icon file is invalid"));

    TFile exe(ExeFile, fdOpenExisting, faReadWrite, fsNone);
    const TResourceSection section = FindSectionOf(exe);
    const QByteArray sectionBytes = ReadSectionOf(exe, section);
    TResourceLocation version;
    if (!LocateResource(sectionBytes, RT_VERSION, 1, version))
        ResourceUpdateError(QStringLiteral("Can't find resource (1)"));
    TResourceLocation oldGroup;
    if (!LocateResource(sectionBytes, RT_GROUP_ICON, MainIconName, oldGroup))
        ResourceUpdateError(QStringLiteral("Can't find resource MAINICON"));
    if (oldGroup.DataSize < uint32_t(IconHeaderSize))
        ResourceUpdateError(QStringLiteral("Invalid resource (1)"));

    // The new group: reserved and type words of the old one, the icon file's count, and one
    // entry per image (the file entry's first 12 bytes and the icon id 1..n).
    const uint32_t count = Get16(icon.constData() + 4);
    std::vector<TNewResource> resources;
    QByteArray group = sectionBytes.mid(qsizetype(oldGroup.DataOffset), 4);
    Put16(group, count);
    for (uint32_t i = 0; i < count; ++i) {
        const char *entry = icon.constData() + IconHeaderSize + IconFileEntrySize * i;
        group.append(entry, 12);
        Put16(group, i + 1);
        resources.push_back({RT_ICON, i + 1, QString(), icon.mid(qsizetype(Get32(entry + 12)), qsizetype(Get32(entry + 8)))});
    }
    resources.push_back({RT_GROUP_ICON, 0, MainIconName, group});
    resources.push_back({RT_VERSION, 1, QString(),
                         sectionBytes.mid(qsizetype(version.DataOffset), qsizetype(version.DataSize))});

    QByteArray directory = ComposeDirectory(resources);
    if (directory.size() > qsizetype(section.Size))
        ResourceUpdateError(QStringLiteral("Icon file is too large"));
    directory.append(QByteArray(qsizetype(section.Size) - directory.size(), '\0'));
    exe.Seek64(section.FileOffset);
    exe.WriteBuffer(directory.constData(), section.Size);
}
