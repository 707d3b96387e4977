#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include "core/globals.h"
#include "core/project_paths.h"
#include "platform/scripted_ui_services.h"

class TestProjectPaths : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        QDir(m_dir.path()).mkpath(QStringLiteral("Proj/img"));
        QDir(m_dir.path()).mkpath(QStringLiteral("Project2"));
        m_project = m_dir.path() + QStringLiteral("/Proj");
        DesignerMode = true;
        ProjectSourceFile = m_project + QStringLiteral("/demo.zvprj");
    }

    void relativePath_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("allowOutside");
        QTest::addColumn<QString>("expected"); // "<path>" = the path itself
        QTest::addColumn<int>("messages");
        QTest::newRow("inside") << "Proj/img/a.png" << false << "\\img\\a.png" << 0;
        QTest::newRow("folder itself") << "Proj" << false << "\\" << 0;
        QTest::newRow("folder with slash") << "Proj/" << false << "\\" << 0;
        QTest::newRow("dotdot resolved") << "Proj/img/../a.png" << false << "\\a.png" << 0;
        // Linux names differ by case: another case is another folder.
        QTest::newRow("other case is outside") << "PROJ/a.png" << true << "<path>" << 0;
        QTest::newRow("prefix sibling outside") << "Project2/a.png" << true << "<path>" << 0;
        QTest::newRow("outside refused") << "Project2/a.png" << false << "" << 1;
    }

    void relativePath()
    {
        QFETCH(QString, path);
        QFETCH(bool, allowOutside);
        QFETCH(QString, expected);
        QFETCH(int, messages);
        TScriptedUiServices ui;
        const QString full = m_dir.path() + QLatin1Char('/') + path;
        const QString result = GetProjectRelativePath(full, allowOutside);
        QCOMPARE(result, expected == QLatin1String("<path>") ? full : expected);
        QCOMPARE(ui.Messages().size(), messages);
        if (messages) {
            QCOMPARE(ui.Calls.first().Text, QStringLiteral("The file or folder you selected is not in the project folder."));
            QCOMPARE(ui.Calls.first().Caption, QStringLiteral("Information"));
        }
    }

    void symlinkedFolderIsInside()
    {
        const QString link = m_dir.path() + QStringLiteral("/link");
        QVERIFY(QFile::link(m_project, link));
        QCOMPARE(GetProjectRelativePath(link + QStringLiteral("/img/a.png"), false), QStringLiteral("\\img\\a.png"));
    }

    void unsavedProject()
    {
        TScriptedUiServices ui;
        ProjectSourceFile.clear();
        QCOMPARE(GetProjectFolder(true), QString());
        QVERIFY(ui.Calls.isEmpty());
        QCOMPARE(GetProjectRelativePath(QStringLiteral("/x/a.png"), true), QStringLiteral("/x/a.png"));
        QVERIFY(ui.Calls.isEmpty());
        QCOMPARE(GetProjectRelativePath(QStringLiteral("/x/a.png"), false), QString());
        QCOMPARE(ui.Messages(), QStringList{QStringLiteral("The project has not been saved. Please save your project first.")});
        QCOMPARE(ui.Calls.first().Caption, QStringLiteral("Project Folder"));
    }

    void runtimeFolderIsProgramFolder()
    {
        DesignerMode = false;
        ExeFolder = QStringLiteral("/opt/app");
        QCOMPARE(GetProjectFolder(false), QStringLiteral("/opt/app"));
        QCOMPARE(ResolveProjectPath(QStringLiteral("\\data\\x.db")), QStringLiteral("/opt/app/data/x.db"));
        QCOMPARE(ResolveProjectPath(QStringLiteral("/abs/x.db")), QStringLiteral("/abs/x.db"));
        DesignerMode = true;
    }

    void join_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("rel");
        QTest::addColumn<QString>("expected");
        QTest::newRow("trailing delimiter, no leading") << "/p/" << "img\\a.png" << "/p/img/a.png";
        QTest::newRow("leading backslash") << "/p" << "\\img\\a.png" << "/p/img/a.png";
        QTest::newRow("folder itself") << "/p" << "\\" << "/p/";
        QTest::newRow("empty folder") << "" << "\\a" << "";
        QTest::newRow("empty path") << "/p" << "" << "";
        QTest::newRow("root folder") << "/" << "\\a" << "/a";
    }

    void join()
    {
        QFETCH(QString, folder);
        QFETCH(QString, rel);
        QFETCH(QString, expected);
        QCOMPARE(JoinProjectPath(folder, rel), expected);
    }

    void isProjectRelative()
    {
        QVERIFY(IsProjectRelative(QStringLiteral("\\a")));
        QVERIFY(!IsProjectRelative(QStringLiteral("/a")));
        QVERIFY(!IsProjectRelative(QString()));
    }

private:
    QTemporaryDir m_dir;
    QString m_project;
};

QTEST_MAIN(TestProjectPaths)
#include "tst_project_paths.moc"
