// The scripted stand-in for the user: answers message boxes and dialogs from queues set by
// a test, runs shell requests through handlers the test supplies, and records every call.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

#include "platform/graphics/font.h"
#include "platform/ui_services.h"

struct TUiCall
{
    QString Kind;    // "MessageBox", "OpenFileDialog", "ShellExecute", ...
    QString Text;    // message text, dialog title or file name
    QString Caption; // message caption, verb
    unsigned Flags = 0;
    QStringList Args; // further arguments in call order
};

class TScriptedUiServices : public TUiServices
{
public:
    // Installs itself on construction and restores the previous services on destruction.
    TScriptedUiServices();
    ~TScriptedUiServices() override;

    // Answers, taken first in first out. With an empty queue a message box answers its
    // first button (IDOK, IDYES, IDABORT or IDRETRY) and dialogs answer "cancelled".
    QList<int> MessageAnswers;
    QList<QString> FileAnswers;   // open/save/folder dialogs: the chosen name ('' = cancel)
    QList<TColor> ColorAnswers;
    QList<TFont> FontAnswers;

    // Shell requests; unset handlers answer "file not found" (2) and record the call.
    std::function<int(const QString &verb, const QString &file, const QString &params, const QString &dir,
                      int showCmd)> ShellHandler;
    std::function<bool(const QString &verb, const QString &file, const QString &params, const QString &dir,
                       int showCmd, int &code)> ShellWaitHandler;
    std::function<QString(const QString &file, const QString &dir)> FindExecutableHandler;
    // Answers of PlaySound, first in first out; with an empty queue a sound starts (True).
    QList<bool> SoundAnswers;

    // When set, each recorded call is also appended to this file as one line
    // "Kind|Caption|Text|Flags" (used by tests that watch a child process).
    QString LogFileName;

    QList<TUiCall> Calls;
    QList<TUiCall> CallsOf(const QString &kind) const;
    QStringList Messages() const; // texts of every message box, in order

    int MessageBox(const QString &text, const QString &caption, unsigned flags) override;
    bool OpenFileDialog(TFileDialogRequest &request) override;
    bool SaveFileDialog(TFileDialogRequest &request) override;
    // Recorded with Flags 1 when the new-folder button is offered, else 0.
    bool SelectFolderDialog(const QString &caption, QString &folder, bool NewFolderButton = false) override;
    bool ColorDialog(TColor &color) override;
    // Recorded with Text the font's name and Args its size, style bits and colour.
    bool FontDialog(TFont &font) override;
    int ShellExecute(const QString &verb, const QString &fileName, const QString &parameters,
                     const QString &directory, int showCmd) override;
    bool ShellExecuteAndWait(const QString &verb, const QString &fileName, const QString &parameters,
                             const QString &directory, int showCmd, int &code) override;
    QString FindExecutable(const QString &fileName, const QString &directory) override;
    // Recorded as "PlaySound" (Text file, Flags channel, Args loop "1"/"0") and "StopSound".
    bool PlaySound(int channel, const QString &fileName, bool loop) override;
    void StopSound(int channel) override;

private:
    void Record(const TUiCall &call);
    bool AnswerFile(const QString &kind, TFileDialogRequest &request);
    TUiServices *m_previous = nullptr;
};

// Environment variable naming a log file: when set at start, the program answers every
// box with its default button and records it there instead of showing it.
constexpr const char *kTestUiEnvironmentVariable = "ZANDROVEL_TEST_UI";
// Installs a process-wide scripted service when the variable is set; true when it did.
bool InstallTestUiFromEnvironment();
