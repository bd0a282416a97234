#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>
#include <QtTest>

#include <functional>

namespace DialogTest {

// The child named name of the given class; fails the calling test when absent.
template<typename T> T *child(QWidget *dialog, const char *name)
{
    T *widget = dialog->findChild<T *>(QString::fromLatin1(name));
    if (!widget)
        qWarning("no child %s", name);
    return widget;
}

// Ends a running modal dialog the way a player would: "escape", "close" (the
// window's close button) or a click on the push button of that name.
// A dialog still open a while later is ended with the result -1, so a button
// that does nothing fails the test instead of hanging it.
inline void endModal(QWidget *modal, const QString &ending)
{
    QTimer::singleShot(2000, modal, [modal] {
        auto *dialog = qobject_cast<QDialog *>(modal);
        if (dialog && dialog->isVisible())
            dialog->done(-1);
    });
    if (ending == QLatin1String("escape"))
        QTest::keyClick(modal, Qt::Key_Escape);
    else if (ending == QLatin1String("close"))
        modal->close();
    else
        QTest::mouseClick(child<QAbstractButton>(modal, qPrintable(ending)), Qt::LeftButton);
}

// The ways of ending a dialog, each with the result it gives.
inline void endingRows(const char *acceptingButton, const char *rejectingButton)
{
    QTest::addColumn<QString>("ending");
    QTest::addColumn<int>("result");
    QTest::newRow(acceptingButton) << QString::fromLatin1(acceptingButton) << 1;
    QTest::newRow(rejectingButton) << QString::fromLatin1(rejectingButton) << 0;
    QTest::newRow("escape") << QStringLiteral("escape") << 0;
    QTest::newRow("window closed") << QStringLiteral("close") << 0;
}

// Sends a mouse event carrying explicit global coordinates, as the window
// system would while the window itself moves under the pointer.
inline void sendMouse(QWidget *window, QEvent::Type type, const QPoint &global, Qt::MouseButton button,
                      Qt::MouseButtons held)
{
    QMouseEvent event(type, window->mapFromGlobal(global), global, button, held, Qt::NoModifier);
    QApplication::sendEvent(window, &event);
}

// Presses with button at a point inside window, moves the pointer by delta
// with the button held and releases; returns the window's movement.
inline QPoint drag(QWidget *window, Qt::MouseButton button, const QPoint &delta)
{
    const QPoint before = window->pos();
    const QPoint start = window->frameGeometry().topLeft() + QPoint(30, 30);
    sendMouse(window, QEvent::MouseButtonPress, start, button, button);
    sendMouse(window, QEvent::MouseMove, start + delta / 2, Qt::NoButton, button);
    sendMouse(window, QEvent::MouseMove, start + delta, Qt::NoButton, button);
    sendMouse(window, QEvent::MouseButtonRelease, start + delta, button, Qt::NoButton);
    return window->pos() - before;
}

// Runs action once a modal dialog other than previous has started its event
// loop. Gives up after a few seconds and closes the dialog, so a failing test
// cannot hang in a nested loop.
inline void whenModal(std::function<void(QWidget *)> action, QWidget *previous = nullptr)
{
    auto *poll = new QTimer;
    auto *waited = new QElapsedTimer;
    waited->start();
    QObject::connect(poll, &QTimer::timeout, [poll, waited, action, previous] {
        QWidget *modal = QApplication::activeModalWidget();
        const bool ready = modal && modal != previous && modal->isVisible();
        if (!ready && waited->elapsed() < 5000)
            return;
        poll->stop();
        poll->deleteLater();
        delete waited;
        if (!ready) {
            qWarning("no modal dialog appeared");
            if (modal && modal != previous)
                modal->close();
            return;
        }
        action(modal);
    });
    poll->start(10);
}

} // namespace DialogTest
