// The project as the designer edits it and the runtime plays it: the one global project
// record, its forms with their outlines, the object records of a loaded page and the
// action lists attached to them.
#pragma once

#include <QLatin1String>
#include <QList>
#include <QString>
#include <memory>
#include <vector>

#include "core/object_types.h"
#include "platform/graphics/color.h"
#include "platform/rtl/streams.h"
#include "platform/vcl/types.h"

class TControl;
class TPopupMenu;
class QTreeWidgetItem;

struct TZvAction;
using PZvAction = TZvAction *;

// An ordered list of actions; it owns them (and each action owns its nested lists).
struct TZvActions
{
    QList<PZvAction> Actions;

    TZvActions() = default;
    ~TZvActions();
    TZvActions(const TZvActions &) = delete;
    TZvActions &operator=(const TZvActions &) = delete;
};
using PZvActions = TZvActions *;

struct TZvAction
{
    TCommandType Command = ctDatabase;
    QString Param1;
    QString Param2;
    QString Param3;
    QString Param4;
    bool OptionBool = false;
    int32_t OptionInt = 0;
    TZvActions Actions1; // then-branch, loop body, first answer
    TZvActions Actions2; // else-branch, second answer
};

// The outline of one object: kept for every form so that the designer shows the objects of
// forms that are not loaded.
struct TObjectInfo
{
    QString ObjectName;
    TObjectType ObjectType = otPanel;
    std::vector<std::unique_ptr<TObjectInfo>> Objects;
};
using PObjectInfo = TObjectInfo *;

struct TZvObject;
using PZvObject = TZvObject *;

// One node of a loaded page's object tree. It owns its children, its action lists, its
// popup menu and its live control (which points back to it).
struct TZvObject
{
    QString ObjectName;
    TObjectType ObjectType = otPanel;
    TAlign Align = alNone;
    bool Enable = true;
    bool Visible = true;
    bool Locked = false;
    bool MoveHandle = false;
    TCursor Cursor = crDefault;
    QString Hint;
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Width = 100;
    int32_t Height = 100;
    TZvActions OnClickActions;
    TZvActions OnDblClickActions;
    TZvActions OnEnterActions;
    TZvActions OnLeaveActions;
    TZvActions OnMouseDownActions;
    TZvActions OnMouseUpActions;
    QList<PZvObject> Objects;
    TPopupMenu *PopupMenu = nullptr;
    TControl *ObjectControl = nullptr;
    bool Selected = false;
    QTreeWidgetItem *TreeNode = nullptr;

    TZvObject() = default;
    TZvObject(const TZvObject &) = delete;
    TZvObject &operator=(const TZvObject &) = delete;
};

// One form of the project. Its body lives either in the project source file (Position,
// Length) or, once the designer stored the page, in FormInfoData, which then wins.
struct TFormData
{
    QString FormName;
    int32_t Position = 0;
    int32_t OldPosition = 0;
    QString WebFormCaption;
    TColor WebFormColor = clBtnFace;
    int32_t WebFormObjectsPosition = 0;
    int32_t WebFormActionsPosition = 0;
    int32_t Length = 0;
    std::unique_ptr<TObjectInfo> ObjectInfo = std::make_unique<TObjectInfo>();
    std::unique_ptr<TMemoryStream> FormInfoData;
    QTreeWidgetItem *TreeNode = nullptr;
};
using PFormData = TFormData *;

struct TRunProject
{
    QString AppTitle;
    QString AppFileDescription;
    QString AppCompanyName;
    QString AppLegalCopyright;
    QString AppFileName;
    QString AppOutputDir;
    int32_t AppFileVersionMajor = 1;
    int32_t AppFileVersionMinor = 0;
    int32_t AppFileVersionRelease = 0;
    int32_t AppFileVersionBuild = 0;
    std::unique_ptr<TMemoryStream> AppIconFileStream;
    TZvActions OnStartActions;
    TZvActions OnExitActions;
    std::vector<std::unique_ptr<TFormData>> Forms;
    TApplicationType ApplicationType = atNormal;
    int32_t WebSessionTimeout = 10;
    uint32_t WebPort = 8888;
    QString TerminateMessage;
    TSecurityType SecurityType = stNone;
    QString SecurityUserAuthList;
    QString SecurityUserAuthLabel;
    QString SecurityPasswordLabel;
    QString SecurityErrorMessage;
    QString SecurityTitle;
    QString SecurityOKButtonCaption;
    QString SecurityCancelButtonCaption;
    QString SplashScreenName;
    int32_t SplashScreenTime = 3000;
    QString ExitFormName;
    int32_t ExitFormTime = 3000;
    QString FullScreenName;
};

extern TRunProject RunProject;

// The texts a new project starts with; readers of old bodies that lack these settings
// fill them in with the same values.
constexpr QLatin1String DefaultWebAppTitle("Web Application");
constexpr QLatin1String DefaultCDMenuAppTitle("CD Menu");
constexpr QLatin1String DefaultAppTitle("Application");
constexpr int32_t DefaultWebSessionTimeout = 10;
constexpr uint32_t DefaultWebPort = 8888;
constexpr QLatin1String DefaultTerminateMessage("Good bye.");
constexpr QLatin1String DefaultSecurityUserAuthList("Gardenia,Tulipfox");
constexpr QLatin1String DefaultSecurityUserAuthLabel("User/AuthCode: ");
constexpr QLatin1String DefaultSecurityPasswordLabel("Password: ");
constexpr QLatin1String DefaultSecurityErrorMessage("Invalid user name, password or authentication code.");
constexpr QLatin1String DefaultSecurityTitle("Please input your user name, password or authentication code.");
constexpr QLatin1String DefaultSecurityOKButtonCaption("OK");
constexpr QLatin1String DefaultSecurityCancelButtonCaption("Cancel");
constexpr int32_t DefaultSplashScreenTime = 3000;
constexpr int32_t DefaultExitFormTime = 3000;
constexpr QLatin1String DefaultFirstFormName("Form1");

// A record with the defaults of a new object.
PZvObject NewZvObject();
// Frees an object subtree: its children last first (each recursively), then its six action
// lists, its popup menu and its control, then the record. Nil does nothing. The caller
// removes the object from its parent's list first. Teardown that only one kind needs (a tab
// notebook letting go of its sheets, say) is that kind's control's business, done in the
// control's destructor; note that it runs after the children (and their controls) are gone.
void FreeZvObject(PZvObject ZvObject);
// Frees every action of the list, last first (each with its nested lists), and empties it.
// Nil does nothing.
void FreeActionList(TZvActions *Actions);
// Frees the outline node and its children, leaving Info empty.
void FreeObjectInfo(std::unique_ptr<TObjectInfo> &Info);

// The login settings and the splash, exit and full-screen form settings of a new project
// (security off, the default login texts, no such forms, 3000 ms); bodies stored without
// these settings read as these.
void SetDefaultLoginAndFormSettings(TRunProject &Project);

// Resets the project to a new one of the given type; with CreateFirstForm the project gets
// its first form "Form1".
void ResetProject(bool CreateFirstForm, TApplicationType ApplicationType);
