#include "platform/rtl/streams.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int64_t kCopyChunk = 64 * 1024;

QString FileErrorText(const char *format, const QString &fileName, int errorCode)
{
    return QString::fromLatin1(format).arg(fileName, SysErrorMessage(errorCode));
}

int WhenceFor(TSeekOrigin origin)
{
    switch (origin) {
    case soBeginning:
        return SEEK_SET;
    case soCurrent:
        return SEEK_CUR;
    case soEnd:
        return SEEK_END;
    }
    return SEEK_SET;
}

} // namespace

// ---- TStream ----

int64_t TStream::Size()
{
    const int64_t position = Seek(0, soCurrent);
    const int64_t size = Seek(0, soEnd);
    Seek(position, soBeginning);
    return size;
}

void TStream::ReadBuffer(void *buffer, int64_t count)
{
    if (count == 0)
        return;
    if (count < 0 || Read(buffer, count) != count)
        throw EReadError(QStringLiteral("Stream read error"));
}

void TStream::WriteBuffer(const void *buffer, int64_t count)
{
    if (count == 0)
        return;
    if (count < 0 || Write(buffer, count) != count)
        throw EWriteError(QStringLiteral("Stream write error"));
}

int64_t TStream::CopyFrom(TStream &source, int64_t count)
{
    if (count < 0)
        throw EReadError(QStringLiteral("Stream read error"));
    if (count == 0) {
        source.SetPosition(0);
        count = source.Size();
    }
    QByteArray chunk(int(std::min(count, kCopyChunk)), Qt::Uninitialized);
    int64_t left = count;
    while (left > 0) {
        const int64_t n = std::min(left, kCopyChunk);
        source.ReadBuffer(chunk.data(), n);
        WriteBuffer(chunk.constData(), n);
        left -= n;
    }
    return count;
}

// ---- TMemoryStream ----

int64_t TMemoryStream::Read(void *buffer, int64_t count)
{
    const int64_t size = m_data.size();
    if (count <= 0 || m_position >= size)
        return 0;
    const int64_t n = std::min(count, size - m_position);
    std::memcpy(buffer, m_data.constData() + m_position, size_t(n));
    m_position += n;
    return n;
}

int64_t TMemoryStream::Write(const void *buffer, int64_t count)
{
    if (count <= 0 || count > INT64_MAX - m_position)
        return 0;
    const int64_t end = m_position + count;
    if (end > m_data.size()) {
        try {
            // Growing past a gap left by Seek fills the gap with zeros.
            m_data.append(QByteArray(qsizetype(end - m_data.size()), '\0'));
        } catch (const std::bad_alloc &) {
            return 0;
        }
    }
    std::memcpy(m_data.data() + m_position, buffer, size_t(count));
    m_position = end;
    return count;
}

int64_t TMemoryStream::Seek(int64_t offset, TSeekOrigin origin)
{
    int64_t base = 0;
    if (origin == soCurrent)
        base = m_position;
    else if (origin == soEnd)
        base = m_data.size();
    if ((offset > 0 && base > INT64_MAX - offset) || base + offset < 0)
        return -1; // a position before the start (or past any size) is refused
    m_position = base + offset;
    return m_position;
}

void TMemoryStream::SetSize(int64_t newSize)
{
    newSize = std::max<int64_t>(newSize, 0);
    const qsizetype oldSize = m_data.size();
    if (newSize > oldSize)
        m_data.append(QByteArray(qsizetype(newSize - oldSize), '\0'));
    else
        m_data.truncate(qsizetype(newSize));
    m_position = std::min(m_position, newSize);
}

void TMemoryStream::Clear()
{
    m_data.clear();
    m_position = 0;
}

void TMemoryStream::LoadFromFile(const QString &fileName)
{
    TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(file);
}

void TMemoryStream::SaveToFile(const QString &fileName)
{
    TFileStream file(fileName, fmCreate);
    SaveToStream(file);
}

void TMemoryStream::LoadFromStream(TStream &stream)
{
    stream.SetPosition(0);
    const int64_t size = stream.Size();
    QByteArray bytes(qsizetype(std::max<int64_t>(size, 0)), Qt::Uninitialized);
    stream.ReadBuffer(bytes.data(), bytes.size());
    m_data = bytes;
    m_position = 0;
}

void TMemoryStream::SaveToStream(TStream &stream)
{
    stream.WriteBuffer(m_data.constData(), m_data.size());
}

// ---- TFileStream ----

TFileStream::TFileStream(const QString &fileName, unsigned mode) : m_fileName(fileName)
{
    const bool create = (mode & fmCreate) == fmCreate;
    int flags = O_CLOEXEC;
    if (create) {
        flags |= O_CREAT | O_TRUNC | O_RDWR;
    } else {
        switch (mode & 3) {
        case fmOpenRead:
            flags |= O_RDONLY;
            break;
        case fmOpenWrite:
            flags |= O_WRONLY;
            break;
        case fmOpenReadWrite:
            flags |= O_RDWR;
            break;
        default:
            SetLastError(EINVAL);
            throw EFOpenError(FileErrorText("Cannot open file \"%1\". %2", fileName, EINVAL));
        }
    }

    const QByteArray path = QFile::encodeName(fileName);
    int fd;
    do {
        fd = ::open(path.constData(), flags, 0666);
    } while (fd < 0 && errno == EINTR);

    // A folder opens for reading on Linux; as a file stream it is refused like elsewhere.
    if (fd >= 0) {
        struct stat info;
        if (::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
            ::close(fd);
            fd = -1;
            errno = EISDIR;
        }
    }
    if (fd < 0) {
        const int error = SetLastErrorFromErrno();
        if (create)
            throw EFCreateError(FileErrorText("Cannot create file \"%1\". %2", fileName, error));
        throw EFOpenError(FileErrorText("Cannot open file \"%1\". %2", fileName, error));
    }
    m_fd = fd;
}

TFileStream::~TFileStream()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

int64_t TFileStream::Read(void *buffer, int64_t count)
{
    int64_t done = 0;
    char *out = static_cast<char *>(buffer);
    while (done < count) {
        const size_t chunk = size_t(std::min<int64_t>(count - done, SSIZE_MAX));
        const ssize_t n = ::read(m_fd, out + done, chunk);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            SetLastErrorFromErrno();
            break;
        }
        if (n == 0)
            break;
        done += n;
    }
    return done;
}

int64_t TFileStream::Write(const void *buffer, int64_t count)
{
    int64_t done = 0;
    const char *in = static_cast<const char *>(buffer);
    while (done < count) {
        const size_t chunk = size_t(std::min<int64_t>(count - done, SSIZE_MAX));
        const ssize_t n = ::write(m_fd, in + done, chunk);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            SetLastErrorFromErrno();
            break;
        }
        if (n == 0)
            break;
        done += n;
    }
    return done;
}

int64_t TFileStream::Seek(int64_t offset, TSeekOrigin origin)
{
    const off_t result = ::lseek(m_fd, off_t(offset), WhenceFor(origin));
    if (result < 0)
        SetLastErrorFromErrno();
    return result;
}

void TFileStream::SetSize(int64_t newSize)
{
    const int64_t position = Position();
    if (::ftruncate(m_fd, off_t(newSize)) != 0) {
        SetLastErrorFromErrno();
        RaiseLastOSError();
    }
    if (position > newSize)
        Seek(newSize, soBeginning);
}
