#include "platform/richtext/rtf_reader.h"

#include <QColor>
#include <QHash>
#include <QImage>
#include <QStringDecoder>
#include <QStringList>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QUrl>

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "platform/rtl/cp1252.h"

namespace {

// Groups nested deeper than this are read past without effect, so that hostile input cannot
// exhaust memory or time.
constexpr int kMaxGroupDepth = 1000;
// 1440 twips per inch, 96 pixels per inch.
constexpr double kTwipsPerPixel = 15.0;
// Indents and spacing beyond 22 inches are clamped; the layout has no use for more.
constexpr int kMaxTwips = 31680;
// The code page Windows gives the symbol character set: bytes are glyph numbers of the font.
constexpr int kSymbolCodePage = 42;
constexpr int kDefaultHalfPoints = 24;

enum class Destination {
    Text,           // document text
    FontTable,      // \fonttbl: font entries
    ColorTable,     // \colortbl: colour entries
    Picture,        // \pict: picture data
    Object,         // \object: read past, except its \result
    NestTableProps, // \nesttableprops: read past, except the \nestrow that ends a nested row
    Shape,          // \shp: read past, except the picture in its "pib" property
    ShapePropName,  // \sn inside a shape: the property's name
    ShapePicture,   // \sv of a shape's "pib" property: holds the shape's picture
    Skip,           // anything else not shown
};

enum class Keyword {
    // document
    Rtf, Ansi, Mac, Pc, Pca, AnsiCpg, Deff,
    // destinations
    FontTable, ColorTable, Pict, Object, Result, ShpPict, NestTableProps, SkippedDestination,
    // shapes
    Shp, ShapePropName, ShapePropValue, ShapeResult, ShapeLeft, ShapeTop, ShapeRight, ShapeBottom,
    // font table
    Font, FontCharset, CodePage,
    // colour table
    Red, Green, Blue,
    // picture
    PngBlip, JpegBlip, PicW, PicH, PicWGoal, PicHGoal, PicScaleX, PicScaleY,
    // characters
    Plain, Bold, Italic, Underline, UnderlineNone, Strike, FontSize, Foreground, Background,
    Super, Sub, NoSuperSub, UnicodeSkip, Unicode,
    // paragraphs
    Pard, AlignLeft, AlignCenter, AlignRight, AlignJustify, LeftIndent, RightIndent,
    FirstIndent, SpaceBefore, SpaceAfter, InTable,
    // breaks and special characters
    Par, Line, Tab, Cell, Row, NestCell, NestRow, Page, Sect, Character,
};

struct KeywordInfo {
    Keyword keyword;
    char16_t character = 0; // for Keyword::Character
};

const QHash<QByteArray, KeywordInfo> &Keywords()
{
    static const QHash<QByteArray, KeywordInfo> table = [] {
        QHash<QByteArray, KeywordInfo> t;
        auto add = [&t](const char *name, Keyword keyword, char16_t character = 0) {
            t.insert(QByteArray(name), KeywordInfo{keyword, character});
        };
        add("rtf", Keyword::Rtf);
        add("ansi", Keyword::Ansi);
        add("mac", Keyword::Mac);
        add("pc", Keyword::Pc);
        add("pca", Keyword::Pca);
        add("ansicpg", Keyword::AnsiCpg);
        add("deff", Keyword::Deff);

        add("fonttbl", Keyword::FontTable);
        add("colortbl", Keyword::ColorTable);
        add("pict", Keyword::Pict);
        add("object", Keyword::Object);
        add("result", Keyword::Result);
        add("shppict", Keyword::ShpPict);
        add("nesttableprops", Keyword::NestTableProps);
        add("shp", Keyword::Shp);
        add("sn", Keyword::ShapePropName);
        add("sv", Keyword::ShapePropValue);
        add("shprslt", Keyword::ShapeResult);
        add("shpleft", Keyword::ShapeLeft);
        add("shptop", Keyword::ShapeTop);
        add("shpright", Keyword::ShapeRight);
        add("shpbottom", Keyword::ShapeBottom);
        // Destinations whose content is not document text, also when a writer leaves out \*.
        for (const char *name :
             {"stylesheet", "info", "header", "headerl", "headerr", "headerf", "footer", "footerl", "footerr",
              "footerf", "footnote", "annotation", "atnid", "atnauthor", "atnref", "atndate", "fldinst", "xe", "tc",
              "txe", "rxe", "bkmkstart", "bkmkend", "listtable", "listoverridetable", "revtbl", "rsidtbl",
              "filetbl", "themedata", "colorschememapping", "datastore", "latentstyles", "generator",
              "nonshppict", "nonesttables", "pn", "pntxta", "pntxtb", "template", "docvar", "userprops",
              "objdata", "objclass", "objname", "ftnsep", "ftnsepc", "aftnsep", "aftnsepc", "ftncn", "aftncn",
              "pgdsctbl", "xmlnstbl", "mmathPr", "upr", "private", "comment", "keywords", "subject", "title",
              "author", "operator", "doccomm", "company", "manager", "category", "hlinkbase", "blipuid",
              "picprop", "fchars", "lchars", "listpicture", "protusertbl", "wgrffmtfilter", "panose", "falt"})
            add(name, Keyword::SkippedDestination);

        add("f", Keyword::Font);
        add("fcharset", Keyword::FontCharset);
        add("cpg", Keyword::CodePage);
        add("red", Keyword::Red);
        add("green", Keyword::Green);
        add("blue", Keyword::Blue);

        add("pngblip", Keyword::PngBlip);
        add("jpegblip", Keyword::JpegBlip);
        add("picw", Keyword::PicW);
        add("pich", Keyword::PicH);
        add("picwgoal", Keyword::PicWGoal);
        add("pichgoal", Keyword::PicHGoal);
        add("picscalex", Keyword::PicScaleX);
        add("picscaley", Keyword::PicScaleY);

        add("plain", Keyword::Plain);
        add("b", Keyword::Bold);
        add("i", Keyword::Italic);
        for (const char *name : {"ul", "uld", "uldash", "uldashd", "uldashdd", "uldb", "ulhwave", "ulldash", "ulth",
                                 "ulthd", "ulthdash", "ulthdashd", "ulthdashdd", "ulthldash", "ululdbwave", "ulw",
                                 "ulwave"})
            add(name, Keyword::Underline);
        add("ulnone", Keyword::UnderlineNone);
        add("strike", Keyword::Strike);
        add("striked", Keyword::Strike);
        add("fs", Keyword::FontSize);
        add("cf", Keyword::Foreground);
        add("cb", Keyword::Background);
        add("chcbpat", Keyword::Background);
        add("highlight", Keyword::Background);
        add("super", Keyword::Super);
        add("sub", Keyword::Sub);
        add("nosupersub", Keyword::NoSuperSub);
        add("uc", Keyword::UnicodeSkip);
        add("u", Keyword::Unicode);

        add("pard", Keyword::Pard);
        add("ql", Keyword::AlignLeft);
        add("qc", Keyword::AlignCenter);
        add("qr", Keyword::AlignRight);
        add("qj", Keyword::AlignJustify);
        add("qd", Keyword::AlignJustify);
        add("li", Keyword::LeftIndent);
        add("lin", Keyword::LeftIndent);
        add("ri", Keyword::RightIndent);
        add("rin", Keyword::RightIndent);
        add("fi", Keyword::FirstIndent);
        add("sb", Keyword::SpaceBefore);
        add("sa", Keyword::SpaceAfter);
        add("intbl", Keyword::InTable);

        add("par", Keyword::Par);
        add("line", Keyword::Line);
        add("tab", Keyword::Tab);
        add("cell", Keyword::Cell);
        add("row", Keyword::Row);
        add("nestcell", Keyword::NestCell);
        add("nestrow", Keyword::NestRow);
        add("page", Keyword::Page);
        add("sect", Keyword::Sect);
        add("emdash", Keyword::Character, 0x2014);
        add("endash", Keyword::Character, 0x2013);
        add("emspace", Keyword::Character, 0x2003);
        add("enspace", Keyword::Character, 0x2002);
        add("qmspace", Keyword::Character, 0x2005);
        add("bullet", Keyword::Character, 0x2022);
        add("lquote", Keyword::Character, 0x2018);
        add("rquote", Keyword::Character, 0x2019);
        add("ldblquote", Keyword::Character, 0x201C);
        add("rdblquote", Keyword::Character, 0x201D);
        add("zwj", Keyword::Character, 0x200D);
        add("zwnj", Keyword::Character, 0x200C);
        add("ltrmark", Keyword::Character, 0x200E);
        add("rtlmark", Keyword::Character, 0x200F);
        return t;
    }();
    return table;
}

struct CharProps {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    int font = -1; // font table number; -1: the default font
    int halfPoints = kDefaultHalfPoints;
    int foreground = 0; // colour table index; 0: automatic
    int background = 0; // colour table index; 0: none
    QTextCharFormat::VerticalAlignment vertical = QTextCharFormat::AlignNormal;

