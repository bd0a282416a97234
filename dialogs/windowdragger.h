#pragma once

#include <QPoint>

class QMouseEvent;
class QWidget;

// Moves a frameless window with the left mouse button held anywhere on it:
// the window system's own move where it offers one, else by hand. The window
// forwards its mouse events here.
class WindowDragger
{
public:
    // True when the press starts a drag (left button); the event is accepted.
    bool press(QWidget *window, QMouseEvent *event);
    void move(QWidget *window, QMouseEvent *event);
    void release() { m_dragging = false; }

private:
    QPoint m_offset;
    bool m_dragging = false;
};
