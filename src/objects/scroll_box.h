// The scroll box kind: a container that scrolls its children at run time. While the page
// is edited it does not scroll, so that every child stays where the author placed it.
#pragma once

#include "objects/kind_control.h"
#include "platform/vcl/scrollbox.h"

class TZvScrollBox : public TScrollBox, public TKindControl
{
    Q_OBJECT

public:
    explicit TZvScrollBox(QWidget *parent = nullptr);

    // Color, BorderStyle, Font.
    bool SaveToStream(TStream *Stream) override;
    bool LoadFromStream(TStream *Stream) override;
    // "[Font]", "[BackColor]".
    bool ReadToken(const QString &Token, const TZvValue *Counterpart, TZvValue &Value) override;
    TTokenWrite WriteToken(const QString &Token, const TZvValue &Value) override;
};

TControl *CreateZvScrollBox();
