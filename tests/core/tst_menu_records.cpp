#include <QtTest>

#include "support/record_fixtures.h"

#include "core/action_records.h"
#include "core/menu_records.h"
#include "core/project_model.h"
#include "core/stream_primitives.h"
#include "platform/graphics/picture.h"
#include "platform/rtl/streams.h"
#include "platform/scripted_ui_services.h"
#include "platform/vcl/menus.h"
#include "platform/vcl/statusbar.h"

namespace {

const QChar kMark(1);

// "&File" (no hint, enabled, visible) with one sub-item "Open": hint "Go" + U+0001 + "A",
// short cut Ctrl+O, radio item in group 3, checked, auto-check, default.
const QByteArray kMenuHex = "00000000" "05000000" "260046006900" "6c006500" "00000000"
                            "0000" "00" "00" "01" "00" "00" "00" "01"
                            "00000000"
                            "01000000"
                            "00000000" "04000000" "4f00700065006e00" "04000000" "47006f00" "01004100"
                            "4f40" "01" "03" "01" "01" "01" "01" "01"
                            "00000000"
                            "00000000";

// taCenter, "Ready", width 120.
const QByteArray kPanelHex = "00000000" "02" "05000000" "5200650061006400" "7900" "78000000";

QByteArray MenuItemBytes(const TMenuItem *item)
{
    return WrittenBytes([&](TStream *stream) { return WriteMenuItem(stream, item); });
}

PZvAction NewAction(TCommandType command, const QString &param1, int32_t optionInt)
{
    auto *action = new TZvAction;
    action->Command = command;
    action->Param1 = param1;
    action->OptionInt = optionInt;
    return action;
}

// A menu record whose single item chain is `depth` levels deep.
QByteArray DeepMenu(int depth)
{
    const QByteArray head = QByteArray::fromHex("00000000" "00000000" "00000000" "0000" "00000000000000"
                                                "00000000");
    QByteArray bytes;
    for (int i = 0; i < depth; ++i)
        bytes += head + QByteArray::fromHex("01000000");
    bytes += head + QByteArray::fromHex("00000000");
    return bytes;
}

} // namespace

class TestMenuRecords : public QObject
{
    Q_OBJECT

private slots:
    void menuItemFixture()
    {
        TMenuItem file;
        file.SetCaption(QStringLiteral("&File"));
        auto *open = new TMenuItem;
        open->SetCaption(QStringLiteral("Open"));
        open->SetHint(QStringLiteral("Go") + kMark + QStringLiteral("A"));
        open->SetShortCut(scCtrl | 'O');
        open->SetRadioItem(true);
        open->SetGroupIndex(3);
        open->SetDefault(true);
        open->SetChecked(true);
        open->SetAutoCheck(true);
        file.Add(open);
        QCOMPARE(MenuItemBytes(&file).toHex(), kMenuHex);

        int clicks = 0;
        TMenuItem read;
        TMemoryStream source(QByteArray::fromHex(kMenuHex));
        QVERIFY(ReadMenuItem(&source, &read, [&](TMenuItem *) { ++clicks; }));
        QCOMPARE(source.Position(), source.Size());
        QCOMPARE(read.Caption(), QStringLiteral("&File"));
        QCOMPARE(read.Count(), 1);
        TMenuItem *sub = read.Items(0);
        QCOMPARE(sub->Parent(), &read);
        QCOMPARE(sub->Hint(), QStringLiteral("Go") + kMark + QStringLiteral("A"));
        QCOMPARE(sub->ShortCut(), TShortCut(0x404F));
        QVERIFY(sub->RadioItem() && sub->Default() && sub->Checked() && sub->AutoCheck());
        QCOMPARE(sub->GroupIndex(), uint8_t(3));
        QCOMPARE(sub->AutoHotkeys, maManual);
        QVERIFY(sub->Bitmap().Empty());
        sub->Action()->trigger();
        QCOMPARE(clicks, 1);
        QCOMPARE(MenuItemBytes(&read).toHex(), kMenuHex);
    }

