#include <QtTest>

#include "core/typed_field_value.h"
#include "platform/db/field.h"

class TestTypedFieldValue : public QObject
{
    Q_OBJECT

private slots:
    void types_data()
    {
        QTest::addColumn<int>("fieldType");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<bool>("result");
        QTest::addColumn<int>("valueType");
        QTest::newRow("string") << int(ftString) << QVariant("abc") << true << 0;
        QTest::newRow("wide memo") << int(ftWideMemo) << QVariant("memo") << true << 0;
        QTest::newRow("integer") << int(ftInteger) << QVariant(42) << true << 1;
        QTest::newRow("auto inc") << int(ftAutoInc) << QVariant(7) << true << 1;
        QTest::newRow("float") << int(ftFloat) << QVariant(2.5) << true << 2;
        QTest::newRow("currency") << int(ftCurrency) << QVariant(1.25) << true << 2;
        QTest::newRow("date time") << int(ftDateTime) << QVariant(45000.5) << true << 3;
        QTest::newRow("time stamp") << int(ftTimeStamp) << QVariant(45000.25) << true << 3;
        QTest::newRow("date") << int(ftDate) << QVariant(45000.0) << true << 4;
        QTest::newRow("time") << int(ftTime) << QVariant(0.75) << true << 5;
        QTest::newRow("boolean") << int(ftBoolean) << QVariant(true) << true << 6;
        QTest::newRow("fixed char") << int(ftFixedChar) << QVariant("x") << false << 99;
        QTest::newRow("fmt bcd") << int(ftFMTBcd) << QVariant(1.0) << false << 99;
        QTest::newRow("blob") << int(ftBlob) << QVariant(QByteArray("b")) << false << 99;
    }

    void types()
    {
        QFETCH(int, fieldType);
        QFETCH(QVariant, value);
        QFETCH(bool, result);
        QFETCH(int, valueType);
        TField field(QStringLiteral("F"), TFieldType(fieldType));
        field.SetValue(value);
        QString s = QStringLiteral("unchanged");
        int i = -1;
        double f = -1;
        bool b = false;
        int type = 99;
        QCOMPARE(GetTypedFieldValue(&field, s, i, f, b, type), result);
        QCOMPARE(type, valueType);
        switch (valueType) {
        case 0: QCOMPARE(s, value.toString()); break;
        case 1: QCOMPARE(i, value.toInt()); break;
        case 2: case 3: case 4: case 5: QCOMPARE(f, value.toDouble()); break;
        case 6: QCOMPARE(b, value.toBool()); break;
        default: QCOMPARE(s, QStringLiteral("unchanged")); QCOMPARE(i, -1); break;
        }
    }
};

QTEST_GUILESS_MAIN(TestTypedFieldValue)
#include "tst_typed_field_value.moc"
