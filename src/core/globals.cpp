#include "core/globals.h"

bool DesignerMode = false;
bool DesignerPreview = false;
bool ExitRequested = false;
bool ProjectModified = false;
bool FreshProject = false;
QString ProjectSourceFile;

QString ExeFolder;
QString ProgramFileName;
QString PersonalFolder;
QString LocalAppDataFolder;
QString SettingsFileName;
QString DefaultProjectFolder;

bool IsWindows8OrLater = false;
bool FreeUnusedLibrariesNeeded = false;
bool UseCachedGridBitmap = false;
int ReportCreateCount = 0;

bool DesignDisplayGrid = true;
bool DesignSnapToGrid = true;
int DesignGridSizeX = 8;
int DesignGridSizeY = 8;
TColor DesignBackgroundColor = clInfoBk;

bool PageIsEdited()
{
    return DesignerMode && !DesignerPreview;
}
