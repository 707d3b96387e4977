#include "objects/group_box.h"

#include "objects/control_tokens.h"
#include <QPainter>
#include <QRegion>
#include <QStyle>
#include <QStyleOption>

#include "core/globals.h"
#include "core/record_io.h"
#include "core/stream_primitives.h"
#include "objects/kind_record.h"
#include "objects/object_kinds.h"
#include "platform/vcl/canvas.h"

TZvGroupBox::TZvGroupBox(QWidget *parent)
    : TGroupBox(parent)
{
    const TObjectKindInfo &info = ObjectKindInfo(otGroupBox);
    SetBounds(Left(), Top(), info.DefaultWidth, info.DefaultHeight);
    Constraints().SetMinWidth(1);
    Constraints().SetMinHeight(1);
    SetShowHint(true);
}

bool TZvGroupBox::SaveToStream(TStream *Stream)
{
    return SaveKindRecord(Stream, otGroupBox, [&](TRecordWriter &w) {
        if (!SaveCaptionAndFont(Stream, *this))
            return false;
        w.Int32(Color());
        return true;
    });
}

bool TZvGroupBox::LoadFromStream(TStream *Stream)
{
    return LoadKindRecord(Stream, otGroupBox, [&](TRecordReader &r, int32_t) {
        if (!LoadCaptionAndFont(Stream, *this))
            return false;
        SetColor(r.Int32());
        return true;
    });
}

void TZvGroupBox::Paint()
{
    // Qt always draws through the application's style, which stands for the system's
    // visual themes; the page being edited keeps the classic look.
    if (PageIsEdited())
        TGroupBox::Paint();
    else
        PaintThemed();
}

void TZvGroupBox::PaintThemed()
{
    QPainter *painter = Canvas()->Painter();
    if (!painter)
        return;
    const QFont font = Font().ToQFont();
    const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextShowMnemonic;
    const QSize extent = QFontMetrics(font).size(flags, Caption());
    const QRect caption(8, 0, extent.width(), extent.height());
    const QRect client = ClientRect().ToQRect();
    const QRect frame(client.x(), client.y() + extent.height() / 2, client.width(),
                      client.height() - extent.height() / 2);

    painter->save();
    painter->setClipRegion(QRegion(client).subtracted(QRegion(caption)), Qt::IntersectClip);
    QStyleOptionFrame option;
    option.initFrom(this);
    option.rect = frame;
    option.lineWidth = 1;
    option.midLineWidth = 0;
    if (Enabled())
        option.state |= QStyle::State_Enabled;
    else
        option.state &= ~QStyle::State_Enabled;
    style()->drawPrimitive(QStyle::PE_FrameGroupBox, &option, painter, this);
    painter->restore();

    if (Caption().isEmpty())
        return;
    painter->save();
    painter->setFont(font);
    style()->drawItemText(painter, caption, flags, palette(), Enabled(), Caption(), QPalette::WindowText);
    painter->restore();
}

TControl *CreateZvGroupBox()
{
    return new TZvGroupBox;
}

bool TZvGroupBox::ReadToken(const QString &Token, const TZvValue *, TZvValue &Value)
{
    return ReadCaptionedToken(*this, stFont | stBackColor, Token, Value);
}

TTokenWrite TZvGroupBox::WriteToken(const QString &Token, const TZvValue &Value)
{
    return WriteCaptionedToken(*this, stFont | stBackColor, Token, Value);
}
