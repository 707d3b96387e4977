// The progress window: a bar shown while the designer writes a project.
#pragma once

#include <QPointer>
#include <QWidget>

class QProgressBar;
class TLabel;
class TPanel;

class TProgressForm : public QWidget
{
    Q_OBJECT

public:
    explicit TProgressForm(QWidget *parent = nullptr);

    // Caption, a bar from 0 to MaxPosition at 0; shows the window and paints it at once.
    void ShowProgress(const QString &Cap, int MaxPosition);
    // Moves the bar and paints at once (the writer does not let the event loop run).
    void DoProgressPosition(int Position);

    TPanel *Panel1 = nullptr;
    TLabel *Label1 = nullptr;
    QProgressBar *ProgressBar1 = nullptr;
};

// The open progress window, or none.
extern QPointer<TProgressForm> ProgressForm;

// Opens the progress window (closing one still open). Nothing where no widgets can be
// shown: without a widget application or off the user-interface thread.
void OpenProgress(const QString &Cap, int MaxPosition);
// Moves the bar of the open progress window; nothing when none is open.
void SetProgress(int Position);
// Closes and releases the open progress window; nothing when none is open.
void CloseProgress();
