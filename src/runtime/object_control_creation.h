// Turning an object record into its live control: the one place where the object kinds meet
// the page that shows them, for the runtime, the designer's page and pasted objects alike.
#pragma once

class TStream;
class TWinControl;
class TRunForm;
struct TZvObject;

// Creates the control of the record's kind inside Parent, reads its kind record from Stream
// (nullptr for a new object, which keeps its class defaults) and applies the record's common
// properties. False for a null record or parent, a kind this build cannot create, or a kind
// record its class failed to read.
bool CreateObjectControl(TZvObject *ZvObject, TWinControl *Parent, TRunForm *Form, TStream *Stream);
