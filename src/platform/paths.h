// File names on Linux. Stored references keep their stored form (a project-relative path
// begins with "\" and uses backslashes); LocalPath is the one place where a stored path
// becomes a file-system path.
#pragma once

#include <QString>

constexpr QChar PathDelim = QLatin1Char('/');

// A stored path as a file-system path: backslashes become "/".
QString LocalPath(const QString &storedPath);
// The stored form of a path below the project folder: "/" becomes "\".
QString StoredRelativePath(const QString &localRelativePath);

bool IsPathDelimiter(QChar c);
QString IncludeTrailingPathDelimiter(const QString &path);
QString ExcludeTrailingPathDelimiter(const QString &path);

// Name parts of a local path, as the platform's routines split them: the folder part keeps
// its trailing delimiter in ExtractFilePath and drops it in ExtractFileDir.
QString ExtractFilePath(const QString &fileName);
QString ExtractFileDir(const QString &fileName);
QString ExtractFileName(const QString &fileName);
QString ExtractFileExt(const QString &fileName); // with the dot; '' when none
QString ChangeFileExt(const QString &fileName, const QString &extension);

bool FileExists(const QString &fileName);      // an existing file that is not a folder
bool DirectoryExists(const QString &folder);
bool ForceDirectories(const QString &folder);  // creates missing parents too

// The canonical form used to compare paths: symbolic links and "." / ".." resolved for the
// part that exists, the rest cleaned. Comparisons are case-sensitive.
QString CanonicalPath(const QString &path);
