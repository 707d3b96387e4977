#include "core/error_reporting.h"

#include <QCoreApplication>
#include <QThread>

#include "core/globals.h"
#include "core/project_model.h"
#include "platform/rtl/sysutils.h"
#include "platform/ui_services.h"

namespace {

// Message boxes belong to the UI thread; web sessions run their work on other threads.
// Without an application object (some tests) the caller counts as the UI thread.
bool OnUiThread()
{
    const QCoreApplication *app = QCoreApplication::instance();
    return app == nullptr || QThread::currentThread() == app->thread();
}

bool MessagesAllowed()
{
    return StorageMessagesShown() && OnUiThread();
}

QString ErrorCodeSuffix(int errorCode, int placeCode)
{
    return QStringLiteral(" (Error Code: ") + QString::number(errorCode) + QLatin1Char('/')
           + QString::number(placeCode) + QStringLiteral(").");
}

} // namespace

bool StorageMessagesShown()
{
    return DesignerMode || RunProject.ApplicationType == atNormal;
}

void ShowErrorMessage(const QString &Text)
{
    if (MessagesAllowed())
        UiServices().MessageBox(Text, QStringLiteral("Error"), MB_OK | MB_ICONERROR);
}

void ShowLastError(int PlaceCode)
{
    const int error = GetLastError();
    ShowErrorMessage(SysErrorMessage(error) + ErrorCodeSuffix(error, PlaceCode));
}

void ShowFileError(int PlaceCode, const QString &FileName)
{
    const int error = GetLastError();
    ShowErrorMessage(QLatin1Char('"') + FileName + QStringLiteral("\", ") + SysErrorMessage(error)
                     + ErrorCodeSuffix(error, PlaceCode));
}

void ShowDataVersionError()
{
    if (MessagesAllowed())
        UiServices().MessageBox(QStringLiteral("Invalid data, maybe software version problem."),
                                QStringLiteral("Data Error"), MB_OK | MB_ICONINFORMATION);
}
