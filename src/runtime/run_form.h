// TRunForm: the window that plays one form (page) of the project. In the designer the same
// class hosts the page being edited. Its stored settings, menu, status bar and page are
// written and read by the form body routines.
#pragma once

#include <QWidget>
#include <cstdint>
#include <memory>

#include "core/project_model.h"
#include "platform/graphics/picture.h"
#include "platform/vcl/menus.h"

class QMenuBar;
class QVBoxLayout;
class TScrollBox;
class TStatusBar;
class TStream;

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

    // Makes the menu bar show the items of MainMenu.
    void RebuildMenuBar();

private:
    void ApplyBorder();
    void ApplyIcon();

    QVBoxLayout *m_layout = nullptr;
    QMenuBar *m_menuBar = nullptr;
};

// Designer: the off-screen host of the page being edited. Desktop runtime: the main window.
extern TRunForm *RunForm;

// Loads a project form into a window: from its in-memory body, else from the project
// source file.
bool LoadFormData(TFormData *FormData, TRunForm *Form, bool IsGotoPage);
