#include "support/test_files.h"

#include <QFile>

QByteArray ReadFileBytes(const QString &fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool WriteFileBytes(const QString &fileName, const QByteArray &bytes, bool executable)
{
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        return false;
    file.close();
    if (executable)
        return file.setPermissions(file.permissions() | QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther);
    return true;
}

QString CopyProgram(const QString &folder, const QString &name)
{
    const QString target = folder + QLatin1Char('/') + name;
    QFile::remove(target);
    if (!QFile::copy(QStringLiteral(ZV_PROGRAM_PATH), target))
        return QString();
    QFile::setPermissions(target, QFile::permissions(QStringLiteral(ZV_PROGRAM_PATH)));
    return target;
}
