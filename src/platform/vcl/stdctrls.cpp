#include "platform/vcl/stdctrls.h"

#include <QFontMetrics>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QProxyStyle>
#include <QPushButton>
#include <QTextDocument>
#include <QTextEdit>
#include <QValidator>
#include <algorithm>
#include <limits>

#include "platform/exception_boundary.h"
#include "platform/vcl/canvas.h"

namespace {

constexpr int kNoLimit = std::numeric_limits<int>::max();

// Line breaks of any platform form (CR LF, LF, a lone CR) as the '\n' Qt's text uses.
QString ToQtLineBreaks(const QString &text)
{
    QString result = text;
    result.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    result.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return result;
}

// A caption without its access-key marks: "&&" stays as one '&', a single '&' goes.
QString StripAccelChars(const QString &caption)
{
    QString result;
    for (int i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&') && i + 1 < caption.size())
            ++i;
        result += caption[i];
    }
    return result;
}

// Shows every character of a password edit as one chosen character.
class PasswordStyle : public QProxyStyle
{
public:
    explicit PasswordStyle(QChar character) : m_character(character) {}

    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returnData) const override
    {
        if (hint == SH_LineEdit_PasswordCharacter)
            return m_character.unicode();
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }

private:
    QChar m_character;
};

} // namespace

// ---- TButton ----

TButton::TButton(QWidget *parent)
    : TWinControl(parent), m_button(new QPushButton(this))
{
    ClickFromMouse = false;
    m_button->setAutoDefault(false);
    AttachInnerWidget(m_button);
    setFocusProxy(m_button);
    connect(m_button, &QPushButton::clicked, this, [this] { Click(); });
    SetColor(clBtnFace);
    SetTabStop(true);
    SetBounds(Left(), Top(), 75, 25);
    m_button->setGeometry(rect());
}

void TButton::SetDefault(bool Default)
{
    m_default = Default;
    m_button->setDefault(Default);
}

void TButton::SetWordWrap(bool WordWrap)
{
    if (m_wordWrap == WordWrap)
        return;
    m_wordWrap = WordWrap;
    if (WordWrap && !m_wrapLabel) {
        // Qt's push button has no line breaking: a label inside it shows the caption.
        m_wrapLabel = new QLabel(m_button);
        m_wrapLabel->setAttribute(Qt::WA_TransparentForMouseEvents);
        m_wrapLabel->setAlignment(Qt::AlignCenter);
        m_wrapLabel->setWordWrap(true);
        m_wrapLabel->setTextFormat(Qt::PlainText);
    }
    UpdateLabel();
}

void TButton::TextChanged()
{
    UpdateLabel();
}

void TButton::UpdateLabel()
{
    if (m_wordWrap) {
        m_button->setText(QString());
        m_button->setShortcut(QKeySequence::mnemonic(Caption()));
        m_wrapLabel->setText(StripAccelChars(Caption()));
        m_wrapLabel->setGeometry(m_button->rect().adjusted(4, 4, -4, -4));
        m_wrapLabel->show();
    } else {
        if (m_wrapLabel)
            m_wrapLabel->hide();
        m_button->setText(Caption());
    }
}

QWidget *TButton::FocusWidget()
{
    return m_button;
}

void TButton::resizeEvent(QResizeEvent *event)
{
    m_button->setGeometry(rect());
    if (m_wrapLabel)
        m_wrapLabel->setGeometry(m_button->rect().adjusted(4, 4, -4, -4));
    TWinControl::resizeEvent(event);
}

// ---- TLabel ----

TLabel::TLabel(QWidget *parent)
    : TGraphicControl(parent)
{
    SetBounds(Left(), Top(), 65, 17);
}

void TLabel::SetAlignment(TAlignment Alignment)
{
    if (m_alignment == Alignment)
        return;
    m_alignment = Alignment;
    update();
}

void TLabel::SetLayout(TTextLayout Layout)
{
    if (m_layout == Layout)
        return;
    m_layout = Layout;
    update();
}

void TLabel::SetWordWrap(bool WordWrap)
{
    if (m_wordWrap == WordWrap)
        return;
    m_wordWrap = WordWrap;
    AdjustBounds();
    update();
}

void TLabel::SetTransparent(bool Transparent)
{
    if (m_transparent == Transparent)
        return;
    m_transparent = Transparent;
    update();
}

void TLabel::SetAutoSize(bool AutoSize)
{
    if (m_autoSize == AutoSize)
        return;
    m_autoSize = AutoSize;
    AdjustBounds();
}

