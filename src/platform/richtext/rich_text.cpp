#include "platform/richtext/rich_text.h"

#include <QStringDecoder>
#include <QTextDocument>

#include "platform/richtext/rtf_reader.h"
#include "platform/richtext/rtf_writer.h"
#include "platform/rtl/cp1252.h"

TRichTextContent::TRichTextContent(QTextDocument *document, QObject *parent)
    : QObject(parent), m_document(document ? document : new QTextDocument(this))
{
    Attach();
}

void TRichTextContent::Attach()
{
    connect(m_document, &QTextDocument::contentsChanged, this, [this] {
        if (!m_loading)
            m_modified = true;
    });
    // A document marked modified by its editor counts as edited. Being marked unmodified does
    // not undo that: an editor clears the mark after saving, and the stored bytes would then
    // be stale.
    connect(m_document, &QTextDocument::modificationChanged, this, [this](bool changed) {
        if (changed && !m_loading)
            m_modified = true;
    });
}

bool TRichTextContent::LoadRtf(const QByteArray &bytes, QString *error)
{
    m_loading = true;
    bool ok = true;
    if (IsRtf(bytes)) {
        ok = ReadRtf(bytes, *m_document, error);
    } else {
        QStringDecoder utf8(QStringDecoder::Utf8);
        QString text = utf8.decode(bytes);
        if (utf8.hasError())
            text = Cp1252ToString(bytes);
        const bool undo = m_document->isUndoRedoEnabled();
        m_document->setUndoRedoEnabled(false);
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        text.replace(u'\r', u'\n');
        m_document->setPlainText(text);
        m_document->setUndoRedoEnabled(undo);
    }
    m_document->setModified(false);
    m_originalRtf = bytes;
    m_modified = false;
    m_loading = false;
    return ok;
}

QByteArray TRichTextContent::SaveRtf() const
{
    if (!m_modified)
        return m_originalRtf;
    return WriteRtf(*m_document);
}

void TRichTextContent::SetPlainText(const QString &text)
{
    QString lines = text;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    lines.replace(u'\r', u'\n');
    m_document->setPlainText(lines);
    m_originalRtf.clear();
    m_modified = true;
}

QString TRichTextContent::PlainText() const
{
    return m_document->toPlainText();
}
