#pragma once

#include <QDialog>
#include <QPixmap>
#include <QPoint>

#include "dialogs/windowdragger.h"

// Borderless translucent dialog that paints a picture as its background,
// stretched without distorting the corners, with a drop shadow around it.
// It can be dragged with the left button anywhere on it.
class CDlgFramelessWindow : public QDialog
{
public:
    explicit CDlgFramelessWindow(QWidget *parent = nullptr);

    void setBackground(const QString &path);
    void setShadow(int left, int top, int right, int bottom);

    // Stretches picture to the target size; the corners of cornerWidth x
    // cornerHeight keep their size, the edges and the centre are scaled.
    static QPixmap scaleNineSlice(const QPixmap &picture, int cornerWidth, int cornerHeight, int targetWidth,
                                  int targetHeight);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    WindowDragger m_dragger;
    QPixmap m_background;
    int m_shadowLeft = 0;
    int m_shadowTop = 0;
    int m_shadowRight = 0;
    int m_shadowBottom = 0;
};