    bool operator==(const CharProps &o) const
    {
        return bold == o.bold && italic == o.italic && underline == o.underline && strike == o.strike
               && font == o.font && halfPoints == o.halfPoints && foreground == o.foreground
               && background == o.background && vertical == o.vertical;
    }
};

struct ParProps {
    Qt::Alignment alignment = Qt::AlignLeft;
    int left = 0; // twips
    int right = 0;
    int first = 0;
    int before = 0;
    int after = 0;
    bool inTable = false;
};

struct GroupState {
    Destination destination = Destination::Text;
    CharProps chars;
    ParProps para;
    int unicodeSkip = 1;
};

struct FontEntry {
    QString name;
    int charset = 0;
    int codePage = 0; // from \cpg; 0: from the character set
};

struct Picture {
    enum Kind { Other, Png, Jpeg } kind = Other;
    QByteArray hex;
    QByteArray binary;
    int width = 0; // \picw, \pich: pixels for bitmaps
    int height = 0;
    int goalWidth = 0; // twips
    int goalHeight = 0;
    bool shape = false; // the picture of a shape, whose extent gives the size shown
    int scaleX = 100;
    int scaleY = 100;
};

struct Run {
    QString text;
    CharProps chars;
    bool isImage = false;
    QTextImageFormat image;
};

// The Windows code page of a font character set; 0 for the character sets that use the
// document's code page.
int CharsetCodePage(int charset)
{
    switch (charset) {
    case 2: return kSymbolCodePage;
    case 77: return 10000;
    case 128: return 932;
    case 129: return 949;
    case 130: return 1361;
    case 134: return 936;
    case 136: return 950;
    case 161: return 1253;
    case 162: return 1254;
    case 163: return 1258;
    case 177: return 1255;
    case 178: return 1256;
    case 186: return 1257;
    case 204: return 1251;
    case 222: return 874;
    case 238: return 1250;
    case 255: return 437;
    default: return 0;
    }
}

int ClampTwips(int value)
{
    return qBound(-kMaxTwips, value, kMaxTwips);
}

bool IsHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return c - 'A' + 10;
}

