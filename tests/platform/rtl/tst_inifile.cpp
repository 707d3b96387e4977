#include <QTemporaryDir>
#include <QtTest>

#include "support/test_files.h"

#include <functional>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/rtl/inifile.h"
#include "platform/rtl/strings.h"

using IniEdit = std::function<void(TIniFile &)>;
Q_DECLARE_METATYPE(IniEdit)

namespace {

const QByteArray kReadFixture =
    "; top comment\r\n"
    "[General]\r\n"
    "  Name = \"Quoted Value\"  \r\n"
    "single='x'\r\n"
    "mismatch=\"abc'\r\n"
    "Count=$1F\r\n"
    "Flag=0\r\n"
    ";Hidden=1\r\n"
    "plain line\r\n"
    "Empty=\r\n"
    "NAME=shadowed\r\n"
    "\r\n"
    "[ Other ]\r\n"
    "key=1\r\n"
    "[general]\r\n"
    "name=second section\r\n";

const QByteArray kWriteFixture =
    "; Settings\r\n"
    "[Window]\r\n"
    "Left = 10\r\n"
    "Top=20\r\n"
    "; trailing comment\r\n"
    "\r\n"
    "[Recent]\r\n"
    "File1=a.txt\r\n";

} // namespace

class TestIniFile : public QObject
{
    Q_OBJECT

private slots:
    void reading()
    {
        QTemporaryDir dir;
        const QString name = dir.filePath("r.ini");
        QVERIFY(WriteFileBytes(name, kReadFixture));
        TIniFile ini(name);
        QCOMPARE(ini.FileName(), name);

        QCOMPARE(ini.ReadString("GENERAL", "name", "d"), QStringLiteral("Quoted Value"));
        QCOMPARE(ini.ReadString(" general ", " NAME ", "d"), QStringLiteral("Quoted Value"));
        QCOMPARE(ini.ReadString("General", "single", "d"), QStringLiteral("x"));
        QCOMPARE(ini.ReadString("General", "mismatch", "d"), QStringLiteral("\"abc'"));
        QCOMPARE(ini.ReadString("General", "Empty", "d"), QString());
        QCOMPARE(ini.ReadString("General", "missing", "d"), QStringLiteral("d"));
        QCOMPARE(ini.ReadString("General", ";Hidden", "d"), QStringLiteral("d"));
        QCOMPARE(ini.ReadString("General", "plain line", "d"), QStringLiteral("d"));
        QCOMPARE(ini.ReadString("other", "KEY", "d"), QStringLiteral("1"));
        QCOMPARE(ini.ReadString("Missing", "key", "d"), QStringLiteral("d"));
        QCOMPARE(ini.ReadInteger("General", "Count", 0), 31);
        QCOMPARE(ini.ReadBool("General", "Flag", true), false);
        QCOMPARE(ini.ReadBool("General", "missing", true), true);
        QCOMPARE(ini.ReadBool("General", "single", true), true); // not a number: the default
        QCOMPARE(ini.ReadBool("General", "single", false), false);

        TStringList list;
        list.Add("cleared first");
        ini.ReadSection("general", list);
        QCOMPARE(list.ToStringList(),
                 QStringList({"Name", "single", "mismatch", "Count", "Flag", "Empty"}));
        ini.ReadSections(list);
        QCOMPARE(list.ToStringList(), QStringList({"General", "Other"}));
        ini.ReadSectionValues("GENERAL", list);
        QCOMPARE(list.ToStringList(),
                 QStringList({"Name=Quoted Value", "single=x", "mismatch=\"abc'", "Count=$1F",
                              "Flag=0", "Empty="}));
        ini.ReadSection("missing", list);
        QCOMPARE(list.Count(), 0);

        QVERIFY(ini.SectionExists("OTHER"));
        QVERIFY(!ini.SectionExists("Oth"));
        QVERIFY(ini.ValueExists("general", "EMPTY"));
        QVERIFY(!ini.ValueExists("general", "plain line"));
        QVERIFY(!ini.ValueExists("other", "name"));
    }

