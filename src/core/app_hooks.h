#pragma once

#include <QString>

// The application's title (task bar and message boxes).
void SetApplicationTitle(const QString &Title);

// Stands in for runtime commands that do nothing while the designer is the program.
void IgnoreInDesigner();
