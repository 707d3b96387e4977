#include <QTemporaryDir>
#include <QtTest>

#include "platform/graphics/picture.h"
#include "platform/rtl/streams.h"
#include "support/test_files.h"

namespace {

QImage SampleImage()
{
    QImage image(4, 3, QImage::Format_RGB32);
    image.fill(qRgb(10, 20, 30));
    image.setPixel(3, 2, qRgb(200, 100, 50));
    return image;
}

} // namespace

class TestPicture : public QObject
{
    Q_OBJECT

private slots:
    void classesByName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("bitmap") << "TBitmap";
        QTest::newRow("icon") << "TIcon";
        QTest::newRow("jpeg") << "TJPEGImage";
        QTest::newRow("png") << "TPngImage";
        QTest::newRow("gif") << "TGIFImage";
        QTest::newRow("metafile") << "TMetafile";
        QTest::newRow("wic") << "TWICImage";
    }

    void classesByName()
    {
        QFETCH(QString, name);
        std::unique_ptr<TGraphic> graphic = CreateGraphicOfClass(name);
        QVERIFY(graphic);
        QCOMPARE(graphic->ClassName(), name);
        QVERIFY(graphic->Empty());
        QCOMPARE(graphic->Clone()->ClassName(), name);
    }

    void unknownClassNames()
    {
        QCOMPARE(CreateGraphicOfClass(QStringLiteral("TGraphic")), nullptr);
        QCOMPARE(CreateGraphicOfClass(QStringLiteral("tbitmap")), nullptr);
        QCOMPARE(CreateGraphicOfClass(QString()), nullptr);
    }

    void imagesEncodeInTheirFormat()
    {
        const QImage image = SampleImage();
        std::unique_ptr<TBitmap> bitmap = TBitmap::FromImage(image);
        QVERIFY(bitmap->Bytes().startsWith("BM"));
        QCOMPARE(bitmap->Image().convertToFormat(QImage::Format_RGB32), image);

        std::unique_ptr<TPngImage> png = TPngImage::FromImage(image);
        QVERIFY(png->Bytes().startsWith("\x89PNG\r\n\x1a\n"));
        QCOMPARE(png->Image().convertToFormat(QImage::Format_RGB32), image);
        QCOMPARE(png->Width(), 4);
        QCOMPARE(png->Height(), 3);
    }

    void streamDataIsKeptAsIs()
    {
        // Everything from the position to the end becomes the graphic's data.
        TMemoryStream stream(QByteArray("skipMETAFILE-DATA"));
        stream.SetPosition(4);
        TMetafile metafile;
        metafile.LoadFromStream(stream);
        QCOMPARE(metafile.Bytes(), QByteArray("METAFILE-DATA"));
        QCOMPARE(stream.Position(), stream.Size());
        QVERIFY(!metafile.Empty());
        QVERIFY(metafile.Image().isNull()); // metafiles are never decoded
        QCOMPARE(metafile.Width(), 0);

        TMemoryStream out(QByteArray("x"));
        out.SetPosition(1);
        metafile.SaveToStream(out);
        QCOMPARE(out.Bytes(), QByteArray("xMETAFILE-DATA"));

        // Data that does not decode is still kept.
        TBitmap bitmap;
        bitmap.SetBytes(QByteArray("not an image"));
        QVERIFY(bitmap.Image().isNull());
        QCOMPARE(bitmap.Bytes(), QByteArray("not an image"));
    }

    void newBytesDropTheDecodedImage()
    {
        TPngImage png;
        png.SetBytes(TPngImage::FromImage(SampleImage())->Bytes());
        QCOMPARE(png.Width(), 4);
        png.SetBytes(TPngImage::FromImage(QImage(7, 1, QImage::Format_RGB32))->Bytes());
        QCOMPARE(png.Width(), 7);
    }

    void assignCopies()
    {
        TGIFImage gif;
        gif.SetBytes(QByteArray("GIF89a..."));
        gif.Animate = true;
        TGIFImage copy;
        copy.Assign(gif);
        QCOMPARE(copy.Bytes(), gif.Bytes());
        QVERIFY(copy.Animate);
        auto clone = gif.Clone();
        QVERIFY(static_cast<TGIFImage *>(clone.get())->Animate);

        TBitmap bitmap;
        QVERIFY_THROWS_EXCEPTION(EConvertError, bitmap.Assign(gif));

        TPicture source;
        source.SetGraphic(TPngImage::FromImage(SampleImage()));
        TPicture target;
        target.Assign(source);
        QVERIFY(target.Graphic() && target.Graphic() != source.Graphic());
        QCOMPARE(target.Graphic()->Bytes(), source.Graphic()->Bytes());
        source.Graphic()->SetBytes(QByteArray("changed"));
        QVERIFY(target.Graphic()->Bytes() != source.Graphic()->Bytes());

        TPicture none;
        target.Assign(none);
        QCOMPARE(target.Graphic(), nullptr);
    }

    void filesByExtension_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QString>("className");
        QTest::newRow("bmp") << "a.bmp" << "TBitmap";
        QTest::newRow("ico") << "a.ICO" << "TIcon";
        QTest::newRow("jpg") << "a.jpg" << "TJPEGImage";
        QTest::newRow("jpeg") << "a.jpeg" << "TJPEGImage";
        QTest::newRow("png") << "a.png" << "TPngImage";
        QTest::newRow("gif") << "a.gif" << "TGIFImage";
        QTest::newRow("wmf") << "a.wmf" << "TMetafile";
        QTest::newRow("emf") << "a.emf" << "TMetafile";
        QTest::newRow("tiff") << "a.tif" << "TWICImage";
        QTest::newRow("no extension") << "picture" << "TWICImage";
    }

    void filesByExtension()
    {
        QFETCH(QString, fileName);
        QFETCH(QString, className);
        QTemporaryDir dir;
        const QByteArray bytes = TPngImage::FromImage(SampleImage())->Bytes();
        const QString path = dir.filePath(fileName);
        QVERIFY(WriteFileBytes(path, bytes));

        TPicture picture;
        picture.LoadFromFile(path);
        QVERIFY(picture.Graphic());
        QCOMPARE(picture.Graphic()->ClassName(), className);
        QCOMPARE(picture.Graphic()->Bytes(), bytes);

        const QString copy = dir.filePath(QStringLiteral("copy"));
        picture.SaveToFile(copy);
        QCOMPARE(ReadFileBytes(copy), bytes);
    }

    void missingFileKeepsTheGraphic()
    {
        QTemporaryDir dir;
        TPicture picture;
        picture.SetGraphic(TBitmap::FromImage(SampleImage()));
        TGraphic *before = picture.Graphic();
        QVERIFY_THROWS_EXCEPTION(EFOpenError, picture.LoadFromFile(dir.filePath("missing.png")));
        QCOMPARE(picture.Graphic(), before);

        // Without a graphic nothing is written.
        TPicture none;
        none.SaveToFile(dir.filePath("none.png"));
        QVERIFY(!QFileInfo::exists(dir.filePath("none.png")));
    }
};

QTEST_GUILESS_MAIN(TestPicture)
#include "tst_picture.moc"
