#include <httplib.h>

#include <QElapsedTimer>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>
#include <atomic>
#include <thread>

#include "support/test_files.h"
#include "web_project_fixture.h"

#include "app/app_def.h"
#include "core/appended_project.h"
#include "core/globals.h"
#include "objects/simple_text.h"
#include "platform/scripted_ui_services.h"
#include "runtime/run_form.h"
#include "web/server_controller.h"
#include "web/user_session.h"
#include "web/web_actions.h"
#include "web/web_form.h"
#include "web/web_html.h"

namespace {

struct TPage
{
    int Status = 0;
    QString Location;
    QString Body;
    std::string ReferrerPolicy;
};

QString TitleOf(const QString &html)
{
    const QRegularExpressionMatch match = QRegularExpression(QStringLiteral("<title>(.*)</title>")).match(html);
    return match.hasMatch() ? match.captured(1) : QString();
}

// The index (id "o<i>") of the control of an object name on a rendered page; -1 when absent.
int ControlIndex(const QString &html, const QString &name)
{
    const QRegularExpressionMatch match =
        QRegularExpression(QStringLiteral("id=\"o(\\d+)\" data-name=\"%1\"").arg(QRegularExpression::escape(name)))
            .match(html);
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

QString PageSerial(const QString &html)
{
    return QRegularExpression(QStringLiteral("name=\"zv_page\" value=\"(\\d+)\"")).match(html).captured(1);
}

// The text of a memo on a rendered page.
QString MemoText(const QString &html, const QString &name)
{
    const QRegularExpressionMatch match =
        QRegularExpression(QStringLiteral("data-name=\"%1\"[^>]*>\\n([^<]*)</textarea>").arg(name)).match(html);
    return match.captured(1);
}

} // namespace

class TestWebServer : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    std::unique_ptr<TIWServerController> m_server;

    TPage Request(const std::string &method, const QString &path, const QByteArray &body = QByteArray())
    {
        httplib::Client client("127.0.0.1", int(m_server->Port));
        client.set_read_timeout(30, 0);
        httplib::Result result =
            method == "GET" ? client.Get(path.toStdString().c_str())
                            : client.Post(path.toStdString().c_str(), body.toStdString(), "application/x-www-form-urlencoded");
        TPage page;
        if (!result)
            return page;
        page.Status = result->status;
        page.Location = QString::fromStdString(result->get_header_value("Location"));
        page.Body = QString::fromUtf8(QByteArray::fromStdString(result->body));
        page.ReferrerPolicy = result->get_header_value("Referrer-Policy");
        return page;
    }

    TPage Get(const QString &path) { return Request("GET", path); }

    // A new session: its page path.
    QString NewSession()
    {
        const TPage page = Get(QStringLiteral("/"));
        return page.Status == 302 ? page.Location : QString();
    }

    // Posts the page's fields and a click of the named control, then follows the redirect.
    // Extra holds more fields ("o9=text").
    TPage Click(const QString &path, const TPage &shown, const QString &name, const QByteArray &extra = QByteArray())
    {
        QByteArray body = "zv_page=" + PageSerial(shown.Body).toLatin1();
        if (!name.isEmpty())
            body += "&zv_click=" + QByteArray::number(ControlIndex(shown.Body, name));
        if (!extra.isEmpty())
            body += "&" + extra;
        const TPage posted = Request("POST", path, body);
        if (posted.Status != 303 || posted.Location != path)
            return posted;
        return Get(path);
    }

    void StartServer()
    {
        m_server = std::make_unique<TIWServerController>();
        m_server->Port = 0;
        QVERIFY(m_server->Bind(QStringLiteral("127.0.0.1")));
        m_server->Start();
    }

private slots:
    void initTestCase()
    {
        InitAppDef();
        QVERIFY(m_dir.isValid());
        DesignerMode = true;
        RunForm = new TRunForm;
        TScriptedUiServices ui;
        QVERIFY(SaveWebFixtureProject(m_dir.filePath("Web.zvprj")));
        QVERIFY(OpenProjectFile(m_dir.filePath("Web.zvprj")));
        QVERIFY(ui.Messages().isEmpty());
        // Served as a built program would serve it: form bodies read from the source file.
        DesignerMode = false;
        ExeFolder = m_dir.path();
        ReadOpenRetries = {2, 10};
    }

    void init() { StartServer(); }

    void cleanup()
    {
        m_server.reset();
        TIWServerController::TestSessionTimeoutSeconds = 0;
    }

    void cleanupTestCase()
    {
        ResetProject(false, atNormal);
        delete RunForm;
        RunForm = nullptr;
    }