void TLabel::SetShowAccelChar(bool ShowAccelChar)
{
    if (m_showAccelChar == ShowAccelChar)
        return;
    m_showAccelChar = ShowAccelChar;
    AdjustBounds();
    update();
}

void TLabel::TextChanged()
{
    AdjustBounds();
    update();
}

void TLabel::FontChanged()
{
    TGraphicControl::FontChanged();
    AdjustBounds();
}

int TLabel::TextFlags() const
{
    int flags = int(HorizontalAlignment(m_alignment)) | Qt::AlignTop | Qt::TextExpandTabs;
    if (m_wordWrap)
        flags |= Qt::TextWordWrap;
    if (m_showAccelChar)
        flags |= Qt::TextShowMnemonic;
    return flags;
}

QString TLabel::DisplayText() const
{
    QString text = ToQtLineBreaks(Caption());
    // An empty caption (or a lone access-key mark) still measures one line high.
    if (text.isEmpty() || (m_showAccelChar && text == QStringLiteral("&")))
        text += QLatin1Char(' ');
    return text;
}

void TLabel::AdjustBounds()
{
    if (!m_autoSize)
        return;
    const QFontMetrics metrics(Font().ToQFont());
    const QString text = DisplayText();
    QSize size;
    if (m_wordWrap)
        size = metrics.boundingRect(QRect(0, 0, std::max(1, Width()), 1 << 20), TextFlags(), text).size();
    else
        size = metrics.size(TextFlags(), text);
    int left = Left();
    if (m_alignment == taRightJustify)
        left += Width() - size.width();
    SetBounds(left, Top(), size.width(), size.height());
}

void TLabel::Paint()
{
    QPainter *painter = Canvas()->Painter();
    if (!painter)
        return;
    QRect rect = ClientRect().ToQRect();
    if (!m_transparent)
        painter->fillRect(rect, ColorToQColor(Color()));
    painter->setFont(Font().ToQFont());
    const QString text = DisplayText();
    const int flags = TextFlags();
    if (m_layout != tlTop) {
        const int textHeight = painter->fontMetrics().boundingRect(rect, flags, text).height();
        const int room = Height() - textHeight;
        rect.translate(0, m_layout == tlBottom ? room : room / 2);
    }
    if (isEnabled()) {
        painter->setPen(ColorToQColor(Font().Color));
        painter->drawText(rect, flags, text);
    } else {
        // The platform's disabled text: a light copy one pixel down and right, then the
        // text itself in the shadow colour.
        painter->setPen(ColorToQColor(clBtnHighlight));
        painter->drawText(rect.translated(1, 1), flags, text);
        painter->setPen(ColorToQColor(clBtnShadow));
        painter->drawText(rect, flags, text);
    }
}

// ---- TEdit ----

// Turns typed text to the edit's character case.
class TEdit::CaseValidator : public QValidator
{
public:
    explicit CaseValidator(TEdit *edit) : QValidator(edit), m_edit(edit) {}

    State validate(QString &input, int &) const override
    {
        input = m_edit->ApplyCharCase(input);
        return Acceptable;
    }

private:
    TEdit *m_edit;
};

TEdit::TEdit(QWidget *parent)
    : TWinControl(parent), m_editor(new QLineEdit(this))
{
    m_editor->setMaxLength(kNoLimit);
    m_editor->setValidator(new CaseValidator(this));
    AttachInnerWidget(m_editor);
    setFocusProxy(m_editor);
    connect(m_editor, &QLineEdit::textChanged, this, [this] { TextEdited(); });
    SetColor(clWindow);
    SetTabStop(true);
    SetBounds(Left(), Top(), 121, 21);
    AdjustHeight();
    m_editor->setGeometry(rect());
}

TEdit::~TEdit()
{
    // The editor may use the password style until it is gone.
    delete m_editor;
}

QString TEdit::Text() const
{
    return m_editor->text();
}

void TEdit::SetText(const QString &Text)
{
    const QString text = ApplyCharCase(Text);
    if (text == m_editor->text())
        return;
    // The user's limit never cuts text set by code.
    m_editor->setMaxLength(std::max(m_editor->maxLength(), int(text.size())));
    m_editor->setText(text);
}

void TEdit::TextEdited()
{
    UpdateLimit();
    const QString text = m_editor->text();
    if (text == m_lastText)
        return;
    m_lastText = text;
    if (OnChange)
        GuardedCall([this] { OnChange(this); });
}

