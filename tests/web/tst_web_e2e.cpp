#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>
#include <arpa/inet.h>
#include <csignal>
#include <httplib.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include "support/test_files.h"
#include "web_project_fixture.h"

#include "app/app_def.h"
#include "designer/build_application.h"
#include "platform/scripted_ui_services.h"

// The web runtime end to end: a program built from the fixture project serves it, and
// headless Chromium runs the scenarios of tests/web/e2e/scenarios.mjs against it.
class TestWebEndToEnd : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QProcess m_program;
    QString m_url;
    QString m_expectations;
    QString m_node;

    // A port nothing listens on at the moment.
    static uint16_t FreePort()
    {
        const int sock = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address = {};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof(address);
        uint16_t port = 0;
        if (::bind(sock, reinterpret_cast<sockaddr *>(&address), sizeof(address)) == 0
            && ::getsockname(sock, reinterpret_cast<sockaddr *>(&address), &length) == 0)
            port = ntohs(address.sin_port);
        ::close(sock);
        return port;
    }

private slots:
    void initTestCase()
    {
        m_node = QStandardPaths::findExecutable(QStringLiteral("node"));
        if (m_node.isEmpty() || !QFileInfo::exists(QStringLiteral("/usr/bin/chromium")))
            QSKIP("node and /usr/bin/chromium are needed (scripts/install-deps.sh installs them)");
        if (!QFileInfo::exists(QStringLiteral(ZV_WEB_E2E_DIR "/node_modules/playwright-core")))
            QSKIP("run npm ci in tests/web/e2e first (scripts/run-tests.sh does)");

        InitAppDef();
        DesignerMode = true;
        QVERIFY(m_dir.isValid());
        RunForm = new TRunForm;
        TScriptedUiServices ui;
        QVERIFY(SaveWebFixtureProject(m_dir.filePath(QStringLiteral("Shop.zvprj"))));
        const uint16_t port = FreePort();
        QVERIFY(port != 0);
        RunProject.WebPort = port;
        const QString program = m_dir.filePath(QStringLiteral("Shop"));
        QVERIFY(BuildApplication(program, QStringLiteral(ZV_PROGRAM_PATH)));
        QVERIFY2(ui.Messages().isEmpty(), qPrintable(ui.Messages().join('\n')));

        QJsonArray rects;
        const QVector<TWebFixtureForm> forms = WebFixtureForms();
        for (const TWebFixtureObject &object : forms.first().Objects) {
            rects.append(QJsonObject{{"name", object.Name},
                                     {"x", object.Rect.left()},
                                     {"y", object.Rect.top()},
                                     {"width", object.Rect.width()},
                                     {"height", object.Rect.height()}});
        }
        m_expectations = m_dir.filePath(QStringLiteral("expected.json"));
        QVERIFY(WriteFileBytes(m_expectations,
                               QJsonDocument(QJsonObject{{"rects", rects},
                                                         {"terminateMessage", WebFixtureTerminateMessage},
                                                         {"typed", QString::fromUtf8("caf\u00e9")},
                                                         {"message", WebFixtureHostileText}})
                                   .toJson()));

        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("HOME"), m_dir.path());
        env.insert(QStringLiteral("ZANDROVEL_TEST_UI"), m_dir.filePath(QStringLiteral("ui.log")));
        m_program.setProcessEnvironment(env);
        m_program.setProcessChannelMode(QProcess::ForwardedChannels);
        m_program.start(program, {});
        QVERIFY(m_program.waitForStarted());
        // Serving once the port answers.
        QTRY_VERIFY_WITH_TIMEOUT(httplib::Client("127.0.0.1", port).Get("/sessiontimeout.html"), 20000);
        m_url = QStringLiteral("http://127.0.0.1:%1/").arg(port);
    }

    void cleanupTestCase()
    {
        if (m_program.state() != QProcess::NotRunning) {
            // SIGTERM shuts the server down cleanly.
            ::kill(pid_t(m_program.processId()), SIGTERM);
            QVERIFY(m_program.waitForFinished(20000));
            QCOMPARE(m_program.exitStatus(), QProcess::NormalExit);
            QCOMPARE(m_program.exitCode(), 0);
            QCOMPARE(ReadFileBytes(m_dir.filePath(QStringLiteral("ui.log"))), QByteArray());
        }
        ResetProject(false, atNormal);
        delete RunForm;
        RunForm = nullptr;
    }

    void scenario_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("control positions match the stored rectangles") << QStringLiteral("positions");
        QTest::newRow("page chain and back") << QStringLiteral("chain");
        QTest::newRow("text typed into the memo is copied to a label") << QStringLiteral("copy");
        QTest::newRow("a message shows as an alert") << QStringLiteral("message");
        QTest::newRow("exit shows the terminate message") << QStringLiteral("exit");
    }

    void scenario()
    {
        QFETCH(QString, name);
        QProcess node;
        node.setWorkingDirectory(QStringLiteral(ZV_WEB_E2E_DIR));
        node.setProcessChannelMode(QProcess::MergedChannels);
        node.start(m_node, {QStringLiteral(ZV_WEB_E2E_DIR "/scenarios.mjs"), name, m_url, m_expectations});
        QVERIFY(node.waitForFinished(120000));
        const QByteArray output = node.readAll();
        QVERIFY2(node.exitStatus() == QProcess::NormalExit && node.exitCode() == 0, output.constData());
    }

    // A second program on the same port cannot listen: it says so and ends with an error.
    void portInUseIsReported()
    {
        QProcess second;
        QProcessEnvironment env = m_program.processEnvironment();
        const QString log = m_dir.filePath(QStringLiteral("second-ui.log"));
        env.insert(QStringLiteral("ZANDROVEL_TEST_UI"), log);
        second.setProcessEnvironment(env);
        second.start(m_program.program(), {});
        QVERIFY(second.waitForFinished(20000));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 1);
        QVERIFY2(ReadFileBytes(log).contains("could not listen on port: " + QByteArray::number(RunProject.WebPort)),
                 ReadFileBytes(log).constData());
    }
};

QTEST_MAIN(TestWebEndToEnd)
#include "tst_web_e2e.moc"