    void newBrowserGetsASessionOfItsOwn()
    {
        const TPage first = Get(QStringLiteral("/"));
        QCOMPARE(first.Status, 302);
        QVERIFY(QRegularExpression(QStringLiteral("^/[0-9a-f]{32}/$")).match(first.Location).hasMatch());
        const QString second = NewSession();
        QVERIFY(!second.isEmpty() && second != first.Location);
        QCOMPARE(m_server->SessionCount(), 2);

        const TPage page = Get(first.Location);
        QCOMPARE(page.Status, 200);
        QCOMPARE(TitleOf(page.Body), QStringLiteral("First page"));
        QCOMPARE(page.ReferrerPolicy, std::string("no-referrer"));
        // Other paths are not sessions.
        QCOMPARE(Get(QStringLiteral("/favicon.ico")).Status, 404);
        QCOMPARE(m_server->SessionCount(), 2);
    }

    void unknownSessionGetsTheTimeoutPage_data()
    {
        QTest::addColumn<QByteArray>("file"); // a sessiontimeout.html beside the program; empty: none
        QTest::addColumn<QString>("shown");
        QTest::newRow("built-in page") << QByteArray() << QStringLiteral("Session timed out");
        QTest::newRow("file beside the program") << QByteArray("<p>Come back later</p>")
                                                 << QStringLiteral("<p>Come back later</p>");
    }

