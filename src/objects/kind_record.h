// Shared steps of every kind record's writer and reader.
#pragma once

#include <QString>
#include <cstdint>
#include <functional>

#include "core/object_types.h"
#include "core/stream_primitives.h"

class TControl;
class TStream;
class TRecordReader;
class TRecordWriter;

// Writes a kind record: the kind's version, then body's fields, inside the reporting guard
// with the kind's write place code. False for a null stream.
bool SaveKindRecord(TStream *Stream, TObjectType Kind, const std::function<bool(TRecordWriter &)> &Body);

// Reads a kind record: the version first; one the kind does not accept shows the
// data-version message and reads nothing more. Body gets the version read, inside the
// guard with the kind's read place code. False for a null stream.
bool LoadKindRecord(TStream *Stream, TObjectType Kind,
                    const std::function<bool(TRecordReader &, int32_t Version)> &Body);

// Reads a font record into the control's font; a record that cannot be read leaves the font
// as it was.
bool LoadControlFont(TStream *Stream, TControl &Control);

// The caption and font a captioned kind stores together: a string record, then a font record.
template <typename TCaptioned>
bool SaveCaptionAndFont(TStream *Stream, const TCaptioned &Control)
{
    return WriteStreamString(Stream, Control.Caption()) && SaveFontToStream(Stream, &Control.Font());
}

// The caption is set as soon as it is read, before the font record.
template <typename TCaptioned>
bool LoadCaptionAndFont(TStream *Stream, TCaptioned &Control)
{
    QString caption;
    if (!ReadStreamString(Stream, caption))
        return false;
    Control.SetCaption(caption);
    return LoadControlFont(Stream, Control);
}
