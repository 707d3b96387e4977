#include "app/app_def.h"

TAppDef AppDef;

void InitAppDef()
{
    AppDef.AppType = adtZandrovel;
    AppDef.AppTitle = QStringLiteral("Zandrovel");
    // Program files carry no extension on this platform; the version block's
    // OriginalFilename of the designer holds the same name.
    AppDef.ExeFileName = QStringLiteral("Zandrovel");
    AppDef.OriginalFilename = QStringLiteral("Zandrovel");
    AppDef.ProjExt = QStringLiteral(".zvprj");
    AppDef.ProjFileDesc = QStringLiteral("Zandrovel Projects");
    AppDef.PersonalProjFolder = QStringLiteral("\\Zandrovel Projects");
    AppDef.LocalDataFolder = QStringLiteral("\\Corvanel\\Zandrovel");
    AppDef.AboutTitle = QStringLiteral("Corvanel ") + AppDef.AppTitle;
    AppDef.SplashTitle = QStringLiteral("Corvanel ") + AppDef.AppTitle;
    AppDef.VariableActions = true;
    AppDef.CDMenu = false;
    AppDef.CDMenuProjFileName = QStringLiteral("autorun");
    AppDef.PublishProjectMenuItem = true;
    AppDef.DBAndRep = true;
    AppDef.FadeAndWrapperObjects = true;
    AppDef.FileTreeView = false;
    AppDef.StartAndExitForms = true;
}
