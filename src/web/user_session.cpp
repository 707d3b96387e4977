#include "web/user_session.h"

#include <QStringList>
#include <chrono>

#include "core/appended_project.h"
#include "core/globals.h"
#include "core/project_file.h"
#include "core/record_io.h"
#include "platform/rtl/strings.h"
#include "runtime/general_form.h"
#include "web/session_worker.h"
#include "web/utf8_content_parser.h"
#include "web/web_form.h"
#include "web/web_html.h"

namespace {

thread_local TIWUserSession *ThreadSession = nullptr;

int64_t SteadyMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

TWebResponse Redirect(const QByteArray &location)
{
    TWebResponse response;
    response.Status = 303;
    response.Location = location;
    return response;
}

TWebResponse BusyResponse()
{
    TWebResponse response;
    response.Status = 503;
    response.ContentType = "text/plain; charset=utf-8";
    response.Body = "The server is busy with an earlier request of this session.\n";
    return response;
}

// A redirect target must not break the header it travels in.
bool IsSafeLocation(const QString &url)
{
    for (const QChar c : url) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            return false;
    }
    return true;
}

} // namespace

TIWUserSession *CurrentUserSession()
{
    return ThreadSession;
}

QByteArray TerminatePageHtml(const QString &Message)
{
    return (QStringLiteral("<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\">\n<title>")
            + HtmlEscape(RunProject.AppTitle) + QStringLiteral("</title></head>\n<body>\n<p id=\"terminate\">")
            + HtmlEscape(Message) + QStringLiteral("</p>\n</body></html>\n"))
        .toUtf8();
}

bool LoadSessionConnections(TIWUserSession *Session)
{
    if (!Session)
        return false;
    try {
        std::unique_ptr<TFileStream> file;
        if (DesignerMode) {
            // The designer's project file: one plain open; a failure is reported below.
            file = std::make_unique<TFileStream>(ProjectSourceFile, fmOpenRead | fmShareDenyNone);
        } else {
            file = OpenOwnFileForReading(ProjectSourceFile);
            if (!file)
                return false;
        }
        file->SetPosition(DBConnectionsPosition);
        TRecordReader r(*file);
        const int32_t count = r.Int32();
        // Connections cannot be read by this build: a stored connection fails the load.
        return count == 0;
    } catch (const std::exception &) {
        Session->SessionErrorMessage = QStringLiteral("Failed to load database connections");
        return false;
    }
}

TIWUserSession::TIWUserSession(const QString &Id) : Id(Id)
{
    Touch();
    FWorker = std::make_unique<TSessionWorker>([this] {
        ThreadSession = this;
        IWUserSessionBaseCreate();
        // The service form's template picture, only read here.
        if (GeneralForm)
            Image1.Assign(GeneralForm->Image1);
    });
}

TIWUserSession::~TIWUserSession()
{
    FEnding = true;
    FWorker->Stop([this] { IWUserSessionBaseDestroy(); });
}

void TIWUserSession::IWUserSessionBaseCreate()
{
    SessionError = false;
    SessionErrorMessage.clear();
    MainForm = nullptr;
    if (!LoadSessionConnections(this)) {
        SessionError = true;
        if (SessionErrorMessage.isEmpty())
            SessionErrorMessage = QStringLiteral("Init database connections failed.");
    }
}

void TIWUserSession::IWUserSessionBaseDestroy()
{
    for (TWebForm *form : FReleasedForms)
        delete form;
    FReleasedForms.clear();
    delete MainForm;
    MainForm = nullptr;
    ActiveForm = nullptr;
    Image1.Clear();
    DBConnections.clear();
}

void TIWUserSession::Touch()
{
    LastAccessMs = SteadyMs();
}

void TIWUserSession::ShowMessage(const QString &Text)
{
    FMessages << Text;
}

void TIWUserSession::Terminate(const QString &Message)
{
    if (FTerminated)
        return;
    FTerminated = true;
    FTerminateMessage = Message;
}

void TIWUserSession::GotoURL(const QString &URL)
{
    FRedirectURL = URL;
}

void TIWUserSession::ReleaseForm(TWebForm *Form)
{
    if (!Form)
        return;
    for (TWebForm *page = Form; page; page = page->ChildForm)
        page->Released = true;
    if (Form->ParentForm && Form->ParentForm->ChildForm == Form)
        Form->ParentForm->ChildForm = nullptr;
    if (ActiveForm && ActiveForm->Released)
        ActiveForm = nullptr;
    FReleasedForms.push_back(Form);
}

QByteArray TIWUserSession::PageUrl() const
{
    return QByteArray("/") + Id.toLatin1() + QByteArray("/");
}

