#include "core/clipboard_blocks.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QUrl>
#include <cstring>

#include "platform/rtl/streams.h"

QString ClipboardFormatMimeType(const QString &Format)
{
    return QStringLiteral("application/x-zandrovel-block;name=%1")
        .arg(QString::fromLatin1(QUrl::toPercentEncoding(Format)));
}

bool PutStreamToClipboard(TStream *Stream, const QString &Format)
{
    if (!Stream)
        return false;
    const int64_t size = Stream->Size();
    QByteArray block(4 + size, '\0');
    const int32_t size32 = int32_t(size);
    std::memcpy(block.data(), &size32, 4);
    const int64_t read = Stream->Read(block.data() + 4, size);
    if (read < size)
        block.truncate(4 + std::max<int64_t>(read, 0)); // a short stream keeps what it had
    auto *mime = new QMimeData;
    mime->setData(ClipboardFormatMimeType(Format), block);
    QGuiApplication::clipboard()->setMimeData(mime);
    return true;
}

QByteArray ClipboardBlock(const QString &Format)
{
    const QMimeData *mime = QGuiApplication::clipboard()->mimeData();
    const QString type = ClipboardFormatMimeType(Format);
    if (!mime || !mime->hasFormat(type))
        return QByteArray();
    return mime->data(type);
}

bool GetStreamFromClipboard(TStream *Stream, const QString &Format)
{
    if (!Stream)
        return false;
    const QByteArray block = ClipboardBlock(Format);
    if (block.size() < 4)
        return false;
    int32_t size = 0;
    std::memcpy(&size, block.constData(), 4);
    // The block may come from another program: never trust its size beyond its bytes.
    if (size < 0 || size > block.size() - 4)
        return false;
    Stream->SetPosition(0);
    Stream->WriteBuffer(block.constData() + 4, size);
    return true;
}
