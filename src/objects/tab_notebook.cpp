#include "objects/tab_notebook.h"

#include "objects/control_tokens.h"
#include <QPainter>

#include "core/globals.h"
#include "core/record_io.h"
#include "core/stream_primitives.h"
#include "objects/kind_record.h"
#include "objects/object_kinds.h"

// ---- TZvTabNotebook ----

TZvTabNotebook::TZvTabNotebook(QWidget *parent)
    : TScrollBox(parent)
{
    const TObjectKindInfo &info = ObjectKindInfo(otTabNotebook);
    SetBounds(Left(), Top(), info.DefaultWidth, info.DefaultHeight);
    Constraints().SetMinWidth(1);
    Constraints().SetMinHeight(1);

    m_pageControl = new TPageControl(this);
    m_pageControl->SetAlign(alClient);
    m_pageControl->SetShowHint(true);
    m_pageControl->SetDoubleBuffered(true);
    m_imageList = new TImageList(this);
    m_pageControl->SetImages(m_imageList);

    SetDoubleBuffered(!PageIsEdited());
    SetAutoScroll(false);
    SetBorderStyle(bsNone);
    SetTabStop(false);
}

TZvTabNotebook::~TZvTabNotebook()
{
    m_pageControl->OnChange = nullptr;
    // The sheets belong to their own records: they must not go down with the page control.
    DetachSheets();
    delete m_pageControl;
    delete m_imageList;
}

bool TZvTabNotebook::SaveToStream(TStream *Stream)
{
    return SaveKindRecord(Stream, otTabNotebook, [&](TRecordWriter &w) {
        w.Byte(m_pageControl->TabPosition());
        w.Int32(m_pageControl->TabWidth());
        w.Int32(m_pageControl->TabHeight());
        if (!SaveFontToStream(Stream, &m_pageControl->Font()))
            return false;
        w.Int32(Color());
        w.Int32(m_imageList->Width());
        w.Int32(m_imageList->Height());
        w.Int32(DefaultActivePageIndex);
        w.Bool(m_pageControl->TabStop());
        return true;
    });
}

bool TZvTabNotebook::LoadFromStream(TStream *Stream)
{
    return LoadKindRecord(Stream, otTabNotebook, [&](TRecordReader &r, int32_t Version) {
        if (Version >= 1) {
            m_pageControl->SetTabPosition(TTabPosition(r.Byte()));
            // The page control keeps 16-bit tab sizes.
            m_pageControl->SetTabWidth(static_cast<int16_t>(r.Int32()));
            m_pageControl->SetTabHeight(static_cast<int16_t>(r.Int32()));
        }
        if (!LoadControlFont(Stream, *m_pageControl))
            return false;
        SetColor(r.Int32());
        m_imageList->SetWidth(r.Int32());
        m_imageList->SetHeight(r.Int32());
        DefaultActivePageIndex = r.Int32();
        m_pageControl->SetTabStop(r.Bool());
        return true;
    });
}

void TZvTabNotebook::RebuildIcons()
{
    const int width = m_imageList->Width();
    const int height = m_imageList->Height();
    QImage work(width, height, QImage::Format_RGB32);
    m_imageList->Clear();
    for (int i = 0; i < m_pageControl->PageCount(); ++i) {
        TTabSheet *page = m_pageControl->Pages(i);
        auto *sheet = dynamic_cast<TZvTabSheet *>(page);
        const TGraphic *graphic = sheet ? sheet->Icon().Graphic() : nullptr;
        work.fill(Qt::white);
        TColor mask = clNone;
        bool masked = false;
        if (graphic && !graphic->Empty()) {
            const QImage image = graphic->Image();
            const QRect target(0, 0, width, height);
            QPainter painter(&work);
            if (dynamic_cast<const TIcon *>(graphic)) {
                // An icon is put on white at its own size first, then stretched.
                QImage own(image.size(), QImage::Format_RGB32);
                own.fill(Qt::white);
                QPainter(&own).drawImage(0, 0, image);
                painter.drawImage(target, own);
            } else if (dynamic_cast<const TBitmap *>(graphic)) {
                // A bitmap is drawn opaque and masked by its transparent colour: the colour
                // of its bottom-left pixel.
                painter.drawImage(target, image.convertToFormat(QImage::Format_RGB32));
                if (!image.isNull()) {
                    mask = QColorToColor(image.pixelColor(0, image.height() - 1));
                    masked = true;
                }
            } else {
                // Other graphics are drawn with their transparency, over the white.
                painter.drawImage(target, image);
            }
            page->SetImageIndex(i);
        } else {
            page->SetImageIndex(-1);
        }
        // Every page adds an image, so that image i always belongs to page i.
        if (masked)
            m_imageList->AddMasked(work, mask);
        else
            m_imageList->Add(work);
    }
    // The tab row may have changed its height.
    m_pageControl->Realign();
}

