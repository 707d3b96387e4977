// The platform's standard controls: push button, label, single-line edit, memo and group
// box. The windowed ones wrap a Qt widget that fills them; their OnChange also follows
// changes made by code, as the platform's do.
#pragma once

#include "platform/vcl/controls.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QStyle;
class QTextEdit;

enum TScrollStyle : uint8_t { ssNone, ssHorizontal, ssVertical, ssBoth };
enum TEditCharCase : uint8_t { ecNormal, ecUpperCase, ecLowerCase };

class TButton : public TWinControl
{
    Q_OBJECT

public:
    explicit TButton(QWidget *parent = nullptr);

    // "&" marks the access key, "&&" is a literal ampersand.
    using TControl::Caption;
    using TControl::SetCaption;
    // Escape presses a cancel button in its window; kept for the control's record.
    bool Cancel() const { return m_cancel; }
    void SetCancel(bool Cancel) { m_cancel = Cancel; }
    // Enter presses the default button in its window.
    bool Default() const { return m_default; }
    void SetDefault(bool Default);
    // A long caption breaks into lines.
    bool WordWrap() const { return m_wordWrap; }
    void SetWordWrap(bool WordWrap);

    QPushButton *Button() const { return m_button; }

protected:
    void TextChanged() override;
    QWidget *FocusWidget() override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void UpdateLabel();

    QPushButton *m_button;
    QLabel *m_wrapLabel = nullptr;
    bool m_cancel = false;
    bool m_default = false;
    bool m_wordWrap = false;
};

// Text drawn on its parent: aligned horizontally by Alignment and vertically by Layout,
// broken into lines with WordWrap, with "&" underlining the next letter while
// ShowAccelChar is set. AutoSize fits the label to its text.
class TLabel : public TGraphicControl
{
    Q_OBJECT

public:
    explicit TLabel(QWidget *parent = nullptr);

    using TControl::Caption;
    using TControl::SetCaption;
    TAlignment Alignment() const { return m_alignment; }
    void SetAlignment(TAlignment Alignment);
    TTextLayout Layout() const { return m_layout; }
    void SetLayout(TTextLayout Layout);
    bool WordWrap() const { return m_wordWrap; }
    void SetWordWrap(bool WordWrap);
    // A transparent label paints no background: its parent shows through.
    bool Transparent() const { return m_transparent; }
    void SetTransparent(bool Transparent);
    bool AutoSize() const { return m_autoSize; }
    void SetAutoSize(bool AutoSize);
    bool ShowAccelChar() const { return m_showAccelChar; }
    void SetShowAccelChar(bool ShowAccelChar);

protected:
    void Paint() override;
    void TextChanged() override;
    void FontChanged() override;

private:
    int TextFlags() const;
    QString DisplayText() const;
    void AdjustBounds();

    TAlignment m_alignment = taLeftJustify;
    TTextLayout m_layout = tlTop;
    bool m_wordWrap = false;
    bool m_transparent = false;
    bool m_autoSize = true;
    bool m_showAccelChar = true;
};

class TEdit : public TWinControl
{
    Q_OBJECT

public:
    explicit TEdit(QWidget *parent = nullptr);
    ~TEdit() override;

    QString Text() const;
    void SetText(const QString &Text);
    // The most characters (UTF-16 code units) the user can enter; 0 = no limit. Text set
    // by code is never cut.
    int MaxLength() const { return m_maxLength; }
    void SetMaxLength(int MaxLength);
    bool ReadOnly() const;
    void SetReadOnly(bool ReadOnly);
    // The character shown for each character typed; 0 shows the text.
    QChar PasswordChar() const { return m_passwordChar; }
    void SetPasswordChar(QChar PasswordChar);
    // Turns the text, typed or set, to upper or lower case.
    TEditCharCase CharCase() const { return m_charCase; }
    void SetCharCase(TEditCharCase CharCase);
    // Keeps the height fitted to the font.
    bool AutoSize() const { return m_autoSize; }
    void SetAutoSize(bool AutoSize);
    TBorderStyle BorderStyle() const { return m_borderStyle; }
    void SetBorderStyle(TBorderStyle BorderStyle);

