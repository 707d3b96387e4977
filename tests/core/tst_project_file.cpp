#include <QTemporaryDir>
#include <QtTest>

#include "core/action_records.h"
#include "core/appended_project.h"
#include "core/globals.h"
#include "core/project_file.h"
#include "core/project_model.h"
#include "platform/scripted_ui_services.h"
#include "support/record_fixtures.h"
#include "support/test_files.h"

namespace {

QByteArray Str(const QString &s)
{
    return Int32Bytes(int32_t(s.size())) + QByteArray(reinterpret_cast<const char *>(s.utf16()), s.size() * 2);
}

// A project with two forms whose bodies are held in memory as plain bytes: the writer copies
// bodies without looking into them.
void MakeProject(TApplicationType type = atNormal)
{
    ResetProject(false, type);
    RunProject.AppTitle = QStringLiteral("Demo");
    for (const char *name : {"Form1", "Form2"}) {
        auto form = std::make_unique<TFormData>();
        form->FormName = QString::fromLatin1(name);
        form->WebFormCaption = QStringLiteral("Caption ") + QString::fromLatin1(name);
        form->ObjectInfo->ObjectName = QStringLiteral("PagePanel");
        auto child = std::make_unique<TObjectInfo>();
        child->ObjectName = QStringLiteral("Button1");
        child->ObjectType = otStandardButton;
        form->ObjectInfo->Objects.push_back(std::move(child));
        form->FormInfoData = std::make_unique<TMemoryStream>(QByteArray("body of ") + name);
        RunProject.Forms.push_back(std::move(form));
    }
}

// The body as the writer must lay it out, built by hand from the field table.
QByteArray ExpectedBody(int64_t bodyStart)
{
    QByteArray b = Int32Bytes(1) + QByteArray(1, '\0');
    for (const char *text : {"Gardenia,Tulipfox", "User/AuthCode: ", "Password: ",
                             "Invalid user name, password or authentication code.",
                             "Please input your user name, password or authentication code.", "OK", "Cancel"})
        b += Str(QString::fromLatin1(text));
    b += Str(QString()) + Int32Bytes(3000) + Str(QString()) + Int32Bytes(3000) + Str(QString());
    b += QByteArray(1, '\0') + QByteArray(8, '\0') + Str(QString());
    b += QByteArray(1, '\0') + Int32Bytes(10) + Int32Bytes(8888) + Str(QStringLiteral("Good bye.")) + Str(QStringLiteral("Demo"));
    b += Str(QString()) + Str(QString()) + Str(QString()) + Str(QString()) + Str(QString());
    b += Int32Bytes(1) + Int32Bytes(0) + Int32Bytes(0) + Int32Bytes(0);
    b += Int32Bytes(0);          // connections
    b += Int32Bytes(0);          // icon
    b += Int32Bytes(0) + Int32Bytes(0); // start and exit actions
    b += Int32Bytes(2);
    const QByteArray body1("body of Form1"), body2("body of Form2");
    auto header = [](const QString &name, int32_t position, int32_t length) {
        return Int32Bytes(0) + Str(QStringLiteral("Caption ") + name) + Int32Bytes(clBtnFace) + Int32Bytes(0) + Int32Bytes(0) + Str(name)
               + Int32Bytes(position) + Int32Bytes(length);
    };
    const QByteArray outline = Int32Bytes(0) + Str(QStringLiteral("PagePanel")) + QByteArray(1, '\0') + Int32Bytes(1) + Int32Bytes(0)
                               + Str(QStringLiteral("Button1")) + QByteArray(1, char(otStandardButton)) + Int32Bytes(0);
    const int64_t headersSize = header("Form1", 0, 0).size() * 2;
    const int64_t firstBody = bodyStart + b.size() + headersSize + outline.size() * 2;
    b += header("Form1", int32_t(firstBody), body1.size());
    b += header("Form2", int32_t(firstBody + body1.size()), body2.size());
    b += outline + outline + body1 + body2;
    return b;
}

QByteArray FileHeader()
{
    return QByteArray::fromHex("9f1a0700") + Int32Bytes(0) + Str(QStringLiteral("Demo")) + Int32Bytes(0) + Str(QString())
           + Str(QString()) + Str(QString());
}

} // namespace

