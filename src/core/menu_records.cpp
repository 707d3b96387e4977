#include "core/menu_records.h"

#include <cerrno>
#include <vector>

#include "core/action_records.h"
#include "core/error_reporting.h"
#include "core/project_model.h"
#include "core/record_io.h"
#include "core/stream_primitives.h"
#include "platform/graphics/picture.h"
#include "platform/rtl/streams.h"
#include "platform/vcl/statusbar.h"

namespace {

constexpr QChar kActionsMark = QChar(1);

// Sub-items are read recursively; a forged stream of items inside items must not run the
// reader out of stack. No real menu comes near this depth.
constexpr int kMaxMenuDepth = 1000;
thread_local int MenuDepth = 0;

class TMenuDepthGuard
{
public:
    TMenuDepthGuard()
    {
        if (MenuDepth >= kMaxMenuDepth)
            throw ERecordError(QStringLiteral("Menu items nested too deeply"), EBADMSG);
        ++MenuDepth;
    }
    ~TMenuDepthGuard() { --MenuDepth; }
    TMenuDepthGuard(const TMenuDepthGuard &) = delete;
    TMenuDepthGuard &operator=(const TMenuDepthGuard &) = delete;
};

// The picture's graphic as a bitmap: a bitmap as it is, another graphic redrawn as one;
// an empty bitmap for no graphic or one that does not decode.
TBitmap PictureAsBitmap(const TPicture &picture)
{
    const TGraphic *graphic = picture.Graphic();
    if (!graphic || graphic->Empty())
        return TBitmap();
    if (const auto *bitmap = dynamic_cast<const TBitmap *>(graphic))
        return *bitmap;
    const QImage image = graphic->Image();
    if (image.isNull())
        return TBitmap();
    return *TBitmap::FromImage(image);
}

} // namespace

bool WriteMenuItem(TStream *Stream, const TMenuItem *MenuItem)
{
    if (!Stream || !MenuItem)
        return false;
    return GuardRecord(pcWriteMenuItem, [&] {
        TRecordWriter w(*Stream);
        w.Int32(0);
        if (!WriteStreamString(Stream, MenuItem->Caption()) || !WriteStreamString(Stream, MenuItem->Hint()))
            return false;
        w.UInt16(MenuItem->ShortCut());
        w.Bool(MenuItem->RadioItem());
        w.Byte(MenuItem->GroupIndex());
        w.Bool(MenuItem->Enabled());
        w.Bool(MenuItem->Default());
        w.Bool(MenuItem->Checked());
        w.Bool(MenuItem->AutoCheck());
        w.Bool(MenuItem->Visible());
        TPicture picture;
        if (!MenuItem->Bitmap().Empty())
            picture.SetGraphic(MenuItem->Bitmap().Clone());
        if (!SavePictureToStream(Stream, &picture))
            return false;
        w.Int32(MenuItem->Count());
        for (int i = 0; i < MenuItem->Count(); ++i)
            if (!WriteMenuItem(Stream, MenuItem->Items(i)))
                return false;
        return true;
    });
}

bool ReadMenuItem(TStream *Stream, TMenuItem *MenuItem, const TMenuItem::TClickHandler &OnClick)
{
    if (!Stream)
        return false;
    return GuardRecord(pcReadMenuItem, [&] {
        TMenuDepthGuard depth;
        TRecordReader r(*Stream);
        if (r.Int32() != 0) {
            ShowDataVersionError();
            return false;
        }
        QString caption;
        QString hint;
        if (!ReadStreamString(Stream, caption) || !ReadStreamString(Stream, hint))
            return false;
        const uint16_t shortCut = r.UInt16();
        const bool radioItem = r.Bool();
        const uint8_t groupIndex = r.Byte();
        const bool enabled = r.Bool();
        const bool isDefault = r.Bool();
        const bool checked = r.Bool();
        const bool autoCheck = r.Bool();
        const bool visible = r.Bool();
        if (MenuItem) {
            MenuItem->SetCaption(caption);
            MenuItem->SetHint(hint);
            MenuItem->SetShortCut(shortCut);
            MenuItem->SetRadioItem(radioItem);
            MenuItem->SetGroupIndex(groupIndex);
            MenuItem->SetEnabled(enabled);
            MenuItem->SetDefault(isDefault);
            MenuItem->SetChecked(checked);
            MenuItem->SetAutoCheck(autoCheck);
            MenuItem->SetVisible(visible);
        }
        TPicture picture;
        if (!LoadPictureFromStream(Stream, &picture))
            return false;
        if (MenuItem)
            MenuItem->SetBitmap(PictureAsBitmap(picture));

        const int32_t count = r.Count(MinMenuItemBytes);
        for (int32_t i = 0; i < count; ++i) {
            TMenuItem *item = nullptr;
            if (MenuItem) {
                item = new TMenuItem;
                item->AutoHotkeys = maManual;
                item->OnClick = OnClick;
                MenuItem->Add(item); // owned from here on
            }
            if (!ReadMenuItem(Stream, item, OnClick))
                return false;
        }
        return true;
    });
}

