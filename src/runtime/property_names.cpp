#include "runtime/property_names.h"

#include <array>
#include <vector>

#include "platform/rtl/strings.h"

namespace {

// When a token is listed.
enum : unsigned {
    tcAlways = 0,
    tcReadOnly = 0x01,    // only for a source or a comparison operand
    tcWriteOnly = 0x02,   // only for a target
    tcSourceOnly = 0x04,  // only for a source
    tcNotCompare = 0x08,  // never for a comparison operand
    tcDesktopOnly = 0x10, // only in a desktop project
};

struct TPropertyToken
{
    const char *Name;
    unsigned Conditions;
};

struct TKindTokens
{
    std::vector<TObjectType> Kinds;
    std::vector<TPropertyToken> Tokens;
    bool Geometry = true;      // "[Left]", "[Top]", "[Width]", "[Height]" follow the tokens
    bool DataSetRows = false;  // the tokens follow the field names and are left out with FieldsOnly
};

constexpr unsigned R = tcReadOnly;
constexpr unsigned W = tcWriteOnly;
constexpr unsigned S = tcSourceOnly;
constexpr unsigned nC = tcNotCompare;
constexpr unsigned D = tcDesktopOnly;

// Every kind appears in exactly one row.
const std::vector<TKindTokens> &KindTokenTable()
{
    static const std::vector<TKindTokens> table = {
        {{otPanel, otGroupBox},
         {{"[Caption]", 0}, {"[Font]", nC}, {"[BackColor]", 0}, {"[Enabled]", 0}, {"[Visible]", 0}}},
        {{otTabNotebook},
         {{"[ActiveIndex]", 0}, {"[Count]", R}, {"[Font]", nC}, {"[BackColor]", 0}, {"[Enabled]", 0},
          {"[Visible]", 0}}},
        {{otTabSheet, otSplitter, otReport}, {}, false},
        {{otScrollBox, otDBText}, {{"[Font]", nC}, {"[BackColor]", 0}, {"[Enabled]", 0}, {"[Visible]", 0}}},
        {{otStandardButton}, {{"[Caption]", 0}, {"[Font]", nC}, {"[Enabled]", 0}, {"[Visible]", 0}}},
        {{otImageButton}, {{"[Caption]", 0}, {"[Enabled]", 0}, {"[Visible]", 0}}},
        {{otSimpleText},
         {{"[Caption]", 0},
          {"[Font]", nC},
          {"[BackColor]", 0},
          {"[Enabled]", 0},
          {"[Visible]", 0},
          {"[VariableString]", 0},
          {"[VariableInteger]", 0},
          {"[VariableFloat]", 0},
          {"[VariableDateTime]", 0},
          {"[VariableBoolean]", 0},
          {"[VariableColor]", 0},
          {"[VariableStringToInteger]", S},
          {"[VariableStringToFloat]", S},
          {"[VariableStringToDateTime]", S},
          {"[VariableStringToBoolean]", S},
          {"[VariableString + ]", S},
          {"[VariableString Length]", S},
          {"[VariableString LowerCase]", S},
          {"[VariableString UpperCase]", S},
          {"[VariableString Trim]", S},
          {"[VariableIntegerToString]", S},
          {"[VariableInteger + ]", S},
          {"[VariableInteger - ]", S},
          {"[VariableInteger * ]", S},
          {"[VariableInteger / ]", S},
          {"[VariableFloatToString]", S},
          {"[VariableFloat + ]", S},
          {"[VariableFloat - ]", S},
          {"[VariableFloat * ]", S},
          {"[VariableFloat / ]", S},
          {"[VariableDateTimeToString]", S},
          {"[VariableDateTimeToDateString]", S},
          {"[VariableDateTimeToTimeString]", S},
          {"[VariableBooleanToString]", S},
          {"[VariableBoolean Not]", S}}},
        {{otImage}, {{"[Image]", nC}, {"[Enabled]", 0}, {"[Visible]", 0}}},
        {{otBevel}, {{"[Enabled]", 0}, {"[Visible]", 0}}},
        {{otEdit, otMaskEdit, otMultilineText},
         {{"[Text]", 0}, {"[Font]", nC}, {"[BackColor]", 0}, {"[Enabled]", 0}, {"[Visible]", 0}}},
        {{otCheckBox, otRadioButton}, {{"[Caption]", 0}, {"[Checked]", 0}, {"[Enabled]", 0}, {"[Visible]", 0}}},
        {{otListBox, otComboBox},
         {{"[Text]", 0},
          {"[SelectedIndex]", 0},
          {"[Value]", 0},
          {"[Items]", 0},
          {"[Values]", 0},
          {"[Add Item]", W},
          {"[Add Value]", W},
          {"[Count]", R},
          {"[ValueCount]", R},
          {"[Font]", nC},
          {"[BackColor]", 0},
          {"[Enabled]", 0},
          {"[Visible]", 0}}},
        {{otMemo},
         {{"[Text]", 0}, {"[Add Line]", W}, {"[LineCount]", R}, {"[Font]", nC}, {"[BackColor]", 0},
          {"[Enabled]", 0}, {"[Visible]", 0}}},
        {{otSpinEdit},
         {{"[Value]", 0}, {"[AsString]", S}, {"[Font]", nC}, {"[BackColor]", 0}, {"[Enabled]", 0},
          {"[Visible]", 0}}},
        {{otDateTimePicker},
         {{"[DateTime]", 0}, {"[DateString]", S}, {"[TimeString]", S}, {"[DateTimeString]", S},
          {"[FormatString]", S}, {"[Font]", nC}, {"[Enabled]", 0}, {"[Visible]", 0}}},
        {{otRichText}, {{"[RichText]", nC}, {"[Enabled]", 0}, {"[Visible]", 0}}},
        {{otTimer}, {{"[Interval]", 0}, {"[Enabled]", 0}}, false},
        {{otDBQuery},
         {{"[RecordCount]", R}, {"[IsFirstRecord]", R}, {"[IsLastRecord]", R}, {"[IsActive]", R}, {"[SQL]", 0}},
         false,
         true},
        {{otDBTable},
         {{"[RecordCount]", R}, {"[IsFirstRecord]", R}, {"[IsLastRecord]", R}, {"[IsActive]", R},
          {"[Filter]", 0}},
         false,
         true},
        {{otDBNavigator,
          otRepBand,
          otRepSubDetailBand,
          otRepDBText,
          otRepDBRichText,
          otRepDBImage,
          otRepExpr,
          otRepSysData,
          otRepImage,
          otRepShape,
          otRepContainer},
         {}},
        {{otDBGrid},
         {{"[ReadOnly]", D}, {"[Font]", D | nC}, {"[FixedColor]", 0}, {"[BackColor]", 0}, {"[Enabled]", 0},
          {"[Visible]", 0}}},
        {{otDBEdit},
         {{"[Text]", D}, {"[ReadOnly]", 0}, {"[Font]", nC}, {"[BackColor]", 0}, {"[Enabled]", 0},
          {"[Visible]", 0}}},
        {{otDBMemo},
         {{"[Text]", D}, {"[Add Line]", D | W}, {"[LineCount]", D | R}, {"[ReadOnly]", D}, {"[Font]", nC},
          {"[BackColor]", 0}, {"[Enabled]", 0}, {"[Visible]", 0}}},
        {{otDBListBox, otDBComboBox},
         {{"[ReadOnly]", D}, {"[Items]", 0}, {"[Add Item]", W}, {"[Count]", R}, {"[Font]", nC},
          {"[BackColor]", 0}, {"[Enabled]", 0}, {"[Visible]", 0}}},
        {{otDBRadioGroup},
         {{"[ReadOnly]", D}, {"[Items]", 0}, {"[Values]", 0}, {"[Add Item]", W}, {"[Add Value]", W},
          {"[Count]", R}, {"[ValueCount]", R}, {"[Font]", nC}, {"[BackColor]", D}, {"[Enabled]", 0},
          {"[Visible]", 0}}},
        {{otDBCheckBox},
         {{"[Caption]", 0}, {"[ReadOnly]", D}, {"[Font]", nC}, {"[BackColor]", D}, {"[Enabled]", 0},
          {"[Visible]", 0}}},
        {{otDBLookupListBox, otDBLookupComboBox},
         {{"[ReadOnly]", D}, {"[Font]", nC}, {"[BackColor]", 0}, {"[Enabled]", 0}, {"[Visible]", 0}}},
        // The data-aware rich text keeps its text for comparisons too.
        {{otDBRichText},
         {{"[RichText]", 0}, {"[ReadOnly]", 0}, {"[BackColor]", 0}, {"[Enabled]", 0}, {"[Visible]", 0}}},
        {{otDBImage},
         {{"[Image]", D}, {"[AutoDisplay]", D}, {"[ReadOnly]", D}, {"[Font]", D | nC}, {"[BackColor]", D},
          {"[Enabled]", 0}, {"[Visible]", 0}}},
        {{otDBChart},
         {{"[Title]", 0},
          {"[TitleFont]", D | nC},
          {"[Foot]", 0},
          {"[FootFont]", D | nC},
          {"[SeriesIndex]", 0},
          {"[Add Value]", W},
          {"[Delete Value]", W},
          {"[ValueIndex]", 0},
          {"[YValue]", 0},
          {"[XValue]", 0},
          {"[BackColor]", 0},
          {"[GradientStartColor]", 0},
          {"[GradientEndColor]", 0},
          {"[Enabled]", 0},
          {"[Visible]", 0}}},
        {{otRepLabel}, {{"[Caption]", 0}, {"[Font]", nC}, {"[BackColor]", 0}}},
        {{otRepMemo}, {{"[Text]", 0}, {"[Font]", nC}, {"[BackColor]", 0}}},
        {{otRepRichText}, {{"[RichText]", nC}}},
        {{otScrollBar},
         {{"[Position]", 0}, {"[Max]", 0}, {"[Min]", 0}, {"[LargeChange]", 0}, {"[SmallChange]", 0},
          {"[Enabled]", 0}, {"[Visible]", 0}}},
        {{otTrackBar},
         {{"[Position]", 0}, {"[Max]", 0}, {"[Min]", 0}, {"[PageSize]", 0}, {"[LineSize]", 0},
          {"[Frequency]", 0}, {"[ThumbLength]", 0}, {"[Enabled]", 0}, {"[Visible]", 0}}},
        {{otProgressBar}, {{"[Position]", 0}, {"[Max]", 0}, {"[Min]", 0}, {"[Enabled]", 0}, {"[Visible]", 0}}},
        {{otMonthCalendar}, {{"[Date]", 0}, {"[Enabled]", 0}, {"[Visible]", 0}}},
        {{otColorBox}, {{"[Color]", 0}, {"[Font]", nC}, {"[Enabled]", 0}, {"[Visible]", 0}}},
        {{otScrollText},
         {{"[Text]", 0}, {"[ScrollStep]", 0}, {"[Font]", nC}, {"[BackColor]", 0}, {"[Enabled]", 0},
          {"[Visible]", 0}}},
        {{otFadeButton},
         {{"[Caption]", 0}, {"[Font]", nC}, {"[Image]", nC}, {"[Alpha]", 0}, {"[BackColor]", 0},
          {"[BorderColor]", 0}, {"[Enabled]", 0}, {"[Visible]", 0}}},
        {{otLabel}, {{"[Caption]", 0}, {"[Font]", nC}, {"[Alpha]", 0}, {"[Enabled]", 0}, {"[Visible]", 0}}},
        {{otText}, {{"[Text]", 0}, {"[Font]", nC}, {"[Alpha]", 0}, {"[Enabled]", 0}, {"[Visible]", 0}}},
        {{otShape},
         {{"[Text]", 0}, {"[Font]", nC}, {"[PenColor]", 0}, {"[PenWidth]", 0}, {"[BrushColor]", 0},
          {"[GradientColor]", 0}, {"[Round]", 0}, {"[Image]", nC}, {"[Alpha]", 0}, {"[Enabled]", 0},
          {"[Visible]", 0}}},
        {{otBalloon},
         {{"[Text]", 0}, {"[Font]", nC}, {"[BackColor]", 0}, {"[BorderColor]", 0}, {"[Alpha]", 0},
          {"[Enabled]", 0}, {"[Visible]", 0}}},
        {{otNote},
         {{"[Text]", 0}, {"[Font]", nC}, {"[BackColor]", 0}, {"[Alpha]", 0}, {"[Enabled]", 0}, {"[Visible]", 0}}},
        {{otSlideShow},
         {{"[Folder]", 0}, {"[Interval]", 0}, {"[ActiveIndex]", 0}, {"[FileName]", R}, {"[Count]", R},
          {"[Alpha]", 0}, {"[Enabled]", 0}, {"[Visible]", 0}}},
        {{otListView, otTreeView},
         {{"[SelectedIndex]", 0}, {"[Count]", R}, {"[Font]", nC}, {"[BackColor]", 0}, {"[Enabled]", 0},
          {"[Visible]", 0}}},
        {{otWebBrowser}, {{"[URL]", 0}, {"[Enabled]", 0}, {"[Visible]", 0}}},
        {{otMediaPlayer, otFlashPlayer, otPDFReader}, {{"[FileName]", 0}, {"[Enabled]", 0}, {"[Visible]", 0}}},
    };
    return table;
}

// The row of each kind, indexed by the kind's stored number.
const TKindTokens *KindTokens(TObjectType Kind)
{
    static const std::array<const TKindTokens *, ObjectTypeCount> byKind = [] {
        std::array<const TKindTokens *, ObjectTypeCount> rows{};
        for (const TKindTokens &row : KindTokenTable()) {
            for (TObjectType kind : row.Kinds) {
                Q_ASSERT(!rows[kind]);
                rows[kind] = &row;
            }
        }
        return rows;
    }();
    return int(Kind) < ObjectTypeCount ? byKind[Kind] : nullptr;
}

bool Listed(unsigned Conditions, bool ForSource, bool ForCompare, bool Desktop)
{
    if ((Conditions & tcReadOnly) && !ForSource && !ForCompare)
        return false;
    if ((Conditions & tcWriteOnly) && (ForSource || ForCompare))
        return false;
    if ((Conditions & tcSourceOnly) && !ForSource)
        return false;
    if ((Conditions & tcNotCompare) && ForCompare)
        return false;
    if ((Conditions & tcDesktopOnly) && !Desktop)
        return false;
    return true;
}

} // namespace

void GetObjectPropertyNames(PZvObject ZvObject, TStrings *Strings, bool ForSource, bool ForCompare,
                            bool FieldsOnly)
{
    if (!ZvObject || !Strings)
        return;
    const TKindTokens *row = KindTokens(ZvObject->ObjectType);
    if (!row)
        return;
    if (row->DataSetRows && FieldsOnly)
        return;

    const bool desktop = RunProject.ApplicationType == atNormal;
    for (const TPropertyToken &token : row->Tokens) {
        if (Listed(token.Conditions, ForSource, ForCompare, desktop))
            Strings->Add(QString::fromLatin1(token.Name));
    }
    if (row->Geometry) {
        for (const char *name : {"[Left]", "[Top]", "[Width]", "[Height]"})
            Strings->Add(QString::fromLatin1(name));
    }
}
