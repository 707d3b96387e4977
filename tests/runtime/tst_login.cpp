#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "core/project_model.h"
#include "platform/scripted_ui_services.h"
#include "platform/vcl/stdctrls.h"
#include "runtime/login.h"

namespace {

TLoginForm *OpenLoginForm()
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        auto *form = qobject_cast<TLoginForm *>(window);
        if (form && form->isVisible())
            return form;
    }
    return nullptr;
}

// One attempt: "user|password" typed into the fields, then a key: "click" (the OK button
// by mouse), "enter" or "escape".
using TAttempts = QStringList;

// Runs the login with the attempts played into its window; records what the window showed.
bool PlayLogin(const TAttempts &Attempts, QStringList &Shown, int &AttemptsLeft)
{
    AttemptsLeft = -1;
    QTimer::singleShot(0, [&] {
        TLoginForm *form = OpenLoginForm();
        if (!form)
            return;
        Shown << form->windowTitle() << form->Label3->Caption() << form->Label1->Caption()
              << form->Label2->Caption() << form->Button1->Caption() << form->Button2->Caption()
              << (form->Edit2->isVisible() ? "password shown" : "password hidden");
        int i = 0;
        for (; i < Attempts.size() && form->isVisible(); ++i) {
            const QStringList parts = Attempts.at(i).split(QLatin1Char('|'));
            form->Edit1->SetText(parts.value(0));
            form->Edit2->SetText(parts.value(1));
            const QString key = parts.value(2, QStringLiteral("click"));
            if (key == QLatin1String("enter"))
                QTest::keyClick(form->Edit1->Editor(), Qt::Key_Return);
            else if (key == QLatin1String("escape"))
                QTest::keyClick(form->Edit1->Editor(), Qt::Key_Escape);
            else
                QTest::mouseClick(form->Button1->Button(), Qt::LeftButton);
        }
        AttemptsLeft = Attempts.size() - i;
        if (form->isVisible())
            form->close(); // the test's own way out: closing leaves Ok False
    });
    return RunLogin();
}

} // namespace

class TestLogin : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        ResetProject(false, atNormal);
        RunProject.AppTitle = QStringLiteral("Shop");
        RunProject.SecurityType = stUser;
        RunProject.SecurityUserAuthList = QStringLiteral("Gardenia,Tulipfox\r\nRose , sun flower\r\nTab,\tx");
        RunProject.SecurityErrorMessage = QStringLiteral("Wrong.");
    }

    void noWindowWhenNotAsked_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("list");
        QTest::newRow("no security") << int(stNone) << "a,b";
        QTest::newRow("user, empty list") << int(stUser) << "";
        QTest::newRow("code, empty list") << int(stAuthentication) << "";
    }

    void noWindowWhenNotAsked()
    {
        QFETCH(int, type);
        QFETCH(QString, list);
        RunProject.SecurityType = TSecurityType(type);
        RunProject.SecurityUserAuthList = list;
        bool opened = false;
        QTimer::singleShot(0, [&] {
            if (TLoginForm *form = OpenLoginForm()) {
                opened = true;
                form->close();
            }
        });
        QVERIFY(RunLogin());
        QTest::qWait(5);
        QVERIFY(!opened);
    }

    void attempts_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<TAttempts>("attempts");
        QTest::addColumn<bool>("result");
        QTest::addColumn<int>("messages");
        QTest::addColumn<int>("attemptsLeft");

        QTest::newRow("accepted") << int(stUser) << TAttempts{"Gardenia|Tulipfox"} << true << 0 << 0;
        QTest::newRow("blanks removed on both sides")
            << int(stUser) << TAttempts{" Rose|sunflower "} << true << 0 << 0;
        QTest::newRow("user name case counts")
            << int(stUser) << TAttempts{"gardenia|Tulipfox", "|x|escape"} << false << 1 << 0;
        QTest::newRow("tabs are not removed") << int(stUser) << TAttempts{"Tab|x", "Tab|\tx"} << true << 1 << 0;
        QTest::newRow("enter presses OK") << int(stUser) << TAttempts{"Gardenia|Tulipfox|enter"} << true << 0 << 0;
        QTest::newRow("escape cancels") << int(stUser) << TAttempts{"Gardenia|Tulipfox|escape"} << false << 0 << 0;
        QTest::newRow("refused three times")
            << int(stUser) << TAttempts{"a|b", "c|d", "e|f", "Gardenia|Tulipfox"} << false << 3 << 1;
        QTest::newRow("empty user field does not count")
            << int(stUser) << TAttempts{"|x", "a|b", "|y", "c|d", "Gardenia|Tulipfox"} << true << 2 << 0;
        QTest::newRow("code alone, no comma")
            << int(stAuthentication) << TAttempts{"Gardenia,Tulipfox|ignored"} << true << 0 << 0;
        QTest::newRow("code does not match a user line")
            << int(stAuthentication) << TAttempts{"Gardenia|Tulipfox", "|x|escape"} << false << 1 << 0;
    }

    void attempts()
    {
        QFETCH(int, type);
        QFETCH(TAttempts, attempts);
        QFETCH(bool, result);
        QFETCH(int, messages);
        QFETCH(int, attemptsLeft);
        RunProject.SecurityType = TSecurityType(type);
        TScriptedUiServices ui;
        QStringList shown;
        int left = -1;
        QCOMPARE(PlayLogin(attempts, shown, left), result);
        QCOMPARE(left, attemptsLeft);
        QCOMPARE(ui.Calls.size(), messages);
        for (const TUiCall &call : ui.Calls) {
            QCOMPARE(call.Kind, QStringLiteral("MessageBox"));
            QCOMPARE(call.Text, QStringLiteral("Wrong."));
            QCOMPARE(call.Caption, QStringLiteral("Shop"));
            QCOMPARE(call.Flags, unsigned(MB_OK | MB_ICONINFORMATION));
        }
        QCOMPARE(shown.last(), type == stUser ? QStringLiteral("password shown") : QStringLiteral("password hidden"));
    }

    void textsComeFromTheProject()
    {
        RunProject.SecurityTitle = QStringLiteral("Sign in");
        RunProject.SecurityUserAuthLabel = QString();
        RunProject.SecurityPasswordLabel = QStringLiteral("Secret:");
        RunProject.SecurityOKButtonCaption = QStringLiteral("Go");
        RunProject.SecurityCancelButtonCaption = QString(); // keeps "&Cancel"
        QStringList shown;
        int left = 0;
        QVERIFY(PlayLogin({"Gardenia|Tulipfox"}, shown, left));
        QCOMPARE(shown, QStringList({"Shop", "Sign in", "", "Secret:", "Go", "&Cancel", "password shown"}));
    }
};

QTEST_MAIN(TestLogin)
#include "tst_login.moc"