void TZvTabNotebook::AfterChildrenLoaded()
{
    RebuildIcons();
    if (m_pageControl->PageCount() > 1) {
        m_pageControl->SetActivePageIndex(0);
        m_pageControl->SetActivePageIndex(1);
    }
    m_pageControl->SetActivePageIndex(DefaultActivePageIndex);
}

void TZvTabNotebook::BeforeChildrenFreed()
{
    m_pageControl->OnChange = nullptr;
    DetachSheets();
}

void TZvTabNotebook::DetachSheets()
{
    for (int i = m_pageControl->PageCount() - 1; i >= 0; --i)
        m_pageControl->Pages(i)->SetPageControl(nullptr);
}

// ---- TZvTabSheet ----

TZvTabSheet::TZvTabSheet(QWidget *parent)
    : TTabSheet(parent)
{
    SetShowHint(true);
    SetDoubleBuffered(true);
}

bool TZvTabSheet::SaveToStream(TStream *Stream)
{
    return SaveKindRecord(Stream, otTabSheet, [&](TRecordWriter &) {
        return WriteStreamString(Stream, Caption()) && SavePictureToStream(Stream, &FIcon);
    });
}

bool TZvTabSheet::LoadFromStream(TStream *Stream)
{
    return LoadKindRecord(Stream, otTabSheet, [&](TRecordReader &, int32_t) {
        QString caption;
        if (!ReadStreamString(Stream, caption))
            return false;
        SetCaption(caption);
        return LoadPictureFromStream(Stream, &FIcon);
    });
}

bool TZvTabSheet::AttachTo(TWinControl *Parent)
{
    auto *notebook = dynamic_cast<TZvTabNotebook *>(Parent);
    if (!notebook)
        return false;
    SetPageControl(notebook->PageControl());
    return true;
}

TControl *CreateZvTabNotebook()
{
    return new TZvTabNotebook;
}

TControl *CreateZvTabSheet()
{
    return new TZvTabSheet;
}

bool TZvTabNotebook::ReadToken(const QString &Token, const TZvValue *, TZvValue &Value)
{
    if (Token == QLatin1String("[ActiveIndex]"))
        Value.SetInteger(m_pageControl->ActivePageIndex());
    else if (Token == QLatin1String("[Count]"))
        Value.SetInteger(m_pageControl->PageCount());
    else if (Token == QLatin1String("[Font]"))
        return ReadStyleToken(*m_pageControl, stFont, Token, Value);
    else
        return ReadStyleToken(*this, stBackColor, Token, Value);
    return true;
}

TTokenWrite TZvTabNotebook::WriteToken(const QString &Token, const TZvValue &Value)
{
    if (Token == QLatin1String("[ActiveIndex]"))
        return WriteNumber(Value, [this](int32_t Index) { m_pageControl->SetActivePageIndex(Index); });
    if (Token == QLatin1String("[Font]"))
        return WriteStyleToken(*m_pageControl, stFont, Token, Value);
    return WriteStyleToken(*this, stBackColor, Token, Value);
}
