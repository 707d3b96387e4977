// The window of a web stand-alone program: it hosts the web server, shows a tray icon with
// a balloon naming the port, and hides itself into the tray when there is one. Closing it
// (or "Shut Down..." in the tray menu, or SIGTERM/SIGINT) ends the program.
#pragma once

#include <QWidget>
#include <memory>

class QAction;
class QMenu;
class QSystemTrayIcon;
class QTimer;
class TIWServerController;

class TWebMainForm : public QWidget
{
    Q_OBJECT

public:
    explicit TWebMainForm(QWidget *parent = nullptr);
    // Stops the server and ends every session.
    ~TWebMainForm() override;

    // Window creation: binds the listening socket first, then the caption, the tray icon
    // and its balloon, and the hiding timer; serving starts. When the port cannot be bound
    // the failure is shown in a message box and the result is False.
    bool FormCreate();

    TIWServerController *ServerController() const { return FServerController.get(); }
    // "The application server started, listening on port: " and the port.
    QString BalloonText() const;

    QSystemTrayIcon *TrayIcon1 = nullptr; // nil where the desktop has no tray
    QMenu *PopupMenu1 = nullptr;
    QAction *ShutDown2 = nullptr;
    QTimer *Timer1 = nullptr;

    void Timer1Timer();
    void Shutdown1Click();

protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    std::unique_ptr<TIWServerController> FServerController;
};

// The program's web server window; created only for a web stand-alone project.
extern TWebMainForm *WebMainForm;

// Makes SIGTERM and SIGINT close Window through the event loop (a clean shutdown).
void CloseOnTerminationSignals(QWidget *Window);
