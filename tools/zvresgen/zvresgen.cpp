// zvresgen: writes the program's resource section: a PE-format resource directory holding
// the version block (type 16, id 1) and the main icon group "MAINICON" (type 14) with its
// icons (type 3, ids 1..n), followed by zero-filled room that a later Build step uses when
// it rewrites the directory. Offsets are relative to the section's start.
//
// Usage: zvresgen <output> <icon file> <version text> <original file name> <reserve bytes>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

constexpr uint32_t RT_ICON = 3;
constexpr uint32_t RT_GROUP_ICON = 14;
constexpr uint32_t RT_VERSION = 16;
constexpr uint32_t LanguageEnglishUS = 1033;
// The stored width of FileVersion; a later Build writes its version text into this room.
constexpr size_t FileVersionWidth = 9;
// The stored width of the texts a later Build fills in (company, description, copyright).
constexpr size_t BlankFieldWidth = 100;
constexpr uint32_t SubdirectoryFlag = 0x80000000u;
constexpr uint32_t NameFlag = 0x80000000u;
constexpr size_t MaxIconFileSize = 1048576;

void Put16(Bytes &out, uint32_t value)
{
    out.push_back(uint8_t(value));
    out.push_back(uint8_t(value >> 8));
}

void Put32(Bytes &out, uint32_t value)
{
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

void Set16(Bytes &out, size_t at, uint32_t value)
{
    out[at] = uint8_t(value);
    out[at + 1] = uint8_t(value >> 8);
}

void Set32(Bytes &out, size_t at, uint32_t value)
{
    Set16(out, at, value & 0xFFFF);
    Set16(out, at + 2, value >> 16);
}

uint32_t Get16(const Bytes &in, size_t at)
{
    return uint32_t(in[at]) | uint32_t(in[at + 1]) << 8;
}

uint32_t Get32(const Bytes &in, size_t at)
{
    return Get16(in, at) | Get16(in, at + 2) << 16;
}

void Align4(Bytes &out)
{
    while (out.size() % 4 != 0)
        out.push_back(0);
}

// ASCII text as UTF-16LE units; the version texts written here are plain ASCII.
void PutText(Bytes &out, const std::string &text, bool withNul)
{
    for (unsigned char c : text) {
        if (c >= 0x80)
            throw std::runtime_error("non-ASCII text: " + text);
        Put16(out, c);
    }
    if (withNul)
        Put16(out, 0);
}

// One version-block node: header, key, value, children, each child at a 4-byte boundary.
// wLength covers the node up to the end of its last child (no trailing padding).
struct TVersionNode
{
    std::string Key;
    bool Text = true;
    Bytes Value;              // the value's bytes (text: UTF-16LE with NUL)
    std::vector<TVersionNode> Children;

    Bytes Serialize() const
    {
        Bytes out;
        Put16(out, 0); // wLength, set below
        Put16(out, uint32_t(Text ? Value.size() / 2 : Value.size()));
        Put16(out, Text ? 1 : 0);
        PutText(out, Key, true);
        Align4(out);
        out.insert(out.end(), Value.begin(), Value.end());
        for (const TVersionNode &child : Children) {
            Align4(out);
            Bytes childBytes = child.Serialize();
            out.insert(out.end(), childBytes.begin(), childBytes.end());
        }
        if (out.size() > 0xFFFF)
            throw std::runtime_error("version node too large: " + Key);
        Set16(out, 0, uint32_t(out.size()));
        return out;
    }
};

TVersionNode StringNode(const std::string &key, const std::string &value)
{
    TVersionNode node;
    node.Key = key;
    PutText(node.Value, value, true);
    return node;
}

// "a.b.c.d" -> four numbers (missing parts are 0).
void ParseVersionNumbers(const std::string &text, uint32_t numbers[4])
{
    size_t position = 0;
    for (int i = 0; i < 4; ++i) {
        numbers[i] = 0;
        if (position >= text.size())
            continue;
        size_t end = text.find('.', position);
        if (end == std::string::npos)
            end = text.size();
        const std::string part = text.substr(position, end - position);
        if (part.empty() || part.find_first_not_of("0123456789") != std::string::npos || part.size() > 5)
            throw std::runtime_error("version text is not of the form a.b.c.d: " + text);
        numbers[i] = uint32_t(std::stoul(part));
        if (numbers[i] > 0xFFFF)
            throw std::runtime_error("version number part above 65535: " + text);
        position = end + 1;
    }
    if (position < text.size())
        throw std::runtime_error("version text has more than four parts: " + text);
}

Bytes VersionBlock(const std::string &versionText, const std::string &originalFileName)
{
    if (versionText.size() > FileVersionWidth)
        throw std::runtime_error("version text longer than " + std::to_string(FileVersionWidth) + " characters");
    uint32_t numbers[4];
    ParseVersionNumbers(versionText, numbers);

    TVersionNode root;
    root.Key = "VS_VERSION_INFO";
    root.Text = false;
    const uint32_t versionMS = numbers[0] << 16 | numbers[1];
    const uint32_t versionLS = numbers[2] << 16 | numbers[3];
    Put32(root.Value, 0xFEEF04BD); // signature
    Put32(root.Value, 0x00010000); // structure version
    Put32(root.Value, versionMS);  // file version
    Put32(root.Value, versionLS);
    Put32(root.Value, versionMS);  // product version
    Put32(root.Value, versionLS);
    Put32(root.Value, 0x3F);       // flags mask
    Put32(root.Value, 0);          // flags
    Put32(root.Value, 0x40004);    // OS: NT, 32-bit windows
    Put32(root.Value, 1);          // file type: application
    Put32(root.Value, 0);          // subtype
    Put32(root.Value, 0);          // date
    Put32(root.Value, 0);

    const std::string blanks(BlankFieldWidth, ' ');
    TVersionNode table;
    table.Key = "040904E4";
    table.Children = {
        StringNode("CompanyName", blanks),
        StringNode("FileDescription", blanks),
        StringNode("FileVersion", versionText + std::string(FileVersionWidth - versionText.size(), ' ')),
        StringNode("LegalCopyright", blanks),
        StringNode("OriginalFilename", originalFileName),
    };
    TVersionNode stringFileInfo;
    stringFileInfo.Key = "StringFileInfo";
    stringFileInfo.Children = {table};

    TVersionNode translation;
    translation.Key = "Translation";
    translation.Text = false;
    Put16(translation.Value, 0x0409);
    Put16(translation.Value, 0x04E4);
    TVersionNode varFileInfo;
    varFileInfo.Key = "VarFileInfo";
    varFileInfo.Children = {translation};

    root.Children = {stringFileInfo, varFileInfo};
    return root.Serialize();
}

Bytes ReadFile(const std::string &fileName)
{
    std::ifstream in(fileName, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot open " + fileName);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

struct TIcon
{
    Bytes EntryHead; // the first 12 bytes of the .ico directory entry
    Bytes Image;
};

std::vector<TIcon> ReadIconFile(const std::string &fileName)
{
    const Bytes ico = ReadFile(fileName);
    if (ico.size() > MaxIconFileSize)
        throw std::runtime_error(fileName + ": icon file larger than 1048576 bytes");
    if (ico.size() < 6 || Get16(ico, 0) != 0 || Get16(ico, 2) != 1)
        throw std::runtime_error(fileName + ": not an icon file");
    const uint32_t count = Get16(ico, 4);
    if (count == 0 || 6 + size_t(count) * 16 > ico.size())
        throw std::runtime_error(fileName + ": bad icon directory");
    std::vector<TIcon> icons;
    for (uint32_t i = 0; i < count; ++i) {
        const size_t entry = 6 + size_t(i) * 16;
        const uint64_t size = Get32(ico, entry + 8);
        const uint64_t offset = Get32(ico, entry + 12);
        if (size == 0 || offset + size > ico.size())
            throw std::runtime_error(fileName + ": icon image outside the file");
        TIcon icon;
        icon.EntryHead.assign(ico.begin() + entry, ico.begin() + entry + 12);
        icon.Image.assign(ico.begin() + offset, ico.begin() + offset + size);
        icons.push_back(std::move(icon));
    }
    return icons;
}

// One leaf of the three-level directory.
struct TResource
{
    uint32_t Type;
    uint32_t Id;      // used when Name is empty
    std::string Name; // named entry (upper case ASCII)
    Bytes Data;
};

// Writes the directory (root, per-type, per-name/id, per-language tables), then the data
// entries, then the name strings, then the data, each datum at a 4-byte boundary.
// Resources must come grouped by type, types ascending, named before numbered entries.
Bytes ResourceDirectory(const std::vector<TResource> &resources)
{
    std::vector<uint32_t> types;
    for (const TResource &resource : resources)
        if (types.empty() || types.back() != resource.Type)
            types.push_back(resource.Type);

    // Directory sizes: root, then each type table, then one language table per resource.
    const size_t rootSize = 16 + 8 * types.size();
    size_t typeTablesSize = 0;
    for (uint32_t type : types) {
        size_t entries = 0;
        for (const TResource &resource : resources)
            entries += resource.Type == type;
        typeTablesSize += 16 + 8 * entries;
    }
    const size_t languageTablesStart = rootSize + typeTablesSize;
    const size_t dataEntriesStart = languageTablesStart + (16 + 8) * resources.size();
    const size_t namesStart = dataEntriesStart + 16 * resources.size();

    Bytes out(namesStart, 0);
    // Names, then data.
    std::vector<uint32_t> nameOffsets(resources.size(), 0);
    for (size_t i = 0; i < resources.size(); ++i) {
        if (resources[i].Name.empty())
            continue;
        Align4(out);
        nameOffsets[i] = uint32_t(out.size());
        Put16(out, uint32_t(resources[i].Name.size()));
        PutText(out, resources[i].Name, false);
    }
    std::vector<uint32_t> dataOffsets(resources.size(), 0);
    for (size_t i = 0; i < resources.size(); ++i) {
        Align4(out);
        dataOffsets[i] = uint32_t(out.size());
        out.insert(out.end(), resources[i].Data.begin(), resources[i].Data.end());
    }
    Align4(out);

    auto writeTableHeader = [&](size_t at, size_t named, size_t numbered) {
        Set16(out, at + 12, uint32_t(named));
        Set16(out, at + 14, uint32_t(numbered));
    };

    writeTableHeader(0, 0, types.size());
    size_t typeTable = rootSize;
    size_t resourceIndex = 0;
    for (size_t t = 0; t < types.size(); ++t) {
        Set32(out, 16 + 8 * t, types[t]);
        Set32(out, 16 + 8 * t + 4, uint32_t(typeTable) | SubdirectoryFlag);
        size_t named = 0;
        size_t numbered = 0;
        size_t first = resourceIndex;
        while (resourceIndex < resources.size() && resources[resourceIndex].Type == types[t]) {
            (resources[resourceIndex].Name.empty() ? numbered : named)++;
            ++resourceIndex;
        }
        writeTableHeader(typeTable, named, numbered);
        for (size_t i = first; i < resourceIndex; ++i) {
            const size_t entry = typeTable + 16 + 8 * (i - first);
            const size_t languageTable = languageTablesStart + (16 + 8) * i;
            const size_t dataEntry = dataEntriesStart + 16 * i;
            Set32(out, entry, resources[i].Name.empty() ? resources[i].Id : nameOffsets[i] | NameFlag);
            Set32(out, entry + 4, uint32_t(languageTable) | SubdirectoryFlag);
            writeTableHeader(languageTable, 0, 1);
            Set32(out, languageTable + 16, LanguageEnglishUS);
            Set32(out, languageTable + 20, uint32_t(dataEntry));
            Set32(out, dataEntry, dataOffsets[i]);
            Set32(out, dataEntry + 4, uint32_t(resources[i].Data.size()));
            Set32(out, dataEntry + 8, 0); // code page: none given
        }
        typeTable += 16 + 8 * (resourceIndex - first);
    }
    return out;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 6) {
        std::fprintf(stderr, "usage: zvresgen <output> <icon file> <version text> <original file name> <reserve bytes>\n");
        return 2;
    }
    try {
        const std::string outputFile = argv[1];
        const std::vector<TIcon> icons = ReadIconFile(argv[2]);
        const std::string versionText = argv[3];
        const std::string originalFileName = argv[4];
        char *end = nullptr;
        const unsigned long long reserve = std::strtoull(argv[5], &end, 10);
        if (*argv[5] == '\0' || *end != '\0' || reserve > 0x40000000ull)
            throw std::runtime_error(std::string("bad reserve size: ") + argv[5]);

        std::vector<TResource> resources;
        for (size_t i = 0; i < icons.size(); ++i)
            resources.push_back({RT_ICON, uint32_t(i + 1), "", icons[i].Image});
        Bytes group;
        Put16(group, 0);
        Put16(group, 1);
        Put16(group, uint32_t(icons.size()));
        for (size_t i = 0; i < icons.size(); ++i) {
            group.insert(group.end(), icons[i].EntryHead.begin(), icons[i].EntryHead.end());
            Set32(group, group.size() - 4, uint32_t(icons[i].Image.size()));
            Put16(group, uint32_t(i + 1));
        }
        resources.push_back({RT_GROUP_ICON, 0, "MAINICON", group});
        resources.push_back({RT_VERSION, 1, "", VersionBlock(versionText, originalFileName)});

        Bytes section = ResourceDirectory(resources);
        section.resize(section.size() + reserve, 0);

        std::ofstream out(outputFile, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char *>(section.data()), std::streamsize(section.size()));
        out.close();
        if (!out)
            throw std::runtime_error("cannot write " + outputFile);
    } catch (const std::exception &error) {
        std::fprintf(stderr, "zvresgen: %s\n", error.what());
        std::remove(argv[1]);
        return 1;
    }
    return 0;
}
