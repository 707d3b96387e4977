#include "core/stream_primitives.h"

#include <QtEndian>

#include <climits>

#include "core/error_reporting.h"
#include "core/record_io.h"
#include "objects/web_font.h"
#include "platform/graphics/font.h"
#include "platform/graphics/picture.h"
#include "platform/rtl/streams.h"

namespace {

// The stored graphic class names, in the order they are looked up.
const char *const kGraphicClassNames[] = {
    "TJPEGImage", "TBitmap", "TIcon", "TMetafile", "TPngImage", "TGIFImage", "TWICImage",
};

// Upper-cases a-z only: stored class names compare without regard to ASCII case, and no
// other character may turn into a letter of a class name.
QString AsciiUpper(const QString &text)
{
    QString result = text;
    for (QChar &c : result) {
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            c = QChar(c.unicode() - ('a' - 'A'));
    }
    return result;
}

} // namespace

// ---- strings ----

bool WriteStreamString(TStream *Stream, const QString &S)
{
    if (!Stream)
        return false;
    return GuardRecord(pcWriteString, [&] {
        if (S.size() > INT32_MAX / 2) {
            SetLastError(EFBIG);
            throw EWriteError(QStringLiteral("String too long"));
        }
        TRecordWriter writer(*Stream);
        writer.Int32(int32_t(S.size()));
        QByteArray units(S.size() * 2, Qt::Uninitialized);
        qToLittleEndian<quint16>(S.utf16(), S.size(), units.data());
        writer.Bytes(units);
        return true;
    });
}

bool ReadStreamString(TStream *Stream, QString &S)
{
    S.clear();
    if (!Stream)
        return false;
    return GuardRecord(pcReadString, [&] {
        TRecordReader reader(*Stream);
        const int32_t count = reader.Int32();
        if (count <= 0)
            return true; // an empty string; a negative count reads as one too
        const QByteArray units = reader.Bytes(int64_t(count) * 2);
        QString text(count, Qt::Uninitialized);
        qFromLittleEndian<quint16>(units.constData(), count, text.data());
        S = text;
        return true;
    });
}

// ---- fonts ----

bool SaveFontToStream(TStream *Stream, const TFont *Font)
{
    if (!Stream || !Font)
        return false;
    return GuardRecord(pcSaveFont, [&] {
        if (!WriteStreamString(Stream, Font->Name))
            return false;
        TRecordWriter writer(*Stream);
        writer.Int32(Font->Color);
        writer.Int32(Font->Size);
        writer.Byte(Font->Charset);
        writer.Byte(Font->Style);
        return true;
    });
}

bool LoadFontFromStream(TStream *Stream, TFont *Font)
{
    if (!Stream || !Font)
        return false;
    return GuardRecord(pcLoadFont, [&] {
        QString name;
        if (!ReadStreamString(Stream, name))
            return false;
        // The whole record is read before the font changes, so that a record cut short
        // leaves the font as it was.
        TRecordReader reader(*Stream);
        const TColor color = reader.Int32();
        const int32_t size = reader.Int32();
        const uint8_t charset = reader.Byte();
        const uint8_t style = reader.Byte();
        Font->Name = name;
        Font->Color = color;
        Font->Size = size;
        Font->Charset = charset;
        Font->Style = style;
        return true;
    });
}

bool LoadWebFontFromStream(TStream *Stream, TWebFont *WebFont)
{
    if (!Stream || !WebFont)
        return false;
    return GuardRecord(pcLoadFont, [&] {
        TFont font;
        if (!LoadFontFromStream(Stream, &font))
            return false;
        AssignWebFont(font, *WebFont);
        return true;
    });
}

void AssignWebFont(const TFont &Font, TWebFont &WebFont)
{
    WebFont.Name = Font.Name;
    WebFont.Color = Font.Color;
    WebFont.Size = Font.Size;
    WebFont.Style = Font.Style;
}

// ---- pictures ----

bool SavePictureToStream(TStream *Stream, const TPicture *Picture)
{
    if (!Stream || !Picture)
        return false;
    return GuardRecord(pcSavePicture, [&] {
        const TGraphic *graphic = Picture->Graphic();
        const bool empty = !graphic || graphic->Empty();
        if (!WriteStreamString(Stream, empty ? QString() : graphic->ClassName()))
            return false;
        if (empty)
            return true;
        TMemoryStream data;
        graphic->SaveToStream(data);
        if (data.Size() > INT32_MAX) {
            SetLastError(EFBIG);
            throw EWriteError(QStringLiteral("Picture too large"));
        }
        TRecordWriter writer(*Stream);
        writer.Int32(int32_t(data.Size()));
        writer.Bytes(data.Bytes());
        return true;
    });
}

bool LoadPictureFromStream(TStream *Stream, TPicture *Picture)
{
    if (!Stream || !Picture)
        return false;
    Picture->Clear();
    return GuardRecord(pcLoadPicture, [&] {
        QString className;
        if (!ReadStreamString(Stream, className))
            return false;
        if (className.isEmpty())
            return true;
        TRecordReader reader(*Stream);
        const int32_t size = reader.Count(1);
        TMemoryStream data(reader.Bytes(size));
        // The data is consumed before the name is judged, so that the stream stands after
        // the record either way.
        const QString found = FindGraphicClass(className);
        if (found.isEmpty())
            throw ERecordError(QStringLiteral("Unknown graphic class %1").arg(className), EINVAL);
        std::unique_ptr<TGraphic> graphic = CreateGraphicOfClass(found);
        graphic->LoadFromStream(data);
        if (auto *gif = dynamic_cast<TGIFImage *>(graphic.get()))
            gif->Animate = true;
        Picture->SetGraphic(std::move(graphic));
        return true;
    });
}

QString FindGraphicClass(const QString &ClassName)
{
    const QString wanted = AsciiUpper(ClassName);
    for (const char *name : kGraphicClassNames) {
        if (wanted == AsciiUpper(QLatin1String(name)))
            return QLatin1String(name);
    }
    return QString();
}

QString GetGraphicTypeName(const TGraphic *Graphic)
{
    if (!Graphic || Graphic->Empty())
        return QStringLiteral("None");
    return Graphic->ClassName().mid(1);
}
