// No C++ exception crosses Qt's event loop. An error that would reach the platform's
// default handler is caught here (in the application's notify and in GuardedCall) and shown
// as a message box with its text; the rest of that handler does not run.
#pragma once

#include <QApplication>
#include <exception>
#include <functional>

// Shows an exception the way the default handler does: its message, captioned with the
// application title, error icon.
void ShowException(const std::exception &error);

// Runs an event handler; an exception ends it and is shown. True when it ran through.
bool GuardedCall(const std::function<void()> &handler);

class TZvApplication : public QApplication
{
public:
    TZvApplication(int &argc, char **argv);
    bool notify(QObject *receiver, QEvent *event) override;

    // The application's title: caption of the default error box, name in the task bar.
    // Kept apart from Qt's display name, which Qt would append to every window caption.
    static QString Title();
    static void SetTitle(const QString &title);
};
