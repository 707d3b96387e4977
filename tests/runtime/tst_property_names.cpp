#include <QtTest>

#include <memory>

#include "core/project_model.h"
#include "platform/rtl/strings.h"
#include "runtime/property_names.h"

namespace {

// The use a pick list is filled for.
enum TListUse { luTarget, luSource, luCompare, luFields };

struct TObjectDeleter
{
    void operator()(TZvObject *object) const { FreeZvObject(object); }
};

// The routine looks only at the kind, so a bare record stands for an object of any kind.
std::unique_ptr<TZvObject, TObjectDeleter> ObjectOfKind(TObjectType Kind)
{
    std::unique_ptr<TZvObject, TObjectDeleter> object(NewZvObject());
    object->ObjectType = Kind;
    return object;
}

QStringList PropertyNames(TObjectType Kind, TListUse Use, TApplicationType ApplicationType)
{
    RunProject.ApplicationType = ApplicationType;
    auto object = ObjectOfKind(Kind);
    TStringList list;
    GetObjectPropertyNames(object.get(), &list, Use == luSource, Use == luCompare, Use == luFields);
    return list.ToStringList();
}

const QStringList Geometry = {"[Left]", "[Top]", "[Width]", "[Height]"};

} // namespace

Q_DECLARE_METATYPE(TObjectType)
Q_DECLARE_METATYPE(TListUse)
Q_DECLARE_METATYPE(TApplicationType)

