#include <QTemporaryDir>
#include <QtTest>

#include "platform/scripted_ui_services.h"
#include "runtime/general_form.h"
#include "support/test_files.h"

class TestGeneralForm : public QObject
{
    Q_OBJECT

private slots:
    void templatePictures_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("className");
        QTest::addColumn<QSize>("size");
        QTest::newRow("query") << "Image_DBQuery" << "TBitmap" << QSize(24, 24);
        QTest::newRow("table") << "Image_DBTable" << "TBitmap" << QSize(24, 24);
        QTest::newRow("timer") << "Image_Timer" << "TBitmap" << QSize(24, 24);
        QTest::newRow("png template") << "Image1" << "TPngImage" << QSize(4, 4);
        QTest::newRow("button normal") << "Image2" << "TPngImage" << QSize(16, 16);
        QTest::newRow("button hover") << "Image3" << "TPngImage" << QSize(16, 16);
        QTest::newRow("note 13") << "Image6" << "TPngImage" << QSize(60, 37);
        QTest::newRow("note 14") << "Image27" << "TPngImage" << QSize(70, 33);
    }

    void templatePictures()
    {
        QFETCH(QString, name);
        QFETCH(QString, className);
        QFETCH(QSize, size);
        TGeneralForm form;
        const QMap<QString, TPicture *> pictures{
            {QStringLiteral("Image_DBQuery"), &form.Image_DBQuery}, {QStringLiteral("Image_DBTable"), &form.Image_DBTable},
            {QStringLiteral("Image_Timer"), &form.Image_Timer},     {QStringLiteral("Image1"), &form.Image1},
            {QStringLiteral("Image2"), &form.Image2},               {QStringLiteral("Image3"), &form.Image3},
            {QStringLiteral("Image6"), &form.Image6},               {QStringLiteral("Image27"), &form.Image27},
        };
        TGraphic *graphic = pictures.value(name)->Graphic();
        QVERIFY(graphic);
        QCOMPARE(graphic->ClassName(), className);
        QCOMPARE(graphic->Image().size(), size);
    }

    void channelsAreIndependent()
    {
        QTemporaryDir dir;
        const QString first = dir.filePath(QStringLiteral("a.wav"));
        const QString second = dir.filePath(QStringLiteral("b.wav"));
        const QString music = dir.filePath(QStringLiteral("m.wav"));
        for (const QString &file : {first, second, music})
            WriteFileBytes(file, QByteArray("RIFF"));
        TScriptedUiServices ui;
        TGeneralForm form;

        form.PlaySound(1, music, true);
        form.PlaySound(0, first, false);
        form.PlaySound(0, second, true);
        QStringList seen;
        for (const TUiCall &call : ui.Calls)
            seen << QStringLiteral("%1 %2 %3").arg(call.Kind).arg(call.Flags).arg(QFileInfo(call.Text).fileName());
        // A new sound on channel 0 stops the one before; channel 1 is never touched again.
        QCOMPARE(seen, (QStringList{QStringLiteral("StopSound 1 "), QStringLiteral("PlaySound 1 m.wav"),
                                    QStringLiteral("StopSound 0 "), QStringLiteral("PlaySound 0 a.wav"),
                                    QStringLiteral("StopSound 0 "), QStringLiteral("PlaySound 0 b.wav")}));
        QVERIFY(form.SoundPlayOK[0] && form.SoundLoop[0]);
        QVERIFY(form.SoundPlayOK[1] && form.SoundLoop[1]);

        form.StopSound(0);
        QVERIFY(!form.SoundLoop[0]);
        QVERIFY(form.SoundLoop[1]);
        QCOMPARE(ui.Calls.last().Kind, QStringLiteral("StopSound"));
        QCOMPARE(ui.Calls.last().Flags, 0u);
    }

    void soundsThatCannotPlayLeaveTheChannelSilent()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("a.wav"));
        WriteFileBytes(file, QByteArray("RIFF"));
        TScriptedUiServices ui;
        TGeneralForm form;

        form.PlaySound(0, dir.filePath(QStringLiteral("missing.wav")), true);
        form.PlaySound(0, QString(), true);
        QVERIFY(ui.CallsOf(QStringLiteral("PlaySound")).isEmpty());
        QVERIFY(!form.SoundPlayOK[0]);

        ui.SoundAnswers << false;
        form.PlaySound(0, file, true);
        QCOMPARE(ui.CallsOf(QStringLiteral("PlaySound")).size(), 1);
        QVERIFY(!form.SoundPlayOK[0]);
        QVERIFY(!form.SoundLoop[0]);

        const int calls = ui.Calls.size();
        form.PlaySound(2, file, false);
        form.PlaySound(-1, file, false);
        form.StopSound(2);
        QCOMPARE(ui.Calls.size(), calls);
    }

    void freeRoutinesNeedTheService()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("a.wav"));
        WriteFileBytes(file, QByteArray("RIFF"));
        TScriptedUiServices ui;
        QString name = QStringLiteral("keep");
        PlaySoundFile(0, file, false);
        QVERIFY(!ExecuteOpenDialog(name));
        QVERIFY(ui.Calls.isEmpty());

        TGeneralForm form;
        GeneralForm = &form;
        PlaySoundFile(0, file, false);
        StopSoundChannel(0);
        GeneralForm = nullptr;
        QCOMPARE(ui.CallsOf(QStringLiteral("PlaySound")).size(), 1);
        QCOMPARE(ui.CallsOf(QStringLiteral("StopSound")).size(), 2);
    }

    void openDialogs_data()
    {
        QTest::addColumn<bool>("picture");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("confirmed");
        QTest::newRow("text chosen") << false << "/tmp/a.rtf" << true;
        QTest::newRow("text cancelled") << false << "" << false;
        QTest::newRow("picture chosen") << true << "/tmp/a.png" << true;
        QTest::newRow("picture cancelled") << true << "" << false;
    }

    void openDialogs()
    {
        QFETCH(bool, picture);
        QFETCH(QString, answer);
        QFETCH(bool, confirmed);
        TScriptedUiServices ui;
        ui.FileAnswers << answer;
        TGeneralForm form;
        GeneralForm = &form;
        QString name = QStringLiteral("before");
        const bool result = picture ? ExecuteOpenPictureDialog(name) : ExecuteOpenDialog(name);
        GeneralForm = nullptr;

        QCOMPARE(result, confirmed);
        QCOMPARE(name, confirmed ? answer : QStringLiteral("before"));
        const QList<TUiCall> calls = ui.CallsOf(QStringLiteral("OpenFileDialog"));
        QCOMPARE(calls.size(), 1);
        QCOMPARE(calls[0].Caption, picture ? QString(OpenPictureDialogFilter) : QString(OpenDialogFilter));
    }
};

QTEST_MAIN(TestGeneralForm)
#include "tst_general_form.moc"