    // Raised whenever the text changes, by the user or by code.
    TNotifyEvent OnChange;

    QLineEdit *Editor() const { return m_editor; }

protected:
    void FontChanged() override;
    QWidget *FocusWidget() override;
    void resizeEvent(QResizeEvent *event) override;

private:
    class CaseValidator;
    void TextEdited();
    void UpdateLimit();
    void AdjustHeight();
    QString ApplyCharCase(const QString &text) const;

    QLineEdit *m_editor;
    std::unique_ptr<QStyle> m_passwordStyle;
    QString m_lastText;
    int m_maxLength = 0;
    QChar m_passwordChar;
    TEditCharCase m_charCase = ecNormal;
    bool m_autoSize = true;
    TBorderStyle m_borderStyle = bsSingle;
};

// What the memo and the rich edit share: a QTextEdit filling the control (185 x 89, window
// colour, a tab stop, no scroll bars, words wrapped; Tab moves the focus on), its scroll
// bars, word wrap, read-only state, the alignment of paragraphs that do not set their own,
// and the border.
class TCustomMemo : public TWinControl
{
    Q_OBJECT

public:
    TScrollStyle ScrollBars() const { return m_scrollBars; }
    void SetScrollBars(TScrollStyle ScrollBars);
    bool WordWrap() const { return m_wordWrap; }
    void SetWordWrap(bool WordWrap);
    bool ReadOnly() const;
    void SetReadOnly(bool ReadOnly);
    TAlignment Alignment() const { return m_alignment; }
    void SetAlignment(TAlignment Alignment);
    TBorderStyle BorderStyle() const { return m_borderStyle; }
    void SetBorderStyle(TBorderStyle BorderStyle);

    // Raised whenever the text changes, by the user or by code.
    TNotifyEvent OnChange;

    QTextEdit *Editor() const { return m_editor; }

protected:
    explicit TCustomMemo(QWidget *parent = nullptr);

    // Raises OnChange; an exception from the handler is shown and ends it.
    void Changed();
    // Gives the document's default option the alignment: paragraphs with an alignment of
    // their own keep it, and the content counts as unchanged.
    void ApplyAlignment();

    QWidget *FocusWidget() override;
    void resizeEvent(QResizeEvent *event) override;

private:
    QTextEdit *m_editor;
    TScrollStyle m_scrollBars = ssNone;
    bool m_wordWrap = true;
    TAlignment m_alignment = taLeftJustify;
    TBorderStyle m_borderStyle = bsSingle;
};

class TMemo : public TCustomMemo
{
    Q_OBJECT

public:
    explicit TMemo(QWidget *parent = nullptr);

    // The lines joined by CR LF. Text set by code and not edited since reads back exactly
    // as it was set; edited text has CR LF between its lines.
    QString Text() const;
    void SetText(const QString &Text);
    QString Lines() const { return Text(); }
    void SetLines(const QString &Lines) { SetText(Lines); }
    int LineCount() const;
    // Appends Line as a line of its own.
    void AddLine(const QString &Line);

private:
    void TextEdited();

    QString m_setText;  // the text as code last set it
    QString m_setPlain; // the same as the editor holds it
    QString m_lastPlain;
};

// A frame with a caption: the client area is filled with Color, a 3D (or, without Ctl3D,
// single-line) frame runs half a text line below the top, and the caption sits on it 8
// pixels from the left.
class TGroupBox : public TWinControl
{
    Q_OBJECT

public:
    explicit TGroupBox(QWidget *parent = nullptr);

    using TControl::Caption;
    using TControl::SetCaption;
    bool Ctl3D() const { return m_ctl3D; }
    void SetCtl3D(bool Ctl3D);

protected:
    void Paint() override;
    void AdjustClientRect(TRect &Rect) override;
    void TextChanged() override;
    void FontChanged() override;

private:
    bool m_ctl3D = true;
};