bool IsLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

class RtfParser
{
public:
    RtfParser(const QByteArray &rtf, QTextDocument &document) : m_rtf(rtf), m_document(document), m_cursor(&document)
    {
    }

    // Reads the whole input; false with a message when it is damaged.
    bool Parse(QString *error);

private:
    void OpenGroup();
    // False when the outermost group closed.
    bool CloseGroup();
    void ReadControl();
    void ControlWord(const QByteArray &name, bool hasParameter, int parameter);
    void ControlSymbol(char symbol);
    void SkipBinary(int length);
    void ShapeWord(Keyword keyword, int parameter);
    // A byte of text: a literal one, or one given as \'hh (never a delimiter).
    void TextByte(char byte, bool literal);
    void AppendText(const QString &text);
    void AppendCharacter(char16_t character) { AppendText(QString(QChar(character))); }
    bool ConsumeSkippedCharacter();
    void FlushBytes();
    QString Decode(const QByteArray &bytes, int codePage);
    int CurrentCodePage() const;
    bool SkippingDestination() const;

    void CommitFont();
    void CommitColor();
    void FinishPicture();
    void EndParagraph();
    void PageOrSectionBreak();
    void AddTextRun(const QString &text);
    void FlushPendingTabs();

    QTextCharFormat CharFormat(const CharProps &props) const;
    QTextBlockFormat BlockFormat(const ParProps &props) const;

    const QByteArray &m_rtf;
    qsizetype m_pos = 0;
    QTextDocument &m_document;
    QTextCursor m_cursor;
    bool m_firstBlock = true;

    std::vector<GroupState> m_stack;
    GroupState m_state;
    int m_overflow = 0;       // groups opened past the depth limit and not yet closed
    int m_skipCharacters = 0; // \uN fallback characters still to read past
    bool m_ignorableNext = false;
    bool m_tooDeep = false;
    QByteArray m_pendingBytes; // text bytes awaiting decoding (double-byte characters span two)
    std::map<int, std::unique_ptr<QStringDecoder>> m_decoders;

    int m_ansiCodePage = 1252;
    int m_defaultFont = 0;
    std::map<int, FontEntry> m_fonts;
    bool m_fontOpen = false;
    int m_fontNumber = 0;
    FontEntry m_font;

    std::vector<QColor> m_colors;
    int m_red = 0, m_green = 0, m_blue = 0;
    bool m_colorGiven = false;

    Picture m_picture;
    int m_imageCount = 0;
    // The shape being read: its extent in twips and the name of its current property.
    int m_shapeLeft = 0, m_shapeTop = 0, m_shapeRight = 0, m_shapeBottom = 0;
    QString m_shapePropName;

    std::vector<Run> m_runs;
    int m_pendingTabs = 0; // cell separators written once the row has more text
};

bool RtfParser::Parse(QString *error)
{
    const qsizetype size = m_rtf.size();
    m_pos = m_rtf.indexOf('{');
    bool closed = false;
    while (m_pos < size && !closed) {
        const char c = m_rtf[m_pos++];
        switch (c) {
        case '{':
            OpenGroup();
            break;
        case '}':
            closed = !CloseGroup();
            break;
        case '\\':
            ReadControl();
            break;
        case '\r':
        case '\n':
        case '\0':
            break;
        default:
            TextByte(c, true);
            break;
        }
    }
    FlushBytes();
    if (!m_runs.empty() || m_pendingTabs > 0)
        EndParagraph();
    if (!closed) {
        if (error)
            *error = QStringLiteral("The RTF text ends before all its groups are closed.");
        return false;
    }
    if (m_tooDeep) {
        if (error)
            *error = QStringLiteral("The RTF text nests groups deeper than %1 levels; their content was skipped.")
                         .arg(kMaxGroupDepth);
        return false;
    }
    return true;
}

