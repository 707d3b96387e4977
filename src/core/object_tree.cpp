#include "core/object_tree.h"

#include <bitset>
#include <initializer_list>

#include "core/globals.h"
#include "objects/kind_control.h"
#include "platform/rtl/strings.h"
#include "runtime/object_control_creation.h"
#include "platform/vcl/controls.h"

namespace {

using TKindSet = std::bitset<ObjectTypeCount>;

TKindSet KindSet(std::initializer_list<TObjectType> kinds)
{
    TKindSet set;
    for (TObjectType kind : kinds)
        set.set(kind);
    return set;
}

const char *const ObjectTypeNames[ObjectTypeCount] = {
    "Panel", "TabNotebook", "TabSheet", "GroupBox", "ScrollBox", "Splitter", "Button",
    "ImageButton", "Label", "Image", "Bevel", "Edit", "CheckBox", "RadioButton", "ListBox",
    "ComboBox", "Memo", "MaskEdit", "SpinEdit", "DateTimePicker", "RichText", "Timer", "DBQuery",
    "DBTable", "DBNavigator", "DBGrid", "DBText", "DBEdit", "DBMemo", "DBListBox", "DBComboBox",
    "DBRadioGroup", "DBCheckBox", "DBLookupListBox", "DBLookupComboBox", "DBRichText", "DBImage",
    "DBChart", "Report", "RepBand", "RepSubDetail", "RepLabel", "RepDBText", "RepDBRichText",
    "RepDBImage", "RepSUM", "RepSysData", "RepMemo", "RepRichText", "RepImage", "RepShape",
    "RepContainer", "ScrollBar", "TrackBar", "ProgressBar", "MonthCalendar", "ColorBox",
    "ScrollText", "FadeButton", "FadeLabel", "FadeText", "Shape", "Balloon", "Note", "SlideShow",
    "ListView", "TreeView", "WebBrowser", "MediaPlayer", "FlashPlayer", "PDFReader", "Text",
};

// The windowed test covers the kinds up to otPDFReader only.
constexpr int LastWindowedCandidate = otPDFReader;

const TKindSet &WindowlessKinds()
{
    static const TKindSet set = KindSet({otSplitter, otImageButton, otSimpleText, otImage, otBevel,
        otDBText, otScrollText, otFadeButton, otLabel, otText, otShape, otBalloon, otNote,
        otSlideShow, otMultilineText});
    return set;
}

const TKindSet &LoadObjectKinds()
{
    static const TKindSet set = KindSet({otPanel, otGroupBox, otScrollBox, otImage, otListBox,
        otComboBox, otMemo, otRichText, otDBQuery, otDBTable, otDBMemo, otDBListBox, otDBComboBox,
        otDBRadioGroup, otDBRichText, otDBImage, otRepMemo, otRepRichText, otMultilineText});
    return set;
}

TKindSet SetFocusKinds()
{
    TKindSet set = KindSet({otStandardButton, otEdit, otCheckBox, otRadioButton, otListBox,
        otComboBox, otMemo, otMaskEdit, otSpinEdit, otDateTimePicker, otRichText, otDBEdit,
        otDBMemo, otDBListBox, otDBComboBox, otDBCheckBox, otDBLookupListBox,
        otDBLookupComboBox, otDBRichText, otScrollBar, otTrackBar, otMonthCalendar, otColorBox});
    // Web pages cannot take the focus into these.
    if (RunProject.ApplicationType == atNormal)
        set |= KindSet({otDBNavigator, otDBGrid, otDBRadioGroup, otDBImage});
    return set;
}

TKindSet KindsOfList(TObjectNameList which)
{
    switch (which) {
    case nlDBGridObjectNames:
        return KindSet({otDBGrid});
    case nlDBQueryObjectNames:
        return KindSet({otDBQuery});
    case nlDataSetObjectNames:
        return KindSet({otDBQuery, otDBTable});
    case nlListViewNames:
        return KindSet({otListView});
    case nlSlideShowNames:
        return KindSet({otSlideShow});
    case nlMediaPlayerNames:
        return KindSet({otMediaPlayer});
    case nlReportNames:
        return KindSet({otReport});
    case nlChartNames:
        return KindSet({otDBChart});
    case nlLabelObjectNames:
    case nlLoopCounterObjectNames:
        return KindSet({otSimpleText});
    case nlLoadObjectsParentNames:
        return KindSet({otPanel, otGroupBox, otScrollBox});
    case nlRepContainerObjectNames:
        return KindSet({otPanel, otDBChart});
    case nlLoadObjectNames:
        return LoadObjectKinds();
    case nlSaveObjectNames:
        return LoadObjectKinds() | KindSet({otReport});
    case nlSQLParamObjectNames:
        return KindSet({otEdit, otCheckBox, otRadioButton, otListBox, otComboBox, otMemo,
            otMaskEdit, otSpinEdit, otDateTimePicker, otDBQuery, otDBTable});
    case nlSetFocusObjectNames:
        return SetFocusKinds();
    case nlSetValueObjectNames:
        return ~KindSet({otTabSheet, otSplitter, otDBNavigator, otReport, otRepBand,
            otRepSubDetailBand, otRepDBText, otRepDBRichText, otRepDBImage, otRepExpr,
            otRepSysData, otRepImage, otRepShape, otRepContainer});
    }
    return TKindSet();
}

// The path of a child: its name below the page root, else the parent's path, ".", its name.
QString ChildPath(const QString *parentPath, const QString &name)
{
    return parentPath ? *parentPath + QLatin1Char('.') + name : name;
}

// parentPath is nil for the page root, which has no path.
void ListPaths(PZvObject parent, const QString *parentPath, const TKindSet &kinds, TStrings &names)
{
    for (PZvObject child : parent->Objects) {
        const QString path = ChildPath(parentPath, child->ObjectName);
        if (kinds.test(child->ObjectType))
            names.Add(path);
        ListPaths(child, &path, kinds, names);
    }
}

PZvObject FindByPath(PZvObject parent, const QString *parentPath, const QString &name)
{
    for (PZvObject child : parent->Objects) {
        const QString path = ChildPath(parentPath, child->ObjectName);
        if (path == name)
            return child;
        // Only a subtree whose path starts the name can hold it.
        if (name.size() > path.size() && name.startsWith(path) && name.at(path.size()) == QLatin1Char('.')) {
            if (PZvObject found = FindByPath(child, &path, name))
                return found;
        }
    }
    return nullptr;
}

int ObjectGroup(TObjectType kind)
{
    if (IsFormLevelObjectType(kind))
        return 2;
    return IsWindowedObjectType(kind) ? 1 : 0;
}

void BuildInfo(PZvObject object, TObjectInfo &info)
{
    info.ObjectName = object->ObjectName;
    info.ObjectType = object->ObjectType;
    info.Objects.clear();
    for (PZvObject child : object->Objects) {
        auto childInfo = std::make_unique<TObjectInfo>();
        BuildInfo(child, *childInfo);
        info.Objects.push_back(std::move(childInfo));
    }
}

} // namespace

