#include <QtTest>

#include "platform/rtl/strings.h"
#include "web/utf8_content_parser.h"

class TestUtf8ContentParser : public QObject
{
    Q_OBJECT

private slots:
    void fields_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<bool>("raises");
        QTest::newRow("utf-8 value") << QByteArray("a=1&b=caf%C3%A9") << QStringList{"a=1", QString::fromUtf8("b=caf\u00e9")} << false;
        QTest::newRow("plus is a blank") << QByteArray("x=a+b") << QStringList{"x=a b"} << false;
        QTest::newRow("escaped plus") << QByteArray("x=%2B") << QStringList{"x=+"} << false;
        QTest::newRow("double percent") << QByteArray("x=%%") << QStringList{"x=%"} << false;
        QTest::newRow("empty content") << QByteArray() << QStringList{} << false;
        QTest::newRow("empty field adds nothing") << QByteArray("x=1&&y=2") << QStringList{"x=1", "y=2"} << false;
        QTest::newRow("trailing separator") << QByteArray("x=1&") << QStringList{"x=1"} << false;
        QTest::newRow("quoted ampersand") << QByteArray("x=\"a&b\"&y=2") << QStringList{"x=\"a&b\"", "y=2"} << false;
        QTest::newRow("leading quote dropped") << QByteArray("\"ab\"&c=1") << QStringList{"ab", "c=1"} << false;
        QTest::newRow("unclosed quote") << QByteArray("x=\"a&b") << QStringList{"x=\"a&b"} << false;
        QTest::newRow("line breaks separate") << QByteArray("a=1\r\nb=2") << QStringList{"a=1", "b=2"} << false;
        QTest::newRow("blank kept") << QByteArray(" a=1") << QStringList{" a=1"} << false;
        QTest::newRow("invalid utf-8 replaced") << QByteArray("x=%FF") << QStringList{QString::fromUtf8("x=\ufffd")} << false;
        QTest::newRow("not hex") << QByteArray("a=1&x=%zz&y=2") << QStringList{"a=1"} << true;
        QTest::newRow("one digit at the end") << QByteArray("x=%4") << QStringList{} << true;
        QTest::newRow("percent at the end") << QByteArray("a=1&x=%") << QStringList{"a=1"} << true;
        QTest::newRow("second digit not hex") << QByteArray("x=%4g") << QStringList{} << true;
    }

    void fields()
    {
        QFETCH(QByteArray, content);
        QFETCH(QStringList, fields);
        QFETCH(bool, raises);
        TUTF8ContentParser parser(content);
        bool raised = false;
        try {
            parser.GetContentFields();
        } catch (const EWebDecodeError &) {
            raised = true;
        }
        QCOMPARE(raised, raises);
        // The list is kept: the fields before a failure stay, a second call gives the same.
        TStrings *list = parser.GetContentFields();
        QStringList got;
        for (int i = 0; i < list->Count(); ++i)
            got << list->Strings(i);
        QCOMPARE(got, fields);
    }

    void whiteSpaceBeforeAFieldIsSkipped()
    {
        TStringList list;
        ExtractUTF8Fields(";", " ", QByteArray("  a=1;  b=2"), &list);
        QCOMPARE(list.Count(), 2);
        QCOMPARE(list.Strings(0), QStringLiteral("a=1"));
        QCOMPARE(list.Strings(1), QStringLiteral("b=2"));
    }
};

QTEST_GUILESS_MAIN(TestUtf8ContentParser)
#include "tst_utf8_content_parser.moc"
