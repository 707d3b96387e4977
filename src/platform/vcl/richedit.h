// The platform's rich edit: a memo of formatted text whose lines load and save as RTF.
// Bytes loaded and not edited since are saved back exactly as they came.
#pragma once

#include <QByteArray>

#include "platform/vcl/stdctrls.h"

class TRichTextContent;

class TRichEdit : public TCustomMemo
{
    Q_OBJECT

public:
    explicit TRichEdit(QWidget *parent = nullptr);

    // The lines as the control saves them: while PlainText is off, RTF (the loaded bytes
    // while the text was not edited since, else the document written anew); while it is
    // on, the text with CR LF between lines in code page 1252.
    QByteArray SaveLines() const;
    // Replaces the content with bytes as SaveLines gives them. While PlainText is off,
    // RTF is read (bytes that are not RTF show as text); False when the RTF is damaged,
    // and what could be read shows. While PlainText is on, the bytes are text.
    bool LoadLines(const QByteArray &Bytes);

    // The text without its formatting, the lines joined by CR LF; setting it drops the
    // formatting.
    QString Text() const;
    void SetText(const QString &Text);

    // Whether the lines load and save as plain text instead of RTF.
    bool PlainText() const { return m_plainText; }
    void SetPlainText(bool PlainText) { m_plainText = PlainText; }

    TRichTextContent *Content() const { return m_content; }

private:
    TRichTextContent *m_content;
    bool m_loaded = false; // LoadLines gave the content its bytes
    bool m_plainText = false;
};
