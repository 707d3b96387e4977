// Helpers for the object kind tests: new controls of a kind, their records as bytes, and
// objects placed under a parent object.
#pragma once

#include <QByteArray>
#include <QString>
#include <memory>

#include "core/object_types.h"

class TControl;
class TKindControl;
class TRunForm;
struct TZvObject;

// A control of the kind, with its class defaults.
std::unique_ptr<TControl> NewKindControl(int kind);

// The kind's own record as SaveToStream writes it ("write failed" when it fails).
QByteArray KindRecordBytes(TKindControl *kind);

// The object record as WriteObjectRecord writes it, without noting where its children
// begin ("write failed" when it fails).
QByteArray ObjectRecordBytes(TZvObject *object);

// A new object of the kind at (left, top) whose control, with its class defaults, lies in
// parent's control; appended to parent's children. Null, with a warning, when the control
// cannot be made.
TZvObject *AddKindObject(TZvObject *parent, TObjectType kind, const QString &name = QString(), int left = 0,
                         int top = 0, TRunForm *form = nullptr);
