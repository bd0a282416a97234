#pragma once

#include "dialogs/cdlgframelesswindow.h"

class ConfigSettings;
class QButtonGroup;
class QCheckBox;
class QFrame;
class QLabel;
class QPushButton;
class QRadioButton;

// Asks whether the close button minimises to the tray or exits. Each click
// on a choice is stored at once, whatever button ends the dialog.
class CDlgCloseTip : public CDlgFramelessWindow
{
    Q_OBJECT
public:
    // settings: the store for the choices; null means the process-wide one.
    explicit CDlgCloseTip(QWidget *parent = nullptr, ConfigSettings *settings = nullptr);

    // 0 when minimising to the tray is chosen, 1 for exit.
    int isExitChosen() const;

private slots:
    void on_btn_ok_clicked();
    void on_btn_cancel_clicked();
    void OnRadioGroupClicked();
    void on_check_noTipAgain_clicked(bool checked);

private:
    struct Widgets
    {
        QLabel *label_5 = nullptr;
        QLabel *lbl_title = nullptr;
        QFrame *line = nullptr;
        QRadioButton *radio_min = nullptr;
        QRadioButton *radio_exit = nullptr;
        QFrame *line_2 = nullptr;
        QPushButton *btn_cancel = nullptr;
        QPushButton *btn_ok = nullptr;
        QCheckBox *check_noTipAgain = nullptr;
    };

    void buildWidgets();
    void retranslate();
    void preselectStoredChoice();

    Widgets ui;
    QButtonGroup *m_radioGroup = nullptr;
    ConfigSettings *m_settings = nullptr;
};
