// The desktop shell on Linux: programs start through QProcess, documents, folders and
// addresses through the desktop's associations (xdg-open / .desktop files). Result codes
// follow the platform shell: above 32 is success, else 0, 2, 3, 5, 8, 11, 26..32.
#pragma once

#include <QString>

int PlatformShellExecute(const QString &verb, const QString &fileName, const QString &parameters,
                         const QString &directory, int showCmd);
bool PlatformShellExecuteAndWait(const QString &verb, const QString &fileName, const QString &parameters,
                                 const QString &directory, int showCmd, int &code);
QString PlatformFindExecutable(const QString &fileName, const QString &directory);
