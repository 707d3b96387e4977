// The group box kind: a captioned frame holding other objects. Outside editing it draws
// the frame of the application's style; while the page is edited, the classic frame.
#pragma once

#include "objects/kind_control.h"
#include "platform/vcl/stdctrls.h"

class TZvGroupBox : public TGroupBox, public TKindControl
{
    Q_OBJECT

public:
    void InitNewObject(const QString &Name) override { SetCaption(Name); }
    explicit TZvGroupBox(QWidget *parent = nullptr);

    // Caption, Font, Color.
    bool SaveToStream(TStream *Stream) override;
    bool LoadFromStream(TStream *Stream) override;
    // "[Caption]", "[Font]", "[BackColor]".
    bool ReadToken(const QString &Token, const TZvValue *Counterpart, TZvValue &Value) override;
    TTokenWrite WriteToken(const QString &Token, const TZvValue &Value) override;

protected:
    void Paint() override;

private:
    void PaintThemed();
};

TControl *CreateZvGroupBox();
