// The hidden service object that lives once per process, in the designer and in a built
// program alike: the template pictures of some object kinds, the two sound channels of the
// sound commands, and the standard open dialogs of the data-aware objects.
#pragma once

#include <QObject>
#include <QString>

#include "platform/graphics/picture.h"

class TGeneralForm : public QObject
{
    Q_OBJECT

public:
    explicit TGeneralForm(QObject *parent = nullptr);
    ~TGeneralForm() override;

    // Design-time icons (24 x 24 bitmaps) of the data query, data table and timer objects.
    TPicture Image_DBQuery;
    TPicture Image_DBTable;
    TPicture Image_Timer;
    // PNG templates: a 4 x 4 blank, the normal and hover pictures of a new image button
    // (16 x 16), and the decorations of two note styles (60 x 37 and 70 x 33).
    TPicture Image1;
    TPicture Image2;
    TPicture Image3;
    TPicture Image6;
    TPicture Image27;

    // Per channel: the last play request started playing; the channel repeats its sound.
    bool SoundPlayOK[2] = {false, false};
    bool SoundLoop[2] = {false, false};

    // Channel 0 or 1: stops what the channel played, then plays FileName (an existing file)
    // once or repeating. A missing file or a player failure leaves the channel silent.
    void PlaySound(int Player, const QString &FileName, bool Loop);
    // Stops the channel and ends its repeating.
    void StopSound(int Player);

    // The open dialogs: rich text or text files, and pictures. On confirmation FileName
    // takes the chosen file and the result is True; otherwise FileName stays.
    bool ExecuteOpenDialog(QString &FileName);
    bool ExecuteOpenPictureDialog(QString &FileName);
};

// The service object; created at start, released at shutdown.
extern TGeneralForm *GeneralForm;

// The sound channels and dialogs of GeneralForm; without it they do nothing (False).
void PlaySoundFile(int Player, const QString &FileName, bool Loop);
void StopSoundChannel(int Player);
bool ExecuteOpenDialog(QString &FileName);
bool ExecuteOpenPictureDialog(QString &FileName);

// The filters of the open dialogs, in the stored "Description|*.ext" form.
extern const QLatin1String OpenDialogFilter;
extern const QLatin1String OpenPictureDialogFilter;
