#include "core/shell_execute.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTimer>

#include "platform/graphics/color.h"
#include "platform/graphics/font.h"
#include "platform/paths.h"
#include "platform/ui_services.h"

namespace {

constexpr int kWaitSuccessCode = 33;
constexpr int kNoAssociationCode = 31;       // the shell's "no application associated"
constexpr int kSystemNoAssociationCode = 1155; // the same failure as a system error number

// A file name handed over as the only parameter: quoted when it holds blanks, so that the
// started program receives it as one argument.
QString AsParameter(const QString &fileName)
{
    for (const QChar c : fileName) {
        if (c.isSpace())
            return QLatin1Char('"') + fileName + QLatin1Char('"');
    }
    return fileName;
}

} // namespace

QString ShellExecuteErrorText(int code)
{
    switch (code) {
    case 0:
        return QStringLiteral("The operating system is out of memory or resources.");
    case 2:
        return QStringLiteral("The specified file was not found.");
    case 3:
        return QStringLiteral("The specified path was not found.");
    case 5:
        return QStringLiteral("The operating system denied access to the specified file.");
    case 8:
        return QStringLiteral("There was not enough memory to complete the operation.");
    case 11:
        return QStringLiteral("The .EXE file is invalid (non-Win32 .EXE or error in .EXE image).");
    case 26:
        return QStringLiteral("A sharing violation occurred.");
    case 27:
        return QStringLiteral("The filename association is incomplete or invalid.");
    case 28:
        return QStringLiteral("The DDE transaction could not be completed because the request timed out.");
    case 29:
        return QStringLiteral("The DDE transaction failed.");
    case 30:
        return QStringLiteral(
            "The DDE transaction could not be completed because other DDE transactions were being processed.");
    case 31:
        return QStringLiteral("There is no application associated with the given filename extension.");
    case 32:
        return QStringLiteral("The specified dynamic-link library was not found.");
    default:
        return QStringLiteral("Operation Error");
    }
}

// ---------------------------------------------------------------------------------------
// TDoInstShellExecForm

TDoInstShellExecForm::TDoInstShellExecForm(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("DoInstShellExecForm"));
    setFixedSize(207, 30);
    setWindowOpacity(200 / 255.0);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, ColorToQColor(clBtnFace));
    setPalette(pal);
    setAutoFillBackground(true);

    Label1 = new QLabel(QStringLiteral("Please Wait..."), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    TFont font;
    font.Name = QStringLiteral("MS Sans Serif");
    font.Size = 8;
    font.Style = fsBold;
    Label1->setFont(font.ToQFont());
    Label1->move(64, 8);
    Label1->adjustSize();

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(10);
    connect(Timer1, &QTimer::timeout, this, &TDoInstShellExecForm::Timer1Timer);

    // Centred on the screen (a set position also keeps Qt from centring it on its parent).
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        QRect frame(QPoint(0, 0), size());
        frame.moveCenter(screen->geometry().center());
        move(frame.topLeft());
    }
}

bool TDoInstShellExecForm::DoWaitExec(const QString &Verb, const QString &FileName, const QString &Parameters,
                                      int &Code, int ShowCmd, const QString &Directory)
{
    FVerb = Verb;
    FFileName = FileName;
    FParameters = Parameters;
    FShowCmd = ShowCmd;
    FDirectory = Directory;
    FResultCode = 0;
    FResult = false;
    exec();
    Code = FResultCode;
    return FResult;
}

// The window has no close button; while the call runs, Escape must not take it away and
// give the rest of the program back to the user.
void TDoInstShellExecForm::reject()
{
    if (FRunning)
        return;
    QDialog::reject();
}

void TDoInstShellExecForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    Timer1->start();
}

void TDoInstShellExecForm::Timer1Timer()
{
    Timer1->stop();
    FRunning = true;
    int code = 0;
    FResult = ShellExecuteAndWait(FVerb, FFileName, FParameters, FDirectory, FShowCmd, true, true, code);
    FResultCode = code;
    FRunning = false;
    close();
}

// ---------------------------------------------------------------------------------------
// Routines

// The desktop shell waits for the program's end in every case: it has no "input idle" state
// to wait for, and no caller asks for WaitForEnd = False, so both flags are kept for the
// callers but do not change the call.
bool ShellExecuteAndWait(const QString &Verb, const QString &FileName, const QString &Parameters,
                         const QString &Directory, int ShowCmd, bool WaitForIdle, bool WaitForEnd, int &Code)
{
    QString fileName = FileName;
    QString directory = Directory;
    if (directory.isEmpty()) {
        directory = ExtractFileDir(fileName);
        // A relative name with a folder part becomes absolute, so that it is not looked up
        // again below its own folder.
        if (!directory.isEmpty() && QFileInfo(fileName).isRelative()) {
            fileName = QFileInfo(fileName).absoluteFilePath();
            directory = ExtractFileDir(fileName);
        }
    }
    int code = 0;
    if (!UiServices().ShellExecuteAndWait(Verb, fileName, Parameters, directory, ShowCmd, code)) {
        Code = code;
        return false;
    }
    Code = kWaitSuccessCode;
    return true;
}

bool RunWithWaitWindow(const QString &Verb, const QString &FileName, const QString &Parameters, int &Code,
                       int ShowCmd, const QString &Directory)
{
    TDoInstShellExecForm form(DialogParent());
    return form.DoWaitExec(Verb, FileName, Parameters, Code, ShowCmd, Directory);
}

QString FindAssociatedExecutable(const QString &FileName, const QString &Directory)
{
    return UiServices().FindExecutable(FileName, Directory);
}

bool ShellExecuteWithErrors(const QString &Verb, const QString &FileName, const QString &Parameters,
                            const QString &Directory, int ShowCmd, bool Wait)
{
    const bool opening = Verb.toLower() == QLatin1String("open");
    int code = 0;
    bool ok = false;
    if (!Wait) {
        code = UiServices().ShellExecute(Verb, FileName, Parameters, Directory, ShowCmd);
        if (code == kNoAssociationCode && opening) {
            const QString program = FindAssociatedExecutable(FileName, Directory);
            if (!program.isEmpty())
                code = UiServices().ShellExecute(QStringLiteral("open"), program, AsParameter(FileName), Directory,
                                                 ShowCmd);
        }
        ok = code > 32;
    } else {
        ok = RunWithWaitWindow(Verb, FileName, Parameters, code, ShowCmd, Directory);
        if (!ok && code == kSystemNoAssociationCode && opening) {
            const QString program = FindAssociatedExecutable(FileName, Directory);
            // Without a directory the program runs in its own folder, where a relative
            // document name would no longer lead to the document.
            const QString document = Directory.isEmpty() ? QFileInfo(FileName).absoluteFilePath() : FileName;
            if (!program.isEmpty())
                ok = RunWithWaitWindow(QStringLiteral("open"), program, AsParameter(document), code, ShowCmd,
                                       Directory);
        }
    }
    if (ok)
        return true;
    UiServices().MessageBox(ShellExecuteErrorText(code), QStringLiteral("Error"), MB_OK | MB_ICONERROR);
    return false;
}
