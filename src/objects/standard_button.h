// The push button kind and its web twin.
#pragma once

#include <QString>

#include "objects/kind_control.h"
#include "objects/web_font.h"
#include "objects/web_twin.h"
#include "platform/vcl/stdctrls.h"

class TZvStandardButton : public TButton, public TKindControl
{
    Q_OBJECT

public:
    void InitNewObject(const QString &Name) override { SetCaption(Name); }
    // 97 x 25, at least 1 x 1, showing its hint.
    explicit TZvStandardButton(QWidget *parent = nullptr);

    // Caption, font, Cancel, Default, TabStop and WordWrap.
    bool SaveToStream(TStream *Stream) override;
    bool LoadFromStream(TStream *Stream) override;
    // "[Caption]", "[Font]".
    bool ReadToken(const QString &Token, const TZvValue *Counterpart, TZvValue &Value) override;
    TTokenWrite WriteToken(const QString &Token, const TZvValue &Value) override;
};

// The button of a web page: its caption and font; the keyboard settings stay desktop-only.
class TWebButton : public TWebTwin
{
public:
    bool LoadFromStream(TStream *Stream) override;
    // "[Caption]", "[Font]".
    bool ReadToken(const QString &Token, const TZvValue *Counterpart, TZvValue &Value) override;
    TTokenWrite WriteToken(const QString &Token, const TZvValue &Value) override;

    QString Caption;
    TWebFont Font;
};

TControl *CreateZvStandardButton();
TWebTwin *CreateWebButton();
