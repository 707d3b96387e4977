#include "app/startup.h"

#include <QApplication>
#include <QBuffer>
#include <QCoreApplication>
#include <QIcon>
#include <QImageReader>
#include <cstdlib>
#include <ctime>

#include "app/app_def.h"
#include "core/app_hooks.h"
#include "core/appended_project.h"
#include "core/colors.h"
#include "core/globals.h"
#include "core/project_file.h"
#include "core/project_model.h"
#include "core/special_folders.h"
#include "core/version_info.h"
#include "designer/main_form.h"
#include "runtime/action_interpreter.h"
#include "runtime/general_form.h"
#include "runtime/login.h"
#include "runtime/run_form.h"
#include "platform/exception_boundary.h"
#include "platform/exe_resources.h"
#include "platform/paths.h"
#include "platform/rtl/inifile.h"
#include "platform/scripted_ui_services.h"
#include "platform/ui_services.h"
#include "web/web_main_form.h"

namespace {

// ASCII-only upper case, as the mode decision compares names.
QString AsciiUpper(const QString &text)
{
    QString result = text;
    for (QChar &c : result) {
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            c = QChar(c.unicode() - 32);
    }
    return result;
}

// Every image of icon-file bytes as one icon; a null icon when none can be read.
QIcon IconFromIconFile(const QByteArray &bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "ico");
    QIcon icon;
    do {
        const QImage image = reader.read();
        if (!image.isNull())
            icon.addPixmap(QPixmap::fromImage(image));
    } while (reader.jumpToNextImage());
    return icon;
}

// True while a window other than the full-screen background is on the screen.
bool AnyWindowShown()
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->isVisible() && window != FullScreenBackForm)
            return true;
    }
    return false;
}

// Set when the runtime could not start (a web server whose port cannot be bound).
bool RuntimeStartFailed = false;

} // namespace

bool StartRuntime()
{
    {
        // A window that keeps the program present while the start windows come and go.
        QWidget anchor(nullptr, Qt::Window | Qt::FramelessWindowHint);
        anchor.setGeometry(-20, 0, 1, 1);
        anchor.show();
        ShowSplashForm();
        ShowFullScreenForm();
        if (AppDef.StartAndExitForms && !RunLogin())
            ExitRequested = true;
    }
    if (ExitRequested)
        return false;
    if (RunProject.ApplicationType != atNormal) {
        // A web stand-alone project is served by the web server's window.
        WebMainForm = new TWebMainForm;
        if (!WebMainForm->FormCreate()) {
            delete WebMainForm;
            WebMainForm = nullptr;
            RuntimeStartFailed = true;
            return false;
        }
        return true;
    }

    RunForm = new TRunForm;
    const bool hasForms = !RunProject.Forms.empty();
    if (hasForms) {
        LoadFormData(RunProject.Forms.front().get(), RunForm, false);
        RunForm->DoPosition();
        RunForm->FormIndex = 0;
    }
    for (PZvAction action : RunProject.OnStartActions.Actions) {
        if (ExitRequested)
            break;
        GuardedCall([action] { RunGlobalAction(action, nullptr); });
    }
    if (ExitRequested)
        return false;
    if (hasForms) {
        RunForm->show();
        return true;
    }
    // Without forms the main window stays hidden; the program lives on only while the start
    // actions left a window open, and ends when the last one closes.
    return AnyWindowShown();
}

void OpenStartProject()
{
    if (!ProjectSourceFile.isEmpty() && OpenProjectFile(ProjectSourceFile))
        return;
    // An unreadable file is forgotten, so that a later Save never overwrites it.
    ProjectSourceFile.clear();
    ResetProject(true, atNormal);
    FreshProject = true;
}

void InitProcessState(const QString &ProgramFile)
{
    ExeFolder = ExcludeTrailingPathDelimiter(ExtractFileDir(ProgramFile));
    FreeUnusedLibrariesNeeded = false;
    std::srand(unsigned(std::time(nullptr)));
    UseCachedGridBitmap = false;
    // Nothing to refuse on this platform; the newer-Windows switch stays off.
    IsWindows8OrLater = false;

    ReportCreateCount = 0;
    FreshProject = false;
    ProjectSourceFile.clear();
    ExitRequested = false;
    DesignerPreview = false;

    ProgramFileName = ExtractFileName(ProgramFile);
    InitSpecialFolders();
    InitColorLists();
}

bool DecideDesignerMode(const QString &ProgramFile)
{
    return AsciiUpper(ExtractFileName(ProgramFile)) == AsciiUpper(AppDef.ExeFileName)
           && AsciiUpper(GetOriginalFilename(ProgramFile)) == AsciiUpper(AppDef.OriginalFilename);
}

void PrepareDesignerFolders()
{
    ProjectSourceFile.clear();
    PersonalFolder = GetSpecialFolderPath(sfPersonal);
    LocalAppDataFolder = GetSpecialFolderPath(sfLocalAppData);

    const QString dataFolder = LocalAppDataFolder + LocalPath(AppDef.LocalDataFolder);
    SettingsFileName = IncludeTrailingPathDelimiter(dataFolder) + ChangeFileExt(ProgramFileName, QStringLiteral(".ini"));
    if (!DirectoryExists(dataFolder))
        ForceDirectories(dataFolder);

    DefaultProjectFolder.clear();
    if (FileExists(SettingsFileName)) {
        TIniFile settings(SettingsFileName);
        DefaultProjectFolder = settings.ReadString(QStringLiteral("START"), QStringLiteral("DEFAULTFOLDER"), QString());
    }
}

int RunProgram(int argc, char **argv)
{
    InitAppDef();
    TZvApplication application(argc, argv);
    InstallTestUiFromEnvironment();

    // The program's own file, read through /proc/self/exe.
    const QString programFile = QCoreApplication::applicationFilePath();
    InitProcessState(programFile);

    DesignerMode = DecideDesignerMode(programFile);
    if (DesignerMode) {
        SetApplicationTitle(AppDef.AppTitle);
        PrepareDesignerFolders();
        const QStringList arguments = QCoreApplication::arguments();
        if (arguments.size() > 1 && FileExists(arguments.at(1)))
            ProjectSourceFile = arguments.at(1);
    } else {
        ProjectSourceFile = programFile;
    }

    // The hidden service object of both modes: sounds, dialogs, template pictures.
    GeneralForm = new TGeneralForm;

    if (DesignerMode) {
        auto *mainForm = new TMainForm;
        mainForm->setAttribute(Qt::WA_DeleteOnClose);
        mainForm->show();
        // The off-screen host of the page being edited.
        RunForm = new TRunForm;
        OpenStartProject();
    } else {
        if (!LoadAppendedProject(ProjectSourceFile)) {
            UiServices().MessageBox(QStringLiteral("Failed to load data. The application terminated."),
                                    QStringLiteral("Error"), MB_OK | MB_ICONERROR);
            delete GeneralForm;
            GeneralForm = nullptr;
            return 1;
        }
        SetApplicationTitle(RunProject.AppTitle);
        // A built program shows its own main icon, which Build replaced by the project's.
        QApplication::setWindowIcon(IconFromIconFile(ReadMainIconFile(programFile)));
    }

    const bool runLoop = DesignerMode || StartRuntime();
    const int exitCode = runLoop ? application.exec() : (RuntimeStartFailed ? 1 : 0);

    // The web server stops and its sessions end before the project they read goes.
    delete WebMainForm;
    WebMainForm = nullptr;
    ResetProject(false, atNormal);
    delete GeneralForm;
    GeneralForm = nullptr;
    delete RunForm;
    RunForm = nullptr;
    return exitCode;
}
