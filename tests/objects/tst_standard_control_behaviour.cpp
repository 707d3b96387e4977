#include <QPushButton>
#include <QtEndian>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QtTest>

#include <memory>

#include "support/kind_fixtures.h"
#include "support/record_fixtures.h"
#include "support/test_files.h"

#include "core/globals.h"
#include "core/project_model.h"
#include "objects/kind_control.h"
#include "objects/memo.h"
#include "objects/object_kinds.h"
#include "objects/rich_text.h"
#include "objects/simple_text.h"
#include "objects/standard_button.h"
#include "platform/richtext/rtf_reader.h"
#include "platform/rtl/datetime.h"
#include "platform/rtl/streams.h"
#include "platform/scripted_ui_services.h"
#include "platform/vcl/cursors.h"
#include "runtime/object_control_creation.h"

namespace {

// What follows the content in a rich text record: font record ("Arial", clRed, 10 pt,
// DEFAULT_CHARSET, bold and italic), taCenter, no word wrap, RTF, ssBoth, clAqua, bsNone,
// tab stop.
const QByteArray kRichTextTail = QByteArray::fromHex(kArialFont + "02" "00" "00" "03" "00ffff00" "00" "01");

QByteArray RichTextRecord(const QByteArray &content)
{
    return Int32Bytes(0) + Int32Bytes(int32_t(content.size())) + content + kRichTextTail;
}

// The content bytes of a rich text record.
QByteArray ContentOf(const QByteArray &record)
{
    const int32_t length = qFromLittleEndian<int32_t>(record.constData() + 4);
    return record.mid(8, length);
}

const QColor kFrameGray(0x80, 0x80, 0x80);

} // namespace

