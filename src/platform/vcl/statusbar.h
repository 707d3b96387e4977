// The status bar of a window: a row of panels, each with its text, alignment and width.
// The last panel reaches to the bar's right edge.
#pragma once

#include <QList>
#include <QString>
#include <QWidget>
#include <cstdint>

#include "platform/graphics/font.h"
#include "platform/vcl/types.h"

class TStatusBar;

class TStatusPanel
{
public:
    TAlignment Alignment() const { return m_alignment; }
    void SetAlignment(TAlignment Alignment);
    const QString &Text() const { return m_text; }
    void SetText(const QString &Text);
    int32_t Width() const { return m_width; }
    void SetWidth(int32_t Width);

private:
    friend class TStatusPanels;
    explicit TStatusPanel(TStatusBar *StatusBar) : m_statusBar(StatusBar) {}
    void Changed();

    TStatusBar *m_statusBar = nullptr;
    TAlignment m_alignment = taLeftJustify;
    QString m_text;
    int32_t m_width = 50;
};

// The bar's panels, owned, in order.
class TStatusPanels
{
public:
    explicit TStatusPanels(TStatusBar *StatusBar) : m_statusBar(StatusBar) {}
    ~TStatusPanels();
    TStatusPanels(const TStatusPanels &) = delete;
    TStatusPanels &operator=(const TStatusPanels &) = delete;

    // A new panel at the end.
    TStatusPanel *Add();
    void Clear();
    int Count() const { return int(m_panels.size()); }
    TStatusPanel *Items(int Index) const;

private:
    TStatusBar *m_statusBar;
    QList<TStatusPanel *> m_panels;
};

class TStatusBar : public QWidget
{
    Q_OBJECT

public:
    explicit TStatusBar(QWidget *parent = nullptr);

    TStatusPanels &Panels() { return m_panels; }
    const TStatusPanels &Panels() const { return m_panels; }

    int Height() const { return height(); }
    void SetHeight(int Height);
    const TFont &Font() const { return m_font; }
    void SetFont(const TFont &Font);
    bool Visible() const { return !isHidden(); }
    void SetVisible(bool Visible) { setVisible(Visible); }

    // Where panel Index lies in the bar: panels follow each other at their widths, the last
    // one takes the rest of the bar.
    TRect PanelRect(int Index) const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    TStatusPanels m_panels;
    TFont m_font;
};