    void readInteger_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("expected");
        QTest::newRow("decimal") << "31" << 31;
        QTest::newRow("plus") << "+5" << 5;
        QTest::newRow("minus") << "-42" << -42;
        QTest::newRow("dollar hex") << "$1F" << 31;
        QTest::newRow("dollar hex lower") << "$1f" << 31;
        QTest::newRow("0x hex") << "0x1F" << 31;
        QTest::newRow("0X hex") << "0X10" << 16;
        QTest::newRow("negative hex") << "-$10" << -16;
        QTest::newRow("hex wraps to negative") << "$FFFFFFFF" << -1;
        QTest::newRow("largest") << "2147483647" << 2147483647;
        QTest::newRow("smallest") << "-2147483648" << int(-2147483647 - 1);
        QTest::newRow("too large") << "2147483648" << 7;
        QTest::newRow("hex too large") << "$100000000" << 7;
        QTest::newRow("trailing garbage") << "12abc" << 7;
        QTest::newRow("fraction") << "1.5" << 7;
        QTest::newRow("empty") << "" << 7;
        QTest::newRow("sign only") << "-" << 7;
        QTest::newRow("prefix only") << "$" << 7;
        QTest::newRow("0x only") << "0x" << 7;
        QTest::newRow("blanks trimmed") << "  12  " << 12;
        QTest::newRow("quotes stripped") << "'12'" << 12;
        QTest::newRow("inner blank") << "1 2" << 7;
    }

    void readInteger()
    {
        QFETCH(QString, value);
        QFETCH(int, expected);
        QTemporaryDir dir;
        const QString name = dir.filePath("i.ini");
        QVERIFY(WriteFileBytes(name, "[S]\r\nv=" + value.toUtf8() + "\r\n"));
        QCOMPARE(TIniFile(name).ReadInteger("s", "V", 7), expected);
    }

    void writesChangeOnlyTheirLines_data()
    {
        QTest::addColumn<QByteArray>("initial");
        QTest::addColumn<IniEdit>("edit");
        QTest::addColumn<QByteArray>("expected");

        QTest::newRow("replace a value, any case")
            << kWriteFixture << IniEdit([](TIniFile &ini) { ini.WriteString("WINDOW", "top", "25"); })
            << QByteArray("; Settings\r\n[Window]\r\nLeft = 10\r\nTop=25\r\n; trailing comment\r\n"
                          "\r\n[Recent]\r\nFile1=a.txt\r\n");
        QTest::newRow("replace keeps the blanks around =")
            << kWriteFixture << IniEdit([](TIniFile &ini) { ini.WriteInteger("window", "LEFT", -5); })
            << QByteArray("; Settings\r\n[Window]\r\nLeft = -5\r\nTop=20\r\n; trailing comment\r\n"
                          "\r\n[Recent]\r\nFile1=a.txt\r\n");
        QTest::newRow("new key after the section's last key")
            << kWriteFixture << IniEdit([](TIniFile &ini) { ini.WriteString("window", "Width", "300"); })
            << QByteArray("; Settings\r\n[Window]\r\nLeft = 10\r\nTop=20\r\nWidth=300\r\n"
                          "; trailing comment\r\n\r\n[Recent]\r\nFile1=a.txt\r\n");
        QTest::newRow("new key in the last section")
            << kWriteFixture << IniEdit([](TIniFile &ini) { ini.WriteBool("Recent", "Open", true); })
            << kWriteFixture + "Open=1\r\n";
        QTest::newRow("new section at the end, after a blank line")
            << kWriteFixture << IniEdit([](TIniFile &ini) { ini.WriteString("New", "k", "v"); })
            << kWriteFixture + "\r\n[New]\r\nk=v\r\n";
        QTest::newRow("delete a key")
            << kWriteFixture << IniEdit([](TIniFile &ini) { ini.DeleteKey("recent", "FILE1"); })
            << QByteArray("; Settings\r\n[Window]\r\nLeft = 10\r\nTop=20\r\n; trailing comment\r\n"
                          "\r\n[Recent]\r\n");
        QTest::newRow("erase a section with its trailing lines")
            << kWriteFixture << IniEdit([](TIniFile &ini) { ini.EraseSection("window"); })
            << QByteArray("; Settings\r\n[Recent]\r\nFile1=a.txt\r\n");
        QTest::newRow("erase every section of the name")
            << QByteArray("[a]\r\nx=1\r\n[b]\r\ny=2\r\n[A]\r\nz=3\r\n")
            << IniEdit([](TIniFile &ini) { ini.EraseSection("A"); }) << QByteArray("[b]\r\ny=2\r\n");
        QTest::newRow("nothing to delete leaves the file")
            << kWriteFixture << IniEdit([](TIniFile &ini) {
                   ini.DeleteKey("Window", "missing");
                   ini.DeleteKey("missing", "Top");
                   ini.EraseSection("missing");
               })
            << kWriteFixture;
        QTest::newRow("section without keys: after its header")
            << QByteArray("[Empty]\r\n; note\r\n\r\n[Next]\r\n")
            << IniEdit([](TIniFile &ini) { ini.WriteString("empty", "k", "v"); })
            << QByteArray("[Empty]\r\nk=v\r\n; note\r\n\r\n[Next]\r\n");
        QTest::newRow("LF file keeps LF")
            << QByteArray("[a]\nx=1\n") << IniEdit([](TIniFile &ini) {
                   ini.WriteString("a", "y", "2");
                   ini.WriteString("b", "k", "v");
               })
            << QByteArray("[a]\nx=1\ny=2\n\n[b]\nk=v\n");
        QTest::newRow("mixed line ends stay as they are")
            << QByteArray("[a]\nx=1\r\nz=3\r") << IniEdit([](TIniFile &ini) { ini.WriteString("a", "y", "2"); })
            << QByteArray("[a]\nx=1\r\nz=3\ry=2\n");
        QTest::newRow("no final line break")
            << QByteArray("[a]\r\nx=1") << IniEdit([](TIniFile &ini) { ini.WriteString("a", "x", "2"); })
            << QByteArray("[a]\r\nx=2");
        QTest::newRow("no final line break, new key")
            << QByteArray("[a]\r\nx=1") << IniEdit([](TIniFile &ini) { ini.WriteString("a", "y", "2"); })
            << QByteArray("[a]\r\nx=1\r\ny=2\r\n");
        QTest::newRow("no final line break, new section")
            << QByteArray("[a]\r\nx=1") << IniEdit([](TIniFile &ini) { ini.WriteString("b", "y", "2"); })
            << QByteArray("[a]\r\nx=1\r\n\r\n[b]\r\ny=2\r\n");
        QTest::newRow("ends with a blank line: no second one")
            << QByteArray("[a]\r\n\r\n") << IniEdit([](TIniFile &ini) { ini.WriteString("b", "y", "2"); })
            << QByteArray("[a]\r\n\r\n[b]\r\ny=2\r\n");
        QTest::newRow("empty file")
            << QByteArray() << IniEdit([](TIniFile &ini) { ini.WriteString("S", "k", "v"); })
            << QByteArray("[S]\r\nk=v\r\n");
        QTest::newRow("keys ahead of any section are kept, not used")
            << QByteArray("k=0\r\n") << IniEdit([](TIniFile &ini) { ini.WriteString("S", "k", "v"); })
            << QByteArray("k=0\r\n\r\n[S]\r\nk=v\r\n");
        QTest::newRow("first of duplicate keys")
            << QByteArray("[a]\r\nk=1\r\nK=2\r\n") << IniEdit([](TIniFile &ini) { ini.WriteString("a", "k", "3"); })
            << QByteArray("[a]\r\nk=3\r\nK=2\r\n");
        QTest::newRow("line breaks in names and values become blanks")
            << QByteArray("[a]\r\n") << IniEdit([](TIniFile &ini) { ini.WriteString("a", "k\n", "x\r\n[b]"); })
            << QByteArray("[a]\r\nk=x  [b]\r\n");
    }

    void writesChangeOnlyTheirLines()
    {
        QFETCH(QByteArray, initial);
        QFETCH(IniEdit, edit);
        QFETCH(QByteArray, expected);
        QTemporaryDir dir;
        const QString name = dir.filePath("w.ini");
        QVERIFY(WriteFileBytes(name, initial));
        TIniFile ini(name);
        edit(ini);
        ini.UpdateFile();
        QCOMPARE(ReadFileBytes(name), expected);
        // Only the file itself is left in the folder: the temporary copy was renamed over it.
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"w.ini"}));
    }

    void missingFile()
    {
        QTemporaryDir dir;
        const QString name = dir.filePath("new.ini");
        TIniFile ini(name);
        QCOMPARE(ini.ReadString("a", "b", "d"), QStringLiteral("d"));
        TStringList list;
        list.Add("x");
        ini.ReadSections(list);
        QCOMPARE(list.Count(), 0);
        ini.EraseSection("a");
        ini.DeleteKey("a", "b");
        QVERIFY(!QFile::exists(name));

        ini.WriteString("Main", "Key", "\u20ac");
        QCOMPARE(ReadFileBytes(name).toHex(), QByteArray("5b4d61696e5d0d0a" "4b65793de282ac0d0a"));
        QCOMPARE(ini.ReadString("main", "key", ""), QStringLiteral("\u20ac"));

        const QString inMissingFolder = dir.filePath("no/such.ini");
        try {
            TIniFile(inMissingFolder).WriteString("a", "b", "c");
            QFAIL("writing into a missing folder did not raise");
        } catch (const EIniFileException &e) {
            QCOMPARE(e.Message(), QStringLiteral("Unable to write to %1").arg(inMissingFolder));
        }
    }

    void encodingsAreKept_data()
    {
        QTest::addColumn<QByteArray>("initialHex");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QByteArray>("expectedHex");
        // "[a]\r\nk=é\r\n", then k becomes value.
        QTest::newRow("UTF-16LE with BOM")
            << QByteArray("fffe" "5b0061005d000d000a00" "6b003d00e9000d000a00") << "\u20ac"
            << QByteArray("fffe" "5b0061005d000d000a00" "6b003d00ac200d000a00");
        QTest::newRow("UTF-8 with BOM")
            << QByteArray("efbbbf" "5b615d0d0a" "6b3dc3a90d0a") << "\u20ac"
            << QByteArray("efbbbf" "5b615d0d0a" "6b3de282ac0d0a");
        QTest::newRow("Windows-1252")
            << QByteArray("5b615d0d0a" "6b3de90d0a" "3b8d0d0a") << "\u20ac"
            << QByteArray("5b615d0d0a" "6b3d800d0a" "3b8d0d0a");
        // The code page cannot hold the new value: the file becomes UTF-8 rather than
        // losing it, the comment's 0x8D included.
        QTest::newRow("Windows-1252 that cannot hold the value")
            << QByteArray("5b615d0d0a" "6b3de90d0a" "3b8d0d0a") << "\u4e2d"
            << QByteArray("5b615d0d0a" "6b3de4b8ad0d0a" "3bc28d0d0a");
    }

    void encodingsAreKept()
    {
        QFETCH(QByteArray, initialHex);
        QFETCH(QString, value);
        QFETCH(QByteArray, expectedHex);
        QTemporaryDir dir;
        const QString name = dir.filePath("e.ini");
        QVERIFY(WriteFileBytes(name, QByteArray::fromHex(initialHex)));
        TIniFile ini(name);
        QCOMPARE(ini.ReadString("A", "K", ""), QStringLiteral("\u00e9"));
        ini.WriteString("A", "K", value);
        QCOMPARE(ReadFileBytes(name).toHex(), expectedHex);
        QCOMPARE(ini.ReadString("A", "K", ""), value);
    }

    void writeKeepsPermissionsAndReplacesAtomically()
    {
        QTemporaryDir dir;
        const QString name = dir.filePath("p.ini");
        QVERIFY(WriteFileBytes(name, "[a]\r\nk=1\r\n"));
        QVERIFY(::chmod(QFile::encodeName(name).constData(), 0640) == 0);
        struct stat before;
        QVERIFY(::stat(QFile::encodeName(name).constData(), &before) == 0);

        TIniFile(name).WriteString("a", "k", "2");

        struct stat after;
        QVERIFY(::stat(QFile::encodeName(name).constData(), &after) == 0);
        QCOMPARE(after.st_mode & 07777, mode_t(0640));
        QVERIFY(after.st_ino != before.st_ino); // a new file renamed over the old one
        QCOMPARE(ReadFileBytes(name), QByteArray("[a]\r\nk=2\r\n"));

        // Written through a link, the link stays and its target changes.
        const QString link = dir.filePath("link.ini");
        QVERIFY(QFile::link(name, link));
        TIniFile(link).WriteString("a", "k", "3");
        QVERIFY(QFileInfo(link).isSymLink());
        QCOMPARE(ReadFileBytes(name), QByteArray("[a]\r\nk=3\r\n"));
    }

    void unreadableFileIsNotOverwritten()
    {
        QTemporaryDir dir;
        // A folder in the file's place exists but reads as nothing.
        const QString folder = dir.filePath("folder.ini");
        QVERIFY(QDir().mkdir(folder));
        QCOMPARE(TIniFile(folder).ReadString("a", "k", "d"), QStringLiteral("d"));
        try {
            TIniFile(folder).WriteString("a", "k", "v");
            QFAIL("writing over a folder did not raise");
        } catch (const EIniFileException &e) {
            QCOMPARE(e.Message(), QStringLiteral("Unable to write to %1").arg(folder));
        }
        QVERIFY(QFileInfo(folder).isDir());

        if (::geteuid() == 0)
            QSKIP("root reads every file");
        const QString name = dir.filePath("locked.ini");
        QVERIFY(WriteFileBytes(name, "[a]\r\nk=1\r\n"));
        QVERIFY(::chmod(QFile::encodeName(name).constData(), 0200) == 0);
        TIniFile ini(name);
        QCOMPARE(ini.ReadString("a", "k", "d"), QStringLiteral("d"));
        QVERIFY_THROWS_EXCEPTION(EIniFileException, ini.WriteString("a", "j", "2"));
        QVERIFY(::chmod(QFile::encodeName(name).constData(), 0600) == 0);
        QCOMPARE(ReadFileBytes(name), QByteArray("[a]\r\nk=1\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestIniFile)
#include "tst_inifile.moc"
