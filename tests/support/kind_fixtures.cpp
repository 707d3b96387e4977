#include "support/kind_fixtures.h"

#include "core/object_records.h"
#include "core/project_model.h"
#include "objects/kind_control.h"
#include "objects/object_kinds.h"
#include "platform/rtl/streams.h"
#include "platform/vcl/controls.h"
#include "runtime/object_control_creation.h"
#include "support/record_fixtures.h"

std::unique_ptr<TControl> NewKindControl(int kind)
{
    return std::unique_ptr<TControl>(ObjectKindInfo(TObjectType(kind)).CreateControl());
}

QByteArray KindRecordBytes(TKindControl *kind)
{
    return WrittenBytes([&](TStream *stream) { return kind->SaveToStream(stream); });
}

QByteArray ObjectRecordBytes(TZvObject *object)
{
    return WrittenBytes([&](TStream *stream) { return WriteObjectRecord(stream, object, false); });
}

TZvObject *AddKindObject(TZvObject *parent, TObjectType kind, const QString &name, int left, int top, TRunForm *form)
{
    PZvObject object = NewZvObject();
    object->ObjectType = kind;
    object->ObjectName = name;
    object->Left = left;
    object->Top = top;
    if (!CreateObjectControl(object, dynamic_cast<TWinControl *>(parent->ObjectControl), form, nullptr)) {
        qWarning("cannot create an object of kind %d", int(kind));
        FreeZvObject(object);
        return nullptr;
    }
    parent->Objects.append(object);
    return object;
}
