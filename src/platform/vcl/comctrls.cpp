#include "platform/vcl/comctrls.h"

#include <QIcon>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <QTabBar>
#include <QToolButton>
#include <algorithm>

#include "platform/exception_boundary.h"
#include "platform/vcl/canvas.h"

namespace {

// Tab geometry, in pixels.
constexpr int kTabPadding = 6;  // before and after a tab's content
constexpr int kIconGap = 3;     // between the icon and the text
constexpr int kTabLead = 2;     // before the first tab and above the outer row (tabs style)
constexpr int kButtonGap = 3;   // between buttons, and between the buttons and the pages
constexpr int kPaneMargin = 4;  // between the page frame's outside and the pages
constexpr int kTextFlags = Qt::TextShowMnemonic | Qt::TextSingleLine;

} // namespace

// ---- TImageList ----

TImageList::TImageList(QObject *parent)
    : QObject(parent)
{
}

void TImageList::SetWidth(int Width)
{
    if (Width < 1 || Width == m_width)
        return;
    m_width = Width;
    Clear();
}

void TImageList::SetHeight(int Height)
{
    if (Height < 1 || Height == m_height)
        return;
    m_height = Height;
    Clear();
}

int TImageList::Add(const QImage &Image)
{
    const QImage sized = Image.size() == QSize(m_width, m_height)
                             ? Image
                             : Image.scaled(m_width, m_height, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    m_images.append(QPixmap::fromImage(sized));
    emit Changed();
    return Count() - 1;
}

int TImageList::AddMasked(const QImage &Image, TColor MaskColor)
{
    if (MaskColor == clNone || Image.isNull())
        return Add(Image);
    QImage image = Image.convertToFormat(QImage::Format_ARGB32);
    const QRgb mask = MaskColor == clDefault ? image.pixel(0, image.height() - 1) & 0xFFFFFF
                                             : ColorToQColor(MaskColor).rgb() & 0xFFFFFF;
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if ((line[x] & 0xFFFFFF) == mask)
                line[x] = 0;
        }
    }
    return Add(image);
}

void TImageList::Delete(int Index)
{
    if (Index < 0 || Index >= Count())
        return;
    m_images.removeAt(Index);
    emit Changed();
}

void TImageList::Clear()
{
    m_images.clear();
    emit Changed();
}

// ---- TTabSheet ----

TTabSheet::TTabSheet(QWidget *parent)
    : TWinControl(parent)
{
    // A page fills its page control's display area, whatever bounds it is given.
    SetAlign(alClient);
    FollowParent();
}

TTabSheet::~TTabSheet()
{
    if (TPageControl *pageControl = m_pageControl) {
        m_pageControl = nullptr;
        pageControl->RemovePage(this);
    }
}

void TTabSheet::SetPageControl(TPageControl *PageControl)
{
    if (PageControl == m_pageControl)
        return;
    setParent(PageControl);
    FollowParent();
}

void TTabSheet::FollowParent()
{
    auto *pageControl = qobject_cast<TPageControl *>(parentWidget());
    if (pageControl == m_pageControl)
        return;
    if (TPageControl *old = m_pageControl) {
        m_pageControl = nullptr;
        old->RemovePage(this);
    }
    m_pageControl = pageControl;
    if (pageControl)
        pageControl->InsertPage(this);
    UpdateShowing();
}

bool TTabSheet::event(QEvent *event)
{
    const bool result = TWinControl::event(event);
    if (event->type() == QEvent::ParentChange)
        FollowParent();
    return result;
}

bool TTabSheet::ShouldShow() const
{
    return m_pageControl ? m_pageControl->ActivePage() == this : TWinControl::ShouldShow();
}

void TTabSheet::TextChanged()
{
    TWinControl::TextChanged();
    if (m_pageControl)
        m_pageControl->PagesChanged();
}

void TTabSheet::SetImageIndex(int ImageIndex)
{
    m_imageIndex = ImageIndex;
    if (m_pageControl)
        m_pageControl->PagesChanged();
}

