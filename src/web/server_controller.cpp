#include "web/server_controller.h"

#include <httplib.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>

#include <QFile>
#include <QRandomGenerator>
#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <thread>

#include "core/globals.h"
#include "core/project_model.h"
#include "platform/paths.h"
#include "web/user_session.h"

int TIWServerController::TestSessionTimeoutSeconds = 0;

namespace {

// 128 random bits from the system's generator, as 32 lower-case hex digits.
QString NewSessionId()
{
    quint32 words[4];
    QRandomGenerator::system()->fillRange(words);
    QString id;
    for (quint32 word : words)
        id += QStringLiteral("%1").arg(word, 8, 16, QLatin1Char('0'));
    return id;
}

void SetCommonHeaders(httplib::Response &res)
{
    res.set_header("Referrer-Policy", "no-referrer");
    res.set_header("Cache-Control", "no-store");
    res.set_header("X-Content-Type-Options", "nosniff");
}

void SendRedirect(httplib::Response &res, int status, const QByteArray &location)
{
    SetCommonHeaders(res);
    res.status = status;
    res.set_header("Location", location.toStdString());
}

void SendResponse(httplib::Response &res, const TWebResponse &response)
{
    SetCommonHeaders(res);
    res.status = response.Status;
    if (!response.Location.isEmpty())
        res.set_header("Location", response.Location.toStdString());
    if (!response.Body.isEmpty() || response.Status == 200)
        res.set_content(response.Body.toStdString(), response.ContentType.toStdString());
}

const char *const kTimeoutPath = "/sessiontimeout.html";

} // namespace

struct TIWServerController::TState
{
    httplib::Server Server;
    std::thread ListenThread;
    bool Bound = false;
    bool Started = false;

    mutable std::mutex SessionsMutex;
    std::map<QString, std::shared_ptr<TIWUserSession>> Sessions;

    std::thread ReaperThread;
    std::mutex ReaperMutex;
    std::condition_variable ReaperWake;
    bool Stopping = false;

    std::shared_ptr<TIWUserSession> Find(const QString &id)
    {
        std::lock_guard<std::mutex> lock(SessionsMutex);
        const auto found = Sessions.find(id);
        return found == Sessions.end() ? nullptr : found->second;
    }

    void Remove(const QString &id)
    {
        std::shared_ptr<TIWUserSession> gone;
        {
            std::lock_guard<std::mutex> lock(SessionsMutex);
            const auto found = Sessions.find(id);
            if (found == Sessions.end())
                return;
            gone = found->second;
            Sessions.erase(found);
        }
        // The session ends (on its own thread) as the last reference goes, outside the lock.
    }
};

TIWServerController::TIWServerController() : FState(std::make_unique<TState>())
{
    Port = RunProject.WebPort;
    SessionTimeout = RunProject.WebSessionTimeout;
    int seconds = TestSessionTimeoutSeconds;
    if (seconds <= 0) {
        bool ok = false;
        const int fromEnvironment = qEnvironmentVariableIntValue("ZANDROVEL_TEST_SESSION_TIMEOUT_S", &ok);
        if (ok && fromEnvironment > 0)
            seconds = fromEnvironment;
    }
    FSessionTimeoutMs = seconds > 0 ? int64_t(seconds) * 1000 : int64_t(std::max(SessionTimeout, 1)) * 60000;

    httplib::Server &server = FState->Server;
    server.new_task_queue = [] { return new httplib::ThreadPool(ThreadPoolSize); };
    // Plain address reuse only: a port another program listens on must fail to bind. No
    // delayed small writes: a response's header and body would otherwise wait for the
    // browser's delayed acknowledgement (tens of milliseconds); accepted sockets inherit it.
    server.set_socket_options([](socket_t sock) {
        int yes = 1;
        setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof(yes));
        setsockopt(sock, IPPROTO_TCP, TCP_NODELAY, &yes, sizeof(yes));
    });
    server.set_keep_alive_max_count(100000);
    server.set_keep_alive_timeout(2);
    server.set_payload_max_length(4 * 1024 * 1024);

    TState *state = FState.get();
    server.Get("/", [this, state](const httplib::Request &, httplib::Response &res) {
        const QString id = NewSessionId();
        {
            std::lock_guard<std::mutex> lock(state->SessionsMutex);
            state->Sessions.emplace(id, std::make_shared<TIWUserSession>(id));
        }
        SendRedirect(res, 302, "/" + id.toLatin1() + "/");
    });
    server.Get(kTimeoutPath, [](const httplib::Request &, httplib::Response &res) {
        SetCommonHeaders(res);
        res.set_content(SessionTimeoutPage().toStdString(), "text/html; charset=utf-8");
    });
    const auto serve = [this, state](const httplib::Request &req, httplib::Response &res, bool post) {
        const QString id = QString::fromStdString(req.matches[1].str());
        std::shared_ptr<TIWUserSession> session = state->Find(id);
        if (!session) {
            SendRedirect(res, post ? 303 : 302, kTimeoutPath);
            return;
        }
        const TWebResponse response = post ? session->Post(QByteArray::fromStdString(req.body), RequestTimeoutMs)
                                           : session->Get(RequestTimeoutMs);
        if (session->Terminated())
            state->Remove(id);
        SendResponse(res, response);
    };
    const char *sessionPath = R"(/([0-9a-f]{32})/?)";
    server.Get(sessionPath, [serve](const httplib::Request &req, httplib::Response &res) { serve(req, res, false); });
    server.Post(sessionPath, [serve](const httplib::Request &req, httplib::Response &res) { serve(req, res, true); });
    server.set_exception_handler([](const httplib::Request &, httplib::Response &res, std::exception_ptr) {
        res.status = 500;
        res.set_content("Internal Server Error\n", "text/plain; charset=utf-8");
    });
}

