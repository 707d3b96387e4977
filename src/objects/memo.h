// The memo kind and its web twin.
#pragma once

#include "objects/kind_control.h"
#include "objects/web_font.h"
#include "objects/web_twin.h"
#include "platform/graphics/color.h"
#include "platform/rtl/strings.h"
#include "platform/vcl/stdctrls.h"

class TZvMemo : public TMemo, public TKindControl
{
    Q_OBJECT

public:
    void InitNewObject(const QString &Name) override { SetLines(Name); }
    // 193 x 193, at least 1 x 1, arrow cursor, vertical scroll bar, words wrapped, showing
    // its hint.
    explicit TZvMemo(QWidget *parent = nullptr);

    // ReadOnly, the lines as one text, font, Alignment, WordWrap, ScrollBars, Color,
    // BorderStyle and TabStop.
    bool SaveToStream(TStream *Stream) override;
    bool LoadFromStream(TStream *Stream) override;
    // "[Text]", "[LineCount]" (read only), "[Add Line]", "[Font]", "[BackColor]".
    bool ReadToken(const QString &Token, const TZvValue *Counterpart, TZvValue &Value) override;
    TTokenWrite WriteToken(const QString &Token, const TZvValue &Value) override;
};

// The memo of a web page: its lines, font, scroll bars, background and border.
class TWebMemo : public TWebTwin
{
public:
    bool LoadFromStream(TStream *Stream) override;
    // "[Text]", "[Add Line]" (reads empty, writes nothing), "[LineCount]", "[Font]",
    // "[BackColor]".
    bool ReadToken(const QString &Token, const TZvValue *Counterpart, TZvValue &Value) override;
    TTokenWrite WriteToken(const QString &Token, const TZvValue &Value) override;

    TStringList Lines;
    TWebFont Font;
    bool HorizontalScrollBar = false;
    bool VerticalScrollBar = true;
    // The background colour shown.
    TColor Color = clNone;
    bool BorderVisible = true;
};

TControl *CreateZvMemo();
TWebTwin *CreateWebMemo();
