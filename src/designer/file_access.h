// TFile: direct access to a file through a POSIX descriptor, for the in-place patching of
// program files. Every failure raises EFileError carrying the system's error number (errno).
#pragma once

#include <QString>
#include <cstdint>

#include "platform/rtl/sysutils.h"

enum TFileCreateDisposition { fdCreateAlways, fdCreateNew, fdOpenExisting, fdOpenAlways, fdTruncateExisting };
enum TFileAccess { faRead, faWrite, faReadWrite };
// Accepted for the callers' sake; Linux does not lock files against other openers.
enum TFileSharing { fsNone, fsRead, fsWrite, fsReadWrite };

// A file access failure: message "Error", ErrorCode the errno number.
class EFileError : public Exception
{
public:
    explicit EFileError(int errorCode) : Exception(QStringLiteral("Error")), m_errorCode(errorCode) {}
    int ErrorCode() const { return m_errorCode; }

private:
    int m_errorCode;
};

class TFile
{
public:
    // Opens the file; failure raises EFileError with the system error.
    TFile(const QString &AFilename, TFileCreateDisposition ACreateDisposition, TFileAccess AAccess,
          TFileSharing ASharing);
    // Wraps a descriptor that this object does not close.
    static TFile CreateWithExistingHandle(int AHandle);
    ~TFile();
    TFile(TFile &&other) noexcept;
    TFile(const TFile &) = delete;
    TFile &operator=(const TFile &) = delete;
    TFile &operator=(TFile &&) = delete;

    int Handle() const { return FHandle; }
    int64_t Position() const;
    int64_t Size() const;
    // The size, or 0x7FFFFFFF when it is 2 GiB or more.
    uint32_t CappedSize() const;

    // Reads up to Count bytes; returns the count read (0 at the end). A broken pipe on a
    // wrapped descriptor counts as the end of the data.
    uint32_t Read(void *Buffer, uint32_t Count);
    // Reads exactly Count bytes; fewer raise ENODATA.
    void ReadBuffer(void *Buffer, uint32_t Count);
    // Writes all Count bytes; a short write raises ENOSPC.
    void WriteBuffer(const void *Buffer, uint32_t Count);
    void Seek(uint32_t Offset);
    void Seek64(int64_t Offset);
    void SeekToEnd();
    // Ends the file at the current position.
    void Truncate();

    [[noreturn]] static void RaiseError(int ErrorCode);
    // Raises EFileError for errno (recorded as the last error too).
    [[noreturn]] static void RaiseLastError();

protected:
    // Opens the descriptor with the mapped flags; -1 on failure (errno set).
    static int CreateHandle(const QString &FileName, TFileCreateDisposition Disposition, TFileAccess Access,
                            TFileSharing Sharing);

private:
    TFile(int handle, bool handleCreated) : FHandle(handle), FHandleCreated(handleCreated) {}

    int FHandle = -1;
    bool FHandleCreated = false;
};
