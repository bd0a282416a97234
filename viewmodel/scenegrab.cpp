#include "viewmodel/scenegrab.h"

#include <QPointer>
#include <QQuickItem>
#include <QQuickWindow>

void SceneGrab::releaseStale(QObject *root)
{
    QPointer<QQuickWindow> window = qobject_cast<QQuickWindow *>(root);
    if (!window)
        return;
    // Queued: a dialog opened from a press returns inside that press, and the
    // double click that follows the press grabs again; both are over by then.
    QMetaObject::invokeMethod(
        window,
        [window] {
            if (QQuickItem *grabber = window ? window->mouseGrabberItem() : nullptr)
                grabber->ungrabMouse();
        },
        Qt::QueuedConnection);
}
