#include "platform/rtl/sysutils.h"

#include <cerrno>
#include <cstring>

namespace {
thread_local int tLastError = 0;
}

int GetLastError()
{
    return tLastError;
}

void SetLastError(int errorCode)
{
    tLastError = errorCode;
}

int SetLastErrorFromErrno()
{
    tLastError = errno;
    return tLastError;
}

QString SysErrorMessage(int errorCode)
{
    char buffer[256];
    // GNU strerror_r returns the message pointer, which may or may not be buffer.
    const char *text = strerror_r(errorCode, buffer, sizeof buffer);
    return QString::fromLocal8Bit(text);
}

void RaiseLastOSError()
{
    RaiseOSError(GetLastError());
}

void RaiseOSError(int errorCode)
{
    throw EOSError(SysErrorMessage(errorCode), errorCode);
}
