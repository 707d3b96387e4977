#include "platform/system_info.h"

#include <pwd.h>
#include <sys/utsname.h>
#include <unistd.h>

#include <QRegularExpression>

bool GetWindowsVersion(QString &Text, int &Major, int &Minor, int &Build)
{
    utsname name {};
    if (uname(&name) != 0)
        return false;
    // "6.1.0-18-amd64": the leading dotted numbers; missing ones count as 0.
    static const QRegularExpression pattern(QStringLiteral("^(\\d+)(?:\\.(\\d+))?(?:\\.(\\d+))?"));
    const QRegularExpressionMatch match = pattern.match(QString::fromLocal8Bit(name.release));
    if (!match.hasMatch())
        return false;
    Major = match.captured(1).toInt();
    Minor = match.captured(2).toInt();
    Build = match.captured(3).toInt();
    Text = QStringLiteral("%1.%2.%3").arg(Major).arg(Minor).arg(Build);
    return true;
}

bool IsWow64Windows()
{
    return false;
}

QString GetLoggedOnUserName()
{
    const passwd *entry = getpwuid(geteuid());
    if (!entry || !entry->pw_name)
        return QString();
    return QString::fromLocal8Bit(entry->pw_name).left(1024);
}
