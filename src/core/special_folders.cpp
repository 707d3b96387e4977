#include "core/special_folders.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>

#include "platform/paths.h"

std::array<TSpecialFolderInfo, SpecialFolderCount> SpecialFolders;

namespace {

constexpr const char *kFolderNames[SpecialFolderCount] = {
    "Desktop", "Internet", "Programs", "Controls", "Printers", "Personal", "Favorites", "Startup",
    "Recent", "SendTo", "BitBucket", "StartMenu", "MyDocuments", "MyMusic", "MyVideo",
    "DesktopDirectory", "Drives", "Network", "Nethood", "Fonts", "Templates", "CommonStartMenu",
    "CommonPrograms", "CommonStartup", "CommonDesktopDirectory", "AppData", "Printhood",
    "LocalAppData", "ALTStartup", "CommonALTStartup", "CommonFavorites", "InternetCache",
    "Cookies", "History", "CommonAppData", "Windows", "System", "ProgramFiles", "MyPictures",
    "Profile", "SystemX86", "ProgramFilesX86", "ProgramFilesCommon", "ProgramFilesCommonX86",
    "CommonTemplates", "CommonDocuments", "CommonAdminTools", "AdminTools", "Connections",
    "CommonMusic", "CommonPictures", "CommonVideo", "Resources", "ResourcesLocalized",
    "CommonOEMLinks", "CDBurnArea", "ComputersNearMe",
};

QString Home()
{
    return QDir::homePath();
}

QString Standard(QStandardPaths::StandardLocation location)
{
    return QStandardPaths::writableLocation(location);
}

QString XdgDataHome()
{
    const QString value = qEnvironmentVariable("XDG_DATA_HOME");
    return value.isEmpty() ? Home() + QStringLiteral("/.local/share") : value;
}

QString XdgConfigHome()
{
    const QString value = qEnvironmentVariable("XDG_CONFIG_HOME");
    return value.isEmpty() ? Home() + QStringLiteral("/.config") : value;
}

// A folder named in the user's user-dirs.dirs (XDG_TEMPLATES_DIR, ...), '' when unset.
QString XdgUserDir(const QString &key)
{
    QFile file(XdgConfigHome() + QStringLiteral("/user-dirs.dirs"));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return QString();
    const QRegularExpression line(QStringLiteral("^\\s*%1\\s*=\\s*\"([^\"]*)\"").arg(key));
    while (!file.atEnd()) {
        const QRegularExpressionMatch match = line.match(QString::fromUtf8(file.readLine()));
        if (match.hasMatch()) {
            QString path = match.captured(1);
            path.replace(QStringLiteral("$HOME"), Home());
            // A user dir equal to the home folder means "unset" in the XDG convention.
            return ExcludeTrailingPathDelimiter(path) == Home() ? QString() : path;
        }
    }
    return QString();
}

QString LinuxPath(TSpecialFolder folder)
{
    switch (folder) {
    case sfDesktop:
    case sfDesktopDirectory:
        return Standard(QStandardPaths::DesktopLocation);
    case sfPersonal:
    case sfMyDocuments:
        return Standard(QStandardPaths::DocumentsLocation);
    case sfMyMusic:
        return Standard(QStandardPaths::MusicLocation);
    case sfMyVideo:
        return Standard(QStandardPaths::MoviesLocation);
    case sfMyPictures:
        return Standard(QStandardPaths::PicturesLocation);
    case sfPrograms:
    case sfStartMenu:
        return XdgDataHome() + QStringLiteral("/applications");
    case sfCommonPrograms:
    case sfCommonStartMenu:
        return QStringLiteral("/usr/share/applications");
    case sfStartup:
        return XdgConfigHome() + QStringLiteral("/autostart");
    case sfCommonStartup:
        return QStringLiteral("/etc/xdg/autostart");
    case sfFonts:
        return XdgDataHome() + QStringLiteral("/fonts");
    case sfTemplates:
        return XdgUserDir(QStringLiteral("XDG_TEMPLATES_DIR"));
    case sfAppData:
        return XdgConfigHome();
    case sfLocalAppData:
        return XdgDataHome();
    case sfInternetCache:
        return Standard(QStandardPaths::GenericCacheLocation);
    case sfCommonAppData:
        return QStringLiteral("/usr/share");
    case sfSystem:
        return QStringLiteral("/usr/bin");
    case sfProgramFiles:
        return QStringLiteral("/opt");
    case sfProfile:
        return Home();
    case sfCommonDocuments:
        return XdgUserDir(QStringLiteral("XDG_PUBLICSHARE_DIR"));
    default:
        // Virtual shell folders (printers, network, recycle bin, ...) and Windows-only places.
        return QString();
    }
}

} // namespace

int SpecialFolderCsidl(TSpecialFolder Folder)
{
    const int value = int(Folder);
    if (value <= sfMyVideo)
        return value;                        // 0 .. 14
    if (value <= sfConnections)
        return value - sfDesktopDirectory + 16; // 16 .. 49
    if (value <= sfCDBurnArea)
        return value - sfCommonMusic + 53;   // 53 .. 59
    return 61;                               // sfComputersNearMe
}

void InitSpecialFolders()
{
    for (int i = 0; i < SpecialFolderCount; ++i) {
        SpecialFolders[i].FolderId = TSpecialFolder(i);
        SpecialFolders[i].FolderName = QString::fromLatin1(kFolderNames[i]);
    }
}

QString GetSpecialFolderPath(TSpecialFolder Folder)
{
    const QString path = LinuxPath(Folder);
    return path.isEmpty() ? QString() : ExcludeTrailingPathDelimiter(QDir::cleanPath(path));
}
