#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include "support/test_files.h"

#include "app/app_def.h"
#include "app/startup.h"
#include "core/appended_project.h"
#include "core/globals.h"
#include "core/project_model.h"
#include "core/version_info.h"
#include "platform/exe_resources.h"

namespace {

// Overwrites the version block's OriginalFilename value with blanks, as Build does.
bool BlankOriginalFilename(const QString &fileName)
{
    TResourceSection section;
    QByteArray sectionBytes;
    QString error;
    TResourceLocation version;
    if (!ReadResourceSection(fileName, section, sectionBytes, error)
        || !LocateResource(sectionBytes, RT_VERSION, 1, version))
        return false;
    const QByteArray block = sectionBytes.mid(version.DataOffset, version.DataSize);
    int valueOffset = 0;
    int valueLength = 0;
    const QStringList path{"VS_VERSION_INFO", "StringFileInfo", "040904E4", "OriginalFilename"};
    if (!FindVersionValue(block, path, valueOffset, valueLength) || valueLength < 4)
        return false;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadWrite) || !file.seek(section.FileOffset + version.DataOffset + valueOffset))
        return false;
    const QString blanks(valueLength / 2 - 1, QLatin1Char(' '));
    return file.write(reinterpret_cast<const char *>(blanks.utf16()), blanks.size() * 2) == blanks.size() * 2;
}