void RtfParser::OpenGroup()
{
    m_skipCharacters = 0;
    if (m_overflow > 0 || int(m_stack.size()) >= kMaxGroupDepth) {
        ++m_overflow;
        m_tooDeep = true;
        return;
    }
    FlushBytes();
    m_stack.push_back(m_state);
}

bool RtfParser::CloseGroup()
{
    m_skipCharacters = 0;
    m_ignorableNext = false;
    if (m_overflow > 0) {
        --m_overflow;
        return true;
    }
    FlushBytes();
    if (m_stack.empty())
        return false;
    const GroupState &parent = m_stack.back();
    if (m_state.destination == Destination::FontTable)
        CommitFont();
    if (m_state.destination == Destination::Picture && parent.destination != Destination::Picture)
        FinishPicture();
    // The outermost group's own state is the document's; closing it ends reading.
    m_state = parent;
    m_stack.pop_back();
    return !m_stack.empty();
}

void RtfParser::ReadControl()
{
    const qsizetype size = m_rtf.size();
    if (m_pos >= size)
        return;
    const char first = m_rtf[m_pos];
    if (!IsLetter(first)) {
        ++m_pos;
        if (first == '\'') {
            if (m_pos + 1 < size && IsHexDigit(m_rtf[m_pos]) && IsHexDigit(m_rtf[m_pos + 1])) {
                const char byte = char(HexValue(m_rtf[m_pos]) * 16 + HexValue(m_rtf[m_pos + 1]));
                m_pos += 2;
                if (m_overflow == 0)
                    TextByte(byte, false);
            } else if (m_pos < size && IsHexDigit(m_rtf[m_pos])) {
                ++m_pos; // a lone digit of a broken escape is dropped, not shown
            }
            return;
        }
        if (m_overflow == 0)
            ControlSymbol(first);
        return;
    }
    QByteArray name;
    while (m_pos < size && IsLetter(m_rtf[m_pos])) {
        if (name.size() < 32)
            name.append(m_rtf[m_pos]);
        ++m_pos;
    }
    bool hasParameter = false;
    bool negative = false;
    int64_t value = 0;
    if (m_pos + 1 < size && m_rtf[m_pos] == '-' && IsDigit(m_rtf[m_pos + 1])) {
        negative = true;
        ++m_pos;
    }
    while (m_pos < size && IsDigit(m_rtf[m_pos])) {
        hasParameter = true;
        if (value < INT32_MAX)
            value = value * 10 + (m_rtf[m_pos] - '0');
        ++m_pos;
    }
    if (m_pos < size && m_rtf[m_pos] == ' ')
        ++m_pos;
    value = qMin<int64_t>(value, INT32_MAX);
    const int parameter = int(negative ? -value : value);

    if (name == "bin") {
        // Binary data follows whatever the state; it must be stepped over in every case.
        SkipBinary(hasParameter ? parameter : 0);
        return;
    }
    if (m_overflow == 0)
        ControlWord(name, hasParameter, parameter);
}

void RtfParser::SkipBinary(int length)
{
    const qsizetype available = m_rtf.size() - m_pos;
    const qsizetype count = qBound(qsizetype(0), qsizetype(length), available);
    const QByteArray data = m_rtf.mid(m_pos, count);
    m_pos += count;
    if (m_overflow > 0)
        return;
    FlushBytes();
    if (ConsumeSkippedCharacter())
        return;
    if (m_state.destination == Destination::Picture)
        m_picture.binary.append(data);
}

void RtfParser::ShapeWord(Keyword keyword, int parameter)
{
    switch (keyword) {
    case Keyword::ShapeLeft: m_shapeLeft = parameter; break;
    case Keyword::ShapeTop: m_shapeTop = parameter; break;
    case Keyword::ShapeRight: m_shapeRight = parameter; break;
    case Keyword::ShapeBottom: m_shapeBottom = parameter; break;
    case Keyword::ShapePropName:
        m_state.destination = Destination::ShapePropName;
        m_shapePropName.clear();
        break;
    case Keyword::ShapePropValue:
        // Only the shape's picture is shown; other properties and the result, a fallback
        // drawing of the same shape, are read past.
        m_state.destination = m_shapePropName == QLatin1String("pib") ? Destination::ShapePicture : Destination::Skip;
        break;
    case Keyword::ShapeResult:
    case Keyword::SkippedDestination:
        m_state.destination = Destination::Skip;
        break;
    default:
        break;
    }
}

bool RtfParser::ConsumeSkippedCharacter()
{
    if (m_skipCharacters <= 0)
        return false;
    --m_skipCharacters;
    return true;
}

bool RtfParser::SkippingDestination() const
{
    switch (m_state.destination) {
    case Destination::Skip:
    case Destination::Object:
    case Destination::NestTableProps:
    case Destination::Shape:
    case Destination::ShapePropName:
    case Destination::ShapePicture:
        return true;
    default:
        return false;
    }
}

