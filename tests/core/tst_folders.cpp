#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "support/test_files.h"

#include "core/folders.h"
#include "platform/rtl/strings.h"

namespace {
} // namespace

class TestFolders : public QObject
{
    Q_OBJECT

private slots:
    void listFolder()
    {
        QTemporaryDir dir;
        QVERIFY(WriteFileBytes(dir.path() + "/a.txt", "a"));
        QVERIFY(WriteFileBytes(dir.path() + "/.hidden", "h"));
        QDir(dir.path()).mkdir("sub");
        TStringList list;
        list.Add(QStringLiteral("stale"));
        ListFolder(dir.path(), true, list);
        QCOMPARE(list.ToStringList(), QStringList{"sub"});
        ListFolder(dir.path(), false, list);
        QStringList files = list.ToStringList();
        files.sort();
        QCOMPARE(files, (QStringList{".hidden", "a.txt"}));
        ListFolder(dir.path() + "/missing", false, list);
        QCOMPARE(list.Count(), 0);
    }

    void copyFolder()
    {
        QTemporaryDir dir;
        const QString src = dir.path() + "/src";
        const QString dst = dir.path() + "/dst";
        QDir().mkpath(src + "/deep/er");
        QVERIFY(WriteFileBytes(src + "/a.txt", "new-a"));
        QVERIFY(WriteFileBytes(src + "/deep/er/b.txt", "new-b"));
        QDir().mkpath(dst);
        QVERIFY(WriteFileBytes(dst + "/a.txt", "old-a"));
        QFile::setPermissions(dst + "/a.txt", QFile::ReadOwner);

        QVERIFY(CopyFolder(src, dst, false));
        QCOMPARE(ReadFileBytes(dst + "/a.txt"), QByteArray("old-a"));
        QCOMPARE(ReadFileBytes(dst + "/deep/er/b.txt"), QByteArray("new-b"));

        QVERIFY(CopyFolder(src, dst, true));
        QCOMPARE(ReadFileBytes(dst + "/a.txt"), QByteArray("new-a"));
    }

    void copyFolderRefusesItsOwnSubtree()
    {
        QTemporaryDir dir;
        const QString src = dir.path() + "/src";
        QDir().mkpath(src);
        QVERIFY(WriteFileBytes(src + "/a.txt", "a"));
        QVERIFY(!CopyFolder(src, src, true));
        QVERIFY(!CopyFolder(src, src + "/inner", true));
        QVERIFY(!QFileInfo::exists(src + "/inner"));
        // A sibling whose name starts with the source's name is not inside it.
        QVERIFY(CopyFolder(src, dir.path() + "/src2", false));
        QCOMPARE(ReadFileBytes(dir.path() + "/src2/a.txt"), QByteArray("a"));
    }

    void validFileName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("valid");
        QTest::newRow("question mark") << "a?b" << false;
        QTest::newRow("blanks") << "   " << false;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("normal") << "report 2024.txt" << true;
        for (const char c : QByteArray("/\\:*\"<>|"))
            QTest::newRow(qPrintable(QStringLiteral("char %1").arg(QLatin1Char(c)))) << QStringLiteral("a%1b").arg(QLatin1Char(c)) << false;
    }

    void validFileName()
    {
        QFETCH(QString, name);
        QFETCH(bool, valid);
        QCOMPARE(IsValidFileName(name), valid);
    }
};

QTEST_GUILESS_MAIN(TestFolders)
#include "tst_folders.moc"
