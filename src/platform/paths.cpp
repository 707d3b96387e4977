#include "platform/paths.h"

#include <QDir>
#include <QFileInfo>

QString LocalPath(const QString &storedPath)
{
    QString result = storedPath;
    result.replace(QLatin1Char('\\'), PathDelim);
    return result;
}

QString StoredRelativePath(const QString &localRelativePath)
{
    QString result = localRelativePath;
    result.replace(PathDelim, QLatin1Char('\\'));
    return result;
}

bool IsPathDelimiter(QChar c)
{
    return c == PathDelim;
}

QString IncludeTrailingPathDelimiter(const QString &path)
{
    if (!path.isEmpty() && IsPathDelimiter(path.back()))
        return path;
    return path + PathDelim;
}

QString ExcludeTrailingPathDelimiter(const QString &path)
{
    if (path.size() > 1 && IsPathDelimiter(path.back()))
        return path.left(path.size() - 1);
    return path;
}

namespace {
qsizetype LastDelimiter(const QString &fileName)
{
    return fileName.lastIndexOf(PathDelim);
}
} // namespace

QString ExtractFilePath(const QString &fileName)
{
    return fileName.left(LastDelimiter(fileName) + 1);
}

QString ExtractFileDir(const QString &fileName)
{
    const qsizetype index = LastDelimiter(fileName);
    if (index < 0)
        return QString();
    if (index == 0)
        return QString(PathDelim);
    return fileName.left(index);
}

QString ExtractFileName(const QString &fileName)
{
    return fileName.mid(LastDelimiter(fileName) + 1);
}

QString ExtractFileExt(const QString &fileName)
{
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    if (dot < 0 || dot < LastDelimiter(fileName))
        return QString();
    return fileName.mid(dot);
}

QString ChangeFileExt(const QString &fileName, const QString &extension)
{
    const QString ext = ExtractFileExt(fileName);
    return fileName.left(fileName.size() - ext.size()) + extension;
}

bool FileExists(const QString &fileName)
{
    const QFileInfo info(fileName);
    return !fileName.isEmpty() && info.exists() && !info.isDir();
}

bool DirectoryExists(const QString &folder)
{
    return !folder.isEmpty() && QFileInfo(folder).isDir();
}

bool ForceDirectories(const QString &folder)
{
    if (folder.isEmpty())
        return false;
    return QDir().mkpath(folder);
}

QString CanonicalPath(const QString &path)
{
    if (path.isEmpty())
        return QString();
    QString absolute = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    // Resolve the longest existing leading part, keep the rest as cleaned text.
    QString existing = absolute;
    QString rest;
    while (!existing.isEmpty() && !QFileInfo::exists(existing)) {
        const qsizetype slash = existing.lastIndexOf(PathDelim);
        if (slash <= 0) {
            existing = QString(PathDelim);
            rest = absolute.mid(1);
            break;
        }
        rest = absolute.mid(slash + 1);
        existing = existing.left(slash);
    }
    QString canonical = QFileInfo(existing).canonicalFilePath();
    if (canonical.isEmpty())
        canonical = existing;
    if (rest.isEmpty())
        return canonical;
    return QDir::cleanPath(IncludeTrailingPathDelimiter(canonical) + rest);
}
