#include "platform/richtext/rtf_writer.h"

#include <QBuffer>
#include <QColor>
#include <QImage>
#include <QPixmap>
#include <QStringList>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextImageFormat>
#include <QUrl>

#include <cmath>

#include "platform/rtl/cp1252.h"

namespace {

// 1440 twips per inch, 96 pixels per inch.
constexpr double kTwipsPerPixel = 15.0;
constexpr int kHexLineLength = 128;

int Twips(double pixels)
{
    return int(std::lround(pixels * kTwipsPerPixel));
}

QByteArray Number(qint64 value)
{
    return QByteArray::number(value);
}

// A picture ready to be written: its file bytes, blip kind and pixel size.
struct PictureData {
    QByteArray bytes;
    const char *blip = "pngblip";
    QSize pixels;
};

class RtfWriter
{
public:
    explicit RtfWriter(const QTextDocument &document);
    QByteArray Write();

private:
    QString Family(const QTextCharFormat &format) const;
    int HalfPoints(const QTextCharFormat &format) const;
    int FontIndex(const QString &family);
    int ColorIndex(const QColor &color);
    void CollectTables();
    void WriteBlock(const QTextBlock &block);
    void WriteRun(const QTextFragment &fragment);
    void WritePicture(const QTextImageFormat &format);
    bool LoadPicture(const QString &name, PictureData &picture) const;
    void WriteFontProps(const QTextCharFormat &format);
    // Text escaped for RTF: specials quoted, 1252 characters as \'hh, others as \uN?.
    static QByteArray Escape(const QString &text);

    const QTextDocument &m_document;
    QString m_defaultFamily;
    double m_defaultPoints = 12;
    QStringList m_fonts;
    QList<QRgb> m_colors;
    QByteArray m_out;
};

RtfWriter::RtfWriter(const QTextDocument &document) : m_document(document)
{
    const QFont font = document.defaultFont();
    m_defaultFamily = font.family();
    if (font.pointSizeF() > 0)
        m_defaultPoints = font.pointSizeF();
    else if (font.pixelSize() > 0)
        m_defaultPoints = font.pixelSize() * 72.0 / 96.0;
}

QString RtfWriter::Family(const QTextCharFormat &format) const
{
    const QStringList families = format.property(QTextFormat::FontFamilies).toStringList();
    if (!families.isEmpty() && !families.first().isEmpty())
        return families.first();
    return m_defaultFamily;
}

int RtfWriter::HalfPoints(const QTextCharFormat &format) const
{
    double points = m_defaultPoints;
    if (format.hasProperty(QTextFormat::FontPointSize) && format.fontPointSize() > 0)
        points = format.fontPointSize();
    else if (format.hasProperty(QTextFormat::FontPixelSize) && format.intProperty(QTextFormat::FontPixelSize) > 0)
        points = format.intProperty(QTextFormat::FontPixelSize) * 72.0 / 96.0;
    return qBound(2, int(std::lround(points * 2)), 3276);
}

int RtfWriter::FontIndex(const QString &family)
{
    int index = m_fonts.indexOf(family);
    if (index < 0) {
        m_fonts.append(family);
        index = int(m_fonts.size()) - 1;
    }
    return index;
}

int RtfWriter::ColorIndex(const QColor &color)
{
    // Index 0 of the table is the automatic colour.
    const QRgb rgb = color.rgb() & 0xFFFFFF;
    int index = int(m_colors.indexOf(rgb));
    if (index < 0) {
        m_colors.append(rgb);
        index = int(m_colors.size()) - 1;
    }
    return index + 1;
}

void RtfWriter::CollectTables()
{
    FontIndex(m_defaultFamily);
    for (QTextBlock block = m_document.begin(); block.isValid(); block = block.next()) {
        FontIndex(Family(block.charFormat()));
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            FontIndex(Family(format));
            if (format.foreground().style() != Qt::NoBrush)
                ColorIndex(format.foreground().color());
            if (format.background().style() != Qt::NoBrush)
                ColorIndex(format.background().color());
        }
    }
}

QByteArray RtfWriter::Write()
{
    CollectTables();
    m_out = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1{\\fonttbl";
    for (int i = 0; i < m_fonts.size(); ++i)
        m_out += "{\\f" + Number(i) + "\\fnil\\fcharset0 " + Escape(QString(m_fonts[i]).remove(u';')) + ";}";
    m_out += "}\r\n";
    if (!m_colors.isEmpty()) {
        m_out += "{\\colortbl ;";
        for (const QRgb rgb : m_colors)
            m_out += "\\red" + Number(qRed(rgb)) + "\\green" + Number(qGreen(rgb)) + "\\blue" + Number(qBlue(rgb))
                     + ";";
        m_out += "}\r\n";
    }
    for (QTextBlock block = m_document.begin(); block.isValid(); block = block.next())
        WriteBlock(block);
    m_out += "}\r\n";
    return m_out;
}

void RtfWriter::WriteFontProps(const QTextCharFormat &format)
{
    m_out += "\\f" + Number(FontIndex(Family(format))) + "\\fs" + Number(HalfPoints(format));
}

void RtfWriter::WriteBlock(const QTextBlock &block)
{
    const QTextBlockFormat format = block.blockFormat();
    m_out += "\\pard\\plain";
    const Qt::Alignment alignment = format.alignment() & Qt::AlignHorizontal_Mask;
    if (alignment & Qt::AlignHCenter)
        m_out += "\\qc";
    else if (alignment & Qt::AlignJustify)
        m_out += "\\qj";
    else if (alignment & (Qt::AlignRight | Qt::AlignTrailing))
        m_out += "\\qr";
    else
        m_out += "\\ql";
    if (const int left = Twips(format.leftMargin()))
        m_out += "\\li" + Number(left);
    if (const int right = Twips(format.rightMargin()))
        m_out += "\\ri" + Number(right);
    if (const int first = Twips(format.textIndent()))
        m_out += "\\fi" + Number(first);
    if (const int before = Twips(format.topMargin()))
        m_out += "\\sb" + Number(before);
    if (const int after = Twips(format.bottomMargin()))
        m_out += "\\sa" + Number(after);

    // The paragraph mark takes the font of the last text so that it adds no height of its own;
    // an empty paragraph keeps the font of its mark.
    QTextCharFormat markFormat = block.charFormat();
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        WriteRun(fragment);
        if (!fragment.charFormat().isImageFormat())
            markFormat = fragment.charFormat();
    }
    WriteFontProps(markFormat);
    m_out += "\\par\r\n";
}

