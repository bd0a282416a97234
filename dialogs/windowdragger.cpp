#include "dialogs/windowdragger.h"

#include <QMouseEvent>
#include <QWidget>

bool WindowDragger::press(QWidget *window, QMouseEvent *event)
{
    m_dragging = true;
    if (event->button() != Qt::LeftButton)
        return false;
    m_offset = event->globalPos() - window->frameGeometry().topLeft();
    event->accept();
    return true;
}

void WindowDragger::move(QWidget *window, QMouseEvent *event)
{
    if (m_dragging && (event->buttons() & Qt::LeftButton)) {
        window->move(event->globalPos() - m_offset);
        event->accept();
    }
}