class TestPropertyNames : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { RunProject.ApplicationType = atNormal; }

    void listsOfKind_data()
    {
        QTest::addColumn<TObjectType>("kind");
        QTest::addColumn<TListUse>("use");
        QTest::addColumn<TApplicationType>("applicationType");
        QTest::addColumn<QStringList>("expected");

        // Desktop-only tokens, alone and combined with write-only and read-only ones.
        QTest::newRow("web DB memo, target") << otDBMemo << luTarget << atWebStandAlone
            << QStringList{"[Font]", "[BackColor]", "[Enabled]", "[Visible]"} + Geometry;
        QTest::newRow("web DB memo, source") << otDBMemo << luSource << atWebStandAlone
            << QStringList{"[Font]", "[BackColor]", "[Enabled]", "[Visible]"} + Geometry;
        QTest::newRow("desktop DB memo, target") << otDBMemo << luTarget << atNormal
            << QStringList{"[Text]", "[Add Line]", "[ReadOnly]", "[Font]", "[BackColor]", "[Enabled]",
                           "[Visible]"} + Geometry;
        QTest::newRow("desktop DB memo, compare") << otDBMemo << luCompare << atNormal
            << QStringList{"[Text]", "[LineCount]", "[ReadOnly]", "[BackColor]", "[Enabled]", "[Visible]"}
                   + Geometry;

        QTest::newRow("edit, compare") << otEdit << luCompare << atNormal
            << QStringList{"[Text]", "[BackColor]", "[Enabled]", "[Visible]"} + Geometry;

        // Write-only tokens only for a target, read-only ones only for a source or operand.
        QTest::newRow("list box, target") << otListBox << luTarget << atNormal
            << QStringList{"[Text]", "[SelectedIndex]", "[Value]", "[Items]", "[Values]", "[Add Item]",
                           "[Add Value]", "[Font]", "[BackColor]", "[Enabled]", "[Visible]"} + Geometry;
        QTest::newRow("list box, source") << otListBox << luSource << atNormal
            << QStringList{"[Text]", "[SelectedIndex]", "[Value]", "[Items]", "[Values]", "[Count]",
                           "[ValueCount]", "[Font]", "[BackColor]", "[Enabled]", "[Visible]"} + Geometry;
        QTest::newRow("combo box, compare") << otComboBox << luCompare << atNormal
            << QStringList{"[Text]", "[SelectedIndex]", "[Value]", "[Items]", "[Values]", "[Count]",
                           "[ValueCount]", "[BackColor]", "[Enabled]", "[Visible]"} + Geometry;

        // Kinds with no tokens at all, or with the geometry alone.
        QTest::newRow("report, target") << otReport << luTarget << atNormal << QStringList{};
        QTest::newRow("report, source") << otReport << luSource << atNormal << QStringList{};
        QTest::newRow("tab sheet, compare") << otTabSheet << luCompare << atNormal << QStringList{};
        QTest::newRow("DB navigator, target") << otDBNavigator << luTarget << atNormal << Geometry;
        QTest::newRow("report band, source") << otRepBand << luSource << atNormal << Geometry;
        QTest::newRow("timer, source") << otTimer << luSource << atNormal << QStringList{"[Interval]", "[Enabled]"};

        const QStringList variables = {"[Caption]", "[Font]", "[BackColor]", "[Enabled]", "[Visible]",
                                       "[VariableString]", "[VariableInteger]", "[VariableFloat]",
                                       "[VariableDateTime]", "[VariableBoolean]", "[VariableColor]"};
        QTest::newRow("simple text, target") << otSimpleText << luTarget << atNormal << variables + Geometry;
        QTest::newRow("simple text, source") << otSimpleText << luSource << atNormal
            << variables
                   + QStringList{"[VariableStringToInteger]", "[VariableStringToFloat]",
                                 "[VariableStringToDateTime]", "[VariableStringToBoolean]",
                                 "[VariableString + ]", "[VariableString Length]", "[VariableString LowerCase]",
                                 "[VariableString UpperCase]", "[VariableString Trim]",
                                 "[VariableIntegerToString]", "[VariableInteger + ]", "[VariableInteger - ]",
                                 "[VariableInteger * ]", "[VariableInteger / ]", "[VariableFloatToString]",
                                 "[VariableFloat + ]", "[VariableFloat - ]", "[VariableFloat * ]",
                                 "[VariableFloat / ]", "[VariableDateTimeToString]",
                                 "[VariableDateTimeToDateString]", "[VariableDateTimeToTimeString]",
                                 "[VariableBooleanToString]", "[VariableBoolean Not]"}
                   + Geometry;
        QTest::newRow("date-time picker, compare") << otDateTimePicker << luCompare << atNormal
            << QStringList{"[DateTime]", "[Enabled]", "[Visible]"} + Geometry;

        QTest::newRow("web DB chart, target") << otDBChart << luTarget << atWebStandAlone
            << QStringList{"[Title]", "[Foot]", "[SeriesIndex]", "[Add Value]", "[Delete Value]", "[ValueIndex]",
                           "[YValue]", "[XValue]", "[BackColor]", "[GradientStartColor]", "[GradientEndColor]",
                           "[Enabled]", "[Visible]"} + Geometry;
        QTest::newRow("desktop DB chart, target") << otDBChart << luTarget << atNormal
            << QStringList{"[Title]", "[TitleFont]", "[Foot]", "[FootFont]", "[SeriesIndex]", "[Add Value]",
                           "[Delete Value]", "[ValueIndex]", "[YValue]", "[XValue]", "[BackColor]",
                           "[GradientStartColor]", "[GradientEndColor]", "[Enabled]", "[Visible]"} + Geometry;

        // Rich text is no comparison operand, except that of the data-aware rich text.
        QTest::newRow("rich text, compare") << otRichText << luCompare << atNormal
            << QStringList{"[Enabled]", "[Visible]"} + Geometry;
        QTest::newRow("DB rich text, compare") << otDBRichText << luCompare << atNormal
            << QStringList{"[RichText]", "[ReadOnly]", "[BackColor]", "[Enabled]", "[Visible]"} + Geometry;
        QTest::newRow("web DB image, target") << otDBImage << luTarget << atWebStandAlone
            << QStringList{"[Enabled]", "[Visible]"} + Geometry;

        // Data sets: their own tokens after the (absent) field names; none with FieldsOnly.
        QTest::newRow("DB table, target") << otDBTable << luTarget << atNormal << QStringList{"[Filter]"};
        QTest::newRow("DB table, compare") << otDBTable << luCompare << atNormal
            << QStringList{"[RecordCount]", "[IsFirstRecord]", "[IsLastRecord]", "[IsActive]", "[Filter]"};
        QTest::newRow("DB query, source") << otDBQuery << luSource << atNormal
            << QStringList{"[RecordCount]", "[IsFirstRecord]", "[IsLastRecord]", "[IsActive]", "[SQL]"};
        QTest::newRow("DB query, fields only") << otDBQuery << luFields << atNormal << QStringList{};
        // FieldsOnly concerns data sets only.
        QTest::newRow("bevel, fields only") << otBevel << luFields << atNormal
            << QStringList{"[Enabled]", "[Visible]"} + Geometry;
    }

    void listsOfKind()
    {
        QFETCH(TObjectType, kind);
        QFETCH(TListUse, use);
        QFETCH(TApplicationType, applicationType);
        QFETCH(QStringList, expected);
        QCOMPARE(PropertyNames(kind, use, applicationType), expected);
    }

    // Every kind has its row: the geometry closes each list but those of the six kinds
    // without a place of their own, and only those six lists can be empty.
    void everyKindHasItsRow()
    {
        const QList<TObjectType> noGeometry = {otTabSheet, otSplitter, otTimer, otDBQuery, otDBTable, otReport};
        for (int k = 0; k < ObjectTypeCount; ++k) {
            const auto kind = TObjectType(k);
            const QStringList names = PropertyNames(kind, luTarget, atNormal);
            const bool hasGeometry = names.size() >= 4 && names.mid(names.size() - 4) == Geometry;
            QVERIFY2(hasGeometry != noGeometry.contains(kind), qPrintable(QString::number(k)));
            if (!QList<TObjectType>{otTabSheet, otSplitter, otReport}.contains(kind))
                QVERIFY2(!names.isEmpty(), qPrintable(QString::number(k)));
        }
    }

    void appendsToTheCallersList()
    {
        auto object = ObjectOfKind(otWebBrowser);
        TStringList list;
        list.Add("kept");
        GetObjectPropertyNames(object.get(), &list, false, false, false);
        const QStringList expected = QStringList{"kept", "[URL]", "[Enabled]", "[Visible]"} + Geometry;
        QCOMPARE(list.ToStringList(), expected);

        GetObjectPropertyNames(nullptr, &list, true, false, false);
        QCOMPARE(list.Count(), 8);
        GetObjectPropertyNames(object.get(), nullptr, false, false, false); // nothing to fill: no crash
    }
};

QTEST_GUILESS_MAIN(TestPropertyNames)
#include "tst_property_names.moc"
