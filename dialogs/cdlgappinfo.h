#pragma once

#include "dialogs/cdlgframelesswindow.h"

class QFrame;
class QGridLayout;
class QLabel;
class QPushButton;

// Information panel: game version, application id and installer version.
class CDlgAppInfo : public CDlgFramelessWindow
{
    Q_OBJECT
public:
    explicit CDlgAppInfo(QWidget *parent = nullptr);

    void setInfo(const QString &gameVersion, const QString &appId, const QString &launcherVersion);

private slots:
    void on_pushButton_clicked();

private:
    struct Widgets
    {
        QLabel *lbl_title = nullptr;
        QLabel *label_5 = nullptr;
        QFrame *line = nullptr;
        QWidget *gridLayoutWidget = nullptr;
        QGridLayout *gridLayout = nullptr;
        QLabel *label_3 = nullptr;
        QLabel *lbl_gameInfo = nullptr;
        QLabel *label_2 = nullptr;
        QLabel *lbl_appInfo = nullptr;
        QLabel *label_4 = nullptr;
        QLabel *lbl_launchVer = nullptr;
        QFrame *line_2 = nullptr;
        QPushButton *pushButton = nullptr;
    };

    void buildWidgets();
    void buildInfoGrid();
    void retranslate();

    Widgets ui;
};
