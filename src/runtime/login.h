// The login window of a built program: asks for a user name and password (or a code alone)
// and checks them against the project's accepted entries.
#pragma once

#include <QDialog>
#include <QStringList>

class QLabel;
class TButton;
class TEdit;
class TLabel;

class TLoginForm : public QDialog
{
    Q_OBJECT

public:
    explicit TLoginForm(QWidget *parent = nullptr);

    // Sets the window up from the project, shows it modally and returns Ok.
    bool DoLogin();

    void Button1Click();
    void Button2Click();

    QLabel *Image1 = nullptr;
    TLabel *Label1 = nullptr;
    TLabel *Label2 = nullptr;
    TLabel *Label3 = nullptr;
    TEdit *Edit1 = nullptr;
    TEdit *Edit2 = nullptr;
    TButton *Button1 = nullptr;
    TButton *Button2 = nullptr;

    QStringList UserList; // the accepted entries, one per line
    int ErrorCount = 0;   // rejected attempts
    bool Ok = false;      // an entry matched
};

// True at once when the project asks for no login or accepts no entries; otherwise the
// result of the login window.
bool RunLogin();
