#include <QTemporaryDir>
#include <QtTest>
#include <fcntl.h>
#include <unistd.h>

#include "support/test_files.h"

#include "app/app_def.h"
#include "app/startup.h"
#include "core/version_info.h"
#include "designer/compres_update.h"
#include "platform/exe_resources.h"

namespace {

const QString ResourceIcon = QStringLiteral(ZV_TEST_DATA_DIR "/../../resources/Zandrovel.ico");

// Two images of 16x16 and 32x32 at 32 bits, "ABCD" and "xyz", laid out as icon files are.
const QByteArray TwoImageIcon = QByteArray::fromHex("000001000200"
                                                    "101000000100200004000000" "26000000"
                                                    "202000000100200003000000" "2a000000"
                                                    "41424344" "78797a");
// Its group resource: the entries' first 12 bytes, then the icon ids 1 and 2.
const QByteArray TwoImageGroup = QByteArray::fromHex("000001000200"
                                                     "101000000100200004000000" "0100"
                                                     "202000000100200003000000" "0200");

struct TVersionBlock
{
    int64_t FileOffset = -1; // of the block in the file
    QByteArray Bytes;
};

TVersionBlock VersionBlockOf(const QString &file)
{
    TVersionBlock block;
    TResourceSection section;
    QByteArray sectionBytes;
    QString error;
    TResourceLocation location;
    if (ReadResourceSection(file, section, sectionBytes, error) && LocateResource(sectionBytes, RT_VERSION, 1, location)) {
        block.FileOffset = section.FileOffset + location.DataOffset;
        block.Bytes = sectionBytes.mid(location.DataOffset, location.DataSize);
    }
    return block;
}

QByteArray SectionOf(const QString &file)
{
    TResourceSection section;
    QByteArray sectionBytes;
    QString error;
    ReadResourceSection(file, section, sectionBytes, error);
    return sectionBytes;
}

// The byte range of a value inside a version block.
QPair<int, int> ValueRange(const QByteArray &block, const QStringList &path)
{
    int offset = -1;
    int length = 0;
    FindVersionValue(block, path, offset, length);
    return {offset, offset + length};
}

QStringList StringKey(const QString &key)
{
    return {"VS_VERSION_INFO", "StringFileInfo", "040904E4", key};
}

// Overwrites bytes of a file at an offset.
bool PokeFile(const QString &file, int64_t offset, const QByteArray &bytes)
{
    QFile f(file);
    return f.open(QIODevice::ReadWrite) && f.seek(offset) && f.write(bytes) == bytes.size();
}

// The message of the exception fn raises; '' when it raises none.
QString MessageOf(const std::function<void()> &fn)
{
    try {
        fn();
    } catch (const Exception &error) {
        return error.Message();
    }
    return QString();
}

} // namespace

