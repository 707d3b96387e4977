// Exceptions and the last system error, as the rest of the system expects them:
// every failure is an Exception carrying a message; the last error is an errno-style
// number kept per thread and set by the platform layer whenever an operation fails.
#pragma once

#include <QString>
#include <exception>

class Exception : public std::exception
{
public:
    explicit Exception(const QString &message) : m_message(message), m_utf8(message.toUtf8()) {}
    const QString &Message() const { return m_message; }
    const char *what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
};

// An operating-system failure: the message is the system's text for the code.
class EOSError : public Exception
{
public:
    EOSError(const QString &message, int errorCode) : Exception(message), m_errorCode(errorCode) {}
    int ErrorCode() const { return m_errorCode; }

private:
    int m_errorCode;
};

class EConvertError : public Exception
{
public:
    using Exception::Exception;
};

// Arithmetic faults: raised where a division or conversion has no sound result, so a bad
// operand ends the operation with a message instead of ending the program.
class EDivByZero : public Exception // integer division by zero
{
public:
    using Exception::Exception;
};

class EIntOverflow : public Exception // an integer result outside its type
{
public:
    using Exception::Exception;
};

class EZeroDivide : public Exception // floating point x / 0 with x non-zero
{
public:
    using Exception::Exception;
};

class EInvalidOp : public Exception // 0 / 0, or a float with no integer counterpart
{
public:
    using Exception::Exception;
};

// The calling thread's last system error (errno-style; 0 = none).
int GetLastError();
void SetLastError(int errorCode);
// Records errno as the last error and returns it.
int SetLastErrorFromErrno();

// The system's message text for an error number ("Success" style texts for 0).
QString SysErrorMessage(int errorCode);

// Raises EOSError for the last error (or for errorCode when given).
[[noreturn]] void RaiseLastOSError();
[[noreturn]] void RaiseOSError(int errorCode);