bool WriteStatusPanel(TStream *Stream, const TStatusPanel *Panel)
{
    if (!Stream || !Panel)
        return false;
    return GuardRecord(pcWriteStatusPanel, [&] {
        TRecordWriter w(*Stream);
        w.Int32(0);
        w.Byte(Panel->Alignment());
        if (!WriteStreamString(Stream, Panel->Text()))
            return false;
        w.Int32(Panel->Width());
        return true;
    });
}

bool ReadStatusPanel(TStream *Stream, TStatusPanel *Panel)
{
    if (!Stream)
        return false;
    return GuardRecord(pcReadStatusPanel, [&] {
        TRecordReader r(*Stream);
        if (r.Int32() != 0) {
            ShowDataVersionError();
            return false;
        }
        const uint8_t alignment = r.Byte();
        QString text;
        if (!ReadStreamString(Stream, text))
            return false;
        const int32_t width = r.Int32();
        if (Panel) {
            Panel->SetAlignment(TAlignment(alignment));
            Panel->SetText(text);
            Panel->SetWidth(width);
        }
        return true;
    });
}

bool PackMenuActions(const QString &HintText, const TZvActions *Actions, QString &Hint)
{
    if (!Actions)
        return false;
    return GuardRecord(pcPackMenuActions, [&] {
        TMemoryStream stream;
        if (!WriteActionList(&stream, Actions))
            return false;
        const QByteArray &bytes = stream.Bytes();
        const qsizetype n = bytes.size();
        // N units hold 2N bytes: the record's N bytes first, little-endian within each unit.
        const auto byteAt = [&](qsizetype i) -> char16_t { return i < n ? uint8_t(bytes.at(i)) : 0; };
        std::vector<QChar> units(static_cast<size_t>(n));
        for (qsizetype j = 0; j < n; ++j)
            units[size_t(j)] = QChar(char16_t(byteAt(2 * j) | (byteAt(2 * j + 1) << 8)));
        QString text = HintText;
        text.remove(kActionsMark);
        Hint = text + kActionsMark + QString(units.data(), n);
        return true;
    });
}

QString MenuHintText(const QString &Hint)
{
    const qsizetype mark = Hint.indexOf(kActionsMark);
    return mark < 0 ? QString() : Hint.left(mark);
}

bool UnpackMenuActions(const QString &Hint, TZvActions *Actions)
{
    if (!Actions)
        return false;
    return GuardRecord(pcUnpackMenuActions, [&] {
        const qsizetype mark = Hint.indexOf(kActionsMark);
        if (mark < 0) {
            FreeActionList(Actions);
            return false;
        }
        const QStringView packed = QStringView(Hint).mid(mark + 1);
        const qsizetype n = packed.size();
        QByteArray bytes(n, '\0');
        for (qsizetype i = 0; i < n; ++i) {
            const char16_t unit = packed.at(i / 2).unicode();
            bytes[i] = char(i % 2 == 0 ? unit & 0xFF : unit >> 8);
        }
        TMemoryStream stream(bytes);
        return ReadActionList(&stream, Actions);
    });
}
