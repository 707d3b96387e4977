#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include "support/test_files.h"

#include "app/app_def.h"
#include "core/appended_project.h"
#include "core/globals.h"
#include "core/project_model.h"
#include "runtime/run_form.h"

namespace {

PZvAction NewAction(TCommandType Command, const QString &Param1 = QString())
{
    auto *action = new TZvAction;
    action->Command = Command;
    action->Param1 = Param1;
    return action;
}

// A first form whose show list opens the "file" Marker (recorded by the child's scripted
// shell) and then ends the program.
void AddShowingForm(const QString &Marker)
{
    TRunForm page;
    page.InitForm(QStringLiteral("First"));
    page.FormFade = false;
    page.OnShowActions.Actions.append(NewAction(ctOpenRunFile, Marker));
    page.OnShowActions.Actions.append(NewAction(ctExit));
    auto data = std::make_unique<TFormData>();
    data->FormName = QStringLiteral("Form1");
    QVERIFY(page.SaveFormData(data.get()));
    RunProject.Forms.push_back(std::move(data));
}

} // namespace

class TestRuntimeStart : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        InitAppDef();
        QVERIFY(m_dir.isValid());
    }

    void init() { ResetProject(false, atNormal); }

    void builtProgramPlays_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<bool>("shown");
        QTest::newRow("first form shows, its list exits") << "form" << true;
        QTest::newRow("exit start action skips the rest") << "start exit" << false;
        QTest::newRow("no forms, nothing open") << "no forms" << false;
    }

    // A built program (project appended to a copy of the real binary) run as a child.
    void builtProgramPlays()
    {
        QFETCH(QString, setup);
        QFETCH(bool, shown);
        RunProject.AppTitle = QStringLiteral("Built");
        if (setup != QLatin1String("no forms"))
            AddShowingForm(QStringLiteral("shown-marker"));
        if (setup == QLatin1String("start exit")) {
            RunProject.OnStartActions.Actions.append(NewAction(ctExit));
            RunProject.OnStartActions.Actions.append(NewAction(ctOpenRunFile, QStringLiteral("start-marker")));
        }

        QTemporaryDir home;
        const QString copy = CopyProgram(m_dir.path(), QStringLiteral("Built"));
        QVERIFY(!copy.isEmpty());
        QVERIFY(AppendProjectToExe(copy, QString()));
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("HOME"), home.path());
        env.insert(QStringLiteral("XDG_DATA_HOME"), home.path() + QStringLiteral("/data"));
        env.insert(QStringLiteral("ZANDROVEL_TEST_UI"), home.path() + QStringLiteral("/ui.log"));
        process.setProcessEnvironment(env);
        process.start(copy, {});
        QVERIFY(process.waitForFinished(30000));
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), 0);
        const QByteArray log = ReadFileBytes(home.path() + QStringLiteral("/ui.log"));
        QCOMPARE(log.contains("shown-marker"), shown);
        QVERIFY(!log.contains("start-marker"));
    }

private:
    QTemporaryDir m_dir;
};

QTEST_MAIN(TestRuntimeStart)
#include "tst_runtime_start.moc"
