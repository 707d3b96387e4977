#include <QtTest>

#include <cerrno>
#include <memory>

#include "support/kind_fixtures.h"
#include "support/record_fixtures.h"

#include "core/globals.h"
#include "core/object_records.h"
#include "core/project_model.h"
#include "objects/bevel.h"
#include "objects/group_box.h"
#include "objects/kind_control.h"
#include "objects/object_kinds.h"
#include "objects/panel.h"
#include "objects/scroll_box.h"
#include "objects/splitter.h"
#include "objects/tab_notebook.h"
#include "platform/rtl/streams.h"
#include "platform/scripted_ui_services.h"
#include "platform/vcl/scrollbox.h"
#include "runtime/object_control_creation.h"

namespace {

// Picture record: "TBitmap" holding a 1 x 1 24-bit BMP file of one red pixel.
const QByteArray kRedBitmap = "07000000" "5400420069007400" "6d0061007000" // "TBitmap"
                              "3a000000"                                    // 58 bytes
                              "424d" "3a000000" "00000000" "36000000"       // file header
                              "28000000" "01000000" "01000000" "0100" "1800" // info header
                              "00000000" "04000000" "130b0000" "130b0000" "00000000" "00000000"
                              "0000ff00";                                    // the pixel, padded

const QByteArray kFaceHex = "00000000"                   // face version
                            + kRedBitmap                 // Picture
                            + "05000000" "480065006c006c006f00" // Caption "Hello"
                              "00"                       // taLeftJustify
                              "02"                       // tlBottom
                              "01"                       // psCenter
                              "06"                       // gsMiddleLeftRight
                              "ff000000"                 // GradientColor clRed
                              "02"                       // pbbFrame
                              "01"                       // pbbsLowered
                              "ffff0000"                 // HighlightColor clYellow
                              "00008000";                // ShadowColor clNavy

const QByteArray kPanelHex = "00000000"    // version
                             + kFaceHex    //
                             + "00ffff00"  // Color clAqua
                               "01"        // bsSingle
                             + kArialFont;

const QByteArray kNotebookTail = kArialFont  // Font of the page control
                                 + "ffff0000" // Color clYellow
                                   "18000000" // ImageList.Width 24
                                   "14000000" // ImageList.Height 20
                                   "01000000" // DefaultActivePageIndex 1
                                   "00";      // TabStop

const QByteArray kNotebookV1Hex = "01000000"   // version
                                  "01"         // tpBottom
                                  "80000000"   // TabWidth 128
                                  "1e000000"   // TabHeight 30
                                  + kNotebookTail;

const QByteArray kNotebookV0Hex = "00000000" + kNotebookTail;

const QByteArray kSheetHex = "00000000"                            // version
                             "05000000" "53006800650065007400"     // Caption "Sheet"
                             + kRedBitmap;                         // Icon

const QByteArray kGroupBoxHex = "00000000"                     // version
                                "03000000" "42006f007800"      // Caption "Box"
                                + kArialFont                   //
                                + "00ff0000";                  // Color clLime

const QByteArray kScrollBoxHex = "00000000"  // version
                                 "c0c0c000"  // Color clSilver
                                 "00"        // bsNone
                                 + kArialFont;

const QByteArray kSplitterHex = "00000000"  // version
                                "00"        // AutoSnap
                                "01"        // Beveled
                                "80808000"  // Color clGray
                                "0c000000"  // MinSize 12
                                "01";       // rsLine

const QByteArray kBevelHex = "00000000"  // version
                             "01"        // bsRaised
                             "03"        // bsBottomLine
                             "ff000000"  // FHighlightColor clRed
                             "0000ff00"; // FShadowColor clBlue

QByteArray FixtureOf(int kind)
{
    switch (kind) {
    case otPanel:
        return QByteArray::fromHex(kPanelHex);
    case otTabNotebook:
        return QByteArray::fromHex(kNotebookV1Hex);
    case otTabSheet:
        return QByteArray::fromHex(kSheetHex);
    case otGroupBox:
        return QByteArray::fromHex(kGroupBoxHex);
    case otScrollBox:
        return QByteArray::fromHex(kScrollBoxHex);
    case otSplitter:
        return QByteArray::fromHex(kSplitterHex);
    case otBevel:
        return QByteArray::fromHex(kBevelHex);
    default:
        return QByteArray();
    }
}

void AddKindRows()
{
    QTest::addColumn<int>("kind");
    QTest::newRow("panel") << int(otPanel);
    QTest::newRow("tab notebook") << int(otTabNotebook);
    QTest::newRow("tab sheet") << int(otTabSheet);
    QTest::newRow("group box") << int(otGroupBox);
    QTest::newRow("scroll box") << int(otScrollBox);
    QTest::newRow("splitter") << int(otSplitter);
    QTest::newRow("bevel") << int(otBevel);
}

} // namespace

