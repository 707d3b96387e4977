#include "core/object_records.h"

#include "core/action_records.h"
#include "core/error_reporting.h"
#include "core/menu_records.h"
#include "core/project_model.h"
#include "core/record_io.h"
#include "core/stream_primitives.h"
#include "objects/kind_control.h"
#include "objects/object_kinds.h"
#include "platform/ui_services.h"
#include "platform/vcl/controls.h"
#include "runtime/event_routing.h"
#include "runtime/object_control_creation.h"

#include <cerrno>

int64_t LastObjectsPosition = 0;

namespace {

// The smallest object record: version, two empty strings, six bytes, cursor, geometry,
// six empty lists, popup count, a kind version and a child count.
constexpr int kMinObjectRecordBytes = 4 + 4 + 4 + 1 + 5 + 2 + 16 + 24 + 4 + 4 + 4;
TZvActions *ActionLists(TZvObject *object, int index)
{
    TZvActions *lists[] = {&object->OnClickActions,    &object->OnDblClickActions,  &object->OnEnterActions,
                           &object->OnLeaveActions,    &object->OnMouseDownActions, &object->OnMouseUpActions};
    return lists[index];
}

void FreeChildren(TZvObject *object)
{
    if (object->ObjectControl) {
        if (TKindControl *kind = KindOf(object->ObjectControl))
            kind->BeforeChildrenFreed();
    }
    while (!object->Objects.isEmpty())
        FreeZvObject(object->Objects.takeLast());
}

// Reads Count child records below the object's control; false at the first failing child
// (the children read before it stay).
bool ReadChildren(TStream *stream, TRecordReader &r, TZvObject *object, TRunForm *form)
{
    const int32_t count = r.Count(kMinObjectRecordBytes);
    auto *container = dynamic_cast<TWinControl *>(object->ObjectControl);
    const bool suspend = container && !container->AlignDisabled();
    if (suspend)
        container->DisableAlign();
    bool ok = true;
    for (int32_t i = 0; i < count && ok; ++i) {
        PZvObject child = NewZvObject();
        ok = ReadObjectRecord(stream, child, container, form, false);
        object->Objects.append(child);
    }
    if (suspend)
        container->EnableAlign();
    if (ok) {
        if (TKindControl *kind = KindOf(object->ObjectControl))
            kind->AfterChildrenLoaded();
    }
    return ok;
}

} // namespace

bool WriteObjectRecord(TStream *Stream, TZvObject *ZvObject, bool RecordObjectsPosition)
{
    if (!Stream || !ZvObject)
        return false;
    return GuardRecord(pcWriteObjectRecord, [&] {
        TRecordWriter w(*Stream);
        w.Int32(0);
        if (!WriteStreamString(Stream, ZvObject->ObjectName) || !WriteStreamString(Stream, ZvObject->Hint))
            return false;
        w.Byte(ZvObject->ObjectType);
        if (TControl *control = ZvObject->ObjectControl) {
            ZvObject->Left = control->Left();
            ZvObject->Top = control->Top();
            ZvObject->Width = control->Width();
            ZvObject->Height = control->Height();
            ZvObject->Align = control->Align();
        }
        w.Bool(ZvObject->Enable);
        w.Bool(ZvObject->Visible);
        w.Byte(ZvObject->Align);
        w.Bool(ZvObject->Locked);
        w.Bool(ZvObject->MoveHandle);
        w.Int16(ZvObject->Cursor);
        w.Int32(ZvObject->Left);
        w.Int32(ZvObject->Top);
        w.Int32(ZvObject->Width);
        w.Int32(ZvObject->Height);
        for (int i = 0; i < 6; ++i) {
            if (!WriteActionList(Stream, ActionLists(ZvObject, i)))
                return false;
        }
        const TMenuItem *popupItems = ZvObject->PopupMenu ? ZvObject->PopupMenu->Items() : nullptr;
        const int popupCount = popupItems ? popupItems->Count() : 0;
        w.Int32(popupCount);
        for (int i = 0; i < popupCount; ++i) {
            if (!WriteMenuItem(Stream, popupItems->Items(i)))
                return false;
        }

        if (!FindObjectKindInfo(ZvObject->ObjectType))
            return false;
        TKindControl *kind = KindOf(ZvObject->ObjectControl);
        if (!kind) {
            // The object has no live control of its kind's class to write its record.
            SetLastError(ENOSYS);
            throw ERecordError(QStringLiteral("No control for the object's kind"), ENOSYS);
        }
        if (!kind->SaveToStream(Stream))
            return false;

        if (RecordObjectsPosition)
            LastObjectsPosition = Stream->Position();
        w.Int32(int32_t(ZvObject->Objects.size()));
        for (PZvObject child : ZvObject->Objects) {
            if (!WriteObjectRecord(Stream, child, false))
                return false;
        }
        return true;
    });
}

