#include <QThread>
#include <QtTest>

#include "support/record_fixtures.h"

#include <cerrno>
#include <stdexcept>

#include "core/error_reporting.h"
#include "core/globals.h"
#include "core/project_model.h"
#include "core/record_io.h"
#include "platform/rtl/streams.h"
#include "platform/scripted_ui_services.h"

class TestRecordIo : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        DesignerMode = false;
        RunProject.ApplicationType = atNormal;
        SetLastError(0);
    }

    void writerLayout()
    {
        TMemoryStream stream;
        TRecordWriter writer(stream);
        writer.Byte(0xAB);
        writer.Bool(true);
        writer.Bool(false);
        writer.Int16(-2);
        writer.UInt16(0xBEEF);
        writer.Int32(-2);
        writer.UInt32(0x01020304);
        writer.Double(1.0);
        writer.Bytes(QByteArray("xy"));
        QCOMPARE(stream.Bytes().toHex(), QByteArray("ab0100feffefbefeffffff04030201000000000000f03f7879"));
    }

    void readerLayout()
    {
        TMemoryStream stream(QByteArray::fromHex("ab0200feffefbefeffffff04030201000000000000f03f7879"));
        TRecordReader reader(stream);
        QCOMPARE(reader.Byte(), uint8_t(0xAB));
        QCOMPARE(reader.Bool(), true); // any non-zero byte
        QCOMPARE(reader.Bool(), false);
        QCOMPARE(reader.Int16(), int16_t(-2));
        QCOMPARE(reader.UInt16(), uint16_t(0xBEEF));
        QCOMPARE(reader.Int32(), -2);
        QCOMPARE(reader.UInt32(), 0x01020304u);
        QCOMPARE(reader.Double(), 1.0);
        QCOMPARE(reader.Remaining(), 2);
        QCOMPARE(reader.Bytes(2), QByteArray("xy"));
        QCOMPARE(reader.Remaining(), 0);
    }

    void shortReadsRaise_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("op");
        QTest::newRow("byte at end") << QByteArray() << "Byte";
        QTest::newRow("int16 of one byte") << QByteArray::fromHex("01") << "Int16";
        QTest::newRow("int32 of three bytes") << QByteArray::fromHex("010203") << "Int32";
        QTest::newRow("uint32 of three bytes") << QByteArray::fromHex("010203") << "UInt32";
        QTest::newRow("double of seven bytes") << QByteArray::fromHex("01020304050607") << "Double";
        QTest::newRow("bytes past the end") << QByteArray("abc") << "Bytes4";
        QTest::newRow("negative byte count") << QByteArray("abc") << "BytesNegative";
        // A forged count must raise before anything is allocated for it.
        QTest::newRow("huge byte count") << QByteArray("abc") << "BytesHuge";
        QTest::newRow("skip past the end") << QByteArray("abc") << "Skip4";
    }

    void shortReadsRaise()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, op);
        TMemoryStream stream(bytes);
        TRecordReader reader(stream);
        bool raised = false;
        try {
            if (op == "Byte")
                reader.Byte();
            else if (op == "Int16")
                reader.Int16();
            else if (op == "Int32")
                reader.Int32();
            else if (op == "UInt32")
                reader.UInt32();
            else if (op == "Double")
                reader.Double();
            else if (op == "Bytes4")
                reader.Bytes(4);
            else if (op == "BytesNegative")
                reader.Bytes(-1);
            else if (op == "BytesHuge")
                reader.Bytes(int64_t(1) << 40);
            else if (op == "Skip4")
                reader.Skip(4);
        } catch (const ERecordError &) {
            raised = true;
        }
        QVERIFY(raised);
        QCOMPARE(GetLastError(), ENODATA);
    }

    void skipMoves()
    {
        TMemoryStream stream(QByteArray("abcd"));
        TRecordReader reader(stream);
        reader.Skip(3);
        QCOMPARE(stream.Position(), 3);
        QCOMPARE(reader.Byte(), uint8_t('d'));
    }

    void counts_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("minItemBytes");
        QTest::addColumn<int>("expected"); // -1: raises
        QTest::newRow("fits exactly") << QByteArray::fromHex("02000000aabbccdd") << 2 << 2;
        QTest::newRow("zero items") << QByteArray::fromHex("00000000") << 8 << 0;
        QTest::newRow("one byte short") << QByteArray::fromHex("02000000aabbcc") << 2 << -1;
        QTest::newRow("negative") << QByteArray::fromHex("ffffffff") << 1 << -1;
        QTest::newRow("overflowing product") << QByteArray::fromHex("ffffff7f") << 0x7fffffff << -1;
        QTest::newRow("count itself cut short") << QByteArray::fromHex("0200") << 1 << -2;
    }

    void counts()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, minItemBytes);
        QFETCH(int, expected);
        TMemoryStream stream(bytes);
        TRecordReader reader(stream);
        if (expected >= 0) {
            QCOMPARE(reader.Count(minItemBytes), expected);
            QCOMPARE(stream.Position(), 4);
            return;
        }
        QVERIFY_THROWS_EXCEPTION(ERecordError, reader.Count(minItemBytes));
        QCOMPARE(GetLastError(), expected == -1 ? EBADMSG : ENODATA);
    }

    void guardPassesResultsThrough()
    {
        TScriptedUiServices ui;
        QCOMPARE(GuardRecord(pcReadObjectRecord, [] { return true; }), true);
        // A False means a nested routine has already reported: no second message.
        QCOMPARE(GuardRecord(pcReadObjectRecord, [] { return false; }), false);
        QVERIFY(ui.Calls.isEmpty());
    }

    void guardReportsExceptions()
    {
        TScriptedUiServices ui;
        // The report names the thread's last error, whatever the exception was.
        QCOMPARE(GuardRecord(pcReadObjectRecord, [] () -> bool {
                     SetLastError(EACCES);
                     throw std::runtime_error("any");
                 }),
                 false);
        QCOMPARE(GuardRecord(pcWriteObjectRecord, [] () -> bool { throw 42; }), false);
        TMemoryStream stream(QByteArray::fromHex("0102"));
        QCOMPARE(GuardRecord(pcReadFormHeader, [&] { return TRecordReader(stream).Int32() == 0; }), false);

        QCOMPARE(ui.Calls.size(), 3);
        QCOMPARE(ui.Calls[0].Text, ExpectedStorageError(EACCES, 5514));
        QCOMPARE(ui.Calls[0].Caption, QString("Error"));
        QCOMPARE(ui.Calls[0].Flags, unsigned(MB_OK | MB_ICONERROR));
        QCOMPARE(ui.Calls[1].Text, ExpectedStorageError(EACCES, 5513));
        QCOMPARE(ui.Calls[2].Text, QStringLiteral("No data available (Error Code: 61/5520)."));
    }

    void guardReportsWriteFailures()
    {
        if (!QFileInfo::exists("/dev/full"))
            QSKIP("no /dev/full");
        TScriptedUiServices ui;
        TFileStream full(QStringLiteral("/dev/full"), fmOpenWrite);
        QCOMPARE(GuardRecord(pcWriteProjectBody, [&] {
                     TRecordWriter(full).Int32(7);
                     return true;
                 }),
                 false);
        QCOMPARE(ui.Messages(), QStringList{ExpectedStorageError(ENOSPC, 5522)});
    }

    void fileErrorText()
    {
        TScriptedUiServices ui;
        SetLastError(ENOENT);
        ShowFileError(pcOpenProjectFile, QStringLiteral("/tmp/a b.zvp"));
        QCOMPARE(ui.Calls.size(), 1);
        QCOMPARE(ui.Calls[0].Text, QStringLiteral("\"/tmp/a b.zvp\", ") + SysErrorMessage(ENOENT)
                                       + QStringLiteral(" (Error Code: 2/105)."));
        QCOMPARE(ui.Calls[0].Caption, QString("Error"));
        QCOMPARE(ui.Calls[0].Flags, unsigned(MB_OK | MB_ICONERROR));
    }

    void dataVersionError()
    {
        TScriptedUiServices ui;
        ShowDataVersionError();
        QCOMPARE(ui.Calls.size(), 1);
        QCOMPARE(ui.Calls[0].Text, kVersionMessage);
        QCOMPARE(ui.Calls[0].Caption, QString("Data Error"));
        QCOMPARE(ui.Calls[0].Flags, unsigned(MB_OK | MB_ICONINFORMATION));
    }

    void messageModes_data()
    {
        QTest::addColumn<bool>("designer");
        QTest::addColumn<int>("applicationType");
        QTest::addColumn<bool>("shown");
        QTest::newRow("desktop program") << false << int(atNormal) << true;
        QTest::newRow("web program") << false << int(atWebStandAlone) << false;
        QTest::newRow("designer editing a web project") << true << int(atWebStandAlone) << true;
    }

    void messageModes()
    {
        QFETCH(bool, designer);
        QFETCH(int, applicationType);
        QFETCH(bool, shown);
        DesignerMode = designer;
        RunProject.ApplicationType = TApplicationType(applicationType);
        TScriptedUiServices ui;
        QCOMPARE(StorageMessagesShown(), shown);
        ShowLastError(pcReadString);
        ShowFileError(pcOpenProjectFile, QStringLiteral("x"));
        ShowDataVersionError();
        QCOMPARE(GuardRecord(pcReadString, [] () -> bool { throw std::runtime_error("x"); }), false);
        QCOMPARE(ui.Calls.size(), shown ? 4 : 0);
    }

    void noMessageFromOtherThreads()
    {
        TScriptedUiServices ui;
        bool result = true;
        QThread *worker = QThread::create([&] {
            result = GuardRecord(pcReadString, [] () -> bool { throw std::runtime_error("x"); });
            ShowErrorMessage(QStringLiteral("from a worker"));
            ShowDataVersionError();
        });
        worker->start();
        QVERIFY(worker->wait(10000));
        delete worker;
        QCOMPARE(result, false);
        QVERIFY(ui.Calls.isEmpty());
        ShowErrorMessage(QStringLiteral("from the UI thread"));
        QCOMPARE(ui.Messages(), QStringList{"from the UI thread"});
    }
};

QTEST_GUILESS_MAIN(TestRecordIo)
#include "tst_record_io.moc"
