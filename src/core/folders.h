// Folder copy and listing, and file-name validation.
#pragma once

#include <QString>

class TStrings;

// Copies every file and sub-folder of Source into Dest, recursively, creating missing
// folders. An existing file is skipped unless Overwrite (then it is made writable and
// replaced). Nothing is reported; one failing file does not stop the others. A Dest inside
// Source (or Source itself) is refused, since the copy would feed on itself: returns false.
bool CopyFolder(const QString &Source, const QString &Dest, bool Overwrite);

// Names (without path) of Folder's sub-folders (Folders true) or files (false), in the order
// the file system returns them, hidden entries included.
void ListFolder(const QString &Folder, bool Folders, TStrings &List);

// False when Name is empty, blank, or holds any of / \ : * ? " < > |.
bool IsValidFileName(const QString &Name);
