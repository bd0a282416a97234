#pragma once

#include "dialogs/dialogtesthelpers.h"

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
