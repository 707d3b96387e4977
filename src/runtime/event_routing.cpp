#include "runtime/event_routing.h"

#include <QPointer>

#include "core/globals.h"
#include "core/menu_records.h"
#include "core/object_tree.h"
#include "objects/object_kinds.h"
#include "platform/exception_boundary.h"
#include "platform/vcl/controls.h"
#include "platform/vcl/extctrls.h"

namespace {

constexpr int kDeferMs = 10;

// The kinds whose change event runs the object's OnMouseUp list (a rich text's change is
// connected too, but runs nothing).
bool ChangeRunsList(TObjectType Kind)
{
    static constexpr TObjectType kKinds[] = {
        otTabNotebook, otEdit, otMemo, otMaskEdit, otSpinEdit, otDateTimePicker, otTimer, otDBEdit,
        otDBMemo, otScrollBar, otTrackBar, otColorBox, otSlideShow, otListView, otTreeView,
    };
    for (TObjectType kind : kKinds) {
        if (kind == Kind)
            return true;
    }
    return false;
}

PZvObject ObjectOf(QObject *Sender)
{
    return FindZvObjectOfControl(qobject_cast<TControl *>(Sender));
}

bool ControlEnabled(PZvObject Object)
{
    return Object->ObjectControl && Object->ObjectControl->isEnabled();
}

// A handler bound to a window that may be gone by the time the event comes.
template <typename Handler> auto Guarded(QPointer<TRunForm> Form, Handler handler)
{
    return [Form, handler](auto... args) {
        if (Form)
            GuardedCall([&] { (Form.data()->*handler)(args...); });
    };
}

} // namespace

void HookObjectEvents(TControl *Control, const TObjectKindInfo &Info, TRunForm *Form)
{
    if (!Control || !Form)
        return;
    const QPointer<TRunForm> form(Form);
    const TObjectEvents events = Info.Events;
    if (events & evClick)
        Control->OnClick = Guarded(form, &TRunForm::ObjectClickHandler);
    if (events & evDblClick)
        Control->OnDblClick = Guarded(form, &TRunForm::ObjectDblClickHandler);
    if (events & evMouseEnter)
        Control->OnMouseEnter = Guarded(form, &TRunForm::ObjectMouseEnterHandler);
    if (events & evMouseLeave)
        Control->OnMouseLeave = Guarded(form, &TRunForm::ObjectMouseLeaveHandler);
    if (events & evMouseDown)
        Control->OnMouseDown = Guarded(form, &TRunForm::ObjectMouseDownHandler);
    if (events & evMouseMove)
        Control->OnMouseMove = Guarded(form, &TRunForm::ObjectDragMoveHandler);

    const bool change = (events & evChange) || ((events & evChangeOutsideEditing) && !PageIsEdited());
    if (change && Info.ChangeEvent) {
        // The change comes from the kind's inner control (a notebook's page control, say):
        // the handler gets the object's own control as sender.
        QPointer<TControl> control(Control);
        auto handler = Guarded(form, &TRunForm::ObjectChangeHandler);
        *Info.ChangeEvent(Control) = [control, handler](QObject *) {
            if (control)
                handler(static_cast<QObject *>(control.data()));
        };
    }
}

TMenuItem::TClickHandler MenuItemClickHandlerOf(TRunForm *Form)
{
    if (!Form)
        return TMenuItem::TClickHandler();
    return Guarded(QPointer<TRunForm>(Form), &TRunForm::MenuItemClickHandler);
}

void TRunForm::ObjectClickHandler(QObject *Sender)
{
    PZvObject object = ObjectOf(Sender);
    if (!object)
        return;
    const bool isPage = object == PanelObject;
    QPointer<TRunForm> self(this);
    DoActions(&object->OnClickActions);
    if (!self)
        return;
    // A click closes a window opened to close on any key or click, and the preview when
    // the page itself was clicked; the list runs first.
    if (AnyKeyClose || (IsPreview && isPage)) {
        Timer4->SetInterval(kDeferMs);
        Timer4->SetEnabled(true);
    }
}

void TRunForm::ObjectDblClickHandler(QObject *Sender)
{
    if (PZvObject object = ObjectOf(Sender))
        DoActions(&object->OnDblClickActions);
}

void TRunForm::ObjectMouseEnterHandler(QObject *Sender)
{
    PZvObject object = ObjectOf(Sender);
    if (object && ControlEnabled(object))
        DoActions(&object->OnEnterActions);
}

void TRunForm::ObjectMouseLeaveHandler(QObject *Sender)
{
    PZvObject object = ObjectOf(Sender);
    if (object && ControlEnabled(object))
        DoActions(&object->OnLeaveActions);
}

void TRunForm::ObjectMouseDownHandler(QObject *Sender, TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (Button != mbLeft)
        return;
    MoveX = X;
    MoveY = Y;
}

void TRunForm::ObjectDragMoveHandler(QObject *Sender, TShiftState Shift, int X, int Y)
{
    // Only a plain left-button drag moves the window: no other button, no Shift, Ctrl or Alt.
    if (Shift != ssLeft)
        return;
    PZvObject object = ObjectOf(Sender);
    if (!object || !object->MoveHandle)
        return;
    move(x() + X - MoveX, y() + Y - MoveY);
}

void TRunForm::ObjectChangeHandler(QObject *Sender)
{
    if (PageIsEdited())
        return;
    PZvObject object = ObjectOf(Sender);
    if (object && ChangeRunsList(object->ObjectType))
        DoActions(&object->OnMouseUpActions);
}

void TRunForm::MenuItemClickHandler(TMenuItem *Sender)
{
    if (!Sender)
        return;
    TZvActions actions;
    UnpackMenuActions(Sender->Hint(), &actions);
    DoActions(&actions);
}
