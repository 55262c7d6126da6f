// A label that reports a left click (the about window's web address, the logo).
#pragma once

#include "client/ClickTracker.h"

#include <QLabel>

class QMouseEvent;

class ClickableLabel : public QLabel {
    Q_OBJECT
public:
    explicit ClickableLabel(QWidget *parent = nullptr);

Q_SIGNALS:
    // The left button was pressed and released over the label.
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    ClickTracker m_click;
};
