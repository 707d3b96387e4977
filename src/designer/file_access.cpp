#include "designer/file_access.h"

#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

TFile::TFile(const QString &AFilename, TFileCreateDisposition ACreateDisposition, TFileAccess AAccess,
             TFileSharing ASharing)
{
    FHandle = CreateHandle(AFilename, ACreateDisposition, AAccess, ASharing);
    if (FHandle < 0)
        RaiseLastError();
    FHandleCreated = true;
}

TFile TFile::CreateWithExistingHandle(int AHandle)
{
    return TFile(AHandle, false);
}

TFile::TFile(TFile &&other) noexcept : FHandle(other.FHandle), FHandleCreated(other.FHandleCreated)
{
    other.FHandle = -1;
    other.FHandleCreated = false;
}

TFile::~TFile()
{
    if (FHandleCreated && FHandle >= 0)
        ::close(FHandle);
}

int TFile::CreateHandle(const QString &FileName, TFileCreateDisposition Disposition, TFileAccess Access,
                        TFileSharing Sharing)
{
    Q_UNUSED(Sharing);
    int flags = O_CLOEXEC;
    switch (Access) {
    case faRead: flags |= O_RDONLY; break;
    case faWrite: flags |= O_WRONLY; break;
    case faReadWrite: flags |= O_RDWR; break;
    }
    switch (Disposition) {
    case fdCreateAlways: flags |= O_CREAT | O_TRUNC; break;
    case fdCreateNew: flags |= O_CREAT | O_EXCL; break;
    case fdOpenExisting: break;
    case fdOpenAlways: flags |= O_CREAT; break;
    case fdTruncateExisting: flags |= O_TRUNC; break;
    }
    int fd;
    do {
        fd = ::open(QFile::encodeName(FileName).constData(), flags, 0666);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

int64_t TFile::Position() const
{
    const off_t position = ::lseek(FHandle, 0, SEEK_CUR);
    if (position < 0)
        RaiseLastError();
    return int64_t(position);
}

int64_t TFile::Size() const
{
    struct stat status;
    if (::fstat(FHandle, &status) != 0)
        RaiseLastError();
    return int64_t(status.st_size);
}

uint32_t TFile::CappedSize() const
{
    const int64_t size = Size();
    return size >= int64_t(0x80000000) ? 0x7FFFFFFFu : uint32_t(size);
}

uint32_t TFile::Read(void *Buffer, uint32_t Count)
{
    uint32_t done = 0;
    while (done < Count) {
        const ssize_t n = ::read(FHandle, static_cast<char *>(Buffer) + done, Count - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            if (errno == EPIPE && !FHandleCreated)
                break;
            RaiseLastError();
        }
        if (n == 0)
            break;
        done += uint32_t(n);
    }
    return done;
}

void TFile::ReadBuffer(void *Buffer, uint32_t Count)
{
    if (Read(Buffer, Count) != Count)
        RaiseError(ENODATA);
}

void TFile::WriteBuffer(const void *Buffer, uint32_t Count)
{
    uint32_t done = 0;
    while (done < Count) {
        const ssize_t n = ::write(FHandle, static_cast<const char *>(Buffer) + done, Count - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            RaiseLastError();
        }
        if (n == 0)
            RaiseError(ENOSPC);
        done += uint32_t(n);
    }
}

void TFile::Seek(uint32_t Offset)
{
    Seek64(int64_t(Offset));
}

void TFile::Seek64(int64_t Offset)
{
    if (::lseek(FHandle, off_t(Offset), SEEK_SET) < 0)
        RaiseLastError();
}

void TFile::SeekToEnd()
{
    if (::lseek(FHandle, 0, SEEK_END) < 0)
        RaiseLastError();
}

void TFile::Truncate()
{
    if (::ftruncate(FHandle, off_t(Position())) != 0)
        RaiseLastError();
}

void TFile::RaiseError(int ErrorCode)
{
    SetLastError(ErrorCode);
    throw EFileError(ErrorCode);
}

void TFile::RaiseLastError()
{
    RaiseError(errno);
}