    void unknownSessionGetsTheTimeoutPage()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, shown);
        const QString fileName = m_dir.filePath(QStringLiteral("sessiontimeout.html"));
        QFile::remove(fileName);
        if (!file.isEmpty())
            QVERIFY(WriteFileBytes(fileName, file));

        const QString unknown = QStringLiteral("/") + QString(32, QLatin1Char('a')) + QStringLiteral("/");
        const TPage get = Get(unknown);
        QCOMPARE(get.Status, 302);
        QCOMPARE(get.Location, QStringLiteral("/sessiontimeout.html"));
        const TPage post = Request("POST", unknown, "zv_page=1&zv_click=1");
        QCOMPARE(post.Status, 303);
        QCOMPARE(post.Location, QStringLiteral("/sessiontimeout.html"));
        const TPage page = Get(get.Location);
        QCOMPARE(page.Status, 200);
        QVERIFY2(page.Body.contains(shown), qPrintable(page.Body));
        QCOMPARE(m_server->SessionCount(), 0);
        QFile::remove(fileName);
    }

    // Two browsers at once: each walks its own chain of pages and keeps its own memo text.
    void sessionsInParallelKeepTheirOwnState()
    {
        const QString a = NewSession();
        const QString b = NewSession();
        std::atomic<int> failures{0};
        const auto walk = [&](const QString &path, const QByteArray &text, int rounds) {
            TPage page = Get(path);
            for (int i = 0; i < rounds; ++i) {
                page = Click(path, page, QStringLiteral("Go2"));
                if (TitleOf(page.Body) != QLatin1String("Second page"))
                    ++failures;
                page = Click(path, page, QStringLiteral("Back"), "o2=" + text);
                if (TitleOf(page.Body) != QLatin1String("First page"))
                    ++failures;
            }
            // The last post of the memo text was on the second page, which is gone now;
            // type on the first page instead.
            page = Click(path, page, QStringLiteral("Idle"), "o9=" + text);
        };
        std::thread first([&] { walk(a, "caf%C3%A9", 15); });
        std::thread second([&] { walk(b, "tea", 15); });
        first.join();
        second.join();
        QCOMPARE(failures.load(), 0);
        QCOMPARE(MemoText(Get(a).Body, QStringLiteral("Memo1")), QString::fromUtf8("caf\u00e9"));
        QCOMPARE(MemoText(Get(b).Body, QStringLiteral("Memo1")), QStringLiteral("tea"));
        // A third browser sees the stored text.
        QCOMPARE(MemoText(Get(NewSession()).Body, QStringLiteral("Memo1")), QStringLiteral("first"));
    }

    void idleSessionTimesOut()
    {
        m_server.reset();
        TIWServerController::TestSessionTimeoutSeconds = 2;
        StartServer();
        QCOMPARE(m_server->SessionTimeoutMs(), int64_t(2000));
        const QString idle = NewSession();
        const QString busy = NewSession();
        QCOMPARE(Get(idle).Status, 200);
        // A session in use stays (used every 400 ms, well inside its time-out even on a busy
        // machine), while the idle one ends.
        for (int i = 0; i < 8; ++i) {
            QTest::qWait(400);
            QCOMPARE(Get(busy).Status, 200);
        }
        QTRY_COMPARE_WITH_TIMEOUT(m_server->SessionCount(), 1, 5000);
        QCOMPARE(Get(idle).Location, QStringLiteral("/sessiontimeout.html"));
        QTRY_COMPARE_WITH_TIMEOUT(m_server->SessionCount(), 0, 5000);
        QCOMPARE(Get(busy).Location, QStringLiteral("/sessiontimeout.html"));
    }

    void malformedPostAnswers400_data()
    {
        QTest::addColumn<QByteArray>("tail"); // after a valid click of Go2
        QTest::newRow("not hex") << QByteArray("o9=%zz");
        QTest::newRow("one digit at the end") << QByteArray("o9=%4");
        QTest::newRow("percent at the end") << QByteArray("o9=%");
        QTest::newRow("one digit then text") << QByteArray("o9=%4g&x=1");
    }

    void malformedPostAnswers400()
    {
        QFETCH(QByteArray, tail);
        const QString path = NewSession();
        const TPage shown = Get(path);
        const QByteArray body = "zv_page=" + PageSerial(shown.Body).toLatin1()
                                + "&zv_click=" + QByteArray::number(ControlIndex(shown.Body, "Go2")) + "&" + tail;
        QCOMPARE(Request("POST", path, body).Status, 400);
        // Nothing of the post was applied, and the server and the session still answer.
        const TPage after = Get(path);
        QCOMPARE(after.Status, 200);
        QCOMPARE(TitleOf(after.Body), QStringLiteral("First page"));
        QCOMPARE(Click(path, after, QStringLiteral("Go2")).Status, 200);
        QVERIFY(!NewSession().isEmpty());
    }

    // first -> second -> third; going back to an ancestor releases the pages after it.
    void pageChainAndBack()
    {
        const QString path = NewSession();
        TPage first = Get(path);
        TPage page = Click(path, first, QStringLiteral("Go2"), "o9=typed");
        QCOMPARE(TitleOf(page.Body), QStringLiteral("Second page"));
        // Second's memo is typed into, then the chain goes on and comes back to it.
        page = Click(path, page, QStringLiteral("Go3"), "o2=kept");
        QCOMPARE(TitleOf(page.Body), QStringLiteral("Third page"));
        const TPage third = page;
        page = Click(path, page, QStringLiteral("Self"));
        QCOMPARE(TitleOf(page.Body), QStringLiteral("Third page"));
        page = Click(path, page, QStringLiteral("Back2"));
        QCOMPARE(TitleOf(page.Body), QStringLiteral("Second page"));
        QCOMPARE(MemoText(page.Body, QStringLiteral("Memo2")), QStringLiteral("kept"));
        // A post from the released third page changes nothing.
        QCOMPARE(TitleOf(Click(path, third, QStringLiteral("Home")).Body), QStringLiteral("Second page"));

        page = Click(path, page, QStringLiteral("Go3"));
        QCOMPARE(TitleOf(page.Body), QStringLiteral("Third page"));
        QVERIFY(PageSerial(page.Body) != PageSerial(third.Body));
        page = Click(path, page, QStringLiteral("Home"));
        QCOMPARE(TitleOf(page.Body), QStringLiteral("First page"));
        QCOMPARE(MemoText(page.Body, QStringLiteral("Memo1")), QStringLiteral("typed"));
        // The second page was released with the third: a new one shows the stored text.
        page = Click(path, page, QStringLiteral("Go2"));
        QCOMPARE(MemoText(page.Body, QStringLiteral("Memo2")), QStringLiteral("second"));
        page = Click(path, page, QStringLiteral("Back"));
        QCOMPARE(TitleOf(page.Body), QStringLiteral("First page"));

        // A form name that differs in case opens nothing; a page that cannot be built tells
        // the browser and the current page stays.
        page = Click(path, page, QStringLiteral("WrongCase"));
        QCOMPARE(TitleOf(page.Body), QStringLiteral("First page"));
        QVERIFY(!page.Body.contains(QStringLiteral(".forEach(")));
        page = Click(path, page, QStringLiteral("Broken"));
        QCOMPARE(TitleOf(page.Body), QStringLiteral("First page"));
        QVERIFY(page.Body.contains(QStringLiteral("[\"Create web page error!\"].forEach")));
        // The message is shown once.
        QVERIFY(!Get(path).Body.contains(QStringLiteral("Create web page error!")));
    }

    void exitShowsTheTerminateMessage_data()
    {
        QTest::addColumn<QString>("button");
        QTest::newRow("exit") << QStringLiteral("Exit");
        QTest::newRow("close on the first page") << QStringLiteral("Close");
    }

    void exitShowsTheTerminateMessage()
    {
        QFETCH(QString, button);
        const QString path = NewSession();
        const TPage ended = Click(path, Get(path), button);
        QCOMPARE(ended.Status, 200);
        QVERIFY2(ended.Body.contains(QStringLiteral("<p id=\"terminate\">Bye &lt;b&gt;now&lt;/b&gt; &amp; &quot;thanks&quot;</p>")),
                 qPrintable(ended.Body));
        QCOMPARE(m_server->SessionCount(), 0);
        QCOMPARE(Get(path).Location, QStringLiteral("/sessiontimeout.html"));
    }

    void focusAndVisitWebsite()
    {
        const QString path = NewSession();
        TPage page = Click(path, Get(path), QStringLiteral("Focus"));
        QVERIFY(page.Body.contains(QStringLiteral("document.getElementById(\"o%1\")")
                                       .arg(ControlIndex(page.Body, QStringLiteral("Memo1")))));
        const TPage visit = Request("POST", path,
                                    "zv_page=" + PageSerial(page.Body).toLatin1() + "&zv_click="
                                        + QByteArray::number(ControlIndex(page.Body, "Visit")));
        QCOMPARE(visit.Status, 303);
        QCOMPARE(visit.Location, QStringLiteral("http://127.0.0.1:9/elsewhere"));
        // The session stays.
        QCOMPARE(Get(path).Status, 200);
    }

    void everyTextIsEscaped()
    {
        const QString body = Get(NewSession()).Body;
        const QString escaped = QStringLiteral("&lt;script&gt;alert(&quot;x&quot;)&lt;/script&gt; &amp; &#39;q&#39;");
        // The simple text's caption and the button's hint.
        QCOMPARE(body.count(escaped), 2);
        QVERIFY(!body.contains(QStringLiteral("<script>alert")));
        QVERIFY(body.contains(QStringLiteral("title=\"") + escaped + QStringLiteral("\"")));
    }

    void scriptStringsAreJsonEscaped_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("json");
        QTest::newRow("plain") << QStringLiteral("Good bye.") << QStringLiteral("\"Good bye.\"");
        QTest::newRow("quotes and backslash") << QStringLiteral("a\"b\\c") << QStringLiteral("\"a\\\"b\\\\c\"");
        QTest::newRow("end of script") << QStringLiteral("</script><b>&")
                                       << QStringLiteral("\"\\u003c/script\\u003e\\u003cb\\u003e\\u0026\"");
        QTest::newRow("line breaks") << QStringLiteral("a\r\nb\u2028") << QStringLiteral("\"a\\r\\nb\\u2028\"");
        QTest::newRow("control") << QString(QChar(1)) << QStringLiteral("\"\\u0001\"");
    }

    void scriptStringsAreJsonEscaped()
    {
        QFETCH(QString, text);
        QFETCH(QString, json);
        QCOMPARE(JsonString(text), json);
    }

    // The loop runs its body while the simple text's integer is above 0, counting it down.
    // A loop whose list never lowers its counter holds its session's thread only until the
    // session ends: the server still stops at once.
    void endlessLoopEndsWithItsSession()
    {
        m_server->RequestTimeoutMs = 300;
        const QString path = NewSession();
        const TPage busy = Click(path, Get(path), QStringLiteral("Endless"));
        QCOMPARE(busy.Status, 503);
        QCOMPARE(Get(path).Status, 503); // the session's thread is still in the loop
        QElapsedTimer stopping;
        stopping.start();
        m_server.reset();
        QVERIFY2(stopping.elapsed() < 5000, qPrintable(QString::number(stopping.elapsed())));
    }

    void loopCountsTheSimpleTextDown_data()
    {
        QTest::addColumn<int>("counter");
        QTest::addColumn<bool>("bodyRan");
        QTest::newRow("three") << 3 << true;
        QTest::newRow("zero") << 0 << false;
        QTest::newRow("negative") << -2 << false;
    }

    void loopCountsTheSimpleTextDown()
    {
        QFETCH(int, counter);
        QFETCH(bool, bodyRan);
        TWebForm page(nullptr);
        QVERIFY(page.LoadFromFormData(RunProject.Forms[0].get()));
        auto *text = dynamic_cast<TWebLabel *>(page.WebControlOf(page.GetZvObjectFromName(QStringLiteral("Counter"))));
        QVERIFY(text);
        text->IntegerValue = counter;
        TZvAction loop;
        loop.Command = ctLoop;
        loop.Param1 = QStringLiteral("Counter");
        auto *focus = new TZvAction;
        focus->Command = ctSetFocus;
        focus->Param1 = QStringLiteral("Memo1");
        loop.Actions1.Actions.append(focus);
        RunAction(&page, &loop, false);
        QCOMPARE(page.FocusedIndex >= 0, bodyRan);
        QCOMPARE(text->IntegerValue, bodyRan ? 0 : counter);
    }
};

QTEST_MAIN(TestWebServer)
#include "tst_web_server.moc"