    // Without a target the record and its sub-items are consumed to their last byte.
    void menuItemDiscarded()
    {
        TScriptedUiServices ui;
        TMemoryStream source(QByteArray::fromHex(kMenuHex + "ee"));
        QVERIFY(ReadMenuItem(&source, nullptr, {}));
        QCOMPARE(source.Position(), source.Size() - 1);
        QVERIFY(ui.Calls.isEmpty());
    }

    void menuItemBitmap()
    {
        TMenuItem item;
        item.SetCaption(QStringLiteral("P"));
        const std::unique_ptr<TBitmap> bitmap = TBitmap::FromImage(SampleImage());
        item.SetBitmap(*bitmap);
        const QByteArray bytes = MenuItemBytes(&item);

        const QByteArray head = QByteArray::fromHex("00000000" "01000000" "5000" "00000000" "0000"
                                                    "00000100000001");
        QByteArray picture = QByteArray::fromHex("07000000") + QByteArray("T\0B\0i\0t\0m\0a\0p\0", 14);
        const int32_t size = int32_t(bitmap->Bytes().size());
        picture += QByteArray(reinterpret_cast<const char *>(&size), 4) + bitmap->Bytes();
        QCOMPARE(bytes.toHex(), (head + picture + QByteArray(4, '\0')).toHex());
        QVERIFY(bitmap->Bytes().startsWith("BM"));

        TMenuItem read;
        TMemoryStream source(bytes);
        QVERIFY(ReadMenuItem(&source, &read, {}));
        QCOMPARE(read.Bitmap().Bytes(), bitmap->Bytes());
        QCOMPARE(MenuItemBytes(&read), bytes);
    }

    // A record holding another kind of graphic gives the item that image as a bitmap.
    void menuItemPngBecomesBitmap()
    {
        TMemoryStream source;
        const QByteArray head = QByteArray::fromHex("00000000" "00000000" "00000000" "0000" "00000100000001");
        source.WriteBuffer(head.constData(), head.size());
        TPicture picture;
        picture.SetGraphic(TPngImage::FromImage(SampleImage()));
        QVERIFY(SavePictureToStream(&source, &picture));
        source.WriteValue<int32_t>(0);
        source.SetPosition(0);

        TMenuItem item;
        QVERIFY(ReadMenuItem(&source, &item, {}));
        QCOMPARE(source.Position(), source.Size());
        QVERIFY(item.Bitmap().Bytes().startsWith("BM"));
        QCOMPARE(item.Bitmap().Image().convertToFormat(QImage::Format_RGB32), SampleImage());
    }

    void menuItemErrors()
    {
        TScriptedUiServices ui;
        TMenuItem item;
        TMemoryStream wrongVersion(QByteArray::fromHex("01000000" + kMenuHex.mid(8)));
        QVERIFY(!ReadMenuItem(&wrongVersion, &item, {}));
        QCOMPARE(ui.Messages(), QStringList{kVersionMessage});

        // Every cut of the fixture fails with one message, with a target or without.
        const QByteArray bytes = QByteArray::fromHex(kMenuHex);
        for (int length = 0; length < bytes.size(); ++length) {
            for (bool withTarget : {true, false}) {
                ui.Calls.clear();
                TMenuItem target;
                TMemoryStream source(bytes.left(length));
                QVERIFY2(!ReadMenuItem(&source, withTarget ? &target : nullptr, {}), qPrintable(QString::number(length)));
                QCOMPARE(ui.Calls.size(), 1);
            }
        }

        // A sub-item count no stream could hold fails before any item is made.
        ui.Calls.clear();
        QByteArray huge = QByteArray::fromHex(kMenuHex.left(2 * 35)) + QByteArray::fromHex("ffffff7f");
        TMenuItem target;
        TMemoryStream hugeSource(huge);
        QVERIFY(!ReadMenuItem(&hugeSource, &target, {}));
        QCOMPARE(target.Count(), 0);
        QCOMPARE(ui.Calls.size(), 1);
        QVERIFY(ui.Calls.at(0).Text.endsWith(QStringLiteral("/5506).")));

        ui.Calls.clear();
        TMemoryStream deep(DeepMenu(100000));
        QVERIFY(!ReadMenuItem(&deep, nullptr, {}));
        QCOMPARE(ui.Calls.size(), 1);
        TMemoryStream fair(DeepMenu(100));
        QVERIFY(ReadMenuItem(&fair, nullptr, {}));
        QCOMPARE(fair.Position(), fair.Size());
    }

