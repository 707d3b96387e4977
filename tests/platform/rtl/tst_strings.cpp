#include <QTemporaryDir>
#include <QtTest>

#include "support/test_files.h"

#include <cerrno>

#include "platform/rtl/cp1252.h"
#include "platform/rtl/streams.h"
#include "platform/rtl/strings.h"

namespace {

} // namespace

class TestStrings : public QObject
{
    Q_OBJECT

private slots:
    void editing()
    {
        TStringList list;
        QCOMPARE(list.Add("b"), 0);
        QCOMPARE(list.Add("c"), 1);
        list.Insert(0, "a");
        list.Insert(3, "d");
        QCOMPARE(list.ToStringList(), QStringList({"a", "b", "c", "d"}));
        list.Delete(1);
        list.SetString(0, "A");
        QCOMPARE(list.Count(), 3);
        QCOMPARE(list[0], QStringLiteral("A"));
        QCOMPARE(list.Strings(2), QStringLiteral("d"));

        try {
            list.Strings(3);
            QFAIL("reading past the end did not raise");
        } catch (const EStringListError &e) {
            QCOMPARE(e.Message(), QStringLiteral("List index out of bounds (3)"));
        }
        QVERIFY_THROWS_EXCEPTION(EStringListError, list.Delete(-1));
        QVERIFY_THROWS_EXCEPTION(EStringListError, list.Insert(5, "x"));
        QVERIFY_THROWS_EXCEPTION(EStringListError, list.SetString(3, "x"));

        list.Clear();
        QCOMPARE(list.Count(), 0);
    }

    void indexOfAndSort()
    {
        TStringList list;
        list.FromStringList({"beta", "Alpha", "_under", "ALPHA", "\u00e9t\u00e9", "alpha"});
        QCOMPARE(list.IndexOf("ALPHA"), 1); // the first of the case variants
        QCOMPARE(list.IndexOf("BETA"), 0);
        QCOMPARE(list.IndexOf("\u00c9T\u00c9"), -1); // only ASCII letters fold
        QCOMPARE(list.IndexOf("alph"), -1);

        // Letters fold to upper case, so '_' sorts after them; equal entries keep their order.
        list.Sort();
        QCOMPARE(list.ToStringList(),
                 QStringList({"Alpha", "ALPHA", "alpha", "beta", "_under", "\u00e9t\u00e9"}));
    }

