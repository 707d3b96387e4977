// Build and Run without the designer window: the output name, the build of the stand-alone
// program (a copy of the program file with the project's version texts and icon and the
// project appended) and the start of the built program.
#pragma once

#include <QString>
#include <cstdint>
#include <functional>

#include "core/project_model.h"

// The program Build writes: the project file's folder and AppFileName trimmed (a trailing
// ".exe" in any case removed), or the project file's base name when AppFileName is empty.
// Nothing is added: program files carry no extension. '' when the name is refused: empty
// (blanks or ".exe" alone), "." or "..", a name with a folder part or another character a
// file name cannot hold, or a name that would overwrite the project file itself.
QString GetOutputFileName(const QString &ProjectSourceFile, const QString &AppFileName);

// The pause after each failed attempt of UpdateExeResources (500 ms); tests shorten it.
extern int ResourceUpdateRetryPauseMs;

// What UpdateExeResources achieved.
struct TExeResourceUpdateResult
{
    bool OriginalFilenamePatched = false;
    bool IconReplaced = false; // also when there was no icon to replace
    bool VersionInfoPatched = false;
    QString LastError;         // the message of the last failed attempt
};

// Blanks OriginalFilename (5 attempts), replaces the main icon when IconFile exists
// (5 attempts) and patches the version texts and numbers (6 attempts), pausing after each
// failed attempt. True only when all three succeeded; Result, when given, tells which did.
bool UpdateExeResources(const QString &ExeFile, const QString &IconFile, const QString &CompanyName,
                        const QString &FileDescription, const QString &LegalCopyright,
                        const QString &OriginalFilename, uint16_t Major, uint16_t Minor, uint16_t Release,
                        uint16_t Build, TExeResourceUpdateResult *Result = nullptr);

// The designer's tree supplies the form entry of the page being edited (its node's data).
// When unset, or when it yields nil, Build does not store the page first.
extern std::function<PFormData()> EditedPageFormData;

// Builds RunProject (saved as ProjectSourceFile) into OutputFile from a copy of
// ProgramFile ('' = the running program, /proc/self/exe). Reports its failures; a copy that
// would still start as the designer is never left behind.
bool BuildApplication(const QString &OutputFile, const QString &ProgramFile = QString());

// The Build of the designer's commands once the project is saved: refuses an invalid output
// name ("Invalid file name!"), else BuildApplication to GetOutputFileName.
bool CompileProject(const QString &ProgramFile = QString());

// Starts the built program without waiting for it. With a designer window handle (not 0)
// the program gets it as its second argument, so that it brings that window to the front
// when it ends. For a web stand-alone project it then tells where the server listens and
// offers to open the local address in the browser. False when the program did not start.
bool RunBuiltProgram(const QString &OutputFile, quintptr DesignerWindowHandle = 0);
