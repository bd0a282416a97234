#include "dialogs/windowdragger.h"

#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

bool WindowDragger::press(QWidget *window, QMouseEvent *event)
{
    m_dragging = false;
    if (event->button() != Qt::LeftButton)
        return false;
    event->accept();
    // Where the window system places windows itself (Wayland) a moved
    // position is ignored: only it can move the window.
    QWindow *handle = window->windowHandle();
    if (handle && handle->startSystemMove())
        return true;
    m_offset = event->globalPos() - window->frameGeometry().topLeft();
    m_dragging = true;
    return true;
}

void WindowDragger::move(QWidget *window, QMouseEvent *event)
{
    if (m_dragging && (event->buttons() & Qt::LeftButton)) {
        window->move(event->globalPos() - m_offset);
        event->accept();
    }
}
