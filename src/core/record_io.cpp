#include "core/record_io.h"

#include <QtEndian>

#include <algorithm>
#include <cstring>
#include <exception>

#include "core/error_reporting.h"

namespace {

template <typename T> void WriteLittle(TStream &stream, T value)
{
    unsigned char bytes[sizeof(T)];
    qToLittleEndian(value, bytes);
    stream.WriteBuffer(bytes, sizeof bytes);
}

// Reads exactly sizeof(T) bytes; a record cut short by the end of the stream raises.
template <typename T> T ReadLittle(TStream &stream)
{
    unsigned char bytes[sizeof(T)];
    if (stream.Read(bytes, sizeof bytes) != int64_t(sizeof bytes))
        throw ERecordError(QStringLiteral("Record cut short"));
    return qFromLittleEndian<T>(bytes);
}

} // namespace

ERecordError::ERecordError(const QString &message, int errorCode) : EReadError(message)
{
    SetLastError(errorCode);
}

// ---- TRecordWriter ----

void TRecordWriter::Byte(uint8_t value)
{
    m_stream.WriteBuffer(&value, 1);
}

void TRecordWriter::Bool(bool value)
{
    Byte(value ? 1 : 0);
}

void TRecordWriter::Int16(int16_t value)
{
    WriteLittle(m_stream, value);
}

void TRecordWriter::UInt16(uint16_t value)
{
    WriteLittle(m_stream, value);
}

void TRecordWriter::Int32(int32_t value)
{
    WriteLittle(m_stream, value);
}

void TRecordWriter::UInt32(uint32_t value)
{
    WriteLittle(m_stream, value);
}

void TRecordWriter::Double(double value)
{
    uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    WriteLittle(m_stream, bits);
}

void TRecordWriter::Bytes(const QByteArray &bytes)
{
    m_stream.WriteBuffer(bytes.constData(), bytes.size());
}

// ---- TRecordReader ----

uint8_t TRecordReader::Byte()
{
    return ReadLittle<uint8_t>(m_stream);
}

bool TRecordReader::Bool()
{
    return Byte() != 0;
}

int16_t TRecordReader::Int16()
{
    return ReadLittle<int16_t>(m_stream);
}

uint16_t TRecordReader::UInt16()
{
    return ReadLittle<uint16_t>(m_stream);
}

int32_t TRecordReader::Int32()
{
    return ReadLittle<int32_t>(m_stream);
}

uint32_t TRecordReader::UInt32()
{
    return ReadLittle<uint32_t>(m_stream);
}

double TRecordReader::Double()
{
    const uint64_t bits = ReadLittle<uint64_t>(m_stream);
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

QByteArray TRecordReader::Bytes(int64_t count)
{
    // Checked before allocating: a forged count must not reserve memory it cannot fill.
    if (count < 0 || count > Remaining())
        throw ERecordError(QStringLiteral("Record cut short"));
    QByteArray bytes(qsizetype(count), Qt::Uninitialized);
    if (m_stream.Read(bytes.data(), count) != count)
        throw ERecordError(QStringLiteral("Record cut short"));
    return bytes;
}

void TRecordReader::Skip(int64_t count)
{
    if (count < 0 || count > Remaining())
        throw ERecordError(QStringLiteral("Record cut short"));
    m_stream.Seek(count, soCurrent);
}

int32_t TRecordReader::Count(int minItemBytes)
{
    const int32_t count = Int32();
    if (count < 0 || int64_t(count) * std::max(minItemBytes, 0) > Remaining())
        throw ERecordError(QStringLiteral("Invalid item count %1").arg(count), EBADMSG);
    return count;
}

int64_t TRecordReader::Remaining()
{
    const int64_t position = m_stream.Position();
    const int64_t size = m_stream.Size();
    if (position < 0 || size < 0)
        return 0;
    return std::max<int64_t>(size - position, 0);
}

// ---- GuardRecord ----

bool GuardRecord(int placeCode, const std::function<bool()> &body)
{
    try {
        return body();
    } catch (const std::exception &) {
    } catch (...) {
    }
    ShowLastError(placeCode);
    return false;
}
