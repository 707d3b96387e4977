// The built program's own identity: its version block, main icon and reserved room, read
// from the program file and from a stripped copy of it.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

#include "support/test_files.h"

#include "core/version_info.h"
#include "platform/exe_resources.h"

namespace {

QByteArray Hex(const char *text)
{
    return QByteArray::fromHex(text); // spaces are skipped
}

// ASCII text as UTF-16LE with its NUL.
QByteArray Utf16z(const char *text)
{
    QByteArray bytes;
    for (const char *c = text; *c; ++c)
        bytes.append(*c).append('\0');
    return bytes.append(2, '\0');
}

// The program's version block, node by node (offset: wLength).
QByteArray ExpectedVersionBlock()
{
    const QByteArray blanks = Hex("2000").repeated(100) + Hex("0000");
    return Hex("1c04 3400 0000") + Utf16z("VS_VERSION_INFO") + Hex("0000") //   0: 1052
           + Hex("bd04effe 00000100 00000100 00000000 00000100 00000000"   // fixed info
                 "3f000000 00000000 04000400 01000000 00000000 00000000 00000000")
           + Hex("7c03 0000 0100") + Utf16z("StringFileInfo")               //  92: 892
           + Hex("5803 0000 0100") + Utf16z("040904E4")                     // 128: 856
           + Hex("ea00 6500 0100") + Utf16z("CompanyName") + Hex("0000") + blanks + Hex("0000")
           + Hex("f200 6500 0100") + Utf16z("FileDescription") + Hex("0000") + blanks + Hex("0000")
           + Hex("3400 0a00 0100") + Utf16z("FileVersion") + Hex("0000") + Utf16z("1.0.0.0  ")
           + Hex("ee00 6500 0100") + Utf16z("LegalCopyright") + blanks + Hex("0000")
           + Hex("3c00 0a00 0100") + Utf16z("OriginalFilename") + Utf16z("Zandrovel")
           + Hex("4400 0000 0100") + Utf16z("VarFileInfo") + Hex("0000")   // 984: 68
           + Hex("2400 0400 0000") + Utf16z("Translation") + Hex("0000") + Hex("0904 e404");
}

} // namespace

class TstVersionInfo : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_stripped;

    void addProgramRows()
    {
        QTest::addColumn<QString>("program");
        QTest::newRow("program") << QStringLiteral(ZV_PROGRAM_PATH);
        QTest::newRow("stripped copy") << m_stripped;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        const QString strip = QStandardPaths::findExecutable(QStringLiteral("strip"));
        QVERIFY2(!strip.isEmpty(), "strip is needed to check that the resources survive it");
        m_stripped = m_dir.filePath(QStringLiteral("Zandrovel"));
        QVERIFY(QFile::copy(QStringLiteral(ZV_PROGRAM_PATH), m_stripped));
        QCOMPARE(QProcess::execute(strip, {m_stripped}), 0);
        // The copy really lost something (symbols at least), so its row means something.
        QVERIFY(QFileInfo(m_stripped).size() < QFileInfo(QStringLiteral(ZV_PROGRAM_PATH)).size());
    }

    void versionTexts_data() { addProgramRows(); }
    void versionTexts()
    {
        QFETCH(QString, program);
        const QString blanks(100, QLatin1Char(' '));
        QCOMPARE(GetOriginalFilename(program), QStringLiteral("Zandrovel"));
        QCOMPARE(GetFileVersionText(program), QStringLiteral("1.0.0.0  "));
        QCOMPARE(ReadVersionString(program, QStringLiteral("CompanyName")), blanks);
        QCOMPARE(ReadVersionString(program, QStringLiteral("FileDescription")), blanks);
        QCOMPARE(ReadVersionString(program, QStringLiteral("LegalCopyright")), blanks);
        QCOMPARE(ReadVersionString(program, QStringLiteral("originalfilename")), QStringLiteral("Zandrovel"));
        QCOMPARE(ReadVersionString(program, QStringLiteral("ProductName")), QString());
    }

    void versionBlockBytes_data() { addProgramRows(); }
    void versionBlockBytes()
    {
        QFETCH(QString, program);
        TResourceSection section;
        QByteArray bytes;
        QString error;
        QVERIFY2(ReadResourceSection(program, section, bytes, error), qPrintable(error));
        TResourceLocation location;
        QVERIFY(LocateResource(bytes, RT_VERSION, 1, location));
        QCOMPARE(bytes.mid(location.DataOffset, location.DataSize), ExpectedVersionBlock());
    }

    // The section holds the resources and then at least 1 MiB of zeros, room for a later
    // Build to write any accepted icon file.
    void reservedRoom_data() { addProgramRows(); }
    void reservedRoom()
    {
        QFETCH(QString, program);
        TResourceSection section;
        QByteArray bytes;
        QString error;
        QVERIFY2(ReadResourceSection(program, section, bytes, error), qPrintable(error));
        TResourceLocation location;
        QVERIFY(LocateResource(bytes, RT_GROUP_ICON, QStringLiteral("MAINICON"), location));
        uint32_t used = location.DataOffset + location.DataSize;
        const int iconCount = qFromLittleEndian<uint16_t>(bytes.constData() + location.DataOffset + 4);
        QVERIFY(iconCount > 0);
        for (int id = 1; id <= iconCount; ++id) {
            QVERIFY(LocateResource(bytes, RT_ICON, uint32_t(id), location));
            used = qMax(used, location.DataOffset + location.DataSize);
        }
        QVERIFY(LocateResource(bytes, RT_VERSION, 1, location));
        used = qMax(used, location.DataOffset + location.DataSize);
        QVERIFY2(section.Size >= used + 1048576u, qPrintable(QStringLiteral("%1 of %2").arg(used).arg(section.Size)));
        QCOMPARE(bytes.mid(used), QByteArray(bytes.size() - used, '\0'));
    }

    void mainIcon_data() { addProgramRows(); }
    void mainIcon()
    {
        QFETCH(QString, program);
        // The icon file is stored with its images right after its directory, in order, so
        // the rebuilt file equals it byte for byte.
        const QByteArray icon = ReadFileBytes(QDir::cleanPath(QStringLiteral(ZV_TEST_DATA_DIR "/../../resources/Zandrovel.ico")));
        QVERIFY(!icon.isEmpty());
        QCOMPARE(ReadMainIconFile(program), icon);
    }

    void noVersionBlock_data()
    {
        QTest::addColumn<QString>("file");
        QTest::newRow("missing file") << m_dir.filePath(QStringLiteral("absent"));
        QTest::newRow("program without section") << QCoreApplication::applicationFilePath();
        QTest::newRow("folder") << m_dir.path();
    }
    void noVersionBlock()
    {
        QFETCH(QString, file);
        QCOMPARE(GetOriginalFilename(file), QString());
        QCOMPARE(GetFileVersionText(file), QString());
        QCOMPARE(ReadMainIconFile(file), QByteArray());
    }
};

QTEST_GUILESS_MAIN(TstVersionInfo)
#include "tst_version_info.moc"
