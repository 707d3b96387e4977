// The stream family every stored record is written to and read from. Little-endian;
// Read and Write move what they can and return the count (a short read yields fewer bytes,
// never a crash); ReadBuffer and WriteBuffer raise EReadError / EWriteError when the whole
// count cannot be moved.
#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>

#include "platform/rtl/sysutils.h"

class EStreamError : public Exception
{
public:
    using Exception::Exception;
};
class EReadError : public EStreamError
{
public:
    using EStreamError::EStreamError;
};
class EWriteError : public EStreamError
{
public:
    using EStreamError::EStreamError;
};
class EFOpenError : public EStreamError
{
public:
    using EStreamError::EStreamError;
};
class EFCreateError : public EStreamError
{
public:
    using EStreamError::EStreamError;
};

enum TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream
{
public:
    virtual ~TStream() = default;

    virtual int64_t Read(void *buffer, int64_t count) = 0;
    virtual int64_t Write(const void *buffer, int64_t count) = 0;
    virtual int64_t Seek(int64_t offset, TSeekOrigin origin) = 0;
    virtual int64_t Size();
    virtual void SetSize(int64_t newSize) = 0;

    int64_t Position() { return Seek(0, soCurrent); }
    void SetPosition(int64_t position) { Seek(position, soBeginning); }

    // Raise EReadError ("Stream read error") / EWriteError ("Stream write error").
    void ReadBuffer(void *buffer, int64_t count);
    void WriteBuffer(const void *buffer, int64_t count);

    // Copies count bytes from source's position (count 0: the whole source from its start);
    // returns the count copied. A negative count raises EReadError.
    int64_t CopyFrom(TStream &source, int64_t count);

    // Typed little-endian helpers over ReadBuffer / WriteBuffer.
    template <typename T> T ReadValue()
    {
        T value{};
        ReadBuffer(&value, sizeof value);
        return value;
    }
    template <typename T> void WriteValue(T value) { WriteBuffer(&value, sizeof value); }
};

class TMemoryStream : public TStream
{
public:
    TMemoryStream() = default;
    explicit TMemoryStream(const QByteArray &bytes) : m_data(bytes) {}

    // Seeking past the end is allowed (a later Write fills the gap with zeros); a target
    // before the start is refused: the position stays and Seek returns -1.
    int64_t Read(void *buffer, int64_t count) override;
    int64_t Write(const void *buffer, int64_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    int64_t Size() override { return m_data.size(); }
    void SetSize(int64_t newSize) override;

    void Clear();
    const QByteArray &Bytes() const { return m_data; }
    QByteArray &Bytes() { return m_data; }
    const char *Memory() const { return m_data.constData(); }

    // Raise EFOpenError / EFCreateError with the file name and the system's text.
    void LoadFromFile(const QString &fileName);
    void SaveToFile(const QString &fileName);
    void LoadFromStream(TStream &stream); // the whole of stream, from its start
    void SaveToStream(TStream &stream);   // the whole of this stream

private:
    QByteArray m_data;
    int64_t m_position = 0;
};

// Open modes as the platform numbers them; the sharing bits are accepted and ignored
// (Linux files are not locked against readers).
enum : unsigned {
    fmOpenRead = 0x0000,
    fmOpenWrite = 0x0001,
    fmOpenReadWrite = 0x0002,
    fmShareCompat = 0x0000,
    fmShareExclusive = 0x0010,
    fmShareDenyWrite = 0x0020,
    fmShareDenyRead = 0x0030,
    fmShareDenyNone = 0x0040,
    fmCreate = 0xFF00,
};

class TFileStream : public TStream
{
public:
    // fmCreate creates or truncates. Failures raise EFCreateError
    // ("Cannot create file \"name\". <system text>") or EFOpenError
    // ("Cannot open file \"name\". <system text>") and set the last error.
    TFileStream(const QString &fileName, unsigned mode);
    ~TFileStream() override;
    TFileStream(const TFileStream &) = delete;
    TFileStream &operator=(const TFileStream &) = delete;

    // Read and Write set the last error on a system failure and return what was moved;
    // Seek returns -1 (and sets the last error) when the system refuses; SetSize keeps the
    // position unless it lies past the new end and raises EOSError when it fails.
    int64_t Read(void *buffer, int64_t count) override;
    int64_t Write(const void *buffer, int64_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    void SetSize(int64_t newSize) override;

    const QString &FileName() const { return m_fileName; }
    int Handle() const { return m_fd; }

private:
    QString m_fileName;
    int m_fd = -1;
};
