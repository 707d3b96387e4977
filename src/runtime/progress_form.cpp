#include "runtime/progress_form.h"

#include <QApplication>
#include <QProgressBar>
#include <QScreen>
#include <QThread>

#include "platform/vcl/extctrls.h"
#include "platform/vcl/stdctrls.h"

QPointer<TProgressForm> ProgressForm;

TProgressForm::TProgressForm(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setFixedSize(335, 47);
    Panel1 = new TPanel(this);
    Panel1->SetAlign(alClient);
    Panel1->SetBounds(0, 0, 335, 47);
    Label1 = new TLabel(Panel1);
    Label1->SetCaption(QStringLiteral("Progress:"));
    Label1->SetBounds(24, 16, Label1->Width(), Label1->Height());
    ProgressBar1 = new QProgressBar(Panel1);
    ProgressBar1->setGeometry(88, 16, 225, 17);
    ProgressBar1->setTextVisible(false);
}

void TProgressForm::ShowProgress(const QString &Cap, int MaxPosition)
{
    setWindowTitle(Cap);
    ProgressBar1->setRange(0, MaxPosition);
    ProgressBar1->setValue(0);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
    show();
    repaint();
}

void TProgressForm::DoProgressPosition(int Position)
{
    ProgressBar1->setValue(Position);
    ProgressBar1->repaint();
    repaint();
}

void OpenProgress(const QString &Cap, int MaxPosition)
{
    if (!qobject_cast<QApplication *>(QCoreApplication::instance())
        || QThread::currentThread() != QCoreApplication::instance()->thread())
        return;
    // One progress window at a time: an earlier one would otherwise stay on the screen.
    CloseProgress();
    ProgressForm = new TProgressForm;
    ProgressForm->ShowProgress(Cap, MaxPosition);
}

void SetProgress(int Position)
{
    if (ProgressForm)
        ProgressForm->DoProgressPosition(Position);
}

void CloseProgress()
{
    if (!ProgressForm)
        return;
    TProgressForm *form = ProgressForm;
    ProgressForm = nullptr;
    form->close();
    delete form;
}
