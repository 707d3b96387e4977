#include <QStringList>
#include <QtTest>
#include <memory>

#include "core/object_tree.h"
#include "core/project_model.h"
#include "platform/rtl/strings.h"
#include "platform/vcl/controls.h"

namespace {

using TPage = std::unique_ptr<TZvObject, void (*)(PZvObject)>;

TPage NewPage()
{
    return TPage(NewZvObject(), FreeZvObject);
}

PZvObject Add(PZvObject parent, TObjectType kind, const QString &name)
{
    PZvObject object = NewZvObject();
    object->ObjectType = kind;
    object->ObjectName = name;
    parent->Objects.append(object);
    return object;
}

QStringList Names(PZvObject parent)
{
    QStringList names;
    for (PZvObject child : parent->Objects)
        names.append(child->ObjectName);
    return names;
}

QStringList Lines(const TStrings &strings)
{
    return strings.ToStringList();
}

void SetForms(const QStringList &names)
{
    RunProject.Forms.clear();
    for (const QString &name : names) {
        auto form = std::make_unique<TFormData>();
        form->FormName = name;
        RunProject.Forms.push_back(std::move(form));
    }
}

QStringList FormNames()
{
    QStringList names;
    for (const auto &form : RunProject.Forms)
        names.append(form->FormName);
    return names;
}

QStringList InfoShape(const TObjectInfo &info, const QString &indent = QString())
{
    QStringList lines{indent + info.ObjectName + QLatin1Char(':') + QString::number(info.ObjectType)};
    for (const auto &child : info.Objects)
        lines += InfoShape(*child, indent + QLatin1Char(' '));
    return lines;
}

} // namespace

