// The version texts of a program file, as its version block stores them.
#pragma once

#include <QString>

// The StringFileInfo\040904E4\OriginalFilename value of the file, as stored up to its NUL;
// '' when the file does not exist, has no version block or lacks the value.
QString GetOriginalFilename(const QString &FileName);
// The StringFileInfo\040904E4\FileVersion value of the file, likewise.
QString GetFileVersionText(const QString &FileName);
