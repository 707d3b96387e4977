#include "app/startup.h"

#include <QCoreApplication>
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
#include "runtime/run_form.h"
#include "platform/exception_boundary.h"
#include "platform/paths.h"
#include "platform/rtl/inifile.h"
#include "platform/scripted_ui_services.h"
#include "platform/ui_services.h"

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

} // namespace

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
            return 1;
        }
        SetApplicationTitle(RunProject.AppTitle);
        // The runtime's windows are not part of this build yet: a loaded project ends here.
        return 0;
    }

    const int exitCode = application.exec();
    ResetProject(false, atNormal);
    delete RunForm;
    RunForm = nullptr;
    return exitCode;
}
