#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QImageWriter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include "support/test_files.h"

#include "app/app_def.h"
#include "app/startup.h"
#include "core/appended_project.h"
#include "core/globals.h"
#include "core/project_file.h"
#include "core/project_model.h"
#include "core/version_info.h"
#include "designer/build_application.h"
#include "platform/exe_resources.h"
#include "platform/scripted_ui_services.h"
#include "runtime/run_form.h"

namespace {

const QString CRLF = QStringLiteral("\r\n");

// A 16x16 icon file written by Qt's own icon writer.
QByteArray RedIconFile()
{
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(Qt::red);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "ico");
    writer.write(image);
    return buffer.data();
}

// The fixed file information's dwFileVersionMS and dwFileVersionLS as hex.
QByteArray FileVersionHex(const QString &file)
{
    TResourceSection section;
    QByteArray bytes;
    QString error;
    TResourceLocation location;
    if (!ReadResourceSection(file, section, bytes, error) || !LocateResource(bytes, RT_VERSION, 1, location))
        return QByteArray();
    const QByteArray block = bytes.mid(location.DataOffset, location.DataSize);
    int offset = 0;
    int length = 0;
    if (!FindVersionValue(block, {"VS_VERSION_INFO"}, offset, length))
        return QByteArray();
    return block.mid(offset + 8, 8).toHex();
}

QProcessEnvironment ChildEnvironment(const QTemporaryDir &home)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("HOME"), home.path());
    env.insert(QStringLiteral("XDG_DATA_HOME"), home.path() + QStringLiteral("/data"));
    env.insert(QStringLiteral("ZANDROVEL_TEST_UI"), home.path() + QStringLiteral("/ui.log"));
    return env;
}

QStringList IconTemporaries(const QString &folder)
{
    return QDir(folder).entryList({QStringLiteral("FileIcon__*")}, QDir::Files);
}

} // namespace