    void setText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("empty") << "" << QStringList();
        QTest::newRow("one line, no break") << "a" << QStringList({"a"});
        QTest::newRow("final break adds nothing") << "a\r\n" << QStringList({"a"});
        QTest::newRow("only a break") << "\r\n" << QStringList({""});
        QTest::newRow("mixed breaks") << "a\nb\r\nc\rd" << QStringList({"a", "b", "c", "d"});
        QTest::newRow("LF CR is two breaks") << "a\n\rb" << QStringList({"a", "", "b"});
        QTest::newRow("blank lines kept") << "a\r\n\r\n\nb\r\r" << QStringList({"a", "", "", "b", ""});
    }

    void setText()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, lines);
        TStringList list;
        list.Add("old");
        list.SetText(text);
        QCOMPARE(list.ToStringList(), lines);

        // Text ends every line with CR LF; that text reads back as the same lines.
        QString expected;
        for (const QString &line : lines)
            expected += line + "\r\n";
        QCOMPARE(list.Text(), expected);
        TStringList again;
        again.SetText(list.Text());
        QCOMPARE(again.ToStringList(), lines);
    }

    void namesAndValues()
    {
        TStringList list;
        list.FromStringList({"Width=100", "plain", "Path=C:\\a=b", "=empty name", "Height="});
        QCOMPARE(list.Names(0), QStringLiteral("Width"));
        QCOMPARE(list.Names(1), QString());
        QCOMPARE(list.ValueFromIndex(1), QString());
        QCOMPARE(list.Names(3), QString());
        QCOMPARE(list.Values("PATH"), QStringLiteral("C:\\a=b"));
        QCOMPARE(list.ValueFromIndex(2), QStringLiteral("C:\\a=b"));
        QCOMPARE(list.Values("missing"), QString());
        QCOMPARE(list.Values("height"), QString());
        QCOMPARE(list.IndexOfName("HEIGHT"), 4);
        QCOMPARE(list.IndexOfName("plain"), -1);
        QCOMPARE(list.IndexOfName(""), 3);

        list.SetValue("width", "200"); // replaces in place, with the name as given
        list.SetValue("Depth", "7");   // appends
        list.SetValue("path", "");     // deletes
        list.SetValue("nothing", "");  // nothing to delete
        QCOMPARE(list.ToStringList(),
                 QStringList({"width=200", "plain", "=empty name", "Height=", "Depth=7"}));
    }

    void cp1252Codec()
    {
        QByteArray all(256, '\0');
        for (int i = 0; i < 256; ++i)
            all[i] = char(i);
        const QString text = Cp1252ToString(all);
        QCOMPARE(text.size(), 256);
        QCOMPARE(text[0x80], QChar(0x20AC));
        QCOMPARE(text[0x81], QChar(0x0081));
        QCOMPARE(text[0x8A], QChar(0x0160));
        QCOMPARE(text[0x8D], QChar(0x008D));
        QCOMPARE(text[0x8F], QChar(0x008F));
        QCOMPARE(text[0x90], QChar(0x0090));
        QCOMPARE(text[0x92], QChar(0x2019));
        QCOMPARE(text[0x99], QChar(0x2122));
        QCOMPARE(text[0x9D], QChar(0x009D));
        QCOMPARE(text[0x9F], QChar(0x0178));
        QCOMPARE(text[0xA0], QChar(0x00A0));
        QCOMPARE(text[0xFF], QChar(0x00FF));
        QCOMPARE(StringToCp1252(text), all);

        // Characters outside the code page (a surrogate pair counts as one) become '?'.
        QCOMPARE(StringToCp1252(QString::fromUtf8("a\u20ac\u0080\u4e2d\U0001F600z")).toHex(),
                 QByteArray("61803f3f3f7a"));
        QVERIFY(IsCp1252Representable(text));
        QVERIFY(!IsCp1252Representable(QString::fromUtf8("\u4e2d")));
    }

    void loadFromFileEncodings_data()
    {
        QTest::addColumn<QByteArray>("hex");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("UTF-16LE with BOM")
            << QByteArray("fffe" "6100ac20" "0d000a00" "3dd800de" "0a00")
            << QStringList({"a\u20ac", "\U0001F600"});
        QTest::newRow("UTF-8 with BOM") << QByteArray("efbbbf" "c3a9" "0d0a" "78")
                                        << QStringList({"\u00e9", "x"});
        QTest::newRow("UTF-8 without BOM") << QByteArray("e282ac" "0a" "c3a9" "0d0a")
                                           << QStringList({"\u20ac", "\u00e9"});
        QTest::newRow("Windows-1252") << QByteArray("80" "0d0a" "e9" "8d" "0d")
                                      << QStringList({"\u20ac", "\u00e9\u008d"});
        QTest::newRow("cut-off UTF-8 is Windows-1252")
            << QByteArray("61c3") << QStringList({"a\u00c3"});
    }

    void loadFromFileEncodings()
    {
        QFETCH(QByteArray, hex);
        QFETCH(QStringList, lines);
        QTemporaryDir dir;
        const QString name = dir.filePath("in.txt");
        QVERIFY(WriteFileBytes(name, QByteArray::fromHex(hex)));
        TStringList list;
        list.LoadFromFile(name);
        QCOMPARE(list.ToStringList(), lines);

        // A stream reads from its position on.
        TMemoryStream stream(QByteArray("skip") + QByteArray::fromHex(hex));
        stream.SetPosition(4);
        TStringList fromStream;
        fromStream.LoadFromStream(stream);
        QCOMPARE(fromStream.ToStringList(), lines);
    }

    void saveKeepsTheEncodingLoaded_data()
    {
        QTest::addColumn<QByteArray>("inputHex");
        QTest::addColumn<QString>("added");
        QTest::addColumn<QByteArray>("savedHex");
        QTest::newRow("UTF-16LE with BOM")
            << QByteArray("fffe" "6100") << "\u00e9" << QByteArray("fffe" "61000d000a00" "e9000d000a00");
        QTest::newRow("UTF-8 with BOM")
            << QByteArray("efbbbf" "61") << "\u00e9" << QByteArray("efbbbf" "610d0a" "c3a90d0a");
        QTest::newRow("UTF-8") << QByteArray("61") << "\u00e9" << QByteArray("610d0a" "c3a90d0a");
        QTest::newRow("Windows-1252")
            << QByteArray("80") << "\u00e9" << QByteArray("800d0a" "e90d0a");
        // The code page cannot hold the added text; rather than losing it the file
        // becomes UTF-8.
        QTest::newRow("Windows-1252 that cannot hold the text")
            << QByteArray("80") << "\u4e2d" << QByteArray("e282ac0d0a" "e4b8ad0d0a");
    }

    void saveKeepsTheEncodingLoaded()
    {
        QFETCH(QByteArray, inputHex);
        QFETCH(QString, added);
        QFETCH(QByteArray, savedHex);
        QTemporaryDir dir;
        const QString name = dir.filePath("t.txt");
        QVERIFY(WriteFileBytes(name, QByteArray::fromHex(inputHex)));
        TStringList list;
        list.LoadFromFile(name);
        list.Add(added);
        list.SaveToFile(name);
        QCOMPARE(ReadFileBytes(name).toHex(), savedHex);

        TMemoryStream stream;
        list.SaveToStream(stream);
        QCOMPARE(stream.Bytes().toHex(), savedHex);
    }

    void newListSavesUtf8WithoutBom()
    {
        QTemporaryDir dir;
        const QString name = dir.filePath("new.txt");
        TStringList list;
        list.FromStringList({"\u20ac", ""});
        list.SaveToFile(name);
        QCOMPARE(ReadFileBytes(name).toHex(), QByteArray("e282ac0d0a" "0d0a"));
    }

    void fileErrors()
    {
        QTemporaryDir dir;
        const QString missing = dir.filePath("no/such.txt");
        TStringList list;
        list.Add("kept");
        try {
            list.LoadFromFile(missing);
            QFAIL("loading a missing file did not raise");
        } catch (const EFOpenError &e) {
            QCOMPARE(e.Message(), QStringLiteral("Cannot open file \"%1\". %2")
                                      .arg(missing, SysErrorMessage(ENOENT)));
        }
        QCOMPARE(list.ToStringList(), QStringList({"kept"}));
        try {
            list.SaveToFile(missing);
            QFAIL("saving into a missing folder did not raise");
        } catch (const EFCreateError &e) {
            QCOMPARE(e.Message(), QStringLiteral("Cannot create file \"%1\". %2")
                                      .arg(missing, SysErrorMessage(ENOENT)));
        }
    }
};

QTEST_GUILESS_MAIN(TestStrings)
#include "tst_strings.moc"
