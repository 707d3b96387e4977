// Starting files, documents and programs through the shell with the system's own error
// reporting, and the small "Please Wait..." window shown while a started program runs.
// Everything goes through UiServices(), so tests script the shell.
#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QTimer;

// The shell's text for a result code of ShellExecute; "Operation Error" for any code the
// table does not list (system error numbers such as 1155 included).
QString ShellExecuteErrorText(int code);

// The borderless wait window: runs one ShellExecuteAndWait once it is shown, then closes.
class TDoInstShellExecForm : public QDialog
{
    Q_OBJECT

public:
    explicit TDoInstShellExecForm(QWidget *parent = nullptr);

    QLabel *Label1 = nullptr;
    QTimer *Timer1 = nullptr;

    // Shows the window modally while the call runs; Code receives its result code.
    bool DoWaitExec(const QString &Verb, const QString &FileName, const QString &Parameters, int &Code,
                    int ShowCmd, const QString &Directory);

public slots:
    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void Timer1Timer();

    QString FVerb;
    QString FFileName;
    QString FParameters;
    QString FDirectory;
    int FShowCmd = 0;
    int FResultCode = 0;
    bool FResult = false;
    bool FRunning = false;
};

// Starts a program or document and waits for its end. Directory defaults to the folder of
// FileName. On success Code is 33 and the result True; else Code is the system error number.
bool ShellExecuteAndWait(const QString &Verb, const QString &FileName, const QString &Parameters,
                         const QString &Directory, int ShowCmd, bool WaitForIdle, bool WaitForEnd, int &Code);

// ShellExecuteAndWait behind the wait window.
bool RunWithWaitWindow(const QString &Verb, const QString &FileName, const QString &Parameters, int &Code,
                       int ShowCmd, const QString &Directory);

// The program associated with a document ('' when none).
QString FindAssociatedExecutable(const QString &FileName, const QString &Directory);

// Starts FileName with Verb; a document without a direct "open" falls back to its associated
// program. Any failure is shown once in an error box. True on success.
bool ShellExecuteWithErrors(const QString &Verb, const QString &FileName, const QString &Parameters,
                            const QString &Directory, int ShowCmd, bool Wait);