class TestStandardControlBehaviour : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        DesignerMode = false;
        DesignerPreview = false;
        RunProject.ApplicationType = atNormal;
    }

    void cleanup()
    {
        DesignerMode = false;
        DesignerPreview = false;
    }

    // ---- construction ----

    void constructorConventions_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("button") << int(otStandardButton);
        QTest::newRow("simple text") << int(otSimpleText);
        QTest::newRow("memo") << int(otMemo);
        QTest::newRow("rich text") << int(otRichText);
    }

    void constructorConventions()
    {
        QFETCH(int, kind);
        const TObjectKindInfo &info = ObjectKindInfo(TObjectType(kind));
        TWinControl page;
        std::unique_ptr<TControl> control(info.CreateControl());
        control->SetParent(&page);
        QCOMPARE(control->Width(), info.DefaultWidth);
        QCOMPARE(control->Height(), info.DefaultHeight);
        QCOMPARE(control->Constraints().MinWidth(), 1);
        QCOMPARE(control->Constraints().MinHeight(), 1);
        QVERIFY(control->ShowHint());
        QCOMPARE(control->ZvObject, nullptr);
        control->SetBounds(5, 5, 0, 0);
        QCOMPARE(control->Width(), 1);
        QCOMPARE(control->Height(), 1);
    }

    void kindSettings()
    {
        const TDateTime before = Now();
        TZvSimpleText text;
        const TDateTime after = Now();
        QVERIFY(!text.AutoSize());
        QVERIFY(!text.ShowAccelChar());
        QVERIFY(text.WordWrap());
        QVERIFY(text.Transparent());
        QVERIFY(text.StringValue.isEmpty());
        QCOMPARE(text.IntegerValue, 0);
        QCOMPARE(text.FloatValue, 0.0);
        QVERIFY(text.DateTimeValue >= before && text.DateTimeValue <= after);
        QVERIFY(!text.BooleanValue);
        QCOMPARE(text.ColorValue, clNone);
        QCOMPARE(text.CustomActions(), nullptr);

        TZvMemo memo;
        QCOMPARE(memo.Cursor(), crArrow);
        QCOMPARE(memo.ScrollBars(), ssVertical);
        QVERIFY(memo.WordWrap());
        QVERIFY(!memo.ReadOnly());

        TZvRichText rich;
        QCOMPARE(rich.Cursor(), crArrow);
        QVERIFY(rich.ReadOnly());
        QVERIFY(!rich.TabStop());
        QCOMPARE(rich.ScrollBars(), ssVertical);
        QVERIFY(!rich.PlainText());
    }

    // Changing a value of the variable leaves the caption as it is.
    void valuesDoNotTouchCaption()
    {
        TZvSimpleText text;
        text.SetCaption(QStringLiteral("Count"));
        text.IntegerValue = 42;
        text.StringValue = QStringLiteral("x");
        QCOMPARE(text.Caption(), QStringLiteral("Count"));
    }

    // ---- the simple text's design frame ----

    // A dotted frame (three pixels drawn, three skipped, from the top-left corner) in the
    // design frame colour, drawn over the label's own painting, only while the page is
    // edited.
    void simpleTextDesignFrame_data()
    {
        QTest::addColumn<bool>("designer");
        QTest::addColumn<bool>("preview");
        QTest::addColumn<bool>("transparent");
        QTest::addColumn<bool>("frame");
        QTest::newRow("edited page") << true << false << true << true;
        QTest::newRow("edited page, opaque label") << true << false << false << true;
        QTest::newRow("designer preview") << true << true << true << false;
        QTest::newRow("built program") << false << false << true << false;
    }

    void simpleTextDesignFrame()
    {
        QFETCH(bool, designer);
        QFETCH(bool, preview);
        QFETCH(bool, transparent);
        QFETCH(bool, frame);
        DesignerMode = designer;
        DesignerPreview = preview;
        TWinControl page;
        page.SetBounds(0, 0, 200, 100);
        page.SetColor(clWhite);
        TZvSimpleText text(&page);
        text.SetBounds(10, 10, 97, 17);
        text.SetTransparent(transparent);
        text.SetColor(clRed);
        const QImage image = page.grab().toImage();

        const QColor background = transparent ? QColor(Qt::white) : QColor(Qt::red);
        const QColor edge = frame ? kFrameGray : background;
        QCOMPARE(image.pixelColor(10, 10), edge);            // top-left corner, first dot
        QCOMPARE(image.pixelColor(12, 10), edge);            // third pixel of the dot
        QCOMPARE(image.pixelColor(13, 10), background);      // the gap
        QCOMPARE(image.pixelColor(16, 10), edge);            // the next dot
        QCOMPARE(image.pixelColor(10, 12), edge);            // left side, coming back up
        QCOMPARE(image.pixelColor(60, 18), background);      // inside
        QCOMPARE(image.pixelColor(9, 9), QColor(Qt::white)); // outside
        QCOMPARE(image.pixelColor(107, 27), QColor(Qt::white));
    }

    // ---- the button ----

    void buttonClickThroughWidgets()
    {
        TScriptedUiServices ui;
        TWinControl page;
        page.SetBounds(0, 0, 300, 200);
        page.show();
        PZvObject object = NewZvObject();
        object->ObjectType = otStandardButton;
        object->Left = 20;
        object->Top = 30;
        QVERIFY(CreateObjectControl(object, &page, nullptr, nullptr));
        auto *button = dynamic_cast<TZvStandardButton *>(object->ObjectControl);
        QVERIFY(button);
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        button->SetCaption(QStringLiteral("Go"));
        QCOMPARE(button->Button()->text(), QStringLiteral("Go"));

        QList<QObject *> clicks;
        QList<QString> events;
        button->OnClick = [&](QObject *sender) { clicks << sender; };
        button->OnMouseEnter = [&](QObject *sender) { events << (sender == button ? "enter" : "enter?"); };
        button->OnMouseLeave = [&](QObject *sender) { events << (sender == button ? "leave" : "leave?"); };
        QTest::mouseClick(button->Button(), Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
        QCOMPARE(clicks, QList<QObject *>{button});

        QEnterEvent enter(QPointF(3, 3), QPointF(3, 3), QPointF(23, 33));
        QApplication::sendEvent(button, &enter);
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(button, &leave);
        QCOMPARE(events, (QList<QString>{"enter", "leave"}));
        QVERIFY(ui.Calls.isEmpty());
        FreeZvObject(object);
    }

    // ---- the rich text ----

    // Real-world RTF as it was stored comes back byte for byte, although the fields after it
    // (font, alignment, colour, word wrap) were applied to the control.
    void unchangedRtfWrittenBack_data()
    {
        QTest::addColumn<QString>("file");
        QTest::newRow("office suite letter") << QStringLiteral("libreoffice_letter.rtf");
        QTest::newRow("old rich edit") << QStringLiteral("richedit_old.rtf");
        QTest::newRow("word pad notes") << QStringLiteral("wordpad_notes.rtf");
    }

    void unchangedRtfWrittenBack()
    {
        QFETCH(QString, file);
        TScriptedUiServices ui;
        const QByteArray rtf = ReadFileBytes(QStringLiteral(ZV_TEST_DATA_DIR "/rtf/") + file);
        QVERIFY(!rtf.isEmpty());
        const QByteArray record = RichTextRecord(rtf);
        TZvRichText rich;
        TMemoryStream stream(record);
        QVERIFY(rich.LoadFromStream(&stream));
        QVERIFY(!rich.Text().isEmpty());
        QCOMPARE(KindRecordBytes(&rich).toHex(), record.toHex());
        QVERIFY(ui.Calls.isEmpty());
    }

    // An edited content is written as new RTF that reads back to the edited text and
    // formatting; the record's length field matches it.
    void editedContentWrittenAsRtf()
    {
        TScriptedUiServices ui;
        const QByteArray original = "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 Hi\\par}";
        TZvRichText rich;
        TMemoryStream stream(RichTextRecord(original));
        QVERIFY(rich.LoadFromStream(&stream));

        QTextCursor cursor(rich.Editor()->document());
        cursor.movePosition(QTextCursor::End);
        QTextCharFormat bold;
        bold.setFontWeight(QFont::Bold);
        cursor.insertText(QStringLiteral(" there \u00e9\u4e2d"), bold);

        const QByteArray record = KindRecordBytes(&rich);
        const QByteArray content = ContentOf(record);
        QVERIFY(content != original);
        QVERIFY(IsRtf(content));
        QCOMPARE(record.size(), 8 + content.size() + kRichTextTail.size());
        QCOMPARE(record.mid(8 + content.size()).toHex(), kRichTextTail.toHex());

        QTextDocument reread;
        QVERIFY(ReadRtf(content, reread));
        QCOMPARE(reread.toPlainText(), QStringLiteral("Hi there \u00e9\u4e2d"));
        QTextCursor probe(&reread);
        probe.setPosition(5);
        QCOMPARE(probe.charFormat().fontWeight(), int(QFont::Bold));
        probe.setPosition(1);
        QVERIFY(probe.charFormat().fontWeight() != int(QFont::Bold));

        // The rewritten record loads into another object with the same text.
        TZvRichText other;
        TMemoryStream again(record);
        QVERIFY(other.LoadFromStream(&again));
        QCOMPARE(other.Text(), QStringLiteral("Hi there \u00e9\u4e2d"));
        QVERIFY(ui.Calls.isEmpty());
    }

    // A new rich text stores an RTF document, not zero bytes.
    void newRichTextStoresRtf()
    {
        TZvRichText rich;
        const QByteArray content = ContentOf(KindRecordBytes(&rich));
        QVERIFY(IsRtf(content));
        QTextDocument reread;
        QVERIFY(ReadRtf(content, reread));
        QCOMPARE(reread.toPlainText(), QString());
    }
};

QTEST_MAIN(TestStandardControlBehaviour)
#include "tst_standard_control_behaviour.moc"
