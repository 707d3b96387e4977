#include "designer/main_form.h"

#include "app/app_def.h"

TMainForm::TMainForm(QWidget *parent)
    : QMainWindow(parent)
{
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(AppDef.AppTitle);
    resize(1024, 700);
}
