// The one failure-reporting scheme of every reader and writer: a message box captioned
// "Error" that ends with the routine's place code. Only the designer and desktop programs
// show these; a web stand-alone program reports nothing.
#pragma once

#include <QString>

// Place codes of the project storage routines.
enum TPlaceCode : int {
    pcAppendProjectToExe = 100,
    pcLoadAppendedProject = 101,
    pcLoadFormFromSourceFile = 102,
    pcWriteProjectFile = 104,
    pcOpenProjectFile = 105,
    pcSavePicture = 5205,
    pcLoadPicture = 5206,
    pcSaveFont = 5207,
    pcLoadFont = 5208,
    pcWriteString = 5209,
    pcReadString = 5210,
    pcPackMenuActions = 5501,
    pcUnpackMenuActions = 5502,
    pcWriteStatusPanel = 5503,
    pcReadStatusPanel = 5504,
    pcWriteMenuItem = 5505,
    pcReadMenuItem = 5506,
    pcWriteAction = 5509,
    pcReadAction = 5510,
    pcWriteActionList = 5511,
    pcReadActionList = 5512,
    pcWriteObjectRecord = 5513,
    pcReadObjectRecord = 5514,
    pcWriteOutline = 5517,
    pcReadOutline = 5518,
    pcWriteFormHeader = 5519,
    pcReadFormHeader = 5520,
    pcCopyFormBody = 5521,
    pcWriteProjectBody = 5522,
    pcReadProjectBody = 5523,
    pcLoadFormBody = 5524,
    pcSaveFormBody = 5525,
};

// True when message boxes of the storage routines may show: in the designer, or when the
// project is a desktop project.
bool StorageMessagesShown();

void ShowErrorMessage(const QString &Text);
// "<system text> (Error Code: <last error>/<place code>)."
void ShowLastError(int PlaceCode);
// "\"<file>\", <system text> (Error Code: <last error>/<place code>)."
void ShowFileError(int PlaceCode, const QString &FileName);
// "Invalid data, maybe software version problem." captioned "Data Error".
void ShowDataVersionError();
