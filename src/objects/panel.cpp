#include "objects/panel.h"

#include "objects/control_tokens.h"
#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

#include "core/colors.h"
#include "core/error_reporting.h"
#include "core/globals.h"
#include "core/record_io.h"
#include "core/stream_primitives.h"
#include "objects/kind_record.h"
#include "objects/object_kinds.h"
#include "platform/vcl/canvas.h"

namespace {

// The face's own record: its version and place codes.
constexpr int32_t kFaceVersion = 0;
constexpr int kFaceWritePlaceCode = 4087;
constexpr int kFaceReadPlaceCode = 4088;

// The style number DrawGradient paints for each gradient style; a stored value above the
// last style paints top to bottom.
int GradientStyleNumber(TGradientStyle style)
{
    switch (style) {
    case gsTopBottom:
        return 1;
    case gsBottomTop:
        return 2;
    case gsLeftRight:
        return 3;
    case gsRightLeft:
        return 4;
    case gsMiddleTopBottom:
        return 5;
    case gsMiddleLeftRight:
        return 7;
    case gsTopBottomMiddle:
        return 6;
    case gsLeftRightMiddle:
        return 8;
    default:
        return 1;
    }
}

// The colour halfway between two colours, each channel averaged with truncation.
TColor MixColor(TColor first, TColor second)
{
    return RGBColor((GetRValue(first) + GetRValue(second)) / 2, (GetGValue(first) + GetGValue(second)) / 2,
                    (GetBValue(first) + GetBValue(second)) / 2);
}

// Text drawn into rect, aligned by alignment and placed vertically by layout; ampersands
// are drawn as they are and tabs expanded. A text taller than rect overflows it equally
// above and below when centred.
void DrawLayoutText(QPainter &painter, const QString &text, const TFont &font, TAlignment alignment,
                    TTextLayout layout, bool wordWrap, const TRect &rect)
{
    int flags = int(HorizontalAlignment(alignment)) | Qt::AlignTop | Qt::TextExpandTabs;
    if (wordWrap)
        flags |= Qt::TextWordWrap;

    const QFont qfont = font.ToQFont();
    QRect target = rect.ToQRect();
    if (layout == tlCenter || layout == tlBottom) {
        // An empty text measures as one blank: one line's height.
        const QString measured = text.isEmpty() ? QStringLiteral(" ") : text;
        const int height = QFontMetrics(qfont).boundingRect(target, flags, measured).height();
        if (layout == tlBottom) {
            target.setTop(rect.Bottom - height);
        } else {
            const int d = (height - rect.Height()) / 2;
            target.setTop(rect.Top - d);
            target.setBottom(rect.Bottom - 1 + d);
        }
    }
    painter.save();
    painter.setFont(qfont);
    painter.setPen(ColorToQColor(font.Color));
    painter.drawText(target, flags, text);
    painter.restore();
}

} // namespace

// ---- TPanelBack ----

TPanelBack::TPanelBack(QWidget *parent)
    : TGraphicControl(parent)
{
    TControl::SetCaption(QStringLiteral("Panel"));
    m_picture.OnChange = [this] { Invalidate(); };
}

TPanelBack::~TPanelBack()
{
    m_picture.OnChange = nullptr;
}

bool TPanelBack::SaveToStream(TStream *Stream)
{
    if (!Stream)
        return false;
    return GuardRecord(kFaceWritePlaceCode, [&] {
        TRecordWriter w(*Stream);
        w.Int32(kFaceVersion);
        if (!SavePictureToStream(Stream, &m_picture) || !WriteStreamString(Stream, Caption()))
            return false;
        w.Byte(m_alignment);
        w.Byte(m_layout);
        w.Byte(m_backImageStyle);
        w.Byte(m_gradientStyle);
        w.Int32(m_gradientColor);
        w.Byte(m_border);
        w.Byte(m_borderStyle);
        w.Int32(m_highlightColor);
        w.Int32(m_shadowColor);
        return true;
    });
}