void TTabSheet::SetTabVisible(bool TabVisible)
{
    m_tabVisible = TabVisible;
    if (m_pageControl)
        m_pageControl->PagesChanged();
}

int TTabSheet::PageIndex() const
{
    return m_pageControl ? int(m_pageControl->m_pages.indexOf(const_cast<TTabSheet *>(this))) : -1;
}

void TTabSheet::SetPageIndex(int PageIndex)
{
    if (m_pageControl)
        m_pageControl->MovePage(this, std::clamp(PageIndex, 0, m_pageControl->PageCount() - 1));
}

int TTabSheet::TabIndex() const
{
    if (!m_pageControl || !m_tabVisible)
        return -1;
    int index = 0;
    for (TTabSheet *page : m_pageControl->m_pages) {
        if (page == this)
            return index;
        if (page->m_tabVisible)
            ++index;
    }
    return -1;
}

// ---- TPageControl ----

TPageControl::TPageControl(QWidget *parent)
    : TWinControl(parent)
{
    SetTabStop(true);
    SetBounds(Left(), Top(), 289, 193);
    LayoutTabs();
}

TPageControl::~TPageControl()
{
    QObject::disconnect(m_imagesConnection);
    for (TTabSheet *page : m_pages)
        page->m_pageControl = nullptr;
    m_pages.clear();
    m_activePage = nullptr;
}

void TPageControl::InsertPage(TTabSheet *page)
{
    m_pages.append(page);
    if (!m_activePage)
        ChangeActivePage(page);
    PagesChanged();
}

void TPageControl::RemovePage(TTabSheet *page)
{
    TTabSheet *next = page == m_activePage ? NextPage(page, true) : m_activePage;
    m_pages.removeOne(page);
    if (next != m_activePage)
        ChangeActivePage(next);
    PagesChanged();
}

void TPageControl::MovePage(TTabSheet *page, int index)
{
    m_pages.removeOne(page);
    m_pages.insert(index, page);
    PagesChanged();
}

void TPageControl::PagesChanged()
{
    LayoutTabs();
}

TTabSheet *TPageControl::NextPage(TTabSheet *from, bool forward) const
{
    const int count = PageCount();
    const int start = int(m_pages.indexOf(from));
    for (int step = 1; step < count; ++step) {
        const int index = ((start + (forward ? step : -step)) % count + count) % count;
        if (m_pages[index]->TabVisible())
            return m_pages[index];
    }
    return nullptr;
}

int TPageControl::ActivePageIndex() const
{
    return int(m_pages.indexOf(m_activePage));
}

void TPageControl::SetActivePageIndex(int Index)
{
    ChangeActivePage(m_pages.value(Index));
}

void TPageControl::SetActivePage(TTabSheet *Page)
{
    if (Page && Page->PageControl() != this)
        return;
    ChangeActivePage(Page);
}

void TPageControl::ChangeActivePage(TTabSheet *page)
{
    if (page == m_activePage)
        return;
    m_activePage = page;
    for (TTabSheet *sheet : m_pages)
        sheet->UpdateShowing();
    LayoutTabs();
    // A scrolled row shows the new active tab.
    const int tab = page ? page->TabIndex() : -1;
    if (tab >= 0 && m_scrollForward && !m_scrollForward->isHidden()) {
        if (tab < m_firstTab) {
            m_firstTab = tab;
            LayoutTabs();
        }
        while (m_firstTab < tab && !m_stripClip.contains(m_tabs[tab].Rect)) {
            ++m_firstTab;
            LayoutTabs();
        }
    }
}

void TPageControl::SelectByUser(TTabSheet *page)
{
    if (!page || page == m_activePage)
        return;
    ChangeActivePage(page);
    if (OnChange)
        GuardedCall([this] { OnChange(this); });
}

void TPageControl::SetTabPosition(TTabPosition TabPosition)
{
    m_tabPosition = TabPosition;
    LayoutTabs();
}

void TPageControl::SetTabWidth(int16_t TabWidth)
{
    m_tabWidth = TabWidth;
    LayoutTabs();
}

