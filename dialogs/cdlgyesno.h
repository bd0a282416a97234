#pragma once

#include "dialogs/cdlgframelesswindow.h"

#include <QRect>

class CAutoSizeLabel;
class QFrame;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QVBoxLayout;

// The confirm dialog: a centred text and "确认" with an optional "取消".
class CDlgYesNo : public CDlgFramelessWindow
{
    Q_OBJECT
public:
    explicit CDlgYesNo(QWidget *parent = nullptr);

    void setCloseButtonVisible(bool visible);
    void setCancelHidden(bool hidden);
    void setTitleAndText(const QString &title, const QString &text);
    void setOkText(const QString &text);

    // Runs a confirm dialog modally; 1 when confirmed, 0 otherwise. A non-empty
    // placement centres the dialog over that rectangle.
    static int showMessage(const QString &title, const QString &text, bool withCancel = false,
                           QWidget *parent = nullptr, const QRect &placement = QRect());
    // Message forms started by showMessage that have not ended yet.
    static int openMessageCount();

signals:
    void dlgFinish(bool bResult);

private slots:
    void on_btn_close_clicked();
    void on_btn_ok_clicked();
    void on_btn_cancel_clicked();

private:
    struct Widgets
    {
        QVBoxLayout *verticalLayout_2 = nullptr;
        QVBoxLayout *verticalLayout = nullptr;
        QWidget *wdg_title = nullptr;
        QHBoxLayout *horizontalLayout_2 = nullptr;
        QLabel *lbl_ico = nullptr;
        QLabel *lbl_title = nullptr;
        QPushButton *btn_close = nullptr;
        CAutoSizeLabel *textBrowser = nullptr;
        QFrame *frame = nullptr;
        QHBoxLayout *horizontalLayout_3 = nullptr;
        QHBoxLayout *horizontalLayout = nullptr;
        QPushButton *btn_cancel = nullptr;
        QPushButton *btn_ok = nullptr;
    };

    void buildWidgets();
    void buildTitleRow();
    void buildButtonRow();
    void retranslate();
    void applyStyleFile();

    Widgets ui;
};
