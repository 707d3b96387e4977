#include "runtime/object_control_creation.h"

#include "core/error_reporting.h"
#include "core/globals.h"
#include "core/project_model.h"
#include "objects/kind_control.h"
#include "objects/object_kinds.h"
#include "platform/vcl/controls.h"
#include "platform/ui_services.h"
#include "platform/vcl/menus.h"
#include "runtime/event_routing.h"

namespace {

void ApplyCommonProperties(TZvObject *object, TControl *control, TCommonProperties profile, bool fromStream)
{
    switch (profile) {
    case cpAllSix:
    case cpNoAlign:
        control->SetHint(object->Hint);
        control->SetCursor(object->Cursor);
        control->SetPopupMenu(object->PopupMenu);
        control->SetEnabled(object->Enable);
        control->SetVisible(object->Visible);
        if (profile == cpAllSix)
            control->SetAlign(object->Align);
        break;
    case cpSplitter:
        control->SetHint(object->Hint);
        control->SetPopupMenu(object->PopupMenu);
        control->SetEnabled(object->Enable);
        control->SetVisible(object->Visible);
        if (fromStream) {
            control->SetAlign(object->Align);
            control->SetCursor(object->Cursor);
        } else {
            // A new splitter's record takes the splitter's own defaults.
            object->Align = control->Align();
            object->Cursor = control->Cursor();
        }
        break;
    case cpVisibleOnly:
        control->SetVisible(object->Visible);
        break;
    case cpNone:
        break;
    }
}

} // namespace

bool CreateObjectControl(TZvObject *ZvObject, TWinControl *Parent, TRunForm *Form, TStream *Stream)
{
    if (!ZvObject || !Parent)
        return false;
    delete ZvObject->ObjectControl;
    ZvObject->ObjectControl = nullptr;

    const TObjectKindInfo *info = FindObjectKindInfo(ZvObject->ObjectType);
    if (!info || !info->CreateControl) {
        // An unknown kind number, or a kind this build has no class for.
        if (StorageMessagesShown())
            UiServices().MessageBox(QStringLiteral("Unknown object type, maybe file version has problem."),
                                    QStringLiteral("Error"), MB_OK | MB_ICONERROR);
        return false;
    }

    TControl *control = info->CreateControl();
    TKindControl *kind = KindOf(control);
    if (!kind || !kind->AttachTo(Parent))
        control->setParent(Parent);
    control->ZvObject = ZvObject;
    ZvObject->ObjectControl = control;
    kind->BeforeRecordRead();

    if (Stream && !kind->LoadFromStream(Stream))
        return false;

    ApplyCommonProperties(ZvObject, control, info->CommonProperties, Stream != nullptr);
    HookObjectEvents(control, *info, Form);
    control->SetLeft(ZvObject->Left);
    control->SetTop(ZvObject->Top);
    if (Stream) {
        control->SetWidth(ZvObject->Width);
        control->SetHeight(ZvObject->Height);
    }
    if (PageIsEdited())
        control->SetVisible(true);
    return true;
}