void RtfParser::ControlSymbol(char symbol)
{
    if (symbol == '*') {
        m_ignorableNext = true;
        return;
    }
    if (symbol == '{' || symbol == '}' || symbol == '\\') {
        TextByte(symbol, false);
        return;
    }
    if (symbol == '\r' || symbol == '\n') {
        // A backslash ending a line is a paragraph mark.
        ControlWord(QByteArrayLiteral("par"), false, 0);
        return;
    }
    FlushBytes();
    if (ConsumeSkippedCharacter())
        return;
    switch (symbol) {
    case '~': AppendCharacter(0x00A0); break;
    case '-': AppendCharacter(0x00AD); break;
    case '_': AppendCharacter(0x2011); break;
    default: break; // \: \| and unknown symbols carry nothing shown
    }
}

void RtfParser::ControlWord(const QByteArray &name, bool hasParameter, int parameter)
{
    const bool ignorable = m_ignorableNext;
    m_ignorableNext = false;
    FlushBytes();
    if (ConsumeSkippedCharacter())
        return;

    const auto found = Keywords().constFind(name);
    const bool known = found != Keywords().constEnd();
    if (!known) {
        // An unknown destination marked \* is read past; other unknown words are ignored.
        if (ignorable && !SkippingDestination())
            m_state.destination = Destination::Skip;
        return;
    }
    const Keyword keyword = found->keyword;

    if (SkippingDestination()) {
        if (keyword == Keyword::Result && m_state.destination == Destination::Object)
            m_state.destination = Destination::Text;
        else if (m_state.destination == Destination::Shape)
            ShapeWord(keyword, parameter);
        else if (keyword == Keyword::Pict && m_state.destination == Destination::ShapePicture) {
            m_state.destination = Destination::Picture;
            m_picture = Picture();
            m_picture.shape = true;
        } else if (keyword == Keyword::NestRow && m_state.destination == Destination::NestTableProps
                 && m_stack.size() >= 1 && m_stack.back().destination == Destination::Text) {
            // The nested row ends inside the outer cell: a line break keeps its rows apart.
            m_pendingTabs = 0;
            GroupState saved = m_state;
            m_state = m_stack.back();
            AppendCharacter(QChar::LineSeparator);
            m_state = saved;
        }
        return;
    }
    if (ignorable && keyword != Keyword::ShpPict && keyword != Keyword::NestTableProps) {
        m_state.destination = Destination::Skip;
        return;
    }

    const int on = hasParameter ? parameter : 1;
    CharProps &chars = m_state.chars;
    ParProps &para = m_state.para;
    const Destination destination = m_state.destination;

    switch (keyword) {
    case Keyword::Rtf:
    case Keyword::ShpPict:
        break;
    case Keyword::Ansi: m_ansiCodePage = 1252; break;
    case Keyword::Mac: m_ansiCodePage = 10000; break;
    case Keyword::Pc: m_ansiCodePage = 437; break;
    case Keyword::Pca: m_ansiCodePage = 850; break;
    case Keyword::AnsiCpg: m_ansiCodePage = parameter > 0 ? parameter : 1252; break;
    case Keyword::Deff: m_defaultFont = parameter; break;

    case Keyword::FontTable:
        m_state.destination = Destination::FontTable;
        m_fontOpen = false;
        break;
    case Keyword::ColorTable:
        m_state.destination = Destination::ColorTable;
        m_colors.clear();
        m_colorGiven = false;
        m_red = m_green = m_blue = 0;
        break;
    case Keyword::Pict:
        if (destination == Destination::Text) {
            m_state.destination = Destination::Picture;
            m_picture = Picture();
        } else {
            m_state.destination = Destination::Skip;
        }
        break;
    case Keyword::Object:
        m_state.destination = destination == Destination::Text ? Destination::Object : Destination::Skip;
        break;
    case Keyword::NestTableProps: m_state.destination = Destination::NestTableProps; break;
    case Keyword::Shp:
        if (destination == Destination::Text) {
            m_state.destination = Destination::Shape;
            m_shapeLeft = m_shapeTop = m_shapeRight = m_shapeBottom = 0;
            m_shapePropName.clear();
        } else {
            m_state.destination = Destination::Skip;
        }
        break;
    case Keyword::ShapePropName:
    case Keyword::ShapePropValue:
    case Keyword::ShapeResult:
    case Keyword::ShapeLeft:
    case Keyword::ShapeTop:
    case Keyword::ShapeRight:
    case Keyword::ShapeBottom:
        break; // meaningful only inside a shape
    case Keyword::SkippedDestination: m_state.destination = Destination::Skip; break;
    case Keyword::Result: break;

    case Keyword::Font:
        if (destination == Destination::FontTable) {
            CommitFont();
            m_fontOpen = true;
            m_fontNumber = parameter;
            m_font = FontEntry();
        } else {
            chars.font = parameter;
        }
        break;
    case Keyword::FontCharset:
        if (destination == Destination::FontTable)
            m_font.charset = parameter;
        break;
    case Keyword::CodePage:
        if (destination == Destination::FontTable)
            m_font.codePage = parameter;
        break;

    case Keyword::Red:
        m_red = qBound(0, parameter, 255);
        m_colorGiven = true;
        break;
    case Keyword::Green:
        m_green = qBound(0, parameter, 255);
        m_colorGiven = true;
        break;
    case Keyword::Blue:
        m_blue = qBound(0, parameter, 255);
        m_colorGiven = true;
        break;

    case Keyword::PngBlip: m_picture.kind = Picture::Png; break;
    case Keyword::JpegBlip: m_picture.kind = Picture::Jpeg; break;
    case Keyword::PicW: m_picture.width = parameter; break;
    case Keyword::PicH: m_picture.height = parameter; break;
    case Keyword::PicWGoal: m_picture.goalWidth = parameter; break;
    case Keyword::PicHGoal: m_picture.goalHeight = parameter; break;
    case Keyword::PicScaleX: m_picture.scaleX = parameter; break;
    case Keyword::PicScaleY: m_picture.scaleY = parameter; break;

    case Keyword::Plain: chars = CharProps(); break;
    case Keyword::Bold: chars.bold = on != 0; break;
    case Keyword::Italic: chars.italic = on != 0; break;
    case Keyword::Underline: chars.underline = on != 0; break;
    case Keyword::UnderlineNone: chars.underline = false; break;
    case Keyword::Strike: chars.strike = on != 0; break;
    case Keyword::FontSize:
        chars.halfPoints = hasParameter && parameter > 0 ? qMin(parameter, 3276) : kDefaultHalfPoints;
        chars.halfPoints = qMax(chars.halfPoints, 2);
        break;
    case Keyword::Foreground: chars.foreground = qMax(0, parameter); break;
    case Keyword::Background: chars.background = qMax(0, parameter); break;
    case Keyword::Super: chars.vertical = QTextCharFormat::AlignSuperScript; break;
    case Keyword::Sub: chars.vertical = QTextCharFormat::AlignSubScript; break;
    case Keyword::NoSuperSub: chars.vertical = QTextCharFormat::AlignNormal; break;
    case Keyword::UnicodeSkip: m_state.unicodeSkip = qBound(0, parameter, 16); break;
    case Keyword::Unicode:
        if (destination == Destination::Text || destination == Destination::FontTable) {
            AppendCharacter(char16_t(parameter & 0xFFFF));
        }
        m_skipCharacters = m_state.unicodeSkip;
        break;

    case Keyword::Pard: para = ParProps(); break;
    case Keyword::AlignLeft: para.alignment = Qt::AlignLeft; break;
    case Keyword::AlignCenter: para.alignment = Qt::AlignHCenter; break;
    case Keyword::AlignRight: para.alignment = Qt::AlignRight; break;
    case Keyword::AlignJustify: para.alignment = Qt::AlignJustify; break;
    case Keyword::LeftIndent: para.left = ClampTwips(parameter); break;
    case Keyword::RightIndent: para.right = ClampTwips(parameter); break;
    case Keyword::FirstIndent: para.first = ClampTwips(parameter); break;
    case Keyword::SpaceBefore: para.before = qBound(0, parameter, kMaxTwips); break;
    case Keyword::SpaceAfter: para.after = qBound(0, parameter, kMaxTwips); break;
    case Keyword::InTable: para.inTable = true; break;

    case Keyword::Par:
        if (destination != Destination::Text)
            break;
        // A paragraph inside a table cell stays in the row's paragraph.
        if (para.inTable)
            AppendCharacter(QChar::LineSeparator);
        else
            EndParagraph();
        break;
    case Keyword::Line:
        if (destination == Destination::Text)
            AppendCharacter(QChar::LineSeparator);
        break;
    case Keyword::Tab:
        if (destination == Destination::Text)
            AppendCharacter(u'\t');
        break;
    case Keyword::Cell:
    case Keyword::NestCell:
        if (destination == Destination::Text)
            ++m_pendingTabs;
        break;
    case Keyword::Row:
        if (destination == Destination::Text) {
            m_pendingTabs = 0;
            EndParagraph();
        }
        break;
    case Keyword::NestRow:
        if (destination == Destination::Text) {
            m_pendingTabs = 0;
            AppendCharacter(QChar::LineSeparator);
        }
        break;
    case Keyword::Page:
    case Keyword::Sect:
        if (destination == Destination::Text)
            PageOrSectionBreak();
        break;
    case Keyword::Character:
        if (destination == Destination::Text)
            AppendCharacter(found->character);
        break;
    }
}

