// The resource-section readers on hand-made bytes: the version-block walker, the resource
// directory walker, the ELF section lookup and the main-icon reader, each with damaged and
// hostile input that must fail cleanly.
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

#include "platform/exe_resources.h"

namespace {

QByteArray Hex(const char *text)
{
    return QByteArray::fromHex(text); // spaces are skipped
}

void Patch16(QByteArray &bytes, int at, uint16_t value)
{
    qToLittleEndian(value, bytes.data() + at);
}

void Patch32(QByteArray &bytes, int at, uint32_t value)
{
    qToLittleEndian(value, bytes.data() + at);
}

void Patch64(QByteArray &bytes, int at, uint64_t value)
{
    qToLittleEndian(value, bytes.data() + at);
}

// A small version block. Tree (offset: node):
//   0: "VI" binary value DE AD BE EF (at 12, 4 bytes)
//  16:   "SFI" text, no value
//  32:     "Tab" text, no value
//  48:       "Ka" = "xy"   (value at 60, 6 bytes with NUL)
//  68:       "Kb" = ""     (value at 80, 2 bytes)
//  84:   "Bin" binary value AA BB CC (at 100, 3 bytes; child at the next 4-byte boundary)
// 104:     "Kc" = "q"      (value at 116, 4 bytes)
QByteArray VersionBlockFixture()
{
    return Hex("7800 0400 0000  5600 4900 0000  efbeadde"           //   0 VI
               "4200 0000 0100  5300 4600 4900 0000  0000"          //  16 SFI
               "3200 0000 0100  5400 6100 6200 0000  0000"          //  32 Tab
               "1200 0300 0100  4b00 6100 0000  7800 7900 0000 0000" //  48 Ka + pad
               "0e00 0100 0100  4b00 6200 0000  0000  0000"         //  68 Kb + pad
               "2400 0300 0000  4200 6900 6e00 0000  0000  aabbcc 00" // 84 Bin + pad
               "1000 0200 0100  4b00 6300 0000  7100 0000");        // 104 Kc
}

// A resource section: icon 7 (type 3) holding "ABCD" and the group "MAINICON" (type 14)
// naming icon 7 as one 16x16 32-bit image.
//  0x00 root: 2 id entries (3 -> 0x20, 14 -> 0x38)
//  0x20 type 3: id 7 -> 0x50          0x38 type 14: name@0xA0 -> 0x68
//  0x50 language 1033 -> entry 0x80   0x68 language 1033 -> entry 0x90
//  0x80 data entry (0xB4, 4)          0x90 data entry (0xB8, 20)
//  0xA0 name "MAINICON", 0xB4 "ABCD", 0xB8 icon group; 0xCC bytes in all
QByteArray SectionFixture()
{
    return Hex("00000000 00000000 0000 0000 0000 0200  03000000 20000080  0e000000 38000080"
               "00000000 00000000 0000 0000 0000 0100  07000000 50000080"
               "00000000 00000000 0000 0000 0100 0000  a0000080 68000080"
               "00000000 00000000 0000 0000 0000 0100  09040000 80000000"
               "00000000 00000000 0000 0000 0000 0100  09040000 90000000"
               "b4000000 04000000 00000000 00000000"
               "b8000000 14000000 00000000 00000000"
               "0800 4d00 4100 4900 4e00 4900 4300 4f00 4e00 0000"
               "41424344"
               "0000 0100 0100  10 10 00 00 0100 2000 04000000 0700");
}

// A 64-bit little-endian ELF file: header, the given section contents, the section-name
// table, then three section headers (null, ".rsrc", ".shstrtab").
struct TElfFixture
{
    QByteArray Bytes;
    int SectionOffset;
    int NamesOffset;
    int HeadersOffset;
    int HeaderAt(int index) const { return HeadersOffset + 64 * index; }
};

TElfFixture MakeElf(const QByteArray &section)
{
    TElfFixture elf;
    const QByteArray names(QByteArrayLiteral("\0.rsrc\0.shstrtab\0"));
    elf.SectionOffset = 64;
    elf.NamesOffset = elf.SectionOffset + section.size();
    elf.HeadersOffset = (elf.NamesOffset + names.size() + 7) & ~7;
    QByteArray &bytes = elf.Bytes;
    bytes.fill('\0', elf.HeadersOffset + 3 * 64);
    bytes.replace(0, 7, QByteArrayLiteral("\x7F" "ELF\x02\x01\x01"));
    Patch16(bytes, 0x10, 2);  // executable
    Patch16(bytes, 0x12, 62); // x86-64
    Patch32(bytes, 0x14, 1);
    Patch64(bytes, 0x28, uint64_t(elf.HeadersOffset));
    Patch16(bytes, 0x34, 64);
    Patch16(bytes, 0x3A, 64);
    Patch16(bytes, 0x3C, 3);
    Patch16(bytes, 0x3E, 2);
    bytes.replace(elf.SectionOffset, section.size(), section);
    bytes.replace(elf.NamesOffset, names.size(), names);
    const int rsrc = elf.HeaderAt(1);
    Patch32(bytes, rsrc, 1);                                  // name ".rsrc"
    Patch32(bytes, rsrc + 4, 1);                              // PROGBITS
    Patch64(bytes, rsrc + 8, 2);                              // allocated
    Patch64(bytes, rsrc + 24, uint64_t(elf.SectionOffset));
    Patch64(bytes, rsrc + 32, uint64_t(section.size()));
    const int strtab = elf.HeaderAt(2);
    Patch32(bytes, strtab, 7);                                // name ".shstrtab"
    Patch32(bytes, strtab + 4, 3);                            // STRTAB
    Patch64(bytes, strtab + 24, uint64_t(elf.NamesOffset));
    Patch64(bytes, strtab + 32, uint64_t(names.size()));
    return elf;
}

} // namespace

