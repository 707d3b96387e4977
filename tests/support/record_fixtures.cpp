#include "support/record_fixtures.h"

#include <QtEndian>

#include "core/action_records.h"
#include "core/project_model.h"
#include "platform/rtl/streams.h"
#include "platform/rtl/sysutils.h"

QString ExpectedStorageError(int errorCode, int placeCode)
{
    return SysErrorMessage(errorCode) + QStringLiteral(" (Error Code: %1/%2).").arg(errorCode).arg(placeCode);
}

QByteArray Int32Bytes(int32_t value)
{
    QByteArray bytes(4, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

QByteArray WrittenBytes(const std::function<bool(TStream *)> &write)
{
    TMemoryStream stream;
    if (!write(&stream))
        return QByteArray("write failed");
    return stream.Bytes();
}

QByteArray ActionListBytes(const TZvActions &actions)
{
    return WrittenBytes([&](TStream *stream) { return WriteActionList(stream, &actions); });
}

QImage SampleImage()
{
    QImage image(3, 2, QImage::Format_RGB32);
    image.fill(Qt::white);
    image.setPixel(0, 0, qRgb(255, 0, 0));
    image.setPixel(2, 1, qRgb(0, 0, 255));
    return image;
}
