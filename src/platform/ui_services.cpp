#include "platform/ui_services.h"

#include <QApplication>
#include <QWidget>

#include "platform/qt_ui_services.h"

namespace {
TUiServices *gInstalled = nullptr;

TUiServices &QtServices()
{
    static TQtUiServices services;
    return services;
}
} // namespace

TUiServices &UiServices()
{
    return gInstalled ? *gInstalled : QtServices();
}

void SetUiServices(TUiServices *services)
{
    gInstalled = services;
}

QWidget *DialogParent()
{
    return QApplication::activeModalWidget() ? QApplication::activeModalWidget() : QApplication::activeWindow();
}
