// Pictures stored in and read from database blob fields as picture records.
#include <QtTest>

#include "core/blob_pictures.h"
#include "platform/db/field.h"
#include "platform/graphics/picture.h"
#include "platform/scripted_ui_services.h"
#include "support/record_fixtures.h"

class TestBlobPictures : public QObject
{
    Q_OBJECT

private slots:
    void savedAsPictureRecordAndReadBack()
    {
        TPicture picture;
        picture.SetGraphic(TPngImage::FromImage(SampleImage()));
        const QByteArray png = picture.Graphic()->Bytes();
        TField blob(QStringLiteral("Photo"), ftBlob);
        QVERIFY(SavePictureToBlobField(&picture, &blob));
        // Class name "TPngImage" as a counted UTF-16 string, the byte count, the PNG bytes.
        const QByteArray expected = QByteArray::fromHex("09000000" "54005000"
                                                        "6e0067004900" "6d00610067006500")
                                    + Int32Bytes(png.size()) + png;
        QCOMPARE(blob.AsBytes(), expected);

        TPicture read;
        QVERIFY(LoadPictureFromBlobField(&read, &blob));
        QVERIFY(read.Graphic());
        QCOMPARE(read.Graphic()->ClassName(), QStringLiteral("TPngImage"));
        QCOMPARE(read.Graphic()->Bytes(), png);
    }

    void refusedAndEmptyCases()
    {
        TPicture picture;
        picture.SetGraphic(TPngImage::FromImage(SampleImage()));
        TField text(QStringLiteral("Name"), ftString);
        QVERIFY(!SavePictureToBlobField(&picture, &text));
        QVERIFY(!LoadPictureFromBlobField(&picture, &text));
        QVERIFY(picture.Graphic()); // a field that is not a blob changes nothing
        QVERIFY(!SavePictureToBlobField(nullptr, &text));
        QVERIFY(!LoadPictureFromBlobField(nullptr, &text));

        // A null blob and an empty blob both leave the picture cleared.
        TField blob(QStringLiteral("Photo"), ftGraphic);
        QVERIFY(LoadPictureFromBlobField(&picture, &blob));
        QVERIFY(!picture.Graphic());
        picture.SetGraphic(TPngImage::FromImage(SampleImage()));
        blob.SetValue(QByteArray());
        QVERIFY(LoadPictureFromBlobField(&picture, &blob));
        QVERIFY(!picture.Graphic());

        // Bytes that are no picture record: False, the picture stays empty, and the reader
        // reports its failure.
        TScriptedUiServices ui;
        picture.SetGraphic(TPngImage::FromImage(SampleImage()));
        blob.SetValue(QByteArray::fromHex("ffffff7f"));
        QVERIFY(!LoadPictureFromBlobField(&picture, &blob));
        QVERIFY(!picture.Graphic());
        QCOMPARE(ui.CallsOf(QStringLiteral("MessageBox")).size(), 1);
    }
};

QTEST_MAIN(TestBlobPictures)
#include "tst_blob_pictures.moc"
