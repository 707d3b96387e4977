#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QtTest>

#include "support/test_files.h"

#include "platform/shell_platform.h"
#include "platform/ui_services.h"

namespace {
void WriteFile(const QString &fileName, const QByteArray &content, bool executable = false)
{
    QDir().mkpath(QFileInfo(fileName).absolutePath());
    QFile file(fileName);
    QVERIFY2(file.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(fileName));
    file.write(content);
    file.close();
    if (executable)
        QVERIFY(file.setPermissions(file.permissions() | QFile::ExeOwner | QFile::ExeUser));
}

// Writes "<argument count>|<first argument>|<working folder>" to the file named by its first
// argument, after a pause that a waiting caller must sit out.
const QByteArray kWriterScript = "#!/bin/sh\n"
                                 "out=\"$1\"; shift\n"
                                 "sleep 0.2\n"
                                 "printf '%s|%s|%s\\n' \"$#\" \"$1\" \"$(pwd -P)\" > \"$out\"\n"
                                 "exit 3\n";
// A document's program: leaves "<document>.opened" next to the document it was given.
const QByteArray kOpenerScript = "#!/bin/sh\nprintf '%s\\n' \"$1\" > \"$1.opened\"\n";
} // namespace

class TestShellPlatform : public QObject
{
    Q_OBJECT

    QTemporaryDir m_temp;
    QString m_root;    // canonical path of m_temp
    QString m_xdg;     // association folders, emptied before every test
    QString m_path;    // PATH as the test found it

