#include "core/app_hooks.h"

#include "platform/exception_boundary.h"

void SetApplicationTitle(const QString &Title)
{
    TZvApplication::SetTitle(Title);
}

void IgnoreInDesigner()
{
}
