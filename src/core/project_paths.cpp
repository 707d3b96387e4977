#include "core/project_paths.h"

#include "core/globals.h"
#include "platform/paths.h"
#include "platform/ui_services.h"

QString GetProjectFolder(bool Quiet)
{
    if (!DesignerMode)
        return ExcludeTrailingPathDelimiter(ExeFolder);
    if (ProjectSourceFile.isEmpty()) {
        if (!Quiet)
            UiServices().MessageBox(QStringLiteral("The project has not been saved. Please save your project first."),
                                    QStringLiteral("Project Folder"), MB_OK | MB_ICONINFORMATION);
        return QString();
    }
    return ExtractFileDir(ProjectSourceFile);
}

QString GetProjectRelativePath(const QString &Path, bool AllowOutside)
{
    const QString folder = GetProjectFolder(AllowOutside);
    if (folder.isEmpty())
        return AllowOutside ? Path : QString();

    // Compared on canonical paths and case-sensitively: Linux file names differ by case.
    const QString canonicalFolder = CanonicalPath(folder);
    const QString canonicalPath = CanonicalPath(Path);
    if (canonicalPath == canonicalFolder)
        return QStringLiteral("\\");
    const QString prefix = IncludeTrailingPathDelimiter(canonicalFolder);
    if (canonicalPath.startsWith(prefix))
        return StoredRelativePath(canonicalPath.mid(prefix.size() - 1));

    if (AllowOutside)
        return Path;
    UiServices().MessageBox(QStringLiteral("The file or folder you selected is not in the project folder."),
                            QStringLiteral("Information"), MB_OK | MB_ICONINFORMATION);
    return QString();
}

bool IsProjectRelative(const QString &Path)
{
    return !Path.isEmpty() && Path.front() == QLatin1Char('\\');
}

QString JoinProjectPath(const QString &Folder, const QString &RelPath)
{
    if (Folder.isEmpty() || RelPath.isEmpty())
        return QString();
    QString folder = Folder;
    if (folder.size() > 1 && (folder.back() == PathDelim || folder.back() == QLatin1Char('\\')))
        folder.chop(1);
    QString rel = LocalPath(RelPath);
    if (rel.front() != PathDelim)
        rel.prepend(PathDelim);
    if (folder == QString(PathDelim))
        return rel;
    return folder + rel;
}

QString ResolveProjectPath(const QString &StoredPath)
{
    if (IsProjectRelative(StoredPath))
        return JoinProjectPath(GetProjectFolder(true), StoredPath);
    return StoredPath;
}

void RemoveTrailingDelimiter(QString &Path)
{
    if (!Path.isEmpty() && (Path.back() == PathDelim || Path.back() == QLatin1Char('\\')))
        Path.chop(1);
}
