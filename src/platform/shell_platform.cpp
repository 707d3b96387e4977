#include "platform/shell_platform.h"

#include <QDesktopServices>
#include <QDir>
#include <QDirIterator>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMimeDatabase>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStringList>
#include <QTextStream>
#include <QUrl>

#include <cerrno>
#include <cstring>

namespace {

// The shell's result codes (ShellExecute) and the system error numbers of the waiting
// variant, as the callers' message table knows them.
constexpr int kShellSuccess = 42;
constexpr int kWaitSuccess = 33;
constexpr int SE_ERR_FNF = 2;
constexpr int SE_ERR_PNF = 3;
constexpr int SE_ERR_ACCESSDENIED = 5;
constexpr int ERROR_BAD_FORMAT = 11;
constexpr int SE_ERR_NOASSOC = 31;
constexpr int ERROR_NO_ASSOCIATION = 1155;

// ---------------------------------------------------------------------------------------
// XDG folders and key files

QString EnvOr(const char *name, const QString &fallback)
{
    const QString value = qEnvironmentVariable(name);
    return value.isEmpty() ? fallback : value;
}

QStringList EnvListOr(const char *name, const QString &fallback)
{
    return EnvOr(name, fallback).split(QLatin1Char(':'), Qt::SkipEmptyParts);
}

QString ConfigHome()
{
    return EnvOr("XDG_CONFIG_HOME", QDir::homePath() + QStringLiteral("/.config"));
}

QStringList ConfigDirs()
{
    return EnvListOr("XDG_CONFIG_DIRS", QStringLiteral("/etc/xdg"));
}

QString DataHome()
{
    return EnvOr("XDG_DATA_HOME", QDir::homePath() + QStringLiteral("/.local/share"));
}

QStringList DataDirs()
{
    return EnvListOr("XDG_DATA_DIRS", QStringLiteral("/usr/local/share:/usr/share"));
}

// The "applications" folders, most important first.
QStringList ApplicationDirs()
{
    QStringList result{DataHome() + QStringLiteral("/applications")};
    for (const QString &dir : DataDirs())
        result << dir + QStringLiteral("/applications");
    return result;
}

// The association lists in the order the desktop consults them.
QStringList AssociationFiles()
{
    QStringList result{ConfigHome() + QStringLiteral("/mimeapps.list")};
    for (const QString &dir : ConfigDirs())
        result << dir + QStringLiteral("/mimeapps.list");
    for (const QString &dir : ApplicationDirs())
        result << dir + QStringLiteral("/mimeapps.list") << dir + QStringLiteral("/defaults.list");
    return result;
}

// One group of a key file ("[Group]" then "key=value" lines; '#' starts a comment line).
QHash<QString, QString> ReadKeyFileGroup(const QString &fileName, const QString &group)
{
    QHash<QString, QString> result;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return result;
    QTextStream in(&file);
    bool inGroup = false;
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            inGroup = line.mid(1, line.size() - 2) == group;
            continue;
        }
        if (!inGroup)
            continue;
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq <= 0)
            continue;
        const QString key = line.left(eq).trimmed();
        if (!result.contains(key)) // the first occurrence wins
            result.insert(key, line.mid(eq + 1).trimmed());
    }
    return result;
}

QStringList DesktopIds(const QString &value)
{
    return value.split(QLatin1Char(';'), Qt::SkipEmptyParts);
}

// The .desktop file of a desktop id; "vendor-app.desktop" may also live as vendor/app.desktop.
QString FindDesktopFile(const QString &desktopId)
{
    if (desktopId.contains(QLatin1Char('/')))
        return QString();
    for (const QString &dir : ApplicationDirs()) {
        const QString direct = dir + QLatin1Char('/') + desktopId;
        if (QFileInfo(direct).isFile())
            return direct;
    }
    if (!desktopId.contains(QLatin1Char('-')))
        return QString();
    for (const QString &dir : ApplicationDirs()) {
        QDirIterator it(dir, {QStringLiteral("*.desktop")}, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            QString id = path.mid(dir.size() + 1);
            id.replace(QLatin1Char('/'), QLatin1Char('-'));
            if (id == desktopId)
                return path;
        }
    }
    return QString();
}

// The program of a desktop id: the first word of its Exec line, found in PATH.
QString ProgramOfDesktopId(const QString &desktopId)
{
    const QString desktopFile = FindDesktopFile(desktopId);
    if (desktopFile.isEmpty())
        return QString();
    const QHash<QString, QString> entry = ReadKeyFileGroup(desktopFile, QStringLiteral("Desktop Entry"));
    if (entry.value(QStringLiteral("Hidden")) == QLatin1String("true"))
        return QString();
    const QStringList words = QProcess::splitCommand(entry.value(QStringLiteral("Exec")));
    if (words.isEmpty())
        return QString();
    const QString program = words.first();
    if (program.contains(QLatin1Char('/'))) {
        const QFileInfo info(program);
        return info.isFile() && info.isExecutable() ? info.absoluteFilePath() : QString();
    }
    return QStandardPaths::findExecutable(program);
}

