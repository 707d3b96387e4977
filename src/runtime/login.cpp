#include "runtime/login.h"

#include <QApplication>
#include <QLabel>
#include <QScreen>

#include "core/project_model.h"
#include "platform/rtl/strings.h"
#include "platform/ui_services.h"
#include "platform/vcl/stdctrls.h"

namespace {

template <typename T>
T *Place(T *control, int left, int top, int width, int height)
{
    control->SetBounds(left, top, width, height);
    return control;
}

TLabel *NewLabel(QWidget *parent, int left, int top, const QString &caption)
{
    auto *label = new TLabel(parent);
    label->SetCaption(caption);
    label->SetBounds(left, top, label->Width(), label->Height());
    return label;
}

} // namespace

TLoginForm::TLoginForm(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowCloseButtonHint)
{
    setFixedSize(505, 155);
    Image1 = new QLabel(this);
    Image1->setGeometry(32, 24, 32, 32);
    Label3 = NewLabel(this, 88, 24, QStringLiteral("Login"));
    Label1 = NewLabel(this, 88, 64, QStringLiteral("User Name:"));
    Edit1 = Place(new TEdit(this), 176, 61, 185, 21);
    Label2 = NewLabel(this, 88, 109, QStringLiteral("Password:"));
    Edit2 = Place(new TEdit(this), 176, 103, 185, 21);
    Edit2->SetPasswordChar(QLatin1Char('*'));
    Button1 = Place(new TButton(this), 384, 59, 89, 25);
    Button1->SetCaption(QStringLiteral("&OK"));
    Button1->SetDefault(true);
    Button2 = Place(new TButton(this), 384, 99, 89, 25);
    Button2->SetCaption(QStringLiteral("&Cancel"));
    Button2->SetCancel(true);
    Button1->OnClick = [this](QObject *) { Button1Click(); };
    Button2->OnClick = [this](QObject *) { Button2Click(); };
}

bool TLoginForm::DoLogin()
{
    const TRunProject &p = RunProject;
    setWindowTitle(p.AppTitle);
    Label3->SetCaption(p.SecurityTitle);
    Label1->SetCaption(p.SecurityUserAuthLabel);
    Label2->SetCaption(p.SecurityPasswordLabel);
    if (!p.SecurityOKButtonCaption.isEmpty())
        Button1->SetCaption(p.SecurityOKButtonCaption);
    if (!p.SecurityCancelButtonCaption.isEmpty())
        Button2->SetCaption(p.SecurityCancelButtonCaption);
    if (p.SecurityType == stAuthentication) {
        Label2->hide();
        Edit2->hide();
    }
    TStringList lines;
    lines.SetText(p.SecurityUserAuthList);
    UserList.clear();
    for (int i = 0; i < lines.Count(); ++i)
        UserList.append(lines.Strings(i));
    Image1->setPixmap(QApplication::windowIcon().pixmap(32, 32));
    ErrorCount = 0;
    Ok = false;

    // Centred on the screen.
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
    Edit1->setFocus();
    exec();
    return Ok;
}

void TLoginForm::Button1Click()
{
    if (Edit1->Text().isEmpty())
        return;
    QString entry = Edit1->Text();
    if (RunProject.SecurityType == stUser)
        entry += QLatin1Char(',') + Edit2->Text();
    // Only spaces are ignored, on both sides; tabs and other white space count.
    entry.remove(QLatin1Char(' '));
    for (const QString &line : UserList) {
        if (QString(line).remove(QLatin1Char(' ')) == entry) {
            Ok = true;
            accept();
            return;
        }
    }
    UiServices().MessageBox(RunProject.SecurityErrorMessage, windowTitle(), MB_OK | MB_ICONINFORMATION);
    ++ErrorCount;
    if (ErrorCount > 2)
        reject();
}

void TLoginForm::Button2Click()
{
    reject();
}

bool RunLogin()
{
    const TRunProject &p = RunProject;
    if ((p.SecurityType != stUser && p.SecurityType != stAuthentication) || p.SecurityUserAuthList.isEmpty())
        return true;
    TLoginForm form;
    return form.DoLogin();
}
