// What every object kind's control offers beside its platform control: its own record in
// the object record, and the hooks the object tree calls around its children.
#pragma once

#include <QString>

#include "core/zv_value.h"

class TControl;
class TStream;
class TWinControl;

class TKindControl
{
public:
    virtual ~TKindControl() = default;

    // The kind record: the version first, then the kind's fields. Both report their own
    // failures and return False; neither raises.
    virtual bool SaveToStream(TStream *Stream) = 0;
    virtual bool LoadFromStream(TStream *Stream) = 0;

    // Places the new control in its parent; False lets the caller parent it plainly (a tab
    // sheet joins its notebook's page control instead).
    virtual bool AttachTo(TWinControl *Parent) { return false; }
    // Settings that must precede reading the kind record.
    virtual void BeforeRecordRead() {}

    // A new object placed by the designer takes its first caption or text from its name.
    virtual void InitNewObject(const QString &Name) {}

    // After the object's children were read (a tab notebook settles its pages here).
    virtual void AfterChildrenLoaded() {}
    // Before the object's children are freed (a tab notebook detaches its sheets here).
    virtual void BeforeChildrenFreed() {}

    // The value language: the kind's own property tokens, after the tokens every object
    // has. ReadToken gives False for a token the kind does not have or that gives no
    // value; Counterpart is null when the action has none. WriteToken stores a value or
    // tells why it did not.
    virtual bool ReadToken(const QString &Token, const TZvValue *Counterpart, TZvValue &Value)
    {
        return false;
    }
    virtual TTokenWrite WriteToken(const QString &Token, const TZvValue &Value) { return twUnknown; }
    // Whether "[Left]", "[Top]", "[Width]" and "[Height]" address the control.
    virtual bool HasGeometryTokens() const { return true; }
};

// The kind side of a control; nullptr for a control of no kind class.
TKindControl *KindOf(TControl *control);
