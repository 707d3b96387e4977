#include <QtTest>

#include <cerrno>
#include <memory>
#include <thread>

#include "support/kind_fixtures.h"
#include "support/record_fixtures.h"

#include "core/globals.h"
#include "core/object_records.h"
#include "core/project_model.h"
#include "objects/kind_control.h"
#include "objects/memo.h"
#include "objects/object_kinds.h"
#include "objects/rich_text.h"
#include "objects/simple_text.h"
#include "objects/standard_button.h"
#include "objects/web_twin.h"
#include "platform/rtl/streams.h"
#include "platform/scripted_ui_services.h"
#include "platform/vcl/controls.h"
#include "runtime/object_control_creation.h"

namespace {

const QByteArray kButtonHex = "00000000"                  // version
                              "03000000" "26004f004b00"   // Caption "&OK"
                              + kArialFont                //
                              + "01"                      // Cancel
                                "00"                      // Default
                                "00"                      // TabStop
                                "01";                     // WordWrap

const QByteArray kSimpleTextHex = "00000000"                                                 // version
                                  "0b000000" "54006f006d002000260020004a006500720072007900" // "Tom & Jerry"
                                  + kArialFont                                               //
                                  + "02"                                                     // taCenter
                                    "01"                                                     // tlCenter
                                    "ffff0000"                                               // Color clYellow
                                    "00"                                                     // Transparent
                                    "05000000" "50007200690063006500"                        // "Price"
                                    "f9ffffff"                                               // IntegerValue -7
                                    "0000000000000440"                                       // FloatValue 2.5
                                    "0000000018f9e540"                                       // DateTimeValue 45000.75
                                    "01"                                                     // BooleanValue
                                    "ffffff1f";                                              // ColorValue clNone

const QByteArray kMemoHex = "00000000" // version
                            "01"       // ReadOnly
                            // "Line 1\r\nLine 2\r\nLine 3"
                            "16000000" "4c0069006e006500200031000d000a004c0069006e006500200032000d000a004c006900"
                            "6e00650020003300"
                            + kArialFont //
                            + "01"       // taRightJustify
                              "00"       // WordWrap
                              "03"       // ssBoth
                              "00ff0000" // Color clLime
                              "00"       // bsNone
                              "00";      // TabStop

// {\rtf1\ansi{\fonttbl{\f0 Arial;}}\f0\fs20 Hi\par}
const QByteArray kRtfHex = "7b5c727466315c616e73697b5c666f6e7474626c7b5c663020417269616c3b7d7d5c66305c667332302048695c7061727d";

const QByteArray kRichTextHex = "00000000"         // version
                                "31000000" + kRtfHex // RTF, 49 bytes
                                + kArialFont       //
                                + "02"             // taCenter
                                  "00"             // WordWrap
                                  "00"             // PlainText
                                  "03"             // ssBoth
                                  "00ffff00"       // Color clAqua
                                  "00"             // bsNone
                                  "01";            // TabStop

QByteArray FixtureOf(int kind)
{
    switch (kind) {
    case otStandardButton:
        return QByteArray::fromHex(kButtonHex);
    case otSimpleText:
        return QByteArray::fromHex(kSimpleTextHex);
    case otMemo:
        return QByteArray::fromHex(kMemoHex);
    case otRichText:
        return QByteArray::fromHex(kRichTextHex);
    default:
        return QByteArray();
    }
}

void AddKindRows()
{
    QTest::addColumn<int>("kind");
    QTest::newRow("button") << int(otStandardButton);
    QTest::newRow("simple text") << int(otSimpleText);
    QTest::newRow("memo") << int(otMemo);
    QTest::newRow("rich text") << int(otRichText);
}

void AddTwinRows()
{
    QTest::addColumn<int>("kind");
    QTest::newRow("web button") << int(otStandardButton);
    QTest::newRow("web label") << int(otSimpleText);
    QTest::newRow("web memo") << int(otMemo);
}

std::unique_ptr<TWebTwin> NewTwin(int kind)
{
    return std::unique_ptr<TWebTwin>(ObjectKindInfo(TObjectType(kind)).CreateWebTwin());
}

} // namespace