void TEdit::SetMaxLength(int MaxLength)
{
    m_maxLength = std::max(0, MaxLength);
    UpdateLimit();
}

void TEdit::UpdateLimit()
{
    // Typing stops at MaxLength; a longer text (set by code) stays and can be shortened.
    const int limit = m_maxLength > 0 ? std::max(m_maxLength, int(m_editor->text().size())) : kNoLimit;
    if (m_editor->maxLength() != limit)
        m_editor->setMaxLength(limit);
}

bool TEdit::ReadOnly() const
{
    return m_editor->isReadOnly();
}

void TEdit::SetReadOnly(bool ReadOnly)
{
    m_editor->setReadOnly(ReadOnly);
}

void TEdit::SetPasswordChar(QChar PasswordChar)
{
    m_passwordChar = PasswordChar;
    if (PasswordChar.isNull()) {
        m_editor->setEchoMode(QLineEdit::Normal);
        return;
    }
    auto style = std::make_unique<PasswordStyle>(PasswordChar);
    m_editor->setStyle(style.get());
    m_passwordStyle = std::move(style);
    m_editor->setEchoMode(QLineEdit::Password);
}

QString TEdit::ApplyCharCase(const QString &text) const
{
    switch (m_charCase) {
    case ecUpperCase:
        return text.toUpper();
    case ecLowerCase:
        return text.toLower();
    default:
        return text;
    }
}

void TEdit::SetCharCase(TEditCharCase CharCase)
{
    m_charCase = CharCase;
    SetText(m_editor->text());
}

void TEdit::SetAutoSize(bool AutoSize)
{
    m_autoSize = AutoSize;
    AdjustHeight();
}

void TEdit::SetBorderStyle(TBorderStyle BorderStyle)
{
    m_borderStyle = BorderStyle;
    m_editor->setFrame(BorderStyle != bsNone);
}

void TEdit::AdjustHeight()
{
    // The platform's edit height: one text line and eight pixels of border and margin.
    if (m_autoSize)
        SetHeight(QFontMetrics(Font().ToQFont()).height() + 8);
}

void TEdit::FontChanged()
{
    TWinControl::FontChanged();
    AdjustHeight();
}

QWidget *TEdit::FocusWidget()
{
    return m_editor;
}

void TEdit::resizeEvent(QResizeEvent *event)
{
    m_editor->setGeometry(rect());
    TWinControl::resizeEvent(event);
}

// ---- TCustomMemo ----

TCustomMemo::TCustomMemo(QWidget *parent)
    : TWinControl(parent), m_editor(new QTextEdit(this))
{
    m_editor->setTabChangesFocus(true);
    AttachInnerWidget(m_editor->viewport());
    setFocusProxy(m_editor);
    SetColor(clWindow);
    SetTabStop(true);
    SetScrollBars(ssNone);
    SetWordWrap(true);
    SetBounds(Left(), Top(), 185, 89);
    m_editor->setGeometry(rect());
}

void TCustomMemo::Changed()
{
    if (OnChange)
        GuardedCall([this] { OnChange(this); });
}

