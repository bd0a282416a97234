#include "viewmodel/sceneaccess.h"

#include <QMetaObject>
#include <QObject>

SceneAccess::SceneAccess(QObject *root)
    : m_root(root)
{}

QObject *SceneAccess::find(const QString &objectName) const
{
    return m_root ? m_root->findChild<QObject *>(objectName) : nullptr;
}

bool SceneAccess::write(const QString &objectName, const char *property, const QVariant &value) const
{
    QObject *object = find(objectName);
    if (!object)
        return false;
    object->setProperty(property, value);
    return true;
}

void SceneAccess::invokeQueued(const QString &objectName, const char *method) const
{
    if (QObject *object = find(objectName))
        QMetaObject::invokeMethod(object, method, Qt::QueuedConnection);
}

void SceneAccess::invokeOnRootQueued(const char *method) const
{
    if (m_root)
        QMetaObject::invokeMethod(m_root, method, Qt::QueuedConnection);
}

QRect SceneAccess::rootRect() const
{
    if (!m_root)
        return QRect();
    return QRect(m_root->property("x").toInt(), m_root->property("y").toInt(), m_root->property("width").toInt(),
                 m_root->property("height").toInt());
}

QPoint SceneAccess::centredTopLeft(const QSize &size) const
{
    const QRect root = rootRect();
    return QPoint(root.x() + (root.width() - size.width()) / 2, root.y() + (root.height() - size.height()) / 2);
}
