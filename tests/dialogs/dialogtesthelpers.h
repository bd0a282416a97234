#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QDateTime>
#include <QDialog>
#include <QMouseEvent>
#include <QTimer>
#include <QtTest>

#include <functional>

namespace DialogTest {

// The child named name of the given class.
template<typename T> T *child(QWidget *dialog, const char *name)
{
    return dialog->findChild<T *>(QString::fromLatin1(name));
}

// Ends a running modal dialog the way a player would: "escape", "close" (the
// window's close button) or a click on the push button of that name. A
// dialog still open a while later ends with -1, so a button that does
// nothing fails the test instead of hanging it.
inline void endModal(QWidget *modal, const QString &ending)
{
    QTimer::singleShot(2000, modal, [modal] {
        if (modal->isVisible())
            qobject_cast<QDialog *>(modal)->done(-1);
    });
    if (ending == QLatin1String("escape"))
        QTest::keyClick(modal, Qt::Key_Escape);
    else if (ending == QLatin1String("close"))
        modal->close();
    else
        QTest::mouseClick(child<QAbstractButton>(modal, qPrintable(ending)), Qt::LeftButton);
}

// Presses button at a point inside window, moves the pointer by delta with the
// button held and releases; returns the window's movement. The events carry
// global positions, as the window system's do while the window moves.
inline QPoint drag(QWidget *window, Qt::MouseButton button, const QPoint &delta)
{
    const QPoint before = window->pos();
    const QPoint start = window->frameGeometry().topLeft() + QPoint(30, 30);
    const auto send = [window](QEvent::Type type, const QPoint &at, Qt::MouseButton changed, Qt::MouseButtons held) {
        QMouseEvent event(type, window->mapFromGlobal(at), at, changed, held, Qt::NoModifier);
        QApplication::sendEvent(window, &event);
    };
    send(QEvent::MouseButtonPress, start, button, button);
    send(QEvent::MouseMove, start + delta / 2, Qt::NoButton, button);
    send(QEvent::MouseMove, start + delta, Qt::NoButton, button);
    send(QEvent::MouseButtonRelease, start + delta, button, Qt::NoButton);
    // After the release, moving with no button held leaves the window alone.
    send(QEvent::MouseMove, start + delta * 2, Qt::NoButton, Qt::NoButton);
    return window->pos() - before;
}

// Runs action once a modal dialog other than previous has started its event
// loop. Gives up after a few seconds and ends the dialogs still open, so a
// failing test cannot hang.
inline void whenModal(std::function<void(QWidget *)> action, QWidget *previous = nullptr)
{
    auto *poll = new QTimer;
    const qint64 deadline = QDateTime::currentMSecsSinceEpoch() + 5000;
    QObject::connect(poll, &QTimer::timeout, [poll, deadline, action, previous] {
        QWidget *modal = QApplication::activeModalWidget();
        const bool ready = modal && modal != previous && modal->isVisible();
        if (!ready && QDateTime::currentMSecsSinceEpoch() < deadline)
            return;
        poll->deleteLater();
        poll->stop();
        if (ready)
            return action(modal);
        qWarning("no modal dialog appeared");
        for (QWidget *widget : QApplication::allWidgets()) {
            if (widget != previous && widget->isVisible() && qobject_cast<QDialog *>(widget))
                qobject_cast<QDialog *>(widget)->done(-1);
        }
    });
    poll->start(10);
}

} // namespace DialogTest
