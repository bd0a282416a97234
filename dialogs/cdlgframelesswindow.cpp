#include "dialogs/cdlgframelesswindow.h"

#include <QBitmap>
#include <QGraphicsDropShadowEffect>
#include <QMouseEvent>
#include <QPainter>

namespace {
const int kCornerSize = 50;
const qreal kShadowBlurRadius = 20.0;
const QColor kShadowColor(0, 0, 0, 51);
} // namespace

CDlgFramelessWindow::CDlgFramelessWindow(QWidget *parent)
    : QDialog(parent)
{
    // Frameless alone would turn a dialog with a parent into a child widget
    // painted inside that parent; the dialog type keeps it a window.
    setWindowFlags(parent ? Qt::Dialog | Qt::FramelessWindowHint : Qt::FramelessWindowHint);
    setAttribute(Qt::WA_TranslucentBackground);
}

void CDlgFramelessWindow::setBackground(const QString &path)
{
    m_background = QPixmap(path);
}

void CDlgFramelessWindow::setShadow(int left, int top, int right, int bottom)
{
    if (left < 0 || top < 0 || right < 0 || bottom < 0)
        return;
    m_shadowLeft = left;
    m_shadowTop = top;
    m_shadowRight = right;
    m_shadowBottom = bottom;

    auto *shadow = new QGraphicsDropShadowEffect(this);
    const bool centred = (left != 0 && right != 0) || (top != 0 && bottom != 0);
    shadow->setOffset(centred ? QPointF(0, 0) : QPointF(right, bottom));
    shadow->setColor(kShadowColor);
    shadow->setBlurRadius(kShadowBlurRadius);
    // Kept switched off: on a top-level window the effect repaints a child's
    // update (a button taking the focus) shifted by the margins, and the
    // window's shape mask clips the shadow away in any case.
    shadow->setEnabled(false);
    setGraphicsEffect(shadow);

    resize(width() + left + right, height() + top + bottom);
}

QPixmap CDlgFramelessWindow::scaleNineSlice(const QPixmap &picture, int cw, int ch, int tw, int th)
{
    const int w = picture.width();
    const int h = picture.height();
    const QPixmap topLeft = picture.copy(0, 0, cw, ch);
    const QPixmap top = picture.copy(cw, 0, w - 2 * cw, ch);
    const QPixmap topRight = picture.copy(w - cw, 0, cw, ch);
    const QPixmap left = picture.copy(0, ch, cw, h - 2 * ch);
    const QPixmap centre = picture.copy(cw, ch, w - 2 * cw, h - 2 * ch);
    const QPixmap right = picture.copy(w - cw, ch, cw, h - 2 * ch);
    const QPixmap bottomLeft = picture.copy(0, h - ch, cw, ch);
    const QPixmap bottom = picture.copy(cw, h - ch, w - 2 * cw, ch);
    const QPixmap bottomRight = picture.copy(w - cw, h - ch, cw, ch);

    const QSize edgeH(tw - 2 * cw, ch);
    const QSize edgeV(cw, th - 2 * ch);
    const QSize middle(tw - 2 * cw, th - 2 * ch);
    const auto stretch = [](const QPixmap &piece, const QSize &size) {
        return piece.scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    };

    QPixmap result(tw, th);
    if (result.isNull())
        return result;
    result.fill(Qt::transparent);
    QPainter painter(&result);
    painter.drawPixmap(0, 0, topLeft);
    painter.drawPixmap(cw, 0, stretch(top, edgeH));
    painter.drawPixmap(tw - cw, 0, topRight);
    painter.drawPixmap(0, ch, stretch(left, edgeV));
    painter.drawPixmap(cw, ch, stretch(centre, middle));
    painter.drawPixmap(tw - cw, ch, stretch(right, edgeV));
    painter.drawPixmap(0, th - ch, bottomLeft);
    painter.drawPixmap(cw, th - ch, stretch(bottom, edgeH));
    painter.drawPixmap(tw - cw, th - ch, bottomRight);
    return result;
}

void CDlgFramelessWindow::mousePressEvent(QMouseEvent *event)
{
    m_dragger.press(this, event);
}

void CDlgFramelessWindow::mouseReleaseEvent(QMouseEvent *)
{
    m_dragger.release();
}

void CDlgFramelessWindow::mouseMoveEvent(QMouseEvent *event)
{
    m_dragger.move(this, event);
}

void CDlgFramelessWindow::paintEvent(QPaintEvent *)
{
    if (m_background.isNull())
        return;
    const int targetWidth = width() - m_shadowLeft - m_shadowRight;
    const int targetHeight = height() - m_shadowTop - m_shadowBottom;
    const QPixmap picture = scaleNineSlice(m_background, kCornerSize, kCornerSize, targetWidth, targetHeight);
    if (picture.isNull())
        return;
    QPainter painter(this);
    painter.drawPixmap(m_shadowLeft, m_shadowTop, picture);
    // The mask follows the picture where it is drawn; at the window's origin
    // it would cut the picture's right and bottom edges by the shadow margins.
    const QBitmap alpha = picture.mask();
    const QRegion shape = alpha.isNull() ? QRegion(picture.rect()) : QRegion(alpha);
    setMask(shape.translated(m_shadowLeft, m_shadowTop));
}
