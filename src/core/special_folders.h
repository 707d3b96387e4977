// The special-folder table behind the runtime's folder tokens: 57 shell folders, each with
// the platform's folder id, mapped to the XDG places of a Linux desktop. Entries with no
// Linux meaning give ''.
#pragma once

#include <QString>
#include <array>

enum TSpecialFolder : int {
    sfDesktop, sfInternet, sfPrograms, sfControls, sfPrinters, sfPersonal, sfFavorites, sfStartup,
    sfRecent, sfSendTo, sfBitBucket, sfStartMenu, sfMyDocuments, sfMyMusic, sfMyVideo,
    sfDesktopDirectory, sfDrives, sfNetwork, sfNethood, sfFonts, sfTemplates, sfCommonStartMenu,
    sfCommonPrograms, sfCommonStartup, sfCommonDesktopDirectory, sfAppData, sfPrinthood,
    sfLocalAppData, sfALTStartup, sfCommonALTStartup, sfCommonFavorites, sfInternetCache,
    sfCookies, sfHistory, sfCommonAppData, sfWindows, sfSystem, sfProgramFiles, sfMyPictures,
    sfProfile, sfSystemX86, sfProgramFilesX86, sfProgramFilesCommon, sfProgramFilesCommonX86,
    sfCommonTemplates, sfCommonDocuments, sfCommonAdminTools, sfAdminTools, sfConnections,
    sfCommonMusic, sfCommonPictures, sfCommonVideo, sfResources, sfResourcesLocalized,
    sfCommonOEMLinks, sfCDBurnArea, sfComputersNearMe,
};

constexpr int SpecialFolderCount = 57;

struct TSpecialFolderInfo
{
    TSpecialFolder FolderId = sfDesktop;
    QString FolderName; // the value's name without "sf": "Desktop", "Internet", ...
};

extern std::array<TSpecialFolderInfo, SpecialFolderCount> SpecialFolders;

// The shell's folder id (CSIDL) of a value: 0..14, 16..49, 53..59 and 61.
int SpecialFolderCsidl(TSpecialFolder Folder);

void InitSpecialFolders();

// The folder's path, without trailing delimiter; '' when it has no file-system place here.
QString GetSpecialFolderPath(TSpecialFolder Folder);
