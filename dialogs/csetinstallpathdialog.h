#pragma once

#include <QDialog>
#include <QPixmap>
#include <QPoint>

#include "dialogs/windowdragger.h"

class CAutoSizeLabel;
class QFrame;
class QGridLayout;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;

// Where the game goes: the player edits or chooses the folder, sees the space
// needed and free, and starts the installation. Invalid paths and full
// volumes keep the start button disabled.
class CSetInstallPathDialog : public QDialog
{
    Q_OBJECT
public:
    explicit CSetInstallPathDialog(QWidget *parent = nullptr);

    void setPath(const QString &path);
    void setNeededBytes(qint64 bytes);
    bool isValidInstallPath(const QString &path) const;

    // bytes in GiB with one decimal, as the size labels show them.
    static QString gigabytesText(qint64 bytes);

signals:
    void startInstallClicked();
    void updateInstallPath(const QString &strPath);

private slots:
    void on_btn_close_clicked();
    void on_btn_ok_clicked();
    void on_btn_chgPath_clicked();
    void onEdtPathTextChanged(const QString &strText);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    struct Widgets
    {
        QLabel *lbl_title = nullptr;
        QLabel *label_4 = nullptr;
        QPushButton *btn_close = nullptr;
        QFrame *line_2 = nullptr;
        QLabel *lbl_selDirTip = nullptr;
        QLabel *lbl_tip = nullptr;
        QLineEdit *edt_path = nullptr;
        QPushButton *btn_chgPath = nullptr;
        QWidget *widget_2 = nullptr;
        QGridLayout *gridLayout_4 = nullptr;
        QLabel *label_3 = nullptr;
        QLabel *lbl_needSpace = nullptr;
        QWidget *widget_3 = nullptr;
        QGridLayout *gridLayout_3 = nullptr;
        QLabel *label_5 = nullptr;
        QLabel *lbl_freeSpace = nullptr;
        QLabel *label_8 = nullptr;
        QLabel *label_7 = nullptr;
        QFrame *line = nullptr;
        QPushButton *btn_ok = nullptr;
        CAutoSizeLabel *lbl_wholePathTip = nullptr;
        QWidget *widget = nullptr;
        QHBoxLayout *horizontalLayout = nullptr;
    };

    void buildWidgets();
    void buildHeader();
    void buildPathRow();
    void buildSpaceRows();
    void buildFooter();
    void retranslate();
    void showTip(const QString &text);
    void showSpace(const QString &needed, const QString &available);

    Widgets ui;
    WindowDragger m_dragger;
    QPixmap m_background;
    qint64 m_neededBytes = 0;
};
