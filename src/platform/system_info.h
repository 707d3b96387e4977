// Queries of the system the program runs on, as the value language's global tokens read
// them.
#pragma once

#include <QString>

// The system's version: Text is major, minor and build number joined by "."; here the
// kernel release's first three numbers. False when the query fails.
bool GetWindowsVersion(QString &Text, int &Major, int &Minor, int &Build);
// True only for a 32-bit process emulated on a 64-bit system, which never happens here.
bool IsWow64Windows();
// The name of the process's user; an empty text when the query fails.
QString GetLoggedOnUserName();