class TstExeResources : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString WriteFile(const QString &name, const QByteArray &bytes)
    {
        const QString fileName = m_dir.filePath(name);
        QFile file(fileName);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(fileName));
        return fileName;
    }

private slots:
    void findVersionValue_data()
    {
        QTest::addColumn<QStringList>("path");
        QTest::addColumn<int>("offset"); // -1: not found
        QTest::addColumn<int>("length");
        QTest::newRow("root value") << QStringList{"VI"} << 12 << 4;
        QTest::newRow("deep text") << QStringList{"VI", "SFI", "Tab", "Ka"} << 60 << 6;
        QTest::newRow("second sibling") << QStringList{"VI", "SFI", "Tab", "Kb"} << 80 << 2;
        QTest::newRow("keys ignore case") << QStringList{"vi", "sfi", "TAB", "kA"} << 60 << 6;
        QTest::newRow("after a binary value") << QStringList{"VI", "Bin", "Kc"} << 116 << 4;
        QTest::newRow("node with no value") << QStringList{"VI", "SFI"} << 32 << 0;
        QTest::newRow("wrong branch") << QStringList{"VI", "SFI", "Tab", "Kc"} << -1 << 0;
        QTest::newRow("wrong level") << QStringList{"VI", "Ka"} << -1 << 0;
        QTest::newRow("key prefix") << QStringList{"VI", "SFI", "Tab", "K"} << -1 << 0;
        QTest::newRow("key longer") << QStringList{"VI", "SFI", "Tab", "Kab"} << -1 << 0;
        QTest::newRow("below a leaf") << QStringList{"VI", "SFI", "Tab", "Ka", "x"} << -1 << 0;
        QTest::newRow("wrong root") << QStringList{"VS_VERSION_INFO"} << -1 << 0;
        QTest::newRow("empty path") << QStringList{} << -1 << 0;
    }
    void findVersionValue()
    {
        QFETCH(QStringList, path);
        QFETCH(int, offset);
        QFETCH(int, length);
        int valueOffset = -1;
        int valueLength = -1;
        const bool found = FindVersionValue(VersionBlockFixture(), path, valueOffset, valueLength);
        QCOMPARE(found, offset >= 0);
        if (found) {
            QCOMPARE(valueOffset, offset);
            QCOMPARE(valueLength, length);
        }
    }

    void findVersionValueRefusesDamage_data()
    {
        QTest::addColumn<QByteArray>("block");
        QTest::addColumn<QStringList>("path");
        const QByteArray good = VersionBlockFixture();
        QByteArray block = good;
        Patch16(block, 0, 0xFFFF);
        QTest::newRow("root longer than block") << block << QStringList{"VI"};
        block = good;
        Patch16(block, 48, 0);
        QTest::newRow("zero length node") << block << QStringList{"VI", "SFI", "Tab", "Kb"};
        block = good;
        Patch16(block, 48, 3);
        QTest::newRow("length below header") << block << QStringList{"VI", "SFI", "Tab", "Kb"};
        block = good;
        Patch16(block, 68, 40);
        QTest::newRow("child past parent") << block << QStringList{"VI", "SFI", "Tab", "Kb"};
        block = good;
        Patch16(block, 50, 0x7FFF);
        QTest::newRow("text value past node") << block << QStringList{"VI", "SFI", "Tab", "Ka"};
        block = good;
        Patch16(block, 86, 0xFFFF);
        QTest::newRow("binary value past node") << block << QStringList{"VI", "Bin", "Kc"};
        block = good;
        block.replace(114, 6, Hex("7800 7100 7100"));
        QTest::newRow("key without NUL") << block << QStringList{"VI", "Bin", "Kcxqq"};
    }
    void findVersionValueRefusesDamage()
    {
        QFETCH(QByteArray, block);
        QFETCH(QStringList, path);
        int valueOffset = -1;
        int valueLength = -1;
        QVERIFY(!FindVersionValue(block, path, valueOffset, valueLength));
    }

    // A block cut anywhere is refused for every path, whatever the cut leaves readable.
    void findVersionValueRefusesTruncation()
    {
        const QByteArray good = VersionBlockFixture();
        const QList<QStringList> paths{{"VI"}, {"VI", "SFI", "Tab", "Ka"}, {"VI", "Bin", "Kc"}};
        for (int size = 0; size < good.size(); ++size) {
            const QByteArray cut(good.constData(), size); // own buffer of exactly size bytes
            for (const QStringList &path : paths) {
                int valueOffset = -1;
                int valueLength = -1;
                QVERIFY2(!FindVersionValue(cut, path, valueOffset, valueLength),
                         qPrintable(QStringLiteral("%1 bytes, %2").arg(size).arg(path.join('\\'))));
            }
        }
    }

    void locateResource_data()
    {
        QTest::addColumn<uint>("type");
        QTest::addColumn<QString>("name"); // empty: by id
        QTest::addColumn<uint>("id");
        QTest::addColumn<bool>("found");
        QTest::addColumn<uint>("dataEntry");
        QTest::addColumn<uint>("dataOffset");
        QTest::addColumn<uint>("dataSize");
        QTest::newRow("by id") << uint(RT_ICON) << QString() << 7u << true << 0x80u << 0xB4u << 4u;
        QTest::newRow("by name") << uint(RT_GROUP_ICON) << "MAINICON" << 0u << true << 0x90u << 0xB8u << 20u;
        QTest::newRow("name ignores case") << uint(RT_GROUP_ICON) << "mainIcon" << 0u << true << 0x90u << 0xB8u << 20u;
        QTest::newRow("other id") << uint(RT_ICON) << QString() << 8u << false << 0u << 0u << 0u;
        QTest::newRow("absent type") << uint(RT_VERSION) << QString() << 1u << false << 0u << 0u << 0u;
        QTest::newRow("name prefix") << uint(RT_GROUP_ICON) << "MAINICO" << 0u << false << 0u << 0u << 0u;
        QTest::newRow("name longer") << uint(RT_GROUP_ICON) << "MAINICONS" << 0u << false << 0u << 0u << 0u;
        QTest::newRow("name in wrong type") << uint(RT_ICON) << "MAINICON" << 0u << false << 0u << 0u << 0u;
        QTest::newRow("id in named-only type") << uint(RT_GROUP_ICON) << QString() << 7u << false << 0u << 0u << 0u;
    }
    void locateResource()
    {
        QFETCH(uint, type);
        QFETCH(QString, name);
        QFETCH(uint, id);
        QFETCH(bool, found);
        TResourceLocation location;
        const QByteArray section = SectionFixture();
        const bool result = name.isEmpty() ? LocateResource(section, type, id, location)
                                           : LocateResource(section, type, name, location);
        QCOMPARE(result, found);
        if (found) {
            QTEST(location.DataEntryOffset, "dataEntry");
            QTEST(location.DataOffset, "dataOffset");
            QTEST(location.DataSize, "dataSize");
        }
    }

    void locateResourceRefusesDamage_data()
    {
        QTest::addColumn<QByteArray>("section");
        QTest::addColumn<bool>("iconFound");
        QTest::addColumn<bool>("groupFound");
        const QByteArray good = SectionFixture();
        auto row = [&good](const char *tag, int at, uint32_t value, int width, bool icon, bool group) {
            QByteArray section = good;
            if (width == 2)
                Patch16(section, at, uint16_t(value));
            else
                Patch32(section, at, value);
            QTest::newRow(tag) << section << icon << group;
        };
        row("undamaged", 0, 0, 4, true, true);
        row("root entries past section", 0x0E, 0xFFFF, 2, false, false);
        row("subdirectory past section", 0x34, 0x80000000u | 0x7FFFFFF0u, 4, false, true);
        row("leaf where a subdirectory belongs", 0x34, 0x50, 4, false, true);
        row("subdirectory loops to itself", 0x34, 0x80000020u, 4, false, true);
        row("subdirectory where a leaf belongs", 0x64, 0x80000080u, 4, false, true);
        row("data entry past section", 0x64, 0xC8, 4, false, true);
        row("data address past section", 0x80, 0xCC, 4, false, true);
        row("data size past section", 0x84, 0xFFFFFFFFu, 4, false, true);
        row("name length past section", 0xA0, 0x7FFF, 2, true, false);
        row("name offset past section", 0x48, 0x80000000u | 0x0FFFFFFFu, 4, true, false);
        row("group data past section", 0x94, 21, 4, true, false);
    }
    void locateResourceRefusesDamage()
    {
        QFETCH(QByteArray, section);
        TResourceLocation location;
        QTEST(LocateResource(section, RT_ICON, 7, location), "iconFound");
        QTEST(LocateResource(section, RT_GROUP_ICON, QStringLiteral("MAINICON"), location), "groupFound");
    }

    // A section cut anywhere: a resource is found exactly when all it needs is there.
    void locateResourceInTruncatedSection()
    {
        const QByteArray good = SectionFixture();
        for (int size = 0; size <= good.size(); ++size) {
            const QByteArray cut(good.constData(), size);
            TResourceLocation location;
            QCOMPARE(LocateResource(cut, RT_ICON, 7, location), size >= 0xB8);
            QCOMPARE(LocateResource(cut, RT_GROUP_ICON, QStringLiteral("MAINICON"), location), size >= 0xCC);
        }
    }

    void findResourceSection_data()
    {
        QTest::addColumn<QByteArray>("file");
        const TElfFixture elf = MakeElf(SectionFixture());
        QTest::newRow("plain") << elf.Bytes;
        // Extended numbering: the count lives in section header 0.
        QByteArray bytes = elf.Bytes;
        Patch16(bytes, 0x3C, 0);
        Patch64(bytes, elf.HeaderAt(0) + 32, 3);
        QTest::newRow("count in header 0") << bytes;
    }
    void findResourceSection()
    {
        QFETCH(QByteArray, file);
        const QString fileName = WriteFile(QStringLiteral("good.elf"), file);
        TResourceSection section;
        QByteArray sectionBytes;
        QString error;
        QVERIFY2(FindResourceSection(fileName, section, error), qPrintable(error));
        QCOMPARE(section.FileOffset, int64_t(64));
        QCOMPARE(section.Size, uint32_t(SectionFixture().size()));
        QVERIFY2(ReadResourceSection(fileName, section, sectionBytes, error), qPrintable(error));
        QCOMPARE(sectionBytes, SectionFixture());
    }

    void findResourceSectionFails_data()
    {
        QTest::addColumn<QByteArray>("file");
        const TElfFixture elf = MakeElf(SectionFixture());
        auto patched = [&elf](int at, uint64_t value, int width) {
            QByteArray bytes = elf.Bytes;
            if (width == 1)
                bytes[at] = char(value);
            else if (width == 2)
                Patch16(bytes, at, uint16_t(value));
            else if (width == 4)
                Patch32(bytes, at, uint32_t(value));
            else
                Patch64(bytes, at, value);
            return bytes;
        };
        QTest::newRow("not ELF") << QByteArray("A plain text file, long enough to hold an ELF header.\n").repeated(3);
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("32-bit ELF") << patched(4, 1, 1);
        QTest::newRow("big-endian ELF") << patched(5, 2, 1);
        QTest::newRow("truncated header") << elf.Bytes.left(40);
        QTest::newRow("truncated section headers") << elf.Bytes.left(elf.HeaderAt(2) + 10);
        QTest::newRow("no section headers") << patched(0x28, 0, 8);
        QTest::newRow("header table offset overflows") << patched(0x28, ~uint64_t(0) - 63, 8);
        QTest::newRow("header size too small") << patched(0x3A, 32, 2);
        QTest::newRow("names index out of range") << patched(0x3E, 3, 2);
        QTest::newRow("huge count in header 0") << [&] {
            QByteArray bytes = patched(0x3C, 0, 2);
            Patch64(bytes, elf.HeaderAt(0) + 32, ~uint64_t(0));
            return bytes;
        }();
        QTest::newRow("names past file") << patched(elf.HeaderAt(2) + 32, 1u << 30, 8);
        QTest::newRow("no .rsrc") << patched(elf.NamesOffset + 5, 'd', 1);
        QTest::newRow(".rsrc only a prefix") << patched(elf.NamesOffset + 6, 'x', 1);
        QTest::newRow("section past file") << patched(elf.HeaderAt(1) + 32, 100000, 8);
        QTest::newRow("section offset overflows") << patched(elf.HeaderAt(1) + 24, ~uint64_t(0) - 10, 8);
        QTest::newRow("section larger than 4 GiB") << patched(elf.HeaderAt(1) + 32, uint64_t(1) << 32, 8);
        QTest::newRow("section without contents") << patched(elf.HeaderAt(1) + 4, 8, 4);
    }
    void findResourceSectionFails()
    {
        QFETCH(QByteArray, file);
        const QString fileName = WriteFile(QStringLiteral("bad.elf"), file);
        TResourceSection section;
        QString error;
        QVERIFY(!FindResourceSection(fileName, section, error));
        QVERIFY(error.contains(fileName));
        QCOMPARE(ReadMainIconFile(fileName), QByteArray());
        QCOMPARE(ReadVersionString(fileName, QStringLiteral("FileVersion")), QString());
    }

    void missingFile()
    {
        const QString fileName = m_dir.filePath(QStringLiteral("absent"));
        TResourceSection section;
        QString error;
        QVERIFY(!FindResourceSection(fileName, section, error));
        QVERIFY(error.contains(fileName));
        QCOMPARE(ReadMainIconFile(fileName), QByteArray());
        QCOMPARE(ReadVersionString(fileName, QStringLiteral("FileVersion")), QString());
    }

    // The icon file is rebuilt from the group: header, one entry per image (group entry's
    // first 8 bytes, the image size, the image's offset), then the images.
    void readMainIconFile_data()
    {
        QTest::addColumn<QByteArray>("section");
        QTest::addColumn<QByteArray>("icon");
        const QByteArray good = SectionFixture();
        QTest::newRow("one image") << good << Hex("0000 0100 0100  1010 0000 0100 2000 04000000 16000000  41424344");
        QByteArray section = good;
        Patch16(section, 0xBC, 2);
        QTest::newRow("count past group") << section << QByteArray();
        section = good;
        Patch16(section, 0xCA, 8);
        QTest::newRow("missing image") << section << QByteArray();
        section = good;
        Patch16(section, 0xBA, 2);
        QTest::newRow("cursor group") << section << QByteArray();
        section = good;
        section[0xA2 + 2 * 7] = 'X';
        QTest::newRow("no MAINICON") << section << QByteArray();
    }
    void readMainIconFile()
    {
        QFETCH(QByteArray, section);
        const QString fileName = WriteFile(QStringLiteral("icon.elf"), MakeElf(section).Bytes);
        QTEST(ReadMainIconFile(fileName), "icon");
        QCOMPARE(ReadVersionString(fileName, QStringLiteral("FileVersion")), QString()); // no version block
    }
};

QTEST_GUILESS_MAIN(TstExeResources)
#include "tst_exe_resources.moc"