// The first installed program among the desktop ids listed for a MIME type in a group.
QString ProgramFromGroup(const QStringList &files, const QString &group, const QString &mimeType)
{
    for (const QString &file : files) {
        const QString ids = ReadKeyFileGroup(file, group).value(mimeType);
        for (const QString &id : DesktopIds(ids)) {
            const QString program = ProgramOfDesktopId(id);
            if (!program.isEmpty())
                return program;
        }
    }
    return QString();
}

// Defaults first, then added associations, then the installed programs' own MIME lists.
QString ProgramForMimeType(const QString &mimeType)
{
    const QStringList lists = AssociationFiles();
    QString program = ProgramFromGroup(lists, QStringLiteral("Default Applications"), mimeType);
    if (program.isEmpty())
        program = ProgramFromGroup(lists, QStringLiteral("Added Associations"), mimeType);
    if (program.isEmpty()) {
        QStringList caches;
        for (const QString &dir : ApplicationDirs())
            caches << dir + QStringLiteral("/mimeinfo.cache");
        program = ProgramFromGroup(caches, QStringLiteral("MIME Cache"), mimeType);
    }
    return program;
}

// ---------------------------------------------------------------------------------------
// Names, verbs and starting programs

// "http://...", "mailto:..." and the like: a scheme of two letters or more, then a colon.
bool IsAddress(const QString &fileName)
{
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.\\-]+:"));
    return scheme.match(fileName).hasMatch();
}