bool IsFormLevelObjectType(int ObjectType)
{
    return ObjectType == otTimer || ObjectType == otDBQuery || ObjectType == otDBTable || ObjectType == otReport;
}

bool IsWindowedObjectType(int ObjectType)
{
    if (ObjectType < 0 || ObjectType > LastWindowedCandidate)
        return false;
    return !WindowlessKinds().test(ObjectType);
}

QString GetObjectTypeName(int ObjectType)
{
    if (ObjectType < 0 || ObjectType >= ObjectTypeCount)
        return QStringLiteral("Unknow");
    return QString::fromLatin1(ObjectTypeNames[ObjectType]);
}

bool IsObjectNameFree(PZvObject Parent, const QString &Name)
{
    if (!Parent)
        return true;
    for (PZvObject child : Parent->Objects) {
        if (child->ObjectName == Name)
            return false;
    }
    return true;
}

QString UniqueObjectName(PZvObject Parent, int ObjectType)
{
    if (!Parent)
        return QStringLiteral("UnKnowObject");
    const QString base = GetObjectTypeName(ObjectType);
    // Among n children at least one of the numbers 1..n+1 is free.
    for (int n = 1;; ++n) {
        const QString name = base + QString::number(n);
        if (IsObjectNameFree(Parent, name))
            return name;
    }
}

