#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QPointer>
#include <QTextBrowser>
#include <QTimer>

#include <functional>

// The web view: counts the reloads asked of it.
class WebView : public QObject
{
    Q_OBJECT
public:
    int reloads = 0;
public slots:
    void reload() { ++reloads; }
};

// The scene's root window as the controller and its flows see it: window slots and named children.
class SceneRoot : public QObject
{
    Q_OBJECT
public:
    SceneRoot()
    {
        for (const char *name :
             {"bgMask_msgbox", "curinstallPath", "versionText", "viewActivity", "pauseDownloadBtn", "setup_percentage"})
            (new QObject(this))->setObjectName(name);
        web.setParent(this);
        web.setObjectName("bgWebView");
    }
    QVariant value(const char *name, const char *key) const { return findChild<QObject *>(name)->property(key); }
    QStringList calls;
    WebView web;
public slots:
    void close() { calls << "close"; }
    void showMinimized() { calls << "showMinimized"; }
    void hide() { calls << "hide"; }
    void raise() { calls << "raise"; }
    void requestActivate() { calls << "requestActivate"; }
};

// Acts on each modal dialog as it opens, one step per dialog, as a player would; keeps their texts.
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
        if (!dialog || dialog == acted || steps.isEmpty())
            return;
        acted = dialog;
        auto *text = dialog->findChild<QTextBrowser *>("textBrowser");
        texts << (text ? text->toPlainText() : dialog->metaObject()->className());
        steps.takeFirst()(dialog);
    }
    QList<Step> steps;
    QTimer timer;
    QPointer<QWidget> acted;
};