bool TPanelBack::LoadFromStream(TStream *Stream)
{
    if (!Stream)
        return false;
    return GuardRecord(kFaceReadPlaceCode, [&] {
        TRecordReader r(*Stream);
        if (r.Int32() != kFaceVersion) {
            ShowDataVersionError();
            return false;
        }
        if (!LoadPictureFromStream(Stream, &m_picture))
            return false;
        QString caption;
        if (!ReadStreamString(Stream, caption))
            return false;
        SetCaption(caption);
        m_alignment = TAlignment(r.Byte());
        m_layout = TTextLayout(r.Byte());
        m_backImageStyle = TPictureStyle(r.Byte());
        m_gradientStyle = TGradientStyle(r.Byte());
        m_gradientColor = r.Int32();
        m_border = TPanelBackBorder(r.Byte());
        m_borderStyle = TPanelBackBorderStyle(r.Byte());
        m_highlightColor = r.Int32();
        m_shadowColor = r.Int32();
        Invalidate();
        return true;
    });
}

void TPanelBack::SetBackImageStyle(TPictureStyle BackImageStyle)
{
    if (m_backImageStyle == BackImageStyle)
        return;
    m_backImageStyle = BackImageStyle;
    Invalidate();
}

void TPanelBack::SetGradientStyle(TGradientStyle GradientStyle)
{
    if (m_gradientStyle == GradientStyle)
        return;
    m_gradientStyle = GradientStyle;
    Invalidate();
}

void TPanelBack::SetGradientColor(TColor GradientColor)
{
    if (m_gradientColor == GradientColor)
        return;
    m_gradientColor = GradientColor;
    Invalidate();
}

void TPanelBack::SetBorder(TPanelBackBorder Border)
{
    if (m_border == Border)
        return;
    m_border = Border;
    Invalidate();
}

void TPanelBack::SetBorderStyle(TPanelBackBorderStyle BorderStyle)
{
    if (m_borderStyle == BorderStyle)
        return;
    m_borderStyle = BorderStyle;
    Invalidate();
}

void TPanelBack::SetHighlightColor(TColor HighlightColor)
{
    if (m_highlightColor == HighlightColor)
        return;
    m_highlightColor = HighlightColor;
    Invalidate();
}

void TPanelBack::SetShadowColor(TColor ShadowColor)
{
    if (m_shadowColor == ShadowColor)
        return;
    m_shadowColor = ShadowColor;
    Invalidate();
}

void TPanelBack::SetAlignment(TAlignment Alignment)
{
    if (m_alignment == Alignment)
        return;
    m_alignment = Alignment;
    Invalidate();
}

void TPanelBack::SetLayout(TTextLayout Layout)
{
    if (m_layout == Layout)
        return;
    m_layout = Layout;
    Invalidate();
}

void TPanelBack::SetPaintGrid(bool PaintGrid)
{
    if (m_paintGrid == PaintGrid)
        return;
    m_paintGrid = PaintGrid;
    Invalidate();
}

TColor TPanelBack::BaseColor() const
{
    return Parent() ? Parent()->Color() : Color();
}

void TPanelBack::Paint()
{
    TCanvas &canvas = *Canvas();
    if (m_paintGrid) {
        PaintGridBitmap(canvas);
        return;
    }
    const TRect rect = ClientRect();
    PaintBackground(canvas, rect);
    if (QPainter *painter = canvas.Painter())
        PaintPicture(*painter, rect);
    PaintCaption(canvas, rect);
    PaintBorder(canvas, rect);
}

void TPanelBack::PaintBackground(TCanvas &canvas, const TRect &rect)
{
    if (m_gradientStyle == gsNone) {
        canvas.Brush.Style = bsSolid;
        canvas.Brush.Color = BaseColor();
        canvas.FillRect(rect);
        return;
    }
    DrawGradient(canvas, GradientStyleNumber(m_gradientStyle), BaseColor(), m_gradientColor, rect);
}

void TPanelBack::PaintPicture(QPainter &painter, const TRect &rect)
{
    const TGraphic *graphic = m_picture.Graphic();
    if (!graphic || graphic->Empty())
        return;
    // A graphic that does not decode (a metafile, damaged data) has no size to place.
    const QImage image = graphic->Image();
    if (image.isNull())
        return;
    const int width = image.width();
    const int height = image.height();
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    switch (m_backImageStyle) {
    case psNormal:
        painter.drawImage(rect.Left, rect.Top, image);
        break;
    case psCenter:
        painter.drawImage(rect.Left + (rect.Width() - width) / 2, rect.Top + (rect.Height() - height) / 2, image);
        break;
    case psStretch:
        painter.drawImage(rect.ToQRect(), image);
        break;
    case psTile:
        painter.setClipRect(rect.ToQRect(), Qt::IntersectClip);
        for (int i = 0; i <= rect.Width() / width; ++i) {
            for (int j = 0; j <= rect.Height() / height; ++j)
                painter.drawImage(rect.Left + width * i, rect.Top + height * j, image);
        }
        break;
    default:
        // psAutoSize (and any other stored value) draws no picture.
        break;
    }
    painter.restore();
}

