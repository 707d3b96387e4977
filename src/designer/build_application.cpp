#include "designer/build_application.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryFile>
#include <QThread>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "app/app_def.h"
#include "core/appended_project.h"
#include "core/error_reporting.h"
#include "core/folders.h"
#include "core/globals.h"
#include "designer/compres_update.h"
#include "platform/paths.h"
#include "platform/rtl/inifile.h"
#include "platform/rtl/sysutils.h"
#include "platform/ui_services.h"
#include "runtime/run_form.h"

int ResourceUpdateRetryPauseMs = 500;
std::function<PFormData()> EditedPageFormData;

namespace {

const QString CRLF = QStringLiteral("\r\n");
constexpr int TextFieldWidth = 99;

// The hourglass for the length of a build, when there is a screen to show it on.
class TWaitCursor
{
public:
    TWaitCursor() : m_shown(qobject_cast<QGuiApplication *>(QCoreApplication::instance()) != nullptr)
    {
        if (m_shown)
            QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    }
    ~TWaitCursor() { Restore(); }
    void Restore()
    {
        if (m_shown)
            QGuiApplication::restoreOverrideCursor();
        m_shown = false;
    }

private:
    bool m_shown;
};

bool WriteAll(int fd, const char *data, ssize_t count)
{
    while (count > 0) {
        const ssize_t n = ::write(fd, data, size_t(count));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = ENOSPC;
            return false;
        }
        data += n;
        count -= n;
    }
    return true;
}

// Copies Source over Target, which takes the source's permissions (the run bit above all).
// A running Target refuses to open for writing (ETXTBSY) and stays as it was. False with the
// last error set on failure; a partly written Target is removed.
bool CopyProgramFile(const QString &Source, const QString &Target)
{
    const int in = ::open(QFile::encodeName(Source).constData(), O_RDONLY | O_CLOEXEC);
    if (in < 0) {
        SetLastErrorFromErrno();
        return false;
    }
    struct stat status;
    if (::fstat(in, &status) != 0) {
        SetLastErrorFromErrno();
        ::close(in);
        return false;
    }
    const mode_t mode = status.st_mode & 07777;
    const QByteArray target = QFile::encodeName(Target);
    const int out = ::open(target.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, mode);
    if (out < 0) {
        SetLastErrorFromErrno();
        ::close(in);
        return false;
    }
    bool ok = ::fchmod(out, mode) == 0;
    QByteArray buffer(1 << 20, Qt::Uninitialized);
    while (ok) {
        const ssize_t n = ::read(in, buffer.data(), size_t(buffer.size()));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            ok = n == 0;
            break;
        }
        ok = WriteAll(out, buffer.constData(), n);
    }
    if (!ok)
        SetLastErrorFromErrno();
    if (::close(out) != 0 && ok) {
        SetLastErrorFromErrno();
        ok = false;
    }
    ::close(in);
    if (!ok) {
        const int error = GetLastError();
        ::unlink(target.constData());
        SetLastError(error);
    }
    return ok;
}

// Runs step up to attempts times, pausing after each failure (also after the last one).
bool Attempt(int attempts, const std::function<void()> &step, QString &lastError)
{
    for (int attempt = 0; attempt < attempts; ++attempt) {
        try {
            step();
            return true;
        } catch (const std::exception &error) {
            lastError = QString::fromUtf8(error.what());
        }
        QThread::msleep(unsigned(ResourceUpdateRetryPauseMs));
    }
    return false;
}

void RestoreFormPositions()
{
    for (const auto &form : RunProject.Forms)
        form->Position = form->OldPosition;
}

bool IsSameFile(const QString &a, const QString &b)
{
    return CanonicalPath(a) == CanonicalPath(b);
}

} // namespace