bool VerbIs(const QString &verb, std::initializer_list<const char *> names)
{
    for (const char *name : names) {
        if (verb.compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

struct TResolvedFile
{
    QString Path;  // absolute path of the existing file or folder
    int Error = 0; // 0, SE_ERR_FNF or SE_ERR_PNF
};

// A relative name is looked up in the directory when given, else in the current folder;
// a bare program name that is not there is searched in PATH.
TResolvedFile ResolveFile(const QString &fileName, const QString &directory)
{
    TResolvedFile result;
    if (fileName.isEmpty()) {
        result.Error = SE_ERR_FNF;
        return result;
    }
    const QDir base = directory.isEmpty() ? QDir::current() : QDir(directory);
    const QFileInfo info(base, fileName);
    if (info.exists()) {
        result.Path = info.absoluteFilePath();
        return result;
    }
    if (!fileName.contains(QLatin1Char('/'))) {
        const QString inPath = QStandardPaths::findExecutable(fileName);
        if (!inPath.isEmpty()) {
            result.Path = inPath;
            return result;
        }
    }
    result.Error = QFileInfo(info.absolutePath()).isDir() ? SE_ERR_FNF : SE_ERR_PNF;
    return result;
}

bool IsProgram(const QFileInfo &info)
{
    return info.isFile() && info.isExecutable();
}

// Why a program did not start: access denied (also for a script whose interpreter may not
// run), else not a valid program. QProcess reports the system's text for the exec failure.
int StartFailure(const QProcess &process)
{
    const QString denied = QString::fromLocal8Bit(std::strerror(EACCES));
    return process.errorString().endsWith(denied) ? SE_ERR_ACCESSDENIED : ERROR_BAD_FORMAT;
}

// A started program runs on its own; the show command cannot reach it (SW_HIDE included:
// a detached program shows its own windows).
int StartDetached(const QString &program, const QStringList &arguments, const QString &workingDirectory)
{
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setWorkingDirectory(workingDirectory);
    if (process.startDetached())
        return kShellSuccess;
    return StartFailure(process);
}

// Runs a program and waits for its end while the event loop keeps the user interface
// alive. Returns 0 when it started (its exit code plays no part), else the failure code.
int RunAndWait(const QString &program, const QStringList &arguments, const QString &workingDirectory)
{
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setWorkingDirectory(workingDirectory);
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.setStandardInputFile(QProcess::nullDevice());
    QEventLoop loop;
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    process.start();
    if (!process.waitForStarted(-1))
        return StartFailure(process);
    if (process.state() != QProcess::NotRunning)
        loop.exec();
    return 0;
}

// What a verb does with an existing file or folder: the program and arguments to start,
// or a desktop action, or nothing (no application for this verb).
struct TShellAction
{
    enum Kind { NoApplication, Start, OpenWithDesktop } What = NoApplication;
    QString Program;
    QStringList Arguments;
};

TShellAction ActionFor(const QString &verb, const QString &path, const QString &parameters)
{
    TShellAction action;
    const QFileInfo info(path);
    if (info.isDir()) {
        if (verb.isEmpty() || VerbIs(verb, {"open", "explore"}))
            action.What = TShellAction::OpenWithDesktop;
        return action;
    }
    if (IsProgram(info)) {
        if (verb.isEmpty() || VerbIs(verb, {"open", "runas"})) {
            action.What = TShellAction::Start;
            action.Program = path;
            action.Arguments = QProcess::splitCommand(parameters);
        }
        return action;
    }
    if (verb.isEmpty() || VerbIs(verb, {"open", "edit"})) {
        action.Program = PlatformFindExecutable(path, QString());
    } else if (VerbIs(verb, {"print"})) {
        action.Program = QStandardPaths::findExecutable(QStringLiteral("lp"));
    }
    if (!action.Program.isEmpty()) {
        action.What = TShellAction::Start;
        action.Arguments = QStringList{path};
    }
    return action;
}

} // namespace

// showCmd is accepted for the callers' sake; programs started here decide their own windows.
int PlatformShellExecute(const QString &verb, const QString &fileName, const QString &parameters,
                         const QString &directory, int showCmd)
{
    if (IsAddress(fileName)) {
        if (!verb.isEmpty() && !VerbIs(verb, {"open"}))
            return SE_ERR_NOASSOC;
        return QDesktopServices::openUrl(QUrl(fileName)) ? kShellSuccess : SE_ERR_NOASSOC;
    }
    if (!directory.isEmpty() && !QFileInfo(directory).isDir())
        return SE_ERR_PNF;
    const TResolvedFile file = ResolveFile(fileName, directory);
    if (file.Error != 0)
        return file.Error;
    const TShellAction action = ActionFor(verb, file.Path, parameters);
    switch (action.What) {
    case TShellAction::OpenWithDesktop:
        return QDesktopServices::openUrl(QUrl::fromLocalFile(file.Path)) ? kShellSuccess : SE_ERR_NOASSOC;
    case TShellAction::Start:
        return StartDetached(action.Program, action.Arguments, directory);
    case TShellAction::NoApplication:
        break;
    }
    return SE_ERR_NOASSOC;
}

bool PlatformShellExecuteAndWait(const QString &verb, const QString &fileName, const QString &parameters,
                                 const QString &directory, int showCmd, int &code)
{
    // Addresses and folders open through the desktop, which hands back no process to wait for.
    if (IsAddress(fileName)) {
        const bool opened = (verb.isEmpty() || VerbIs(verb, {"open"})) && QDesktopServices::openUrl(QUrl(fileName));
        code = opened ? kWaitSuccess : ERROR_NO_ASSOCIATION;
        return opened;
    }
    if (!directory.isEmpty() && !QFileInfo(directory).isDir()) {
        code = SE_ERR_PNF;
        return false;
    }
    const TResolvedFile file = ResolveFile(fileName, directory);
    if (file.Error != 0) {
        code = file.Error;
        return false;
    }
    // The file is found before its folder becomes the working folder, so that a relative
    // name is not looked up twice below itself.
    const QString workingDirectory = directory.isEmpty() ? QFileInfo(file.Path).absolutePath() : directory;
    const TShellAction action = ActionFor(verb, file.Path, parameters);
    int failure = 0;
    switch (action.What) {
    case TShellAction::OpenWithDesktop:
        if (!QDesktopServices::openUrl(QUrl::fromLocalFile(file.Path)))
            failure = ERROR_NO_ASSOCIATION;
        break;
    case TShellAction::Start:
        failure = RunAndWait(action.Program, action.Arguments, workingDirectory);
        break;
    case TShellAction::NoApplication:
        failure = ERROR_NO_ASSOCIATION;
        break;
    }
    code = failure == 0 ? kWaitSuccess : failure;
    return failure == 0;
}

QString PlatformFindExecutable(const QString &fileName, const QString &directory)
{
    if (fileName.isEmpty() || IsAddress(fileName))
        return QString();
    const QDir base = directory.isEmpty() ? QDir::current() : QDir(directory);
    const QFileInfo info(base, fileName);
    // Only documents have associations; a program or folder has none.
    if (!info.isFile() || info.isExecutable())
        return QString();
    const QMimeType type = QMimeDatabase().mimeTypeForFile(info);
    QStringList candidates{type.name()};
    candidates << type.allAncestors();
    for (const QString &mimeType : candidates) {
        const QString program = ProgramForMimeType(mimeType);
        if (!program.isEmpty())
            return program;
    }
    return QString();
}
