#include "dialogs/cautosizelabel.h"

#include <QEvent>
#include <QTextDocument>

CAutoSizeLabel::CAutoSizeLabel(QWidget *parent)
    : QTextBrowser(parent)
{
    setOpenLinks(false);
    setReadOnly(true);
    setContextMenuPolicy(Qt::NoContextMenu);
    connect(document(), &QTextDocument::contentsChanged, this, &CAutoSizeLabel::OnTextAreaChanged);
}

void CAutoSizeLabel::OnTextAreaChanged()
{
    const int height = static_cast<int>(document()->size().height() + 2 * frameWidth());
    setFixedHeight(height);
    emit hightChanged(height);
}

bool CAutoSizeLabel::event(QEvent *event)
{
    if (event->type() == QEvent::Show)
        OnTextAreaChanged();
    return QTextBrowser::event(event);
}

void CAutoSizeLabel::resizeEvent(QResizeEvent *event)
{
    OnTextAreaChanged();
    QTextBrowser::resizeEvent(event);
}

void CAutoSizeLabel::changeEvent(QEvent *event)
{
    QTextBrowser::changeEvent(event);
}
