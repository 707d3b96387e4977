// Pictures as stored: a graphic keeps the bytes of its file (BMP, ICO, JPEG, PNG, GIF, WMF/EMF
// or any other image format) so that an unchanged picture is written back byte for byte; the
// decoded image is made from those bytes when first needed. A TPicture owns one graphic or
// none.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <functional>
#include <memory>

class TStream;

class TGraphic
{
public:
    virtual ~TGraphic() = default;

    // The class name as stored in picture records ("TBitmap", "TPngImage", ...).
    virtual QString ClassName() const = 0;
    virtual std::unique_ptr<TGraphic> Clone() const = 0;

    bool Empty() const { return m_bytes.isEmpty(); }

    // Takes every byte from the stream's position to its end as this graphic's data.
    void LoadFromStream(TStream &stream);
    // Writes the graphic's data (nothing for an empty graphic).
    void SaveToStream(TStream &stream) const;

    const QByteArray &Bytes() const { return m_bytes; }
    void SetBytes(const QByteArray &bytes);

    // The decoded image; null when the data does not decode (or for a metafile).
    virtual QImage Image() const;
    int Width() const { return Image().width(); }
    int Height() const { return Image().height(); }

    // Copies data and settings from a graphic of the same class; another class raises
    // EConvertError.
    virtual void Assign(const TGraphic &source);

protected:
    TGraphic() = default;
    TGraphic(const TGraphic &) = default;
    TGraphic &operator=(const TGraphic &) = default;

    // Replaces the data with the image encoded in the given Qt format ("BMP", "PNG").
    void EncodeImage(const QImage &image, const char *format);

private:
    QByteArray m_bytes;
    mutable QImage m_image;
    mutable bool m_decoded = false;
};

class TBitmap : public TGraphic
{
public:
    TBitmap() = default;
    QString ClassName() const override { return QStringLiteral("TBitmap"); }
    std::unique_ptr<TGraphic> Clone() const override { return std::make_unique<TBitmap>(*this); }
    // A bitmap holding the image as BMP file bytes.
    static std::unique_ptr<TBitmap> FromImage(const QImage &image);
};

class TIcon : public TGraphic
{
public:
    TIcon() = default;
    QString ClassName() const override { return QStringLiteral("TIcon"); }
    std::unique_ptr<TGraphic> Clone() const override { return std::make_unique<TIcon>(*this); }
};

class TJPEGImage : public TGraphic
{
public:
    TJPEGImage() = default;
    QString ClassName() const override { return QStringLiteral("TJPEGImage"); }
    std::unique_ptr<TGraphic> Clone() const override { return std::make_unique<TJPEGImage>(*this); }
};

class TPngImage : public TGraphic
{
public:
    TPngImage() = default;
    QString ClassName() const override { return QStringLiteral("TPngImage"); }
    std::unique_ptr<TGraphic> Clone() const override { return std::make_unique<TPngImage>(*this); }
    // A PNG graphic holding the image as PNG file bytes.
    static std::unique_ptr<TPngImage> FromImage(const QImage &image);
};

class TGIFImage : public TGraphic
{
public:
    TGIFImage() = default;
    QString ClassName() const override { return QStringLiteral("TGIFImage"); }
    std::unique_ptr<TGraphic> Clone() const override { return std::make_unique<TGIFImage>(*this); }
    void Assign(const TGraphic &source) override;

    // Whether the picture plays its frames when shown.
    bool Animate = false;
};

// Windows metafile data (WMF/EMF): kept and written back, never decoded here.
class TMetafile : public TGraphic
{
public:
    TMetafile() = default;
    QString ClassName() const override { return QStringLiteral("TMetafile"); }
    std::unique_ptr<TGraphic> Clone() const override { return std::make_unique<TMetafile>(*this); }
    QImage Image() const override { return QImage(); }
};

// Any other image format the system's image readers know (TIFF, WebP, ...).
class TWICImage : public TGraphic
{
public:
    TWICImage() = default;
    QString ClassName() const override { return QStringLiteral("TWICImage"); }
    std::unique_ptr<TGraphic> Clone() const override { return std::make_unique<TWICImage>(*this); }
};

// A new empty graphic of the named class (exact name as ClassName() gives it), or null.
std::unique_ptr<TGraphic> CreateGraphicOfClass(const QString &className);

class TPicture
{
public:
    TPicture() = default;
    TPicture(const TPicture &) = delete;
    TPicture &operator=(const TPicture &) = delete;

    TGraphic *Graphic() const { return m_graphic.get(); }
    void SetGraphic(std::unique_ptr<TGraphic> graphic);
    // A copy of the source's graphic (or none).
    void Assign(const TPicture &source);
    void Clear();

    // Loads a file into a graphic of the class its extension names (.bmp TBitmap, .ico TIcon,
    // .jpg/.jpeg TJPEGImage, .png TPngImage, .gif TGIFImage, .wmf/.emf TMetafile, any other
    // TWICImage). Raises EFOpenError / EReadError and then keeps the old graphic.
    void LoadFromFile(const QString &fileName);
    // Writes the graphic's data to the file; without a graphic nothing is written.
    void SaveToFile(const QString &fileName) const;

    // Raised after the picture took another graphic (or none) through the calls above, so
    // that the control showing it repaints. Changes made inside the graphic itself are not
    // seen.
    std::function<void()> OnChange;

private:
    void Changed();

    std::unique_ptr<TGraphic> m_graphic;
};
