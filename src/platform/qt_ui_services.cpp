#include "platform/qt_ui_services.h"

#include <QApplication>
#include <QAudioOutput>
#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QMediaPlayer>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QUrl>

#include "platform/graphics/font.h"
#include "platform/shell_platform.h"

namespace {

// The players of the two sound channels, made on first use as children of the application
// so that they go before the application does.
QPointer<QMediaPlayer> gSoundPlayers[2];

QMediaPlayer *SoundPlayer(int channel, bool create)
{
    if (channel < 0 || channel > 1)
        return nullptr;
    if (!gSoundPlayers[channel] && create && QCoreApplication::instance()) {
        auto *player = new QMediaPlayer(QCoreApplication::instance());
        player->setAudioOutput(new QAudioOutput(player));
        gSoundPlayers[channel] = player;
    }
    return gSoundPlayers[channel];
}

struct TBoxButton
{
    QMessageBox::StandardButton Button;
    int Result;
};

QList<TBoxButton> ButtonsFor(unsigned type)
{
    switch (type) {
    case MB_OKCANCEL:
        return {{QMessageBox::Ok, IDOK}, {QMessageBox::Cancel, IDCANCEL}};
    case MB_ABORTRETRYIGNORE:
        return {{QMessageBox::Abort, IDABORT}, {QMessageBox::Retry, IDRETRY}, {QMessageBox::Ignore, IDIGNORE}};
    case MB_YESNOCANCEL:
        return {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}, {QMessageBox::Cancel, IDCANCEL}};
    case MB_YESNO:
        return {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}};
    case MB_RETRYCANCEL:
        return {{QMessageBox::Retry, IDRETRY}, {QMessageBox::Cancel, IDCANCEL}};
    default:
        return {{QMessageBox::Ok, IDOK}};
    }
}

QMessageBox::Icon IconFor(unsigned icon)
{
    switch (icon) {
    case MB_ICONERROR:
        return QMessageBox::Critical;
    case MB_ICONQUESTION:
        return QMessageBox::Question;
    case MB_ICONWARNING:
        return QMessageBox::Warning;
    case MB_ICONINFORMATION:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

// One open or save dialog for a request; the chosen names and filter go back into it.
bool RunFileDialog(TFileDialogRequest &request, QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(DialogParent(), request.Title, request.InitialDir, FilterToQtFilter(request.Filter));
    dialog.setAcceptMode(mode);
    if (mode == QFileDialog::AcceptOpen)
        dialog.setFileMode(request.MultiSelect ? QFileDialog::ExistingFiles
                                               : (request.FileMustExist ? QFileDialog::ExistingFile
                                                                        : QFileDialog::AnyFile));
    else
        dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.OverwritePrompt);
    dialog.setDefaultSuffix(request.DefaultExt);
    const QStringList filters = dialog.nameFilters();
    if (request.FilterIndex >= 1 && request.FilterIndex <= filters.size())
        dialog.selectNameFilter(filters[request.FilterIndex - 1]);
    if (!request.FileName.isEmpty())
        dialog.selectFile(request.FileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    request.Files = dialog.selectedFiles();
    request.FileName = request.Files.first();
    request.FilterIndex = int(filters.indexOf(dialog.selectedNameFilter())) + 1;
    return true;
}

} // namespace

QString FilterToQtFilter(const QString &filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList entries;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        entries << QStringLiteral("%1 (%2)").arg(parts[i], patterns);
    }
    return entries.join(QStringLiteral(";;"));
}

int TQtUiServices::MessageBox(const QString &text, const QString &caption, unsigned flags)
{
    QMessageBox box(IconFor(flags & MB_ICONMASK), caption, text, QMessageBox::NoButton, DialogParent());
    const QList<TBoxButton> buttons = ButtonsFor(flags & MB_TYPEMASK);
    for (const TBoxButton &button : buttons)
        box.addButton(button.Button);
    const int defaultIndex = int((flags & MB_DEFMASK) >> 8);
    if (defaultIndex < buttons.size())
        box.setDefaultButton(buttons[defaultIndex].Button);
    box.exec();
    const QAbstractButton *clicked = box.clickedButton();
    for (const TBoxButton &button : buttons) {
        if (clicked == box.button(button.Button))
            return button.Result;
    }
    // Closed with Escape or the window button: cancel when offered, else the only answer.
    for (const TBoxButton &button : buttons) {
        if (button.Result == IDCANCEL)
            return IDCANCEL;
    }
    return buttons.size() == 1 ? buttons.first().Result : IDNO;
}

bool TQtUiServices::OpenFileDialog(TFileDialogRequest &request)
{
    return RunFileDialog(request, QFileDialog::AcceptOpen);
}

bool TQtUiServices::SaveFileDialog(TFileDialogRequest &request)
{
    return RunFileDialog(request, QFileDialog::AcceptSave);
}

bool TQtUiServices::SelectFolderDialog(const QString &caption, QString &folder, bool NewFolderButton)
{
    // A read-only dialog offers no button for making a folder.
    QFileDialog::Options options = QFileDialog::ShowDirsOnly;
    if (!NewFolderButton)
        options |= QFileDialog::ReadOnly;
    const QString chosen = QFileDialog::getExistingDirectory(DialogParent(), caption, folder, options);
    if (chosen.isEmpty())
        return false;
    folder = chosen;
    return true;
}

bool TQtUiServices::ColorDialog(TColor &color)
{
    const QColor chosen = QColorDialog::getColor(ColorToQColor(color), DialogParent());
    if (!chosen.isValid())
        return false;
    color = QColorToColor(chosen);
    return true;
}

bool TQtUiServices::FontDialog(TFont &font)
{
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, font.ToQFont(), DialogParent());
    if (!ok)
        return false;
    font.FromQFont(chosen);
    return true;
}

int TQtUiServices::ShellExecute(const QString &verb, const QString &fileName, const QString &parameters,
                                const QString &directory, int showCmd)
{
    return PlatformShellExecute(verb, fileName, parameters, directory, showCmd);
}

bool TQtUiServices::ShellExecuteAndWait(const QString &verb, const QString &fileName, const QString &parameters,
                                        const QString &directory, int showCmd, int &code)
{
    return PlatformShellExecuteAndWait(verb, fileName, parameters, directory, showCmd, code);
}

QString TQtUiServices::FindExecutable(const QString &fileName, const QString &directory)
{
    return PlatformFindExecutable(fileName, directory);
}

bool TQtUiServices::PlaySound(int channel, const QString &fileName, bool loop)
{
    QMediaPlayer *player = SoundPlayer(channel, true);
    if (!player)
        return false;
    player->stop();
    player->setLoops(loop ? QMediaPlayer::Infinite : QMediaPlayer::Once);
    player->setSource(QUrl::fromLocalFile(fileName));
    if (player->error() != QMediaPlayer::NoError)
        return false;
    player->play();
    return player->error() == QMediaPlayer::NoError;
}

void TQtUiServices::StopSound(int channel)
{
    if (QMediaPlayer *player = SoundPlayer(channel, false)) {
        player->stop();
        player->setSource(QUrl());
    }
}
