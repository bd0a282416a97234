#include "dialogs/cdlgclosetip.h"

#include "dialogs/dialogstyles.h"
#include "settings/configsettings.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace {

const char *const kRadioStyle = "QRadioButton{font:15px \"微软雅黑\";}"
                                "QRadioButton::indicator{width:24px;height:24px;}"
                                "QRadioButton::indicator:unchecked{image:url(:/pic/radio_n.png);}"
                                "QRadioButton::indicator:unchecked:hover{image:url(:/pic/radio_o.png);}"
                                "QRadioButton::indicator:unchecked:pressed{image:url(:/pic/radio_d.png);}"
                                "QRadioButton::indicator:checked{image:url(:/pic/radio_s_n.png);}"
                                "QRadioButton::indicator:checked:hover{image:url(:/pic/radio_s_o.png);}"
                                "QRadioButton::indicator:checked:pressed{image:url(:/pic/radio_s_d.png);}";

const char *const kCheckStyle = "QCheckBox{font:15px \"微软雅黑\";}"
                                "QCheckBox::indicator{width:24px;height:24px;}"
                                "QCheckBox::indicator:unchecked{image:url(:/pic/uncheck_n.png);}"
                                "QCheckBox::indicator:unchecked:hover{image:url(:/pic/uncheck_o.png);}"
                                "QCheckBox::indicator:unchecked:pressed{image:url(:/pic/uncheck_d.png);}"
                                "QCheckBox::indicator:checked{image:url(:/pic/check_n.png);}"
                                "QCheckBox::indicator:checked:hover{image:url(:/pic/check_o.png);}"
                                "QCheckBox::indicator:checked:pressed{image:url(:/pic/check_d.png);}";

const char *const kTitleStyle = "font:20px \"微软雅黑\";color:rgba(57, 59, 64, 1);";

} // namespace

CDlgCloseTip::CDlgCloseTip(QWidget *parent, ConfigSettings *settings)
    : CDlgFramelessWindow(parent)
    , m_settings(settings ? settings : ConfigSettings::instance())
{
    buildWidgets();
    retranslate();
    QMetaObject::connectSlotsByName(this);
    setBackground(QStringLiteral(":/pic/dlg_bg.png"));
    setShadow(10, 10, 10, 10);

    m_radioGroup = new QButtonGroup(this);
    m_radioGroup->setExclusive(true);
    m_radioGroup->addButton(ui.radio_min);
    m_radioGroup->addButton(ui.radio_exit);
    ui.radio_min->setChecked(true);
    connect(ui.radio_min, &QRadioButton::clicked, this, &CDlgCloseTip::OnRadioGroupClicked);
    connect(ui.radio_exit, &QRadioButton::clicked, this, &CDlgCloseTip::OnRadioGroupClicked);

    preselectStoredChoice();
}

void CDlgCloseTip::buildWidgets()
{
    if (objectName().isEmpty())
        setObjectName(QStringLiteral("CDlgCloseTip"));
    resize(460, 344);

    ui.label_5 = DialogStyles::makeLabel(this, "label_5", DialogStyles::kStar, QRect(44, 47, 20, 20));
    ui.lbl_title = DialogStyles::makeLabel(this, "lbl_title", kTitleStyle, QRect(74, 31, 381, 51));

    ui.line = DialogStyles::makeSeparatorLine(this, "line", QRect(44, 90, 375, 1));

    const auto makeRadio = [this](const char *name, const QRect &geometry) {
        auto *radio = new QRadioButton(this);
        radio->setObjectName(QString::fromLatin1(name));
        radio->setGeometry(geometry);
        radio->setStyleSheet(QString::fromUtf8(kRadioStyle));
        radio->setIconSize(QSize(24, 24));
        return radio;
    };
    ui.radio_min = makeRadio("radio_min", QRect(44, 110, 391, 24));
    ui.radio_exit = makeRadio("radio_exit", QRect(44, 150, 371, 24));

    ui.line_2 = DialogStyles::makeSeparatorLine(this, "line_2", QRect(44, 200, 379, 1));

    ui.btn_cancel = new QPushButton(this);
    ui.btn_cancel->setObjectName(QStringLiteral("btn_cancel"));
    ui.btn_cancel->setGeometry(44, 230, 190, 48);
    ui.btn_cancel->setStyleSheet(QString::fromUtf8(DialogStyles::kLightButton));

    ui.btn_ok = new QPushButton(this);
    ui.btn_ok->setObjectName(QStringLiteral("btn_ok"));
    ui.btn_ok->setGeometry(246, 230, 190, 48);
    ui.btn_ok->setStyleSheet(QString::fromUtf8(DialogStyles::kDarkButton));

    ui.check_noTipAgain = new QCheckBox(this);
    ui.check_noTipAgain->setObjectName(QStringLiteral("check_noTipAgain"));
    ui.check_noTipAgain->setGeometry(44, 297, 411, 24);
    ui.check_noTipAgain->setStyleSheet(QString::fromUtf8(kCheckStyle));
    ui.check_noTipAgain->setChecked(false);
}

void CDlgCloseTip::retranslate()
{
    setWindowTitle(QStringLiteral("Dialog"));
    ui.lbl_title->setText(tr("你点击了关闭按钮，你期望："));
    ui.radio_min->setText(tr("最小化到系统托盘"));
    ui.radio_exit->setText(tr("直接退出"));
    ui.btn_cancel->setText(tr("取消"));
    ui.btn_ok->setText(tr("确认"));
    ui.check_noTipAgain->setText(tr("不再提醒"));
}

void CDlgCloseTip::preselectStoredChoice()
{
    if (m_settings->getIntValue(SettingKeys::kCloseTipUserInput, SettingKeys::kCloseTipGroup) != 0)
        ui.radio_exit->setChecked(true);
}

int CDlgCloseTip::isExitChosen() const
{
    return ui.radio_min->isChecked() ? 0 : 1;
}

void CDlgCloseTip::on_btn_ok_clicked()
{
    accept();
}

void CDlgCloseTip::on_btn_cancel_clicked()
{
    close();
}

void CDlgCloseTip::OnRadioGroupClicked()
{
    m_settings->setIntValue(SettingKeys::kCloseTipUserInput, isExitChosen(), SettingKeys::kCloseTipGroup);
}

void CDlgCloseTip::on_check_noTipAgain_clicked(bool checked)
{
    m_settings->setIntValue(SettingKeys::kCloseTipNoTipAgain, checked ? 1 : 0, SettingKeys::kCloseTipGroup);
}
