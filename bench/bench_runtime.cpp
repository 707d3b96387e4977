// Prints how long a runtime window takes to load a form of 1,000 objects, and how long a
// built program takes from its start to its first shown form.
//
// The cold start is timed from outside: the built program's first form runs an Exit in its
// show list, so the program ends right after the form was shown. The figure is the whole
// child process (start, load, show, close, teardown), an upper bound of the time to show.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "app/app_def.h"
#include "core/appended_project.h"
#include "core/globals.h"
#include "core/object_tree.h"
#include "core/project_model.h"
#include "runtime/run_form.h"

namespace {

constexpr int kObjects = 1000;
constexpr int kRuns = 7;

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

PZvAction NewAction(TCommandType Command)
{
    auto *action = new TZvAction;
    action->Command = Command;
    return action;
}

// Form1 of the project: kObjects objects (buttons, panels, texts in turn), no fade.
bool MakeLargeForm(bool ExitOnShow)
{
    TRunForm page;
    page.InitForm(QStringLiteral("Large"));
    page.FormFade = false;
    const TObjectType kinds[] = {otStandardButton, otPanel, otSimpleText};
    for (int i = 0; i < kObjects; ++i)
        AddNewZvObject(page.PanelObject, kinds[i % 3], (i % 40) * 16, (i / 40) * 16, &page);
    if (ExitOnShow)
        page.OnShowActions.Actions.append(NewAction(ctExit));
    auto data = std::make_unique<TFormData>();
    data->FormName = QStringLiteral("Form1");
    if (!page.SaveFormData(data.get()))
        return false;
    RunProject.Forms.clear();
    RunProject.Forms.push_back(std::move(data));
    return true;
}

void BenchFormLoad()
{
    if (!MakeLargeForm(false)) {
        std::printf("form load: could not build the form\n");
        return;
    }
    std::vector<double> times;
    for (int run = 0; run < kRuns; ++run) {
        QElapsedTimer clock;
        clock.start();
        TRunForm form;
        LoadFormData(RunProject.Forms.front().get(), &form, false);
        form.DoPosition();
        form.show();
        QCoreApplication::processEvents();
        times.push_back(clock.nsecsElapsed() / 1e6);
        form.hide();
    }
    std::printf("load a form of %d objects into a runtime window: %.1f ms (median of %d)\n", kObjects,
                Median(times), kRuns);
}

void BenchColdStart()
{
    const QString program = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("../src/Zandrovel"));
    QTemporaryDir dir;
    const QString copy = dir.filePath(QStringLiteral("Built"));
    if (!QFile::copy(program, copy)) {
        std::printf("cold start: the program %s was not found\n", qPrintable(program));
        return;
    }
    QFile::setPermissions(copy, QFile::permissions(program));
    ResetProject(false, atNormal);
    RunProject.AppTitle = QStringLiteral("Bench");
    if (!MakeLargeForm(true) || !AppendProjectToExe(copy, QString())) {
        std::printf("cold start: could not build the program\n");
        return;
    }
    std::vector<double> large;
    for (int run = 0; run < kRuns; ++run) {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        process.setProcessEnvironment(env);
        QElapsedTimer clock;
        clock.start();
        process.start(copy, {});
        if (!process.waitForFinished(30000) || process.exitCode() != 0) {
            std::printf("cold start: the built program did not end cleanly\n");
            return;
        }
        large.push_back(clock.nsecsElapsed() / 1e6);
    }
    std::printf("cold start of a built program to its first shown form (%d objects), whole process: %.1f ms "
                "(median of %d)\n",
                kObjects, Median(large), kRuns);

    // A small first form as well, which is what most programs start with.
    ResetProject(true, atNormal);
    RunProject.AppTitle = QStringLiteral("Bench");
    {
        TRunForm page;
        page.InitForm(QStringLiteral("Small"));
        page.FormFade = false;
        page.OnShowActions.Actions.append(NewAction(ctExit));
        page.SaveFormData(RunProject.Forms.front().get());
    }
    const QString small = dir.filePath(QStringLiteral("Small"));
    QFile::copy(program, small);
    QFile::setPermissions(small, QFile::permissions(program));
    if (!AppendProjectToExe(small, QString()))
        return;
    std::vector<double> times;
    for (int run = 0; run < kRuns; ++run) {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        process.setProcessEnvironment(env);
        QElapsedTimer clock;
        clock.start();
        process.start(small, {});
        if (!process.waitForFinished(30000))
            return;
        times.push_back(clock.nsecsElapsed() / 1e6);
    }
    std::printf("cold start of a built program to its first shown form (empty form), whole process: %.1f ms "
                "(median of %d)\n",
                Median(times), kRuns);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    InitAppDef();
    DesignerMode = false;
    BenchFormLoad();
    BenchColdStart();
    return 0;
}
