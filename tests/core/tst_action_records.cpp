#include <QtTest>

#include "support/record_fixtures.h"

#include "core/action_records.h"
#include "core/project_model.h"
#include "platform/rtl/streams.h"
#include "platform/scripted_ui_services.h"

namespace {

// One action: ctMessage, params "a", "", "", "", OptionBool 1, OptionInt 5, empty lists.
const QByteArray kOneActionHex = "00000000" "0d"
                                 "01000000" "6100" "00000000" "00000000" "00000000"
                                 "01" "05000000" "00000000" "00000000";

// An if-then-else (16) whose then-branch holds one close-form action (9, no params) and whose
// else-branch holds one action with the command byte 0xff, which names no command.
const QByteArray kNestedListHex = "01000000"
                                  "00000000" "10" "01000000" "7800" "00000000" "00000000" "00000000"
                                  "00" "ffffffff"
                                  "01000000"
                                  "00000000" "09" "00000000" "00000000" "00000000" "00000000" "00"
                                  "00000000" "00000000" "00000000"
                                  "01000000"
                                  "00000000" "ff" "00000000" "00000000" "00000000" "00000000" "01"
                                  "2c000000" "00000000" "00000000";

PZvAction NewAction(TCommandType command, const QString &p1, const QString &p2, const QString &p3,
                    const QString &p4, bool optionBool, int32_t optionInt)
{
    auto *action = new TZvAction;
    action->Command = command;
    action->Param1 = p1;
    action->Param2 = p2;
    action->Param3 = p3;
    action->Param4 = p4;
    action->OptionBool = optionBool;
    action->OptionInt = optionInt;
    return action;
}

// An action list nested `depth` levels deep through the then-branch.
QByteArray DeepList(int depth)
{
    const QByteArray head = QByteArray::fromHex("01000000" "00000000" "10" "00000000" "00000000" "00000000"
                                                "00000000" "00" "00000000");
    const QByteArray emptyList = QByteArray::fromHex("00000000");
    QByteArray bytes;
    bytes.reserve(depth * (head.size() + 4) + 4);
    for (int i = 0; i < depth; ++i)
        bytes += head;
    bytes += emptyList;
    for (int i = 0; i < depth; ++i)
        bytes += emptyList;
    return bytes;
}

} // namespace

class TestActionRecords : public QObject
{
    Q_OBJECT

private slots:
    void oneActionFixture()
    {
        TZvAction action;
        action.Command = ctMessage;
        action.Param1 = QStringLiteral("a");
        action.OptionBool = true;
        action.OptionInt = 5;
        TMemoryStream written;
        QVERIFY(WriteAction(&written, &action));
        QCOMPARE(written.Bytes().toHex(), kOneActionHex);

        // Read into an action that held other data: it is reset first.
        TZvAction read;
        read.Param2 = QStringLiteral("old");
        read.Actions1.Actions.append(new TZvAction);
        TMemoryStream source(QByteArray::fromHex(kOneActionHex));
        QVERIFY(ReadAction(&source, &read));
        QCOMPARE(source.Position(), source.Size());
        QCOMPARE(read.Command, ctMessage);
        QCOMPARE(read.Param1, QStringLiteral("a"));
        QVERIFY(read.Param2.isEmpty());
        QVERIFY(read.OptionBool);
        QCOMPARE(read.OptionInt, 5);
        QVERIFY(read.Actions1.Actions.isEmpty());
    }

    void listsReadAndWriteBack_data()
    {
        QTest::addColumn<QByteArray>("hex");
        QTest::newRow("empty") << QByteArray("00000000");
        QTest::newRow("one action") << QByteArray("01000000" + kOneActionHex);
        QTest::newRow("nested, command beyond the last") << kNestedListHex;
    }

    void listsReadAndWriteBack()
    {
        QFETCH(QByteArray, hex);
        TScriptedUiServices ui;
        TMemoryStream source(QByteArray::fromHex(hex));
        TZvActions actions;
        QVERIFY(ReadActionList(&source, &actions));
        QCOMPARE(source.Position(), source.Size());
        QCOMPARE(ActionListBytes(actions).toHex(), hex);
        QVERIFY(ui.Calls.isEmpty());
    }

    void nestedFixtureFields()
    {
        TMemoryStream source(QByteArray::fromHex(kNestedListHex));
        TZvActions actions;
        QVERIFY(ReadActionList(&source, &actions));
        QCOMPARE(actions.Actions.size(), 1);
        const TZvAction *branch = actions.Actions.at(0);
        QCOMPARE(branch->Command, ctIfThenElse);
        QCOMPARE(branch->OptionInt, -1);
        QCOMPARE(branch->Actions1.Actions.size(), 1);
        QCOMPARE(branch->Actions1.Actions.at(0)->Command, ctCloseForm);
        QCOMPARE(branch->Actions2.Actions.size(), 1);
        QCOMPARE(int(branch->Actions2.Actions.at(0)->Command), 0xff); // kept as stored
        QCOMPARE(branch->Actions2.Actions.at(0)->OptionInt, 44);
    }

