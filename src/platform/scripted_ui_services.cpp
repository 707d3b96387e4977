#include "platform/scripted_ui_services.h"

#include <QFile>
#include <QTextStream>

TScriptedUiServices::TScriptedUiServices()
    : m_previous(&UiServices())
{
    SetUiServices(this);
}

TScriptedUiServices::~TScriptedUiServices()
{
    if (&UiServices() == this)
        SetUiServices(m_previous);
}

QList<TUiCall> TScriptedUiServices::CallsOf(const QString &kind) const
{
    QList<TUiCall> result;
    for (const TUiCall &call : Calls) {
        if (call.Kind == kind)
            result << call;
    }
    return result;
}

QStringList TScriptedUiServices::Messages() const
{
    QStringList result;
    for (const TUiCall &call : CallsOf(QStringLiteral("MessageBox")))
        result << call.Text;
    return result;
}

void TScriptedUiServices::Record(const TUiCall &call)
{
    Calls << call;
    if (LogFileName.isEmpty())
        return;
    QFile file(LogFileName);
    if (file.open(QIODevice::Append | QIODevice::Text)) {
        QTextStream out(&file);
        out << call.Kind << '|' << call.Caption << '|' << call.Text << '|' << call.Flags << '\n';
    }
}

int TScriptedUiServices::MessageBox(const QString &text, const QString &caption, unsigned flags)
{
    Record({QStringLiteral("MessageBox"), text, caption, flags, {}});
    if (!MessageAnswers.isEmpty())
        return MessageAnswers.takeFirst();
    switch (flags & MB_TYPEMASK) {
    case MB_ABORTRETRYIGNORE:
        return IDABORT;
    case MB_YESNOCANCEL:
    case MB_YESNO:
        return IDYES;
    case MB_RETRYCANCEL:
        return IDRETRY;
    default:
        return IDOK;
    }
}

bool TScriptedUiServices::AnswerFile(const QString &kind, TFileDialogRequest &request)
{
    Record({kind, request.Title, request.Filter, 0, {request.InitialDir, request.FileName}});
    if (FileAnswers.isEmpty())
        return false;
    const QString answer = FileAnswers.takeFirst();
    if (answer.isEmpty())
        return false;
    request.FileName = answer;
    request.Files = QStringList{answer};
    return true;
}

bool TScriptedUiServices::OpenFileDialog(TFileDialogRequest &request)
{
    return AnswerFile(QStringLiteral("OpenFileDialog"), request);
}

bool TScriptedUiServices::SaveFileDialog(TFileDialogRequest &request)
{
    return AnswerFile(QStringLiteral("SaveFileDialog"), request);
}

bool TScriptedUiServices::SelectFolderDialog(const QString &caption, QString &folder, bool NewFolderButton)
{
    Record({QStringLiteral("SelectFolderDialog"), caption, QString(), NewFolderButton ? 1u : 0u, {folder}});
    if (FileAnswers.isEmpty())
        return false;
    const QString answer = FileAnswers.takeFirst();
    if (answer.isEmpty())
        return false;
    folder = answer;
    return true;
}

bool TScriptedUiServices::ColorDialog(TColor &color)
{
    Record({QStringLiteral("ColorDialog"), QString::number(color), QString(), 0, {}});
    if (ColorAnswers.isEmpty())
        return false;
    color = ColorAnswers.takeFirst();
    return true;
}

bool TScriptedUiServices::FontDialog(TFont &font)
{
    Record({QStringLiteral("FontDialog"), font.Name, QString(), 0,
            {QString::number(font.Size), QString::number(font.Style), QString::number(font.Color)}});
    if (FontAnswers.isEmpty())
        return false;
    font = FontAnswers.takeFirst();
    return true;
}

int TScriptedUiServices::ShellExecute(const QString &verb, const QString &fileName, const QString &parameters,
                                      const QString &directory, int showCmd)
{
    Record({QStringLiteral("ShellExecute"), fileName, verb, unsigned(showCmd), {parameters, directory}});
    return ShellHandler ? ShellHandler(verb, fileName, parameters, directory, showCmd) : 2;
}

bool TScriptedUiServices::ShellExecuteAndWait(const QString &verb, const QString &fileName,
                                              const QString &parameters, const QString &directory, int showCmd,
                                              int &code)
{
    Record({QStringLiteral("ShellExecuteAndWait"), fileName, verb, unsigned(showCmd), {parameters, directory}});
    if (ShellWaitHandler)
        return ShellWaitHandler(verb, fileName, parameters, directory, showCmd, code);
    code = 2;
    return false;
}

QString TScriptedUiServices::FindExecutable(const QString &fileName, const QString &directory)
{
    Record({QStringLiteral("FindExecutable"), fileName, QString(), 0, {directory}});
    return FindExecutableHandler ? FindExecutableHandler(fileName, directory) : QString();
}

bool TScriptedUiServices::PlaySound(int channel, const QString &fileName, bool loop)
{
    Record({QStringLiteral("PlaySound"), fileName, QString(), unsigned(channel),
            {loop ? QStringLiteral("1") : QStringLiteral("0")}});
    return SoundAnswers.isEmpty() ? true : SoundAnswers.takeFirst();
}

void TScriptedUiServices::StopSound(int channel)
{
    Record({QStringLiteral("StopSound"), QString(), QString(), unsigned(channel), {}});
}

bool InstallTestUiFromEnvironment()
{
    const QString logFile = qEnvironmentVariable(kTestUiEnvironmentVariable);
    if (logFile.isEmpty())
        return false;
    // Lives for the whole process: boxes may be shown until the last moment of shutdown.
    static TScriptedUiServices *services = nullptr;
    if (!services) {
        services = new TScriptedUiServices;
        services->LogFileName = logFile;
    }
    return true;
}