void TPageControl::SetTabHeight(int16_t TabHeight)
{
    m_tabHeight = TabHeight;
    LayoutTabs();
}

void TPageControl::SetMultiLine(bool MultiLine)
{
    m_multiLine = MultiLine;
    LayoutTabs();
}

void TPageControl::SetStyle(TTabStyle Style)
{
    m_style = Style;
    LayoutTabs();
}

void TPageControl::SetImages(TImageList *Images)
{
    QObject::disconnect(m_imagesConnection);
    m_images = Images;
    if (Images)
        m_imagesConnection = connect(Images, &TImageList::Changed, this, [this] { LayoutTabs(); });
    LayoutTabs();
}

QSize TPageControl::TabSize(const TTabSheet *sheet, const QFontMetrics &metrics) const
{
    int along = m_tabWidth;
    if (along <= 0) {
        along = metrics.size(kTextFlags, sheet->Caption()).width() + 2 * kTabPadding;
        if (m_images && sheet->ImageIndex() >= 0 && sheet->ImageIndex() < m_images->Count())
            along += m_images->Width() + kIconGap;
    }
    int across = m_tabHeight;
    if (across <= 0)
        across = std::max(metrics.height(), m_images ? m_images->Height() : 0) + 6;
    return QSize(along, across);
}

QRect TPageControl::MapFromStrip(const QRect &rect) const
{
    // The strip's coordinates run along the tabs (x) and inwards from the tabs' edge (y).
    switch (m_tabPosition) {
    case tpBottom:
        return QRect(rect.x(), height() - rect.y() - rect.height(), rect.width(), rect.height());
    case tpLeft:
        return QRect(rect.y(), rect.x(), rect.height(), rect.width());
    case tpRight:
        return QRect(width() - rect.y() - rect.height(), rect.x(), rect.height(), rect.width());
    default:
        return rect;
    }
}

