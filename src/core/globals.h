// Process-wide state shared by the designer and the runtime. Set up by the program entry;
// web sessions only read it after start-up.
#pragma once

#include <QString>

#include "platform/graphics/color.h"

extern bool DesignerMode;       // the program runs as the designer; fixed at start
extern bool DesignerPreview;    // the designer shows something as it will run
extern bool ExitRequested;      // a run is to stop
extern bool ProjectModified;    // project-level data changed since the last save or load
extern bool FreshProject;       // the designer's project is the untouched one made at start
extern QString ProjectSourceFile; // designer: the project file; runtime: the program file

extern QString ExeFolder;          // folder of the program file, no trailing delimiter
extern QString ProgramFileName;    // name of the program file without folder
extern QString PersonalFolder;     // the user's documents folder (designer only)
extern QString LocalAppDataFolder; // the per-user data root (designer only)
extern QString SettingsFileName;   // the designer's settings file
extern QString DefaultProjectFolder;

extern bool IsWindows8OrLater;
extern bool FreeUnusedLibrariesNeeded;
extern bool UseCachedGridBitmap;
extern int ReportCreateCount;

// The designer's grid settings: whether the page being edited shows its grid of dots and
// snaps objects to it, the grid steps in pixels, and the colour of the design area.
extern bool DesignDisplayGrid;
extern bool DesignSnapToGrid;
extern int DesignGridSizeX;
extern int DesignGridSizeY;
extern TColor DesignBackgroundColor;

// True while the designer edits the page: in the designer and not in its preview.
bool PageIsEdited();
