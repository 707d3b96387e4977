// Small file helpers shared by the tests.
#pragma once

#include <QByteArray>
#include <QString>

// The whole file, or empty when it cannot be read.
QByteArray ReadFileBytes(const QString &fileName);
// Creates or replaces the file; optionally makes it executable. True when all was written.
bool WriteFileBytes(const QString &fileName, const QByteArray &bytes, bool executable = false);
// A copy of the built program in folder under name, with its permissions; '' on failure.
QString CopyProgram(const QString &folder, const QString &name);
