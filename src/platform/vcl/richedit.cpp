#include "platform/vcl/richedit.h"

#include <QTextDocument>
#include <QTextEdit>

#include "platform/richtext/rich_text.h"
#include "platform/richtext/rtf_writer.h"
#include "platform/rtl/cp1252.h"

TRichEdit::TRichEdit(QWidget *parent)
    : TCustomMemo(parent), m_content(new TRichTextContent(Editor()->document(), this))
{
    connect(Editor(), &QTextEdit::textChanged, this, [this] { Changed(); });
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
        return WriteRtf(*Editor()->document());
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