void RtfParser::TextByte(char byte, bool literal)
{
    if (m_overflow > 0)
        return;
    if (ConsumeSkippedCharacter())
        return;
    switch (m_state.destination) {
    case Destination::Text:
        if (literal && byte == '\t') {
            FlushBytes();
            AppendCharacter(u'\t');
            return;
        }
        m_pendingBytes.append(byte);
        break;
    case Destination::ShapePropName:
        m_pendingBytes.append(byte);
        break;
    case Destination::FontTable:
        if (literal && byte == ';') {
            FlushBytes();
            CommitFont();
            return;
        }
        m_pendingBytes.append(byte);
        break;
    case Destination::ColorTable:
        if (literal && byte == ';')
            CommitColor();
        break;
    case Destination::Picture:
        if (literal && IsHexDigit(byte))
            m_picture.hex.append(byte);
        break;
    default:
        break;
    }
}

int RtfParser::CurrentCodePage() const
{
    const FontEntry *font = nullptr;
    if (m_state.destination == Destination::FontTable) {
        font = &m_font;
    } else {
        const int number = m_state.chars.font >= 0 ? m_state.chars.font : m_defaultFont;
        const auto it = m_fonts.find(number);
        if (it != m_fonts.end())
            font = &it->second;
    }
    if (font) {
        if (font->codePage > 0)
            return font->codePage;
        const int codePage = CharsetCodePage(font->charset);
        if (codePage > 0)
            return codePage;
    }
    return m_ansiCodePage;
}

