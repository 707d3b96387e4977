// Web runtime figures: page renders per second and p99 latency of a 50-object page at 64
// keep-alive connections (measured with wrk on loopback), and resident memory per 1,000 idle
// sessions. Needs wrk (Debian package). Prints its figures; not run by the tests.
#include <httplib.h>

#include <QApplication>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cstdio>

#include "app/app_def.h"
#include "core/appended_project.h"
#include "core/globals.h"
#include "core/project_file.h"
#include "core/project_model.h"
#include "objects/memo.h"
#include "objects/object_kinds.h"
#include "objects/simple_text.h"
#include "objects/standard_button.h"
#include "platform/scripted_ui_services.h"
#include "runtime/run_form.h"
#include "web/server_controller.h"

namespace {

// A one-form web project whose page holds 50 objects: texts, buttons, memos and rules.
bool SaveBenchProject(const QString &file)
{
    ResetProject(true, atWebStandAlone);
    RunForm->InitForm(QStringLiteral("Fifty objects"));
    const TObjectType kinds[] = {otSimpleText, otStandardButton, otMemo, otBevel, otSimpleText};
    for (int i = 0; i < 50; ++i) {
        const TObjectType kind = kinds[i % 5];
        TControl *control = ObjectKindInfo(kind).CreateControl ? ObjectKindInfo(kind).CreateControl() : nullptr;
        if (!control)
            return false;
        PZvObject object = NewZvObject();
        object->ObjectType = kind;
        object->ObjectName = QStringLiteral("Object%1").arg(i + 1);
        object->ObjectControl = control;
        control->SetBounds(10 + (i % 5) * 120, 10 + (i / 5) * 40, 110, 30);
        if (auto *text = dynamic_cast<TZvSimpleText *>(control))
            text->SetCaption(QStringLiteral("Text <%1> & more").arg(i));
        if (auto *button = dynamic_cast<TZvStandardButton *>(control)) {
            button->SetCaption(QStringLiteral("Button %1").arg(i));
            auto *action = new TZvAction;
            action->Command = ctShowForm;
            action->Param1 = QStringLiteral("Form1");
            object->OnClickActions.Actions.append(action);
        }
        if (auto *memo = dynamic_cast<TZvMemo *>(control))
            memo->SetLines(QStringLiteral("line one\r\nline two"));
        RunForm->PanelObject->Objects.append(object);
    }
    if (!RunForm->SaveFormData(RunProject.Forms[0].get()) || !SaveProjectFileSafely(file, QString())
        || !OpenProjectFile(file))
        return false;
    ProjectSourceFile = file;
    return true;
}

long ResidentKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    const QRegularExpression rss(QStringLiteral("^VmRSS:\\s+(\\d+) kB"), QRegularExpression::MultilineOption);
    return rss.match(QString::fromLatin1(status.readAll())).captured(1).toLong();
}

// GET / and then the session's page: a session whose first page is built.
std::string OpenSession(httplib::Client &client)
{
    const httplib::Result redirect = client.Get("/");
    if (!redirect || redirect->status != 302)
        return std::string();
    const std::string path = redirect->get_header_value("Location");
    const httplib::Result page = client.Get(path.c_str());
    return page && page->status == 200 ? path : std::string();
}

} // namespace

int main(int argc, char **argv)
{
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    InitAppDef();
    QApplication app(argc, argv);
    TScriptedUiServices ui;
    DesignerMode = true;
    RunForm = new TRunForm;
    QTemporaryDir dir;
    if (!SaveBenchProject(dir.filePath(QStringLiteral("Bench.zvprj")))) {
        std::fprintf(stderr, "could not write the project\n");
        return 1;
    }
    DesignerMode = false;

    TIWServerController server;
    server.Port = 0;
    if (!server.Bind(QStringLiteral("127.0.0.1"))) {
        std::fprintf(stderr, "could not bind\n");
        return 1;
    }
    server.Start();
    const int port = int(server.Port);
    httplib::Client client("127.0.0.1", port);

    // Renders: 64 sessions, one per connection of wrk.
    QStringList paths;
    for (int i = 0; i < 64; ++i)
        paths << QString::fromStdString(OpenSession(client));
    const httplib::Result sample = client.Get(paths.first().toStdString().c_str());
    std::printf("page: %d objects, %zu bytes of HTML\n", 50, sample ? sample->body.size() : size_t(0));

    const QString wrk = QStandardPaths::findExecutable(QStringLiteral("wrk"));
    if (wrk.isEmpty()) {
        std::printf("wrk not found: render figures skipped (apt-get install wrk)\n");
    } else {
        const QString script = dir.filePath(QStringLiteral("sessions.lua"));
        QFile lua(script);
        lua.open(QIODevice::WriteOnly);
        lua.write("paths = {\"" + paths.join(QStringLiteral("\", \"")).toLatin1()
                  + "\"}\ncounter = 0\nrequest = function()\n  counter = counter + 1\n"
                    "  return wrk.format(\"GET\", paths[(counter % #paths) + 1])\nend\n");
        lua.close();
        QProcess run;
        run.setProcessChannelMode(QProcess::MergedChannels);
        run.start(wrk, {QStringLiteral("-t4"), QStringLiteral("-c64"), QStringLiteral("-d10s"), QStringLiteral("--latency"),
                        QStringLiteral("-s"), script, QStringLiteral("http://127.0.0.1:%1/").arg(port)});
        run.waitForFinished(60000);
        const QString output = QString::fromLocal8Bit(run.readAll());
        const QString rate =
            QRegularExpression(QStringLiteral("Requests/sec:\\s+([\\d.]+)")).match(output).captured(1);
        const QString p99 = QRegularExpression(QStringLiteral("\\s99%\\s+([\\d.]+\\w+)")).match(output).captured(1);
        const QString errors = QRegularExpression(QStringLiteral("Non-2xx or 3xx responses: (\\d+)")).match(output).captured(1);
        std::printf("renders at 64 connections: %s requests/s, p99 latency %s, non-2xx responses: %s\n",
                    qPrintable(rate), qPrintable(p99), errors.isEmpty() ? "0" : qPrintable(errors));
    }

    // Memory: 1,000 more sessions, each with its first page built, then left idle.
    const long before = ResidentKb();
    int opened = 0;
    for (int i = 0; i < 1000; ++i)
        opened += OpenSession(client).empty() ? 0 : 1;
    const long after = ResidentKb();
    std::printf("idle sessions: %d opened, resident memory +%ld kB, %.1f kB per session\n", opened, after - before,
                opened ? double(after - before) / opened : 0.0);

    server.Stop();
    ResetProject(false, atNormal);
    delete RunForm;
    return 0;
}
