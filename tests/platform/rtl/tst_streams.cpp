#include <QTemporaryDir>
#include <QtTest>

#include "support/test_files.h"

#include <cerrno>

#include "platform/rtl/streams.h"


class TestStreams : public QObject
{
    Q_OBJECT

private slots:
    void valuesAreLittleEndian()
    {
        TMemoryStream stream;
        stream.WriteValue<int32_t>(-2);
        stream.WriteValue<uint16_t>(0x1234);
        stream.WriteValue<int64_t>(0x0102030405060708);
        stream.WriteValue<double>(1.0);
        QCOMPARE(stream.Bytes().toHex(),
                 QByteArray("feffffff" "3412" "0807060504030201" "000000000000f03f"));
        QCOMPARE(stream.Position(), 22);

        stream.SetPosition(0);
        QCOMPARE(stream.ReadValue<int32_t>(), -2);
        QCOMPARE(stream.ReadValue<uint16_t>(), uint16_t(0x1234));
        QCOMPARE(stream.ReadValue<int64_t>(), int64_t(0x0102030405060708));
        QCOMPARE(stream.ReadValue<double>(), 1.0);
        QVERIFY_THROWS_EXCEPTION(EReadError, stream.ReadValue<uint8_t>());
    }

    void shortReadsAndBufferErrors()
    {
        TMemoryStream stream(QByteArray("abc"));
        char buffer[8] = {};
        QCOMPARE(stream.Read(buffer, 5), 3);
        QCOMPARE(QByteArray(buffer, 3), QByteArray("abc"));
        QCOMPARE(stream.Position(), 3);
        QCOMPARE(stream.Read(buffer, 5), 0);

        stream.SetPosition(1);
        try {
            stream.ReadBuffer(buffer, 3);
            QFAIL("ReadBuffer past the end did not raise");
        } catch (const EReadError &error) {
            QCOMPARE(error.Message(), QStringLiteral("Stream read error"));
        }

        // Negative counts move nothing; the Buffer forms raise.
        stream.SetPosition(0);
        QCOMPARE(stream.Read(buffer, -1), 0);
        QCOMPARE(stream.Write("x", -1), 0);
        QCOMPARE(stream.Bytes(), QByteArray("abc"));
        QCOMPARE(stream.Position(), 0);
        QVERIFY_THROWS_EXCEPTION(EReadError, stream.ReadBuffer(buffer, -1));
        try {
            stream.WriteBuffer("x", -1);
            QFAIL("WriteBuffer with a negative count did not raise");
        } catch (const EWriteError &error) {
            QCOMPARE(error.Message(), QStringLiteral("Stream write error"));
        }
        stream.ReadBuffer(buffer, 0); // nothing to read is no error
    }

    void memorySeekPastEndAndSetSize()
    {
        TMemoryStream stream;
        stream.WriteBuffer("ab", 2);
        QCOMPARE(stream.Seek(3, soCurrent), 5);
        QCOMPARE(stream.Size(), 2);
        char c;
        QCOMPARE(stream.Read(&c, 1), 0);
        stream.WriteBuffer("c", 1);
        QCOMPARE(stream.Bytes().toHex(), QByteArray("616200000063"));

        // A target before the start is refused and the position stays.
        QCOMPARE(stream.Seek(-7, soEnd), -1);
        QCOMPARE(stream.Position(), 6);
        QCOMPARE(stream.Seek(-2, soEnd), 4);

        stream.SetSize(3);
        QCOMPARE(stream.Position(), 3);
        QCOMPARE(stream.Bytes().toHex(), QByteArray("616200"));
        stream.SetPosition(1);
        stream.SetSize(5);
        QCOMPARE(stream.Position(), 1);
        QCOMPARE(stream.Bytes().toHex(), QByteArray("6162000000"));

        // A gap no memory can hold is a failed write, not a crash.
        QCOMPARE(stream.Seek(int64_t(1) << 60, soBeginning), int64_t(1) << 60);
        QCOMPARE(stream.Write("x", 1), 0);
        QVERIFY_THROWS_EXCEPTION(EWriteError, stream.WriteBuffer("x", 1));
        QCOMPARE(stream.Size(), 5);

        stream.Clear();
        QCOMPARE(stream.Size(), 0);
        QCOMPARE(stream.Position(), 0);
    }

    void copyFrom()
    {
        TMemoryStream source(QByteArray("0123456789"));
        TMemoryStream target;
        source.SetPosition(10);
        QCOMPARE(target.CopyFrom(source, 0), 10); // 0: all of source, from its start
        QCOMPARE(target.Bytes(), QByteArray("0123456789"));

        source.SetPosition(4);
        QCOMPARE(target.CopyFrom(source, 3), 3);
        QCOMPARE(target.Bytes(), QByteArray("0123456789456"));
        QCOMPARE(source.Position(), 7);

        QVERIFY_THROWS_EXCEPTION(EReadError, target.CopyFrom(source, 4));
        QVERIFY_THROWS_EXCEPTION(EReadError, target.CopyFrom(source, -1));

        // Larger than one copy chunk.
        QByteArray big(200000, '\0');
        for (int i = 0; i < big.size(); ++i)
            big[i] = char(i * 7);
        TMemoryStream bigSource(big);
        TMemoryStream bigTarget;
        QCOMPARE(bigTarget.CopyFrom(bigSource, 0), big.size());
        QCOMPARE(bigTarget.Bytes(), big);
    }

