// The object record (the common part of every object, its action lists, its context-menu
// items, the kind's own record and its children) and the child-objects block and file.
#pragma once

#include <QString>
#include <cstdint>

#include "platform/vcl/menus.h"

class TStream;
class TWinControl;
class TRunForm;
struct TZvObject;

constexpr int32_t ChildObjectsFileMagic = 881161363;

// Where the last object record written with RecordObjectsPosition began its child count.
extern int64_t LastObjectsPosition;

bool WriteObjectRecord(TStream *Stream, TZvObject *ZvObject, bool RecordObjectsPosition);
bool ReadObjectRecord(TStream *Stream, TZvObject *ZvObject, TWinControl *ParentControl, TRunForm *Form,
                      bool HideWhileLoading);

// The fields every object record holds after its version: name, hint, kind, flags, cursor,
// rectangle and the six action lists. A short stream raises; False for a damaged list.
bool ReadObjectCommonFields(TStream *Stream, TZvObject *ZvObject);

bool WriteChildObjects(TStream *Stream, TZvObject *ZvObject);
bool ReadChildObjects(TStream *Stream, TZvObject *ZvObject, TRunForm *Form);

// The child-objects file (".obs"). Creating or opening the file raises to the caller;
// everything else reports itself.
bool SaveChildObjectsFile(TZvObject *ZvObject, const QString &FileName);
bool LoadChildObjectsFile(TZvObject *ZvObject, const QString &FileName, TRunForm *Form);