void TCustomMemo::SetScrollBars(TScrollStyle ScrollBars)
{
    m_scrollBars = ScrollBars;
    const bool horizontal = ScrollBars == ssHorizontal || ScrollBars == ssBoth;
    const bool vertical = ScrollBars == ssVertical || ScrollBars == ssBoth;
    m_editor->setHorizontalScrollBarPolicy(horizontal ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    m_editor->setVerticalScrollBarPolicy(vertical ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
}

void TCustomMemo::SetWordWrap(bool WordWrap)
{
    m_wordWrap = WordWrap;
    m_editor->setLineWrapMode(WordWrap ? QTextEdit::WidgetWidth : QTextEdit::NoWrap);
}

bool TCustomMemo::ReadOnly() const
{
    return m_editor->isReadOnly();
}

void TCustomMemo::SetReadOnly(bool ReadOnly)
{
    m_editor->setReadOnly(ReadOnly);
    // The editor picks its own cursor for the new mode; the control's cursor wins.
    UpdateCursor();
}

void TCustomMemo::SetAlignment(TAlignment Alignment)
{
    m_alignment = Alignment;
    ApplyAlignment();
}

void TCustomMemo::ApplyAlignment()
{
    QTextDocument *document = m_editor->document();
    QTextOption option = document->defaultTextOption();
    option.setAlignment(HorizontalAlignment(m_alignment));
    document->setDefaultTextOption(option);
}

void TCustomMemo::SetBorderStyle(TBorderStyle BorderStyle)
{
    m_borderStyle = BorderStyle;
    m_editor->setFrameShape(BorderStyle == bsNone ? QFrame::NoFrame : QFrame::StyledPanel);
}

QWidget *TCustomMemo::FocusWidget()
{
    return m_editor;
}

void TCustomMemo::resizeEvent(QResizeEvent *event)
{
    m_editor->setGeometry(rect());
    TWinControl::resizeEvent(event);
}

// ---- TMemo ----

TMemo::TMemo(QWidget *parent)
    : TCustomMemo(parent)
{
    Editor()->setAcceptRichText(false);
    connect(Editor(), &QTextEdit::textChanged, this, [this] { TextEdited(); });
}

QString TMemo::Text() const
{
    const QString plain = Editor()->toPlainText();
    if (plain == m_setPlain)
        return m_setText;
    QString text = plain;
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return text;
}

void TMemo::SetText(const QString &Text)
{
    m_setText = Text;
    m_setPlain = ToQtLineBreaks(Text);
    if (Editor()->toPlainText() != m_setPlain) {
        Editor()->setPlainText(m_setPlain);
        ApplyAlignment();
    }
}

void TMemo::AddLine(const QString &Line)
{
    // As the platform's Lines.Add: a text ending in a line break gets the line after it,
    // any other text a line break first; the new line ends with none.
    QString text = Text();
    if (!text.isEmpty() && !text.endsWith(QLatin1Char('\n')) && !text.endsWith(QLatin1Char('\r')))
        text += QStringLiteral("\r\n");
    SetText(text + Line);
}

int TMemo::LineCount() const
{
    // Paragraphs, not wrapped rows; the empty line after a final line break is no line.
    const QString plain = Editor()->toPlainText();
    if (plain.isEmpty())
        return 0;
    return int(plain.count(QLatin1Char('\n'))) + (plain.endsWith(QLatin1Char('\n')) ? 0 : 1);
}

void TMemo::TextEdited()
{
    const QString plain = Editor()->toPlainText();
    if (plain == m_lastPlain)
        return;
    m_lastPlain = plain;
    Changed();
}

// ---- TGroupBox ----

TGroupBox::TGroupBox(QWidget *parent)
    : TWinControl(parent)
{
    SetBounds(Left(), Top(), 185, 105);
}

void TGroupBox::SetCtl3D(bool Ctl3D)
{
    if (m_ctl3D == Ctl3D)
        return;
    m_ctl3D = Ctl3D;
    Realign();
    update();
}

void TGroupBox::TextChanged()
{
    update();
}

void TGroupBox::FontChanged()
{
    TWinControl::FontChanged();
    Realign();
}

void TGroupBox::AdjustClientRect(TRect &Rect)
{
    const int border = m_ctl3D ? 2 : 1;
    Rect.Top += QFontMetrics(Font().ToQFont()).height();
    Rect = TRect(Rect.Left + border, Rect.Top + border, Rect.Right - border, Rect.Bottom - border);
}

void TGroupBox::Paint()
{
    TCanvas *canvas = Canvas();
    canvas->Brush.Color = Color();
    canvas->FillRect(ClientRect());
    const int textHeight = canvas->TextHeight(QStringLiteral("0"));
    TRect frame(0, textHeight / 2 - 1, Width(), Height());
    if (m_ctl3D) {
        canvas->Brush.Color = clBtnHighlight;
        canvas->FrameRect(TRect(frame.Left + 1, frame.Top + 1, frame.Right, frame.Bottom));
        canvas->Brush.Color = clBtnShadow;
        canvas->FrameRect(TRect(frame.Left, frame.Top, frame.Right - 1, frame.Bottom - 1));
    } else {
        canvas->Brush.Color = clWindowFrame;
        canvas->FrameRect(frame);
    }
    QPainter *painter = canvas->Painter();
    if (Caption().isEmpty() || !painter)
        return;
    // The caption's cell is filled with Color, covering the frame line behind it.
    const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextShowMnemonic;
    painter->setFont(Font().ToQFont());
    const QRect textRect = painter->fontMetrics().boundingRect(QRect(8, 0, 1 << 20, textHeight), flags, Caption());
    painter->fillRect(textRect, ColorToQColor(Color()));
    painter->setPen(ColorToQColor(Font().Color));
    painter->drawText(textRect, flags, Caption());
}
