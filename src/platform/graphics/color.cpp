#include "platform/graphics/color.h"

#include <QHash>

namespace {

// Classic system colours, $00BBGGRR, indexed by COLOR_...
constexpr TColor kSysColors[] = {
    0xC8D0D4, // 0 scroll bar
    0xA56E3A, // 1 background (desktop)
    0x6A240A, // 2 active caption
    0x808080, // 3 inactive caption
    0xC8D0D4, // 4 menu
    0xFFFFFF, // 5 window
    0x000000, // 6 window frame
    0x000000, // 7 menu text
    0x000000, // 8 window text
    0xFFFFFF, // 9 caption text
    0xC8D0D4, // 10 active border
    0xC8D0D4, // 11 inactive border
    0x808080, // 12 application workspace
    0x6A240A, // 13 highlight
    0xFFFFFF, // 14 highlight text
    0xC8D0D4, // 15 button face
    0x808080, // 16 button shadow
    0x808080, // 17 grey text
    0x000000, // 18 button text
    0xC8D0D4, // 19 inactive caption text
    0xFFFFFF, // 20 button highlight
    0x404040, // 21 3D dark shadow
    0xC8D0D4, // 22 3D light
    0x000000, // 23 info text
    0xE1FFFF, // 24 info background
    0xB5B5B5, // 25 (unused)
    0x800000, // 26 hot light
    0xF0CAA6, // 27 gradient active caption
    0xC0C0C0, // 28 gradient inactive caption
    0x6A240A, // 29 menu highlight
    0xC8D0D4, // 30 menu bar
};

struct ColorName
{
    TColor Color;
    const char *Name;
};

// Standard and system colour names in the platform's order.
constexpr ColorName kColorNames[] = {
    {clBlack, "clBlack"}, {clMaroon, "clMaroon"}, {clGreen, "clGreen"}, {clOlive, "clOlive"},
    {clNavy, "clNavy"}, {clPurple, "clPurple"}, {clTeal, "clTeal"}, {clGray, "clGray"},
    {clSilver, "clSilver"}, {clRed, "clRed"}, {clLime, "clLime"}, {clYellow, "clYellow"},
    {clBlue, "clBlue"}, {clFuchsia, "clFuchsia"}, {clAqua, "clAqua"}, {clWhite, "clWhite"},
    {clMoneyGreen, "clMoneyGreen"}, {clSkyBlue, "clSkyBlue"}, {clCream, "clCream"},
    {clMedGray, "clMedGray"},
    {clActiveBorder, "clActiveBorder"}, {clActiveCaption, "clActiveCaption"},
    {clAppWorkSpace, "clAppWorkSpace"}, {clBackground, "clBackground"},
    {clBtnFace, "clBtnFace"}, {clBtnHighlight, "clBtnHighlight"}, {clBtnShadow, "clBtnShadow"},
    {clBtnText, "clBtnText"}, {clCaptionText, "clCaptionText"}, {clDefault, "clDefault"},
    {clGradientActiveCaption, "clGradientActiveCaption"},
    {clGradientInactiveCaption, "clGradientInactiveCaption"}, {clGrayText, "clGrayText"},
    {clHighlight, "clHighlight"}, {clHighlightText, "clHighlightText"},
    {clHotLight, "clHotLight"}, {clInactiveBorder, "clInactiveBorder"},
    {clInactiveCaption, "clInactiveCaption"}, {clInactiveCaptionText, "clInactiveCaptionText"},
    {clInfoBk, "clInfoBk"}, {clInfoText, "clInfoText"}, {clMenu, "clMenu"},
    {clMenuBar, "clMenuBar"}, {clMenuHighlight, "clMenuHighlight"}, {clMenuText, "clMenuText"},
    {clNone, "clNone"}, {clScrollBar, "clScrollBar"}, {cl3DDkShadow, "cl3DDkShadow"},
    {cl3DLight, "cl3DLight"}, {clWindow, "clWindow"}, {clWindowFrame, "clWindowFrame"},
    {clWindowText, "clWindowText"},
};

} // namespace

TColor GetSysColor(int index)
{
    if (index < 0 || index >= int(sizeof kSysColors / sizeof kSysColors[0]))
        return 0;
    return kSysColors[index];
}

TColor ColorToRGB(TColor color)
{
    if (color == clNone || color == clDefault)
        return 0;
    if (color < 0)
        return GetSysColor(color & 0xFF);
    return color & 0xFFFFFF;
}

QColor ColorToQColor(TColor color)
{
    const TColor rgb = ColorToRGB(color);
    return QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

TColor QColorToColor(const QColor &color)
{
    return RGBColor(color.red(), color.green(), color.blue());
}

QString ColorToString(TColor color)
{
    for (const ColorName &entry : kColorNames) {
        if (entry.Color == color)
            return QString::fromLatin1(entry.Name);
    }
    return QStringLiteral("$%1").arg(static_cast<uint32_t>(color), 8, 16, QLatin1Char('0')).toUpper();
}

bool StringToColor(const QString &text, TColor &color)
{
    const QString trimmed = text.trimmed();
    for (const ColorName &entry : kColorNames) {
        if (trimmed.compare(QLatin1String(entry.Name), Qt::CaseInsensitive) == 0) {
            color = entry.Color;
            return true;
        }
    }
    bool ok = false;
    qint64 value = 0;
    if (trimmed.startsWith(QLatin1Char('$')))
        value = trimmed.mid(1).toLongLong(&ok, 16);
    else if (trimmed.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        value = trimmed.mid(2).toLongLong(&ok, 16);
    else
        value = trimmed.toLongLong(&ok, 10);
    if (!ok || value < INT32_MIN || value > UINT32_MAX)
        return false;
    color = static_cast<TColor>(static_cast<uint32_t>(value));
    return true;
}
