// TControl: the base of the controls the object kinds put on a page. Each control points
// back to the object record it shows, so that events and the designer find the record.
#pragma once

#include <QWidget>

struct TZvObject;

class TControl : public QWidget
{
    Q_OBJECT

public:
    using QWidget::QWidget;

    // The record this control shows; the record owns the control.
    TZvObject *ZvObject = nullptr;
};
