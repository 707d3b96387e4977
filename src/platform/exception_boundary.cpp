#include "platform/exception_boundary.h"

#include "platform/rtl/sysutils.h"
#include "platform/ui_services.h"

void ShowException(const std::exception &error)
{
    QString text;
    if (const auto *exception = dynamic_cast<const Exception *>(&error))
        text = exception->Message();
    else
        text = QString::fromLocal8Bit(error.what());
    if (!text.isEmpty() && !text.endsWith(QLatin1Char('.')))
        text += QLatin1Char('.');
    UiServices().MessageBox(text, TZvApplication::Title(), MB_OK | MB_ICONERROR);
}

bool GuardedCall(const std::function<void()> &handler)
{
    try {
        handler();
        return true;
    } catch (const std::exception &error) {
        ShowException(error);
    } catch (...) {
        ShowException(Exception(QStringLiteral("Unknown error")));
    }
    return false;
}

TZvApplication::TZvApplication(int &argc, char **argv)
    : QApplication(argc, argv)
{
}

namespace {
QString gApplicationTitle;
}

QString TZvApplication::Title()
{
    return gApplicationTitle;
}

void TZvApplication::SetTitle(const QString &title)
{
    gApplicationTitle = title;
}

bool TZvApplication::notify(QObject *receiver, QEvent *event)
{
    bool handled = false;
    GuardedCall([&] { handled = QApplication::notify(receiver, event); });
    return handled;
}