    void threeActionsRoundTrip()
    {
        TZvActions actions;
        actions.Actions.append(NewAction(ctShowForm, QStringLiteral("Form2"), {}, {}, {}, false, 0));
        actions.Actions.append(NewAction(ctMessage, QStringLiteral("Größe “ok”"), QStringLiteral("日本"),
                                         QStringLiteral("\U0001F600"), QStringLiteral("x"), true, -7));
        actions.Actions.append(NewAction(ctArithmetic, {}, {}, {}, QStringLiteral("1+2"), true, INT32_MAX));
        const QByteArray bytes = ActionListBytes(actions);

        TMemoryStream source(bytes);
        TZvActions read;
        QVERIFY(ReadActionList(&source, &read));
        QCOMPARE(read.Actions.size(), 3);
        QCOMPARE(read.Actions.at(1)->Param3, QStringLiteral("\U0001F600"));
        QCOMPARE(read.Actions.at(2)->OptionInt, INT32_MAX);
        QCOMPARE(ActionListBytes(read), bytes);
    }

    void versionError()
    {
        TScriptedUiServices ui;
        // Version 1 followed by bytes that would read as a valid action body.
        const QByteArray bytes = QByteArray::fromHex("01000000" + kOneActionHex.mid(8));
        TMemoryStream source(bytes);
        TZvAction action;
        action.Param1 = QStringLiteral("old");
        QVERIFY(!ReadAction(&source, &action));
        QCOMPARE(source.Position(), 4); // nothing read after the version
        QVERIFY(action.Param1.isEmpty());
        QCOMPARE(ui.Calls.size(), 1);
        QCOMPARE(ui.Calls.at(0).Text, kVersionMessage);
        QCOMPARE(ui.Calls.at(0).Caption, QStringLiteral("Data Error"));

        // Inside a list the same single message; the later actions stay in the list, empty.
        ui.Calls.clear();
        const QByteArray list = QByteArray::fromHex("03000000" + kOneActionHex + "01000000" + kOneActionHex.mid(8)
                                                    + kOneActionHex);
        TMemoryStream listSource(list);
        TZvActions actions;
        QVERIFY(!ReadActionList(&listSource, &actions));
        QCOMPARE(ui.Messages(), QStringList{kVersionMessage});
        QCOMPARE(actions.Actions.size(), 3);
        QCOMPARE(actions.Actions.at(0)->Param1, QStringLiteral("a"));
        QVERIFY(actions.Actions.at(2)->Param1.isEmpty());
        QCOMPARE(actions.Actions.at(2)->OptionInt, 0);
    }

    // Every cut of a valid list fails with exactly one message.
    void cutShortFails()
    {
        const QByteArray bytes = QByteArray::fromHex(kNestedListHex);
        for (int length = 0; length < bytes.size(); ++length) {
            TScriptedUiServices ui;
            TMemoryStream source(bytes.left(length));
            TZvActions actions;
            QVERIFY2(!ReadActionList(&source, &actions), qPrintable(QString::number(length)));
            QCOMPARE(ui.Calls.size(), 1);
            QCOMPARE(ui.Calls.at(0).Caption, QStringLiteral("Error"));
        }
    }

    void impossibleCounts_data()
    {
        QTest::addColumn<QByteArray>("hex");
        QTest::newRow("huge") << QByteArray("ffffff7f");
        QTest::newRow("negative") << QByteArray("ffffffff");
        // Two actions announced, bytes for one.
        QTest::newRow("more than the bytes left") << QByteArray("02000000" + kOneActionHex);
    }

    void impossibleCounts()
    {
        QFETCH(QByteArray, hex);
        TScriptedUiServices ui;
        TMemoryStream source(QByteArray::fromHex(hex));
        TZvActions actions;
        actions.Actions.append(new TZvAction);
        QVERIFY(!ReadActionList(&source, &actions));
        QVERIFY(actions.Actions.isEmpty()); // freed, and nothing allocated for the count
        QCOMPARE(ui.Calls.size(), 1);
        QVERIFY2(ui.Calls.at(0).Text.endsWith(QStringLiteral("/5512).")), qPrintable(ui.Calls.at(0).Text));
    }

    // Lists inside lists beyond any real depth fail with one message instead of exhausting
    // the stack.
    void deepNestingFails()
    {
        TScriptedUiServices ui;
        TMemoryStream deep(DeepList(100000));
        TZvActions actions;
        QVERIFY(!ReadActionList(&deep, &actions));
        QCOMPARE(ui.Calls.size(), 1);

        TMemoryStream fair(DeepList(200));
        TZvActions fairActions;
        QVERIFY(ReadActionList(&fair, &fairActions));
        QCOMPARE(fair.Position(), fair.Size());
    }

    void nullArguments()
    {
        TScriptedUiServices ui;
        TMemoryStream stream;
        TZvActions actions;
        QVERIFY(!WriteActionList(&stream, nullptr));
        QVERIFY(!ReadActionList(nullptr, &actions));
        QVERIFY(!WriteAction(&stream, nullptr));
        QCOMPARE(stream.Size(), 0);
        QVERIFY(ui.Calls.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestActionRecords)
#include "tst_action_records.moc"