class TestContainerRecords : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        DesignerMode = false;
        DesignerPreview = false;
    }

    // ---- the table ----

    void kindsAreRegistered_data() { AddKindRows(); }

    void kindsAreRegistered()
    {
        QFETCH(int, kind);
        const TObjectKindInfo &info = ObjectKindInfo(TObjectType(kind));
        QVERIFY(info.CreateControl);
        std::unique_ptr<TControl> control(info.CreateControl());
        QCOMPARE(control->metaObject()->className(), info.ClassName);
        QVERIFY(KindOf(control.get()));
        QCOMPARE(bool(info.CreateWebTwin), kind == otBevel);
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

    void panelFixtureFields()
    {
        TZvPanel panel;
        TMemoryStream stream(FixtureOf(otPanel));
        QVERIFY(panel.LoadFromStream(&stream));
        const TPanelBack *face = panel.PanelBack();
        QVERIFY(face->Picture().Graphic());
        QCOMPARE(face->Picture().Graphic()->ClassName(), QStringLiteral("TBitmap"));
        QCOMPARE(face->Picture().Graphic()->Image().pixel(0, 0), qRgb(255, 0, 0));
        QCOMPARE(face->Caption(), QStringLiteral("Hello"));
        QCOMPARE(face->Alignment(), taLeftJustify);
        QCOMPARE(face->Layout(), tlBottom);
        QCOMPARE(face->BackImageStyle(), psCenter);
        QCOMPARE(face->GradientStyle(), gsMiddleLeftRight);
        QCOMPARE(face->GradientColor(), clRed);
        QCOMPARE(face->Border(), pbbFrame);
        QCOMPARE(face->BorderStyle(), pbbsLowered);
        QCOMPARE(face->HighlightColor(), clYellow);
        QCOMPARE(face->ShadowColor(), clNavy);
        QCOMPARE(panel.Color(), clAqua);
        QCOMPARE(panel.BorderStyle(), bsSingle);
        QCOMPARE(panel.Font().Name, QStringLiteral("Arial"));
        QCOMPARE(panel.Font().Style, TFontStyles(fsBold | fsItalic));
        // The face follows the panel's font and keeps covering its client area.
        QCOMPARE(face->Font().Name, QStringLiteral("Arial"));
        QCOMPARE(face->BoundsRect(), panel.ClientRect());
    }

    void panelDefaults()
    {
        TZvPanel panel;
        const TPanelBack *face = panel.PanelBack();
        QCOMPARE(panel.Width(), 193);
        QCOMPARE(panel.Height(), 193);
        QCOMPARE(panel.Constraints().MinWidth(), 1);
        QCOMPARE(panel.Constraints().MinHeight(), 1);
        QCOMPARE(panel.BorderStyle(), bsNone);
        QVERIFY(!panel.AutoScroll());
        QVERIFY(panel.DoubleBuffered());
        QVERIFY(face->ShowHint());
        QVERIFY(!face->Picture().Graphic());
        QCOMPARE(face->Caption(), QStringLiteral("Panel"));
        QCOMPARE(face->Alignment(), taCenter);
        QCOMPARE(face->Layout(), tlCenter);
        QCOMPARE(face->BackImageStyle(), psStretch);
        QCOMPARE(face->GradientStyle(), gsNone);
        QCOMPARE(face->GradientColor(), 0);
        QCOMPARE(face->Border(), pbbBox);
        QCOMPARE(face->BorderStyle(), pbbsRaised);
        QCOMPARE(face->HighlightColor(), clBtnHighlight);
        QCOMPARE(face->ShadowColor(), clBtnShadow);
        QVERIFY(!face->PaintGrid());
        QVERIFY(!face->BmpForGrid());
        QCOMPARE(face->BoundsRect(), TRect(0, 0, 193, 193));
    }

    void notebookFixtureFields()
    {
        TZvTabNotebook notebook;
        TMemoryStream stream(FixtureOf(otTabNotebook));
        QVERIFY(notebook.LoadFromStream(&stream));
        const TPageControl *pages = notebook.PageControl();
        QCOMPARE(pages->TabPosition(), tpBottom);
        QCOMPARE(pages->TabWidth(), int16_t(128));
        QCOMPARE(pages->TabHeight(), int16_t(30));
        QCOMPARE(pages->Font().Name, QStringLiteral("Arial"));
        QCOMPARE(notebook.Color(), clYellow);
        QCOMPARE(notebook.ImageList()->Width(), 24);
        QCOMPARE(notebook.ImageList()->Height(), 20);
        QCOMPARE(notebook.DefaultActivePageIndex, 1);
        QVERIFY(!pages->TabStop());
    }

    // A version-0 record has no tab position and sizes: they keep their defaults, and the
    // record is written back as version 1 with them.
    void notebookVersion0KeepsTabDefaults()
    {
        TScriptedUiServices ui;
        TZvTabNotebook notebook;
        const QByteArray fixture = QByteArray::fromHex(kNotebookV0Hex);
        TMemoryStream stream(fixture + "tail");
        QVERIFY(notebook.LoadFromStream(&stream));
        QCOMPARE(stream.Position(), fixture.size());
        QCOMPARE(notebook.PageControl()->TabPosition(), tpTop);
        QCOMPARE(notebook.PageControl()->TabWidth(), int16_t(0));
        QCOMPARE(notebook.PageControl()->TabHeight(), int16_t(0));
        QCOMPARE(notebook.DefaultActivePageIndex, 1);
        const QByteArray expected = QByteArray::fromHex("01000000" "00" "00000000" "00000000" + kNotebookTail);
        QCOMPARE(KindRecordBytes(&notebook).toHex(), expected.toHex());
        QVERIFY(ui.Calls.isEmpty());
    }

    // Tab sizes are 16-bit: a stored 0x00018000 becomes -32768 and is written back so.
    void notebookTabSizesAreCutTo16Bits()
    {
        TZvTabNotebook notebook;
        QByteArray fixture = FixtureOf(otTabNotebook);
        fixture.replace(5, 4, Int32Bytes(0x00018000));
        TMemoryStream stream(fixture);
        QVERIFY(notebook.LoadFromStream(&stream));
        QCOMPARE(notebook.PageControl()->TabWidth(), int16_t(-32768));
        QCOMPARE(KindRecordBytes(&notebook).mid(5, 4).toHex(), Int32Bytes(-32768).toHex());
    }

    void sheetGroupScrollSplitterBevelFields()
    {
        TZvTabSheet sheet;
        TMemoryStream sheetStream(FixtureOf(otTabSheet));
        QVERIFY(sheet.LoadFromStream(&sheetStream));
        QCOMPARE(sheet.Caption(), QStringLiteral("Sheet"));
        QCOMPARE(sheet.Icon().Graphic()->Image().pixel(0, 0), qRgb(255, 0, 0));

        TZvGroupBox box;
        TMemoryStream boxStream(FixtureOf(otGroupBox));
        QVERIFY(box.LoadFromStream(&boxStream));
        QCOMPARE(box.Caption(), QStringLiteral("Box"));
        QCOMPARE(box.Font().Name, QStringLiteral("Arial"));
        QCOMPARE(box.Color(), clLime);

        TZvScrollBox scroll;
        TMemoryStream scrollStream(FixtureOf(otScrollBox));
        QVERIFY(scroll.LoadFromStream(&scrollStream));
        QCOMPARE(scroll.Color(), clSilver);
        QCOMPARE(scroll.BorderStyle(), bsNone);
        QCOMPARE(scroll.Font().Size, 10);

        TZvSplitter splitter;
        TMemoryStream splitterStream(FixtureOf(otSplitter));
        QVERIFY(splitter.LoadFromStream(&splitterStream));
        QVERIFY(!splitter.AutoSnap());
        QVERIFY(splitter.Beveled());
        QCOMPARE(splitter.Color(), clGray);
        QCOMPARE(splitter.MinSize(), 12);
        QCOMPARE(splitter.ResizeStyle(), rsLine);

        TZvBevel bevel;
        TMemoryStream bevelStream(FixtureOf(otBevel));
        QVERIFY(bevel.LoadFromStream(&bevelStream));
        QCOMPARE(bevel.Style(), bsRaised);
        QCOMPARE(bevel.Shape(), bsBottomLine);
        QCOMPARE(bevel.FHighlightColor, clRed);
        QCOMPARE(bevel.FShadowColor, clBlue);
    }

    void constructorDefaults()
    {
        TZvTabNotebook notebook;
        QCOMPARE(QSize(notebook.Width(), notebook.Height()), QSize(289, 193));
        QCOMPARE(notebook.Constraints().MinWidth(), 1);
        QCOMPARE(notebook.BorderStyle(), bsNone);
        QVERIFY(!notebook.AutoScroll());
        QVERIFY(!notebook.TabStop());
        QVERIFY(notebook.DoubleBuffered());
        QVERIFY(notebook.PageControl()->ShowHint());
        QCOMPARE(notebook.PageControl()->Align(), alClient);
        QCOMPARE(notebook.PageControl()->Images(), notebook.ImageList());
        QCOMPARE(notebook.DefaultActivePageIndex, 0);

        TZvTabSheet sheet;
        QVERIFY(sheet.ShowHint());
        QVERIFY(!sheet.Icon().Graphic());

        TZvGroupBox box;
        QCOMPARE(QSize(box.Width(), box.Height()), QSize(193, 193));
        QCOMPARE(box.Constraints().MinHeight(), 1);
        QVERIFY(box.ShowHint());

        TZvScrollBox scroll;
        QCOMPARE(QSize(scroll.Width(), scroll.Height()), QSize(289, 193));
        QVERIFY(scroll.AutoScroll());
        QVERIFY(scroll.HorzScrollBar().Smooth() && scroll.HorzScrollBar().Tracking());
        QVERIFY(scroll.VertScrollBar().Smooth() && scroll.VertScrollBar().Tracking());

        TZvSplitter splitter;
        QCOMPARE(splitter.Width(), 5);
        QCOMPARE(splitter.ResizeStyle(), rsUpdate);
        QCOMPARE(splitter.MinSize(), 1);
        QCOMPARE(splitter.Constraints().MinWidth(), 1);

        TZvBevel bevel;
        QCOMPARE(QSize(bevel.Width(), bevel.Height()), QSize(193, 193));
        QCOMPARE(bevel.Style(), bsLowered);
        QCOMPARE(bevel.Shape(), bsBox);
        QCOMPARE(bevel.FHighlightColor, clBtnHighlight);
        QCOMPARE(bevel.FShadowColor, clBtnShadow);
        QVERIFY(bevel.ShowHint());
    }

    // Editing the page turns off the notebook's double buffering and the scroll box's
    // scrolling.
    void editedPageSettings()
    {
        DesignerMode = true;
        TZvTabNotebook notebook;
        TZvScrollBox scroll;
        QVERIFY(!notebook.DoubleBuffered());
        QVERIFY(!scroll.AutoScroll());
        DesignerPreview = true;
        TZvTabNotebook previewNotebook;
        TZvScrollBox previewScroll;
        QVERIFY(previewNotebook.DoubleBuffered());
        QVERIFY(previewScroll.AutoScroll());
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
        const int refused = ObjectKindInfo(TObjectType(kind)).VersionWritten + 1;

        TMemoryStream stream(Int32Bytes(refused) + FixtureOf(kind).mid(4));
        QVERIFY(!record->LoadFromStream(&stream));
        QCOMPARE(stream.Position(), 4);
        QCOMPARE(ui.Messages(), QStringList{kVersionMessage});
        QCOMPARE(KindRecordBytes(record).toHex(), defaults.toHex());
    }

    // A face record of another version stops the panel's reading before its colour,
    // border and font: one message, and the panel keeps its defaults.
    void refusedFaceVersionStopsPanel()
    {
        TScriptedUiServices ui;
        TZvPanel panel;
        const QByteArray defaults = KindRecordBytes(&panel);
        QByteArray fixture = FixtureOf(otPanel);
        fixture.replace(4, 4, Int32Bytes(1));
        TMemoryStream stream(fixture);
        QVERIFY(!panel.LoadFromStream(&stream));
        QCOMPARE(stream.Position(), 8);
        QCOMPARE(ui.Messages(), QStringList{kVersionMessage});
        QCOMPARE(KindRecordBytes(&panel).toHex(), defaults.toHex());
    }

    // A record cut short is reported with the place code of the part that was reading: the
    // face's own code inside the face, the panel's after it.
    void cutShortRecordReportsPlaceCode_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("placeCode");
        const int faceEnd = 4 + QByteArray::fromHex(kFaceHex).size();
        QTest::newRow("panel face") << int(otPanel) << faceEnd - 2 << 4088;
        QTest::newRow("panel colour") << int(otPanel) << faceEnd + 2 << 4090;
        QTest::newRow("tab notebook") << int(otTabNotebook) << 7 << 4086;
        QTest::newRow("group box") << int(otGroupBox) << FixtureOf(otGroupBox).size() - 1 << 4082;
        QTest::newRow("scroll box") << int(otScrollBox) << 6 << 4068;
        QTest::newRow("splitter") << int(otSplitter) << FixtureOf(otSplitter).size() - 1 << 4080;
        QTest::newRow("bevel") << int(otBevel) << FixtureOf(otBevel).size() - 1 << 4066;
    }

    void cutShortRecordReportsPlaceCode()
    {
        QFETCH(int, kind);
        QFETCH(int, length);
        QFETCH(int, placeCode);
        TScriptedUiServices ui;
        std::unique_ptr<TControl> control = NewKindControl(kind);
        TMemoryStream stream(FixtureOf(kind).left(length));
        QVERIFY(!KindOf(control.get())->LoadFromStream(&stream));
        QCOMPARE(ui.Messages(), QStringList{ExpectedStorageError(ENODATA, placeCode)});
    }

    void nullStreamGivesFalse_data() { AddKindRows(); }

    void nullStreamGivesFalse()
    {
        QFETCH(int, kind);
        TScriptedUiServices ui;
        std::unique_ptr<TControl> control = NewKindControl(kind);
        QVERIFY(!KindOf(control.get())->SaveToStream(nullptr));
        QVERIFY(!KindOf(control.get())->LoadFromStream(nullptr));
        QVERIFY(ui.Calls.isEmpty());
    }

    // ---- web twin ----

    void webBevelEndsWhereDesktopEnds()
    {
        TScriptedUiServices ui;
        const QByteArray bytes = FixtureOf(otBevel) + FixtureOf(otBevel);
        TMemoryStream desktopStream(bytes);
        TZvBevel bevel;
        QVERIFY(bevel.LoadFromStream(&desktopStream));
        QCOMPARE(desktopStream.Position(), 14);

        TMemoryStream webStream(bytes);
        std::unique_ptr<TWebTwin> twin(ObjectKindInfo(otBevel).CreateWebTwin());
        QVERIFY(dynamic_cast<TWebBevel *>(twin.get()));
        QVERIFY(twin->LoadFromStream(&webStream));
        QCOMPARE(webStream.Position(), desktopStream.Position());
        QVERIFY(TWebBevel().LoadFromStream(&webStream));
        QCOMPARE(webStream.Position(), bytes.size());
        QVERIFY(ui.Calls.isEmpty());
    }

    void webBevelRefusesVersion()
    {
        TScriptedUiServices ui;
        TWebBevel twin;
        TMemoryStream stream(Int32Bytes(1) + FixtureOf(otBevel).mid(4));
        QVERIFY(!twin.LoadFromStream(&stream));
        QCOMPARE(stream.Position(), 4);
        QCOMPARE(ui.Messages(), QStringList{kVersionMessage});

        TMemoryStream cut(FixtureOf(otBevel).left(9));
        QVERIFY(!twin.LoadFromStream(&cut));
        QCOMPARE(ui.Messages().last(), ExpectedStorageError(ENODATA, 4066));
    }

    // ---- through the object record ----

    // A panel holding a notebook of two sheets, the first with a group box and a scroll box,
    // the second with a splitter and a bevel: written, read into a fresh page and written
    // again, byte for byte the same.
    void objectTreeRoundTrip()
    {
        TScriptedUiServices ui;
        TScrollBox host;
        host.SetBounds(0, 0, 640, 480);

        PZvObject page = NewZvObject();
        page->ObjectType = otPanel;
        page->ObjectName = QStringLiteral("Page");
        QVERIFY(CreateObjectControl(page, &host, nullptr, nullptr));
        auto *panel = static_cast<TZvPanel *>(page->ObjectControl);
        panel->SetBounds(0, 0, 600, 400);
        panel->SetColor(clCream);
        panel->PanelBack()->SetCaption(QStringLiteral("Welcome"));
        panel->PanelBack()->SetGradientStyle(gsLeftRight);
        panel->PanelBack()->SetGradientColor(clSkyBlue);

        PZvObject book = AddKindObject(page, otTabNotebook, QStringLiteral("Book"), 16, 24);
        auto *notebook = static_cast<TZvTabNotebook *>(book->ObjectControl);
        notebook->DefaultActivePageIndex = 1;
        PZvObject first = AddKindObject(book, otTabSheet, QStringLiteral("First"), 0, 0);
        PZvObject second = AddKindObject(book, otTabSheet, QStringLiteral("Second"), 0, 0);
        static_cast<TZvTabSheet *>(first->ObjectControl)->SetCaption(QStringLiteral("One"));
        static_cast<TZvTabSheet *>(second->ObjectControl)->SetCaption(QStringLiteral("Two"));
        static_cast<TZvTabSheet *>(second->ObjectControl)->Icon().SetGraphic(TBitmap::FromImage(SampleImage()));
        notebook->AfterChildrenLoaded();

        PZvObject group = AddKindObject(first, otGroupBox, QStringLiteral("Group"), 8, 8);
        static_cast<TZvGroupBox *>(group->ObjectControl)->SetCaption(QStringLiteral("Options"));
        PZvObject scroll = AddKindObject(first, otScrollBox, QStringLiteral("Scroll"), 210, 8);
        static_cast<TZvScrollBox *>(scroll->ObjectControl)->SetColor(clMoneyGreen);
        PZvObject split = AddKindObject(second, otSplitter, QStringLiteral("Split"), 40, 0);
        static_cast<TZvSplitter *>(split->ObjectControl)->SetBeveled(true);
        PZvObject bevel = AddKindObject(second, otBevel, QStringLiteral("Rule"), 60, 30);
        static_cast<TZvBevel *>(bevel->ObjectControl)->SetShape(bsTopLine);

        const QByteArray written = ObjectRecordBytes(page);
        QVERIFY(!written.startsWith("write failed"));

        TScrollBox freshHost;
        freshHost.SetBounds(0, 0, 640, 480);
        PZvObject fresh = NewZvObject();
        TMemoryStream stream(written);
        QVERIFY(ReadObjectRecord(&stream, fresh, &freshHost, nullptr, false));
        QCOMPARE(stream.Position(), written.size());
        QCOMPARE(ObjectRecordBytes(fresh).toHex(), written.toHex());
        QVERIFY(ui.Calls.isEmpty());

        // The sheets joined the page control of the new notebook, and their children lie
        // in them.
        QCOMPARE(fresh->Objects.size(), 1);
        PZvObject freshBook = fresh->Objects[0];
        auto *freshNotebook = dynamic_cast<TZvTabNotebook *>(freshBook->ObjectControl);
        QVERIFY(freshNotebook);
        QCOMPARE(freshNotebook->PageControl()->PageCount(), 2);
        QCOMPARE(freshNotebook->PageControl()->Pages(1), freshBook->Objects[1]->ObjectControl);
        QCOMPARE(freshNotebook->PageControl()->ActivePageIndex(), 1);
        QCOMPARE(freshBook->Objects[0]->Objects[1]->ObjectControl->Parent(), freshBook->Objects[0]->ObjectControl);
        QCOMPARE(dynamic_cast<TZvBevel *>(freshBook->Objects[1]->Objects[1]->ObjectControl)->Shape(), bsTopLine);

        FreeZvObject(fresh);
        FreeZvObject(page);
    }
};

QTEST_MAIN(TestContainerRecords)
#include "tst_container_records.moc"
