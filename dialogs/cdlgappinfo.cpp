#include "dialogs/cdlgappinfo.h"

#include "dialogs/dialogstyles.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace {

const char *const kTitleStyle = "font:24px \"微软雅黑\";color:rgba(57, 59, 64, 1);";
const char *const kCaptionStyle = "font:bold 16px \"微软雅黑\";color:rgba(57, 59, 64, 1);";
const char *const kValueStyle = "font:bold 16px \"微软雅黑\";color:rgba(125, 125, 125, 1);";
const char *const kOkayStyle = "QPushButton{background-color:rgba(57, 59, 64, 1);border-radius:4px;"
                               "font:18px \"微软雅黑\";color:rgba(244, 216, 168, 1);}"
                               "QPushButton:hover{background-color:rgb(77, 79, 83);}"
                               "QPushButton:pressed{background-color:rgb(47, 49, 53);}";
const char *const kValuePlaceholder = "kq2_cn";

} // namespace

using DialogStyles::makeLabel;

CDlgAppInfo::CDlgAppInfo(QWidget *parent)
    : CDlgFramelessWindow(parent)
{
    buildWidgets();
    retranslate();
    QMetaObject::connectSlotsByName(this);
    setBackground(QStringLiteral(":/pic/dlg_bg.png"));
    setShadow(10, 10, 10, 10);
}

void CDlgAppInfo::buildWidgets()
{
    if (objectName().isEmpty())
        setObjectName(QStringLiteral("CDlgAppInfo"));
    resize(460, 320);
    setStyleSheet(QString());

    ui.lbl_title = makeLabel(this, "lbl_title", kTitleStyle, QRect(74, 46, 331, 23));
    ui.label_5 = makeLabel(this, "label_5", DialogStyles::kStar, QRect(44, 47, 20, 20));

    ui.line = DialogStyles::makeSeparatorLine(this, "line", QRect(44, 92, 392, 1));
    buildInfoGrid();
    ui.line_2 = DialogStyles::makeSeparatorLine(this, "line_2", QRect(34, 207, 392, 1));

    ui.pushButton = new QPushButton(this);
    ui.pushButton->setObjectName(QStringLiteral("pushButton"));
    ui.pushButton->setGeometry(44, 240, 392, 48);
    ui.pushButton->setStyleSheet(QString::fromUtf8(kOkayStyle));
}

void CDlgAppInfo::buildInfoGrid()
{
    ui.gridLayoutWidget = new QWidget(this);
    ui.gridLayoutWidget->setObjectName(QStringLiteral("gridLayoutWidget"));
    ui.gridLayoutWidget->setGeometry(70, 100, 341, 91);

    ui.gridLayout = new QGridLayout(ui.gridLayoutWidget);
    ui.gridLayout->setObjectName(QStringLiteral("gridLayout"));
    ui.gridLayout->setContentsMargins(0, 0, 0, 0);

    const auto addRow = [this](int row, const char *captionName, const char *valueName) {
        QLabel *caption = makeLabel(ui.gridLayoutWidget, captionName, kCaptionStyle);
        QLabel *value = makeLabel(ui.gridLayoutWidget, valueName, kValueStyle);
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        ui.gridLayout->addWidget(caption, row, 0);
        ui.gridLayout->addWidget(value, row, 1);
        return std::make_pair(caption, value);
    };
    std::tie(ui.label_3, ui.lbl_gameInfo) = addRow(0, "label_3", "lbl_gameInfo");
    std::tie(ui.label_2, ui.lbl_appInfo) = addRow(1, "label_2", "lbl_appInfo");
    std::tie(ui.label_4, ui.lbl_launchVer) = addRow(2, "label_4", "lbl_launchVer");
}

void CDlgAppInfo::retranslate()
{
    setWindowTitle(QStringLiteral("Dialog"));
    ui.lbl_title->setText(tr("应用信息"));
    ui.label_3->setText(tr("游戏信息："));
    ui.label_2->setText(tr("应用信息："));
    ui.label_4->setText(tr("启动器版本："));
    for (QLabel *value : {ui.lbl_gameInfo, ui.lbl_appInfo, ui.lbl_launchVer})
        value->setText(QString::fromLatin1(kValuePlaceholder));
    ui.pushButton->setText(tr("好的"));
}

void CDlgAppInfo::setInfo(const QString &gameVersion, const QString &appId, const QString &launcherVersion)
{
    ui.lbl_gameInfo->setText(gameVersion);
    ui.lbl_appInfo->setText(appId);
    ui.lbl_launchVer->setText(launcherVersion);
}

void CDlgAppInfo::on_pushButton_clicked()
{
    close();
}