    void statusPanelFixture()
    {
        TStatusBar bar;
        TStatusPanel *panel = bar.Panels().Add();
        panel->SetAlignment(taCenter);
        panel->SetText(QStringLiteral("Ready"));
        panel->SetWidth(120);
        TMemoryStream written;
        QVERIFY(WriteStatusPanel(&written, panel));
        QCOMPARE(written.Bytes().toHex(), kPanelHex);

        TStatusPanel *read = bar.Panels().Add();
        TMemoryStream source(QByteArray::fromHex(kPanelHex + kPanelHex + "ee"));
        QVERIFY(ReadStatusPanel(&source, read));
        QCOMPARE(read->Alignment(), taCenter);
        QCOMPARE(read->Text(), QStringLiteral("Ready"));
        QCOMPARE(read->Width(), 120);
        QVERIFY(ReadStatusPanel(&source, nullptr));
        QCOMPARE(source.Position(), source.Size() - 1);

        TScriptedUiServices ui;
        TMemoryStream wrongVersion(QByteArray::fromHex("01000000" + kPanelHex.mid(8)));
        QVERIFY(!ReadStatusPanel(&wrongVersion, read));
        TMemoryStream cut(QByteArray::fromHex(kPanelHex.left(kPanelHex.size() - 2)));
        QVERIFY(!ReadStatusPanel(&cut, read));
        QCOMPARE(ui.Calls.size(), 2);
        QCOMPARE(ui.Calls.at(0).Caption, QStringLiteral("Data Error"));
        QVERIFY(ui.Calls.at(1).Text.endsWith(QStringLiteral("/5504).")));
    }

    void packEmptyList()
    {
        TZvActions actions;
        QString hint;
        QVERIFY(PackMenuActions(QStringLiteral("Open"), &actions, hint));
        QCOMPARE(hint.size(), 4 + 1 + 4);
        QCOMPARE(hint.left(5), QStringLiteral("Open") + kMark);
        for (int i = 5; i < hint.size(); ++i)
            QCOMPARE(hint.at(i).unicode(), char16_t(0));
        QCOMPARE(MenuHintText(hint), QStringLiteral("Open"));
    }

    // The record's bytes fill the units' low then high bytes in order; the rest is zero.
    void packedUnitLayout()
    {
        TZvActions actions;
        actions.Actions.append(NewAction(ctMessage, QStringLiteral("a"), 5));
        const QByteArray record = ActionListBytes(actions);
        QCOMPARE(record.size(), 40);
        QString hint;
        QVERIFY(PackMenuActions(QString(), &actions, hint));
        QCOMPARE(hint.at(0), kMark);
        const QString packed = hint.mid(1);
        QCOMPARE(packed.size(), 40);
        QByteArray unitBytes;
        for (QChar unit : packed) {
            unitBytes += char(unit.unicode() & 0xFF);
            unitBytes += char(unit.unicode() >> 8);
        }
        QCOMPARE(unitBytes.toHex(), (record + QByteArray(40, '\0')).toHex());
        QCOMPARE(packed.at(0).unicode(), char16_t(0x0001)); // count 1: low byte first
        QCOMPARE(packed.at(4).unicode(), char16_t(0x010d)); // command byte, then param count

    }

