#include "runtime/run_form.h"

#include <QApplication>
#include <QMenuBar>
#include <QVBoxLayout>

#include "core/globals.h"
#include "core/object_tree.h"
#include "runtime/object_control_creation.h"
#include "platform/vcl/controls.h"
#include "platform/vcl/extctrls.h"
#include "platform/vcl/scrollbox.h"
#include "platform/vcl/statusbar.h"

TRunForm *RunForm = nullptr;

TRunForm::TRunForm(QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    m_layout = new QVBoxLayout(this);
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(0);
    m_menuBar = new QMenuBar(this);
    m_menuBar->setNativeMenuBar(false);
    m_menuBar->hide();
    m_layout->addWidget(m_menuBar);
    ScrollBox1 = new TScrollBox(this);
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    ScrollBox1->SetAutoScroll(false);
    ScrollBox1->SetBorderStyle(bsNone);
    ScrollBox1->SetDoubleBuffered(true);
    m_layout->addWidget(ScrollBox1, 1);
    StatusBar = new TStatusBar(this);
    StatusBar->SetHeight(19);
    StatusBar->hide();
    m_layout->addWidget(StatusBar);

    TFont font;
    font.Name = QStringLiteral("Tahoma");
    font.SetHeight(-11);
    font.Charset = ANSI_CHARSET;
    setFont(font.ToQFont());
    resize(680, 429);

    PanelObject = NewZvObject();
    PanelObject->ObjectType = otPanel;
    if (CreateObjectControl(PanelObject, ScrollBox1, this, nullptr))
        PanelObject->ObjectControl->SetAlign(alClient);
    PanelObject->ObjectName = QStringLiteral("PagePanel");

    TTimer **timers[] = {&Timer2, &Timer3, &Timer4, &Timer5};
    for (TTimer **timer : timers) {
        *timer = new TTimer(this);
        (*timer)->SetEnabled(false);
        (*timer)->SetInterval(10);
    }
    Timer2->OnTimer = [this](QObject *) { Timer2Timer(); };
    Timer3->OnTimer = [this](QObject *) { Timer3Timer(); };
    Timer4->OnTimer = [this](QObject *) { Timer4Timer(); };
    Timer5->OnTimer = [this](QObject *) { Timer5Timer(); };
    // Key preview: every key released anywhere in the window reaches FormKeyUp.
    qApp->installEventFilter(this);
}

TRunForm::~TRunForm()
{
    for (TTimer *timer : {Timer2, Timer3, Timer4, Timer5})
        timer->SetEnabled(false);
    FreeZvObject(PanelObject);
}

void TRunForm::InitForm(const QString &Cap)
{
    AnyKeyClose = false;
    CloseAfterMs = 0;
    SetCaption(Cap);
    IconPicture.Clear();
    ApplyIcon();
    BorderIcons = biSystemMenu | biMinimize | biMaximize;
    BorderStyle = fbsSizeable;
    ApplyBorder();
    FormPositionX = 0;
    FormPositionY = 0;
    resize(689, 432);
    FormPositionType = fptScreen;
    FormPositionMargin = 0;
    FormPosition = fpCenter;
    FormWindowState = wsNormal;
    setWindowState(Qt::WindowNoState);
    FormStyle = fsNormal;
    TransparentColor = false;
    TransparentColorValue = 0;
    FormAlpha = 100;
    FormFade = true;
    FormFadeInStep = 10;
    FormFadeOutStep = 10;
    FreeActionList(&OnShowActions);
    FreeActionList(&OnCloseActions);

    // The page object back to an empty client-filling panel.
    TZvObject *page = PanelObject;
    page->ObjectName.clear();
    page->ObjectType = otPanel;
    page->Enable = true;
    page->Visible = true;
    page->Align = alClient;
    page->Cursor = crDefault;
    page->Hint.clear();
    page->Left = 0;
    page->Top = 0;
    page->Width = 100;
    page->Height = 100;
    delete page->PopupMenu;
    page->PopupMenu = nullptr;
    page->Selected = false;
    page->TreeNode = nullptr;
    while (!page->Objects.isEmpty())
        FreeZvObject(page->Objects.takeLast());
    for (TZvActions *list : {&page->OnClickActions, &page->OnDblClickActions, &page->OnEnterActions,
                             &page->OnLeaveActions, &page->OnMouseDownActions, &page->OnMouseUpActions})
        FreeActionList(list);

    MainMenu.Items()->Clear();
    RebuildMenuBar();
    StatusBar->Panels().Clear();
    StatusBar->hide();
}

void TRunForm::RebuildMenuBar()
{
    m_menuBar->clear();
    MainMenu.FillMenuBar(m_menuBar);
    m_menuBar->setVisible(MainMenu.Items()->Count() > 0);
}

void TRunForm::ApplyBorder()
{
    Qt::WindowFlags flags = Qt::Window;
    switch (BorderStyle) {
    case fbsNone:
        flags |= Qt::FramelessWindowHint;
        break;
    case fbsToolWindow:
    case fbsSizeToolWin:
        flags |= Qt::Tool;
        break;
    case fbsDialog:
        flags |= Qt::Dialog;
        break;
    default:
        break;
    }
    if (BorderStyle != fbsNone) {
        flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
        if (BorderIcons & biSystemMenu)
            flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
        if (BorderIcons & biMinimize)
            flags |= Qt::WindowMinimizeButtonHint;
        if (BorderIcons & biMaximize)
            flags |= Qt::WindowMaximizeButtonHint;
        if (BorderIcons & biHelp)
            flags |= Qt::WindowContextHelpButtonHint;
    }
    if (FormStyle == fsStayOnTop)
        flags |= Qt::WindowStaysOnTopHint;
    const bool shown = isVisible();
    setWindowFlags(flags);
    if (shown)
        show();
}

void TRunForm::ApplyIcon()
{
    const TGraphic *graphic = IconPicture.Graphic();
    if (graphic && !graphic->Empty())
        setWindowIcon(QIcon(QPixmap::fromImage(graphic->Image())));
    else
        setWindowIcon(QIcon());
}

PZvObject TRunForm::GetZvObjectFromName(const QString &ObjectName) const
{
    return ::GetZvObjectFromName(PanelObject, ObjectName);
}

void TRunForm::GetListViewNames(TStrings &Names) const
{
    ListObjectPaths(PanelObject, nlListViewNames, Names);
}

void TRunForm::GetDataSetObjectNames(TStrings &Names) const
{
    ListObjectPaths(PanelObject, nlDataSetObjectNames, Names);
}