void EnsureUniqueObjectName(PZvObject Parent, PZvObject ZvObject)
{
    if (!Parent || !ZvObject)
        return;
    for (PZvObject child : Parent->Objects) {
        // The object itself may already be one of the children; only another one clashes.
        if (child != ZvObject && child->ObjectName == ZvObject->ObjectName) {
            ZvObject->ObjectName = UniqueObjectName(Parent, ZvObject->ObjectType);
            return;
        }
    }
}

PZvObject GetZvObjectFromName(PZvObject PageRoot, const QString &Name)
{
    if (!PageRoot)
        return nullptr;
    return FindByPath(PageRoot, nullptr, Name);
}

PZvObject FindZvObjectOfControl(TControl *Control)
{
    return Control ? Control->ZvObject : nullptr;
}

void ListObjectPaths(PZvObject PageRoot, TObjectNameList Which, TStrings &Names)
{
    if (!PageRoot)
        return;
    ListPaths(PageRoot, nullptr, KindsOfList(Which), Names);
}

void MoveZvObject(PZvObject ParentObject, int Index, int NewIndex)
{
    if (!ParentObject || Index == NewIndex)
        return;
    const int count = int(ParentObject->Objects.size());
    if (Index < 0 || Index >= count || NewIndex < 0 || NewIndex >= count)
        return;
    ParentObject->Objects.move(Index, NewIndex);
    ReSetObjectsOrder(ParentObject);
}

void ReSetObjectsOrder(PZvObject ParentObject)
{
    if (!ParentObject)
        return;
    QList<PZvObject> ordered;
    ordered.reserve(ParentObject->Objects.size());
    for (int group = 0; group < 3; ++group) {
        for (PZvObject child : ParentObject->Objects) {
            if (ObjectGroup(child->ObjectType) == group)
                ordered.append(child);
        }
    }
    ParentObject->Objects = ordered;
    for (PZvObject child : ParentObject->Objects) {
        if (IsFormLevelObjectType(child->ObjectType) && child->ObjectControl)
            child->ObjectControl->raise();
    }
}

int FindFormIndex(const QString &Name)
{
    if (Name.isEmpty())
        return -1;
    for (size_t i = 0; i < RunProject.Forms.size(); ++i) {
        if (RunProject.Forms[i]->FormName == Name)
            return int(i);
    }
    return -1;
}

void ListFormNames(TStrings &Names)
{
    Names.Clear();
    for (const auto &form : RunProject.Forms)
        Names.Add(form->FormName);
}

void MoveFormData(int FromIndex, int ToIndex)
{
    auto &forms = RunProject.Forms;
    const int count = int(forms.size());
    if (FromIndex == ToIndex || FromIndex < 0 || FromIndex >= count || ToIndex < 0 || ToIndex >= count)
        return;
    std::unique_ptr<TFormData> moved = std::move(forms[FromIndex]);
    forms.erase(forms.begin() + FromIndex);
    forms.insert(forms.begin() + ToIndex, std::move(moved));
}

void BuildObjectInfo(PZvObject ZvObject, TObjectInfo *Info)
{
    if (!ZvObject || !Info)
        return;
    BuildInfo(ZvObject, *Info);
}

namespace {

// Rounds to the nearest multiple of the grid step; halves round up for positive values.
int SnapToGrid(int value, int step)
{
    if (step < 1)
        step = 1;
    return (value + step / 2) / step * step;
}

} // namespace

PZvObject AddNewZvObject(PZvObject Parent, TObjectType ObjectType, int Left, int Top, TRunForm *Form)
{
    if (!Parent)
        return nullptr;
    PZvObject object = NewZvObject();
    object->ObjectType = ObjectType;
    object->ObjectName = UniqueObjectName(Parent, ObjectType);
    if (!CreateObjectControl(object, dynamic_cast<TWinControl *>(Parent->ObjectControl), Form, nullptr)) {
        FreeZvObject(object);
        return nullptr;
    }
    Parent->Objects.append(object);
    if (DesignSnapToGrid) {
        Left = SnapToGrid(Left, DesignGridSizeX);
        Top = SnapToGrid(Top, DesignGridSizeY);
    }
    object->ObjectControl->SetLeft(Left);
    object->ObjectControl->SetTop(Top);
    if (TKindControl *kind = KindOf(object->ObjectControl))
        kind->InitNewObject(object->ObjectName);
    return object;
}