void TPanelBack::PaintCaption(TCanvas &canvas, const TRect &rect)
{
    QPainter *painter = canvas.Painter();
    if (Caption().isEmpty() || !painter)
        return;
    DrawLayoutText(*painter, Caption(), Font(), m_alignment, m_layout, true, rect);
}

void TPanelBack::PaintBorder(TCanvas &canvas, const TRect &rect)
{
    if (m_border < pbbBox || m_border > pbbBottomLine)
        return;
    TColor first = m_highlightColor;
    TColor second = m_shadowColor;
    if (m_borderStyle == pbbsLowered)
        std::swap(first, second);
    else if (m_borderStyle == pbbsFlat)
        second = m_highlightColor;
    first = ResolveColor(first);
    second = ResolveColor(second);
    const TColor mid = MixColor(first, second);
    const bool flat = m_borderStyle == pbbsFlat;

    const int L = rect.Left;
    const int T = rect.Top;
    const int R = rect.Right;
    const int B = rect.Bottom;
    canvas.Pen.Style = psSolid;
    canvas.Pen.Width = 1;
    canvas.Brush.Style = bsClear;
    auto line = [&](TColor color, int x1, int y1, int x2, int y2) {
        canvas.Pen.Color = color;
        canvas.MoveTo(x1, y1);
        canvas.LineTo(x2, y2);
    };
    switch (m_border) {
    case pbbBox:
        canvas.Pen.Color = first;
        canvas.MoveTo(L, B - 1);
        canvas.LineTo(L, T);
        canvas.LineTo(R - 1, T);
        canvas.Pen.Color = second;
        canvas.LineTo(R - 1, B - 1);
        canvas.LineTo(L, B - 1);
        canvas.SetPixels(L, B - 1, mid);
        canvas.SetPixels(R - 1, T, mid);
        break;
    case pbbFrame:
        canvas.Pen.Color = second;
        canvas.Rectangle(L + 1, T + 1, R, B);
        if (!flat) {
            canvas.Pen.Color = first;
            canvas.Rectangle(L, T, R - 1, B - 1);
        }
        break;
    case pbbLeftLine:
        line(first, L, T, L, B);
        if (!flat) {
            line(second, L + 1, T, L + 1, B);
            canvas.SetPixels(L + 1, T, mid);
            canvas.SetPixels(L, B - 1, mid);
        }
        break;
    case pbbTopLine:
        line(first, L, T, R, T);
        if (!flat) {
            line(second, L, T + 1, R, T + 1);
            canvas.SetPixels(L, T + 1, mid);
            canvas.SetPixels(R - 1, T, mid);
        }
        break;
    case pbbRightLine:
        line(first, R - 2, T, R - 2, B);
        if (!flat) {
            line(second, R - 1, T, R - 1, B);
            canvas.SetPixels(R - 1, T, mid);
            canvas.SetPixels(R - 2, B - 1, mid);
        }
        break;
    case pbbBottomLine:
        line(first, L, B - 2, R, B - 2);
        if (!flat) {
            line(second, L, B - 1, R, B - 1);
            canvas.SetPixels(L, B - 1, mid);
            canvas.SetPixels(R - 1, B - 2, mid);
        }
        break;
    default:
        break;
    }
}

void TPanelBack::PaintGridBitmap(TCanvas &canvas)
{
    const bool fresh = !m_bmpForGrid;
    if (fresh)
        m_bmpForGrid = std::make_unique<QImage>();
    QPainter *painter = canvas.Painter();
    // The cached picture is reused while the design surface asks for it; a face that never
    // painted its grid builds it first, so that the grid does not go missing.
    if (!UseCachedGridBitmap || fresh) {
        const TRect rect = ClientRect();
        if (rect.IsEmpty()) {
            *m_bmpForGrid = QImage();
        } else {
            QImage image(rect.Width(), rect.Height(), QImage::Format_RGB32);
            {
                TCanvas bitmapCanvas(&image);
                bitmapCanvas.Font = Font();
                PaintBackground(bitmapCanvas, rect);
                if (QPainter *bitmapPainter = bitmapCanvas.Painter())
                    PaintPicture(*bitmapPainter, rect);
            }
            // A step below 1 would divide by zero: every pixel is then a grid point.
            const int stepX = std::max(1, DesignGridSizeX);
            const int stepY = std::max(1, DesignGridSizeY);
            const QRgb black = qRgb(0, 0, 0);
            for (int i = 0; i <= rect.Width() / stepX; ++i) {
                for (int j = 0; j <= rect.Height() / stepY; ++j) {
                    const int x = stepX * i;
                    const int y = stepY * j;
                    if (x < image.width() && y < image.height())
                        image.setPixel(x, y, black);
                }
            }
            *m_bmpForGrid = image;
        }
    }
    if (painter && !m_bmpForGrid->isNull())
        painter->drawImage(0, 0, *m_bmpForGrid);
}