void TPageControl::LayoutTabs()
{
    if (m_layingOut)
        return;
    m_layingOut = true;
    const bool vertical = m_tabPosition == tpLeft || m_tabPosition == tpRight;
    const bool buttons = m_style != tsTabs;
    const bool wrap = m_multiLine || vertical;
    const int length = vertical ? height() : width();
    const int thickness = vertical ? width() : height();
    const int lead = buttons ? 0 : kTabLead;
    const int gap = buttons ? kButtonGap : 0;
    const QFontMetrics metrics(Font().ToQFont());

    m_tabs.clear();
    QList<QSize> sizes;
    for (TTabSheet *page : m_pages) {
        if (page->TabVisible()) {
            m_tabs.append({page, QRect()});
            sizes.append(TabSize(page, metrics));
        }
    }
    const int across = sizes.isEmpty() ? 0 : sizes.first().height();

    // Rows of tab indexes in tab order, and each tab's place along its row.
    QList<QList<int>> rows;
    QList<int> positions;
    const int available = length - 2 * lead;
    int end = 0;
    for (int i = 0; i < m_tabs.size(); ++i) {
        const int along = sizes[i].width();
        if (rows.isEmpty() || (wrap && end > 0 && end + along > available)) {
            rows.append(QList<int>());
            end = 0;
        }
        rows.last().append(i);
        positions.append(end);
        end += along + gap;
    }
    const bool scrolling = !wrap && !m_tabs.isEmpty() && end - gap > available;
    const int arrow = across;
    m_firstTab = scrolling ? std::clamp(m_firstTab, 0, int(m_tabs.size()) - 1) : 0;
    const int offset = scrolling ? -positions[m_firstTab] : 0;

    // The active tab's row lies next to the pages; the others keep their cyclic order.
    const int rowCount = int(rows.size());
    int activeRow = 0;
    for (int r = 0; r < rowCount; ++r) {
        for (int i : rows[r]) {
            if (m_tabs[i].Sheet == m_activePage)
                activeRow = r;
        }
    }
    const int top = buttons ? 0 : kTabLead;
    for (int r = 0; r < rowCount; ++r) {
        const int visual = (r - activeRow - 1 + rowCount) % rowCount;
        for (int i : rows[r])
            m_tabs[i].Rect = MapFromStrip(
                QRect(lead + positions[i] + offset, top + visual * (across + gap), sizes[i].width(), across));
    }

    const int strip = rowCount == 0 ? 0 : top + rowCount * across + (rowCount - 1) * gap;
    const QRect pane(0, strip, length, std::max(0, thickness - strip));
    QRect display;
    if (buttons) {
        const int start = strip + (rowCount > 0 ? kButtonGap : 0);
        display = QRect(0, start, length, std::max(0, thickness - start));
    } else {
        display = QRect(kPaneMargin, strip + kPaneMargin, std::max(0, length - 2 * kPaneMargin),
                        std::max(0, thickness - strip - 2 * kPaneMargin));
    }
    m_paneRect = MapFromStrip(pane);
    m_displayRect = MapFromStrip(display);
    m_stripClip = MapFromStrip(QRect(0, 0, scrolling ? std::max(0, length - 2 * arrow) : length, strip));

    if (scrolling && !m_scrollBack) {
        m_scrollBack = new QToolButton(this);
        m_scrollBack->setArrowType(Qt::LeftArrow);
        m_scrollBack->setFocusPolicy(Qt::NoFocus);
        connect(m_scrollBack, &QToolButton::clicked, this, [this] { ScrollTabs(-1); });
        m_scrollForward = new QToolButton(this);
        m_scrollForward->setArrowType(Qt::RightArrow);
        m_scrollForward->setFocusPolicy(Qt::NoFocus);
        connect(m_scrollForward, &QToolButton::clicked, this, [this] { ScrollTabs(1); });
    }
    if (m_scrollBack) {
        m_scrollBack->setGeometry(MapFromStrip(QRect(length - 2 * arrow, top, arrow, arrow)));
        m_scrollForward->setGeometry(MapFromStrip(QRect(length - arrow, top, arrow, arrow)));
        m_scrollBack->setVisible(scrolling);
        m_scrollForward->setVisible(scrolling);
        m_scrollBack->raise();
        m_scrollForward->raise();
    }

    m_layingOut = false;
    Realign();
    update();
}

void TPageControl::ScrollTabs(int delta)
{
    m_firstTab += delta;
    LayoutTabs();
}

TRect TPageControl::TabRect(int TabIndex) const
{
    if (TabIndex < 0 || TabIndex >= m_tabs.size())
        return TRect();
    return TRect(m_tabs[TabIndex].Rect);
}

int TPageControl::IndexOfTabAt(int X, int Y) const
{
    const QPoint point(X, Y);
    if (!m_stripClip.contains(point))
        return -1;
    for (int i = 0; i < m_tabs.size(); ++i) {
        if (m_tabs[i].Rect.contains(point))
            return i;
    }
    return -1;
}

void TPageControl::PaintTab(QPainter *painter, const Tab &tab, int index) const
{
    const bool active = tab.Sheet == m_activePage;
    QIcon icon;
    QSize iconSize;
    if (m_images && tab.Sheet->ImageIndex() >= 0 && tab.Sheet->ImageIndex() < m_images->Count()) {
        icon = QIcon(m_images->Pixmap(tab.Sheet->ImageIndex()));
        iconSize = QSize(m_images->Width(), m_images->Height());
    }
    if (m_style == tsTabs) {
        static const QTabBar::Shape shapes[] = {QTabBar::RoundedNorth, QTabBar::RoundedSouth, QTabBar::RoundedWest,
                                                QTabBar::RoundedEast};
        QStyleOptionTab option;
        option.initFrom(this);
        option.rect = tab.Rect;
        option.shape = shapes[m_tabPosition];
        option.text = tab.Sheet->Caption();
        option.icon = icon;
        option.iconSize = iconSize;
        option.state &= ~QStyle::State_HasFocus;
        if (active) {
            option.state |= QStyle::State_Selected;
            if (hasFocus())
                option.state |= QStyle::State_HasFocus;
        }
        const int count = int(m_tabs.size());
        option.position = count == 1      ? QStyleOptionTab::OnlyOneTab
                          : index == 0     ? QStyleOptionTab::Beginning
                          : index == count - 1 ? QStyleOptionTab::End
                                           : QStyleOptionTab::Middle;
        style()->drawControl(QStyle::CE_TabBarTab, &option, painter, this);
        return;
    }
    QStyleOptionButton option;
    option.initFrom(this);
    option.rect = tab.Rect;
    option.text = tab.Sheet->Caption();
    option.icon = icon;
    option.iconSize = iconSize;
    option.state &= ~QStyle::State_HasFocus;
    if (active)
        option.state |= QStyle::State_Sunken | QStyle::State_On;
    // Flat buttons show a button face only for the active page.
    if (m_style == tsButtons || active)
        style()->drawControl(QStyle::CE_PushButtonBevel, &option, painter, this);
    style()->drawControl(QStyle::CE_PushButtonLabel, &option, painter, this);
}

