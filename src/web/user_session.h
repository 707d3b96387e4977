// The data of one browser session and the requests served for it: its first page, the page
// shown now, the messages waiting for the browser, and the worker thread that owns them.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <atomic>
#include <memory>
#include <vector>

#include "platform/graphics/picture.h"

class TSessionWorker;
class TWebForm;
class TZvDBConnection;

// What a request of the session answers.
struct TWebResponse
{
    int Status = 200;
    QByteArray ContentType = "text/html; charset=utf-8";
    QByteArray Body;
    QByteArray Location; // for redirects
};

class TIWUserSession
{
public:
    // Starts the session's worker thread, which creates the session data (connections) and
    // copies the service form's template picture before anything else runs on it.
    explicit TIWUserSession(const QString &Id);
    // Ends the session on its thread (pages, pictures, connections) and joins the thread.
    ~TIWUserSession();
    TIWUserSession(const TIWUserSession &) = delete;
    TIWUserSession &operator=(const TIWUserSession &) = delete;

    const QString Id;

    bool SessionError = false;
    QString SessionErrorMessage;
    // The session's own database connections; none exist in this build, so it stays empty.
    QList<TZvDBConnection *> DBConnections;
    // The session's copy of the service form's template picture.
    TPicture Image1;
    // The session's first page; nil until it is built.
    TWebForm *MainForm = nullptr;

    // ---- The web application of the session (used on its worker thread only) ----
    // The page the browser is shown.
    TWebForm *ActiveForm = nullptr;
    // A message shown in the browser (an alert) at the next page sent.
    void ShowMessage(const QString &Text);
    // Ends the session: the browser is shown Message instead of a page.
    void Terminate(const QString &Message);
    bool Terminated() const { return FTerminated; }
    // Set when the session is being destroyed (timed out or the server stops): a long
    // action list running on the worker ends at its next turn.
    bool Ending() const { return FEnding; }
    // Sends the browser to another address after this request.
    void GotoURL(const QString &URL);
    // A page leaves the chain now and is deleted after the request (with its child pages).
    void ReleaseForm(TWebForm *Form);
    // Messages waiting for the browser, oldest first.
    const QStringList &PendingMessages() const { return FMessages; }

    // ---- Requests (any thread): queued to the worker and waited for ----
    // The current page; the first request builds the first page.
    TWebResponse Get(int TimeoutMs);
    // A posted page: field values applied, the clicked control's actions run, then a
    // redirect to the current page. Malformed content answers 400 and changes nothing.
    TWebResponse Post(const QByteArray &Content, int TimeoutMs);

    // Milliseconds of the steady clock at the last request's start or end.
    std::atomic<int64_t> LastAccessMs{0};
    void Touch();

private:
    void IWUserSessionBaseCreate();
    void IWUserSessionBaseDestroy();
    TWebResponse ServeGet();
    TWebResponse ServePost(const QByteArray &Content);
    // After every request: deletes the pages released during it, then the answer when the
    // session ended or is sent elsewhere; otherwise a null response.
    bool FinishRequest(TWebResponse &Response, bool AfterPost);
    void EnsureMainPage();
    QByteArray PageUrl() const;

    std::atomic<bool> FTerminated{false};
    std::atomic<bool> FEnding{false};
    QString FTerminateMessage;
    QString FRedirectURL;
    QStringList FMessages;
    std::vector<TWebForm *> FReleasedForms;
    std::unique_ptr<TSessionWorker> FWorker;
};

// The session whose request the calling thread serves (each session's worker thread serves
// only its own session); nil on other threads.
TIWUserSession *CurrentUserSession();

// Reads the session's database connections from the project source at the stored position.
// The count must be 0 in this build: connections of a stored count above 0 cannot be read.
bool LoadSessionConnections(TIWUserSession *Session);

// The page the browser is shown after an exit: the project's terminate message.
QByteArray TerminatePageHtml(const QString &Message);