// ---- TZvPanel ----

TZvPanel::TZvPanel(QWidget *parent)
    : TScrollBox(parent)
{
    Constraints().SetMinWidth(1);
    Constraints().SetMinHeight(1);
    const TObjectKindInfo &info = ObjectKindInfo(otPanel);
    SetBounds(Left(), Top(), info.DefaultWidth, info.DefaultHeight);

    m_panelBack = new TPanelBack(this);
    m_panelBack->SetShowHint(true);
    m_panelBack->OnClick = [this](QObject *) {
        if (OnClick)
            OnClick(this);
    };
    m_panelBack->OnDblClick = [this](QObject *) {
        if (OnDblClick)
            OnDblClick(this);
    };
    m_panelBack->OnMouseDown = [this](QObject *, TMouseButton Button, TShiftState Shift, int X, int Y) {
        if (OnMouseDown)
            OnMouseDown(this, Button, Shift, X, Y);
    };
    m_panelBack->OnMouseMove = [this](QObject *, TShiftState Shift, int X, int Y) {
        if (OnMouseMove)
            OnMouseMove(this, Shift, X, Y);
    };
    m_panelBack->OnMouseUp = [this](QObject *, TMouseButton Button, TShiftState Shift, int X, int Y) {
        if (OnMouseUp)
            OnMouseUp(this, Button, Shift, X, Y);
    };

    SetAutoScroll(false);
    SetBorderStyle(bsNone);
    SetDoubleBuffered(true);
    PlaceFace();
}

bool TZvPanel::SaveToStream(TStream *Stream)
{
    return SaveKindRecord(Stream, otPanel, [&](TRecordWriter &w) {
        if (!m_panelBack->SaveToStream(Stream))
            return false;
        w.Int32(Color());
        w.Byte(BorderStyle());
        return SaveFontToStream(Stream, &Font());
    });
}

bool TZvPanel::LoadFromStream(TStream *Stream)
{
    return LoadKindRecord(Stream, otPanel, [&](TRecordReader &r, int32_t) {
        if (!m_panelBack->LoadFromStream(Stream))
            return false;
        SetColor(r.Int32());
        SetBorderStyle(TBorderStyle(r.Byte()));
        return LoadControlFont(Stream, *this);
    });
}

void TZvPanel::Aligned()
{
    TScrollBox::Aligned();
    PlaceFace();
}

void TZvPanel::resizeEvent(QResizeEvent *event)
{
    TScrollBox::resizeEvent(event);
    PlaceFace();
}

void TZvPanel::PlaceFace()
{
    if (m_panelBack)
        m_panelBack->SetBounds(0, 0, ClientWidth(), ClientHeight());
}

bool PanelPaintsGrid(const TControl *Control)
{
    const auto *panel = dynamic_cast<const TZvPanel *>(Control);
    return panel && panel->PanelBack()->PaintGrid();
}

void SetPanelPaintGrid(TControl *Control, bool PaintGrid)
{
    if (auto *panel = dynamic_cast<TZvPanel *>(Control))
        panel->PanelBack()->SetPaintGrid(PaintGrid);
}

TControl *CreateZvPanel()
{
    return new TZvPanel;
}

bool TZvPanel::ReadToken(const QString &Token, const TZvValue *, TZvValue &Value)
{
    if (Token == QLatin1String("[Caption]")) {
        Value.SetString(m_panelBack->Caption());
        return true;
    }
    return ReadStyleToken(*this, stFont | stBackColor, Token, Value);
}

TTokenWrite TZvPanel::WriteToken(const QString &Token, const TZvValue &Value)
{
    if (Token == QLatin1String("[Caption]")) {
        return WriteText(Value, [this](const QString &Text) {
            m_panelBack->SetCaption(Text);
            m_panelBack->Invalidate();
        });
    }
    return WriteStyleToken(*this, stFont | stBackColor, Token, Value);
}
