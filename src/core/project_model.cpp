#include "core/project_model.h"

#include "objects/kind_control.h"

#include "app/app_def.h"
#include "core/globals.h"
#include "platform/vcl/controls.h"
#include "platform/vcl/menus.h"
#include "runtime/run_form.h"

TRunProject RunProject;

TZvActions::~TZvActions()
{
    FreeActionList(this);
}

PZvObject NewZvObject()
{
    return new TZvObject; // the record's member defaults are those of a new object
}

void FreeActionList(TZvActions *Actions)
{
    if (!Actions)
        return;
    QList<PZvAction> &list = Actions->Actions;
    while (!list.isEmpty()) {
        // Taken out before deletion so that the list never holds a freed action.
        PZvAction action = list.takeLast();
        delete action; // its destructor frees the nested lists the same way
    }
}

void FreeZvObject(PZvObject ZvObject)
{
    if (!ZvObject)
        return;
    // A kind that holds its children in an inner control (the tab notebook's sheets) lets go
    // of them first, so that no child is freed twice.
    if (TKindControl *kind = KindOf(ZvObject->ObjectControl))
        kind->BeforeChildrenFreed();
    while (!ZvObject->Objects.isEmpty())
        FreeZvObject(ZvObject->Objects.takeLast());
    FreeActionList(&ZvObject->OnClickActions);
    FreeActionList(&ZvObject->OnDblClickActions);
    FreeActionList(&ZvObject->OnEnterActions);
    FreeActionList(&ZvObject->OnLeaveActions);
    FreeActionList(&ZvObject->OnMouseDownActions);
    FreeActionList(&ZvObject->OnMouseUpActions);
    delete ZvObject->PopupMenu;
    ZvObject->PopupMenu = nullptr;
    delete ZvObject->ObjectControl;
    ZvObject->ObjectControl = nullptr;
    delete ZvObject;
}

void FreeObjectInfo(std::unique_ptr<TObjectInfo> &Info)
{
    if (!Info)
        return;
    while (!Info->Objects.empty()) {
        FreeObjectInfo(Info->Objects.back());
        Info->Objects.pop_back();
    }
    Info.reset();
}

void SetDefaultLoginAndFormSettings(TRunProject &Project)
{
    Project.SecurityType = stNone;
    Project.SecurityUserAuthList = DefaultSecurityUserAuthList;
    Project.SecurityUserAuthLabel = DefaultSecurityUserAuthLabel;
    Project.SecurityPasswordLabel = DefaultSecurityPasswordLabel;
    Project.SecurityErrorMessage = DefaultSecurityErrorMessage;
    Project.SecurityTitle = DefaultSecurityTitle;
    Project.SecurityOKButtonCaption = DefaultSecurityOKButtonCaption;
    Project.SecurityCancelButtonCaption = DefaultSecurityCancelButtonCaption;

    Project.SplashScreenName.clear();
    Project.SplashScreenTime = DefaultSplashScreenTime;
    Project.ExitFormName.clear();
    Project.ExitFormTime = DefaultExitFormTime;
    Project.FullScreenName.clear();
}

void ResetProject(bool CreateFirstForm, TApplicationType ApplicationType)
{
    TRunProject &p = RunProject;

    if (ApplicationType == atWebStandAlone)
        p.AppTitle = DefaultWebAppTitle;
    else if (AppDef.CDMenu)
        p.AppTitle = DefaultCDMenuAppTitle;
    else
        p.AppTitle = DefaultAppTitle;

    p.AppFileDescription.clear();
    p.AppCompanyName.clear();
    p.AppLegalCopyright.clear();
    p.AppFileName.clear();
    p.AppOutputDir.clear();
    p.AppFileVersionMajor = 1;
    p.AppFileVersionMinor = 0;
    p.AppFileVersionRelease = 0;
    p.AppFileVersionBuild = 0;

    p.ApplicationType = ApplicationType;
    p.WebSessionTimeout = DefaultWebSessionTimeout;
    p.WebPort = DefaultWebPort;
    p.TerminateMessage = DefaultTerminateMessage;

    SetDefaultLoginAndFormSettings(p);

    p.AppIconFileStream.reset();

    while (!p.Forms.empty()) {
        TFormData &form = *p.Forms.back();
        form.FormInfoData.reset();
        FreeObjectInfo(form.ObjectInfo);
        p.Forms.pop_back();
    }

    FreeActionList(&p.OnStartActions);
    FreeActionList(&p.OnExitActions);

    if (CreateFirstForm) {
        auto form = std::make_unique<TFormData>();
        form->FormName = DefaultFirstFormName;
        p.Forms.push_back(std::move(form));
        // The designer's page becomes an empty "Form1" and is stored into the new entry, so
        // that the entry has its body in memory.
        if (RunForm) {
            RunForm->InitForm(DefaultFirstFormName);
            RunForm->SaveFormData(p.Forms.back().get());
            RunForm->DataChanged = false;
        }
        ProjectModified = true;
    }
}