void TPageControl::Paint()
{
    QPainter *painter = Canvas()->Painter();
    if (!painter)
        return;
    painter->setFont(Font().ToQFont());
    if (m_style == tsTabs) {
        static const QTabBar::Shape shapes[] = {QTabBar::RoundedNorth, QTabBar::RoundedSouth, QTabBar::RoundedWest,
                                                QTabBar::RoundedEast};
        QStyleOptionTabWidgetFrame frame;
        frame.initFrom(this);
        frame.rect = m_paneRect;
        frame.shape = shapes[m_tabPosition];
        frame.lineWidth = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
        const int active = m_activePage ? m_activePage->TabIndex() : -1;
        if (active >= 0)
            frame.selectedTabRect = m_tabs[active].Rect;
        style()->drawPrimitive(QStyle::PE_FrameTabWidget, &frame, painter, this);
    }
    painter->save();
    painter->setClipRect(m_stripClip);
    int activeIndex = -1;
    for (int i = 0; i < m_tabs.size(); ++i) {
        if (m_tabs[i].Sheet == m_activePage)
            activeIndex = i;
        else
            PaintTab(painter, m_tabs[i], i);
    }
    // The active tab last, over its neighbours.
    if (activeIndex >= 0)
        PaintTab(painter, m_tabs[activeIndex], activeIndex);
    painter->restore();
}

void TPageControl::FontChanged()
{
    TWinControl::FontChanged();
    LayoutTabs();
}

void TPageControl::SizeChanged()
{
    LayoutTabs();
}

void TPageControl::AdjustClientRect(TRect &Rect)
{
    Rect = TRect(m_displayRect);
}

void TPageControl::resizeEvent(QResizeEvent *event)
{
    LayoutTabs();
    TWinControl::resizeEvent(event);
}

void TPageControl::mousePressEvent(QMouseEvent *event)
{
    // The tab control switches pages on the press, before the control's OnMouseDown.
    if (event->button() == Qt::LeftButton) {
        const QPoint point = event->position().toPoint();
        const int index = IndexOfTabAt(point.x(), point.y());
        if (index >= 0) {
            if (TabStop())
                SetFocus();
            SelectByUser(m_tabs[index].Sheet);
        }
    }
    TWinControl::mousePressEvent(event);
}

void TPageControl::keyPressEvent(QKeyEvent *event)
{
    const bool vertical = m_tabPosition == tpLeft || m_tabPosition == tpRight;
    int step = 0;
    if (event->key() == (vertical ? Qt::Key_Up : Qt::Key_Left))
        step = -1;
    else if (event->key() == (vertical ? Qt::Key_Down : Qt::Key_Right))
        step = 1;
    const int current = m_activePage ? m_activePage->TabIndex() : -1;
    const int target = current + step;
    if (step == 0 || current < 0 || target < 0 || target >= m_tabs.size()) {
        TWinControl::keyPressEvent(event);
        return;
    }
    SelectByUser(m_tabs[target].Sheet);
}