TWebResponse TIWUserSession::Get(int TimeoutMs)
{
    Touch();
    auto response = std::make_shared<TWebResponse>();
    const bool done = FWorker->Invoke([this, response] { *response = ServeGet(); }, TimeoutMs);
    Touch();
    return done ? *response : BusyResponse();
}

TWebResponse TIWUserSession::Post(const QByteArray &Content, int TimeoutMs)
{
    Touch();
    auto response = std::make_shared<TWebResponse>();
    const bool done = FWorker->Invoke([this, response, Content] { *response = ServePost(Content); }, TimeoutMs);
    Touch();
    return done ? *response : BusyResponse();
}

void TIWUserSession::EnsureMainPage()
{
    if (MainForm || FTerminated)
        return;
    try {
        auto *page = new TWebForm(this);
        if (MainForm == page && !FTerminated && !page->Released && !ActiveForm)
            ActiveForm = page;
    } catch (const std::exception &error) {
        ShowMessage(QString::fromUtf8(error.what()));
    }
    // Whatever happened, the first page is what the browser sees while nothing else is.
    if (!ActiveForm && MainForm && !FTerminated)
        ActiveForm = MainForm;
}

bool TIWUserSession::FinishRequest(TWebResponse &Response, bool AfterPost)
{
    for (TWebForm *form : FReleasedForms)
        delete form;
    FReleasedForms.clear();
    if (!ActiveForm && MainForm && !FTerminated)
        ActiveForm = MainForm;
    if (FTerminated) {
        Response = TWebResponse();
        Response.Body = TerminatePageHtml(FTerminateMessage);
        return true;
    }
    if (!FRedirectURL.isEmpty()) {
        const QString url = FRedirectURL;
        FRedirectURL.clear();
        if (IsSafeLocation(url)) {
            Response = Redirect(url.toUtf8());
            Response.Status = AfterPost ? 303 : 302;
            return true;
        }
    }
    return false;
}

TWebResponse TIWUserSession::ServeGet()
{
    EnsureMainPage();
    TWebResponse response;
    if (FinishRequest(response, false))
        return response;
    if (!ActiveForm) {
        // No page could be built at all: an empty page with the messages.
        TWebForm empty(nullptr);
        response.Body = empty.Render(QString::fromLatin1(PageUrl()), FMessages);
    } else {
        response.Body = ActiveForm->Render(QString::fromLatin1(PageUrl()), FMessages);
    }
    FMessages.clear();
    return response;
}

TWebResponse TIWUserSession::ServePost(const QByteArray &Content)
{
    TStringList fields;
    try {
        TUTF8ContentParser parser(Content);
        TStrings *parsed = parser.GetContentFields();
        for (int i = 0; i < parsed->Count(); ++i)
            fields.Add(parsed->Strings(i));
    } catch (const std::exception &error) {
        TWebResponse response;
        response.Status = 400;
        response.ContentType = "text/plain; charset=utf-8";
        response.Body = "Bad Request: " + QByteArray(error.what()) + "\n";
        return response;
    }

    EnsureMainPage();
    TWebForm *page = ActiveForm;
    QString pageSerial;
    int clicked = -1;
    QList<QPair<int, QString>> values;
    for (int i = 0; i < fields.Count(); ++i) {
        const QString field = fields.Strings(i);
        const int equals = field.indexOf(QLatin1Char('='));
        const QString name = equals < 0 ? field : field.left(equals);
        const QString value = equals < 0 ? QString() : field.mid(equals + 1);
        if (name == QLatin1String("zv_page")) {
            pageSerial = value;
        } else if (name == QLatin1String("zv_click")) {
            bool ok = false;
            const int index = value.toInt(&ok);
            if (ok)
                clicked = index;
        } else if (name.startsWith(QLatin1Char('o'))) {
            bool ok = false;
            const int index = name.mid(1).toInt(&ok);
            if (ok)
                values.append({index, value});
        }
    }

    // Only a post of the page shown now is applied; one from an older page is dropped.
    if (page && !FTerminated && pageSerial == QString::number(page->Serial)) {
        for (const auto &value : values)
            page->ApplyPostedValue(value.first, value.second);
        if (clicked >= 0) {
            try {
                page->WebControlClick(clicked);
            } catch (const std::exception &error) {
                // An action that raised ends its list; the browser is shown the error.
                ShowMessage(QString::fromUtf8(error.what()));
            }
        }
    }
    TWebResponse response;
    if (FinishRequest(response, true))
        return response;
    return Redirect(PageUrl());
}