class TestProjectFile : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        DesignerMode = true;
        ReadOpenRetries = {2, 1};
        AppendOpenRetries = {2, 1};
    }

    void writesTheFileByteForByte()
    {
        QTemporaryDir dir;
        MakeProject();
        ProjectModified = true;
        const QString name = dir.filePath("p.zvprj");
        QVERIFY(WriteProjectFile(name, QString()));
        const QByteArray header = FileHeader();
        QCOMPARE(ReadFileBytes(name).toHex(), (header + ExpectedBody(header.size())).toHex());
        QVERIFY(!ProjectModified);
        QCOMPARE(RunProject.Forms[1]->Length, 13);
    }

    void opensWhatItWrote()
    {
        QTemporaryDir dir;
        MakeProject();
        RunProject.SecurityType = stUser;
        RunProject.SplashScreenName = QStringLiteral("Splash");
        RunProject.AppIconFileStream = std::make_unique<TMemoryStream>(QByteArray("icon"));
        auto action = new TZvAction;
        action->Command = ctExit;
        RunProject.OnStartActions.Actions << action;
        const QString name = dir.filePath("p.zvprj");
        QVERIFY(WriteProjectFile(name, QString()));

        QVERIFY(OpenProjectFile(name));
        QCOMPARE(RunProject.AppTitle, QStringLiteral("Demo"));
        QCOMPARE(RunProject.SecurityType, stUser);
        QCOMPARE(RunProject.SplashScreenName, QStringLiteral("Splash"));
        QCOMPARE(RunProject.AppIconFileStream->Bytes(), QByteArray("icon"));
        QCOMPARE(RunProject.OnStartActions.Actions.size(), 1);
        QCOMPARE(RunProject.OnStartActions.Actions[0]->Command, ctExit);
        QCOMPARE(int(RunProject.Forms.size()), 2);
        QCOMPARE(RunProject.Forms[1]->FormName, QStringLiteral("Form2"));
        QVERIFY(!RunProject.Forms[1]->FormInfoData);
        // The designer reads the outlines; the bodies stay in the file.
        QCOMPARE(RunProject.Forms[0]->ObjectInfo->Objects.at(0)->ObjectName, QStringLiteral("Button1"));
        const QByteArray file = ReadFileBytes(name);
        QCOMPARE(file.mid(RunProject.Forms[1]->Position, RunProject.Forms[1]->Length), QByteArray("body of Form2"));
    }

    void runtimeSkipsOutlines()
    {
        QTemporaryDir dir;
        MakeProject();
        const QString name = dir.filePath("p.zvprj");
        QVERIFY(WriteProjectFile(name, QString()));
        DesignerMode = false;
        QVERIFY(OpenProjectFile(name));
        QCOMPARE(int(RunProject.Forms.size()), 2);
        QVERIFY(RunProject.Forms[0]->ObjectInfo->Objects.empty());
    }

    void versionZeroBodyTakesDefaults()
    {
        QTemporaryDir dir;
        QByteArray body = Int32Bytes(0) + QByteArray(1, '\0') + Int32Bytes(5) + Int32Bytes(80) + Str("Bye") + Str("Old");
        for (int i = 0; i < 5; ++i)
            body += Str(QString());
        body += Int32Bytes(2) + Int32Bytes(3) + Int32Bytes(4) + Int32Bytes(5) + Int32Bytes(0) + Int32Bytes(0) + Int32Bytes(0) + Int32Bytes(0) + Int32Bytes(0);
        const QString name = dir.filePath("old.zvprj");
        QVERIFY(WriteFileBytes(name, QByteArray::fromHex("9f1a0700") + Int32Bytes(0) + Str("Old") + Int32Bytes(0) + Str("")
                                         + Str("") + Str("") + body));
        RunProject.SecurityTitle = QStringLiteral("stale");
        RunProject.SplashScreenTime = 1;
        QVERIFY(OpenProjectFile(name));
        QCOMPARE(RunProject.AppTitle, QStringLiteral("Old"));
        QCOMPARE(RunProject.WebPort, 80u);
        QCOMPARE(RunProject.AppFileVersionBuild, 5);
        QCOMPARE(RunProject.SecurityUserAuthList, QStringLiteral("Gardenia,Tulipfox"));
        QCOMPARE(RunProject.SecurityTitle, QStringLiteral("Please input your user name, password or authentication code."));
        QCOMPARE(RunProject.SplashScreenTime, 3000);
        QCOMPARE(RunProject.ExitFormTime, 3000);
    }

    void refusals_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("caption");
        QTest::newRow("magic") << QByteArray("not a project at all") << "Invalid file format." << "File Format";
        QTest::newRow("header version")
            << (QByteArray::fromHex("9f1a0700") + Int32Bytes(0) + Str("T") + Int32Bytes(1))
            << "The file is too new to read, maybe you need install newest version of the software."
            << "Information";
        QTest::newRow("body version")
            << (QByteArray::fromHex("9f1a0700") + Int32Bytes(0) + Str("T") + Int32Bytes(0) + Str("") + Str("") + Str("") + Int32Bytes(2))
            << "Invalid data, maybe software version problem." << "Data Error";
    }

    void refusals()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        QFETCH(QString, caption);
        QTemporaryDir dir;
        const QString name = dir.filePath("bad.zvprj");
        QVERIFY(WriteFileBytes(name, bytes));
        TScriptedUiServices ui;
        QVERIFY(!OpenProjectFile(name));
        QCOMPARE(ui.Messages(), QStringList{message});
        QCOMPARE(ui.Calls.first().Caption, caption);
    }

    void missingFileIsReported()
    {
        TScriptedUiServices ui;
        QVERIFY(!OpenProjectFile(QStringLiteral("/nonexistent/p.zvprj")));
        QCOMPARE(ui.Messages(), QStringList{QStringLiteral("\"/nonexistent/p.zvprj\", ") + SysErrorMessage(ENOENT)
                                            + QStringLiteral(" (Error Code: 2/105).")});
    }

    void peek()
    {
        QTemporaryDir dir;
        TScriptedUiServices ui;
        MakeProject(atWebStandAlone);
        RunProject.AppTitle = QString(150, QLatin1Char('x'));
        const QString longTitle = dir.filePath("long.zvprj");
        QVERIFY(WriteProjectFile(longTitle, QString()));
        QString title;
        QCOMPARE(PeekProjectFile(longTitle, title), 1);
        QCOMPARE(title, QStringLiteral("[Too Long]"));
        title = QStringLiteral("kept");
        QCOMPARE(PeekProjectFile(longTitle, title), 1);
        QCOMPARE(title, QStringLiteral("kept"));

        RunProject.AppTitle = QStringLiteral("Shop");
        const QString shortTitle = dir.filePath("short.zvprj");
        QVERIFY(WriteProjectFile(shortTitle, QString()));
        title.clear();
        QCOMPARE(PeekProjectFile(shortTitle, title), 1);
        QCOMPARE(title, QStringLiteral("Shop"));

        QVERIFY(WriteFileBytes(dir.filePath("x.txt"), "hello"));
        QCOMPARE(PeekProjectFile(dir.filePath("x.txt"), title), -1);
        QCOMPARE(PeekProjectFile(dir.filePath("missing"), title), -1);
        QVERIFY(ui.Calls.isEmpty());
    }

    void saveCopiesBodiesFromTheOldFile()
    {
        QTemporaryDir dir;
        MakeProject();
        const QString first = dir.filePath("a.zvprj");
        QVERIFY(WriteProjectFile(first, QString()));
        QVERIFY(OpenProjectFile(first)); // bodies now only in the file
        ProjectSourceFile = first;

        const QString second = dir.filePath("b.zvprj");
        QVERIFY(SaveProjectFileSafely(second, first));
        const QByteArray file = ReadFileBytes(second);
        QCOMPARE(file.mid(RunProject.Forms[0]->Position, RunProject.Forms[0]->Length), QByteArray("body of Form1"));
        QCOMPARE(file.mid(RunProject.Forms[1]->Position, RunProject.Forms[1]->Length), QByteArray("body of Form2"));
        QVERIFY(!QFileInfo::exists(dir.filePath("b._")));
        QVERIFY(QFileInfo::exists(first));
    }

    void failedSaveKeepsTheOldFileAndPositions()
    {
        QTemporaryDir dir;
        MakeProject();
        const QString name = dir.filePath("p.zvprj");
        QVERIFY(WriteProjectFile(name, QString()));
        QVERIFY(OpenProjectFile(name));
        const QByteArray before = ReadFileBytes(name);
        const int32_t position = RunProject.Forms[0]->Position;
        RunProject.Forms[1]->Length = 1 << 20; // the second body cannot be copied

        TScriptedUiServices ui;
        QVERIFY(!SaveProjectFileSafely(name, name));
        QCOMPARE(ui.Messages().size(), 1);
        QCOMPARE(ReadFileBytes(name), before);
        QCOMPARE(RunProject.Forms[0]->Position, position);
    }

    void appendedBlock()
    {
        QTemporaryDir dir;
        const QString exe = dir.filePath("prog");
        const QByteArray program(1000, 'P');
        QVERIFY(WriteFileBytes(exe, program));
        MakeProject();
        QVERIFY(AppendProjectToExe(exe, QString()));
        QByteArray file = ReadFileBytes(exe);
        QCOMPARE(file.left(1000), program);
        QCOMPARE(file.mid(1000, 8).toHex(), QByteArray("c741010000000000"));
        QCOMPARE(file.right(4), Int32Bytes(1000));

        // A second block wins: the reader follows the last four bytes.
        RunProject.AppTitle = QStringLiteral("Second");
        QVERIFY(AppendProjectToExe(exe, QString()));
        file = ReadFileBytes(exe);
        const int32_t second = *reinterpret_cast<const int32_t *>(file.constData() + file.size() - 4);
        QVERIFY(second > 1000);

        DesignerMode = false;
        QVERIFY(LoadAppendedProject(exe));
        QCOMPARE(RunProject.AppTitle, QStringLiteral("Second"));
        for (const auto &form : RunProject.Forms) {
            QVERIFY(form->Position >= second + 16);
            QVERIFY(form->Position + form->Length <= file.size() - 4);
        }
        QCOMPARE(file.mid(RunProject.Forms[0]->Position, RunProject.Forms[0]->Length), QByteArray("body of Form1"));
    }

    void appendedBlockRefusals()
    {
        QTemporaryDir dir;
        DesignerMode = false;
        TScriptedUiServices ui;
        const QString plain = dir.filePath("plain");
        QVERIFY(WriteFileBytes(plain, QByteArray(100, 'x')));
        QVERIFY(!LoadAppendedProject(plain));
        QCOMPARE(ui.Messages(), QStringList{QStringLiteral("Invalid file format.")});
        QCOMPARE(ui.Calls.last().Caption, QStringLiteral("File Format"));

        ui.Calls.clear();
        QVERIFY(!LoadAppendedProject(dir.filePath("missing")));
        QCOMPARE(ui.Messages(), QStringList{SysErrorMessage(ENOENT) + " \"" + dir.filePath("missing") + "\" "});
    }
};

QTEST_MAIN(TestProjectFile)
#include "tst_project_file.moc"
