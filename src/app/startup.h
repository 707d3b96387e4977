// The program entry: product definition, process state, the choice between designer and
// runtime, the windows of that mode, the message loop and the shutdown.
#pragma once

#include <QString>
#include <QStringList>

// Steps that need no window: folder and name of the program file, run state reset,
// special folders and colour lists.
void InitProcessState(const QString &ProgramFile);

// True when the program file is the designer: its name equals the product's program name
// and its version block's OriginalFilename equals the product's, both ignoring ASCII case.
bool DecideDesignerMode(const QString &ProgramFile);

// Designer folders: documents and per-user data folders, the settings file (its folder is
// created) and [START] read from it when it exists.
void PrepareDesignerFolders();

// Designer: opens the project named on the command line (ProjectSourceFile), or starts a
// fresh desktop project when there is none or it cannot be read.
void OpenStartProject();

// The runtime's start: anchor window, splash and full-screen forms, login, the first form
// in the main window and the start actions. True when the message loop is to run; False
// when the run already ended (refused login, an exit start action, nothing to show).
bool StartRuntime();

// Runs the whole program; returns the process exit code.
int RunProgram(int argc, char **argv);
