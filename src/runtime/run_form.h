// TRunForm: the window that plays one form (page) of the project. In the designer the same
// class hosts the page being edited. Its stored settings, menu, status bar and page are
// written and read by the form body routines.
#pragma once

#include <QPointer>
#include <QRect>
#include <QWidget>
#include <cstdint>
#include <memory>

#include "core/project_model.h"
#include "core/zv_value.h"
#include "platform/graphics/picture.h"
#include "platform/vcl/controls.h"
#include "platform/vcl/menus.h"

class QEventLoop;
class QMenuBar;
class QVBoxLayout;
class TScrollBox;
class TStatusBar;
class TStream;
class TStrings;
class TTimer;

enum TBorderIcon : uint8_t { biSystemMenu = 1, biMinimize = 2, biMaximize = 4, biHelp = 8 };
using TBorderIcons = uint8_t;
enum TFormBorderStyle : uint8_t { fbsNone, fbsSingle, fbsSizeable, fbsDialog, fbsToolWindow, fbsSizeToolWin };
enum TFormPositionType : uint8_t { fptScreen, fptWorkArea, fptDesktop };
enum TFormPosition : uint8_t {
    fpDesigned, fpCenter, fpLeftCenter, fpTopCenter, fpRightCenter, fpBottomCenter, fpLeft, fpTop,
    fpRight, fpBottom, fpLeftTopCorner, fpTopRightCorner, fpRightBottomCorner, fpBottomLeftCorner,
};
enum TWindowState : uint8_t { wsNormal, wsMinimized, wsMaximized };
enum TFormStyle : uint8_t { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };

class TRunForm : public QWidget
{
    Q_OBJECT

public:
    explicit TRunForm(QWidget *parent = nullptr);
    ~TRunForm() override;

    // Resets the window to a new empty page captioned Cap.
    void InitForm(const QString &Cap);

    // The form body (settings, icon, actions, menu, status bar, placement, page).
    bool SaveToStream(TStream *Stream);
    bool LoadFromStream(TStream *Stream, bool IsGotoPage);
    // Stores the live page into its project entry (body in memory, outline, web data).
    bool SaveFormData(TFormData *FormData);
    // Reads a form body from the project source file at Position into this window.
    bool LoadFormFromSourceFile(int64_t Position, bool IsGotoPage);

    QString Caption() const { return windowTitle(); }
    void SetCaption(const QString &Caption) { setWindowTitle(Caption); }

    TBorderIcons BorderIcons = biSystemMenu | biMinimize | biMaximize;
    TFormBorderStyle BorderStyle = fbsSizeable;
    TFormStyle FormStyle = fsNormal;
    bool TransparentColor = false;
    TColor TransparentColorValue = 0;

    bool DataChanged = false;
    PZvObject PanelObject = nullptr;
    int FormIndex = 0;
    TFormPositionType FormPositionType = fptScreen;
    int32_t FormPositionMargin = 0;
    TFormPosition FormPosition = fpCenter;
    int32_t FormPositionX = 0;
    int32_t FormPositionY = 0;
    TWindowState FormWindowState = wsNormal;
    int32_t FormAlpha = 100;
    bool FormFade = true;
    int32_t FormFadeInStep = 10;
    int32_t FormFadeOutStep = 10;
    TZvActions OnShowActions;
    TZvActions OnCloseActions;

    TMainMenu MainMenu;
    TStatusBar *StatusBar = nullptr;
    TScrollBox *ScrollBox1 = nullptr;
    // The window's icon picture as stored (the hidden icon image of the page).
    TPicture IconPicture;

    // Offset, inside the body last written, of the OnShow action list.
    int64_t LastActionsPosition = 0;

    // Objects of this window's page by dotted path, and the name listers of its pick lists.
    PZvObject GetZvObjectFromName(const QString &ObjectName) const;
    void GetListViewNames(TStrings &Names) const;
    void GetDataSetObjectNames(TStrings &Names) const;

    // Makes the menu bar show the items of MainMenu.
    void RebuildMenuBar();

    // ---- Life cycle: showing, placing, fading, deferred go-to and close, closing ----

    bool Closed = false;              // Timer4 has already called close()
    bool CloseEvented = false;        // FormClose has run (it runs once per window)
    bool CancelTreeViewEvent = true;  // until the first show, tree-node lists do not run
    bool CloseFree = false;           // the window frees itself when closed
    bool IsModal = false;             // opened modally
    bool IsFullScreenBackground = false;
    bool AnyKeyClose = false;         // a key release (or an object click) closes the window
    int32_t CloseAfterMs = 0;         // automatic close; only values above 100 count
    QPointer<TRunForm> ParentForm;    // the window whose action opened this one, if still alive
    bool IsPreview = false;           // the designer's form preview
    bool GotoFormKeepSize = false;    // argument of the pending go-to

    // Each 10 ms and disabled at creation. Timer2: deferred go-to (target index in
    // Timer2Tag); Timer3: once after showing; Timer4: deferred close; Timer5: settles
    // list and tree views after a load.
    TTimer *Timer2 = nullptr;
    TTimer *Timer3 = nullptr;
    TTimer *Timer4 = nullptr;
    TTimer *Timer5 = nullptr;
    int Timer2Tag = -1;

