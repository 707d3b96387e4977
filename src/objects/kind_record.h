// Shared steps of every kind record's writer and reader.
#pragma once

#include <cstdint>
#include <functional>

#include "core/object_types.h"

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
