// Clipboard blocks: a stream's bytes behind an int32 size, one block per clipboard format.
#pragma once

#include <QByteArray>
#include <QString>

class TStream;

// The MIME type under which a named clipboard format is kept.
QString ClipboardFormatMimeType(const QString &Format);

// Puts Size (the stream's whole size) and Size bytes read from the stream's current position
// on the clipboard under Format. False for a null stream.
bool PutStreamToClipboard(TStream *Stream, const QString &Format);

// Rewinds Stream and writes the block's payload into it. False for a null stream, when the
// clipboard holds no Format, or when the block is shorter than its size says.
bool GetStreamFromClipboard(TStream *Stream, const QString &Format);

// The raw block (size and payload) on the clipboard under Format; empty when there is none.
QByteArray ClipboardBlock(const QString &Format);
