#pragma once

#include "platform/ui_services.h"

// The real services: Qt message boxes and dialogs, and the Linux shell.
class TQtUiServices : public TUiServices
{
public:
    int MessageBox(const QString &text, const QString &caption, unsigned flags) override;
    bool OpenFileDialog(TFileDialogRequest &request) override;
    bool SaveFileDialog(TFileDialogRequest &request) override;
    bool SelectFolderDialog(const QString &caption, QString &folder, bool NewFolderButton = false) override;
    bool ColorDialog(TColor &color) override;
    bool FontDialog(TFont &font) override;
    int ShellExecute(const QString &verb, const QString &fileName, const QString &parameters,
                     const QString &directory, int showCmd) override;
    bool ShellExecuteAndWait(const QString &verb, const QString &fileName, const QString &parameters,
                             const QString &directory, int showCmd, int &code) override;
    QString FindExecutable(const QString &fileName, const QString &directory) override;
    bool PlaySound(int channel, const QString &fileName, bool loop) override;
    void StopSound(int channel) override;
};

// "Text files|*.txt|All|*.*" to Qt's "Text files (*.txt);;All (*.*)".
QString FilterToQtFilter(const QString &filter);