QString GetOutputFileName(const QString &ProjectSourceFile, const QString &AppFileName)
{
    const QString folder = ExcludeTrailingPathDelimiter(ExtractFileDir(ProjectSourceFile));
    QString name;
    if (!AppFileName.isEmpty()) {
        name = AppFileName.trimmed();
        if (name.size() > 3 && name.right(4).compare(QLatin1String(".exe"), Qt::CaseInsensitive) == 0)
            name.chop(4);
    } else {
        name = ChangeFileExt(ExtractFileName(ProjectSourceFile), QString());
    }
    // Only a plain name in the project folder: no folder part, no "." or "..", not empty.
    if (!IsValidFileName(name) || name.trimmed().isEmpty() || name == QLatin1String(".")
        || name == QLatin1String(".."))
        return QString();
    const QString output = folder + PathDelim + name;
    if (IsSameFile(output, ProjectSourceFile))
        return QString();
    return output;
}

bool UpdateExeResources(const QString &ExeFile, const QString &IconFile, const QString &CompanyName,
                        const QString &FileDescription, const QString &LegalCopyright,
                        const QString &OriginalFilename, uint16_t Major, uint16_t Minor, uint16_t Release,
                        uint16_t Build, TExeResourceUpdateResult *Result)
{
    TExeResourceUpdateResult result;
    result.OriginalFilenamePatched =
        Attempt(5, [&] { PatchOriginalFilename(ExeFile, OriginalFilename); }, result.LastError);
    result.IconReplaced = true;
    if (!IconFile.isEmpty() && FileExists(IconFile))
        result.IconReplaced = Attempt(5, [&] { ReplaceMainIcon(ExeFile, IconFile); }, result.LastError);
    result.VersionInfoPatched = Attempt(
        6,
        [&] {
            PatchVersionInfo(ExeFile, CompanyName, FileDescription, LegalCopyright, Major, Minor, Release, Build);
        },
        result.LastError);
    if (Result)
        *Result = result;
    return result.OriginalFilenamePatched && result.IconReplaced && result.VersionInfoPatched;
}

