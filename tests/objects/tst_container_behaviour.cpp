#include <QtTest>

#include <QBuffer>
#include <QImageWriter>
#include <memory>

#include "support/kind_fixtures.h"
#include "support/record_fixtures.h"

#include "core/colors.h"
#include "core/globals.h"
#include "core/object_records.h"
#include "core/project_model.h"
#include "objects/bevel.h"
#include "objects/group_box.h"
#include "objects/panel.h"
#include "objects/scroll_box.h"
#include "objects/splitter.h"
#include "objects/tab_notebook.h"
#include "platform/rtl/streams.h"
#include "platform/scripted_ui_services.h"
#include "platform/vcl/stdctrls.h"
#include "runtime/object_control_creation.h"
#include "runtime/run_form.h"

namespace {

// What a graphic control leaves unpainted shows this colour.
const QRgb kUnpainted = qRgb(1, 2, 3);

QImage Render(QWidget &widget)
{
    QImage image(widget.size(), QImage::Format_RGB32);
    image.fill(kUnpainted);
    // Without the window's background: a graphic control leaves its unpainted pixels.
    widget.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

QRgb Rgb(TColor color)
{
    return ColorToQColor(color).rgb();
}

// Pixel checks written as "x,y=K x,y=K ...", K naming a colour of the given table.
void ComparePixels(const QImage &image, const QString &checks, const QHash<QChar, QRgb> &colors)
{
    for (const QString &check : checks.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QStringList sides = check.split(QLatin1Char('='));
        const QStringList xy = sides[0].split(QLatin1Char(','));
        const int x = xy[0].toInt();
        const int y = xy[1].toInt();
        const QRgb expected = colors.value(sides[1][0]);
        if (image.pixel(x, y) != expected)
            QFAIL(qPrintable(QStringLiteral("pixel %1: %2 instead of %3")
                                 .arg(check, QString::number(image.pixel(x, y) & 0xFFFFFF, 16),
                                      QString::number(expected & 0xFFFFFF, 16))));
    }
}

// A picture whose pixel (x, y) tells its coordinates.
QImage CoordinateImage(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(10 * x + 5, 10 * y + 5, 77));
    }
    return image;
}

// A plain panel for painting tests: white, no caption.
std::unique_ptr<TZvPanel> WhitePanel(int width, int height)
{
    auto panel = std::make_unique<TZvPanel>();
    panel->SetBounds(0, 0, width, height);
    panel->SetColor(clWhite);
    panel->PanelBack()->SetCaption(QString());
    return panel;
}

class PaintCounter : public QObject
{
public:
    int Count = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++Count;
        return false;
    }
};

