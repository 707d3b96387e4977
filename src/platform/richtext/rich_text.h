// The content of a rich-text object: the RTF bytes as stored and the document they show.
// Bytes that were loaded and not edited since are saved back unchanged; an edited document is
// written anew. Bytes that are not RTF are shown as plain text and kept the same way.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

class QTextDocument;

class TRichTextContent : public QObject
{
    Q_OBJECT

public:
    // Works on the given document (an editor's, which must outlive this holder), or on a
    // document of its own when none is given.
    explicit TRichTextContent(QTextDocument *document = nullptr, QObject *parent = nullptr);

    QTextDocument *Document() const { return m_document; }
    // The bytes last loaded; empty after SetPlainText.
    const QByteArray &OriginalRtf() const { return m_originalRtf; }
    // True once the document changed after loading (or was given plain text).
    bool Modified() const { return m_modified; }

    // Keeps the bytes and shows them: RTF through ReadRtf (false, with a message in *error,
    // when it is damaged; the document then shows what could be read), other bytes as plain
    // text (UTF-8 when valid, else code page 1252). Not modified afterwards.
    bool LoadRtf(const QByteArray &bytes, QString *error = nullptr);
    // The loaded bytes while the document is unmodified, else WriteRtf of the document.
    QByteArray SaveRtf() const;

    // Replaces the content with plain text (CR LF, CR and LF all break lines).
    void SetPlainText(const QString &text);
    // The document's text, one line per paragraph joined by LF.
    QString PlainText() const;

private:
    void Attach();

    QTextDocument *m_document = nullptr;
    QByteArray m_originalRtf;
    bool m_modified = false;
    bool m_loading = false;
};
