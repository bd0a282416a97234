#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QPointer>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

#include <functional>

// Acts on each modal dialog as it opens, one step per dialog, as a player would; keeps their texts.
// A step that opens a dialog of its own must do so from a later event: the poll does not run inside itself.
class Player : public QObject
{
public:
    using Step = std::function<void(QWidget *)>;
    explicit Player(QList<Step> steps)
        : steps(std::move(steps))
    {
        connect(&timer, &QTimer::timeout, this, &Player::poll);
        timer.start(20);
    }
    static Step press(const QStringList &buttons)
    {
        return [buttons](QWidget *dialog) {
            for (const QString &name : buttons)
                dialog->findChild<QAbstractButton *>(name)->click();
        };
    }
    QStringList texts;

private:
    void poll()
    {
        QWidget *dialog = QApplication::activeModalWidget();
        if (!dialog || dialog == acted)
            return;
        acted = dialog;
        auto *text = dialog->findChild<QTextBrowser *>("textBrowser");
        texts << (text ? text->toPlainText() : dialog->metaObject()->className());
        // A dialog no step expects fails the test and is closed, instead of hanging it.
        if (steps.isEmpty()) {
            QTest::qFail(qPrintable("a dialog no step expects: " + texts.last()), __FILE__, __LINE__);
            dialog->close();
            return;
        }
        steps.takeFirst()(dialog);
    }
    QList<Step> steps;
    QTimer timer;
    QPointer<QWidget> acted;
};
