#pragma once

#include <QRect>
#include <QString>
#include <QVariant>

class QObject;

// The controller's only way into the scene: objects found by name below the
// root window. A missing root or object is never an error, the write is skipped.
class SceneAccess
{
public:
    explicit SceneAccess(QObject *root);

    QObject *root() const { return m_root; }
    QObject *find(const QString &objectName) const;
    // True when the object was there to be written.
    bool write(const QString &objectName, const char *property, const QVariant &value) const;
    void invokeQueued(const QString &objectName, const char *method) const;
    void invokeOnRootQueued(const char *method) const;

    // The root window's "x", "y", "width" and "height"; empty without a root.
    QRect rootRect() const;
    // Top-left corner that centres a size over the root window.
    QPoint centredTopLeft(const QSize &size) const;

private:
    QObject *m_root;
};