QString RtfParser::Decode(const QByteArray &bytes, int codePage)
{
    if (codePage == 1252)
        return Cp1252ToString(bytes);
    if (codePage == 65001)
        return QString::fromUtf8(bytes);
    if (codePage == kSymbolCodePage) {
        // Glyph numbers of a symbol font; the bullet that lists use is given its character,
        // the rest keep their Latin-1 value.
        QString text = QString::fromLatin1(bytes);
        text.replace(QChar(0xB7), QChar(0x2022));
        return text;
    }
    auto it = m_decoders.find(codePage);
    if (it == m_decoders.end()) {
        std::unique_ptr<QStringDecoder> decoder;
        const QString number = QString::number(codePage);
        QStringList names{QStringLiteral("windows-") + number, QStringLiteral("cp") + number,
                          QStringLiteral("ibm") + number};
        if (codePage == 10000)
            names.prepend(QStringLiteral("macintosh"));
        for (const QString &candidate : names) {
            auto attempt = std::make_unique<QStringDecoder>(candidate.toLatin1().constData());
            if (attempt->isValid()) {
                decoder = std::move(attempt);
                break;
            }
        }
        it = m_decoders.emplace(codePage, std::move(decoder)).first;
    }
    if (!it->second)
        return Cp1252ToString(bytes);
    it->second->resetState();
    return it->second->decode(bytes);
}

void RtfParser::FlushBytes()
{
    if (m_pendingBytes.isEmpty())
        return;
    const QByteArray bytes = m_pendingBytes;
    m_pendingBytes.clear();
    AppendText(Decode(bytes, CurrentCodePage()));
}

void RtfParser::AppendText(const QString &text)
{
    if (m_state.destination == Destination::FontTable) {
        if (m_fontOpen)
            m_font.name += text;
        return;
    }
    if (m_state.destination == Destination::ShapePropName) {
        m_shapePropName += text;
        return;
    }
    if (m_state.destination != Destination::Text)
        return;
    // Characters with a meaning of their own to the document (block and frame breaks, the
    // object mark) or none at all (control characters) are dropped.
    QString clean;
    clean.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if ((u < 0x20 && u != u'\t') || u == 0x7F || u == QChar::ParagraphSeparator
            || u == QChar::ObjectReplacementCharacter || u == 0xFDD0 || u == 0xFDD1)
            continue;
        clean.append(c);
    }
    if (clean.isEmpty())
        return;
    FlushPendingTabs();
    AddTextRun(clean);
}

void RtfParser::FlushPendingTabs()
{
    // The separators of the cells before this content in the row.
    if (m_pendingTabs <= 0)
        return;
    const int tabs = m_pendingTabs;
    m_pendingTabs = 0;
    AddTextRun(QString(tabs, u'\t'));
}

void RtfParser::AddTextRun(const QString &text)
{
    if (!m_runs.empty() && !m_runs.back().isImage && m_runs.back().chars == m_state.chars) {
        m_runs.back().text += text;
        return;
    }
    Run run;
    run.text = text;
    run.chars = m_state.chars;
    m_runs.push_back(run);
}

void RtfParser::CommitFont()
{
    if (!m_fontOpen)
        return;
    FlushBytes();
    m_fontOpen = false;
    m_font.name = m_font.name.trimmed();
    m_fonts[m_fontNumber] = m_font;
}

void RtfParser::CommitColor()
{
    m_colors.push_back(m_colorGiven ? QColor(m_red, m_green, m_blue) : QColor());
    m_colorGiven = false;
    m_red = m_green = m_blue = 0;
}

