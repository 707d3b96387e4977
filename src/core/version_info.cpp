#include "core/version_info.h"

#include "platform/exe_resources.h"

QString GetOriginalFilename(const QString &FileName)
{
    return ReadVersionString(FileName, QString::fromLatin1("OriginalFilename"));
}

QString GetFileVersionText(const QString &FileName)
{
    return ReadVersionString(FileName, QString::fromLatin1("FileVersion"));
}