class TestObjectTree : public QObject
{
    Q_OBJECT

private slots:
    void typeNames_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("name");
        QTest::newRow("first") << int(otPanel) << "Panel";
        QTest::newRow("button") << int(otStandardButton) << "Button";
        QTest::newRow("simple text") << int(otSimpleText) << "Label";
        QTest::newRow("sub-detail band") << int(otRepSubDetailBand) << "RepSubDetail";
        QTest::newRow("expression") << int(otRepExpr) << "RepSUM";
        QTest::newRow("fade label") << int(otLabel) << "FadeLabel";
        QTest::newRow("fade text") << int(otText) << "FadeText";
        QTest::newRow("multiline text") << int(otMultilineText) << "Text";
        QTest::newRow("pdf reader") << int(otPDFReader) << "PDFReader";
        QTest::newRow("past the end") << 72 << "Unknow";
        QTest::newRow("far out") << 200 << "Unknow";
        QTest::newRow("negative") << -1 << "Unknow";
    }

    void typeNames()
    {
        QFETCH(int, kind);
        QFETCH(QString, name);
        QCOMPARE(GetObjectTypeName(kind), name);
    }

    void kindClasses_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("windowed");
        QTest::addColumn<bool>("formLevel");
        QTest::newRow("panel") << int(otPanel) << true << false;
        QTest::newRow("edit") << int(otEdit) << true << false;
        QTest::newRow("timer") << int(otTimer) << true << true;
        QTest::newRow("query") << int(otDBQuery) << true << true;
        QTest::newRow("table") << int(otDBTable) << true << true;
        QTest::newRow("report") << int(otReport) << true << true;
        QTest::newRow("simple text") << int(otSimpleText) << false << false;
        QTest::newRow("splitter") << int(otSplitter) << false << false;
        QTest::newRow("slide show") << int(otSlideShow) << false << false;
        QTest::newRow("pdf reader") << int(otPDFReader) << true << false;
        QTest::newRow("multiline text") << int(otMultilineText) << false << false;
        QTest::newRow("out of range") << 200 << false << false;
        QTest::newRow("negative") << -1 << false << false;
    }

    void kindClasses()
    {
        QFETCH(int, kind);
        QFETCH(bool, windowed);
        QFETCH(bool, formLevel);
        QCOMPARE(IsWindowedObjectType(kind), windowed);
        QCOMPARE(IsFormLevelObjectType(kind), formLevel);
    }

    void uniqueNames()
    {
        TPage page = NewPage();
        Add(page.get(), otStandardButton, QStringLiteral("Button1"));
        Add(page.get(), otStandardButton, QStringLiteral("Button3"));
        Add(page.get(), otEdit, QStringLiteral("edit1"));
        QCOMPARE(UniqueObjectName(page.get(), otStandardButton), QStringLiteral("Button2"));
        // Names compare case-sensitively: "edit1" leaves "Edit1" free.
        QCOMPARE(UniqueObjectName(page.get(), otEdit), QStringLiteral("Edit1"));
        QCOMPARE(UniqueObjectName(page.get(), otMultilineText), QStringLiteral("Text1"));
        QCOMPARE(UniqueObjectName(nullptr, otStandardButton), QStringLiteral("UnKnowObject"));
        QVERIFY(!IsObjectNameFree(page.get(), QStringLiteral("Button3")));
        QVERIFY(IsObjectNameFree(page.get(), QStringLiteral("button3")));
    }

    void ensureUniqueName()
    {
        TPage page = NewPage();
        PZvObject first = Add(page.get(), otStandardButton, QStringLiteral("Button1"));

        // A pasted object whose name is taken gets the next free one.
        std::unique_ptr<TZvObject, void (*)(PZvObject)> pasted(NewZvObject(), FreeZvObject);
        pasted->ObjectType = otStandardButton;
        pasted->ObjectName = QStringLiteral("Button1");
        EnsureUniqueObjectName(page.get(), pasted.get());
        QCOMPARE(pasted->ObjectName, QStringLiteral("Button2"));

        // An object already among the children does not clash with itself.
        EnsureUniqueObjectName(page.get(), first);
        QCOMPARE(first->ObjectName, QStringLiteral("Button1"));

        // Only an exact match clashes.
        pasted->ObjectName = QStringLiteral("BUTTON1");
        EnsureUniqueObjectName(page.get(), pasted.get());
        QCOMPARE(pasted->ObjectName, QStringLiteral("BUTTON1"));

        EnsureUniqueObjectName(nullptr, pasted.get());
        EnsureUniqueObjectName(page.get(), nullptr);
        QCOMPARE(pasted->ObjectName, QStringLiteral("BUTTON1"));
    }

    void pathLookup_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("found"); // the found object's hint; '' for none
        QTest::newRow("top level") << "Panel1" << "panel";
        QTest::newRow("child") << "Panel1.Button1" << "button in panel";
        QTest::newRow("grandchild") << "Panel1.GroupBox1.Edit1" << "edit";
        QTest::newRow("child name alone") << "Button1" << "";
        QTest::newRow("case differs") << "panel1.Button1" << "";
        QTest::newRow("skipped level") << "Panel1.Edit1" << "";
        QTest::newRow("trailing dot") << "Panel1." << "";
        QTest::newRow("empty") << "" << "";
        QTest::newRow("second top level") << "Panel2.Button1" << "button in panel2";
        // The first object in page order wins when two share a path.
        QTest::newRow("dotted name after the real path") << "Panel2.Label1" << "label in panel2";
    }

    void pathLookup()
    {
        QFETCH(QString, path);
        QFETCH(QString, found);
        TPage page = NewPage();
        PZvObject panel = Add(page.get(), otPanel, QStringLiteral("Panel1"));
        panel->Hint = QStringLiteral("panel");
        Add(panel, otStandardButton, QStringLiteral("Button1"))->Hint = QStringLiteral("button in panel");
        PZvObject group = Add(panel, otGroupBox, QStringLiteral("GroupBox1"));
        Add(group, otEdit, QStringLiteral("Edit1"))->Hint = QStringLiteral("edit");
        PZvObject panel2 = Add(page.get(), otPanel, QStringLiteral("Panel2"));
        Add(panel2, otStandardButton, QStringLiteral("Button1"))->Hint = QStringLiteral("button in panel2");
        Add(panel2, otSimpleText, QStringLiteral("Label1"))->Hint = QStringLiteral("label in panel2");
        Add(page.get(), otSimpleText, QStringLiteral("Panel2.Label1"))->Hint = QStringLiteral("dotted");

        PZvObject result = GetZvObjectFromName(page.get(), path);
        QCOMPARE(result ? result->Hint : QString(), found);
    }

    void pathLookupTopLevelButton()
    {
        TPage page = NewPage();
        PZvObject panel = Add(page.get(), otPanel, QStringLiteral("Panel1"));
        PZvObject inner = Add(panel, otStandardButton, QStringLiteral("Button1"));
        PZvObject top = Add(page.get(), otStandardButton, QStringLiteral("Button1"));
        QCOMPARE(GetZvObjectFromName(page.get(), QStringLiteral("Button1")), top);
        QCOMPARE(GetZvObjectFromName(page.get(), QStringLiteral("Panel1.Button1")), inner);
        QCOMPARE(GetZvObjectFromName(nullptr, QStringLiteral("Button1")), nullptr);
    }

    void controlBackPointer()
    {
        TPage page = NewPage();
        auto *control = new TControl;
        control->ZvObject = page.get();
        page->ObjectControl = control;
        QCOMPARE(FindZvObjectOfControl(control), page.get());
        QCOMPARE(FindZvObjectOfControl(nullptr), nullptr);
    }

    void listersAppendAndVisitAll()
    {
        TPage page = NewPage();
        PZvObject panel = Add(page.get(), otPanel, QStringLiteral("Panel1"));
        Add(panel, otDBGrid, QStringLiteral("DBGrid1"));
        PZvObject grid = Add(page.get(), otDBGrid, QStringLiteral("DBGrid2"));
        Add(grid, otDBGrid, QStringLiteral("DBGrid3")); // matching child of a matching parent

        TStringList names;
        names.Add(QStringLiteral("kept"));
        ListObjectPaths(page.get(), nlDBGridObjectNames, names);
        ListObjectPaths(page.get(), nlDBGridObjectNames, names);
        QCOMPARE(Lines(names), QStringList({"kept", "Panel1.DBGrid1", "DBGrid2", "DBGrid2.DBGrid3",
                                   "Panel1.DBGrid1", "DBGrid2", "DBGrid2.DBGrid3"}));

        TStringList containers;
        PZvObject group = Add(panel, otGroupBox, QStringLiteral("GroupBox1"));
        Add(group, otScrollBox, QStringLiteral("ScrollBox1"));
        ListObjectPaths(page.get(), nlLoadObjectsParentNames, containers);
        QCOMPARE(Lines(containers), QStringList({"Panel1", "Panel1.GroupBox1", "Panel1.GroupBox1.ScrollBox1"}));

        ListObjectPaths(nullptr, nlLoadObjectsParentNames, containers);
        QCOMPARE(containers.Count(), 3);
    }

    // Every kind sits under a holder no list takes; each list must name exactly its kinds.
    void listerFilters_data()
    {
        QTest::addColumn<int>("which");
        QTest::addColumn<int>("applicationType");
        QTest::addColumn<QList<int>>("kinds");
        const QList<int> load = {otPanel, otGroupBox, otScrollBox, otImage, otListBox, otComboBox,
            otMemo, otRichText, otDBQuery, otDBTable, otDBMemo, otDBListBox, otDBComboBox,
            otDBRadioGroup, otDBRichText, otDBImage, otRepMemo, otRepRichText, otMultilineText};
        QList<int> save = load;
        save.append(otReport);
        std::sort(save.begin(), save.end());
        const QList<int> focus = {otStandardButton, otEdit, otCheckBox, otRadioButton, otListBox,
            otComboBox, otMemo, otMaskEdit, otSpinEdit, otDateTimePicker, otRichText, otDBEdit,
            otDBMemo, otDBListBox, otDBComboBox, otDBCheckBox, otDBLookupListBox,
            otDBLookupComboBox, otDBRichText, otScrollBar, otTrackBar, otMonthCalendar, otColorBox};
        QList<int> desktopFocus = focus + QList<int>{otDBNavigator, otDBGrid, otDBRadioGroup, otDBImage};
        std::sort(desktopFocus.begin(), desktopFocus.end());
        const QList<int> noValue = {otTabSheet, otSplitter, otDBNavigator, otReport, otRepBand,
            otRepSubDetailBand, otRepDBText, otRepDBRichText, otRepDBImage, otRepExpr, otRepSysData,
            otRepImage, otRepShape, otRepContainer};
        QList<int> setValue;
        for (int kind = 0; kind < ObjectTypeCount; ++kind)
            if (!noValue.contains(kind))
                setValue.append(kind);

        auto row = [](const char *name, TObjectNameList which, QList<int> kinds, TApplicationType type = atNormal) {
            QTest::newRow(name) << int(which) << int(type) << kinds;
        };
        row("db grid", nlDBGridObjectNames, {otDBGrid});
        row("db query", nlDBQueryObjectNames, {otDBQuery});
        row("data set", nlDataSetObjectNames, {otDBQuery, otDBTable});
        row("list view", nlListViewNames, {otListView});
        row("slide show", nlSlideShowNames, {otSlideShow});
        row("media player", nlMediaPlayerNames, {otMediaPlayer});
        row("report", nlReportNames, {otReport});
        row("chart", nlChartNames, {otDBChart});
        row("label", nlLabelObjectNames, {otSimpleText});
        row("loop counter", nlLoopCounterObjectNames, {otSimpleText});
        row("load parents", nlLoadObjectsParentNames, {otPanel, otGroupBox, otScrollBox});
        row("rep container", nlRepContainerObjectNames, {otPanel, otDBChart});
        row("load", nlLoadObjectNames, load);
        row("save", nlSaveObjectNames, save);
        row("sql param", nlSQLParamObjectNames, {otEdit, otCheckBox, otRadioButton, otListBox,
            otComboBox, otMemo, otMaskEdit, otSpinEdit, otDateTimePicker, otDBQuery, otDBTable});
        row("set focus desktop", nlSetFocusObjectNames, desktopFocus, atNormal);
        row("set focus web", nlSetFocusObjectNames, focus, atWebStandAlone);
        row("set value", nlSetValueObjectNames, setValue);
    }

    void listerFilters()
    {
        QFETCH(int, which);
        QFETCH(int, applicationType);
        QFETCH(QList<int>, kinds);
        TPage page = NewPage();
        PZvObject holder = Add(page.get(), otSplitter, QStringLiteral("Holder"));
        for (int kind = 0; kind < ObjectTypeCount; ++kind)
            Add(holder, TObjectType(kind), QStringLiteral("K%1").arg(kind));
        QStringList expected;
        for (int kind : kinds)
            expected.append(QStringLiteral("Holder.K%1").arg(kind));

        RunProject.ApplicationType = TApplicationType(applicationType);
        TStringList names;
        ListObjectPaths(page.get(), TObjectNameList(which), names);
        RunProject.ApplicationType = atNormal;
        QCOMPARE(Lines(names), expected);
    }

    void objectOrder()
    {
        TPage page = NewPage();
        auto *surface = new TControl;
        page->ObjectControl = surface;
        for (auto [kind, name] : std::initializer_list<std::pair<TObjectType, const char *>>{
                 {otTimer, "Timer1"}, {otEdit, "Edit1"}, {otDBQuery, "DBQuery1"},
                 {otImage, "Image1"}, {otPanel, "Panel1"}, {otSimpleText, "Label1"}}) {
            PZvObject object = Add(page.get(), kind, QString::fromLatin1(name));
            auto *control = new TControl(surface);
            control->setObjectName(object->ObjectName);
            control->ZvObject = object;
            object->ObjectControl = control;
        }
        // A child without a control is ordered too.
        Add(page.get(), otReport, QStringLiteral("Report1"));

        ReSetObjectsOrder(page.get());
        QCOMPARE(Names(page.get()),
            QStringList({"Image1", "Label1", "Edit1", "Panel1", "Timer1", "DBQuery1", "Report1"}));
        // Form-level controls end on top in list order; the others keep their stacking.
        QStringList stacking;
        for (QObject *child : surface->children())
            stacking.append(child->objectName());
        QCOMPARE(stacking, QStringList({"Edit1", "Image1", "Panel1", "Label1", "Timer1", "DBQuery1"}));
    }

    void moveObject_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<QStringList>("order");
        // Page: Label1, Image1 (windowless), Edit1, Panel1 (windowed), Timer1 (form-level).
        QTest::newRow("within a group") << 1 << 0 << QStringList{"Image1", "Label1", "Edit1", "Panel1", "Timer1"};
        QTest::newRow("windowed forward") << 3 << 2 << QStringList{"Label1", "Image1", "Panel1", "Edit1", "Timer1"};
        QTest::newRow("timer to the front goes back") << 4 << 0 << QStringList{"Label1", "Image1", "Edit1", "Panel1", "Timer1"};
        QTest::newRow("label behind windowed comes back") << 0 << 3 << QStringList{"Image1", "Label1", "Edit1", "Panel1", "Timer1"};
        QTest::newRow("equal") << 2 << 2 << QStringList{"Label1", "Image1", "Edit1", "Panel1", "Timer1"};
        QTest::newRow("from out of range") << 5 << 0 << QStringList{"Label1", "Image1", "Edit1", "Panel1", "Timer1"};
        QTest::newRow("to out of range") << 0 << -1 << QStringList{"Label1", "Image1", "Edit1", "Panel1", "Timer1"};
    }

    void moveObject()
    {
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(QStringList, order);
        TPage page = NewPage();
        Add(page.get(), otSimpleText, QStringLiteral("Label1"));
        Add(page.get(), otImage, QStringLiteral("Image1"));
        Add(page.get(), otEdit, QStringLiteral("Edit1"));
        Add(page.get(), otPanel, QStringLiteral("Panel1"));
        Add(page.get(), otTimer, QStringLiteral("Timer1"));
        MoveZvObject(page.get(), from, to);
        QCOMPARE(Names(page.get()), order);
    }

    void moveFormData_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<QStringList>("order");
        QTest::newRow("forward") << 0 << 2 << QStringList{"B", "C", "A", "D"};
        QTest::newRow("backward") << 3 << 0 << QStringList{"D", "A", "B", "C"};
        QTest::newRow("neighbours") << 1 << 2 << QStringList{"A", "C", "B", "D"};
        QTest::newRow("equal") << 1 << 1 << QStringList{"A", "B", "C", "D"};
        QTest::newRow("from negative") << -1 << 0 << QStringList{"A", "B", "C", "D"};
        QTest::newRow("to past the end") << 0 << 4 << QStringList{"A", "B", "C", "D"};
    }

    void moveFormData()
    {
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(QStringList, order);
        SetForms({"A", "B", "C", "D"});
        MoveFormData(from, to);
        QCOMPARE(FormNames(), order);
    }

    void formNames()
    {
        SetForms({"Form1", "", "Main", "Form1"});
        QCOMPARE(FindFormIndex(QStringLiteral("Form1")), 0);
        QCOMPARE(FindFormIndex(QStringLiteral("Main")), 2);
        QCOMPARE(FindFormIndex(QStringLiteral("main")), -1);
        QCOMPARE(FindFormIndex(QString()), -1); // even though a form has no name
        QCOMPARE(FindFormIndex(QStringLiteral("Other")), -1);

        TStringList names;
        names.Add(QStringLiteral("stale"));
        ListFormNames(names);
        QCOMPARE(Lines(names), QStringList({"Form1", "", "Main", "Form1"}));
    }

    void buildObjectInfo()
    {
        TPage page = NewPage();
        page->ObjectName = QStringLiteral("Root");
        PZvObject panel = Add(page.get(), otPanel, QStringLiteral("Panel1"));
        Add(panel, otEdit, QStringLiteral("Edit1"));
        Add(page.get(), otTimer, QStringLiteral("Timer1"));

        TObjectInfo info;
        info.ObjectName = QStringLiteral("Stale");
        info.Objects.push_back(std::make_unique<TObjectInfo>());
        BuildObjectInfo(page.get(), &info);
        QCOMPARE(InfoShape(info), QStringList({"Root:0", " Panel1:0", "  Edit1:11", " Timer1:21"}));

        BuildObjectInfo(nullptr, &info);
        BuildObjectInfo(page.get(), nullptr);
        QCOMPARE(info.Objects.size(), size_t(2));
    }
};

QTEST_MAIN(TestObjectTree)
#include "tst_object_tree.moc"
