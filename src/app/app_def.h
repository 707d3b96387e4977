// The product definition of this build: titles, file names, folders and feature switches.
// Filled once by InitAppDef before anything else and never changed afterwards.
#pragma once

#include <QString>
#include <cstdint>

enum TAppType : uint8_t { adtZandrovel, adtKestrova, adtTulmar };

struct TAppDef
{
    TAppType AppType = adtZandrovel;
    QString AppTitle;
    QString ExeFileName;
    QString OriginalFilename;
    QString ProjExt;
    QString ProjFileDesc;
    QString PersonalProjFolder;
    QString LocalDataFolder;
    QString AboutTitle;
    QString SplashTitle;
    bool VariableActions = false;
    bool CDMenu = false;
    QString CDMenuProjFileName;
    bool PublishProjectMenuItem = false;
    bool DBAndRep = false;
    bool FadeAndWrapperObjects = false;
    bool FileTreeView = false;
    bool StartAndExitForms = false;
};

extern TAppDef AppDef;

void InitAppDef();
