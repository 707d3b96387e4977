// The records the project keeps around each form body: the form header (name, where the
// body lies, web data) and the object outline; and the copying of a body into a project
// stream from memory or from the file the project was read from.
#pragma once

class TStream;
struct TFormData;
struct TObjectInfo;

bool WriteFormHeader(TStream *Stream, const TFormData *FormData);
bool ReadFormHeader(TStream *Stream, TFormData *FormData);

bool WriteOutline(TStream *Stream, const TObjectInfo *Info);
bool ReadOutline(TStream *Stream, TObjectInfo *Info);

// Appends the form's body to Stream: its in-memory body when it has one, else Length bytes
// of Source from Position.
bool CopyFormBody(TStream *Stream, const TFormData *FormData, TStream *Source);
