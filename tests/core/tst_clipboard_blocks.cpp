#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QtTest>

#include "core/clipboard_blocks.h"
#include "platform/rtl/streams.h"

class TestClipboardBlocks : public QObject
{
    Q_OBJECT

private slots:
    void blockLayout()
    {
        TMemoryStream source(QByteArray("0123456789"));
        QVERIFY(PutStreamToClipboard(&source, QStringLiteral("Zandrovel V1.0 Objects")));
        const QByteArray block = ClipboardBlock(QStringLiteral("Zandrovel V1.0 Objects"));
        QCOMPARE(block.toHex(), QByteArray("0a000000") + QByteArray("0123456789").toHex());

        TMemoryStream target(QByteArray("old contents that are longer"));
        target.SetPosition(7);
        QVERIFY(GetStreamFromClipboard(&target, QStringLiteral("Zandrovel V1.0 Objects")));
        QCOMPARE(target.Bytes().left(10), QByteArray("0123456789"));
        QCOMPARE(target.Position(), 10);
    }

    void payloadFromCurrentPosition()
    {
        TMemoryStream source(QByteArray("abcdef"));
        source.SetPosition(2);
        QVERIFY(PutStreamToClipboard(&source, QStringLiteral("F")));
        // The size is the stream's whole size; only what is left after the position follows.
        QCOMPARE(ClipboardBlock(QStringLiteral("F")).toHex(), QByteArray("06000000") + QByteArray("cdef").toHex());
    }

    void refusals()
    {
        QVERIFY(!PutStreamToClipboard(nullptr, QStringLiteral("F")));
        TMemoryStream target;
        QVERIFY(!GetStreamFromClipboard(nullptr, QStringLiteral("F")));
        QVERIFY(!GetStreamFromClipboard(&target, QStringLiteral("Other")));

        // A block whose size claims more than it carries is refused.
        auto *mime = new QMimeData;
        mime->setData(ClipboardFormatMimeType(QStringLiteral("Bad")), QByteArray::fromHex("ffffff7f0102"));
        QGuiApplication::clipboard()->setMimeData(mime);
        QVERIFY(!GetStreamFromClipboard(&target, QStringLiteral("Bad")));
        QCOMPARE(target.Size(), 0);
    }
};

QTEST_MAIN(TestClipboardBlocks)
#include "tst_clipboard_blocks.moc"