    void hintText_data()
    {
        QTest::addColumn<QString>("hint");
        QTest::addColumn<QString>("text");
        QTest::newRow("packed") << QStringLiteral("Open") + kMark + QString(4, QChar(0)) << QStringLiteral("Open");
        QTest::newRow("no mark") << QStringLiteral("Open") << QString();
        QTest::newRow("empty") << QString() << QString();
        QTest::newRow("mark first") << kMark + QStringLiteral("x") << QString();
        QTest::newRow("first mark counts") << QStringLiteral("a") + kMark + QStringLiteral("b") + kMark
                                           << QStringLiteral("a");
    }

    void hintText()
    {
        QFETCH(QString, hint);
        QFETCH(QString, text);
        QCOMPARE(MenuHintText(hint), text);
    }

    // Packed actions with text beyond ASCII come back byte for byte, also after the hint
    // went through a menu item record.
    void packRoundTrip()
    {
        TZvActions actions;
        actions.Actions.append(NewAction(ctMessage, QStringLiteral("Grüße, 世界 \U0001F600"), -1));
        actions.Actions.append(NewAction(ctShowForm, QStringLiteral("Fénêtre"), 0));
        actions.Actions.at(0)->Actions1.Actions.append(NewAction(ctExit, QStringLiteral("\u00FF\uFFFE"), 3));
        QString hint;
        QVERIFY(PackMenuActions(QStringLiteral("Öffnen"), &actions, hint));

        TMenuItem item;
        item.SetHint(hint);
        TMemoryStream stream;
        QVERIFY(WriteMenuItem(&stream, &item));
        stream.SetPosition(0);
        TMenuItem read;
        QVERIFY(ReadMenuItem(&stream, &read, {}));
        QCOMPARE(read.Hint(), hint);
        QCOMPARE(MenuHintText(read.Hint()), QStringLiteral("Öffnen"));

        TZvActions unpacked;
        unpacked.Actions.append(NewAction(ctExit, QStringLiteral("old"), 0));
        QVERIFY(UnpackMenuActions(read.Hint(), &unpacked));
        QCOMPARE(unpacked.Actions.size(), 2);
        QCOMPARE(unpacked.Actions.at(0)->Param1, QStringLiteral("Grüße, 世界 \U0001F600"));
        QCOMPARE(ActionListBytes(unpacked), ActionListBytes(actions));
    }

    // A U+0001 typed into the hint text would cut it short and hide the actions: dropped.
    void packDropsMarkFromText()
    {
        TZvActions actions;
        actions.Actions.append(NewAction(ctCloseForm, QString(), 0));
        QString hint;
        QVERIFY(PackMenuActions(QStringLiteral("A") + kMark + QStringLiteral("B"), &actions, hint));
        QCOMPARE(MenuHintText(hint), QStringLiteral("AB"));
        TZvActions unpacked;
        QVERIFY(UnpackMenuActions(hint, &unpacked));
        QCOMPARE(ActionListBytes(unpacked), ActionListBytes(actions));
    }

    void unpackFailures()
    {
        TScriptedUiServices ui;
        TZvActions actions;
        actions.Actions.append(NewAction(ctExit, QString(), 0));
        QVERIFY(!UnpackMenuActions(QStringLiteral("no actions here"), &actions));
        QVERIFY(actions.Actions.isEmpty());
        QVERIFY(ui.Calls.isEmpty());

        QString hint;
        QVERIFY(!PackMenuActions(QStringLiteral("x"), nullptr, hint));
        QVERIFY(hint.isEmpty());
        QVERIFY(!UnpackMenuActions(QStringLiteral("x") + kMark, nullptr));
        QVERIFY(ui.Calls.isEmpty());

        // Packed data whose count cannot be met fails with one message.
        QVERIFY(!UnpackMenuActions(QStringLiteral("x") + kMark + QChar(0x0005) + QChar(0x0000), &actions));
        QCOMPARE(ui.Calls.size(), 1);
        QVERIFY(ui.Calls.at(0).Text.endsWith(QStringLiteral("/5512).")));
    }
};

QTEST_MAIN(TestMenuRecords)
#include "tst_menu_records.moc"