bool ReadObjectCommonFields(TStream *Stream, TZvObject *ZvObject)
{
    TRecordReader r(*Stream);
    if (!ReadStreamString(Stream, ZvObject->ObjectName) || !ReadStreamString(Stream, ZvObject->Hint))
        return false;
    ZvObject->ObjectType = TObjectType(r.Byte());
    ZvObject->Enable = r.Bool();
    ZvObject->Visible = r.Bool();
    ZvObject->Align = TAlign(r.Byte());
    ZvObject->Locked = r.Bool();
    ZvObject->MoveHandle = r.Bool();
    ZvObject->Cursor = r.Int16();
    ZvObject->Left = r.Int32();
    ZvObject->Top = r.Int32();
    ZvObject->Width = r.Int32();
    ZvObject->Height = r.Int32();
    for (int i = 0; i < 6; ++i) {
        if (!ReadActionList(Stream, ActionLists(ZvObject, i)))
            return false;
    }
    return true;
}

bool ReadObjectRecord(TStream *Stream, TZvObject *ZvObject, TWinControl *ParentControl, TRunForm *Form,
                      bool HideWhileLoading)
{
    if (!Stream || !ZvObject)
        return false;
    return GuardRecord(pcReadObjectRecord, [&] {
        TRecordReader r(*Stream);
        if (r.Int32() != 0) {
            ShowDataVersionError();
            return false;
        }
        if (!ReadObjectCommonFields(Stream, ZvObject))
            return false;

        const int32_t popupCount = r.Count(MinMenuItemBytes);
        if (popupCount != 0) {
            if (!ZvObject->PopupMenu)
                ZvObject->PopupMenu = new TPopupMenu;
            TMenuItem *items = ZvObject->PopupMenu->Items();
            items->Clear();
            const TMenuItem::TClickHandler onClick = MenuItemClickHandlerOf(Form);
            for (int32_t i = 0; i < popupCount; ++i) {
                auto *item = new TMenuItem;
                item->AutoHotkeys = maManual;
                item->OnClick = onClick;
                items->Add(item);
                if (!ReadMenuItem(Stream, item, onClick))
                    return false;
            }
        } else {
            delete ZvObject->PopupMenu;
            ZvObject->PopupMenu = nullptr;
        }

        FreeChildren(ZvObject);
        if (!CreateObjectControl(ZvObject, ParentControl, Form, Stream))
            return false;
        TControl *control = ZvObject->ObjectControl;
        if (HideWhileLoading)
            control->SetVisible(false);
        const bool ok = ReadChildren(Stream, r, ZvObject, Form);
        if (HideWhileLoading)
            control->SetVisible(true);
        return ok;
    });
}

bool WriteChildObjects(TStream *Stream, TZvObject *ZvObject)
{
    if (!Stream || !ZvObject)
        return false;
    return GuardRecord(pcWriteObjectRecord, [&] {
        TRecordWriter w(*Stream);
        w.Int32(0);
        w.Int32(int32_t(ZvObject->Objects.size()));
        for (PZvObject child : ZvObject->Objects) {
            if (!WriteObjectRecord(Stream, child, false))
                return false;
        }
        return true;
    });
}

bool ReadChildObjects(TStream *Stream, TZvObject *ZvObject, TRunForm *Form)
{
    if (!Stream || !ZvObject || !ZvObject->ObjectControl)
        return false;
    TControl *control = ZvObject->ObjectControl;
    const bool wasVisible = control->Visible();
    control->SetVisible(false);
    const bool ok = GuardRecord(pcReadObjectRecord, [&] {
        TRecordReader r(*Stream);
        if (r.Int32() != 0) {
            ShowDataVersionError();
            return false;
        }
        FreeChildren(ZvObject);
        return ReadChildren(Stream, r, ZvObject, Form);
    });
    control->SetVisible(wasVisible);
    return ok;
}

bool SaveChildObjectsFile(TZvObject *ZvObject, const QString &FileName)
{
    TFileStream file(FileName, fmCreate); // its failure passes to the caller
    bool ok = false;
    const bool written = GuardRecord(pcWriteObjectRecord, [&] {
        TRecordWriter(file).Int32(ChildObjectsFileMagic);
        ok = WriteChildObjects(&file, ZvObject);
        return ok;
    });
    return written && ok;
}

bool LoadChildObjectsFile(TZvObject *ZvObject, const QString &FileName, TRunForm *Form)
{
    TFileStream file(FileName, fmOpenRead | fmShareDenyNone); // its failure passes to the caller
    int32_t magic = 0;
    if (file.Read(&magic, 4) != 4 || magic != ChildObjectsFileMagic) {
        UiServices().MessageBox(QStringLiteral("Invalid file format."), QStringLiteral("Error"), MB_OK | MB_ICONERROR);
        return false;
    }
    return ReadChildObjects(&file, ZvObject, Form);
}
