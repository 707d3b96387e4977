#include <QApplication>
#include <QEventLoop>
#include <QLabel>
#include <QScreen>
#include <QTimer>
#include <QtTest>

#include "core/shell_execute.h"
#include "platform/graphics/color.h"
#include "platform/scripted_ui_services.h"

namespace {
// Answers shell requests from a queue of result codes: ShellExecute returns them as they are,
// the waiting call succeeds for 33 and fails with any other code.
struct ShellScript
{
    TScriptedUiServices Ui;
    QList<int> Results;
    QString Executable;

    ShellScript()
    {
        Ui.ShellHandler = [this](const QString &, const QString &, const QString &, const QString &, int) {
            return Results.takeFirst();
        };
        Ui.ShellWaitHandler = [this](const QString &, const QString &, const QString &, const QString &, int,
                                     int &code) {
            code = Results.takeFirst();
            return code == 33;
        };
        Ui.FindExecutableHandler = [this](const QString &, const QString &) { return Executable; };
    }

    QList<TUiCall> ShellCalls(bool wait) const
    {
        return Ui.CallsOf(wait ? QStringLiteral("ShellExecuteAndWait") : QStringLiteral("ShellExecute"));
    }
};

const QString kFileNotFound = QStringLiteral("The specified file was not found.");
const QString kNoAssociation = QStringLiteral("There is no application associated with the given filename extension.");
} // namespace