TIWServerController::~TIWServerController()
{
    Stop();
}

bool TIWServerController::Bind(const QString &Host)
{
    httplib::Server &server = FState->Server;
    const std::string host = Host.toStdString();
    if (Port == 0) {
        const int port = server.bind_to_any_port(host);
        FState->Bound = port > 0;
        if (FState->Bound)
            Port = uint32_t(port);
    } else {
        FState->Bound = Port <= 65535 && server.bind_to_port(host, int(Port));
    }
    if (!FState->Bound)
        Error = QStringLiteral("The application server could not listen on port: %1.").arg(Port);
    return FState->Bound;
}

void TIWServerController::Start()
{
    if (!FState->Bound || FState->Started)
        return;
    FState->Started = true;
    TState *state = FState.get();
    state->ListenThread = std::thread([state] { state->Server.listen_after_bind(); });
    // Stop must find the server running, or it could not end the listening loop.
    for (int i = 0; i < 2000 && !state->Server.is_running(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    const int64_t timeoutMs = FSessionTimeoutMs;
    const int64_t intervalMs = std::clamp<int64_t>(timeoutMs / 10, 50, 5000);
    state->ReaperThread = std::thread([state, timeoutMs, intervalMs] {
        std::unique_lock<std::mutex> lock(state->ReaperMutex);
        while (!state->Stopping) {
            state->ReaperWake.wait_for(lock, std::chrono::milliseconds(intervalMs));
            if (state->Stopping)
                break;
            const int64_t now =
                std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
                    .count();
            std::vector<std::shared_ptr<TIWUserSession>> expired;
            {
                std::lock_guard<std::mutex> sessionsLock(state->SessionsMutex);
                for (auto it = state->Sessions.begin(); it != state->Sessions.end();) {
                    if (now - it->second->LastAccessMs.load() > timeoutMs) {
                        expired.push_back(it->second);
                        it = state->Sessions.erase(it);
                    } else {
                        ++it;
                    }
                }
            }
            lock.unlock();
            expired.clear(); // each ends on its own thread, joined here
            lock.lock();
        }
    });
}

void TIWServerController::Stop()
{
    TState *state = FState.get();
    // A bound socket is closed by the listening loop as it ends.
    if (state->Bound && !state->Started)
        Start();
    if (state->Started) {
        state->Server.stop();
        if (state->ListenThread.joinable())
            state->ListenThread.join();
        {
            std::lock_guard<std::mutex> lock(state->ReaperMutex);
            state->Stopping = true;
        }
        state->ReaperWake.notify_all();
        if (state->ReaperThread.joinable())
            state->ReaperThread.join();
        state->Started = false;
    }
    state->Bound = false;
    std::map<QString, std::shared_ptr<TIWUserSession>> sessions;
    {
        std::lock_guard<std::mutex> lock(state->SessionsMutex);
        sessions.swap(state->Sessions);
    }
    sessions.clear();
}

int TIWServerController::SessionCount() const
{
    std::lock_guard<std::mutex> lock(FState->SessionsMutex);
    return int(FState->Sessions.size());
}

QByteArray TIWServerController::SessionTimeoutPage()
{
    QFile file(IncludeTrailingPathDelimiter(ExeFolder) + QLatin1String(SessionTimeoutFileName));
    if (!ExeFolder.isEmpty() && file.open(QIODevice::ReadOnly))
        return file.readAll();
    return QByteArrayLiteral("<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\">\n<title>Session timed out</title>"
                             "</head>\n<body>\n<h1>Session timed out</h1>\n<p>This session has ended because it was "
                             "idle for too long. <a href=\"/\">Start again</a>.</p>\n</body></html>\n");
}