    void fileStreamReadWriteSeek()
    {
        QTemporaryDir dir;
        const QString name = dir.filePath("data.bin");
        {
            TFileStream file(name, fmCreate);
            QVERIFY(file.Handle() >= 0);
            QCOMPARE(file.FileName(), name);
            file.WriteValue<int32_t>(-2);
            file.WriteBuffer("hello", 5);
            QCOMPARE(file.Size(), 9);
            QCOMPARE(file.Position(), 9);
            QCOMPARE(file.Seek(-5, soEnd), 4);
            char buffer[16] = {};
            QCOMPARE(file.Read(buffer, 16), 5);
            QCOMPARE(QByteArray(buffer, 5), QByteArray("hello"));

            file.SetSize(6);
            QCOMPARE(file.Position(), 6);
            QCOMPARE(file.Size(), 6);
        }
        QCOMPARE(ReadFileBytes(name).toHex(), QByteArray("feffffff6865"));

        // fmOpenWrite keeps the content; fmCreate truncates.
        {
            TFileStream file(name, fmOpenWrite | fmShareDenyWrite);
            file.WriteBuffer("\x01", 1);
        }
        QCOMPARE(ReadFileBytes(name).toHex(), QByteArray("01ffffff6865"));

        {
            TFileStream file(name, fmOpenRead | fmShareDenyNone);
            SetLastError(0);
            QCOMPARE(file.Write("x", 1), 0);
            QCOMPARE(GetLastError(), EBADF);
            QVERIFY_THROWS_EXCEPTION(EWriteError, file.WriteBuffer("x", 1));
            QCOMPARE(file.ReadValue<uint8_t>(), uint8_t(1));
        }
        {
            TFileStream file(name, fmCreate);
            QCOMPARE(file.Size(), 0);
        }
        QCOMPARE(ReadFileBytes(name), QByteArray());
    }

    void fileStreamOpenErrors_data()
    {
        QTest::addColumn<QString>("relativeName");
        QTest::addColumn<unsigned>("mode");
        QTest::addColumn<bool>("creating");
        QTest::addColumn<int>("error");
        QTest::newRow("open, missing file") << "none.bin" << unsigned(fmOpenRead) << false << ENOENT;
        QTest::newRow("open, missing folder")
            << "nodir/x.bin" << unsigned(fmOpenReadWrite) << false << ENOENT;
        QTest::newRow("create, missing folder")
            << "nodir/x.bin" << unsigned(fmCreate) << true << ENOENT;
        QTest::newRow("create with share bits, missing folder")
            << "nodir/x.bin" << unsigned(fmCreate | fmShareExclusive) << true << ENOENT;
        QTest::newRow("open a folder") << "sub" << unsigned(fmOpenRead) << false << EISDIR;
        QTest::newRow("create over a folder") << "sub" << unsigned(fmCreate) << true << EISDIR;
    }

    void fileStreamOpenErrors()
    {
        QFETCH(QString, relativeName);
        QFETCH(unsigned, mode);
        QFETCH(bool, creating);
        QFETCH(int, error);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir("sub"));
        const QString name = dir.filePath(relativeName);
        const QString expected = QStringLiteral("Cannot %1 file \"%2\". %3")
                                     .arg(creating ? "create" : "open", name, SysErrorMessage(error));
        SetLastError(0);
        try {
            TFileStream file(name, mode);
            QFAIL("the stream opened");
        } catch (const EFCreateError &e) {
            QVERIFY(creating);
            QCOMPARE(e.Message(), expected);
        } catch (const EFOpenError &e) {
            QVERIFY(!creating);
            QCOMPARE(e.Message(), expected);
        }
        QCOMPARE(GetLastError(), error);
    }

    void memoryStreamFiles()
    {
        QTemporaryDir dir;
        const QString name = dir.filePath("m.bin");
        TMemoryStream stream;
        stream.WriteValue<uint32_t>(0xA1B2C3D4);
        stream.SaveToFile(name);
        QCOMPARE(ReadFileBytes(name).toHex(), QByteArray("d4c3b2a1"));

        TMemoryStream loaded;
        loaded.WriteBuffer("old content", 11);
        loaded.LoadFromFile(name);
        QCOMPARE(loaded.Bytes().toHex(), QByteArray("d4c3b2a1"));
        QCOMPARE(loaded.Position(), 0);

        const QString missing = dir.filePath("missing/m.bin");
        try {
            loaded.LoadFromFile(missing);
            QFAIL("loading a missing file did not raise");
        } catch (const EFOpenError &e) {
            QCOMPARE(e.Message(), QStringLiteral("Cannot open file \"%1\". %2")
                                      .arg(missing, SysErrorMessage(ENOENT)));
        }
        QCOMPARE(loaded.Bytes().toHex(), QByteArray("d4c3b2a1"));
        QVERIFY_THROWS_EXCEPTION(EFCreateError, loaded.SaveToFile(missing));
    }
};

QTEST_GUILESS_MAIN(TestStreams)
#include "tst_streams.moc"
