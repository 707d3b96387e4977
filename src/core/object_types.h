// The kinds of form objects and the action commands, in their stored order (one byte each).
#pragma once

#include <cstdint>

enum TObjectType : uint8_t {
    otPanel, otTabNotebook, otTabSheet, otGroupBox, otScrollBox, otSplitter, otStandardButton,
    otImageButton, otSimpleText, otImage, otBevel, otEdit, otCheckBox, otRadioButton, otListBox,
    otComboBox, otMemo, otMaskEdit, otSpinEdit, otDateTimePicker, otRichText, otTimer, otDBQuery,
    otDBTable, otDBNavigator, otDBGrid, otDBText, otDBEdit, otDBMemo, otDBListBox, otDBComboBox,
    otDBRadioGroup, otDBCheckBox, otDBLookupListBox, otDBLookupComboBox, otDBRichText, otDBImage,
    otDBChart, otReport, otRepBand, otRepSubDetailBand, otRepLabel, otRepDBText, otRepDBRichText,
    otRepDBImage, otRepExpr, otRepSysData, otRepMemo, otRepRichText, otRepImage, otRepShape,
    otRepContainer, otScrollBar, otTrackBar, otProgressBar, otMonthCalendar, otColorBox,
    otScrollText, otFadeButton, otLabel, otText, otShape, otBalloon, otNote, otSlideShow,
    otListView, otTreeView, otWebBrowser, otMediaPlayer, otFlashPlayer, otPDFReader,
    otMultilineText,
};
constexpr int ObjectTypeCount = 72;

enum TCommandType : uint8_t {
    ctDatabase, ctDataSet, ctDataSetLocate, ctExecuteSQL, ctDBGridNextPage, ctDBGridPriorPage,
    ctPreviewPreport, ctPrintReport, ctPrinterSetup, ctCloseForm, ctExit, ctShowForm,
    ctShowFormModal, ctMessage, ctShellExecute, ctSetPropertyValue, ctIfThenElse, ctLoop,
    ctLoadFromFile, ctSaveToFile, ctDialog, ctDoCustomActions, ctSetFocus, ctOpenRunFile,
    ctVisitWebsite, ctSendEmail, ctPrintDocument, ctBrowse, ctPlaySound, ctStopSound,
    ctPlayBackMusic, ctStopBackMusic, ctSlideShow, ctMediaPlayer, ctLoadChildObjects,
    ctGoToForm, ctFileAndDir, ctString, ctColor, ctDateTime, ctRegistry, ctShell,
    ctApplication, ctArithmetic,
};
constexpr int CommandTypeCount = 44;

enum TApplicationType : uint8_t { atNormal, atWebStandAlone };

enum TSecurityType : uint8_t { stNone, stUser, stAuthentication };
