// The rich text kind: a read-only display of formatted text, stored as RTF.
#pragma once

#include "objects/kind_control.h"
#include "platform/vcl/richedit.h"

class TZvRichText : public TRichEdit, public TKindControl
{
    Q_OBJECT

public:
    // 193 x 193, at least 1 x 1, arrow cursor, read-only, no tab stop, vertical scroll bar,
    // RTF content, showing its hint.
    explicit TZvRichText(QWidget *parent = nullptr);

    // The content's bytes (RTF; stored bytes not edited since come back unchanged) with
    // their length, then font, Alignment, WordWrap, PlainText, ScrollBars, Color,
    // BorderStyle and TabStop.
    bool SaveToStream(TStream *Stream) override;
    bool LoadFromStream(TStream *Stream) override;
    // "[RichText]": the control itself; a written rich text is copied as RTF.
    bool ReadToken(const QString &Token, const TZvValue *Counterpart, TZvValue &Value) override;
    TTokenWrite WriteToken(const QString &Token, const TZvValue &Value) override;
};

TControl *CreateZvRichText();
