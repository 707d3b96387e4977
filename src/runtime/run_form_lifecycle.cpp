// The life of a runtime window: showing, placing, fading, the deferred go-to and close,
// closing, and the project-level routines that open forms in windows of their own.
#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QKeyEvent>
#include <QScreen>
#include <QTimer>
#include <algorithm>

#include "app/app_def.h"
#include "core/globals.h"
#include "core/object_tree.h"
#include "platform/exception_boundary.h"
#include "platform/vcl/controls.h"
#include "platform/vcl/extctrls.h"
#include "runtime/action_interpreter.h"
#include "runtime/run_form.h"

QPointer<TRunForm> FullScreenBackForm;

namespace {

constexpr int kFadeStepMs = 25;

// Waits Ms milliseconds while the window keeps painting and the timers keep running; input
// waits until the fade is over, so no click starts a list halfway through a fade.
void FadeSleep(int Ms)
{
    QEventLoop loop;
    QTimer::singleShot(Ms, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

Qt::WindowStates QtWindowState(TWindowState State)
{
    switch (State) {
    case wsMinimized:
        return Qt::WindowMinimized;
    case wsMaximized:
        return Qt::WindowMaximized;
    default:
        return Qt::WindowNoState;
    }
}

void RefreshControl(PZvObject ZvObject)
{
    if (ZvObject && ZvObject->ObjectControl)
        ZvObject->ObjectControl->repaint();
}

// Opens the project form named Name (when the product shows start and exit forms).
void ShowProjectForm(const QString &Name, int Kind, bool AnyKeyClose, int CloseAfterMs)
{
    if (!AppDef.StartAndExitForms)
        return;
    const int index = FindFormIndex(Name);
    if (index < 0)
        return;
    OpenFormWindow(index, Kind, AnyKeyClose, CloseAfterMs, nullptr);
}

} // namespace

// ---- Placement ----

QRect FormPositionArea(TFormPositionType Type)
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return QRect();
    switch (Type) {
    case fptWorkArea:
        return screen->availableGeometry();
    case fptDesktop:
        return screen->virtualGeometry();
    default:
        return QRect(QPoint(0, 0), screen->size());
    }
}

QRect PlaceFormRect(const QRect &Area, TFormPosition Position, int Margin, int X, int Y, const QSize &Size)
{
    const int left = Area.x();
    const int top = Area.y();
    const int right = Area.x() + Area.width();
    const int bottom = Area.y() + Area.height();
    int w = Size.width();
    int h = Size.height();
    const int centredX = left + (right - left - w) / 2;
    const int centredY = top + (bottom - top - h) / 2;
    const int nearX = left + Margin;
    const int nearY = top + Margin;
    const int farX = right - w - Margin;
    const int farY = bottom - h - Margin;

    int x = left;
    int y = top;
    switch (Position) {
    case fpDesigned:
        x = left + Margin + X;
        y = top + Margin + Y;
        break;
    case fpCenter:
        x = centredX;
        y = centredY;
        break;
    case fpLeftCenter:
        x = nearX;
        y = centredY;
        break;
    case fpTopCenter:
        x = centredX;
        y = nearY;
        break;
    case fpRightCenter:
        x = farX;
        y = centredY;
        break;
    case fpBottomCenter:
        x = centredX;
        y = farY;
        break;
    case fpLeft:
        x = nearX;
        y = nearY;
        h = bottom - top - 2 * Margin;
        break;
    case fpTop:
        x = nearX;
        y = nearY;
        w = right - left - 2 * Margin;
        break;
    case fpRight:
        x = farX;
        y = nearY;
        h = bottom - top - 2 * Margin;
        break;
    case fpBottom:
        x = nearX;
        y = farY;
        w = right - left - 2 * Margin;
        break;
    case fpLeftTopCorner:
        x = nearX;
        y = nearY;
        break;
    case fpTopRightCorner:
        x = farX;
        y = nearY;
        break;
    case fpRightBottomCorner:
        x = farX;
        y = farY;
        break;
    case fpBottomLeftCorner:
        x = nearX;
        y = farY;
        break;
    }
    return QRect(x, y, w, h);
}

void TRunForm::DoPosition()
{
    const QRect placed = PlaceFormRect(FormPositionArea(FormPositionType), FormPosition, FormPositionMargin,
                                       FormPositionX, FormPositionY, size());
    move(placed.topLeft());
    resize(placed.size());
    if (!PageIsEdited())
        setWindowState(QtWindowState(FormWindowState));
}

// ---- Fades ----

int TRunForm::AlphaBlendValue() const
{
    return qRound(windowOpacity() * 255);
}

void TRunForm::SetAlphaBlendValue(int Value)
{
    // Qt keeps the opacity as whole 1/255 steps, truncating: half a step up keeps Value.
    setWindowOpacity((std::clamp(Value, 0, 255) + 0.5) / 255.0);
}

void TRunForm::DoFadeIn()
{
    if (!FormFade)
        return;
    SetAlphaBlendValue(1);
    const int target = FormAlpha * 255 / 100;
    const int step = std::max(1, FormFadeInStep * 255 / 100);
    QPointer<TRunForm> self(this);
    int value = AlphaBlendValue();
    while (value < 255) {
        if (value >= target)
            break;
        SetAlphaBlendValue(value);
        FadeSleep(kFadeStepMs);
        if (!self)
            return;
        value += step;
    }
    SetAlphaBlendValue(target);
}

void TRunForm::DoFadeOut()
{
    if (!FormFade)
        return;
    const int step = std::max(1, FormFadeOutStep * 255 / 100);
    QPointer<TRunForm> self(this);
    int value = AlphaBlendValue();
    while (value > 0) {
        SetAlphaBlendValue(value);
        FadeSleep(kFadeStepMs);
        if (!self)
            return;
        value -= step;
    }
    SetAlphaBlendValue(1);
}

// ---- After a load ----

void TRunForm::DoAfterLoadObjects(PZvObject ZvObject, bool Refresh)
{
    if (!ZvObject)
        return;
    for (PZvObject child : ZvObject->Objects) {
        // List views, tree views and media players add their steps here when they exist.
        if (Refresh && child->ObjectType == otPanel)
            RefreshControl(child);
        DoAfterLoadObjects(child, Refresh);
    }
}

void InitListAndTreeViews(PZvObject ZvObject)
{
    // Only list and tree views are settled here; neither kind exists in this build yet, so
    // the walk has nothing to do for the kinds a page can hold today.
    if (!ZvObject)
        return;
    for (PZvObject child : ZvObject->Objects)
        InitListAndTreeViews(child);
}

// ---- Handlers ----

void TRunForm::FormShow()
{
    CancelTreeViewEvent = false;
    if (PageIsEdited())
        return;
    DoActions(&OnShowActions);
    Timer3->SetEnabled(true);
}

void TRunForm::Timer3Timer()
{
    Timer3->SetEnabled(false);
    if (!PanelObject)
        return;
    RefreshControl(PanelObject);
    DoAfterLoadObjects(PanelObject, true);
    DoFadeIn();
    if (!PanelObject) // closed while fading in
        return;
    if (CloseAfterMs > 100) {
        Timer4->SetInterval(CloseAfterMs);
        Timer4->SetEnabled(true);
    }
    DoAfterLoadObjects(PanelObject, false);
}

void TRunForm::Timer2Timer()
{
    Timer2->SetEnabled(false);
    const int index = Timer2Tag;
    if (index < 0 || index >= int(RunProject.Forms.size()) || !PanelObject)
        return;
    const bool oldFades = FormFade;
    if (oldFades)
        DoFadeOut();
    if (!PanelObject) // closed while fading out
        return;
    if (PanelObject->ObjectControl)
        PanelObject->ObjectControl->hide();
    LoadFormData(RunProject.Forms[size_t(index)].get(), this, GotoFormKeepSize);
    FormIndex = index;
    if (PanelObject->ObjectControl)
        PanelObject->ObjectControl->setVisible(PanelObject->Visible);
    RefreshControl(PanelObject);
    DoAfterLoadObjects(PanelObject, true);
    if (oldFades || FormFade)
        DoFadeIn();
    if (!PanelObject)
        return;
    DoAfterLoadObjects(PanelObject, false);
    Timer5Timer();
}

void TRunForm::Timer4Timer()
{
    Timer4->SetEnabled(false);
    if (Closed)
        return;
    Closed = true;
    close();
}

void TRunForm::Timer5Timer()
{
    Timer5->SetEnabled(false);
    InitListAndTreeViews(PanelObject);
}

void TRunForm::FormKeyUp()
{
    if ((DesignerMode && DesignerPreview) || AnyKeyClose) {
        Timer4->SetInterval(10);
        Timer4->SetEnabled(true);
    }
}

void TRunForm::FormClose()
{
    if (CloseEvented)
        return;
    CloseEvented = true;
    if (PageIsEdited())
        return;

    // No pending go-to or show step may run on a page that is being taken down.
    for (TTimer *timer : {Timer2, Timer3, Timer5})
        timer->SetEnabled(false);

    DoFadeOut();
    // An error in one list ends that list only; the window still closes cleanly.
    GuardedCall([this] { DoActions(&OnCloseActions); });

    if (!DesignerMode && this == RunForm) {
        for (PZvAction action : RunProject.OnExitActions.Actions)
            GuardedCall([action] { RunGlobalAction(action, nullptr); });
        ShowExitForm();
    }

    FreeActionList(&OnShowActions);
    FreeActionList(&OnCloseActions);

    // The close lists may have armed a timer again; none may fire on the freed page.
    for (TTimer *timer : {Timer2, Timer3, Timer4, Timer5})
        timer->SetEnabled(false);
    if (QWidget *focused = focusWidget())
        focused->clearFocus();
    FreePage();

    if (IsFullScreenBackground && FullScreenBackForm == this)
        FullScreenBackForm = nullptr;
}

void TRunForm::FreePage()
{
    PZvObject page = PanelObject;
    PanelObject = nullptr;
    FreeZvObject(page);
}

void TRunForm::WebClearForm()
{
    FreeActionList(&OnShowActions);
    FreeActionList(&OnCloseActions);
    FreePage();
}

void TRunForm::ShowModal()
{
    IsModal = true;
    setWindowModality(Qt::ApplicationModal);
    show();
    if (!isVisible())
        return;
    QEventLoop loop;
    m_modalLoop = &loop;
    loop.exec(QEventLoop::DialogExec);
    m_modalLoop = nullptr;
}

// ---- Events ----

void TRunForm::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        GuardedCall([this] { FormShow(); });
}