void SendMouse(QWidget *widget, QEvent::Type type, QPoint position, Qt::MouseButton button, Qt::MouseButtons buttons)
{
    QMouseEvent event(type, position, widget->mapToGlobal(position), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

} // namespace

class TestContainerBehaviour : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        DesignerMode = false;
        DesignerPreview = false;
        UseCachedGridBitmap = false;
        DesignGridSizeX = 8;
        DesignGridSizeY = 8;
    }

    // ---- the panel's face ----

    // A new panel: the caption "Panel" centred both ways, a raised box border.
    void newPanelLook()
    {
        TZvPanel panel;
        panel.SetBounds(0, 0, 80, 40);
        panel.SetColor(clCream);
        const QImage image = Render(panel);
        const QRgb highlight = Rgb(clBtnHighlight);
        const QRgb shadow = Rgb(clBtnShadow);
        const QRgb mid = Rgb(RGBColor(0xBF, 0xBF, 0xBF)); // (white + grey) / 2
        QCOMPARE(image.pixel(0, 20), highlight);
        QCOMPARE(image.pixel(40, 0), highlight);
        QCOMPARE(image.pixel(79, 20), shadow);
        QCOMPARE(image.pixel(40, 39), shadow);
        QCOMPARE(image.pixel(0, 39), mid);
        QCOMPARE(image.pixel(79, 0), mid);

        // The caption's ink, inside the border, lies around the middle.
        QRect ink;
        for (int y = 1; y < 39; ++y) {
            for (int x = 1; x < 79; ++x) {
                if (image.pixel(x, y) != Rgb(clCream))
                    ink |= QRect(x, y, 1, 1);
            }
        }
        QVERIFY(!ink.isEmpty());
        QVERIFY2(qAbs(ink.center().x() - 40) <= 2 && qAbs(ink.center().y() - 20) <= 2,
                 qPrintable(QStringLiteral("caption at %1,%2").arg(ink.center().x()).arg(ink.center().y())));
    }

    // The six border shapes in the three looks, on a 10 x 8 face: H the highlight colour,
    // S the shadow colour, M their mix, W the background.
    void borderTable_data()
    {
        QTest::addColumn<int>("border");
        QTest::addColumn<int>("style");
        QTest::addColumn<QString>("checks");
        QTest::newRow("box raised") << int(pbbBox) << int(pbbsRaised)
                                    << "0,0=H 0,3=H 4,0=H 9,4=S 4,7=S 9,7=S 0,7=M 9,0=M 5,4=W";
        QTest::newRow("box lowered") << int(pbbBox) << int(pbbsLowered) << "0,3=S 4,0=S 9,4=H 4,7=H 0,7=M 9,0=M";
        QTest::newRow("box flat") << int(pbbBox) << int(pbbsFlat) << "0,3=H 9,4=H 4,7=H 0,7=H 9,0=H 5,4=W";
        QTest::newRow("frame raised") << int(pbbFrame) << int(pbbsRaised)
                                      << "0,4=H 4,0=H 8,4=H 4,6=H 8,1=H 1,4=S 4,1=S 9,4=S 4,7=S 9,0=W 5,3=W";
        QTest::newRow("frame flat") << int(pbbFrame) << int(pbbsFlat)
                                    << "0,4=W 4,0=W 1,4=H 4,1=H 9,4=H 4,7=H 8,4=W 5,3=W";
        QTest::newRow("left line raised") << int(pbbLeftLine) << int(pbbsRaised) << "0,4=H 1,4=S 1,0=M 0,7=M 2,4=W";
        QTest::newRow("left line flat") << int(pbbLeftLine) << int(pbbsFlat) << "0,4=H 0,7=H 1,4=W 1,0=W";
        QTest::newRow("top line lowered") << int(pbbTopLine) << int(pbbsLowered) << "4,0=S 4,1=H 0,1=M 9,0=M 4,2=W";
        QTest::newRow("right line raised") << int(pbbRightLine) << int(pbbsRaised)
                                           << "8,4=H 9,4=S 9,0=M 8,7=M 7,4=W";
        QTest::newRow("right line flat") << int(pbbRightLine) << int(pbbsFlat) << "8,4=H 9,4=W";
        QTest::newRow("bottom line raised") << int(pbbBottomLine) << int(pbbsRaised)
                                            << "4,6=H 4,7=S 0,7=M 9,6=M 4,5=W";
        QTest::newRow("none") << int(pbbNone) << int(pbbsRaised) << "0,0=W 9,7=W 0,7=W";
        QTest::newRow("stored 7 draws none") << 7 << int(pbbsRaised) << "0,0=W 9,7=W 0,7=W";
    }

    void borderTable()
    {
        QFETCH(int, border);
        QFETCH(int, style);
        QFETCH(QString, checks);
        std::unique_ptr<TZvPanel> panel = WhitePanel(10, 8);
        TPanelBack *face = panel->PanelBack();
        face->SetHighlightColor(clRed);
        face->SetShadowColor(clBlue);
        face->SetBorder(TPanelBackBorder(border));
        face->SetBorderStyle(TPanelBackBorderStyle(style));
        const QRgb red = qRgb(255, 0, 0);
        const QRgb blue = qRgb(0, 0, 255);
        ComparePixels(Render(*panel), checks,
                      {{'H', red}, {'S', blue}, {'M', qRgb(127, 0, 127)}, {'W', qRgb(255, 255, 255)}});
    }

    // Each gradient style goes the way its name says, from the panel's colour (red) to the
    // gradient colour (blue), on a 20 x 21 face; R red, B blue.
    void gradientDirections_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<QString>("checks");
        QTest::newRow("top-bottom") << int(gsTopBottom) << "5,0=R";
        QTest::newRow("bottom-top") << int(gsBottomTop) << "5,0=B";
        QTest::newRow("left-right") << int(gsLeftRight) << "0,5=R";
        QTest::newRow("right-left") << int(gsRightLeft) << "0,5=B";
        QTest::newRow("middle-top-bottom") << int(gsMiddleTopBottom) << "5,10=R 5,0=B";
        QTest::newRow("top-bottom-middle") << int(gsTopBottomMiddle) << "5,0=R 5,10=B";
        QTest::newRow("middle-left-right") << int(gsMiddleLeftRight) << "10,5=R 0,5=B";
        QTest::newRow("left-right-middle") << int(gsLeftRightMiddle) << "9,5=B 10,5=B";
        QTest::newRow("stored 9 paints top-bottom") << 9 << "5,0=R 0,0=R 19,0=R";
    }

    void gradientDirections()
    {
        QFETCH(int, style);
        QFETCH(QString, checks);
        std::unique_ptr<TZvPanel> panel = WhitePanel(20, 21);
        panel->SetColor(clRed);
        panel->PanelBack()->SetBorder(pbbNone);
        panel->PanelBack()->SetGradientStyle(TGradientStyle(style));
        panel->PanelBack()->SetGradientColor(clBlue);
        ComparePixels(Render(*panel), checks, {{'R', qRgb(255, 0, 0)}, {'B', qRgb(0, 0, 255)}});
    }

    // Halfway down a top-to-bottom gradient lies the colour halfway between its ends.
    void gradientMidColour()
    {
        std::unique_ptr<TZvPanel> panel = WhitePanel(20, 21);
        panel->SetColor(clBlack);
        panel->PanelBack()->SetBorder(pbbNone);
        panel->PanelBack()->SetGradientStyle(gsTopBottom);
        panel->PanelBack()->SetGradientColor(clWhite);
        const QImage image = Render(*panel);
        // 22 rows of the gradient (the row past the bottom included); row 11 is the middle.
        QCOMPARE(image.pixel(3, 11), Rgb(InterpolateColor(clBlack, clWhite, 22, 11)));
        QCOMPARE(qRed(image.pixel(3, 11)), 128);
        QCOMPARE(image.pixel(3, 0), qRgb(0, 0, 0));
        QCOMPARE(image.pixel(3, 20), Rgb(InterpolateColor(clBlack, clWhite, 22, 20)));
    }

    // Pictures by placement: the face pixel (x, y) shows the picture pixel it should.
    void picturePlacement_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<QSize>("face");
        QTest::addColumn<QPoint>("offset");
        // Centring truncates toward zero: a picture 3 wider than the face starts 1 left.
        QTest::newRow("centre, larger") << int(psCenter) << QSize(20, 20) << QSize(10, 10) << QPoint(-5, -5);
        QTest::newRow("centre, odd excess") << int(psCenter) << QSize(13, 15) << QSize(10, 10) << QPoint(-1, -2);
        QTest::newRow("centre, smaller") << int(psCenter) << QSize(4, 4) << QSize(10, 9) << QPoint(3, 2);
        QTest::newRow("normal") << int(psNormal) << QSize(4, 4) << QSize(10, 10) << QPoint(0, 0);
    }

    void picturePlacement()
    {
        QFETCH(int, style);
        QFETCH(QSize, picture);
        QFETCH(QSize, face);
        QFETCH(QPoint, offset);
        std::unique_ptr<TZvPanel> panel = WhitePanel(face.width(), face.height());
        panel->PanelBack()->SetBorder(pbbNone);
        panel->PanelBack()->SetBackImageStyle(TPictureStyle(style));
        const QImage source = CoordinateImage(picture.width(), picture.height());
        panel->PanelBack()->Picture().SetGraphic(TPngImage::FromImage(source));
        const QImage image = Render(*panel);
        for (int y = 0; y < face.height(); ++y) {
            for (int x = 0; x < face.width(); ++x) {
                const QPoint at = QPoint(x, y) - offset;
                const QRgb expected = QRect(QPoint(), picture).contains(at) ? source.pixel(at) : qRgb(255, 255, 255);
                if (image.pixel(x, y) != expected)
                    QFAIL(qPrintable(QStringLiteral("pixel %1,%2").arg(x).arg(y)));
            }
        }
    }

    // A face exactly two tiles wide: three columns are drawn, the last clipped away; the
    // partly visible last row shows its top.
    void pictureTiles()
    {
        std::unique_ptr<TZvPanel> panel = WhitePanel(8, 7);
        panel->PanelBack()->SetBorder(pbbNone);
        panel->PanelBack()->SetBackImageStyle(psTile);
        const QImage source = CoordinateImage(4, 3);
        panel->PanelBack()->Picture().SetGraphic(TPngImage::FromImage(source));
        const QImage image = Render(*panel);
        for (int y = 0; y < 7; ++y) {
            for (int x = 0; x < 8; ++x)
                QCOMPARE(image.pixel(x, y), source.pixel(x % 4, y % 3));
        }
    }

    void pictureStretchAndAutoSize()
    {
        std::unique_ptr<TZvPanel> panel = WhitePanel(10, 10);
        panel->PanelBack()->SetBorder(pbbNone);
        const QImage source = CoordinateImage(2, 2);
        panel->PanelBack()->Picture().SetGraphic(TPngImage::FromImage(source));
        QImage image = Render(*panel);
        QCOMPARE(image.pixel(0, 0), source.pixel(0, 0));
        QCOMPARE(image.pixel(4, 4), source.pixel(0, 0));
        QCOMPARE(image.pixel(5, 5), source.pixel(1, 1));
        QCOMPARE(image.pixel(9, 0), source.pixel(1, 0));

        panel->PanelBack()->SetBackImageStyle(psAutoSize);
        image = Render(*panel);
        QCOMPARE(image.pixel(0, 0), qRgb(255, 255, 255));
        QCOMPARE(image.pixel(9, 9), qRgb(255, 255, 255));
    }

    // A graphic that does not decode has no size: nothing is drawn, and tiling it does not
    // divide by zero.
    void undecodablePictureDrawsNothing()
    {
        std::unique_ptr<TZvPanel> panel = WhitePanel(10, 10);
        panel->PanelBack()->SetBorder(pbbNone);
        panel->PanelBack()->SetBackImageStyle(psTile);
        auto metafile = std::make_unique<TMetafile>();
        metafile->SetBytes(QByteArray("not drawn"));
        panel->PanelBack()->Picture().SetGraphic(std::move(metafile));
        const QImage image = Render(*panel);
        QCOMPARE(image.pixel(0, 0), qRgb(255, 255, 255));
        QCOMPARE(image.pixel(9, 9), qRgb(255, 255, 255));
    }

    // The design grid: black dots every step from (0, 0), no caption and no border; a step
    // of 0 counts as 1.
    void designGridDots_data()
    {
        QTest::addColumn<int>("stepX");
        QTest::addColumn<int>("stepY");
        QTest::newRow("4 x 3") << 4 << 3;
        QTest::newRow("step 0 and 3") << 0 << 3;
        QTest::newRow("steps 0") << 0 << 0;
        QTest::newRow("negative") << -2 << 5;
    }

    void designGridDots()
    {
        QFETCH(int, stepX);
        QFETCH(int, stepY);
        DesignGridSizeX = stepX;
        DesignGridSizeY = stepY;
        TZvPanel panel;
        panel.SetBounds(0, 0, 10, 7);
        panel.SetColor(clWhite);
        panel.PanelBack()->SetPaintGrid(true);
        const QImage image = Render(panel);
        const int x0 = qMax(1, stepX);
        const int y0 = qMax(1, stepY);
        for (int y = 0; y < 7; ++y) {
            for (int x = 0; x < 10; ++x) {
                const QRgb expected = x % x0 == 0 && y % y0 == 0 ? qRgb(0, 0, 0) : qRgb(255, 255, 255);
                if (image.pixel(x, y) != expected)
                    QFAIL(qPrintable(QStringLiteral("pixel %1,%2").arg(x).arg(y)));
            }
        }
        QVERIFY(panel.PanelBack()->BmpForGrid());
    }

    // While UseCachedGridBitmap is set the last grid picture is drawn again as it was;
    // a face without one builds it first.
    void cachedGridBitmap()
    {
        DesignGridSizeX = 5;
        DesignGridSizeY = 5;
        std::unique_ptr<TZvPanel> panel = WhitePanel(10, 10);
        panel->PanelBack()->SetPaintGrid(true);
        UseCachedGridBitmap = true;
        QImage image = Render(*panel);
        QCOMPARE(image.pixel(5, 5), qRgb(0, 0, 0));
        QCOMPARE(image.pixel(6, 6), qRgb(255, 255, 255));

        panel->SetColor(clYellow);
        image = Render(*panel);
        QCOMPARE(image.pixel(6, 6), qRgb(255, 255, 255));

        UseCachedGridBitmap = false;
        image = Render(*panel);
        QCOMPARE(image.pixel(6, 6), qRgb(255, 255, 0));
        QCOMPARE(image.pixel(5, 5), qRgb(0, 0, 0));
    }

    // Setters repaint only on a change; the picture's new graphic and the panel's colour
    // repaint the face.
    void faceRepaints()
    {
        TZvPanel panel;
        panel.show();
        QVERIFY(QTest::qWaitForWindowExposed(&panel));
        PaintCounter counter;
        panel.PanelBack()->installEventFilter(&counter);
        QCoreApplication::processEvents();

        counter.Count = 0;
        panel.PanelBack()->SetGradientStyle(gsNone);
        panel.PanelBack()->SetBorder(pbbBox);
        QCoreApplication::processEvents();
        QCOMPARE(counter.Count, 0);

        panel.PanelBack()->SetGradientStyle(gsLeftRight);
        QTRY_VERIFY(counter.Count > 0);

        counter.Count = 0;
        panel.PanelBack()->Picture().SetGraphic(TPngImage::FromImage(SampleImage()));
        QTRY_VERIFY(counter.Count > 0);

        counter.Count = 0;
        panel.SetColor(clTeal);
        QTRY_VERIFY(counter.Count > 0);
    }

    // The face covers the client area whatever the panel's size and border.
    void faceCoversClientArea()
    {
        TZvPanel panel;
        panel.SetBounds(0, 0, 120, 90);
        QCOMPARE(panel.PanelBack()->BoundsRect(), TRect(0, 0, 120, 90));
        panel.SetBorderStyle(bsSingle);
        QCOMPARE(panel.PanelBack()->BoundsRect(), TRect(0, 0, panel.ClientWidth(), panel.ClientHeight()));
        QCOMPARE(panel.PanelBack()->pos(), panel.ClientOrigin());
        panel.SetBounds(0, 0, 60, 50);
        QCOMPARE(panel.PanelBack()->BoundsRect(), TRect(0, 0, 56, 46));
    }

    // Clicks and mouse moves land on the face; the panel raises them as its own.
    void faceForwardsMouseEvents()
    {
        TZvPanel panel;
        panel.SetBounds(0, 0, 100, 80);
        panel.show();
        QVERIFY(QTest::qWaitForWindowExposed(&panel));
        QStringList events;
        panel.OnClick = [&](QObject *sender) { events << QStringLiteral("click %1").arg(sender == &panel); };
        panel.OnDblClick = [&](QObject *sender) { events << QStringLiteral("dblclick %1").arg(sender == &panel); };
        panel.OnMouseDown = [&](QObject *sender, TMouseButton button, TShiftState, int x, int y) {
            events << QStringLiteral("down %1 %2 %3,%4").arg(sender == &panel).arg(int(button)).arg(x).arg(y);
        };
        panel.OnMouseUp = [&](QObject *sender, TMouseButton button, TShiftState, int x, int y) {
            events << QStringLiteral("up %1 %2 %3,%4").arg(sender == &panel).arg(int(button)).arg(x).arg(y);
        };
        panel.OnMouseMove = [&](QObject *sender, TShiftState, int x, int y) {
            events << QStringLiteral("move %1 %2,%3").arg(sender == &panel).arg(x).arg(y);
        };
        QWidget *face = panel.PanelBack();
        SendMouse(face, QEvent::MouseMove, QPoint(7, 8), Qt::NoButton, Qt::NoButton);
        SendMouse(face, QEvent::MouseButtonPress, QPoint(5, 6), Qt::LeftButton, Qt::LeftButton);
        SendMouse(face, QEvent::MouseButtonRelease, QPoint(5, 6), Qt::LeftButton, Qt::NoButton);
        SendMouse(face, QEvent::MouseButtonDblClick, QPoint(5, 6), Qt::LeftButton, Qt::LeftButton);
        QCOMPARE(events, (QStringList{"move 1 7,8", "down 1 0 5,6", "click 1", "up 1 0 5,6", "dblclick 1",
                                      "down 1 0 5,6"}));
    }

    // ---- the runtime form's page ----

    void runFormPagePanel()
    {
        TScriptedUiServices ui;
        TRunForm form;
        QVERIFY(ui.Calls.isEmpty());
        auto *panel = dynamic_cast<TZvPanel *>(form.PanelObject->ObjectControl);
        QVERIFY(panel);
        QCOMPARE(panel->Align(), alClient);
        QVERIFY(!PanelPaintsGrid(panel));
    }

    // Loading a page keeps whether its panel paints the design grid.
    void runFormLoadKeepsPaintGrid_data()
    {
        QTest::addColumn<bool>("paintGrid");
        QTest::newRow("grid") << true;
        QTest::newRow("no grid") << false;
    }

    void runFormLoadKeepsPaintGrid()
    {
        QFETCH(bool, paintGrid);
        TScriptedUiServices ui;
        TRunForm form;
        TMemoryStream body;
        QVERIFY(form.SaveToStream(&body));
        SetPanelPaintGrid(form.PanelObject->ObjectControl, paintGrid);
        body.SetPosition(0);
        QVERIFY(form.LoadFromStream(&body, false));
        QVERIFY(dynamic_cast<TZvPanel *>(form.PanelObject->ObjectControl));
        QCOMPARE(PanelPaintsGrid(form.PanelObject->ObjectControl), paintGrid);
        QVERIFY(ui.Calls.isEmpty());
    }

    // ---- bevel ----

    // Shapes and styles on a 10 x 8 bevel whose record holds red highlight and blue shadow
    // colours: H highlight, S shadow, U unpainted.
    void bevelPainting_data()
    {
        QTest::addColumn<int>("shape");
        QTest::addColumn<int>("style");
        QTest::addColumn<QString>("checks");
        QTest::newRow("box raised") << int(bsBox) << int(bsRaised)
                                    << "0,0=H 0,3=H 0,7=H 4,0=H 9,0=S 9,4=S 4,7=S 9,7=S 5,4=U";
        QTest::newRow("box lowered") << int(bsBox) << int(bsLowered) << "0,3=S 4,0=S 9,4=H 4,7=H 5,4=U";
        QTest::newRow("frame lowered") << int(bsFrame) << int(bsLowered)
                                       << "0,3=S 1,3=H 9,3=H 8,3=S 4,7=H 4,6=S 1,7=H 0,7=U 5,3=U";
        QTest::newRow("top line") << int(bsTopLine) << int(bsRaised) << "4,0=H 9,0=H 4,1=S 4,2=U";
        QTest::newRow("bottom line") << int(bsBottomLine) << int(bsRaised) << "4,6=H 4,7=S 4,5=U";
        QTest::newRow("left line lowered") << int(bsLeftLine) << int(bsLowered) << "0,4=S 1,4=H 0,7=S 2,4=U";
        QTest::newRow("right line") << int(bsRightLine) << int(bsRaised) << "8,4=H 9,4=S 7,4=U";
        QTest::newRow("spacer") << int(bsSpacer) << int(bsRaised) << "0,0=U 5,4=U 9,7=U";
    }

    void bevelPainting()
    {
        QFETCH(int, shape);
        QFETCH(int, style);
        QFETCH(QString, checks);
        TZvBevel bevel;
        TMemoryStream record(Int32Bytes(0) + QByteArray(1, char(style)) + QByteArray(1, char(shape))
                             + Int32Bytes(clRed) + Int32Bytes(clBlue));
        QVERIFY(bevel.LoadFromStream(&record));
        bevel.SetBounds(0, 0, 10, 8);
        ComparePixels(Render(bevel), checks,
                      {{'H', qRgb(255, 0, 0)}, {'S', qRgb(0, 0, 255)}, {'U', kUnpainted}});
    }

    void bevelSettersRepaintOnChange()
    {
        TZvBevel bevel;
        bevel.show();
        QVERIFY(QTest::qWaitForWindowExposed(&bevel));
        PaintCounter counter;
        bevel.installEventFilter(&counter);
        QCoreApplication::processEvents();
        counter.Count = 0;
        bevel.SetStyle(bsLowered);
        bevel.SetShape(bsBox);
        QCoreApplication::processEvents();
        QCOMPARE(counter.Count, 0);
        bevel.SetShape(bsFrame);
        QTRY_VERIFY(counter.Count > 0);
    }

    // Borderless objects show a dotted grey frame only while the page is edited.
    void designFrame_data()
    {
        QTest::addColumn<bool>("splitter");
        QTest::addColumn<bool>("designer");
        QTest::addColumn<bool>("preview");
        QTest::newRow("spacer, run time") << false << false << false;
        QTest::newRow("spacer, edited") << false << true << false;
        QTest::newRow("spacer, preview") << false << true << true;
        QTest::newRow("splitter, run time") << true << false << false;
        QTest::newRow("splitter, edited") << true << true << false;
        QTest::newRow("splitter, preview") << true << true << true;
    }

    void designFrame()
    {
        QFETCH(bool, splitter);
        QFETCH(bool, designer);
        QFETCH(bool, preview);
        DesignerMode = designer;
        DesignerPreview = preview;
        std::unique_ptr<TControl> control;
        QRgb background = kUnpainted;
        if (splitter) {
            auto *bar = new TZvSplitter;
            bar->SetColor(clYellow);
            background = qRgb(255, 255, 0);
            control.reset(bar);
        } else {
            auto *bevel = new TZvBevel;
            bevel->SetShape(bsSpacer);
            control.reset(bevel);
        }
        control->SetBounds(0, 0, 20, 20);
        const QImage image = Render(*control);
        const bool edited = designer && !preview;
        const QRgb grey = Rgb(DesignFrameColor);
        QCOMPARE(image.pixel(0, 0), edited ? grey : background);
        QCOMPARE(image.pixel(2, 0), edited ? grey : background);
        QCOMPARE(image.pixel(4, 0), background); // a gap between the dots
        QCOMPARE(image.pixel(10, 10), background);
    }

    // ---- splitter, group box, scroll box ----

    // Dragging the splitter resizes the control it is aligned against, while dragging.
    void splitterResizesSibling()
    {
        TZvPanel host;
        host.SetBounds(0, 0, 200, 100);
        auto *left = new TZvScrollBox(&host);
        left->SetAlign(alLeft);
        left->SetWidth(50);
        auto *splitter = new TZvSplitter(&host);
        QCOMPARE(splitter->Align(), alLeft);
        QCOMPARE(splitter->Left(), 50);

        SendMouse(splitter, QEvent::MouseButtonPress, QPoint(2, 10), Qt::LeftButton, Qt::LeftButton);
        SendMouse(splitter, QEvent::MouseMove, QPoint(22, 10), Qt::NoButton, Qt::LeftButton);
        QCOMPARE(left->Width(), 70);
        QCOMPARE(splitter->Left(), 70);
        // Down to its minimum of 1 pixel, then snapped away.
        SendMouse(splitter, QEvent::MouseMove, QPoint(-67, 10), Qt::NoButton, Qt::LeftButton);
        QCOMPARE(left->Width(), 1);
        SendMouse(splitter, QEvent::MouseButtonRelease, QPoint(-67, 10), Qt::LeftButton, Qt::NoButton);
        QCOMPARE(left->Width(), 1);
    }

    // While the page is edited the group box draws the classic frame, as the plain group
    // box does; at run time the application's style draws it.
    void groupBoxLook()
    {
        auto render = [](TGroupBox &box) {
            box.SetBounds(0, 0, 120, 80);
            box.SetCaption(QStringLiteral("Options"));
            box.SetColor(clBtnFace);
            return Render(box);
        };
        TGroupBox plain;
        const QImage classic = render(plain);

        DesignerMode = true;
        TZvGroupBox edited;
        QCOMPARE(render(edited), classic);

        DesignerPreview = true;
        TZvGroupBox preview;
        QVERIFY(render(preview) != classic);
    }

    void scrollBoxScrollsOnlyAtRunTime_data()
    {
        QTest::addColumn<bool>("designer");
        QTest::addColumn<bool>("scrolls");
        QTest::newRow("run time") << false << true;
        QTest::newRow("edited") << true << false;
    }

    void scrollBoxScrollsOnlyAtRunTime()
    {
        QFETCH(bool, designer);
        QFETCH(bool, scrolls);
        DesignerMode = designer;
        TZvScrollBox box;
        box.SetBounds(0, 0, 100, 100);
        auto *child = new TZvBevel(&box);
        child->SetBounds(150, 150, 20, 20);
        QCOMPARE(box.VertScrollBar().IsScrollBarVisible(), scrolls);
        QCOMPARE(box.HorzScrollBar().IsScrollBarVisible(), scrolls);
    }

    // ---- tab notebook ----

    // After loading, the page of DefaultActivePageIndex shows; the icons are rebuilt with
    // one image per page.
    void notebookAfterLoad_data()
    {
        QTest::addColumn<int>("defaultPage");
        QTest::newRow("first") << 0;
        QTest::newRow("second") << 1;
        QTest::newRow("third") << 2;
    }

    void notebookAfterLoad()
    {
        QFETCH(int, defaultPage);
        TScriptedUiServices ui;
        TZvPanel host;
        host.SetBounds(0, 0, 400, 300);
        PZvObject page = NewZvObject();
        page->ObjectControl = new TZvPanel;
        PZvObject book = AddKindObject(page, otTabNotebook);
        static_cast<TZvTabNotebook *>(book->ObjectControl)->DefaultActivePageIndex = defaultPage;
        for (int i = 0; i < 3; ++i)
            AddKindObject(book, otTabSheet);
        TMemoryStream stream;
        QVERIFY(WriteObjectRecord(&stream, book, false));

        PZvObject fresh = NewZvObject();
        stream.SetPosition(0);
        QVERIFY(ReadObjectRecord(&stream, fresh, &host, nullptr, false));
        auto *notebook = static_cast<TZvTabNotebook *>(fresh->ObjectControl);
        QCOMPARE(notebook->PageControl()->PageCount(), 3);
        QCOMPARE(notebook->PageControl()->ActivePageIndex(), defaultPage);
        QCOMPARE(notebook->ImageList()->Count(), 3);
        QVERIFY(ui.Calls.isEmpty());
        FreeZvObject(fresh);
        FreeZvObject(page);
    }

    // Three pages, the second without an icon: three images, image indexes 0, -1, 2. A
    // picture with transparency shows white behind it; a bitmap is masked by the colour of
    // its bottom-left pixel.
    void notebookIcons()
    {
        TZvTabNotebook notebook;
        std::unique_ptr<TZvTabSheet> sheets[3];
        for (auto &sheet : sheets) {
            sheet = std::make_unique<TZvTabSheet>();
            QVERIFY(sheet->AttachTo(&notebook));
        }
        QImage png(2, 2, QImage::Format_ARGB32);
        png.fill(qRgba(255, 0, 0, 255));
        png.setPixel(0, 0, qRgba(0, 0, 0, 0));
        sheets[0]->Icon().SetGraphic(TPngImage::FromImage(png));
        sheets[2]->Icon().SetGraphic(TBitmap::FromImage(SampleImage())); // white, red top-left
        notebook.RebuildIcons();

        TImageList *images = notebook.ImageList();
        QCOMPARE(images->Count(), 3);
        QCOMPARE(sheets[0]->ImageIndex(), 0);
        QCOMPARE(sheets[1]->ImageIndex(), -1);
        QCOMPARE(sheets[2]->ImageIndex(), 2);

        const QImage first = images->Pixmap(0).toImage();
        QCOMPARE(first.size(), QSize(16, 16));
        QCOMPARE(first.pixel(0, 0), qRgb(255, 255, 255));
        QCOMPARE(first.pixel(15, 15), qRgb(255, 0, 0));
        const QImage blank = images->Pixmap(1).toImage();
        QCOMPARE(blank.pixel(8, 8), qRgb(255, 255, 255));
        const QImage masked = images->Pixmap(2).toImage().convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(masked.pixel(0, 0), qRgba(255, 0, 0, 255));
        QCOMPARE(qAlpha(masked.pixel(15, 0)), 0);

        // A new image size empties the list until the icons are rebuilt at that size.
        images->SetWidth(24);
        notebook.RebuildIcons();
        QCOMPARE(images->Count(), 3);
        QCOMPARE(images->Pixmap(0).width(), 24);
        notebook.BeforeChildrenFreed();
    }

    // An icon is put on white at its own size, then stretched to the image size.
    void notebookIconOfIconGraphic()
    {
        if (!QImageWriter::supportedImageFormats().contains("ico"))
            QSKIP("no ICO writer on this system");
        QImage icon(4, 4, QImage::Format_ARGB32);
        icon.fill(qRgba(0, 0, 255, 255));
        icon.setPixel(0, 0, qRgba(0, 0, 0, 0));
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QVERIFY(icon.save(&buffer, "ICO"));
        auto graphic = std::make_unique<TIcon>();
        graphic->SetBytes(bytes);

        TZvTabNotebook notebook;
        TZvTabSheet sheet;
        QVERIFY(sheet.AttachTo(&notebook));
        sheet.Icon().SetGraphic(std::move(graphic));
        notebook.RebuildIcons();
        const QImage image = notebook.ImageList()->Pixmap(0).toImage();
        QCOMPARE(image.pixel(0, 0), qRgb(255, 255, 255));
        QCOMPARE(image.pixel(3, 3), qRgb(255, 255, 255));
        QCOMPARE(image.pixel(4, 4), qRgb(0, 0, 255));
        QCOMPARE(image.pixel(15, 15), qRgb(0, 0, 255));
        notebook.BeforeChildrenFreed();
    }

    // Before the notebook's children are freed it lets go of them, last first, and forgets
    // its change handler.
    void notebookLetsGoOfSheets()
    {
        TZvTabNotebook notebook;
        TZvTabSheet first;
        TZvTabSheet second;
        QVERIFY(first.AttachTo(&notebook));
        QVERIFY(second.AttachTo(&notebook));
        bool changed = false;
        notebook.PageControl()->OnChange = [&](QObject *) { changed = true; };
        notebook.BeforeChildrenFreed();
        QVERIFY(!notebook.PageControl()->OnChange);
        QCOMPARE(notebook.PageControl()->PageCount(), 0);
        QVERIFY(!first.PageControl() && !first.parentWidget());
        QVERIFY(!second.PageControl() && !second.parentWidget());
        QVERIFY(!changed);
    }

    // A sheet whose parent is not a notebook is refused by it and sits in the parent as a
    // plain container.
    void sheetOutsideNotebook()
    {
        TScriptedUiServices ui;
        PZvObject box = NewZvObject();
        box->ObjectControl = new TZvGroupBox;
        PZvObject sheet = AddKindObject(box, otTabSheet);
        auto *control = static_cast<TZvTabSheet *>(sheet->ObjectControl);
        QVERIFY(!control->PageControl());
        QCOMPARE(control->Parent(), box->ObjectControl);
        QVERIFY(ui.Calls.isEmpty());
        FreeZvObject(box);
    }
};

QTEST_MAIN(TestContainerBehaviour)
#include "tst_container_behaviour.moc"
