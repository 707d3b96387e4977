#pragma once

#include <QMainWindow>

// The designer's main window.
class TMainForm : public QMainWindow
{
    Q_OBJECT

public:
    explicit TMainForm(QWidget *parent = nullptr);
};
