#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "platform/exception_boundary.h"
#include "platform/qt_ui_services.h"
#include "platform/rtl/sysutils.h"
#include "platform/scripted_ui_services.h"

namespace {
// Presses a button of the next message box that opens; records what it showed.
struct BoxPresser
{
    QMessageBox::StandardButton Press = QMessageBox::NoButton;
    QString Caption, Text;
    QMessageBox::Icon Icon = QMessageBox::NoIcon;
    int ButtonCount = 0;
    bool Escape = false;

    void Arm()
    {
        QTimer::singleShot(0, [this] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            QVERIFY(box);
            Caption = box->windowTitle();
            Text = box->text();
            Icon = box->icon();
            ButtonCount = int(box->buttons().size());
            if (Escape)
                box->reject();
            else
                box->button(Press)->click();
        });
    }
};
} // namespace

class TestUiServices : public QObject
{
    Q_OBJECT

private slots:
    void messageBoxAnswers_data()
    {
        QTest::addColumn<unsigned>("flags");
        QTest::addColumn<int>("press");
        QTest::addColumn<bool>("escape");
        QTest::addColumn<int>("buttons");
        QTest::addColumn<int>("answer");
        QTest::newRow("ok") << unsigned(MB_OK | MB_ICONERROR) << int(QMessageBox::Ok) << false << 1 << int(IDOK);
        QTest::newRow("yes") << unsigned(MB_YESNO | MB_ICONQUESTION) << int(QMessageBox::Yes) << false << 2 << int(IDYES);
        QTest::newRow("no") << unsigned(MB_YESNO) << int(QMessageBox::No) << false << 2 << int(IDNO);
        QTest::newRow("cancel of three") << unsigned(MB_YESNOCANCEL) << int(QMessageBox::Cancel) << false << 3 << int(IDCANCEL);
        QTest::newRow("retry") << unsigned(MB_RETRYCANCEL) << int(QMessageBox::Retry) << false << 2 << int(IDRETRY);
        QTest::newRow("escape cancels") << unsigned(MB_OKCANCEL) << 0 << true << 2 << int(IDCANCEL);
    }

    void messageBoxAnswers()
    {
        QFETCH(unsigned, flags);
        QFETCH(int, press);
        QFETCH(bool, escape);
        QFETCH(int, buttons);
        QFETCH(int, answer);
        TQtUiServices services;
        BoxPresser presser;
        presser.Press = QMessageBox::StandardButton(press);
        presser.Escape = escape;
        presser.Arm();
        QCOMPARE(services.MessageBox(QStringLiteral("Body"), QStringLiteral("Caption"), flags), answer);
        QCOMPARE(presser.Caption, QStringLiteral("Caption"));
        QCOMPARE(presser.Text, QStringLiteral("Body"));
        QCOMPARE(presser.ButtonCount, buttons);
    }

    void messageBoxIcons()
    {
        TQtUiServices services;
        const QList<QPair<unsigned, QMessageBox::Icon>> icons = {
            {MB_ICONERROR, QMessageBox::Critical}, {MB_ICONINFORMATION, QMessageBox::Information},
            {MB_ICONQUESTION, QMessageBox::Question}, {MB_ICONWARNING, QMessageBox::Warning}};
        for (const auto &[flag, icon] : icons) {
            BoxPresser presser;
            presser.Press = QMessageBox::Ok;
            presser.Arm();
            services.MessageBox(QStringLiteral("x"), QStringLiteral("y"), MB_OK | flag);
            QCOMPARE(presser.Icon, icon);
        }
    }

    void filterConversion()
    {
        QCOMPARE(FilterToQtFilter(QStringLiteral("Zandrovel Projects|*.zvprj|All files|*.*")),
                 QStringLiteral("Zandrovel Projects (*.zvprj);;All files (*.*)"));
        QCOMPARE(FilterToQtFilter(QStringLiteral("Pictures|*.png;*.jpg")), QStringLiteral("Pictures (*.png *.jpg)"));
    }

    void scriptedDoubleAnswersAndRestores()
    {
        TUiServices *before = &UiServices();
        {
            TScriptedUiServices ui;
            QCOMPARE(&UiServices(), static_cast<TUiServices *>(&ui));
            ui.MessageAnswers << IDNO;
            QCOMPARE(UiServices().MessageBox("a", "b", MB_YESNO), int(IDNO));
            QCOMPARE(UiServices().MessageBox("c", "d", MB_YESNO), int(IDYES)); // default: first button
            TFileDialogRequest request;
            QVERIFY(!UiServices().OpenFileDialog(request));
            ui.FileAnswers << QStringLiteral("/tmp/x.zvprj");
            QVERIFY(UiServices().OpenFileDialog(request));
            QCOMPARE(request.FileName, QStringLiteral("/tmp/x.zvprj"));
            QCOMPARE(ui.Messages(), (QStringList{"a", "c"}));
        }
        QCOMPARE(&UiServices(), before);
    }

    void exceptionInEventHandlerIsShownOnce()
    {
        TScriptedUiServices ui;
        TZvApplication::SetTitle(QStringLiteral("My Program"));
        bool restRan = false;
        bool laterRan = false;
        QTimer::singleShot(0, [&] {
            throw Exception(QStringLiteral("Something failed"));
            restRan = true;
        });
        QTimer::singleShot(5, [&] { laterRan = true; });
        QTRY_VERIFY(laterRan); // the event loop goes on after the error
        QVERIFY(!restRan);
        QCOMPARE(ui.Messages(), QStringList{QStringLiteral("Something failed.")});
        QCOMPARE(ui.Calls.first().Caption, QStringLiteral("My Program"));
        QCOMPARE(ui.Calls.first().Flags, unsigned(MB_OK | MB_ICONERROR));
    }

    void guardedCall()
    {
        TScriptedUiServices ui;
        QVERIFY(GuardedCall([] {}));
        QVERIFY(!GuardedCall([] { RaiseOSError(2); }));
        QCOMPARE(ui.Messages(), QStringList{SysErrorMessage(2) + QLatin1Char('.')});
    }
};

int main(int argc, char **argv)
{
    TZvApplication app(argc, argv);
    TestUiServices test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_ui_services.moc"