    QString Path(const QString &name) const { return m_root + QLatin1Char('/') + name; }
    QString Writer() const { return Path(QStringLiteral("bin/writer.sh")); }

private slots:
    void initTestCase()
    {
        QVERIFY(m_temp.isValid());
        m_root = QFileInfo(m_temp.path()).canonicalFilePath();
        m_xdg = Path(QStringLiteral("xdg"));
        // The shared MIME database stays reachable; associations come only from the test folders.
        QDir().mkpath(m_xdg + QStringLiteral("/datadirs"));
        QVERIFY(QFile::link(QStringLiteral("/usr/share/mime"), m_xdg + QStringLiteral("/datadirs/mime")));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_xdg + QStringLiteral("/config")));
        qputenv("XDG_CONFIG_DIRS", QFile::encodeName(m_xdg + QStringLiteral("/configdirs")));
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_xdg + QStringLiteral("/data")));
        qputenv("XDG_DATA_DIRS", QFile::encodeName(m_xdg + QStringLiteral("/datadirs")));
        m_path = qEnvironmentVariable("PATH");
        qputenv("PATH", QFile::encodeName(Path(QStringLiteral("bin")) + QLatin1Char(':') + m_path));

        WriteFile(Writer(), kWriterScript, true);
        WriteFile(Path(QStringLiteral("bin/opener-a")), kOpenerScript, true);
        WriteFile(Path(QStringLiteral("bin/opener-b")), kOpenerScript, true);
        WriteFile(Path(QStringLiteral("bin/garbage")), "\x7f" "ELF not really a program", true);
        WriteFile(Path(QStringLiteral("bin/denied.sh")), "#!" + QFile::encodeName(Path("notes.txt")) + "\n", true);
        WriteFile(Path(QStringLiteral("notes.txt")), "plain text\n");
        WriteFile(Path(QStringLiteral("source.c")), "int main(void) { return 0; }\n");
        QDir().mkpath(Path(QStringLiteral("folder")));
    }

    void init()
    {
        for (const char *dir : {"config", "configdirs", "data", "datadirs/applications"}) {
            QDir(m_xdg + QLatin1Char('/') + QLatin1String(dir)).removeRecursively();
            QDir().mkpath(m_xdg + QLatin1Char('/') + QLatin1String(dir));
        }
        for (const QString &marker : QDir(m_root).entryList({QStringLiteral("*.opened"), QStringLiteral("*.out")}))
            QFile::remove(Path(marker));
        WriteFile(m_xdg + QStringLiteral("/datadirs/applications/a.desktop"),
                  "[Desktop Entry]\nType=Application\nName=A\nExec=opener-a %f\n");
        WriteFile(m_xdg + QStringLiteral("/datadirs/applications/vendor/b.desktop"),
                  "[Desktop Entry]\nType=Application\nName=B\nExec=\"" + QFile::encodeName(Path("bin/opener-b"))
                      + "\" %U\n");
    }

    void waitsForTheProgramsEnd()
    {
        const QString out = Path(QStringLiteral("run.out"));
        int code = 0;
        QVERIFY(PlatformShellExecuteAndWait(QStringLiteral("open"), Writer(),
                                            QStringLiteral("\"%1\" \"a b\" c").arg(out), QString(), SW_HIDE, code));
        QCOMPARE(code, 33); // the script's own exit code 3 plays no part
        // Written before the call returned; the working folder is the script's own.
        QCOMPARE(ReadFileBytes(out), "2|a b|" + QFile::encodeName(Path(QStringLiteral("bin"))) + "\n");
    }

    void failures_data()
    {
        QTest::addColumn<QString>("verb");
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QString>("directory");
        QTest::addColumn<int>("shellCode");
        QTest::addColumn<int>("waitCode");
        QTest::newRow("missing file") << "open" << "@/none.sh" << "" << 2 << 2;
        QTest::newRow("missing relative file") << "open" << "none.sh" << "@" << 2 << 2;
        QTest::newRow("missing folder") << "open" << "@/nodir/none.sh" << "" << 3 << 3;
        QTest::newRow("missing working folder") << "open" << "@/bin/writer.sh" << "@/nodir" << 3 << 3;
        QTest::newRow("document without association") << "open" << "@/notes.txt" << "" << 31 << 1155;
        QTest::newRow("edit without association") << "edit" << "notes.txt" << "@" << 31 << 1155;
        QTest::newRow("unknown verb on a program") << "frobnicate" << "@/bin/writer.sh" << "" << 31 << 1155;
        QTest::newRow("unknown verb on a document") << "properties" << "@/notes.txt" << "" << 31 << 1155;
        QTest::newRow("print verb on a folder") << "print" << "@/folder" << "" << 31 << 1155;
        QTest::newRow("not a valid program") << "open" << "@/bin/garbage" << "" << 11 << 11;
        QTest::newRow("interpreter denied") << "" << "@/bin/denied.sh" << "" << 5 << 5;
    }

    void failures()
    {
        QFETCH(QString, verb);
        QFETCH(QString, fileName);
        QFETCH(QString, directory);
        QFETCH(int, shellCode);
        QFETCH(int, waitCode);
        fileName.replace(QLatin1Char('@'), m_root);
        directory.replace(QLatin1Char('@'), m_root);
        QCOMPARE(PlatformShellExecute(verb, fileName, QString(), directory, SW_SHOWNORMAL), shellCode);
        int code = 0;
        QVERIFY(!PlatformShellExecuteAndWait(verb, fileName, QString(), directory, SW_SHOWNORMAL, code));
        QCOMPARE(code, waitCode);
    }

    // Each row writes association files (name relative to the XDG test folder, then content)
    // and names the program expected for the file.
    void findExecutable_data()
    {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("document");
        QTest::addColumn<QString>("program");
        const QString defaults = QStringLiteral("[Default Applications]\ntext/plain=%1\n");
        QTest::newRow("user default") << QStringList{"config/mimeapps.list", defaults.arg("a.desktop")}
                                      << "notes.txt" << "opener-a";
        QTest::newRow("system config default")
            << QStringList{"configdirs/mimeapps.list", defaults.arg("a.desktop")} << "notes.txt" << "opener-a";
        QTest::newRow("data folder default")
            << QStringList{"data/applications/mimeapps.list", defaults.arg("a.desktop")} << "notes.txt"
            << "opener-a";
        QTest::newRow("legacy defaults.list")
            << QStringList{"datadirs/applications/defaults.list", defaults.arg("a.desktop")} << "notes.txt"
            << "opener-a";
        QTest::newRow("user default wins")
            << QStringList{"config/mimeapps.list", defaults.arg("vendor-b.desktop"),
                           "datadirs/applications/mimeapps.list", defaults.arg("a.desktop")}
            << "notes.txt" << "opener-b";
        QTest::newRow("uninstalled entries are skipped")
            << QStringList{"config/mimeapps.list", defaults.arg("gone.desktop;vendor-b.desktop;")} << "notes.txt"
            << "opener-b";
        QTest::newRow("default beats added association")
            << QStringList{"config/mimeapps.list",
                           "[Added Associations]\ntext/plain=a.desktop\n\n[Default Applications]\n"
                           "text/plain=vendor-b.desktop\n"}
            << "notes.txt" << "opener-b";
        QTest::newRow("added association")
            << QStringList{"config/mimeapps.list", "[Added Associations]\ntext/plain=a.desktop;\n"} << "notes.txt"
            << "opener-a";
        QTest::newRow("mimeinfo.cache")
            << QStringList{"datadirs/applications/mimeinfo.cache", "[MIME Cache]\ntext/plain=vendor-b.desktop;\n"}
            << "notes.txt" << "opener-b";
        QTest::newRow("parent type") << QStringList{"config/mimeapps.list", defaults.arg("a.desktop")}
                                     << "source.c" << "opener-a";
        QTest::newRow("other type only") << QStringList{"config/mimeapps.list",
                                                        "[Default Applications]\nimage/png=a.desktop\n"}
                                         << "notes.txt" << "";
        QTest::newRow("none") << QStringList{} << "notes.txt" << "";
        QTest::newRow("missing document") << QStringList{"config/mimeapps.list", defaults.arg("a.desktop")}
                                          << "absent.txt" << "";
        QTest::newRow("a program has none")
            << QStringList{"config/mimeapps.list", "[Default Applications]\napplication/x-shellscript=a.desktop\n"
                                                   "text/x-sh=a.desktop\ntext/plain=a.desktop\n"}
            << "bin/writer.sh" << "";
    }

    void findExecutable()
    {
        QFETCH(QStringList, files);
        QFETCH(QString, document);
        QFETCH(QString, program);
        for (int i = 0; i + 1 < files.size(); i += 2)
            WriteFile(m_xdg + QLatin1Char('/') + files[i], files[i + 1].toUtf8());
        const QString expected = program.isEmpty() ? QString() : Path(QStringLiteral("bin/") + program);
        QCOMPARE(PlatformFindExecutable(document, m_root), expected);
    }

    void opensDocumentWithItsProgram()
    {
        WriteFile(m_xdg + QStringLiteral("/config/mimeapps.list"), "[Default Applications]\ntext/plain=a.desktop\n");
        const QString notes = Path(QStringLiteral("notes.txt"));
        QCOMPARE(PlatformFindExecutable(notes, QString()), Path(QStringLiteral("bin/opener-a")));
        QCOMPARE(PlatformShellExecute(QString(), QStringLiteral("notes.txt"), QString(), m_root, SW_SHOWNORMAL), 42);
        QTRY_COMPARE(ReadFileBytes(notes + QStringLiteral(".opened")), QFile::encodeName(notes) + "\n");

        QFile::remove(notes + QStringLiteral(".opened"));
        int code = 0;
        QVERIFY(PlatformShellExecuteAndWait(QStringLiteral("Open"), notes, QString(), QString(), SW_SHOWNORMAL, code));
        QCOMPARE(code, 33);
        QCOMPARE(ReadFileBytes(notes + QStringLiteral(".opened")), QFile::encodeName(notes) + "\n");
    }

    // Programs start detached with their parameters split as a command line; a bare name
    // is looked up in the given folder, then in PATH.
    void startsPrograms_data()
    {
        QTest::addColumn<QString>("verb");
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QString>("directory");
        QTest::addColumn<QString>("workingFolder");
        QTest::newRow("absolute") << "open" << "@/bin/writer.sh" << "@" << "@";
        QTest::newRow("in the given folder") << "" << "writer.sh" << "@/bin" << "@/bin";
        QTest::newRow("from PATH") << "RunAs" << "writer.sh" << "" << QDir::currentPath();
    }

    void startsPrograms()
    {
        QFETCH(QString, verb);
        QFETCH(QString, fileName);
        QFETCH(QString, directory);
        QFETCH(QString, workingFolder);
        fileName.replace(QLatin1Char('@'), m_root);
        directory.replace(QLatin1Char('@'), m_root);
        workingFolder.replace(QLatin1Char('@'), m_root);
        const QString out = Path(QStringLiteral("detached.out"));
        QCOMPARE(PlatformShellExecute(verb, fileName, QStringLiteral("%1 \"x y\"").arg(out), directory, SW_HIDE), 42);
        QTRY_COMPARE(ReadFileBytes(out), "1|x y|" + QFile::encodeName(QFileInfo(workingFolder).canonicalFilePath()) + "\n");
    }

    void printsThroughLp()
    {
        const QString notes = Path(QStringLiteral("notes.txt"));
        const auto restorePath = qScopeGuard(
            [this] { qputenv("PATH", QFile::encodeName(Path(QStringLiteral("bin")) + QLatin1Char(':') + m_path)); });
        qputenv("PATH", QFile::encodeName(Path(QStringLiteral("bin"))));
        QCOMPARE(PlatformShellExecute(QStringLiteral("print"), notes, QString(), QString(), SW_HIDE), 31);
        int code = 0;
        QVERIFY(!PlatformShellExecuteAndWait(QStringLiteral("print"), notes, QString(), QString(), SW_HIDE, code));
        QCOMPARE(code, 1155);

        WriteFile(Path(QStringLiteral("lpbin/lp")), kOpenerScript, true);
        qputenv("PATH", QFile::encodeName(Path(QStringLiteral("lpbin"))));
        QCOMPARE(PlatformShellExecute(QStringLiteral("Print"), notes, QString(), QString(), SW_HIDE), 42);
        QTRY_COMPARE(ReadFileBytes(notes + QStringLiteral(".opened")), QFile::encodeName(notes) + "\n");
    }
};

QTEST_GUILESS_MAIN(TestShellPlatform)
#include "tst_shell_platform.moc"
