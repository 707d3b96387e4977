// The simple text kind: a label that also serves the application as a variable, holding six
// typed values and a callable action list; and its web twin.
#pragma once

#include <QString>

#include "objects/kind_control.h"
#include "objects/web_font.h"
#include "objects/web_twin.h"
#include "platform/graphics/color.h"
#include "platform/rtl/datetime.h"
#include "platform/vcl/stdctrls.h"

struct TZvActions;

// The six typed values a simple text holds as the application's variable, on the desktop and
// on a web page alike. DateTimeValue starts as the time of construction.
struct TSimpleTextValues
{
    TSimpleTextValues();

    QString StringValue;
    int32_t IntegerValue = 0;
    double FloatValue = 0;
    TDateTime DateTimeValue = 0;
    bool BooleanValue = false;
    TColor ColorValue = clNone;
};

// The values are read and written by actions; changing one does not touch the caption.
class TZvSimpleText : public TLabel, public TKindControl, public TSimpleTextValues
{
    Q_OBJECT

public:
    void InitNewObject(const QString &Name) override { SetCaption(Name); }
    // 97 x 17, at least 1 x 1, not sized to its text, "&" shown as it is, words wrapped,
    // transparent, showing its hint.
    explicit TZvSimpleText(QWidget *parent = nullptr);

    // The label fields, then the six values.
    bool SaveToStream(TStream *Stream) override;
    bool LoadFromStream(TStream *Stream) override;

    // The callable action list: the record's OnMouseUpActions; null while the control has
    // no record.
    TZvActions *CustomActions() const;

    // "[Caption]", "[Font]", "[BackColor]" and the variable tokens.
    bool ReadToken(const QString &Token, const TZvValue *Counterpart, TZvValue &Value) override;
    TTokenWrite WriteToken(const QString &Token, const TZvValue &Value) override;

protected:
    // The label, then the dotted frame while the page is edited.
    void Paint() override;
};

// The text of a web page. Keeps the label's text, font and alignment, its background
// (none when the simple text is transparent) and the six values the page's actions use.
class TWebLabel : public TWebTwin, public TSimpleTextValues
{
public:
    bool LoadFromStream(TStream *Stream) override;
    // "[Caption]", "[Font]", "[BackColor]" and the variable tokens.
    bool ReadToken(const QString &Token, const TZvValue *Counterpart, TZvValue &Value) override;
    TTokenWrite WriteToken(const QString &Token, const TZvValue &Value) override;

    QString Caption;
    TWebFont Font;
    TAlignment Alignment = taLeftJustify;
    // The background colour shown; clNone lets the page show through.
    TColor Color = clNone;
    // Whether the page sizes the text to fit; off once a record was read.
    bool AutoSize = true;
};

// The label fields that the simple text stores first and the multiline text stores after
// its own: caption, font, alignment, layout, colour and transparency. For use inside a
// kind record's body; a short stream raises.
bool SaveLabelFields(TStream *Stream, const TLabel &Label);
bool LoadLabelFields(TStream *Stream, TLabel &Label);

TControl *CreateZvSimpleText();
TWebTwin *CreateWebLabel();
