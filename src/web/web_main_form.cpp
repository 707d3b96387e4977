#include "web/web_main_form.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QPointer>
#include <QScreen>
#include <QSocketNotifier>
#include <QSystemTrayIcon>
#include <QTimer>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

#include "core/project_model.h"
#include "platform/ui_services.h"
#include "web/server_controller.h"

TWebMainForm *WebMainForm = nullptr;

namespace {

int SignalPipe[2] = {-1, -1};

void OnTerminationSignal(int)
{
    const char byte = 1;
    // Only async-signal-safe work here: the event loop does the rest.
    [[maybe_unused]] const ssize_t written = ::write(SignalPipe[1], &byte, 1);
}

} // namespace

void CloseOnTerminationSignals(QWidget *Window)
{
    if (SignalPipe[0] < 0 && ::socketpair(AF_UNIX, SOCK_STREAM, 0, SignalPipe) != 0)
        return;
    auto *notifier = new QSocketNotifier(SignalPipe[0], QSocketNotifier::Read, Window);
    QPointer<QWidget> window(Window);
    QObject::connect(notifier, &QSocketNotifier::activated, Window, [window] {
        char byte = 0;
        [[maybe_unused]] const ssize_t read = ::read(SignalPipe[0], &byte, 1);
        if (window)
            window->close();
    });
    struct sigaction action = {};
    action.sa_handler = OnTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}

TWebMainForm::TWebMainForm(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setWindowTitle(QStringLiteral("Web Server"));
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(354, 73);
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSize(8);
    setFont(font);

    PopupMenu1 = new QMenu(this);
    ShutDown2 = PopupMenu1->addAction(QStringLiteral("Shut Down..."));
    connect(ShutDown2, &QAction::triggered, this, &TWebMainForm::Shutdown1Click);

    Timer1 = new QTimer(this);
    Timer1->setInterval(100);
    Timer1->setSingleShot(true);
    connect(Timer1, &QTimer::timeout, this, &TWebMainForm::Timer1Timer);
}

TWebMainForm::~TWebMainForm()
{
    if (FServerController)
        FServerController->Stop();
    if (WebMainForm == this)
        WebMainForm = nullptr;
}

QString TWebMainForm::BalloonText() const
{
    const uint32_t port = FServerController ? FServerController->Port : RunProject.WebPort;
    return QStringLiteral("The application server started, listening on port: ") + QString::number(port);
}

bool TWebMainForm::FormCreate()
{
    FServerController = std::make_unique<TIWServerController>();
    if (!FServerController->Bind()) {
        UiServices().MessageBox(FServerController->Error, QStringLiteral("Error"), MB_OK | MB_ICONERROR);
        FServerController.reset();
        return false;
    }
    FServerController->Start();

    setWindowTitle(RunProject.AppTitle);
    if (QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    if (QSystemTrayIcon::isSystemTrayAvailable()) {
        TrayIcon1 = new QSystemTrayIcon(QApplication::windowIcon(), this);
        TrayIcon1->setToolTip(RunProject.AppTitle);
        TrayIcon1->setContextMenu(PopupMenu1);
        TrayIcon1->show();
        TrayIcon1->showMessage(RunProject.AppTitle, BalloonText(), QSystemTrayIcon::Information);
        // Only the tray icon stays: the window hides itself once shown.
        Timer1->start();
    }
    CloseOnTerminationSignals(this);
    show();
    return true;
}

void TWebMainForm::Timer1Timer()
{
    Timer1->stop();
    showMinimized();
    hide();
}

void TWebMainForm::Shutdown1Click()
{
    close();
}

void TWebMainForm::closeEvent(QCloseEvent *event)
{
    event->accept();
    // A hidden window's close would not end the loop by itself.
    QCoreApplication::quit();
}

void TWebMainForm::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    // Minimising hides the window; only the tray icon stays.
    if (event->type() == QEvent::WindowStateChange && isMinimized() && TrayIcon1)
        QTimer::singleShot(0, this, &QWidget::hide);
}
