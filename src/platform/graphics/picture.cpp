#include "platform/graphics/picture.h"

#include <QBuffer>
#include <QFileInfo>

#include <algorithm>
#include <functional>

#include "platform/rtl/streams.h"
#include "platform/rtl/sysutils.h"

namespace {

struct TGraphicClass
{
    const char *Name;
    std::function<std::unique_ptr<TGraphic>()> Create;
};

const TGraphicClass kGraphicClasses[] = {
    {"TBitmap", [] { return std::make_unique<TBitmap>(); }},
    {"TIcon", [] { return std::make_unique<TIcon>(); }},
    {"TJPEGImage", [] { return std::make_unique<TJPEGImage>(); }},
    {"TPngImage", [] { return std::make_unique<TPngImage>(); }},
    {"TGIFImage", [] { return std::make_unique<TGIFImage>(); }},
    {"TMetafile", [] { return std::make_unique<TMetafile>(); }},
    {"TWICImage", [] { return std::make_unique<TWICImage>(); }},
};

std::unique_ptr<TGraphic> GraphicForFileName(const QString &fileName)
{
    const QString ext = QFileInfo(fileName).suffix().toLower();
    if (ext == QLatin1String("bmp"))
        return std::make_unique<TBitmap>();
    if (ext == QLatin1String("ico"))
        return std::make_unique<TIcon>();
    if (ext == QLatin1String("jpg") || ext == QLatin1String("jpeg"))
        return std::make_unique<TJPEGImage>();
    if (ext == QLatin1String("png"))
        return std::make_unique<TPngImage>();
    if (ext == QLatin1String("gif"))
        return std::make_unique<TGIFImage>();
    if (ext == QLatin1String("wmf") || ext == QLatin1String("emf"))
        return std::make_unique<TMetafile>();
    return std::make_unique<TWICImage>();
}

} // namespace

// ---- TGraphic ----

void TGraphic::LoadFromStream(TStream &stream)
{
    const int64_t left = std::max<int64_t>(stream.Size() - stream.Position(), 0);
    QByteArray bytes(qsizetype(left), Qt::Uninitialized);
    stream.ReadBuffer(bytes.data(), left);
    SetBytes(bytes);
}

void TGraphic::SaveToStream(TStream &stream) const
{
    stream.WriteBuffer(m_bytes.constData(), m_bytes.size());
}

void TGraphic::SetBytes(const QByteArray &bytes)
{
    m_bytes = bytes;
    m_image = QImage();
    m_decoded = false;
}

QImage TGraphic::Image() const
{
    if (!m_decoded) {
        // The format is found from the data itself, as the stored class name may be a
        // loose description (an "other format" graphic holds TIFF or WebP alike).
        m_image = m_bytes.isEmpty() ? QImage() : QImage::fromData(m_bytes);
        m_decoded = true;
    }
    return m_image;
}

void TGraphic::Assign(const TGraphic &source)
{
    if (&source == this)
        return;
    if (source.ClassName() != ClassName())
        throw EConvertError(QStringLiteral("Cannot assign a %1 to a %2").arg(source.ClassName(), ClassName()));
    m_bytes = source.m_bytes;
    m_image = source.m_image;
    m_decoded = source.m_decoded;
}

void TGraphic::EncodeImage(const QImage &image, const char *format)
{
    QByteArray bytes;
    if (!image.isNull()) {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        if (!image.save(&buffer, format))
            throw EConvertError(QStringLiteral("Cannot encode the image as %1").arg(QLatin1String(format)));
    }
    SetBytes(bytes);
}

std::unique_ptr<TBitmap> TBitmap::FromImage(const QImage &image)
{
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->EncodeImage(image, "BMP");
    return bitmap;
}

std::unique_ptr<TPngImage> TPngImage::FromImage(const QImage &image)
{
    auto png = std::make_unique<TPngImage>();
    png->EncodeImage(image, "PNG");
    return png;
}

void TGIFImage::Assign(const TGraphic &source)
{
    TGraphic::Assign(source);
    Animate = static_cast<const TGIFImage &>(source).Animate;
}

std::unique_ptr<TGraphic> CreateGraphicOfClass(const QString &className)
{
    for (const TGraphicClass &graphicClass : kGraphicClasses) {
        if (className == QLatin1String(graphicClass.Name))
            return graphicClass.Create();
    }
    return nullptr;
}

// ---- TPicture ----

void TPicture::SetGraphic(std::unique_ptr<TGraphic> graphic)
{
    m_graphic = std::move(graphic);
    Changed();
}

void TPicture::Assign(const TPicture &source)
{
    if (&source == this)
        return;
    m_graphic = source.m_graphic ? source.m_graphic->Clone() : nullptr;
    Changed();
}

void TPicture::Clear()
{
    m_graphic.reset();
    Changed();
}

void TPicture::Changed()
{
    if (OnChange)
        OnChange();
}

void TPicture::LoadFromFile(const QString &fileName)
{
    std::unique_ptr<TGraphic> graphic = GraphicForFileName(fileName);
    TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
    graphic->LoadFromStream(file);
    m_graphic = std::move(graphic);
    Changed();
}

void TPicture::SaveToFile(const QString &fileName) const
{
    if (!m_graphic)
        return;
    TFileStream file(fileName, fmCreate);
    m_graphic->SaveToStream(file);
}