bool BuildApplication(const QString &OutputFile, const QString &ProgramFile)
{
    // The page being edited goes into its form entry first, so that the build carries it.
    if (RunForm && RunForm->DataChanged) {
        PFormData formData = EditedPageFormData ? EditedPageFormData() : nullptr;
        if (formData && !RunForm->SaveFormData(formData))
            return false;
    }

    // The body writer moves every Position into the output; OldPosition brings them back.
    const bool wasModified = ProjectModified;
    for (const auto &form : RunProject.Forms)
        form->OldPosition = form->Position;

    TWaitCursor waitCursor;
    const QString source = ProgramFile.isEmpty() ? QStringLiteral("/proc/self/exe") : ProgramFile;
    if (!CopyProgramFile(source, OutputFile)) {
        const int error = GetLastError();
        waitCursor.Restore();
        UiServices().MessageBox(QStringLiteral("The application is running. You need close it first. ") + CRLF
                                    + QStringLiteral("File name: \"") + OutputFile + QStringLiteral("\".") + CRLF
                                    + QStringLiteral("Message: ") + SysErrorMessage(error),
                                QStringLiteral("Build Application"), MB_OK | MB_ICONINFORMATION);
        return false;
    }

    // The project's icon goes through a temporary file of its own, never over an author's file.
    QTemporaryFile iconFile(QDir::tempPath() + QStringLiteral("/FileIcon__XXXXXX.ico"));
    QString iconFileName;
    const TMemoryStream *iconStream = RunProject.AppIconFileStream.get();
    if (iconStream && iconStream->Bytes().size() > 0) {
        errno = 0;
        const bool written = iconFile.open() && iconFile.write(iconStream->Bytes()) == iconStream->Bytes().size()
                             && iconFile.flush();
        if (!written) {
            SetLastError(errno != 0 ? errno : EIO);
            iconFile.close();
            waitCursor.Restore();
            ShowLastError(0);
            return false;
        }
        iconFileName = iconFile.fileName();
    }

    const QString blanks(AppDef.OriginalFilename.size(), QLatin1Char(' '));
    TExeResourceUpdateResult update;
    UpdateExeResources(OutputFile, iconFileName,
                       RunProject.AppCompanyName.leftJustified(TextFieldWidth, QLatin1Char(' ')),
                       RunProject.AppFileDescription.leftJustified(TextFieldWidth, QLatin1Char(' ')),
                       RunProject.AppLegalCopyright.leftJustified(TextFieldWidth, QLatin1Char(' ')), blanks,
                       uint16_t(RunProject.AppFileVersionMajor), uint16_t(RunProject.AppFileVersionMinor),
                       uint16_t(RunProject.AppFileVersionRelease), uint16_t(RunProject.AppFileVersionBuild), &update);
    if (!iconFileName.isEmpty())
        iconFile.remove();
    // A copy whose OriginalFilename still names the designer would start as the designer:
    // it is not left behind. The other resource failures leave a working program.
    if (!update.OriginalFilenamePatched) {
        QFile::remove(OutputFile);
        waitCursor.Restore();
        UiServices().MessageBox(QStringLiteral("The application could not be built.") + CRLF
                                    + QStringLiteral("File name: \"") + OutputFile + QStringLiteral("\".") + CRLF
                                    + QStringLiteral("Message: ") + update.LastError,
                                QStringLiteral("Build Application"), MB_OK | MB_ICONINFORMATION);
        return false;
    }

    const bool appended = AppendProjectToExe(OutputFile, ProjectSourceFile);
    // The body writer clears the modified flag; the project is only as saved as it was.
    ProjectModified = wasModified;
    RestoreFormPositions();
    waitCursor.Restore();
    if (!appended)
        return false;
    if (AppDef.CDMenu) {
        try {
            TIniFile autorun(IncludeTrailingPathDelimiter(ExtractFileDir(OutputFile)) + QStringLiteral("autorun.inf"));
            autorun.WriteString(QStringLiteral("autorun"), QStringLiteral("open"), ExtractFileName(OutputFile));
        } catch (const std::exception &error) {
            ShowErrorMessage(QString::fromUtf8(error.what()));
        }
    }
    return true;
}

bool CompileProject(const QString &ProgramFile)
{
    const QString output = GetOutputFileName(ProjectSourceFile, RunProject.AppFileName);
    if (output.isEmpty()) {
        UiServices().MessageBox(QStringLiteral("Invalid file name!"), QStringLiteral("File Name"),
                                MB_OK | MB_ICONINFORMATION);
        return false;
    }
    return BuildApplication(output, ProgramFile);
}

bool RunBuiltProgram(const QString &OutputFile, quintptr DesignerWindowHandle)
{
    QStringList arguments;
    // The built program reads the window handle from its second argument; the first is unused.
    if (DesignerWindowHandle != 0)
        arguments << QString() << QString::number(DesignerWindowHandle);
    if (!QProcess::startDetached(OutputFile, arguments))
        return false;
    if (RunProject.ApplicationType != atNormal) {
        const QString url = QStringLiteral("http://127.0.0.1:") + QString::number(RunProject.WebPort);
        const QString text =
            QStringLiteral("The application server started, listening on port: ") + QString::number(RunProject.WebPort)
            + QStringLiteral(". You can find the application icon from the tray on system taskbar.") + CRLF
            + QStringLiteral("If you want to shut down it, you can right click the icon and click the \"Shut Down\" "
                             "popup menu item.")
            + CRLF + QStringLiteral("Don't forget to shut down it before it run next time!") + CRLF
            + QStringLiteral("You can visit it with URL \"") + url + QStringLiteral("\" to browse the web pages.")
            + CRLF + QStringLiteral("Run browser?");
        if (UiServices().MessageBox(text, QStringLiteral("Application Run"), MB_YESNO | MB_ICONQUESTION) == IDYES)
            UiServices().ShellExecute(QStringLiteral("open"), url, QString(), QString(), SW_SHOWNORMAL);
    }
    return true;
}