QProcessEnvironment ChildEnvironment(const QTemporaryDir &home)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("HOME"), home.path());
    env.insert(QStringLiteral("XDG_DATA_HOME"), home.path() + QStringLiteral("/data"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.path() + QStringLiteral("/config"));
    env.insert(QStringLiteral("ZANDROVEL_TEST_UI"), home.path() + QStringLiteral("/ui.log"));
    return env;
}

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        InitAppDef();
        QVERIFY(m_dir.isValid());
    }

    void productDefinition()
    {
        QCOMPARE(AppDef.AppType, adtZandrovel);
        QCOMPARE(AppDef.AppTitle, QStringLiteral("Zandrovel"));
        QCOMPARE(AppDef.ExeFileName, QStringLiteral("Zandrovel"));
        QCOMPARE(AppDef.OriginalFilename, QStringLiteral("Zandrovel"));
        QCOMPARE(AppDef.ProjExt, QStringLiteral(".zvprj"));
        QCOMPARE(AppDef.ProjFileDesc, QStringLiteral("Zandrovel Projects"));
        QCOMPARE(AppDef.PersonalProjFolder, QStringLiteral("\\Zandrovel Projects"));
        QCOMPARE(AppDef.LocalDataFolder, QStringLiteral("\\Corvanel\\Zandrovel"));
        QCOMPARE(AppDef.AboutTitle, QStringLiteral("Corvanel Zandrovel"));
        QCOMPARE(AppDef.SplashTitle, QStringLiteral("Corvanel Zandrovel"));
        QCOMPARE(AppDef.CDMenuProjFileName, QStringLiteral("autorun"));
        QVERIFY(AppDef.VariableActions && AppDef.PublishProjectMenuItem && AppDef.DBAndRep);
        QVERIFY(AppDef.FadeAndWrapperObjects && AppDef.StartAndExitForms);
        QVERIFY(!AppDef.CDMenu && !AppDef.FileTreeView);
    }

    void modeOfCopies_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("blankOriginal");
        QTest::addColumn<bool>("designer");
        QTest::newRow("product name") << "Zandrovel" << false << true;
        QTest::newRow("upper case") << "ZANDROVEL" << false << true;
        QTest::newRow("lower case") << "zandrovel" << false << true;
        QTest::newRow("other name") << "MyApp" << false << false;
        QTest::newRow("with extension") << "Zandrovel.exe" << false << false;
        QTest::newRow("blanked block") << "Zandrovel" << true << false;
    }

    void modeOfCopies()
    {
        QFETCH(QString, name);
        QFETCH(bool, blankOriginal);
        QFETCH(bool, designer);
        QTemporaryDir dir;
        const QString copy = CopyProgram(dir.path(), name);
        QVERIFY(!copy.isEmpty());
        if (blankOriginal) {
            QVERIFY(BlankOriginalFilename(copy));
            QCOMPARE(GetOriginalFilename(copy), QString(9, QLatin1Char(' ')));
        }
        QCOMPARE(DecideDesignerMode(copy), designer);
    }

    void processState()
    {
        InitProcessState(QStringLiteral("/opt/zv/bin/Zandrovel"));
        QCOMPARE(ExeFolder, QStringLiteral("/opt/zv/bin"));
        QCOMPARE(ProgramFileName, QStringLiteral("Zandrovel"));
        QVERIFY(!ExitRequested && !DesignerPreview && !FreshProject && !IsWindows8OrLater);
        QCOMPARE(ProjectSourceFile, QString());
    }

    void designerFoldersAndStartSection()
    {
        QTemporaryDir home;
        qputenv("HOME", home.path().toUtf8());
        qputenv("XDG_DATA_HOME", (home.path() + "/data").toUtf8());
        InitProcessState(QStringLiteral("/opt/zv/Zandrovel"));
        PrepareDesignerFolders();
        const QString folder = home.path() + QStringLiteral("/data/Corvanel/Zandrovel");
        QCOMPARE(LocalAppDataFolder, home.path() + QStringLiteral("/data"));
        QCOMPARE(SettingsFileName, folder + QStringLiteral("/Zandrovel.ini"));
        QVERIFY(QFileInfo(folder).isDir());
        QCOMPARE(DefaultProjectFolder, QString());

        QFile settings(SettingsFileName);
        QVERIFY(settings.open(QIODevice::WriteOnly));
        settings.write("[start]\r\ndefaultfolder=/home/u/Projects\r\n");
        settings.close();
        PrepareDesignerFolders();
        QCOMPARE(DefaultProjectFolder, QStringLiteral("/home/u/Projects"));
    }

    void runtimeCopyEndsWithFailureMessage()
    {
        QTemporaryDir home;
        const QString copy = CopyProgram(m_dir.path(), QStringLiteral("MyApp"));
        QProcess process;
        process.setProcessEnvironment(ChildEnvironment(home));
        process.start(copy, {});
        QVERIFY(process.waitForFinished(30000));
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QVERIFY(process.exitCode() != 0);
        // A plain copy carries no project block.
        QCOMPARE(ReadFileBytes(home.path() + "/ui.log"),
                 QByteArray("MessageBox|File Format|Invalid file format.|64\n"
                            "MessageBox|Error|Failed to load data. The application terminated.|16\n"));
        // A runtime makes no designer settings folder.
        QVERIFY(!QFileInfo::exists(home.path() + "/data/Corvanel"));
    }

    void runtimeCopyLoadsItsAppendedProject()
    {
        QTemporaryDir home;
        const QString copy = CopyProgram(m_dir.path(), QStringLiteral("Built"));
        ResetProject(false, atNormal);
        RunProject.AppTitle = QStringLiteral("Built program");
        QVERIFY(AppendProjectToExe(copy, QString()));
        QProcess process;
        process.setProcessEnvironment(ChildEnvironment(home));
        process.start(copy, {});
        QVERIFY(process.waitForFinished(30000));
        QCOMPARE(process.exitCode(), 0);
        QCOMPARE(ReadFileBytes(home.path() + "/ui.log"), QByteArray());
    }

    void designerCopyStartsTheDesigner()
    {
        QTemporaryDir home;
        const QString copy = CopyProgram(m_dir.path(), QStringLiteral("ZANDROVEL"));
        QProcess process;
        process.setProcessEnvironment(ChildEnvironment(home));
        process.start(copy, {});
        QVERIFY(process.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(home.path() + "/data/Corvanel/Zandrovel").isDir(), 30000);
        QTest::qWait(300);
        QCOMPARE(process.state(), QProcess::Running); // waiting in its main window
        QCOMPARE(ReadFileBytes(home.path() + "/ui.log"), QByteArray());
        process.kill();
        process.waitForFinished();
    }

private:
    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(TestStartup)
#include "tst_startup.moc"
