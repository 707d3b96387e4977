#include <QTemporaryDir>
#include <QtTest>

#include "core/special_folders.h"

class TestSpecialFolders : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_home.isValid());
        qputenv("HOME", m_home.path().toUtf8());
        qputenv("XDG_DATA_HOME", (m_home.path() + "/data").toUtf8());
        qputenv("XDG_CONFIG_HOME", (m_home.path() + "/config").toUtf8());
        QDir().mkpath(m_home.path() + "/config");
        QFile dirs(m_home.path() + "/config/user-dirs.dirs");
        QVERIFY(dirs.open(QIODevice::WriteOnly));
        dirs.write("# comment\nXDG_TEMPLATES_DIR=\"$HOME/Vorlagen\"\nXDG_PUBLICSHARE_DIR=\"$HOME/\"\n");
        InitSpecialFolders();
    }

    void table()
    {
        QCOMPARE(int(SpecialFolders.size()), 57);
        QCOMPARE(SpecialFolders[0].FolderName, QStringLiteral("Desktop"));
        QCOMPARE(SpecialFolders[sfPersonal].FolderName, QStringLiteral("Personal"));
        QCOMPARE(SpecialFolders[sfALTStartup].FolderName, QStringLiteral("ALTStartup"));
        QCOMPARE(SpecialFolders[56].FolderName, QStringLiteral("ComputersNearMe"));
        for (int i = 0; i < 57; ++i)
            QCOMPARE(int(SpecialFolders[i].FolderId), i);
    }

    void csidl_data()
    {
        QTest::addColumn<int>("folder");
        QTest::addColumn<int>("csidl");
        QTest::newRow("desktop") << int(sfDesktop) << 0;
        QTest::newRow("personal") << int(sfPersonal) << 5;
        QTest::newRow("my video") << int(sfMyVideo) << 14;
        QTest::newRow("desktop directory") << int(sfDesktopDirectory) << 16;
        QTest::newRow("local app data") << int(sfLocalAppData) << 28;
        QTest::newRow("connections") << int(sfConnections) << 49;
        QTest::newRow("common music") << int(sfCommonMusic) << 53;
        QTest::newRow("cd burn area") << int(sfCDBurnArea) << 59;
        QTest::newRow("computers near me") << int(sfComputersNearMe) << 61;
    }

    void csidl()
    {
        QFETCH(int, folder);
        QFETCH(int, csidl);
        QCOMPARE(SpecialFolderCsidl(TSpecialFolder(folder)), csidl);
    }

    void paths()
    {
        const QString home = m_home.path();
        QCOMPARE(GetSpecialFolderPath(sfProfile), home);
        QCOMPARE(GetSpecialFolderPath(sfLocalAppData), home + "/data");
        QCOMPARE(GetSpecialFolderPath(sfAppData), home + "/config");
        QCOMPARE(GetSpecialFolderPath(sfTemplates), home + "/Vorlagen");
        QCOMPARE(GetSpecialFolderPath(sfStartup), home + "/config/autostart");
        // A user folder set to the home folder means "none".
        QCOMPARE(GetSpecialFolderPath(sfCommonDocuments), QString());
        QVERIFY(GetSpecialFolderPath(sfPersonal).startsWith(home));
        // Virtual shell folders have no place on disk.
        QCOMPARE(GetSpecialFolderPath(sfPrinters), QString());
        QCOMPARE(GetSpecialFolderPath(sfBitBucket), QString());
        QCOMPARE(GetSpecialFolderPath(sfWindows), QString());
    }

private:
    QTemporaryDir m_home;
};

QTEST_GUILESS_MAIN(TestSpecialFolders)
#include "tst_special_folders.moc"