void RtfWriter::WriteRun(const QTextFragment &fragment)
{
    const QTextCharFormat format = fragment.charFormat();
    if (format.isImageFormat()) {
        const QTextImageFormat image = format.toImageFormat();
        for (const QChar c : fragment.text()) {
            if (c == QChar::ObjectReplacementCharacter)
                WritePicture(image);
        }
        return;
    }
    const QByteArray text = Escape(fragment.text());
    if (text.isEmpty())
        return;
    m_out += '{';
    WriteFontProps(format);
    if (format.fontWeight() > QFont::Medium)
        m_out += "\\b";
    if (format.fontItalic())
        m_out += "\\i";
    if (format.fontUnderline())
        m_out += "\\ul";
    if (format.fontStrikeOut())
        m_out += "\\strike";
    if (format.foreground().style() != Qt::NoBrush)
        m_out += "\\cf" + Number(ColorIndex(format.foreground().color()));
    if (format.background().style() != Qt::NoBrush)
        m_out += "\\highlight" + Number(ColorIndex(format.background().color()));
    if (format.verticalAlignment() == QTextCharFormat::AlignSuperScript)
        m_out += "\\super";
    else if (format.verticalAlignment() == QTextCharFormat::AlignSubScript)
        m_out += "\\sub";
    m_out += ' ' + text + '}';
}

bool RtfWriter::LoadPicture(const QString &name, PictureData &picture) const
{
    const QVariant resource = m_document.resource(QTextDocument::ImageResource, QUrl(name));
    QImage image;
    if (resource.userType() == QMetaType::QByteArray) {
        const QByteArray bytes = resource.toByteArray();
        if (!image.loadFromData(bytes))
            return false;
        // PNG and JPEG files are written as they are; other formats become PNG.
        if (bytes.startsWith("\x89PNG\r\n\x1a\n")) {
            picture.bytes = bytes;
            picture.blip = "pngblip";
        } else if (bytes.startsWith("\xFF\xD8\xFF")) {
            picture.bytes = bytes;
            picture.blip = "jpegblip";
        }
    } else if (resource.userType() == QMetaType::QImage) {
        image = resource.value<QImage>();
    } else if (resource.userType() == QMetaType::QPixmap) {
        image = resource.value<QPixmap>().toImage();
    }
    if (image.isNull())
        return false;
    picture.pixels = image.size();
    if (picture.bytes.isEmpty()) {
        QBuffer buffer(&picture.bytes);
        buffer.open(QIODevice::WriteOnly);
        if (!image.save(&buffer, "PNG"))
            return false;
        picture.blip = "pngblip";
    }
    return true;
}

void RtfWriter::WritePicture(const QTextImageFormat &format)
{
    PictureData picture;
    if (!LoadPicture(format.name(), picture))
        return;
    const double width = format.width() > 0 ? format.width() : picture.pixels.width();
    const double height = format.height() > 0 ? format.height() : picture.pixels.height();
    m_out += QByteArray("{\\pict\\") + picture.blip + "\\picw" + Number(picture.pixels.width()) + "\\pich"
             + Number(picture.pixels.height()) + "\\picwgoal" + Number(Twips(width)) + "\\pichgoal"
             + Number(Twips(height)) + "\r\n";
    const QByteArray hex = picture.bytes.toHex();
    for (qsizetype i = 0; i < hex.size(); i += kHexLineLength)
        m_out += hex.mid(i, kHexLineLength) + "\r\n";
    m_out += '}';
}

QByteArray RtfWriter::Escape(const QString &text)
{
    QByteArray out;
    out.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        switch (u) {
        case u'\\': out += "\\\\"; continue;
        case u'{': out += "\\{"; continue;
        case u'}': out += "\\}"; continue;
        case u'\t': out += "\\tab "; continue;
        case QChar::LineSeparator:
        case QChar::ParagraphSeparator:
        case u'\n':
            out += "\\line ";
            continue;
        case QChar::Nbsp: out += "\\~"; continue;
        case QChar::SoftHyphen: out += "\\-"; continue;
        case 0x2011: out += "\\_"; continue;
        default: break;
        }
        if (u < 0x20 || u == 0x7F || u == QChar::ObjectReplacementCharacter || u == 0xFDD0 || u == 0xFDD1)
            continue; // control characters and document marks carry no text
        if (u < 0x80) {
            out += char(u);
            continue;
        }
        const QString one(c);
        if (IsCp1252Representable(one) && !(u >= 0x80 && u < 0xA0)) {
            const unsigned char byte = static_cast<unsigned char>(StringToCp1252(one).at(0));
            out += "\\'" + QByteArray::number(byte, 16).rightJustified(2, '0');
        } else {
            out += "\\u" + Number(qint16(u)) + '?';
        }
    }
    return out;
}

} // namespace

QByteArray WriteRtf(const QTextDocument &document)
{
    return RtfWriter(document).Write();
}
