// The one door through which the system talks to the user and to the desktop shell:
// message boxes, common dialogs, shell execution and sounds. The program installs
// the Qt implementation; tests install TScriptedUiServices, which answers and records.
#pragma once

#include <QString>
#include <QStringList>

#include "platform/graphics/color.h"

class QWidget;
class TFont;

// Message box styles and answers, with the platform's values.
enum : unsigned {
    MB_OK = 0x0,
    MB_OKCANCEL = 0x1,
    MB_ABORTRETRYIGNORE = 0x2,
    MB_YESNOCANCEL = 0x3,
    MB_YESNO = 0x4,
    MB_RETRYCANCEL = 0x5,
    MB_ICONERROR = 0x10,
    MB_ICONSTOP = MB_ICONERROR,
    MB_ICONQUESTION = 0x20,
    MB_ICONWARNING = 0x30,
    MB_ICONEXCLAMATION = MB_ICONWARNING,
    MB_ICONINFORMATION = 0x40,
    MB_DEFBUTTON2 = 0x100,
    MB_DEFBUTTON3 = 0x200,
    MB_TYPEMASK = 0xF,
    MB_ICONMASK = 0xF0,
    MB_DEFMASK = 0xF00,
};

enum : int {
    IDOK = 1,
    IDCANCEL = 2,
    IDABORT = 3,
    IDRETRY = 4,
    IDIGNORE = 5,
    IDYES = 6,
    IDNO = 7,
};

// Show commands of the shell (SW_...).
enum : int {
    SW_HIDE = 0,
    SW_SHOWNORMAL = 1,
    SW_SHOWMINIMIZED = 2,
    SW_SHOWMAXIMIZED = 3,
    SW_SHOW = 5,
    SW_MINIMIZE = 6,
    SW_SHOWMINNOACTIVE = 7,
    SW_SHOWNA = 8,
    SW_RESTORE = 9,
    SW_SHOWDEFAULT = 10,
};

// What an open or save dialog is asked and what it answers.
struct TFileDialogRequest
{
    QString Title;
    QString Filter;       // "Description|*.ext;*.ext2|All files|*.*"
    int FilterIndex = 1;  // 1-based, as stored by the callers
    QString DefaultExt;   // without the dot
    QString InitialDir;
    QString FileName;     // preset name in, chosen name out
    QStringList Files;    // every chosen file when MultiSelect
    bool MultiSelect = false;
    bool OverwritePrompt = false;
    bool FileMustExist = false;
};

class TUiServices
{
public:
    virtual ~TUiServices() = default;

    // A modal message box; returns IDOK, IDYES, ... as the platform does.
    virtual int MessageBox(const QString &text, const QString &caption, unsigned flags) = 0;

    virtual bool OpenFileDialog(TFileDialogRequest &request) = 0;
    virtual bool SaveFileDialog(TFileDialogRequest &request) = 0;
    // Picks a folder; Folder is preset in and chosen out. NewFolderButton lets the user make
    // a new folder from inside the dialog.
    virtual bool SelectFolderDialog(const QString &caption, QString &folder, bool NewFolderButton = false) = 0;
    virtual bool ColorDialog(TColor &color) = 0;
    virtual bool FontDialog(TFont &font) = 0;

    // Starts a file, document, folder or address with a shell verb. Returns the shell's
    // result code: above 32 on success, else one of the shell's error codes (2, 3, 5, 31 ...).
    virtual int ShellExecute(const QString &verb, const QString &fileName, const QString &parameters,
                             const QString &directory, int showCmd) = 0;
    // Starts a program or document and waits until the started process ends, keeping the
    // user interface alive. Returns True on start; Code then is 33. On failure Code is the
    // system error number (2 missing file, 1155 no association, ...).
    virtual bool ShellExecuteAndWait(const QString &verb, const QString &fileName, const QString &parameters,
                                     const QString &directory, int showCmd, int &code) = 0;
    // The program associated with a document ('' when there is none).
    virtual QString FindExecutable(const QString &fileName, const QString &directory) = 0;

    // Two independent sound channels (0 and 1). PlaySound stops what the channel played and
    // starts the file, over and over while Loop is set; False when it could not be started.
    // StopSound silences the channel. Other channel numbers do nothing.
    virtual bool PlaySound(int channel, const QString &fileName, bool loop) = 0;
    virtual void StopSound(int channel) = 0;
};

// The installed services. Never null once the program or a test has started.
TUiServices &UiServices();
// Installs services (not owned); nullptr restores the Qt implementation.
void SetUiServices(TUiServices *services);

// The parent widget that modal boxes centre on (the active window, or none).
QWidget *DialogParent();
