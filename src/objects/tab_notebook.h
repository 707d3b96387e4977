// The tab notebook kind, a borderless box holding a page control, and the tab sheet kind,
// one page of it. The sheets are objects of their own whose controls join the notebook's
// page control; the notebook's image list holds one tab icon per page.
#pragma once

#include "objects/kind_control.h"
#include "platform/graphics/picture.h"
#include "platform/vcl/comctrls.h"
#include "platform/vcl/scrollbox.h"

class TZvTabNotebook : public TScrollBox, public TKindControl
{
    Q_OBJECT

public:
    explicit TZvTabNotebook(QWidget *parent = nullptr);
    ~TZvTabNotebook() override;

    // Version 1: tab position and sizes, font, colour, image size, default page, tab stop.
    // Version 0 records lack the tab position and sizes.
    bool SaveToStream(TStream *Stream) override;
    bool LoadFromStream(TStream *Stream) override;

    // Rebuilds the image list from the pages' icons: image i belongs to page i, and a page
    // without an icon gets image index -1 (its image is blank).
    void RebuildIcons();

    // Icons, then page 0 and page 1 shown in turn when there are two or more, then the
    // page of DefaultActivePageIndex.
    void AfterChildrenLoaded() override;
    // Lets go of the sheets (last first), whose controls belong to their own records.
    void BeforeChildrenFreed() override;

    TPageControl *PageControl() const { return m_pageControl; }

    // "[Font]" (the page control's), "[BackColor]", "[ActiveIndex]", "[Count]" (read only).
    bool ReadToken(const QString &Token, const TZvValue *Counterpart, TZvValue &Value) override;
    TTokenWrite WriteToken(const QString &Token, const TZvValue &Value) override;

    TImageList *ImageList() const { return m_imageList; }

    // The page shown once the notebook has been loaded.
    int32_t DefaultActivePageIndex = 0;

private:
    void DetachSheets();

    TPageControl *m_pageControl = nullptr;
    TImageList *m_imageList = nullptr;
};

class TZvTabSheet : public TTabSheet, public TKindControl
{
    Q_OBJECT

public:
    void InitNewObject(const QString &Name) override { SetCaption(Name); }
    explicit TZvTabSheet(QWidget *parent = nullptr);

    // Caption, then the tab's icon.
    bool SaveToStream(TStream *Stream) override;
    bool LoadFromStream(TStream *Stream) override;

    // Joins the page control of a tab notebook as its last page. Any other parent is
    // refused (False), and the sheet is then placed in it as a plain container.
    bool AttachTo(TWinControl *Parent) override;
    // Placed by its page control: no geometry tokens.
    bool HasGeometryTokens() const override { return false; }

    // The picture shown on the page's tab (through the notebook's RebuildIcons).
    TPicture &Icon() { return FIcon; }
    const TPicture &Icon() const { return FIcon; }

private:
    TPicture FIcon;
};

TControl *CreateZvTabNotebook();
TControl *CreateZvTabSheet();
