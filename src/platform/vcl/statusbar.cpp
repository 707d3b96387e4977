#include "platform/vcl/statusbar.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <algorithm>

#include "platform/rtl/sysutils.h"

namespace {

// Room between a panel's frame and its text.
constexpr int kTextMargin = 3;

} // namespace

// ---- TStatusPanel ----

void TStatusPanel::SetAlignment(TAlignment Alignment)
{
    m_alignment = Alignment;
    Changed();
}

void TStatusPanel::SetText(const QString &Text)
{
    m_text = Text;
    Changed();
}

void TStatusPanel::SetWidth(int32_t Width)
{
    m_width = Width;
    Changed();
}

void TStatusPanel::Changed()
{
    if (m_statusBar)
        m_statusBar->update();
}

// ---- TStatusPanels ----

TStatusPanels::~TStatusPanels()
{
    qDeleteAll(m_panels);
}

TStatusPanel *TStatusPanels::Add()
{
    auto *panel = new TStatusPanel(m_statusBar);
    m_panels.append(panel);
    panel->Changed();
    return panel;
}

void TStatusPanels::Clear()
{
    qDeleteAll(m_panels);
    m_panels.clear();
    if (m_statusBar)
        m_statusBar->update();
}

TStatusPanel *TStatusPanels::Items(int Index) const
{
    if (Index < 0 || Index >= m_panels.size())
        throw Exception(QStringLiteral("List index out of bounds (%1)").arg(Index));
    return m_panels.at(Index);
}

// ---- TStatusBar ----

TStatusBar::TStatusBar(QWidget *parent) : QWidget(parent), m_panels(this)
{
    setFont(m_font.ToQFont());
    setFixedHeight(19);
}

void TStatusBar::SetHeight(int Height)
{
    setFixedHeight(std::max(Height, 0));
}

void TStatusBar::SetFont(const TFont &Font)
{
    m_font = Font;
    setFont(m_font.ToQFont());
    update();
}

TRect TStatusBar::PanelRect(int Index) const
{
    const TStatusPanel *panel = m_panels.Items(Index);
    int left = 0;
    for (int i = 0; i < Index; ++i)
        left += std::max(m_panels.Items(i)->Width(), 0);
    const int right = Index == m_panels.Count() - 1 ? std::max(width(), left) : left + std::max(panel->Width(), 0);
    return TRect(left, 0, right, height());
}

void TStatusBar::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(ColorToQColor(m_font.Color));
    for (int i = 0; i < m_panels.Count(); ++i) {
        const QRect rect = PanelRect(i).ToQRect();
        if (rect.isEmpty())
            continue;
        QStyleOptionFrame frame;
        frame.initFrom(this);
        frame.rect = rect;
        frame.lineWidth = 1;
        frame.state |= QStyle::State_Sunken;
        style()->drawPrimitive(QStyle::PE_Frame, &frame, &painter, this);
        const QRect textRect = rect.adjusted(kTextMargin, 1, -kTextMargin, -1);
        const TStatusPanel *panel = m_panels.Items(i);
        const QString text = painter.fontMetrics().elidedText(panel->Text(), Qt::ElideRight, textRect.width());
        painter.drawText(textRect, int(HorizontalAlignment(panel->Alignment()) | Qt::AlignVCenter), text);
    }
}
