#include <QtTest>

#include "support/record_fixtures.h"

#include <cerrno>

#include "core/error_reporting.h"
#include "core/globals.h"
#include "core/project_model.h"
#include "core/stream_primitives.h"
#include "objects/web_font.h"
#include "platform/graphics/font.h"
#include "platform/graphics/picture.h"
#include "platform/rtl/streams.h"
#include "platform/scripted_ui_services.h"

namespace {

// A 1x1 two-colour GIF89a.
const QByteArray kGifBytes = QByteArray::fromHex(
    "47494638396101000100800000000000ffffff21f90401000000002c000000000100010000020144003b");

// String records of the class names, written out by hand.
const QByteArray kPngImageName = QByteArray::fromHex("09000000" "540050006e00670049006d00610067006500");
const QByteArray kGifImageName = QByteArray::fromHex("09000000" "540047004900460049006d00610067006500");
const QByteArray kLowerBitmapName = QByteArray::fromHex("07000000" "74006200690074006d0061007000");

} // namespace

class TestStreamPrimitives : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        DesignerMode = false;
        RunProject.ApplicationType = atNormal;
        SetLastError(0);
    }

    // ---- strings ----

    void stringRecords_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("hex");
        QTest::newRow("empty") << QString() << QByteArray("00000000");
        QTest::newRow("A e-acute") << QStringLiteral("A\u00e9") << QByteArray("020000004100e900");
        // Outside the basic plane: two units, the surrogate pair.
        QTest::newRow("non-BMP") << QString::fromUcs4(U"\U0001F600") << QByteArray("020000003dd800de");
    }

    void stringRecords()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, hex);
        TScriptedUiServices ui;

        TMemoryStream written;
        QVERIFY(WriteStreamString(&written, text));
        QCOMPARE(written.Bytes().toHex(), hex);

        TMemoryStream stored(QByteArray::fromHex(hex) + "tail");
        QString read = QStringLiteral("old");
        QVERIFY(ReadStreamString(&stored, read));
        QCOMPARE(read, text);
        QCOMPARE(stored.Position(), hex.size() / 2);
        QVERIFY(ui.Calls.isEmpty());
    }

    void negativeCountReadsEmpty()
    {
        TScriptedUiServices ui;
        TMemoryStream stored(QByteArray::fromHex("feffffff41004200"));
        QString read = QStringLiteral("old");
        QVERIFY(ReadStreamString(&stored, read));
        QCOMPARE(read, QString());
        QCOMPARE(stored.Position(), 4); // nothing past the count is taken
        QVERIFY(ui.Calls.isEmpty());
    }

    void badStringRecords_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("count larger than the data") << QByteArray::fromHex("0500000041004200");
        QTest::newRow("huge count") << QByteArray::fromHex("ffffff7f4100");
        QTest::newRow("count cut short") << QByteArray::fromHex("0200");
        QTest::newRow("odd last unit") << QByteArray::fromHex("0100000041");
    }

    void badStringRecords()
    {
        QFETCH(QByteArray, bytes);
        TScriptedUiServices ui;
        TMemoryStream stored(bytes);
        QString read = QStringLiteral("old");
        QVERIFY(!ReadStreamString(&stored, read));
        QCOMPARE(read, QString());
        QCOMPARE(ui.Calls.size(), 1);
        QCOMPARE(ui.Calls[0].Text, SysErrorMessage(ENODATA) + QStringLiteral(" (Error Code: 61/5210)."));
        QCOMPARE(ui.Calls[0].Caption, QString("Error"));
        QCOMPARE(ui.Calls[0].Flags, unsigned(MB_OK | MB_ICONERROR));
    }

    void webProgramShowsNothing()
    {
        RunProject.ApplicationType = atWebStandAlone;
        TScriptedUiServices ui;
        TMemoryStream stored(QByteArray::fromHex("05000000"));
        QString read;
        QVERIFY(!ReadStreamString(&stored, read));
        TPicture picture;
        TMemoryStream unknown(QByteArray::fromHex("04000000" "54004600" "6f006f00" "00000000"));
        QVERIFY(!LoadPictureFromStream(&unknown, &picture));
        QVERIFY(ui.Calls.isEmpty());
    }

    void writeFailureReported()
    {
        if (!QFileInfo::exists("/dev/full"))
            QSKIP("no /dev/full");
        TScriptedUiServices ui;
        TFileStream full(QStringLiteral("/dev/full"), fmOpenWrite);
        QVERIFY(!WriteStreamString(&full, QStringLiteral("abc")));
        TFont font;
        // The nested string failure is reported once, by the string routine.
        QVERIFY(!SaveFontToStream(&full, &font));
        QCOMPARE(ui.Messages(), (QStringList{ExpectedStorageError(ENOSPC, 5209), ExpectedStorageError(ENOSPC, 5209)}));
    }

    void nullArgumentsRefusedSilently()
    {
        TScriptedUiServices ui;
        TMemoryStream stream;
        QString text = QStringLiteral("old");
        TFont font;
        TWebFont webFont;
        TPicture picture;
        QVERIFY(!WriteStreamString(nullptr, QStringLiteral("a")));
        QVERIFY(!ReadStreamString(nullptr, text));
        QCOMPARE(text, QString());
        QVERIFY(!SaveFontToStream(nullptr, &font));
        QVERIFY(!SaveFontToStream(&stream, nullptr));
        QVERIFY(!LoadFontFromStream(nullptr, &font));
        QVERIFY(!LoadFontFromStream(&stream, nullptr));
        QVERIFY(!LoadWebFontFromStream(nullptr, &webFont));
        QVERIFY(!LoadWebFontFromStream(&stream, nullptr));
        QVERIFY(!SavePictureToStream(nullptr, &picture));
        QVERIFY(!SavePictureToStream(&stream, nullptr));
        QVERIFY(!LoadPictureFromStream(nullptr, &picture));
        QVERIFY(!LoadPictureFromStream(&stream, nullptr));
        QCOMPARE(stream.Size(), 0);
        QVERIFY(ui.Calls.isEmpty());
    }

    // ---- fonts ----

    void fontRecord()
    {
        // "Arial", clWindowText ($FF000008), 10 pt, ANSI charset, bold + underline.
        const QByteArray hex = "05000000" "41007200690061006c00" "080000ff" "0a000000" "00" "05";
        TFont font;
        font.Name = QStringLiteral("Arial");
        font.Color = clWindowText;
        font.Size = 10;
        font.Charset = ANSI_CHARSET;
        font.Style = fsBold | fsUnderline;

        TMemoryStream written;
        QVERIFY(SaveFontToStream(&written, &font));
        QCOMPARE(written.Bytes().toHex(), hex);

        TMemoryStream stored(QByteArray::fromHex(hex));
        TFont read;
        read.Name = QStringLiteral("Other");
        read.Color = clRed;
        read.Style = fsItalic;
        QVERIFY(LoadFontFromStream(&stored, &read));
        QVERIFY(read == font);
        QCOMPARE(stored.Position(), stored.Size());

        // Strike-out and italic bits, a plain colour.
        const QByteArray other = "01000000" "5800" "ff000000" "f6ffffff" "01" "0a";
        TMemoryStream stored2(QByteArray::fromHex(other));
        QVERIFY(LoadFontFromStream(&stored2, &read));
        QCOMPARE(read.Name, QString("X"));
        QCOMPARE(read.Color, clRed);
        QCOMPARE(read.Size, -10);
        QCOMPARE(read.Charset, DEFAULT_CHARSET);
        QCOMPARE(read.Style, TFontStyles(fsItalic | fsStrikeOut));
    }

    void webFontRecord()
    {
        const QByteArray hex = "05000000" "41007200690061006c00" "080000ff" "0c000000" "00" "03";
        TMemoryStream stored(QByteArray::fromHex(hex));
        TWebFont webFont;
        QVERIFY(LoadWebFontFromStream(&stored, &webFont));
        QCOMPARE(webFont.Name, QString("Arial"));
        QCOMPARE(webFont.Color, clWindowText);
        QCOMPARE(webFont.Size, 12);
        QCOMPARE(webFont.Style, TFontStyles(fsBold | fsItalic));
        QCOMPARE(stored.Position(), stored.Size()); // the charset byte is consumed
    }

    void badFontRecords_data()
    {
        QTest::addColumn<QByteArray>("hex");
        QTest::addColumn<QString>("message");
        // The name's own failure is reported by the string routine only.
        QTest::newRow("name too long") << QByteArray("09000000410042") << ExpectedStorageError(ENODATA, 5210);
        QTest::newRow("style byte missing")
            << QByteArray("010000005800" "ff000000" "0a000000" "00") << ExpectedStorageError(ENODATA, 5208);
        QTest::newRow("size cut short") << QByteArray("010000005800" "ff000000" "0a00") << ExpectedStorageError(ENODATA, 5208);
    }

    void badFontRecords()
    {
        QFETCH(QByteArray, hex);
        QFETCH(QString, message);
        TScriptedUiServices ui;
        TFont font;
        font.Name = QStringLiteral("Kept");
        const TFont before = font;
        TMemoryStream stored(QByteArray::fromHex(hex));
        QVERIFY(!LoadFontFromStream(&stored, &font));
        QVERIFY(font == before);

        TWebFont webFont;
        webFont.Name = QStringLiteral("Kept");
        stored.SetPosition(0);
        QVERIFY(!LoadWebFontFromStream(&stored, &webFont));
        QCOMPARE(webFont.Name, QString("Kept"));
        QCOMPARE(ui.Messages(), (QStringList{message, message}));
    }

    // ---- pictures ----

    void emptyPictures()
    {
        TScriptedUiServices ui;
        TPicture none;
        TMemoryStream written;
        QVERIFY(SavePictureToStream(&written, &none));
        TPicture empty;
        empty.SetGraphic(std::make_unique<TBitmap>());
        QVERIFY(SavePictureToStream(&written, &empty));
        QCOMPARE(written.Bytes().toHex(), QByteArray("0000000000000000"));

        // Reading one empties a picture that held a graphic.
        TPicture read;
        read.SetGraphic(TPngImage::FromImage(SampleImage()));
        written.SetPosition(0);
        QVERIFY(LoadPictureFromStream(&written, &read));
        QCOMPARE(read.Graphic(), nullptr);
        QCOMPARE(written.Position(), 4);
        QVERIFY(ui.Calls.isEmpty());
    }

    void pngPictureKeepsItsBytes()
    {
        TPicture picture;
        picture.SetGraphic(TPngImage::FromImage(SampleImage()));
        const QByteArray png = picture.Graphic()->Bytes();
        QVERIFY(png.startsWith("\x89PNG"));

        TMemoryStream written;
        QVERIFY(SavePictureToStream(&written, &picture));
        QCOMPARE(written.Bytes().toHex(), (kPngImageName + Int32Bytes(png.size()) + png).toHex());

        written.SetPosition(0);
        TPicture read;
        QVERIFY(LoadPictureFromStream(&written, &read));
        QVERIFY(read.Graphic());
        QCOMPARE(read.Graphic()->ClassName(), QString("TPngImage"));
        QCOMPARE(read.Graphic()->Bytes(), png);
        QCOMPARE(read.Graphic()->Image().pixel(2, 1), qRgb(0, 0, 255));

        TMemoryStream rewritten;
        QVERIFY(SavePictureToStream(&rewritten, &read));
        QCOMPARE(rewritten.Bytes(), written.Bytes());
    }

    void classNameIgnoresAsciiCase()
    {
        const QByteArray bmp = TBitmap::FromImage(SampleImage())->Bytes();
        TMemoryStream stored(kLowerBitmapName + Int32Bytes(bmp.size()) + bmp);
        TPicture picture;
        QVERIFY(LoadPictureFromStream(&stored, &picture));
        QVERIFY(dynamic_cast<TBitmap *>(picture.Graphic()));
        QCOMPARE(picture.Graphic()->Bytes(), bmp);
        QCOMPARE(picture.Graphic()->Width(), 3);
        QCOMPARE(GetGraphicTypeName(picture.Graphic()), QString("Bitmap"));
    }

    void findGraphicClass_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("found");
        QTest::newRow("exact") << "TMetafile" << "TMetafile";
        QTest::newRow("upper") << "TPNGIMAGE" << "TPngImage";
        QTest::newRow("mixed") << "tJpegImage" << "TJPEGImage";
        QTest::newRow("wic") << "twicimage" << "TWICImage";
        QTest::newRow("unknown") << "TGraphic" << "";
        QTest::newRow("empty") << "" << "";
        // Only ASCII letters fold: a dotless i does not become an I.
        QTest::newRow("dotless i") << QStringLiteral("TB\u0131tmap") << "";
    }

    void findGraphicClass()
    {
        QFETCH(QString, name);
        QFETCH(QString, found);
        QCOMPARE(FindGraphicClass(name), found);
    }

    void unknownClassFailsAfterItsData()
    {
        TScriptedUiServices ui;
        // "TFoo", 3 data bytes, then the next record.
        const QByteArray record = QByteArray::fromHex("04000000" "54004600" "6f006f00" "03000000") + "abc";
        TMemoryStream stored(record + "next");
        TPicture picture;
        picture.SetGraphic(std::make_unique<TBitmap>());
        QVERIFY(!LoadPictureFromStream(&stored, &picture));
        QCOMPARE(stored.Position(), record.size());
        QCOMPARE(picture.Graphic(), nullptr);
        QCOMPARE(ui.Messages(), QStringList{ExpectedStorageError(EINVAL, 5206)});
        QCOMPARE(ui.Calls[0].Caption, QString("Error"));
    }

    void badPictureSizes_data()
    {
        QTest::addColumn<QByteArray>("tail");
        QTest::addColumn<QString>("message");
        QTest::newRow("size past the end") << QByteArray::fromHex("0a000000616263") << ExpectedStorageError(EBADMSG, 5206);
        QTest::newRow("negative size") << QByteArray::fromHex("ffffffff616263") << ExpectedStorageError(EBADMSG, 5206);
        QTest::newRow("size cut short") << QByteArray::fromHex("0a00") << ExpectedStorageError(ENODATA, 5206);
    }

    void badPictureSizes()
    {
        QFETCH(QByteArray, tail);
        QFETCH(QString, message);
        TScriptedUiServices ui;
        TMemoryStream stored(kPngImageName + tail);
        TPicture picture;
        QVERIFY(!LoadPictureFromStream(&stored, &picture));
        QCOMPARE(picture.Graphic(), nullptr);
        QCOMPARE(ui.Messages(), QStringList{message});
    }

    void gifAnimatesAfterLoad()
    {
        TMemoryStream stored(kGifImageName + Int32Bytes(kGifBytes.size()) + kGifBytes);
        TPicture picture;
        QVERIFY(LoadPictureFromStream(&stored, &picture));
        auto *gif = dynamic_cast<TGIFImage *>(picture.Graphic());
        QVERIFY(gif);
        QVERIFY(gif->Animate);
        QCOMPARE(gif->Bytes(), kGifBytes);
        QCOMPARE(gif->Width(), 1);
    }

    void graphicTypeNames()
    {
        QCOMPARE(GetGraphicTypeName(nullptr), QString("None"));
        TJPEGImage emptyJpeg;
        QCOMPARE(GetGraphicTypeName(&emptyJpeg), QString("None"));
        TJPEGImage jpeg;
        jpeg.SetBytes(QByteArray("\xff\xd8\xff"));
        QCOMPARE(GetGraphicTypeName(&jpeg), QString("JPEGImage"));
        QCOMPARE(GetGraphicTypeName(TPngImage::FromImage(SampleImage()).get()), QString("PngImage"));
    }
};

QTEST_GUILESS_MAIN(TestStreamPrimitives)
#include "tst_stream_primitives.moc"
