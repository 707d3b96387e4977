#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include "platform/paths.h"

class TestPaths : public QObject
{
    Q_OBJECT

private slots:
    void nameParts_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("dir");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("ext");
        QTest::newRow("plain") << "/a/b/c.txt" << "/a/b/" << "/a/b" << "c.txt" << ".txt";
        QTest::newRow("no ext") << "/a/Zandrovel" << "/a/" << "/a" << "Zandrovel" << "";
        QTest::newRow("dot folder") << "/a.d/file" << "/a.d/" << "/a.d" << "file" << "";
        QTest::newRow("root file") << "/x.ini" << "/" << "/" << "x.ini" << ".ini";
        QTest::newRow("bare") << "x.tar.gz" << "" << "" << "x.tar.gz" << ".gz";
    }

    void nameParts()
    {
        QFETCH(QString, name);
        QFETCH(QString, path);
        QFETCH(QString, dir);
        QFETCH(QString, file);
        QFETCH(QString, ext);
        QCOMPARE(ExtractFilePath(name), path);
        QCOMPARE(ExtractFileDir(name), dir);
        QCOMPARE(ExtractFileName(name), file);
        QCOMPARE(ExtractFileExt(name), ext);
    }

    void changeExtAndDelimiters()
    {
        QCOMPARE(ChangeFileExt("/a/Zandrovel", ".ini"), QStringLiteral("/a/Zandrovel.ini"));
        QCOMPARE(ChangeFileExt("/a/p.zvprj", "._"), QStringLiteral("/a/p._"));
        QCOMPARE(IncludeTrailingPathDelimiter("/a"), QStringLiteral("/a/"));
        QCOMPARE(IncludeTrailingPathDelimiter("/a/"), QStringLiteral("/a/"));
        QCOMPARE(ExcludeTrailingPathDelimiter("/a/"), QStringLiteral("/a"));
        QCOMPARE(ExcludeTrailingPathDelimiter("/"), QStringLiteral("/"));
        QCOMPARE(LocalPath("\\img\\a.png"), QStringLiteral("/img/a.png"));
        QCOMPARE(StoredRelativePath("/img/a.png"), QStringLiteral("\\img\\a.png"));
    }

    void canonical()
    {
        QTemporaryDir dir;
        QDir().mkpath(dir.path() + "/real/sub");
        QVERIFY(QFile::link(dir.path() + "/real", dir.path() + "/link"));
        const QString real = QFileInfo(dir.path() + "/real").canonicalFilePath();
        QCOMPARE(CanonicalPath(dir.path() + "/link/sub"), real + "/sub");
        // Missing tails are kept, cleaned, below the resolved existing part.
        QCOMPARE(CanonicalPath(dir.path() + "/link/missing/../new/x.txt"), real + "/new/x.txt");
        QCOMPARE(CanonicalPath(QString()), QString());
    }
};

QTEST_GUILESS_MAIN(TestPaths)
#include "tst_paths.moc"