class TestCompresUpdate : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        InitAppDef();
        QVERIFY(m_dir.isValid());
        QVERIFY(!VersionBlockOf(QStringLiteral(ZV_PROGRAM_PATH)).Bytes.isEmpty());
    }

    void fileAccess()
    {
        const QString name = m_dir.filePath("plain.bin");
        // The error number raised, 0 when none; -1 when the error is not as every one must be.
        auto code = [](const std::function<void()> &fn) {
            try {
                fn();
            } catch (const EFileError &error) {
                const bool wellFormed = error.Message() == QLatin1String("Error") && GetLastError() == error.ErrorCode();
                return wellFormed ? error.ErrorCode() : -1;
            }
            return 0;
        };
        QCOMPARE(code([&] { TFile f(m_dir.filePath("missing"), fdOpenExisting, faRead, fsRead); }), ENOENT);
        {
            TFile f(name, fdCreateAlways, faReadWrite, fsNone);
            f.WriteBuffer("abcdef", 6);
            QCOMPARE(f.Size(), int64_t(6));
            QCOMPARE(f.Position(), int64_t(6));
            f.Seek(2);
            char buffer[10] = {};
            QCOMPARE(f.Read(buffer, 10), 4u);
            QCOMPARE(QByteArray(buffer, 4), QByteArray("cdef"));
            QCOMPARE(code([&] { f.ReadBuffer(buffer, 1); }), ENODATA);
            f.Seek64(3);
            f.Truncate();
            QCOMPARE(f.CappedSize(), 3u);
            f.SeekToEnd();
            QCOMPARE(f.Position(), int64_t(3));
        }
        QCOMPARE(ReadFileBytes(name), QByteArray("abc"));
        QCOMPARE(code([&] { TFile f(name, fdCreateNew, faWrite, fsNone); }), EEXIST);
        QCOMPARE(code([&] {
                     TFile f(name, fdOpenExisting, faRead, fsRead);
                     f.WriteBuffer("x", 1);
                 }),
                 EBADF);
        // A wrapped descriptor stays open.
        const int fd = ::open(QFile::encodeName(name).constData(), O_RDONLY);
        QVERIFY(fd >= 0);
        {
            TFile wrapped = TFile::CreateWithExistingHandle(fd);
            char c = 0;
            wrapped.ReadBuffer(&c, 1);
            QCOMPARE(c, 'a');
        }
        QVERIFY(::fcntl(fd, F_GETFD) != -1);
        ::close(fd);
    }

    void resourceUpdateErrors()
    {
        QCOMPARE(MessageOf([] { ResourceUpdateError("No resources (1)"); }),
                 QStringLiteral("Resource update error: No resources (1)"));
        SetLastError(13);
        QCOMPARE(MessageOf([] { ResourceUpdateErrorWithCode("Writing failed"); }),
                 QStringLiteral("Resource update error: Writing failed (13)"));
    }

    void versionInfo_data()
    {
        QTest::addColumn<QString>("company");
        QTest::addColumn<int>("major");
        QTest::addColumn<int>("minor");
        QTest::addColumn<int>("release");
        QTest::addColumn<int>("build");
        QTest::addColumn<QString>("storedCompany");
        QTest::addColumn<QByteArray>("versionValueHex"); // FileVersion with its NUL
        QTest::addColumn<QByteArray>("fileVersionHex");  // dwFileVersionMS, dwFileVersionLS

        const QString blanks96(96, ' ');
        QTest::newRow("1.0.0.0 keeps two blanks")
            << "Acme" << 1 << 0 << 0 << 0 << "Acme" + blanks96
            << QByteArray("31002e0030002e0030002e003000200020000000") << QByteArray("0000010000000000");
        QTest::newRow("long version cut to 9")
            << "Acme" << 10 << 20 << 300 << 4000 << "Acme" + blanks96
            << QByteArray("310030002e00320030002e00330030003000" "0000") << QByteArray("14000a00a00f2c01");
        const QString longCompany = QString("0123456789").repeated(15);
        QTest::newRow("150-character company cut to 100")
            << longCompany << 65535 << 1 << 2 << 3 << longCompany.left(100)
            << QByteArray("360035003500330035002e0031002e003200" "0000") << QByteArray("0100ffff03000200");
        QTest::newRow("code page loses what it lacks")
            << QString::fromUtf8("Zo\u00eb \u20ac \u2603 \U0001F600") << 1 << 0 << 0 << 0
            << QString::fromUtf8("Zo\u00eb \u20ac ? ?") + QString(91, ' ')
            << QByteArray("31002e0030002e0030002e003000200020000000") << QByteArray("0000010000000000");
    }

    void versionInfo()
    {
        QFETCH(QString, company);
        QFETCH(int, major);
        QFETCH(int, minor);
        QFETCH(int, release);
        QFETCH(int, build);
        QFETCH(QString, storedCompany);
        QFETCH(QByteArray, versionValueHex);
        QFETCH(QByteArray, fileVersionHex);

        const QString copy = CopyProgram(m_dir.path(), "versioned");
        const QByteArray fileBefore = ReadFileBytes(copy);
        const TVersionBlock before = VersionBlockOf(copy);
        PatchVersionInfo(copy, company, QString(), QString(), uint16_t(major), uint16_t(minor), uint16_t(release),
                         uint16_t(build));

        const QByteArray fileAfter = ReadFileBytes(copy);
        const TVersionBlock after = VersionBlockOf(copy);
        QCOMPARE(fileAfter.size(), fileBefore.size());
        QCOMPARE(after.FileOffset, before.FileOffset);
        QCOMPARE(after.Bytes.size(), before.Bytes.size());
        QCOMPARE(ReadVersionString(copy, "CompanyName"), storedCompany);
        QCOMPARE(ReadVersionString(copy, "FileDescription"), QString(100, ' '));
        QCOMPARE(ReadVersionString(copy, "LegalCopyright"), QString(100, ' '));
        QCOMPARE(ReadVersionString(copy, "OriginalFilename"), QStringLiteral("Zandrovel"));

        const auto version = ValueRange(after.Bytes, StringKey("FileVersion"));
        QCOMPARE(after.Bytes.mid(version.first, version.second - version.first).toHex(), versionValueHex);
        const auto fixed = ValueRange(after.Bytes, {"VS_VERSION_INFO"});
        QCOMPARE(after.Bytes.mid(fixed.first, 4).toHex(), QByteArray("bd04effe"));
        QCOMPARE(after.Bytes.mid(fixed.first + 8, 8).toHex(), fileVersionHex);
        // Product version untouched.
        QCOMPARE(after.Bytes.mid(fixed.first + 16, 8), before.Bytes.mid(fixed.first + 16, 8));

        // Nothing else in the file changed.
        const auto companyRange = ValueRange(after.Bytes, StringKey("CompanyName"));
        const QList<QPair<int, int>> allowed{companyRange, version, qMakePair(fixed.first + 8, fixed.first + 16)};
        for (qsizetype i = 0; i < fileBefore.size(); ++i) {
            if (fileBefore.at(i) == fileAfter.at(i))
                continue;
            const int inBlock = int(i - after.FileOffset);
            bool inside = false;
            for (const auto &range : allowed)
                inside = inside || (inBlock >= range.first && inBlock < range.second);
            QVERIFY2(inside, qPrintable(QStringLiteral("byte %1 changed").arg(i)));
        }
    }

    void shorterTextOverwritesOnlyItsLength()
    {
        const QString copy = CopyProgram(m_dir.path(), "twice");
        PatchVersionInfo(copy, QString(100, 'X'), "Tool", "(c) Me", 2, 0, 0, 0);
        PatchVersionInfo(copy, "Acme", "Tool", "(c) Me", 1, 0, 0, 0);
        QCOMPARE(ReadVersionString(copy, "CompanyName"), "Acme" + QString(96, 'X'));
        QCOMPARE(ReadVersionString(copy, "FileDescription"), "Tool" + QString(96, ' '));
        QCOMPARE(ReadVersionString(copy, "LegalCopyright"), "(c) Me" + QString(94, ' '));
        QCOMPARE(ReadVersionString(copy, "FileVersion"), QStringLiteral("1.0.0.0  "));
    }

    void originalFilename_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("designer");
        QTest::newRow("blanks") << QString(9, ' ') << QString(9, ' ') << false;
        QTest::newRow("longer text cut") << "ABCDEFGHIJKL" << "ABCDEFGHI" << false;
        QTest::newRow("shorter text overwrites its length") << "Ma" << "Mandrovel" << false;
        QTest::newRow("other case") << "zANDROVEL" << "zANDROVEL" << true;
    }

    void originalFilename()
    {
        QFETCH(QString, text);
        QFETCH(QString, stored);
        QFETCH(bool, designer);
        QTemporaryDir dir;
        const QString copy = CopyProgram(dir.path(), "Zandrovel");
        QVERIFY(DecideDesignerMode(copy));
        const QByteArray before = ReadFileBytes(copy);
        PatchOriginalFilename(copy, text);
        QCOMPARE(ReadVersionString(copy, "OriginalFilename"), stored);
        QCOMPARE(DecideDesignerMode(copy), designer);
        QCOMPARE(ReadFileBytes(copy).size(), before.size());
        QCOMPARE(VersionBlockOf(copy).Bytes.size(), VersionBlockOf(ZV_PROGRAM_PATH).Bytes.size());
    }

    // Every operation on a file it cannot patch raises its message and leaves the file as it was.
    void refusedFiles_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("originalMessage"); // '' = the operation succeeds
        QTest::addColumn<QString>("versionMessage");
        QTest::addColumn<QString>("iconMessage");
        const QString prefix = QStringLiteral("Resource update error: ");
        const QString notElf = prefix + "File isn't an ELF file (1)";
        const QString noSection = prefix + "No resources (1)";
        const QString noVersion = prefix + "Can't find resource (1)";
        const QString noTable = prefix + "Unexpected version resource format (1)";
        QTest::newRow("missing") << "missing" << "Error" << "Error" << "Error";
        QTest::newRow("not an ELF file") << "text" << notElf << notElf << notElf;
        QTest::newRow("ELF without resources") << "no section" << noSection << noSection << noSection;
        QTest::newRow("no version resource") << "no version" << noVersion << noVersion << noVersion;
        QTest::newRow("no 040904E4 table") << "no table" << noTable << noTable << "";
        QTest::newRow("fixed info signature") << "bad signature" << ""
                                              << prefix + "Unexpected version resource format (3)" << "";
        QTest::newRow("no MAINICON") << "no icon" << "" << "" << prefix + "Can't find resource MAINICON";
    }

    void refusedFiles()
    {
        QFETCH(QString, kind);
        QFETCH(QString, originalMessage);
        QFETCH(QString, versionMessage);
        QFETCH(QString, iconMessage);
        QTemporaryDir dir;
        const QString icon = dir.filePath("two.ico");
        QVERIFY(WriteFileBytes(icon, TwoImageIcon));

        // A fresh file of the kind for each operation.
        auto prepare = [&]() -> QString {
            const QString file = dir.filePath("target");
            QFile::remove(file);
            if (kind == "missing")
                return file;
            if (kind == "text")
                return WriteFileBytes(file, QByteArray(200, 'x')) ? file : QString();
            if (kind == "no section") {
                QFile::copy(QCoreApplication::applicationFilePath(), file);
                return file;
            }
            CopyProgram(dir.path(), "target");
            const TVersionBlock block = VersionBlockOf(file);
            TResourceSection section;
            QString error;
            FindResourceSection(file, section, error);
            const QByteArray sectionBytes = SectionOf(file);
            if (kind == "no version" || kind == "no icon") {
                // Renumber the root's type entry so the resource is not found.
                const uint32_t type = kind == "no version" ? RT_VERSION : RT_GROUP_ICON;
                const int count = qFromLittleEndian<uint16_t>(sectionBytes.constData() + 14);
                for (int i = 0; i < count; ++i) {
                    const int entry = 16 + 8 * i;
                    if (qFromLittleEndian<uint32_t>(sectionBytes.constData() + entry) == type)
                        PokeFile(file, section.FileOffset + entry, QByteArray::fromHex("1f000000"));
                }
            } else if (kind == "no table") {
                const QByteArray key = QByteArray::fromHex("30003400300039003000340045003400");
                const int at = block.Bytes.indexOf(key);
                PokeFile(file, block.FileOffset + at + key.size() - 2, QByteArray::fromHex("3500"));
            } else if (kind == "bad signature") {
                const int at = block.Bytes.indexOf(QByteArray::fromHex("bd04effe"));
                PokeFile(file, block.FileOffset + at, QByteArray::fromHex("00000000"));
            }
            return file;
        };
        auto check = [&](const QString &expected, const std::function<void(const QString &)> &operation) {
            const QString file = prepare();
            const QByteArray before = ReadFileBytes(file);
            const QString message = MessageOf([&] { operation(file); });
            QCOMPARE(message, expected);
            if (!expected.isEmpty())
                QVERIFY(ReadFileBytes(file) == before);
        };
        check(originalMessage, [](const QString &file) { PatchOriginalFilename(file, QString(9, ' ')); });
        check(versionMessage, [](const QString &file) { PatchVersionInfo(file, "A", "B", "C", 1, 2, 3, 4); });
        check(iconMessage, [&](const QString &file) { ReplaceMainIcon(file, icon); });
    }

    void iconFileCheck_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<bool>("valid");
        QTest::newRow("five bytes") << QByteArray::fromHex("0000010000") << false;
        QTest::newRow("executable") << QByteArray::fromHex("4d5a01000000") + QByteArray(32, '\0') << false;
        QTest::newRow("no images") << QByteArray::fromHex("000001000000") << true;
        QTest::newRow("entries past the end") << QByteArray::fromHex("000001000200") + QByteArray(16, '\0') << false;
        QTest::newRow("image past the end")
            << QByteArray::fromHex("000001000100" "101000000100200005000000" "16000000" "41424344") << false;
        QTest::newRow("offset plus size overflows")
            << QByteArray::fromHex("000001000100" "101000000100200020000000" "f0ffffff") << false;
        QTest::newRow("image ends at the end") << TwoImageIcon << true;
        QTest::newRow("program icon") << ReadFileBytes(ResourceIcon) << true;
    }

    void iconFileCheck()
    {
        QFETCH(QByteArray, data);
        QFETCH(bool, valid);
        QCOMPARE(IsValidIconFile(data.constData(), uint32_t(data.size())), valid);
    }

    void replaceMainIcon()
    {
        const QString copy = CopyProgram(m_dir.path(), "iconed");
        const QString icon = m_dir.filePath("two.ico");
        QVERIFY(WriteFileBytes(icon, TwoImageIcon));
        const QByteArray fileBefore = ReadFileBytes(copy);
        const QByteArray sectionBefore = SectionOf(copy);
        const QByteArray versionBefore = VersionBlockOf(copy).Bytes;
        TResourceSection section;
        QString error;
        QVERIFY(FindResourceSection(copy, section, error));

        ReplaceMainIcon(copy, icon);
        QCOMPARE(ReadMainIconFile(copy).toHex(), TwoImageIcon.toHex());
        const QByteArray sectionAfter = SectionOf(copy);
        TResourceLocation group;
        QVERIFY(LocateResource(sectionAfter, RT_GROUP_ICON, QStringLiteral("MAINICON"), group));
        QCOMPARE(sectionAfter.mid(group.DataOffset, group.DataSize).toHex(), TwoImageGroup.toHex());
        QCOMPARE(VersionBlockOf(copy).Bytes, versionBefore);
        QCOMPARE(ReadVersionString(copy, "OriginalFilename"), QStringLiteral("Zandrovel"));
        // Only the section changed.
        const QByteArray fileAfter = ReadFileBytes(copy);
        QCOMPARE(fileAfter.size(), fileBefore.size());
        QVERIFY(fileAfter.left(section.FileOffset) == fileBefore.left(section.FileOffset));
        QVERIFY(fileAfter.mid(section.FileOffset + section.Size) == fileBefore.mid(section.FileOffset + section.Size));

        // The program's own icon brings back the section its build step wrote, byte for byte.
        ReplaceMainIcon(copy, ResourceIcon);
        QVERIFY(SectionOf(copy) == sectionBefore);
        QVERIFY(ReadFileBytes(copy) == fileBefore);
    }

    void refusedIcons_data()
    {
        QTest::addColumn<QByteArray>("icon");
        QTest::addColumn<QString>("message");
        QByteArray tooLarge = QByteArray::fromHex("000001000100" "101000000100200004000000" "16000000" "41424344");
        tooLarge.append(QByteArray(1048577 - tooLarge.size(), '\0'));
        QTest::newRow("1,048,577 bytes") << tooLarge << "Resource update error: Icon file is too large";
        QTest::newRow("executable") << QByteArray::fromHex("4d5a") + QByteArray(100, '\0')
                                    << "Resource update error: Icon file is invalid";
        QTest::newRow("five bytes") << QByteArray::fromHex("0000010000") << "Resource update error: Icon file is invalid";
        QTest::newRow("image past the end")
            << QByteArray::fromHex("000001000100" "101000000100200005000000" "16000000" "41424344")
            << "Resource update error: Icon file is invalid";
        // Accepted as a file, but its directory does not fit the section's room.
        QByteArray many = QByteArray::fromHex("00000100e8fd");
        for (int i = 0; i < 65000; ++i)
            many.append(QByteArray::fromHex("10100000010020000000000000000000"));
        QTest::newRow("directory beyond the room") << many << "Resource update error: Icon file is too large";
    }

    void refusedIcons()
    {
        QFETCH(QByteArray, icon);
        QFETCH(QString, message);
        const QString copy = CopyProgram(m_dir.path(), "refused");
        const QString iconFile = m_dir.filePath("refused.ico");
        QVERIFY(WriteFileBytes(iconFile, icon));
        const QByteArray before = ReadFileBytes(copy);
        QCOMPARE(MessageOf([&] { ReplaceMainIcon(copy, iconFile); }), message);
        QVERIFY(ReadFileBytes(copy) == before);
    }

private:
    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(TestCompresUpdate)
#include "tst_compres_update.moc"