void RtfParser::FinishPicture()
{
    if (m_picture.kind == Picture::Other)
        return; // metafiles and device-dependent bitmaps are not shown
    const QByteArray data = m_picture.binary.isEmpty() ? QByteArray::fromHex(m_picture.hex) : m_picture.binary;
    QImage image;
    if (!image.loadFromData(data, m_picture.kind == Picture::Png ? "PNG" : "JPEG"))
        return;
    int goalWidth = m_picture.goalWidth;
    int goalHeight = m_picture.goalHeight;
    if (m_picture.shape && goalWidth <= 0 && goalHeight <= 0) {
        goalWidth = int(qBound(qint64(0), qint64(m_shapeRight) - m_shapeLeft, qint64(INT32_MAX)));
        goalHeight = int(qBound(qint64(0), qint64(m_shapeBottom) - m_shapeTop, qint64(INT32_MAX)));
    }
    double width = goalWidth > 0 ? goalWidth / kTwipsPerPixel : image.width();
    double height = goalHeight > 0 ? goalHeight / kTwipsPerPixel : image.height();
    if (m_picture.scaleX > 0)
        width = width * m_picture.scaleX / 100.0;
    if (m_picture.scaleY > 0)
        height = height * m_picture.scaleY / 100.0;
    // The file's bytes are the resource, so that a picture written back is the one read.
    const QUrl url(QStringLiteral("rtfimage:%1").arg(++m_imageCount));
    m_document.addResource(QTextDocument::ImageResource, url, data);
    Run run;
    run.isImage = true;
    run.chars = m_stack.empty() ? m_state.chars : m_stack.back().chars;
    run.image.setName(url.toString());
    run.image.setWidth(qBound(1.0, width, 10000.0));
    run.image.setHeight(qBound(1.0, height, 10000.0));
    FlushPendingTabs();
    m_runs.push_back(run);
}

void RtfParser::PageOrSectionBreak()
{
    // A page or section break ends a paragraph that has text; right after a paragraph mark
    // it adds nothing, as an empty paragraph there would not be in the text.
    if (!m_runs.empty() || m_pendingTabs > 0)
        EndParagraph();
}

QTextCharFormat RtfParser::CharFormat(const CharProps &props) const
{
    QTextCharFormat format;
    const auto font = m_fonts.find(props.font >= 0 ? props.font : m_defaultFont);
    if (font != m_fonts.end() && !font->second.name.isEmpty())
        format.setFontFamilies(QStringList{font->second.name});
    format.setFontPointSize(props.halfPoints / 2.0);
    if (props.bold)
        format.setFontWeight(QFont::Bold);
    if (props.italic)
        format.setFontItalic(true);
    if (props.underline)
        format.setFontUnderline(true);
    if (props.strike)
        format.setFontStrikeOut(true);
    if (props.foreground < int(m_colors.size()) && m_colors[props.foreground].isValid())
        format.setForeground(m_colors[props.foreground]);
    if (props.background > 0 && props.background < int(m_colors.size()) && m_colors[props.background].isValid())
        format.setBackground(m_colors[props.background]);
    if (props.vertical != QTextCharFormat::AlignNormal)
        format.setVerticalAlignment(props.vertical);
    return format;
}

QTextBlockFormat RtfParser::BlockFormat(const ParProps &props) const
{
    QTextBlockFormat format;
    if (props.alignment != Qt::AlignLeft)
        format.setAlignment(props.alignment);
    if (props.left != 0)
        format.setLeftMargin(props.left / kTwipsPerPixel);
    if (props.right != 0)
        format.setRightMargin(props.right / kTwipsPerPixel);
    if (props.first != 0)
        format.setTextIndent(props.first / kTwipsPerPixel);
    if (props.before != 0)
        format.setTopMargin(props.before / kTwipsPerPixel);
    if (props.after != 0)
        format.setBottomMargin(props.after / kTwipsPerPixel);
    return format;
}

void RtfParser::EndParagraph()
{
    FlushBytes();
    m_pendingTabs = 0;
    const QTextBlockFormat blockFormat = BlockFormat(m_state.para);
    const QTextCharFormat markFormat = CharFormat(m_state.chars);
    if (m_firstBlock) {
        m_cursor.setBlockFormat(blockFormat);
        m_cursor.setBlockCharFormat(markFormat);
        m_firstBlock = false;
    } else {
        m_cursor.insertBlock(blockFormat, markFormat);
    }
    for (const Run &run : m_runs) {
        if (run.isImage)
            m_cursor.insertImage(run.image);
        else
            m_cursor.insertText(run.text, CharFormat(run.chars));
    }
    m_runs.clear();
}

} // namespace

bool IsRtf(const QByteArray &bytes)
{
    qsizetype i = 0;
    while (i < bytes.size() && (bytes[i] == ' ' || bytes[i] == '\t' || bytes[i] == '\r' || bytes[i] == '\n'))
        ++i;
    return bytes.mid(i, 5) == "{\\rtf";
}

bool ReadRtf(const QByteArray &rtf, QTextDocument &document, QString *error)
{
    const bool undo = document.isUndoRedoEnabled();
    document.setUndoRedoEnabled(false);
    document.clear();
    bool ok = false;
    if (!IsRtf(rtf)) {
        if (error)
            *error = QStringLiteral("The text is not RTF.");
    } else {
        // One edit block: the cursor then skips laying out the block after every insertion,
        // which would make long paragraphs of many runs quadratic.
        QTextCursor batch(&document);
        batch.beginEditBlock();
        RtfParser parser(rtf, document);
        ok = parser.Parse(error);
        batch.endEditBlock();
    }
    document.setUndoRedoEnabled(undo);
    return ok;
}
