#include "objects/object_kinds.h"

#include "platform/vcl/controls.h"
#include "objects/bevel.h"
#include "objects/group_box.h"
#include "objects/kind_control.h"
#include "objects/memo.h"
#include "objects/panel.h"
#include "objects/rich_text.h"
#include "objects/scroll_box.h"
#include "objects/simple_text.h"
#include "objects/splitter.h"
#include "objects/standard_button.h"
#include "objects/tab_notebook.h"

namespace {

// The change event of the kinds that have one (the tab notebook's is its page control's).
TNotifyEvent *TabNotebookChange(TControl *control)
{
    return &static_cast<TZvTabNotebook *>(control)->PageControl()->OnChange;
}

TNotifyEvent *MemoChange(TControl *control)
{
    return &static_cast<TZvMemo *>(control)->OnChange;
}

TNotifyEvent *RichTextChange(TControl *control)
{
    return &static_cast<TZvRichText *>(control)->OnChange;
}

// Kind, class, default width and height, version written, oldest version accepted, place
// codes (write, read), web twin, common properties, control factory, web twin factory;
// events raised to the runtime form, change event.
const TObjectKindInfo kKinds[ObjectTypeCount] = {
    {otPanel, "TZvPanel", 193, 193, 0, 0, 4089, 4090, nullptr, cpAllSix, &CreateZvPanel, nullptr,
     evAllSeven, nullptr},
    {otTabNotebook, "TZvTabNotebook", 289, 193, 1, 0, 4085, 4086, nullptr, cpAllSix, &CreateZvTabNotebook, nullptr,
     evClickPair | evHoverPair | evMouseDown | evMouseMove | evChangeOutsideEditing, &TabNotebookChange},
    {otTabSheet, "TZvTabSheet", -1, -1, 0, 0, 4083, 4084, nullptr, cpNoAlign, &CreateZvTabSheet, nullptr,
     evAllSeven, nullptr},
    {otGroupBox, "TZvGroupBox", 193, 193, 0, 0, 4081, 4082, nullptr, cpAllSix, &CreateZvGroupBox, nullptr,
     evAllSeven, nullptr},
    {otScrollBox, "TZvScrollBox", 289, 193, 0, 0, 4067, 4068, nullptr, cpAllSix, &CreateZvScrollBox, nullptr,
     evAllSeven, nullptr},
    {otSplitter, "TZvSplitter", 5, -1, 0, 0, 4079, 4080, nullptr, cpSplitter, &CreateZvSplitter, nullptr,
     evAllSeven, nullptr},
    {otStandardButton, "TZvStandardButton", 97, 25, 0, 0, 4077, 4078, "TWebButton", cpAllSix, &CreateZvStandardButton, &CreateWebButton,
     evAllSeven, nullptr},
    {otImageButton, "TZvImageButton", 129, 33, 0, 0, 4001, 4002, nullptr, cpAllSix, nullptr, nullptr,
     evAllSeven, nullptr},
    {otSimpleText, "TZvSimpleText", 97, 17, 0, 0, 4073, 4074, "TWebLabel", cpAllSix, &CreateZvSimpleText, &CreateWebLabel,
     evAllSeven, nullptr},
    {otImage, "TZvImage", 193, 193, 1, 0, 4075, 4076, "TWebImage", cpAllSix, nullptr, nullptr,
     evAllSeven, nullptr},
    {otBevel, "TZvBevel", 193, 193, 0, 0, 4065, 4066, "TWebBevel", cpAllSix, &CreateZvBevel, &CreateWebBevel,
     evAllSeven, nullptr},
    {otEdit, "TZvEdit", 97, -1, 0, 0, 4129, 4130, "TWebEdit", cpAllSix, nullptr, nullptr,
     evAllSeven | evChange, nullptr},
    {otCheckBox, "TZvCheckBox", 97, -1, 0, 0, 4127, 4128, "TWebCheckBox", cpAllSix, nullptr, nullptr,
     evAllSeven, nullptr},
    {otRadioButton, "TZvRadioButton", 97, -1, 0, 0, 4125, 4126, "TWebRadioButton", cpAllSix, nullptr, nullptr,
     evAllSeven, nullptr},
    {otListBox, "TZvListBox", 193, 193, 0, 0, 4121, 4122, "TWebListBox", cpAllSix, nullptr, nullptr,
     evAllSeven, nullptr},
    {otComboBox, "TZvComboBox", 193, 193, 0, 0, 4123, 4124, "TWebComboBox", cpAllSix, nullptr, nullptr,
     evAllSeven, nullptr},
    {otMemo, "TZvMemo", 193, 193, 0, 0, 4071, 4072, "TWebMemo", cpAllSix, &CreateZvMemo, &CreateWebMemo,
     evAllSeven | evChange, &MemoChange},
    {otMaskEdit, "TZvMaskEdit", 97, -1, 0, 0, 4115, 4116, nullptr, cpAllSix, nullptr, nullptr,
     evAllSeven | evChange, nullptr},
    {otSpinEdit, "TZvSpinEdit", 97, -1, 0, 0, 4117, 4118, nullptr, cpAllSix, nullptr, nullptr,
     evAllSeven | evChange, nullptr},
    {otDateTimePicker, "TZvDateTimePicker", 193, 193, 0, 0, 4119, 4120, nullptr, cpAllSix, nullptr, nullptr,
     evAllSeven | evChange, nullptr},
    {otRichText, "TZvRichText", 193, 193, 0, 0, 4069, 4070, nullptr, cpAllSix, &CreateZvRichText, nullptr,
     evAllSeven | evChange, &RichTextChange},
    {otTimer, "TZvTimer", 24, 24, 0, 0, 0, 0, nullptr, cpNone, nullptr, nullptr,
     evChangeOutsideEditing, nullptr},
    {otDBQuery, "TZvDBQuery", 24, 24, 0, 0, 4063, 4064, "TWebDBQuery", cpNone, nullptr, nullptr,
     evNone, nullptr},
    {otDBTable, "TZvDBTable", 24, 24, 0, 0, 4061, 4062, "TWebDBTable", cpNone, nullptr, nullptr,
     evNone, nullptr},
    {otDBNavigator, "TZvDBNavigator", 289, 25, 0, 0, 4059, 4060, "TWebDBNavigator", cpAllSix, nullptr, nullptr,
     evNone, nullptr},
    {otDBGrid, "TZvDBGrid", 289, 193, 0, 0, 4056, 4058, "TWebDBGrid", cpAllSix, nullptr, nullptr,
     evHoverPair, nullptr},
    {otDBText, "TZvDBText", 97, 17, 0, 0, 4053, 4054, "TWebDBText", cpAllSix, nullptr, nullptr,
     evAllSeven, nullptr},
    {otDBEdit, "TZvDBEdit", 97, -1, 0, 0, 4051, 4052, "TWebDBEdit", cpAllSix, nullptr, nullptr,
     evAllSeven | evChange, nullptr},
    {otDBMemo, "TZvDBMemo", 193, 193, 0, 0, 4049, 4050, "TWebDBMemo", cpAllSix, nullptr, nullptr,
     evAllSeven | evChange, nullptr},
    {otDBListBox, "TZvDBListBox", 193, 193, 0, 0, 4045, 4046, "TWebDBListBox", cpAllSix, nullptr, nullptr,
     evAllSeven, nullptr},
    {otDBComboBox, "TZvDBComboBox", 193, 193, 0, 0, 4043, 4044, "TWebDBComboBox", cpAllSix, nullptr, nullptr,
     evAllSeven, nullptr},
    {otDBRadioGroup, "TZvDBRadioGroup", 193, 193, 0, 0, 4041, 4042, "TWebDBRadioGroup", cpAllSix, nullptr, nullptr,
     evAllSeven, nullptr},
    {otDBCheckBox, "TZvDBCheckBox", 97, 17, 0, 0, 4047, 4048, "TWebDBCheckBox", cpAllSix, nullptr, nullptr,
     evAllSeven, nullptr},
    {otDBLookupListBox, "TZvDBLookupListBox", 193, 193, 0, 0, 4039, 4040, "TWebDBLookupListBox", cpAllSix, nullptr, nullptr,
     evAllSeven, nullptr},
    {otDBLookupComboBox, "TZvDBLookupComboBox", 193, 193, 0, 0, 4037, 4038, "TWebDBLookupComboBox", cpAllSix, nullptr, nullptr,
     evAllSeven, nullptr},
    {otDBRichText, "TZvDBRichText", 193, 193, 0, 0, 4035, 4036, nullptr, cpAllSix, nullptr, nullptr,
     evHoverPair | evMouseTrio, nullptr},
    {otDBImage, "TZvDBImage", 193, 193, 0, 0, 4033, 4034, "TWebDBImage", cpAllSix, nullptr, nullptr,
     evHoverPair | evMouseTrio, nullptr},
    {otDBChart, "TZvDBChart", 361, 201, 0, 0, 4031, 4032, "TWebDBChart", cpAllSix, nullptr, nullptr,
     evAllSeven, nullptr},
    {otReport, "TZvReport", -1, -1, 1, 0, 4029, 4030, nullptr, cpVisibleOnly, nullptr, nullptr,
     evNone, nullptr},
    {otRepBand, "TZvRepBand", -1, -1, 0, 0, 4027, 4028, nullptr, cpNone, nullptr, nullptr,
     evNone, nullptr},
    {otRepSubDetailBand, "TZvRepSubDetailBand", -1, -1, 0, 0, 4025, 4026, nullptr, cpNone, nullptr, nullptr,
     evNone, nullptr},
    {otRepLabel, "TZvRepLabel", 97, 17, 0, 0, 4023, 4024, nullptr, cpNone, nullptr, nullptr,
     evNone, nullptr},
    {otRepDBText, "TZvRepDBText", 97, 17, 0, 0, 4021, 4022, nullptr, cpNone, nullptr, nullptr,
     evNone, nullptr},
    {otRepDBRichText, "TZvRepDBRichText", 97, 17, 0, 0, 4009, 4010, nullptr, cpNone, nullptr, nullptr,
     evNone, nullptr},
    {otRepDBImage, "TZvRepDBImage", 97, 17, 0, 0, 4005, 4006, nullptr, cpNone, nullptr, nullptr,
     evNone, nullptr},
    {otRepExpr, "TZvRepExpr", 97, 17, 0, 0, 4013, 4014, nullptr, cpNone, nullptr, nullptr,
     evNone, nullptr},
    {otRepSysData, "TZvRepSysData", 97, 17, 0, 0, 4019, 4020, nullptr, cpNone, nullptr, nullptr,
     evNone, nullptr},
    {otRepMemo, "TZvRepMemo", 97, 17, 0, 0, 4011, 4012, nullptr, cpNone, nullptr, nullptr,
     evNone, nullptr},
    {otRepRichText, "TZvRepRichText", 97, 17, 0, 0, 4007, 4008, nullptr, cpNone, nullptr, nullptr,
     evNone, nullptr},
    {otRepImage, "TZvRepImage", 97, 17, 0, 0, 4003, 4004, nullptr, cpNone, nullptr, nullptr,
     evNone, nullptr},
    {otRepShape, "TZvRepShape", 97, 17, 0, 0, 4017, 4018, nullptr, cpNone, nullptr, nullptr,
     evNone, nullptr},
    {otRepContainer, "TZvRepContainer", 97, 17, 0, 0, 4003, 4004, nullptr, cpNone, nullptr, nullptr,
     evNone, nullptr},
    {otScrollBar, "TZvScrollBar", 193, 17, 0, 0, 0, 0, nullptr, cpAllSix, nullptr, nullptr,
     evChange, nullptr},
    {otTrackBar, "TZvTrackBar", 193, 33, 0, 0, 0, 0, nullptr, cpAllSix, nullptr, nullptr,
     evChange, nullptr},
    {otProgressBar, "TZvProgressBar", 193, 17, 0, 0, 0, 0, nullptr, cpAllSix, nullptr, nullptr,
     evNone, nullptr},
    {otMonthCalendar, "TZvMonthCalendar", 193, 193, 0, 0, 0, 0, nullptr, cpAllSix, nullptr, nullptr,
     evClickPair | evHoverPair, nullptr},
    {otColorBox, "TZvColorBox", 193, 25, 0, 0, 0, 0, nullptr, cpAllSix, nullptr, nullptr,
     evChange, nullptr},
    {otScrollText, "TZvScrollText", 193, 193, 0, 0, 5421, 5422, nullptr, cpAllSix, nullptr, nullptr,
     evAllSeven, nullptr},
    {otFadeButton, "TZvFadeButton", 193, 49, 0, 0, 5481, 5482, nullptr, cpAllSix, nullptr, nullptr,
     evAllSeven, nullptr},
    {otLabel, "TZvLabel", 97, 17, 1, 0, 5415, 5416, nullptr, cpAllSix, nullptr, nullptr,
     evAllSeven, nullptr},
    {otText, "TZvText", 193, 193, 1, 0, 5413, 5414, nullptr, cpAllSix, nullptr, nullptr,
     evAllSeven, nullptr},
    {otShape, "TZvShape", 193, 193, 1, 0, 5411, 5412, nullptr, cpAllSix, nullptr, nullptr,
     evAllSeven, nullptr},
    {otBalloon, "TZvBalloon", 193, 65, 0, 0, 5409, 5410, nullptr, cpAllSix, nullptr, nullptr,
     evAllSeven, nullptr},
    {otNote, "TZvNote", 193, 193, 0, 0, 5407, 5408, nullptr, cpAllSix, nullptr, nullptr,
     evAllSeven, nullptr},
    {otSlideShow, "TZvSlideShow", 193, 193, 0, 0, 0, 0, nullptr, cpAllSix, nullptr, nullptr,
     evAllSeven | evChange, nullptr},
    {otListView, "TZvListView", 193, 193, 0, 0, 5447, 5448, nullptr, cpAllSix, nullptr, nullptr,
     evAllSeven, nullptr},
    {otTreeView, "TZvTreeView", 193, 193, 0, 0, 5451, 5452, nullptr, cpAllSix, nullptr, nullptr,
     evAllSeven, nullptr},
    {otWebBrowser, "TZvWebBrowser", 289, 193, 0, 0, 0, 0, nullptr, cpAllSix, nullptr, nullptr,
     evNone, nullptr},
    {otMediaPlayer, "TZvMediaPlayer", 289, 193, 0, 0, 0, 0, nullptr, cpAllSix, nullptr, nullptr,
     evAllSeven, nullptr},
    {otFlashPlayer, "TZvFlashPlayer", 289, 193, 0, 0, 0, 0, nullptr, cpAllSix, nullptr, nullptr,
     evAllSeven, nullptr},
    {otPDFReader, "TZvPDFReader", 289, 193, 0, 0, 0, 0, nullptr, cpAllSix, nullptr, nullptr,
     evAllSeven, nullptr},
    {otMultilineText, "TZvMultilineText", 193, 193, 1, 0, 4073, 4074, nullptr, cpAllSix, nullptr, nullptr,
     evAllSeven, nullptr},
};

} // namespace

const TObjectKindInfo *FindObjectKindInfo(int kind)
{
    if (kind < 0 || kind >= ObjectTypeCount)
        return nullptr;
    return &kKinds[kind];
}

const TObjectKindInfo &ObjectKindInfo(TObjectType kind)
{
    return kKinds[kind];
}

bool KindAcceptsVersion(const TObjectKindInfo &info, int32_t version)
{
    return version >= info.MinVersion && version <= info.VersionWritten;
}

TKindControl *KindOf(TControl *control)
{
    return dynamic_cast<TKindControl *>(control);
}
