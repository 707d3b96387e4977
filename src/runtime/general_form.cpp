#include "runtime/general_form.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include "platform/paths.h"
#include "platform/ui_services.h"

TGeneralForm *GeneralForm = nullptr;

const QLatin1String OpenDialogFilter("Rich Text Files (*.rtf)|*.rtf|Text Files (*.txt)|*.txt");
const QLatin1String OpenPictureDialogFilter(
    "All (*.gif;*.png;*.jpg;*.jpeg;*.bmp;*.ico;*.emf;*.wmf;*.tif;*.tiff)|"
    "*.gif;*.png;*.jpg;*.jpeg;*.bmp;*.ico;*.emf;*.wmf;*.tif;*.tiff|"
    "GIF Image (*.gif)|*.gif|Portable Network Graphics (*.png)|*.png|"
    "JPEG Image File (*.jpg)|*.jpg|JPEG Image File (*.jpeg)|*.jpeg|Bitmaps (*.bmp)|*.bmp|"
    "Icons (*.ico)|*.ico|Enhanced Metafiles (*.emf)|*.emf|Metafiles (*.wmf)|*.wmf|"
    "TIFF Images (*.tif;*.tiff)|*.tif;*.tiff");

namespace {

QImage BlankImage(int width, int height, QColor fill)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(fill);
    return image;
}

// A database cylinder with a mark: a magnifier for the query, a grid for the table.
QImage DataSetIcon(bool query)
{
    QImage image = BlankImage(24, 24, Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QColor(0, 64, 128));
    p.setBrush(QColor(255, 224, 128));
    p.drawRect(QRectF(3.5, 5.5, 12, 13));
    p.drawEllipse(QRectF(3.5, 2.5, 12, 6));
    p.drawArc(QRectF(3.5, 15.5, 12, 6), 180 * 16, 180 * 16);
    if (query) {
        p.setBrush(QColor(192, 224, 255));
        p.drawEllipse(QRectF(12.5, 11.5, 7, 7));
        p.drawLine(QPointF(18.5, 17.5), QPointF(22.5, 21.5));
    } else {
        p.setBrush(Qt::white);
        p.drawRect(QRectF(12.5, 12.5, 10, 9));
        p.drawLine(QPointF(12.5, 15.5), QPointF(22.5, 15.5));
        p.drawLine(QPointF(12.5, 18.5), QPointF(22.5, 18.5));
        p.drawLine(QPointF(17.5, 12.5), QPointF(17.5, 21.5));
    }
    return image;
}

QImage TimerIcon()
{
    QImage image = BlankImage(24, 24, Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0, 0, 0), 1.5));
    p.setBrush(QColor(240, 240, 240));
    p.drawEllipse(QRectF(2.5, 3.5, 18, 18));
    p.drawLine(QPointF(11.5, 12.5), QPointF(11.5, 6.5));
    p.drawLine(QPointF(11.5, 12.5), QPointF(16, 14.5));
    p.drawRect(QRectF(9.5, 0.5, 4, 2));
    return image;
}

// A round button face: grey normally, blue under the mouse.
QImage ButtonFace(bool hover)
{
    QImage image = BlankImage(16, 16, Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient gradient(0, 0, 0, 16);
    gradient.setColorAt(0, hover ? QColor(160, 200, 255) : QColor(240, 240, 240));
    gradient.setColorAt(1, hover ? QColor(40, 100, 200) : QColor(160, 160, 160));
    p.setPen(hover ? QColor(20, 60, 140) : QColor(100, 100, 100));
    p.setBrush(gradient);
    p.drawEllipse(QRectF(0.5, 0.5, 15, 15));
    return image;
}

// A strip of tape across the top of a note.
QImage NoteTape(int width, int height)
{
    QImage image = BlankImage(width, height, Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath path;
    path.moveTo(4, height * 0.3);
    path.lineTo(width - 2, 2);
    path.lineTo(width - 4, height * 0.7);
    path.lineTo(2, height - 2);
    path.closeSubpath();
    p.setPen(QColor(180, 170, 120, 200));
    p.setBrush(QColor(250, 245, 200, 170));
    p.drawPath(path);
    return image;
}

void SetBitmap(TPicture &picture, const QImage &image)
{
    picture.SetGraphic(TBitmap::FromImage(image));
}

void SetPng(TPicture &picture, const QImage &image)
{
    picture.SetGraphic(TPngImage::FromImage(image));
}

bool RunOpenDialog(const QString &filter, QString &FileName)
{
    TFileDialogRequest request;
    request.Filter = filter;
    request.FileMustExist = true;
    if (!UiServices().OpenFileDialog(request))
        return false;
    FileName = request.FileName;
    return true;
}

} // namespace

TGeneralForm::TGeneralForm(QObject *parent)
    : QObject(parent)
{
    SetBitmap(Image_DBQuery, DataSetIcon(true));
    SetBitmap(Image_DBTable, DataSetIcon(false));
    SetBitmap(Image_Timer, TimerIcon());
    SetPng(Image1, BlankImage(4, 4, Qt::transparent));
    SetPng(Image2, ButtonFace(false));
    SetPng(Image3, ButtonFace(true));
    SetPng(Image6, NoteTape(60, 37));
    SetPng(Image27, NoteTape(70, 33));
}

TGeneralForm::~TGeneralForm()
{
    // Sounds do not outlive the service that started them.
    for (int player = 0; player < 2; ++player) {
        if (SoundPlayOK[player])
            StopSound(player);
    }
}

void TGeneralForm::PlaySound(int Player, const QString &FileName, bool Loop)
{
    if (Player < 0 || Player > 1)
        return;
    SoundPlayOK[Player] = false;
    SoundLoop[Player] = false;
    UiServices().StopSound(Player);
    if (FileName.isEmpty() || !FileExists(FileName))
        return;
    // The player repeats a looping sound itself, seamlessly; a sound that failed to start
    // never repeats.
    if (UiServices().PlaySound(Player, FileName, Loop)) {
        SoundPlayOK[Player] = true;
        SoundLoop[Player] = Loop;
    }
}

void TGeneralForm::StopSound(int Player)
{
    if (Player < 0 || Player > 1)
        return;
    SoundLoop[Player] = false;
    UiServices().StopSound(Player);
}

bool TGeneralForm::ExecuteOpenDialog(QString &FileName)
{
    return RunOpenDialog(OpenDialogFilter, FileName);
}

bool TGeneralForm::ExecuteOpenPictureDialog(QString &FileName)
{
    return RunOpenDialog(OpenPictureDialogFilter, FileName);
}

void PlaySoundFile(int Player, const QString &FileName, bool Loop)
{
    if (GeneralForm)
        GeneralForm->PlaySound(Player, FileName, Loop);
}

void StopSoundChannel(int Player)
{
    if (GeneralForm)
        GeneralForm->StopSound(Player);
}

bool ExecuteOpenDialog(QString &FileName)
{
    return GeneralForm && GeneralForm->ExecuteOpenDialog(FileName);
}

bool ExecuteOpenPictureDialog(QString &FileName)
{
    return GeneralForm && GeneralForm->ExecuteOpenPictureDialog(FileName);
}