    // The handlers; FormShow, FormClose and FormKeyUp are raised by the window's own show,
    // close and key-release events.
    void FormShow();
    void FormClose();
    void FormKeyUp();
    void Timer2Timer();
    void Timer3Timer();
    void Timer4Timer();
    void Timer5Timer();

    // Places the window by its position settings on the screen, work area or desktop.
    void DoPosition();
    // Blocking fades of the whole window (nothing when FormFade is off).
    void DoFadeIn();
    void DoFadeOut();
    // The window's alpha-blend value (0 transparent .. 255 opaque).
    int AlphaBlendValue() const;
    void SetAlphaBlendValue(int Value);
    // Pass over an object subtree after a page is shown or replaced.
    void DoAfterLoadObjects(PZvObject ZvObject, bool Refresh);
    // Empties the page: the show and close lists and the whole object tree.
    void WebClearForm();
    // Shows the window modally and returns when it has been closed.
    void ShowModal();

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    friend bool OpenFormWindow(int Index, int Kind, bool AnyKeyClose, int CloseAfterMs, TRunForm *ParentForm);
    void FreePage();
    QPointer<QEventLoop> m_modalLoop;

    // ---- end of life cycle ----

private:
    void ApplyBorder();
    void ApplyIcon();

    QVBoxLayout *m_layout = nullptr;
    QMenuBar *m_menuBar = nullptr;

    // ---- Action lists and the page's events (action_interpreter.cpp, event_routing.cpp) ----
public:
    // Runs every action of the list in order, on this window; False for a null list.
    // Errors are not caught here: they end the list and reach the event's guard.
    bool DoActions(const TZvActions *Actions);
    // Carries out one action on this window; a null action or an unknown command does
    // nothing. Closing, going to another form and ending the program are deferred through
    // Timer4 and Timer2, so the rest of the list still runs.
    bool DoAction(const TZvAction *ZvAction);

    // Mouse position inside an object at the last left-button press (window dragging).
    int MoveX = 0;
    int MoveY = 0;

    // The handlers the page's controls and menu items are connected to.
    void ObjectClickHandler(QObject *Sender);
    void ObjectDblClickHandler(QObject *Sender);
    void ObjectMouseEnterHandler(QObject *Sender);
    void ObjectMouseLeaveHandler(QObject *Sender);
    void ObjectMouseDownHandler(QObject *Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void ObjectDragMoveHandler(QObject *Sender, TShiftState Shift, int X, int Y);
    void ObjectChangeHandler(QObject *Sender);
    void MenuItemClickHandler(TMenuItem *Sender);
    // ---- end of actions and events ----

    // ---- The value language (value_reading.cpp, value_writing.cpp) ----
public:
    // Reads the value a pair of the value language names: an object path of this page, or
    // "[Global]", "[MainForm]", "[ParentForm]" or a constant word, and a token. OName and
    // VName, when both are given, name the counterpart (the other side of the action),
    // which types untyped constants and is the left operand of the arithmetic words.
    // False when there is no value. Conversions and divisions raise the platform's errors.
    bool GetZvObjectValue(const QString &ObjectName, const QString &PropertyName, TZvValue &Value,
                          const QString &OName = QString(), const QString &VName = QString());
    // Writes Value into the token ValueName of ZvObject. A type the token refuses shows
    // ShowValueTypeMismatch and changes nothing; a token the object does not have does
    // nothing.
    void SetPropertyValue(PZvObject ZvObject, const QString &ValueName, const TZvValue &Value);
    // The window "[MainForm]" or "[ParentForm]" names for this window; nullptr in the
    // designer, for another word, or when there is none.
    TRunForm *NamedForm(const QString &Word) const;
    // ---- end of the value language ----
};

// Designer: the off-screen host of the page being edited. Desktop runtime: the main window.
extern TRunForm *RunForm;

// The message of a value that a property does not take.
void ShowValueTypeMismatch();

// Loads a project form into a window: from its in-memory body, else from the project
// source file.
bool LoadFormData(TFormData *FormData, TRunForm *Form, bool IsGotoPage);

// The current full-screen background window, if any.
extern QPointer<TRunForm> FullScreenBackForm;

// The rectangle a window of Size gets inside Area (right and bottom edges exclusive, as
// Left + Width) by Position, Margin and the designed offsets X, Y.
QRect PlaceFormRect(const QRect &Area, TFormPosition Position, int Margin, int X, int Y, const QSize &Size);
// The rectangle a position type refers to: the primary screen (from 0,0), its work area or
// the virtual desktop.
QRect FormPositionArea(TFormPositionType Type);

// Settles the list and tree views of an object subtree after it was loaded.
void InitListAndTreeViews(PZvObject ZvObject);

// Opens project form Index in a new window. Kind 0 normal, 1 modal, 2 full-screen
// background, 3 modal. Always returns False.
bool OpenFormWindow(int Index, int Kind, bool AnyKeyClose, int CloseAfterMs, TRunForm *ParentForm);
// The project's start and exit windows; each opens nothing unless the product shows start
// and exit forms and the project names an existing form.
void ShowSplashForm();
void ShowFullScreenForm();
void ShowExitForm();
