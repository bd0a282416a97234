#pragma once

#include <QFrame>
#include <QLabel>

// Style sheets and widget makers shared by several dialogs.
namespace DialogStyles {

// Without "border:none" a sunken one-pixel line draws only its light edge and
// the colour never shows.
inline const char *const kSeparatorLine = "background-color:rgba(218, 212, 200, 1);opacity:0.6;border:none;";

inline const char *const kDarkButton = "QPushButton{background-color:rgba(57, 59, 64, 1);border-radius:4px;"
                                       "font:18px \"微软雅黑\";color:rgba(244, 216, 168, 1);}"
                                       "QPushButton:hover{background-color:rgb(77, 79, 83);}"
                                       "QPushButton:pressed{background-color:rgb(51, 53, 57);}";

inline const char *const kLightButton = "QPushButton{background-color:rgb(255, 255, 255);"
                                        "border:1px solid rgba(204, 204, 204, 1);border-radius:4px;"
                                        "font:18px \"微软雅黑\";color:rgba(220, 188, 96, 1);}"
                                        "QPushButton:hover{background-color:rgb(251, 248, 239);}"
                                        "QPushButton:pressed{background-color:rgb(236, 233, 225);}";

inline const char *const kStar = "border-image:url(:/pic/star.png);";

inline QLabel *makeLabel(QWidget *parent, const char *name, const char *style, const QRect &geometry = QRect())
{
    auto *label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setStyleSheet(QString::fromUtf8(style));
    if (!geometry.isNull())
        label->setGeometry(geometry);
    return label;
}

// A sunken horizontal line.
inline QFrame *makeLine(QWidget *parent, const char *name, const QRect &geometry)
{
    auto *line = new QFrame(parent);
    line->setObjectName(QString::fromLatin1(name));
    line->setGeometry(geometry);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

// The thin separator of the dialogs built on dlg_bg.png.
inline QFrame *makeSeparatorLine(QWidget *parent, const char *name, const QRect &geometry)
{
    QFrame *line = makeLine(parent, name, geometry);
    line->setStyleSheet(QString::fromUtf8(kSeparatorLine));
    return line;
}

} // namespace DialogStyles