class TestShellExecute : public QObject
{
    Q_OBJECT

private slots:
    void errorTexts_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("text");
        QTest::newRow("0") << 0 << "The operating system is out of memory or resources.";
        QTest::newRow("2") << 2 << "The specified file was not found.";
        QTest::newRow("3") << 3 << "The specified path was not found.";
        QTest::newRow("5") << 5 << "The operating system denied access to the specified file.";
        QTest::newRow("8") << 8 << "There was not enough memory to complete the operation.";
        QTest::newRow("11") << 11 << "The .EXE file is invalid (non-Win32 .EXE or error in .EXE image).";
        QTest::newRow("26") << 26 << "A sharing violation occurred.";
        QTest::newRow("27") << 27 << "The filename association is incomplete or invalid.";
        QTest::newRow("28") << 28 << "The DDE transaction could not be completed because the request timed out.";
        QTest::newRow("29") << 29 << "The DDE transaction failed.";
        QTest::newRow("30") << 30
                            << "The DDE transaction could not be completed because other DDE transactions were being "
                               "processed.";
        QTest::newRow("31") << 31 << "There is no application associated with the given filename extension.";
        QTest::newRow("32") << 32 << "The specified dynamic-link library was not found.";
        QTest::newRow("1 unlisted") << 1 << "Operation Error";
        QTest::newRow("33 success code") << 33 << "Operation Error";
        QTest::newRow("1155 system error") << 1155 << "Operation Error";
    }

    void errorTexts()
    {
        QFETCH(int, code);
        QFETCH(QString, text);
        QCOMPARE(ShellExecuteErrorText(code), text);
    }

    // Results are consumed in call order; secondFile/secondParams describe the fallback call.
    void executeWithErrors_data()
    {
        QTest::addColumn<QString>("verb");
        QTest::addColumn<bool>("wait");
        QTest::addColumn<QList<int>>("results");
        QTest::addColumn<QString>("executable");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("lookups");
        QTest::addColumn<QString>("secondParams");

        const QString viewer = QStringLiteral("/opt/viewer/view");
        const QString quoted = QStringLiteral("\"/docs/my notes.txt\"");
        QTest::newRow("document falls back to its program")
            << "open" << false << QList<int>{31, 42} << viewer << true << QString() << 1 << quoted;
        QTest::newRow("verb compared in lower case")
            << "Open" << false << QList<int>{31, 42} << viewer << true << QString() << 1 << quoted;
        QTest::newRow("fallback fails too")
            << "open" << false << QList<int>{31, 5} << viewer << false
            << "The operating system denied access to the specified file." << 1 << quoted;
        QTest::newRow("no program for the document")
            << "open" << false << QList<int>{31} << QString() << false << kNoAssociation << 1 << QString();
        QTest::newRow("other verbs do not fall back")
            << "print" << false << QList<int>{31} << viewer << false << kNoAssociation << 0 << QString();
        QTest::newRow("missing file")
            << "open" << false << QList<int>{2} << viewer << false << kFileNotFound << 0 << QString();
        QTest::newRow("success") << "open" << false << QList<int>{42} << viewer << true << QString() << 0 << QString();

        QTest::newRow("wait: success") << "open" << true << QList<int>{33} << viewer << true << QString() << 0
                                       << QString();
        QTest::newRow("wait: system error 2")
            << "open" << true << QList<int>{2} << viewer << false << kFileNotFound << 0 << QString();
        QTest::newRow("wait: no association, no program")
            << "open" << true << QList<int>{1155} << QString() << false << "Operation Error" << 1 << QString();
        QTest::newRow("wait: no association falls back")
            << "OPEN" << true << QList<int>{1155, 33} << viewer << true << QString() << 1 << quoted;
        QTest::newRow("wait: shell code 31 is no association code")
            << "open" << true << QList<int>{31} << viewer << false << kNoAssociation << 0 << QString();
    }

    void executeWithErrors()
    {
        QFETCH(QString, verb);
        QFETCH(bool, wait);
        QFETCH(QList<int>, results);
        QFETCH(QString, executable);
        QFETCH(bool, ok);
        QFETCH(QString, message);
        QFETCH(int, lookups);
        QFETCH(QString, secondParams);

        ShellScript script;
        script.Results = results;
        script.Executable = executable;
        const QString document = QStringLiteral("/docs/my notes.txt");
        QCOMPARE(ShellExecuteWithErrors(verb, document, QStringLiteral("-x"), QString(), SW_SHOWNORMAL, wait), ok);

        QVERIFY(script.Results.isEmpty()); // every scripted result was asked for
        QCOMPARE(script.Ui.CallsOf(QStringLiteral("FindExecutable")).size(), lookups);
        const QList<TUiCall> calls = script.ShellCalls(wait);
        QCOMPARE(calls.size(), results.size());
        QCOMPARE(calls[0].Text, document);
        QCOMPARE(calls[0].Caption, verb);
        QCOMPARE(calls[0].Args[0], QStringLiteral("-x"));
        if (wait) // the document's folder is the working folder
            QCOMPARE(calls[0].Args[1], QStringLiteral("/docs"));
        if (calls.size() > 1) {
            QCOMPARE(calls[1].Caption, QStringLiteral("open"));
            QCOMPARE(calls[1].Text, executable);
            QCOMPARE(calls[1].Args[0], secondParams);
        }

        const QList<TUiCall> boxes = script.Ui.CallsOf(QStringLiteral("MessageBox"));
        if (message.isEmpty()) {
            QVERIFY(boxes.isEmpty());
        } else {
            QCOMPARE(boxes.size(), 1);
            QCOMPARE(boxes[0].Text, message);
            QCOMPARE(boxes[0].Caption, QStringLiteral("Error"));
            QCOMPARE(boxes[0].Flags, unsigned(MB_OK | MB_ICONERROR));
        }
    }

    void shellExecuteAndWaitFolders_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QString>("directory");
        QTest::addColumn<QString>("passedFile");
        QTest::addColumn<QString>("passedDirectory");
        const QString cwd = QDir::currentPath();
        QTest::newRow("folder of the file") << "/data/run.sh" << "" << "/data/run.sh" << "/data";
        QTest::newRow("directory given") << "/data/run.sh" << "/work" << "/data/run.sh" << "/work";
        QTest::newRow("bare name") << "run.sh" << "" << "run.sh" << "";
        QTest::newRow("relative with folder")
            << "sub/run.sh" << "" << cwd + "/sub/run.sh" << cwd + "/sub";
    }

    void shellExecuteAndWaitFolders()
    {
        QFETCH(QString, fileName);
        QFETCH(QString, directory);
        QFETCH(QString, passedFile);
        QFETCH(QString, passedDirectory);
        ShellScript script;
        script.Results = {33};
        int code = -1;
        QVERIFY(ShellExecuteAndWait(QStringLiteral("open"), fileName, QStringLiteral("a b"), directory, SW_HIDE,
                                    true, true, code));
        QCOMPARE(code, 33);
        const TUiCall call = script.ShellCalls(true).value(0);
        QCOMPARE(call.Text, passedFile);
        QCOMPARE(call.Args, (QStringList{QStringLiteral("a b"), passedDirectory}));
        QCOMPARE(call.Flags, unsigned(SW_HIDE));
    }

    void shellExecuteAndWaitFailure()
    {
        ShellScript script;
        script.Results = {1155};
        int code = 0;
        QVERIFY(!ShellExecuteAndWait(QStringLiteral("open"), QStringLiteral("/d/a.xyz"), QString(), QString(),
                                     SW_SHOWNORMAL, true, true, code));
        QCOMPARE(code, 1155);
    }

    void waitWindowLayout()
    {
        TDoInstShellExecForm form;
        QVERIFY(form.windowFlags().testFlag(Qt::FramelessWindowHint));
        QCOMPARE(form.size(), QSize(207, 30));
        QCOMPARE(qRound(form.windowOpacity() * 255), 200);
        QCOMPARE(form.palette().color(QPalette::Window), ColorToQColor(clBtnFace));
        QVERIFY(form.autoFillBackground());
        QCOMPARE(form.Label1->text(), QStringLiteral("Please Wait..."));
        QCOMPARE(form.Label1->pos(), QPoint(64, 8));
        QVERIFY(form.Label1->font().bold());
        QCOMPARE(form.Timer1->interval(), 10);
        QVERIFY(!form.Timer1->isActive());
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        QVERIFY(qAbs(form.geometry().center().x() - screen.center().x()) <= 1);
        QVERIFY(qAbs(form.geometry().center().y() - screen.center().y()) <= 1);
    }

    // The window runs the call once shown, keeps the event loop going while the call waits,
    // ignores Escape meanwhile, and closes when the call returns.
    void waitWindowRunsCall()
    {
        TScriptedUiServices ui;
        int ticks = 0;
        QTimer elsewhere;
        elsewhere.setInterval(5);
        QObject::connect(&elsewhere, &QTimer::timeout, [&ticks] { ++ticks; });
        elsewhere.start();

        bool visibleDuringCall = false;
        bool visibleAfterEscape = false;
        int ticksBefore = -1;
        ui.ShellWaitHandler = [&](const QString &, const QString &, const QString &, const QString &, int,
                                  int &code) {
            auto *form = qobject_cast<TDoInstShellExecForm *>(QApplication::activeModalWidget());
            visibleDuringCall = form && form->isVisible() && !form->Timer1->isActive();
            ticksBefore = ticks;
            if (form)
                QTest::keyClick(form, Qt::Key_Escape);
            QEventLoop loop;
            QTimer::singleShot(100, &loop, &QEventLoop::quit);
            loop.exec();
            visibleAfterEscape = form && form->isVisible();
            code = 5;
            return false;
        };

        TDoInstShellExecForm form;
        int code = 0;
        QVERIFY(!form.DoWaitExec(QStringLiteral("open"), QStringLiteral("/bin/tool"), QStringLiteral("-q"), code,
                                 SW_SHOWMINIMIZED, QStringLiteral("/tmp")));
        QCOMPARE(code, 5);
        QVERIFY(visibleDuringCall);
        QVERIFY(visibleAfterEscape);
        QVERIFY(ticks - ticksBefore >= 5); // the other timer fired during the 100 ms wait
        QVERIFY(!form.isVisible());
        const QList<TUiCall> calls = ui.CallsOf(QStringLiteral("ShellExecuteAndWait"));
        QCOMPARE(calls.size(), 1);
        QCOMPARE(calls[0].Caption, QStringLiteral("open"));
        QCOMPARE(calls[0].Text, QStringLiteral("/bin/tool"));
        QCOMPARE(calls[0].Args, (QStringList{QStringLiteral("-q"), QStringLiteral("/tmp")}));
        QCOMPARE(calls[0].Flags, unsigned(SW_SHOWMINIMIZED));
    }

    void runWithWaitWindowSucceeds()
    {
        TScriptedUiServices ui;
        ui.ShellWaitHandler = [](const QString &, const QString &, const QString &, const QString &, int,
                                 int &code) {
            code = 0; // the window reports 33 for any successful call
            return true;
        };
        int code = 0;
        QVERIFY(RunWithWaitWindow(QStringLiteral("open"), QStringLiteral("/bin/tool"), QString(), code, SW_SHOW,
                                  QString()));
        QCOMPARE(code, 33);
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
    }
};

QTEST_MAIN(TestShellExecute)
#include "tst_shell_execute.moc"
