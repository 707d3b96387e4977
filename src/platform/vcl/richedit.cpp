#include "platform/vcl/richedit.h"

#include <QTextDocument>
#include <QTextEdit>

#include "platform/exception_boundary.h"
#include "platform/richtext/rich_text.h"
#include "platform/richtext/rtf_writer.h"
#include "platform/rtl/cp1252.h"

TRichEdit::TRichEdit(QWidget *parent)
    : TWinControl(parent), m_editor(new QTextEdit(this)), m_content(nullptr)
{
    m_content = new TRichTextContent(m_editor->document(), this);
    m_editor->setTabChangesFocus(true);
    AttachInnerWidget(m_editor->viewport());
    setFocusProxy(m_editor);
    connect(m_editor, &QTextEdit::textChanged, this, [this] {
        if (OnChange)
            GuardedCall([this] { OnChange(this); });
    });
    SetColor(clWindow);
    SetTabStop(true);
    SetScrollBars(ssNone);
    SetWordWrap(true);
    SetBounds(Left(), Top(), 185, 89);
    m_editor->setGeometry(rect());
}

QByteArray TRichEdit::SaveLines() const
{
    if (m_plainText) {
        QString text = m_content->PlainText();
        text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
        return StringToCp1252(text);
    }
    // A control that was never given bytes saves its (empty or typed) document as RTF.
    if (!m_loaded)
        return WriteRtf(*m_editor->document());
    return m_content->SaveRtf();
}

bool TRichEdit::LoadLines(const QByteArray &Bytes)
{
    if (m_plainText) {
        m_content->SetPlainText(Cp1252ToString(Bytes));
        m_loaded = false;
        ApplyAlignment();
        return true;
    }
    const bool ok = m_content->LoadRtf(Bytes);
    m_loaded = true;
    ApplyAlignment();
    return ok;
}

QString TRichEdit::Text() const
{
    QString text = m_content->PlainText();
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return text;
}

void TRichEdit::SetText(const QString &Text)
{
    m_content->SetPlainText(Text);
    m_loaded = false;
    ApplyAlignment();
}

bool TRichEdit::ReadOnly() const
{
    return m_editor->isReadOnly();
}

void TRichEdit::SetReadOnly(bool ReadOnly)
{
    m_editor->setReadOnly(ReadOnly);
    // The editor picks its own cursor for the new mode; the control's cursor wins.
    UpdateCursor();
}

void TRichEdit::SetScrollBars(TScrollStyle ScrollBars)
{
    m_scrollBars = ScrollBars;
    const bool horizontal = ScrollBars == ssHorizontal || ScrollBars == ssBoth;
    const bool vertical = ScrollBars == ssVertical || ScrollBars == ssBoth;
    m_editor->setHorizontalScrollBarPolicy(horizontal ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    m_editor->setVerticalScrollBarPolicy(vertical ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
}

void TRichEdit::SetWordWrap(bool WordWrap)
{
    m_wordWrap = WordWrap;
    m_editor->setLineWrapMode(WordWrap ? QTextEdit::WidgetWidth : QTextEdit::NoWrap);
}

void TRichEdit::SetAlignment(TAlignment Alignment)
{
    m_alignment = Alignment;
    ApplyAlignment();
}

void TRichEdit::ApplyAlignment()
{
    // The document's default option: paragraphs with an alignment of their own keep it, and
    // the content counts as unchanged.
    QTextDocument *document = m_editor->document();
    QTextOption option = document->defaultTextOption();
    switch (m_alignment) {
    case taRightJustify:
        option.setAlignment(Qt::AlignRight);
        break;
    case taCenter:
        option.setAlignment(Qt::AlignHCenter);
        break;
    default:
        option.setAlignment(Qt::AlignLeft);
        break;
    }
    document->setDefaultTextOption(option);
}

void TRichEdit::SetBorderStyle(TBorderStyle BorderStyle)
{
    m_borderStyle = BorderStyle;
    m_editor->setFrameShape(BorderStyle == bsNone ? QFrame::NoFrame : QFrame::StyledPanel);
}

QWidget *TRichEdit::FocusWidget()
{
    return m_editor;
}

void TRichEdit::resizeEvent(QResizeEvent *event)
{
    m_editor->setGeometry(rect());
    TWinControl::resizeEvent(event);
}