class TestBuildApplication : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        InitAppDef();
        DesignerMode = true;
        ResourceUpdateRetryPauseMs = 0;
        QVERIFY(m_dir.isValid());
        RunForm = new TRunForm;
        m_stripped = m_dir.filePath("stripped");
        QCOMPARE(QProcess::execute("strip", {"-o", m_stripped, ZV_PROGRAM_PATH}), 0);
        QVERIFY(QFileInfo(m_stripped).size() < QFileInfo(ZV_PROGRAM_PATH).size());
    }

    void cleanupTestCase()
    {
        ResetProject(false, atNormal);
        delete RunForm;
        RunForm = nullptr;
    }

    void init()
    {
        EditedPageFormData = nullptr;
        ResourceUpdateRetryPauseMs = 0;
        DesignerMode = true;
    }

    void outputFileNames_data()
    {
        QTest::addColumn<QString>("appFileName");
        QTest::addColumn<QString>("output"); // '' = refused
        QTest::newRow("upper-case extension") << "Demo.EXE" << "/p/Demo";
        QTest::newRow("no extension") << "Demo" << "/p/Demo";
        QTest::newRow("only the last extension") << "Demo.exe.exe" << "/p/Demo.exe";
        QTest::newRow("trimmed") << "  Demo.exe " << "/p/Demo";
        QTest::newRow("dots inside") << "my.app" << "/p/my.app";
        QTest::newRow("empty: project name") << "" << "/p/Sales";
        QTest::newRow("only .exe") << ".exe" << "";
        QTest::newRow("blanks") << "   " << "";
        QTest::newRow("folder part") << "bin/Demo" << "";
        QTest::newRow("stored folder part") << "bin\\Demo" << "";
        QTest::newRow("parent") << ".." << "";
        QTest::newRow("parent before .exe") << "...exe" << "";
        QTest::newRow("current") << "." << "";
        QTest::newRow("the project file") << "Sales.zvprj" << "";
    }

    void outputFileNames()
    {
        QFETCH(QString, appFileName);
        QFETCH(QString, output);
        QCOMPARE(GetOutputFileName("/p/Sales.zvprj", appFileName), output);
    }

    void compileRefusesAnInvalidName()
    {
        TScriptedUiServices ui;
        QTemporaryDir dir;
        QVERIFY(SaveProject(dir.filePath("Sales.zvprj")));
        RunProject.AppFileName = QStringLiteral("../Demo");
        QVERIFY(!CompileProject(ZV_PROGRAM_PATH));
        QCOMPARE(ui.Calls.size(), 1);
        QCOMPARE(ui.Calls[0].Text, QStringLiteral("Invalid file name!"));
        QCOMPARE(ui.Calls[0].Caption, QStringLiteral("File Name"));
        QCOMPARE(ui.Calls[0].Flags, unsigned(MB_OK | MB_ICONINFORMATION));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"Sales.zvprj"});
        QVERIFY(!QFileInfo::exists(m_dir.filePath("Demo")));
    }

    void buildsTheProgram_data()
    {
        QTest::addColumn<bool>("stripped");
        QTest::newRow("program") << false;
        QTest::newRow("stripped program") << true;
    }

    void buildsTheProgram()
    {
        QFETCH(bool, stripped);
        TScriptedUiServices ui;
        QTemporaryDir dir;
        const QString project = dir.filePath("Sales.zvprj");
        QVERIFY(SaveProject(project));
        // A file of the author's that happens to bear the old temporary name stays untouched.
        QVERIFY(WriteFileBytes(dir.filePath("FileIcon__.ico"), "mine"));
        const QStringList temporariesBefore = IconTemporaries(QDir::tempPath());
        const QString company = QString("Corvanel ").repeated(17).left(150);
        RunProject.AppCompanyName = company;
        RunProject.AppFileDescription = QStringLiteral("Sales figures");
        RunProject.AppLegalCopyright = QString::fromUtf8("\u00a9 Corvanel \u2603");
        RunProject.AppFileVersionMajor = 70000;
        RunProject.AppFileVersionMinor = 20;
        RunProject.AppFileVersionRelease = 300;
        RunProject.AppFileVersionBuild = 4000;
        const QByteArray icon = RedIconFile();
        QVERIFY(!icon.isEmpty());
        RunProject.AppIconFileStream = std::make_unique<TMemoryStream>(icon);
        RunProject.AppFileName = QStringLiteral("Sales.exe");
        ProjectModified = true;
        const int32_t position = RunProject.Forms[0]->Position;

        QVERIFY(CompileProject(stripped ? m_stripped : QStringLiteral(ZV_PROGRAM_PATH)));
        QVERIFY2(ui.Messages().isEmpty(), qPrintable(ui.Messages().join('\n')));
        const QString output = dir.filePath("Sales");
        QVERIFY(QFileInfo(output).isExecutable());
        QVERIFY(ProjectModified);
        QCOMPARE(RunProject.Forms[0]->Position, position);
        QCOMPARE(ReadFileBytes(dir.filePath("FileIcon__.ico")), QByteArray("mine"));
        QCOMPARE(IconTemporaries(dir.path()), QStringList{"FileIcon__.ico"});
        QCOMPARE(IconTemporaries(QDir::tempPath()), temporariesBefore);
        QVERIFY(!QFileInfo::exists(dir.filePath("autorun.inf")));

        QCOMPARE(ReadVersionString(output, "CompanyName"), company.left(100));
        QCOMPARE(ReadVersionString(output, "FileDescription"), QStringLiteral("Sales figures").leftJustified(100));
        QCOMPARE(ReadVersionString(output, "LegalCopyright"),
                 QString::fromUtf8("\u00a9 Corvanel ?").leftJustified(100));
        QCOMPARE(ReadVersionString(output, "FileVersion"), QStringLiteral("4464.20.3"));
        QCOMPARE(FileVersionHex(output), QByteArray("14007011a00f2c01"));
        QCOMPARE(ReadVersionString(output, "OriginalFilename"), QString(9, ' '));
        QCOMPARE(ReadMainIconFile(output).toHex(), icon.toHex());
        // Even under the designer's name the copy is a built program.
        const QString renamed = dir.filePath("Zandrovel");
        QVERIFY(QFile::copy(output, renamed));
        QVERIFY(!DecideDesignerMode(renamed));

        // The appended project, its form read from the built program.
        DesignerMode = false;
        ProjectSourceFile = output;
        QVERIFY(LoadAppendedProject(output));
        QCOMPARE(RunProject.AppTitle, QStringLiteral("Sales"));
        QCOMPARE(int(RunProject.Forms.size()), 1);
        TRunForm form;
        QVERIFY(LoadFormData(RunProject.Forms[0].get(), &form, false));
        QCOMPARE(form.Caption(), QStringLiteral("Sales page"));
        DesignerMode = true;

        // The built program starts as a runtime, shows its first page (which closes itself)
        // and ends normally without a message.
        QTemporaryDir home;
        QProcess process;
        process.setProcessEnvironment(ChildEnvironment(home));
        process.start(output, {});
        QVERIFY(process.waitForFinished(30000));
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), 0);
        QCOMPARE(ReadFileBytes(home.path() + "/ui.log"), QByteArray());
        QVERIFY(!QFileInfo::exists(home.path() + "/data/Corvanel"));
    }

    void projectWithoutIconKeepsTheProgramIcon()
    {
        TScriptedUiServices ui;
        QTemporaryDir dir;
        QVERIFY(SaveProject(dir.filePath("Plain.zvprj")));
        RunProject.AppFileDescription = QString(120, 'd');
        QVERIFY(CompileProject(ZV_PROGRAM_PATH));
        const QString output = dir.filePath("Plain");
        QVERIFY(ui.Messages().isEmpty());
        QCOMPARE(ReadVersionString(output, "FileVersion"), QStringLiteral("1.0.0.0  "));
        QCOMPARE(FileVersionHex(output), QByteArray("0000010000000000"));
        QCOMPARE(ReadVersionString(output, "FileDescription"), QString(100, 'd'));
        QCOMPARE(ReadVersionString(output, "CompanyName"), QString(100, ' '));
        QCOMPARE(ReadMainIconFile(output), ReadMainIconFile(ZV_PROGRAM_PATH));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), (QStringList{"Plain", "Plain.zvprj"}));
        QVERIFY(!ProjectModified);
    }

    void editedPageIsStoredFirst()
    {
        TScriptedUiServices ui;
        QTemporaryDir dir;
        QVERIFY(SaveProject(dir.filePath("Edit.zvprj")));
        RunForm->SetCaption(QStringLiteral("Edited page"));
        RunForm->DataChanged = true;
        EditedPageFormData = [] { return RunProject.Forms[0].get(); };
        QVERIFY(CompileProject(ZV_PROGRAM_PATH));
        QVERIFY(!RunForm->DataChanged);

        DesignerMode = false;
        ProjectSourceFile = dir.filePath("Edit");
        QVERIFY(LoadAppendedProject(ProjectSourceFile));
        TRunForm form;
        QVERIFY(LoadFormData(RunProject.Forms[0].get(), &form, false));
        QCOMPARE(form.Caption(), QStringLiteral("Edited page"));
    }

    void runningOutputIsRefused()
    {
        TScriptedUiServices ui;
        QTemporaryDir dir;
        QVERIFY(SaveProject(dir.filePath("Busy.zvprj")));
        const QString output = dir.filePath("Busy");
        QVERIFY(QFile::copy(QStandardPaths::findExecutable("sleep"), output));
        const QByteArray running = ReadFileBytes(output);
        QProcess process;
        process.start(output, {"30"});
        QVERIFY(process.waitForStarted());

        QVERIFY(!BuildApplication(output, ZV_PROGRAM_PATH));
        process.kill();
        process.waitForFinished();
        QCOMPARE(ui.Calls.size(), 1);
        QCOMPARE(ui.Calls[0].Text, "The application is running. You need close it first. " + CRLF + "File name: \"" + output
                                       + "\"." + CRLF + "Message: Text file busy");
        QCOMPARE(ui.Calls[0].Caption, QStringLiteral("Build Application"));
        QCOMPARE(ui.Calls[0].Flags, unsigned(MB_OK | MB_ICONINFORMATION));
        QVERIFY(ReadFileBytes(output) == running);
    }

    // A copy that still names the designer in its version block is never left behind.
    void unpatchableCopyIsRemoved()
    {
        TScriptedUiServices ui;
        QTemporaryDir dir;
        QVERIFY(SaveProject(dir.filePath("Odd.zvprj")));
        const QString output = dir.filePath("Odd");
        // A program file without a resource section: the copy succeeds, every patch fails.
        QVERIFY(!BuildApplication(output, QCoreApplication::applicationFilePath()));
        QVERIFY(!QFileInfo::exists(output));
        QCOMPARE(ui.Messages(), QStringList{"The application could not be built." + CRLF + "File name: \"" + output
                                            + "\"." + CRLF + "Message: Resource update error: No resources (1)"});
        QCOMPARE(ui.Calls[0].Caption, QStringLiteral("Build Application"));
    }

    void resourceUpdateRetries()
    {
        QTemporaryDir dir;
        const QString copy = CopyProgram(dir.path(), "retried");
        const QString badIcon = dir.filePath("bad.ico");
        QVERIFY(WriteFileBytes(badIcon, "MZ not an icon"));
        ResourceUpdateRetryPauseMs = 40;
        TExeResourceUpdateResult result;
        QElapsedTimer timer;
        timer.start();
        QVERIFY(!UpdateExeResources(copy, badIcon, "Co", "Desc", "Copy", QString(9, ' '), 2, 3, 4, 5, &result));
        // Five failed icon attempts, each followed by a pause.
        QVERIFY(timer.elapsed() >= 5 * 40);
        QVERIFY(result.OriginalFilenamePatched);
        QVERIFY(!result.IconReplaced);
        QVERIFY(result.VersionInfoPatched);
        QCOMPARE(result.LastError, QStringLiteral("Resource update error: Icon file is invalid"));
        QCOMPARE(ReadVersionString(copy, "FileVersion"), QStringLiteral("2.3.4.5  "));

        // A missing icon file counts as done.
        QVERIFY(UpdateExeResources(copy, dir.filePath("none.ico"), "Co", "Desc", "Copy", QString(9, ' '), 1, 0, 0, 0,
                                   &result));
        QVERIFY(result.IconReplaced);

        // Without a resource section: 5 + 6 failed attempts.
        const QString plain = dir.filePath("plain");
        QVERIFY(QFile::copy(QCoreApplication::applicationFilePath(), plain));
        timer.restart();
        QVERIFY(!UpdateExeResources(plain, QString(), "Co", "Desc", "Copy", QString(9, ' '), 1, 0, 0, 0, &result));
        QVERIFY(timer.elapsed() >= 11 * 40);
        QVERIFY(!result.OriginalFilenamePatched && result.IconReplaced && !result.VersionInfoPatched);
    }

    void failedAppendRestoresTheProject()
    {
        TScriptedUiServices ui;
        QTemporaryDir dir;
        const QString project = dir.filePath("Gone.zvprj");
        QVERIFY(SaveProject(project));
        const int32_t position = RunProject.Forms[0]->Position;
        ProjectModified = true;
        // The form bodies live in the project file, which has gone away.
        QVERIFY(QFile::remove(project));
        QVERIFY(!CompileProject(ZV_PROGRAM_PATH));
        QCOMPARE(ui.Messages().size(), 1);
        QCOMPARE(ui.Messages()[0], "\"" + dir.filePath("Gone") + "\", " + SysErrorMessage(ENOENT)
                                       + " (Error Code: 2/100).");
        QCOMPARE(RunProject.Forms[0]->Position, position);
        QVERIFY(ProjectModified);
        // The patched copy stays, as after any later failure.
        QCOMPARE(ReadVersionString(dir.filePath("Gone"), "OriginalFilename"), QString(9, ' '));
    }

    void runStartsTheBuiltProgram()
    {
        TScriptedUiServices ui;
        QTemporaryDir dir;
        const QString program = dir.filePath("Show");
        const QString argumentsFile = dir.filePath("arguments");
        QVERIFY(WriteFileBytes(program, "#!/bin/sh\necho \"$#:$2\" > '" + argumentsFile.toUtf8() + "'\n", true));

        ResetProject(true, atNormal);
        QVERIFY(RunBuiltProgram(program, 4242));
        QTRY_COMPARE(ReadFileBytes(argumentsFile), QByteArray("2:4242\n"));
        QVERIFY(ui.Calls.isEmpty());
        QFile::remove(argumentsFile);
        QVERIFY(RunBuiltProgram(program));
        QTRY_COMPARE(ReadFileBytes(argumentsFile), QByteArray("0:\n"));

        // A web stand-alone project tells where it listens and offers the browser.
        ResetProject(true, atWebStandAlone);
        RunProject.WebPort = 8123;
        ui.MessageAnswers = {IDYES};
        QVERIFY(RunBuiltProgram(program));
        QCOMPARE(ui.Calls.size(), 2);
        QCOMPARE(ui.Calls[0].Caption, QStringLiteral("Application Run"));
        QCOMPARE(ui.Calls[0].Flags, unsigned(MB_YESNO | MB_ICONQUESTION));
        QCOMPARE(ui.Calls[0].Text,
                 "The application server started, listening on port: 8123. You can find the application icon from "
                 "the tray on system taskbar."
                     + CRLF
                     + "If you want to shut down it, you can right click the icon and click the \"Shut Down\" popup "
                       "menu item."
                     + CRLF + "Don't forget to shut down it before it run next time!" + CRLF
                     + "You can visit it with URL \"http://127.0.0.1:8123\" to browse the web pages." + CRLF
                     + "Run browser?");
        QCOMPARE(ui.Calls[1].Kind, QStringLiteral("ShellExecute"));
        QCOMPARE(ui.Calls[1].Text, QStringLiteral("http://127.0.0.1:8123"));
        QCOMPARE(ui.Calls[1].Caption, QStringLiteral("open"));

        ui.Calls.clear();
        ui.MessageAnswers = {IDNO};
        QVERIFY(RunBuiltProgram(program));
        QCOMPARE(ui.Calls.size(), 1);
        QVERIFY(!RunBuiltProgram(dir.filePath("missing")));
    }

private:
    // A saved one-form project titled after its file, the page captioned "<title> page" and
    // closing itself when shown; its form body lives in the project file.
    bool SaveProject(const QString &file)
    {
        ResetProject(true, atNormal);
        const QString title = QFileInfo(file).completeBaseName();
        RunProject.AppTitle = title;
        RunForm->InitForm(title + QStringLiteral(" page"));
        // Once shown, the page closes itself, which ends a built program.
        auto *close = new TZvAction;
        close->Command = ctCloseForm;
        RunForm->OnShowActions.Actions.append(close);
        if (!RunForm->SaveFormData(RunProject.Forms[0].get()) || !SaveProjectFileSafely(file, QString())
            || RunProject.Forms[0]->FormInfoData)
            return false;
        ProjectSourceFile = file;
        ProjectModified = false;
        return true;
    }

    QTemporaryDir m_dir;
    QString m_stripped;
};

QTEST_MAIN(TestBuildApplication)
#include "tst_build_application.moc"
