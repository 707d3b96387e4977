// One web page of one browser session: the objects of one project form as plain models
// (web twins), the chain of pages the session has opened, and the page's HTML.
#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

#include "core/project_model.h"
#include "core/zv_value.h"
#include "platform/graphics/color.h"

class TIWUserSession;
class TStream;
class TWebTwin;

class TWebForm
{
public:
    // Page creation: the session's first page (while the session has none) becomes its
    // MainForm and builds itself from the project's first form; any other page is filled by
    // the page that opens it.
    explicit TWebForm(TIWUserSession *Session);
    // Deletes the page's child pages and its object records.
    ~TWebForm();
    TWebForm(const TWebForm &) = delete;
    TWebForm &operator=(const TWebForm &) = delete;

    TIWUserSession *const Session;

    int FormIndex = 0;
    TZvActions OnShowActions;
    TZvActions OnCloseActions; // read with the page, never run on the web
    // Container of the page's objects in file order: one flat list.
    PZvObject WebObjects = nullptr;
    TWebForm *ParentForm = nullptr;
    TWebForm *ChildForm = nullptr;

    QString Title;
    TColor BackgroundColor = clBtnFace;
    // Identifies the page in what it posts, so that a post from a page no longer shown is
    // not applied to another one.
    const quint64 Serial;
    // Index of the object that gets the focus when the page is shown; -1 none.
    int FocusedIndex = -1;
    // Set once the page left the chain; it is deleted after the request and navigates no
    // more.
    bool Released = false;

    // Builds the session's first page and runs its OnShow list.
    void InitMainPage();
    // Builds the page from one project form: title, colour, objects and action lists.
    bool LoadFromFormData(TFormData *FormData);
    // The page's object list: an int32 count and that many object records.
    bool LoadFromStream(TStream *Stream);
    bool LoadWebObjectFromStream(TStream *Stream, PZvObject ZvObject, int Index);
    // The object's web twin, reading the kind record; False for kinds without one.
    bool CreateWebObjectControl(PZvObject ZvObject, TStream *Stream, int Index);

    // The first object named exactly ObjectName; names are flat (no dotted paths).
    PZvObject GetZvObjectFromName(const QString &ObjectName) const;
    // The web twin of an object of this page; nil for none.
    TWebTwin *WebControlOf(PZvObject ZvObject) const;
    TWebTwin *WebControl(int Index) const;

    // Navigation along the session's chain of pages.
    void ShowForm();
    void ShowSubForm(int Index);
    void GoBack();
    void WebAppExit();

    // The click of the control whose index (Tag) is given: runs its OnClickActions.
    void WebControlClick(int Tag);
    // A value the browser posted for the control of index Tag (a memo's text).
    void ApplyPostedValue(int Tag, const QString &Value);

    // ---- The value language (web_value_language.cpp) ----
    // Reads the value an object name (plain, no dotted paths) or word and a token name, as
    // on the desktop; OName and VName name the counterpart. False when there is no value.
    bool GetZvObjectValue(const QString &ObjectName, const QString &PropertyName, TZvValue &Value,
                          const QString &OName = QString(), const QString &VName = QString());
    // Writes Value into a token of an object of this page; a type the token refuses raises
    // "The value types are not matched."; a token the object does not have does nothing.
    void SetPropertyValue(PZvObject ZvObject, const QString &ValueName, const TZvValue &Value);
    // The page "[MainForm]" (the session's first page) or "[ParentForm]" names; nil else.
    TWebForm *NamedPage(const QString &Word) const;
    // The commands built on the value language.
    void DoSetPropertyValueAction(const TZvAction &Action);
    void DoIfThenElseValueAction(const TZvAction &Action, bool IsOnShow);
    void DoMessageAction(const TZvAction &Action);
    void DoDoCustomActions(const TZvAction &Action);

    // The page as HTML: a form posting to ActionUrl, every control at its stored rectangle,
    // the waiting Messages shown as alerts.
    QByteArray Render(const QString &ActionUrl, const QStringList &Messages) const;

private:
    void Show();
    void ClearObjects();

    std::vector<std::unique_ptr<TWebTwin>> FControls; // by Tag, parallel to WebObjects->Objects
};
