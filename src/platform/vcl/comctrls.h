// The platform's page control: a row (or rows) of tabs over pages, one page showing at a
// time, with tab icons taken from a small image list.
#pragma once

#include <QList>
#include <QMetaObject>
#include <QPixmap>
#include <QPointer>

#include "platform/vcl/controls.h"

class QImage;
class QToolButton;
class TPageControl;

enum TTabPosition : uint8_t { tpTop, tpBottom, tpLeft, tpRight };
enum TTabStyle : uint8_t { tsTabs, tsButtons, tsFlatButtons };

// Images of one size, by index.
class TImageList : public QObject
{
    Q_OBJECT

public:
    explicit TImageList(QObject *parent = nullptr);

    // 16 x 16 until set; a new size empties the list. Sizes below 1 are refused.
    int Width() const { return m_width; }
    void SetWidth(int Width);
    int Height() const { return m_height; }
    void SetHeight(int Height);

    int Count() const { return int(m_images.size()); }
    // Appends the image, scaled to the list's size when it has another; returns its index.
    int Add(const QImage &Image);
    // Appends the image with the pixels of MaskColor transparent; clDefault takes the
    // colour of the bottom-left pixel.
    int AddMasked(const QImage &Image, TColor MaskColor);
    void Delete(int Index);
    void Clear();
    // The image at Index; a null pixmap outside the list.
    QPixmap Pixmap(int Index) const { return m_images.value(Index); }

signals:
    void Changed();

private:
    int m_width = 16;
    int m_height = 16;
    QList<QPixmap> m_images;
};

// One page of a page control; its tab shows its Caption and the image ImageIndex of the
// page control's Images. A page is aligned to the client, which for a page control is
// its display area, and the page control shows only its active page.
class TTabSheet : public TWinControl
{
    Q_OBJECT

public:
    explicit TTabSheet(QWidget *parent = nullptr);
    ~TTabSheet() override;

    // Setting it makes the page control the sheet's parent and adds the sheet as its
    // last page; nullptr takes it out (and leaves it without a parent).
    TPageControl *PageControl() const { return m_pageControl; }
    void SetPageControl(TPageControl *PageControl);

    using TControl::Caption;
    using TControl::SetCaption;
    // -1: no icon.
    int ImageIndex() const { return m_imageIndex; }
    void SetImageIndex(int ImageIndex);
    // A page without a visible tab keeps its place among the pages.
    bool TabVisible() const { return m_tabVisible; }
    void SetTabVisible(bool TabVisible);
    // The place among the pages; setting it moves the page (clamped to the pages).
    int PageIndex() const;
    void SetPageIndex(int PageIndex);
    // The place among the visible tabs; -1 without a visible tab.
    int TabIndex() const;

protected:
    bool event(QEvent *event) override;
    void TextChanged() override;
    bool ShouldShow() const override;

private:
    friend class TPageControl;
    void FollowParent();

    TPageControl *m_pageControl = nullptr;
    int m_imageIndex = -1;
    bool m_tabVisible = true;
};

class TPageControl : public TWinControl
{
    Q_OBJECT

public:
    explicit TPageControl(QWidget *parent = nullptr);
    ~TPageControl() override;

    int PageCount() const { return int(m_pages.size()); }
    TTabSheet *Pages(int Index) const { return m_pages.value(Index); }

    // Changing the page by code raises no OnChange; a first page added becomes active.
    TTabSheet *ActivePage() const { return m_activePage; }
    void SetActivePage(TTabSheet *Page);
    // -1 without an active page; an index outside the pages leaves none active.
    int ActivePageIndex() const;
    void SetActivePageIndex(int Index);

    TTabPosition TabPosition() const { return m_tabPosition; }
    void SetTabPosition(TTabPosition TabPosition);
    // Fixed tab sizes in pixels (length along the text, thickness); 0 or less sizes each
    // tab to its text and icon.
    int16_t TabWidth() const { return m_tabWidth; }
    void SetTabWidth(int16_t TabWidth);
    int16_t TabHeight() const { return m_tabHeight; }
    void SetTabHeight(int16_t TabHeight);
    // Tabs that do not fit wrap into more rows, the active tab's row next to the pages;
    // otherwise one row scrolls with two arrow buttons. Tabs at the left or right always
    // wrap.
    bool MultiLine() const { return m_multiLine; }
    void SetMultiLine(bool MultiLine);
    TTabStyle Style() const { return m_style; }
    void SetStyle(TTabStyle Style);
    // Not owned; the tabs show its images by their sheets' ImageIndex.
    TImageList *Images() const { return m_images; }
    void SetImages(TImageList *Images);

    // Where the tab of tab index TabIndex lies (unselected), in the control's coordinates;
    // empty for an index without a tab.
    TRect TabRect(int TabIndex) const;
    // The tab index of the tab at (X, Y), or -1.
    int IndexOfTabAt(int X, int Y) const;
    // Where the pages lie.
    TRect DisplayRect() const { return TRect(m_displayRect); }

    // Raised after the user chose another page (by a tab click or the arrow keys).
    TNotifyEvent OnChange;

protected:
    void Paint() override;
    void FontChanged() override;
    void SizeChanged() override;
    // The pages (aligned to the client) fill the display area.
    void AdjustClientRect(TRect &Rect) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    friend class TTabSheet;
    struct Tab
    {
        TTabSheet *Sheet;
        QRect Rect;
    };

    void InsertPage(TTabSheet *page);
    void RemovePage(TTabSheet *page);
    void MovePage(TTabSheet *page, int index);
    void PagesChanged();
    void ChangeActivePage(TTabSheet *page);
    void SelectByUser(TTabSheet *page);
    TTabSheet *NextPage(TTabSheet *from, bool forward) const;
    void LayoutTabs();
    QSize TabSize(const TTabSheet *sheet, const QFontMetrics &metrics) const;
    QRect MapFromStrip(const QRect &rect) const;
    void ScrollTabs(int delta);
    void PaintTab(QPainter *painter, const Tab &tab, int index) const;

    QList<TTabSheet *> m_pages;
    TTabSheet *m_activePage = nullptr;
    TTabPosition m_tabPosition = tpTop;
    int16_t m_tabWidth = 0;
    int16_t m_tabHeight = 0;
    bool m_multiLine = false;
    TTabStyle m_style = tsTabs;
    QPointer<TImageList> m_images;
    QMetaObject::Connection m_imagesConnection;

    QList<Tab> m_tabs; // the visible tabs, in tab order
    QRect m_paneRect;
    QRect m_displayRect;
    QRect m_stripClip; // the part of the strip where tabs show
    int m_firstTab = 0;
    QToolButton *m_scrollBack = nullptr;
    QToolButton *m_scrollForward = nullptr;
    bool m_layingOut = false;
};