void TRunForm::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    if (!event->spontaneous() && m_modalLoop)
        m_modalLoop->quit();
}

void TRunForm::closeEvent(QCloseEvent *event)
{
    GuardedCall([this] { FormClose(); });
    event->accept();
    if (CloseFree)
        setAttribute(Qt::WA_DeleteOnClose);
    // Closing the main window of a built program ends the program, whatever else is open.
    if (!DesignerMode && this == RunForm)
        QCoreApplication::quit();
}

bool TRunForm::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyRelease && watched->isWidgetType()
        && static_cast<QWidget *>(watched)->window() == this)
        GuardedCall([this] { FormKeyUp(); });
    return QWidget::eventFilter(watched, event);
}

// ---- Project-level windows ----

bool OpenFormWindow(int Index, int Kind, bool AnyKeyClose, int CloseAfterMs, TRunForm *ParentForm)
{
    if (Index < 0 || Index >= int(RunProject.Forms.size()))
        return false;
    auto *form = new TRunForm;
    LoadFormData(RunProject.Forms[size_t(Index)].get(), form, false);
    form->DoPosition();
    form->CloseFree = true;
    form->FormIndex = Index;

    if (Kind == 2) {
        form->BorderStyle = fbsNone;
        form->FormStyle = fsNormal;
        form->ApplyBorder();
        form->FormWindowState = wsMaximized;
        form->setWindowState(Qt::WindowMaximized);
        form->setEnabled(false);
        form->IsFullScreenBackground = true;
        if (FullScreenBackForm)
            FullScreenBackForm->close();
        FullScreenBackForm = form;
    }

    form->IsModal = Kind == 1 || Kind == 3;
    form->CloseAfterMs = CloseAfterMs;
    form->AnyKeyClose = AnyKeyClose;
    form->ParentForm = ParentForm;

    if (form->IsModal) {
        form->CloseFree = false;
        // An exit asked for inside a modal window closes that window only: the flag raised
        // during its loop is cleared here, so that no later command of another window takes
        // it for a request to end the program.
        const bool exitBefore = ExitRequested;
        form->ShowModal();
        delete form;
        if (!exitBefore)
            ExitRequested = false;
    } else {
        form->show();
    }

    if (Kind == 2 && RunForm && RunForm->isVisible()) {
        RunForm->raise();
        RunForm->activateWindow();
    }
    return false;
}

void ShowSplashForm()
{
    ShowProjectForm(RunProject.SplashScreenName, 1, true, RunProject.SplashScreenTime);
}

void ShowFullScreenForm()
{
    ShowProjectForm(RunProject.FullScreenName, 2, false, 0);
}

void ShowExitForm()
{
    ShowProjectForm(RunProject.ExitFormName, 1, true, RunProject.ExitFormTime);
}
