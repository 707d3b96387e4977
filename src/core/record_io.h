// The reader/writer pair every stored record is written with: little-endian primitives over
// a TStream, and the reporting guard that turns any failure inside a record routine into one
// message with the routine's place code and a False result.
//
// Readers assume hostile input: a record cut short by the end of the stream, or a count larger
// than the bytes left, raises (and so fails the record) instead of yielding zeros, allocating
// or looping.
#pragma once

#include <QString>
#include <cerrno>
#include <cstdint>
#include <functional>

#include "platform/rtl/streams.h"

// A record that cannot be what it claims (cut short, impossible count). Sets the thread's
// last error (ENODATA unless told otherwise) so that the report names the cause.
class ERecordError : public EReadError
{
public:
    explicit ERecordError(const QString &message, int errorCode = ENODATA);
};

class TRecordWriter
{
public:
    explicit TRecordWriter(TStream &stream) : m_stream(stream) {}

    void Byte(uint8_t value);
    void Bool(bool value);
    void Int16(int16_t value);
    void UInt16(uint16_t value);
    void Int32(int32_t value);
    void UInt32(uint32_t value);
    void Double(double value);
    void Bytes(const QByteArray &bytes);

    TStream &Stream() { return m_stream; }

private:
    TStream &m_stream;
};

class TRecordReader
{
public:
    explicit TRecordReader(TStream &stream) : m_stream(stream) {}

    uint8_t Byte();
    bool Bool(); // any non-zero byte is True
    int16_t Int16();
    uint16_t UInt16();
    int32_t Int32();
    uint32_t UInt32();
    double Double();
    QByteArray Bytes(int64_t count); // raises when fewer bytes are left
    void Skip(int64_t count);        // raises when fewer bytes are left

    // An int32 count of items that each take at least minItemBytes; raises when the count is
    // negative or the items cannot fit in what is left of the stream.
    int32_t Count(int minItemBytes);

    int64_t Remaining();
    TStream &Stream() { return m_stream; }

private:
    TStream &m_stream;
};

// Runs a record routine: its False result passes through (a nested routine already
// reported); an exception is reported with ShowLastError(placeCode) and gives False.
bool GuardRecord(int placeCode, const std::function<bool()> &body);