class TestStandardControlRecords : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        DesignerMode = false;
        DesignerPreview = false;
        RunProject.ApplicationType = atNormal;
    }

    // ---- the table ----

    void kindsAreRegistered()
    {
        for (TObjectType kind : {otStandardButton, otSimpleText, otMemo, otRichText}) {
            const TObjectKindInfo &info = ObjectKindInfo(kind);
            QVERIFY(info.CreateControl);
            std::unique_ptr<TControl> control(info.CreateControl());
            QCOMPARE(control->metaObject()->className(), info.ClassName);
            QVERIFY(KindOf(control.get()));
        }
        QVERIFY(dynamic_cast<TWebButton *>(NewTwin(otStandardButton).get()));
        QVERIFY(dynamic_cast<TWebLabel *>(NewTwin(otSimpleText).get()));
        QVERIFY(dynamic_cast<TWebMemo *>(NewTwin(otMemo).get()));
        QVERIFY(!ObjectKindInfo(otRichText).CreateWebTwin);
    }

    // ---- fixtures, read and written back ----

    void fixtureReadsAndWritesBack_data() { AddKindRows(); }

    void fixtureReadsAndWritesBack()
    {
        QFETCH(int, kind);
        TScriptedUiServices ui;
        const QByteArray fixture = FixtureOf(kind);
        std::unique_ptr<TControl> control = NewKindControl(kind);
        TMemoryStream stream(fixture + "tail");
        QVERIFY(KindOf(control.get())->LoadFromStream(&stream));
        QCOMPARE(stream.Position(), fixture.size());
        QCOMPARE(KindRecordBytes(KindOf(control.get())).toHex(), fixture.toHex());
        QVERIFY(ui.Calls.isEmpty());
    }

    void buttonFixtureFields()
    {
        TZvStandardButton button;
        TMemoryStream stream(FixtureOf(otStandardButton));
        QVERIFY(button.LoadFromStream(&stream));
        QCOMPARE(button.Caption(), QStringLiteral("&OK"));
        QCOMPARE(button.Font().Name, QStringLiteral("Arial"));
        QCOMPARE(button.Font().Color, clRed);
        QCOMPARE(button.Font().Size, 10);
        QCOMPARE(button.Font().Style, TFontStyles(fsBold | fsItalic));
        QVERIFY(button.Cancel());
        QVERIFY(!button.Default());
        QVERIFY(!button.TabStop());
        QVERIFY(button.WordWrap());
    }

    void simpleTextFixtureFields()
    {
        TZvSimpleText text;
        TMemoryStream stream(FixtureOf(otSimpleText));
        QVERIFY(text.LoadFromStream(&stream));
        QCOMPARE(text.Caption(), QStringLiteral("Tom & Jerry"));
        QCOMPARE(text.Font().Name, QStringLiteral("Arial"));
        QCOMPARE(text.Alignment(), taCenter);
        QCOMPARE(text.Layout(), tlCenter);
        QCOMPARE(text.Color(), clYellow);
        QVERIFY(!text.Transparent());
        QCOMPARE(text.StringValue, QStringLiteral("Price"));
        QCOMPARE(text.IntegerValue, -7);
        QCOMPARE(text.FloatValue, 2.5);
        QCOMPARE(text.DateTimeValue, 45000.75); // the stored time replaces the construction time
        QVERIFY(text.BooleanValue);
        QCOMPARE(text.ColorValue, clNone);
    }

    void memoFixtureFields()
    {
        TZvMemo memo;
        TMemoryStream stream(FixtureOf(otMemo));
        QVERIFY(memo.LoadFromStream(&stream));
        QVERIFY(memo.ReadOnly());
        QCOMPARE(memo.LineCount(), 3);
        QCOMPARE(memo.Lines(), QStringLiteral("Line 1\r\nLine 2\r\nLine 3"));
        QCOMPARE(memo.Font().Name, QStringLiteral("Arial"));
        QCOMPARE(memo.Alignment(), taRightJustify);
        QVERIFY(!memo.WordWrap());
        QCOMPARE(memo.ScrollBars(), ssBoth);
        QCOMPARE(memo.Color(), clLime);
        QCOMPARE(memo.BorderStyle(), bsNone);
        QVERIFY(!memo.TabStop());
    }

    void richTextFixtureFields()
    {
        TZvRichText rich;
        TMemoryStream stream(FixtureOf(otRichText));
        QVERIFY(rich.LoadFromStream(&stream));
        QCOMPARE(rich.Text(), QStringLiteral("Hi"));
        QCOMPARE(rich.Font().Name, QStringLiteral("Arial"));
        QCOMPARE(rich.Alignment(), taCenter);
        QVERIFY(!rich.WordWrap());
        QVERIFY(!rich.PlainText());
        QCOMPARE(rich.ScrollBars(), ssBoth);
        QCOMPARE(rich.Color(), clAqua);
        QCOMPARE(rich.BorderStyle(), bsNone);
        QVERIFY(rich.TabStop());
    }

    // ---- failures ----

    void refusedVersionLeavesDefaults_data() { AddKindRows(); }

    void refusedVersionLeavesDefaults()
    {
        QFETCH(int, kind);
        TScriptedUiServices ui;
        std::unique_ptr<TControl> control = NewKindControl(kind);
        TKindControl *record = KindOf(control.get());
        const QByteArray defaults = KindRecordBytes(record);

        TMemoryStream stream(Int32Bytes(2) + FixtureOf(kind).mid(4));
        QVERIFY(!record->LoadFromStream(&stream));
        QCOMPARE(stream.Position(), 4);
        QCOMPARE(ui.Messages(), QStringList{kVersionMessage});
        QCOMPARE(KindRecordBytes(record).toHex(), defaults.toHex());
    }

    void twinRefusesVersion_data() { AddTwinRows(); }

    void twinRefusesVersion()
    {
        QFETCH(int, kind);
        TScriptedUiServices ui;
        std::unique_ptr<TWebTwin> twin = NewTwin(kind);
        TMemoryStream stream(Int32Bytes(1) + FixtureOf(kind).mid(4));
        QVERIFY(!twin->LoadFromStream(&stream));
        QCOMPARE(stream.Position(), 4);
        QCOMPARE(ui.Messages(), QStringList{kVersionMessage});
        if (auto *label = dynamic_cast<TWebLabel *>(twin.get())) {
            QVERIFY(label->AutoSize);
            QVERIFY(label->Caption.isEmpty());
        }
    }

    // A record cut short inside the kind's own fields is reported with the kind's read
    // place code, by the desktop reader and the web twin alike; the simple text shares
    // its codes with the multiline text.
    void cutShortRecordReportsPlaceCode_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("placeCode");
        QTest::newRow("button") << int(otStandardButton) << 4078;
        QTest::newRow("simple text") << int(otSimpleText) << 4074;
        QTest::newRow("memo") << int(otMemo) << 4072;
        QTest::newRow("rich text") << int(otRichText) << 4070;
    }

    void cutShortRecordReportsPlaceCode()
    {
        QFETCH(int, kind);
        QFETCH(int, placeCode);
        QCOMPARE(ObjectKindInfo(otMultilineText).ReadPlaceCode, ObjectKindInfo(otSimpleText).ReadPlaceCode);
        const QByteArray cut = FixtureOf(kind).chopped(1);
        const QStringList expected{ExpectedStorageError(ENODATA, placeCode)};
        {
            TScriptedUiServices ui;
            std::unique_ptr<TControl> control = NewKindControl(kind);
            TMemoryStream stream(cut);
            QVERIFY(!KindOf(control.get())->LoadFromStream(&stream));
            QCOMPARE(ui.Messages(), expected);
        }
        if (ObjectKindInfo(TObjectType(kind)).CreateWebTwin) {
            TScriptedUiServices ui;
            TMemoryStream stream(cut);
            QVERIFY(!NewTwin(kind)->LoadFromStream(&stream));
            QCOMPARE(ui.Messages(), expected);
        }
    }

    // A stored RTF length that is negative or longer than the stream is refused before any
    // byte is taken.
    void richTextRefusesImpossibleLength_data()
    {
        QTest::addColumn<int>("length");
        QTest::newRow("negative") << -1;
        QTest::newRow("beyond the end") << 1000;
    }

    void richTextRefusesImpossibleLength()
    {
        QFETCH(int, length);
        TScriptedUiServices ui;
        TZvRichText rich;
        TMemoryStream stream(Int32Bytes(0) + Int32Bytes(length) + QByteArray::fromHex(kRtfHex));
        QVERIFY(!rich.LoadFromStream(&stream));
        QCOMPARE(ui.Messages(), QStringList{ExpectedStorageError(EBADMSG, 4070)});
        QCOMPARE(rich.Text(), QString());
    }

    void nullStreamGivesFalse_data() { AddKindRows(); }

    void nullStreamGivesFalse()
    {
        QFETCH(int, kind);
        TScriptedUiServices ui;
        std::unique_ptr<TControl> control = NewKindControl(kind);
        QVERIFY(!KindOf(control.get())->SaveToStream(nullptr));
        QVERIFY(!KindOf(control.get())->LoadFromStream(nullptr));
        if (ObjectKindInfo(TObjectType(kind)).CreateWebTwin)
            QVERIFY(!NewTwin(kind)->LoadFromStream(nullptr));
        QVERIFY(ui.Calls.isEmpty());
    }

    // ---- web twins ----

    void twinEndsWhereDesktopEnds_data() { AddTwinRows(); }

    void twinEndsWhereDesktopEnds()
    {
        QFETCH(int, kind);
        TScriptedUiServices ui;
        const QByteArray bytes = FixtureOf(kind) + FixtureOf(kind);
        TMemoryStream desktopStream(bytes);
        std::unique_ptr<TControl> control = NewKindControl(kind);
        QVERIFY(KindOf(control.get())->LoadFromStream(&desktopStream));
        TMemoryStream webStream(bytes);
        std::unique_ptr<TWebTwin> twin = NewTwin(kind);
        QVERIFY(twin->LoadFromStream(&webStream));
        QCOMPARE(webStream.Position(), desktopStream.Position());
        // The next record is read from the right place.
        QVERIFY(NewTwin(kind)->LoadFromStream(&webStream));
        QCOMPARE(webStream.Position(), bytes.size());
        QVERIFY(ui.Calls.isEmpty());
    }

    void webButtonKeepsCaptionAndFont()
    {
        TWebButton button;
        TMemoryStream stream(FixtureOf(otStandardButton));
        QVERIFY(button.LoadFromStream(&stream));
        QCOMPARE(button.Caption, QStringLiteral("&OK"));
        QCOMPARE(button.Font.Name, QStringLiteral("Arial"));
        QCOMPARE(button.Font.Color, clRed);
        QCOMPARE(button.Font.Size, 10);
        QCOMPARE(button.Font.Style, TFontStyles(fsBold | fsItalic));
    }

    void webLabelKeepsTextAndValues()
    {
        TWebLabel label;
        QVERIFY(label.AutoSize);
        TMemoryStream stream(FixtureOf(otSimpleText));
        QVERIFY(label.LoadFromStream(&stream));
        QCOMPARE(label.Caption, QStringLiteral("Tom & Jerry"));
        QCOMPARE(label.Font.Name, QStringLiteral("Arial"));
        QCOMPARE(label.Alignment, taCenter);
        QCOMPARE(label.Color, clYellow);
        QVERIFY(!label.AutoSize);
        QCOMPARE(label.StringValue, QStringLiteral("Price"));
        QCOMPARE(label.IntegerValue, -7);
        QCOMPARE(label.FloatValue, 2.5);
        QCOMPARE(label.DateTimeValue, 45000.75);
        QVERIFY(label.BooleanValue);
        QCOMPARE(label.ColorValue, clNone);
    }

    // A transparent simple text has no background on the page, whatever its Color holds.
    void webLabelBackground_data()
    {
        QTest::addColumn<bool>("transparent");
        QTest::addColumn<int>("expected");
        QTest::newRow("transparent") << true << int(clNone);
        QTest::newRow("opaque") << false << int(clYellow);
    }

    void webLabelBackground()
    {
        QFETCH(bool, transparent);
        QFETCH(int, expected);
        QByteArray bytes = FixtureOf(otSimpleText);
        const int transparentAt = int(QByteArray::fromHex("00000000" "0b000000").size()) + 22
                                  + int(QByteArray::fromHex(kArialFont).size()) + 2 + 4;
        QCOMPARE(bytes[transparentAt], '\0');
        bytes[transparentAt] = transparent ? 1 : 0;
        TWebLabel label;
        TMemoryStream stream(bytes);
        QVERIFY(label.LoadFromStream(&stream));
        QCOMPARE(label.Color, TColor(expected));
    }

    // The stored scroll style becomes the page memo's two scroll bar switches; a style the
    // page does not know leaves both as they were. bsNone hides the border.
    void webMemoScrollBarsAndBorder_data()
    {
        QTest::addColumn<int>("scrollBars");
        QTest::addColumn<int>("borderStyle");
        QTest::addColumn<bool>("horizontal");
        QTest::addColumn<bool>("vertical");
        QTest::addColumn<bool>("border");
        QTest::newRow("none, no border") << 0 << 0 << false << false << false;
        QTest::newRow("horizontal") << 1 << 1 << true << false << true;
        QTest::newRow("vertical") << 2 << 1 << false << true << true;
        QTest::newRow("both, no border") << 3 << 0 << true << true << false;
        QTest::newRow("unknown style") << 9 << 1 << false << true << true;
    }

    void webMemoScrollBarsAndBorder()
    {
        QFETCH(int, scrollBars);
        QFETCH(int, borderStyle);
        QFETCH(bool, horizontal);
        QFETCH(bool, vertical);
        QFETCH(bool, border);
        QByteArray bytes = FixtureOf(otMemo);
        // ScrollBars, Color (4 bytes), BorderStyle, TabStop end the record.
        const int scrollBarsAt = int(bytes.size()) - 7;
        QCOMPARE(bytes[scrollBarsAt], '\3');
        bytes[scrollBarsAt] = char(scrollBars);
        bytes[bytes.size() - 2] = char(borderStyle);
        TWebMemo memo;
        TMemoryStream stream(bytes);
        QVERIFY(memo.LoadFromStream(&stream));
        QCOMPARE(memo.HorizontalScrollBar, horizontal);
        QCOMPARE(memo.VerticalScrollBar, vertical);
        QCOMPARE(memo.BorderVisible, border);
        QCOMPARE(memo.Color, clLime);
        QCOMPARE(memo.Lines.Count(), 3);
        QCOMPARE(memo.Lines[2], QStringLiteral("Line 3"));
        QCOMPARE(memo.Font.Name, QStringLiteral("Arial"));
    }

    // Web pages read their records on worker threads: the twins touch no widget there, and a
    // failure shows no message box.
    void twinsReadOnWorkerThread()
    {
        TScriptedUiServices ui;
        bool labelRead = false;
        bool memoRead = false;
        bool refused = true;
        int32_t integerValue = 0;
        std::thread worker([&] {
            TWebLabel label;
            TMemoryStream labelStream(FixtureOf(otSimpleText));
            labelRead = label.LoadFromStream(&labelStream);
            integerValue = label.IntegerValue;
            TWebMemo memo;
            TMemoryStream memoStream(FixtureOf(otMemo));
            memoRead = memo.LoadFromStream(&memoStream);
            TWebButton button;
            TMemoryStream badStream(Int32Bytes(5));
            refused = !button.LoadFromStream(&badStream);
        });
        worker.join();
        QVERIFY(labelRead);
        QVERIFY(memoRead);
        QVERIFY(refused);
        QCOMPARE(integerValue, -7);
        QVERIFY(ui.Calls.isEmpty());
    }

    // ---- through the object record ----

    // write -> read into a fresh parent -> write gives the same bytes, for a new object and
    // for one holding the fixture's values.
    void objectRecordRoundTrip_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("withFixture");
        for (TObjectType kind : {otStandardButton, otSimpleText, otMemo, otRichText}) {
            const char *name = ObjectKindInfo(kind).ClassName;
            QTest::addRow("%s new", name) << int(kind) << false;
            QTest::addRow("%s fixture", name) << int(kind) << true;
        }
    }

    void objectRecordRoundTrip()
    {
        QFETCH(int, kind);
        QFETCH(bool, withFixture);
        TScriptedUiServices ui;
        TWinControl page;
        PZvObject object = NewZvObject();
        object->ObjectType = TObjectType(kind);
        object->ObjectName = QStringLiteral("Object1");
        object->Hint = QStringLiteral("tip");
        object->Left = 12;
        object->Top = 34;
        auto *action = new TZvAction;
        action->Command = ctDoCustomActions;
        action->Param1 = QStringLiteral("Other");
        object->OnMouseUpActions.Actions.append(action);
        QVERIFY(CreateObjectControl(object, &page, nullptr, nullptr));
        const TObjectKindInfo &info = ObjectKindInfo(TObjectType(kind));
        QCOMPARE(object->ObjectControl->Width(), info.DefaultWidth);
        QCOMPARE(object->ObjectControl->Height(), info.DefaultHeight);
        object->Width = object->ObjectControl->Width();
        object->Height = object->ObjectControl->Height();
        if (withFixture) {
            TMemoryStream fixture(FixtureOf(kind));
            QVERIFY(KindOf(object->ObjectControl)->LoadFromStream(&fixture));
        }

        TMemoryStream first;
        QVERIFY(WriteObjectRecord(&first, object, false));
        if (withFixture)
            QVERIFY(first.Bytes().contains(FixtureOf(kind)));

        TWinControl otherPage;
        PZvObject copy = NewZvObject();
        first.SetPosition(0);
        QVERIFY(ReadObjectRecord(&first, copy, &otherPage, nullptr, false));
        QCOMPARE(first.Position(), first.Size());
        QCOMPARE(copy->ObjectControl->metaObject()->className(), info.ClassName);
        QCOMPARE(copy->ObjectControl->parentWidget(), &otherPage);
        QCOMPARE(copy->ObjectControl->Left(), 12);
        if (auto *text = dynamic_cast<TZvSimpleText *>(copy->ObjectControl)) {
            // The callable list is the record's OnMouseUpActions.
            QCOMPARE(text->CustomActions(), &copy->OnMouseUpActions);
            QCOMPARE(text->CustomActions()->Actions.size(), 1);
            QCOMPARE(text->CustomActions()->Actions[0]->Param1, QStringLiteral("Other"));
            if (withFixture)
                QCOMPARE(text->IntegerValue, -7);
        }

        TMemoryStream second;
        QVERIFY(WriteObjectRecord(&second, copy, false));
        QCOMPARE(second.Bytes().toHex(), first.Bytes().toHex());
        QVERIFY2(ui.Calls.isEmpty(), qPrintable(ui.Messages().join('\n')));
        FreeZvObject(copy);
        FreeZvObject(object);
    }
};

QTEST_MAIN(TestStandardControlRecords)
#include "tst_standard_control_records.moc"
