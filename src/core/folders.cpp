#include "core/folders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <dirent.h>

#include "platform/paths.h"
#include "platform/rtl/strings.h"

namespace {

void CopyFolderContents(const QString &source, const QString &dest, bool overwrite)
{
    QDir().mkpath(dest);
    const QFileInfoList entries =
        QDir(source).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo &entry : entries) {
        const QString target = IncludeTrailingPathDelimiter(dest) + entry.fileName();
        if (entry.isDir() && !entry.isSymLink()) {
            CopyFolderContents(entry.filePath(), target, overwrite);
            continue;
        }
        if (QFileInfo::exists(target)) {
            if (!overwrite)
                continue;
            QFile::setPermissions(target, QFile::permissions(target) | QFile::WriteOwner);
            QFile::remove(target);
        }
        QFile::copy(entry.filePath(), target);
    }
}

} // namespace

bool CopyFolder(const QString &Source, const QString &Dest, bool Overwrite)
{
    const QString source = CanonicalPath(Source);
    const QString dest = CanonicalPath(Dest);
    if (source.isEmpty() || dest.isEmpty() || !QFileInfo(source).isDir())
        return false;
    if (dest == source || dest.startsWith(IncludeTrailingPathDelimiter(source)))
        return false;
    CopyFolderContents(source, dest, Overwrite);
    return true;
}

void ListFolder(const QString &Folder, bool Folders, TStrings &List)
{
    List.Clear();
    // readdir gives the file system's own order, which QDir would sort.
    DIR *dir = opendir(QFile::encodeName(Folder).constData());
    if (!dir)
        return;
    while (const dirent *entry = readdir(dir)) {
        const QString name = QFile::decodeName(entry->d_name);
        if (name == QLatin1String(".") || name == QLatin1String(".."))
            continue;
        const bool isDir = QFileInfo(IncludeTrailingPathDelimiter(Folder) + name).isDir();
        if (isDir == Folders)
            List.Add(name);
    }
    closedir(dir);
}

bool IsValidFileName(const QString &Name)
{
    if (Name.trimmed().isEmpty())
        return false;
    static const QString invalid = QStringLiteral("/\\:*?\"<>|");
    for (const QChar c : Name) {
        if (invalid.contains(c))
            return false;
    }
    return true;
}
