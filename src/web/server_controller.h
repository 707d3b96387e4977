// The web server of a web stand-alone program: the HTTP listener on the project's port, one
// session per browser (its id travels in the URL), the session time-out and the time-out
// page.
#pragma once

#include <QString>
#include <cstdint>
#include <memory>

class TIWUserSession;

class TIWServerController
{
public:
    // Port and session time-out from the project (RunProject).
    TIWServerController();
    // Stops serving and ends every session.
    ~TIWServerController();
    TIWServerController(const TIWServerController &) = delete;
    TIWServerController &operator=(const TIWServerController &) = delete;

    // The listening port; 0 binds any free port (Port then holds the one bound).
    uint32_t Port = 8888;
    // Minutes a session may stay idle.
    int SessionTimeout = 10;
    // Tests shorten the time-out to seconds: this value when above 0, else the environment
    // variable ZANDROVEL_TEST_SESSION_TIMEOUT_S when it holds a number above 0.
    static int TestSessionTimeoutSeconds;
    int64_t SessionTimeoutMs() const { return FSessionTimeoutMs; }
    // How long a request waits for its session's thread.
    int RequestTimeoutMs = 60000;

    // Threads that serve connections: a keep-alive connection holds one for its whole life,
    // so there are many more than the connections expected at once.
    static constexpr int ThreadPoolSize = 256;
    static constexpr const char *SessionTimeoutFileName = "sessiontimeout.html";

    // Binds the listening socket on Host (all interfaces by default). False, with Error set,
    // when the port cannot be bound.
    bool Bind(const QString &Host = QStringLiteral("0.0.0.0"));
    QString Error;
    // Serves on a thread of its own after a successful Bind; the session reaper starts too.
    void Start();
    // Stops listening, waits for the serving threads and ends every session. Idempotent.
    void Stop();

    int SessionCount() const;

    // The time-out page: a file of that name beside the program, else the built-in page.
    static QByteArray SessionTimeoutPage();

private:
    struct TState;
    std::unique_ptr<TState> FState;
    int64_t FSessionTimeoutMs = 0;
};
