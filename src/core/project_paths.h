// Project-relative paths: a project stores file and folder references below its own folder
// as paths that begin with a backslash, so that the project folder can move. Linux absolute
// paths are stored as they are.
#pragma once

#include <QString>

// Designer: the folder of the project file ('' for a never saved project, with a notice
// unless Quiet). Runtime: the program's folder. Never with a trailing delimiter.
QString GetProjectFolder(bool Quiet);

// The stored form of Path: "\rest" when Path lies inside the project folder ("\" for the
// folder itself); Path itself when outside and AllowOutside; else '' after a notice.
QString GetProjectRelativePath(const QString &Path, bool AllowOutside);

bool IsProjectRelative(const QString &Path);

// Folder joined with a project-relative path, as a file-system path; '' when either is ''.
QString JoinProjectPath(const QString &Folder, const QString &RelPath);

// The file-system path of a stored reference: project-relative ones are joined to the
// project folder, others are used as stored.
QString ResolveProjectPath(const QString &StoredPath);

void RemoveTrailingDelimiter(QString &Path);
