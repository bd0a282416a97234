#include "dialogs/csetinstallpathdialog.h"

#include "dialogs/cautosizelabel.h"
#include "dialogs/dialogstyles.h"
#include "dialogs/installpathcheck.h"

#include <QBitmap>
#include <QDebug>
#include <QFileDialog>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSpacerItem>

namespace {

const QSize kDesignSize(740, 536);
const double kBytesPerGigabyte = 1024.0 * 1024.0 * 1024.0;

const char *const kTitleStyle = "font:23px \"微软雅黑\";color:rgba(57, 59, 64, 1);";
const char *const kCloseStyle = "QPushButton{border-image:url(:/pic/dialog_close_n.png);}"
                                "QPushButton:hover{border-image:url(:/pic/dialog_close_o.png);}"
                                "QPushButton:pressed{border-image:url(:/pic/dialog_close_o.png);}";
const char *const kSelDirTipStyle = "font-weight:bold;font-size:16px;color:rgb(57, 59, 64);";
const char *const kTipStyle = "color:rgb(255, 255, 255);font-weight:bold;font-size:14px;"
                              "background-color:rgba(245, 91, 49, 255);padding-left:12px;padding-right:12px;";
const char *const kPathStyle = "QLineEdit{font-size:16px;color:rgba(125, 125, 125, 1);"
                               "border:2px solid rgb(235, 235, 236);}"
                               "QLineEdit:focus{border:2px solid rgb(207, 207, 209);}";
const char *const kChangeStyle = "QPushButton{background-color:rgba(57, 59, 64, 1);color:rgba(244, 216, 168, 1);"
                                 "border-radius:4px;font-size:16px;}";
const char *const kSpaceStyle = "font-size:14px;color:rgb(125, 125, 125);";
const char *const kLanguageCaptionStyle = "font-weight:bold;font-size:16px;color:rgb(57, 59, 64);";
const char *const kLanguageStyle = "font-weight:bold;font-size:14px;color:rgb(153, 153, 153);";
const char *const kStartStyle = "QPushButton{font-size:23px;color:rgba(112, 74, 29, 1);"
                                "border-image:url(:/pic/btn_n.png);}"
                                "QPushButton:hover{border-image:url(:/pic/btn_o.png);}"
                                "QPushButton:pressed{border-image:url(:/pic/btn_d.png);}"
                                "QPushButton:disabled{border-image:none;background-color:rgba(153, 153, 153, 76);"
                                "color:rgba(153, 153, 153, 178);}";
const char *const kWholePathStyle = "background-color:rgba(87, 88, 92, 0.9);border-radius:2px;"
                                    "color:rgb(255, 255, 255);font-size:16px;padding:10px;";

// -1 when the volume cannot be read.
qint64 availableBytesOn(const QString &volume)
{
    const qint64 available = InstallPathCheck::availableBytes(volume);
    qDebug() << "diskSpaceTips : " << available << "name :" << volume;
    return available;
}

} // namespace

using DialogStyles::makeLabel;
using DialogStyles::makeLine;

CSetInstallPathDialog::CSetInstallPathDialog(QWidget *parent)
    : QDialog(parent)
{
    buildWidgets();
    retranslate();
    QMetaObject::connectSlotsByName(this);

    setWindowIcon(QIcon(QStringLiteral(":/icon/launcher.ico")));
    // Frameless alone would turn a dialog with a parent into a child widget.
    setWindowFlags(parent ? Qt::Dialog | Qt::FramelessWindowHint : Qt::FramelessWindowHint);
    setAttribute(Qt::WA_TranslucentBackground);

    m_background = QPixmap(QStringLiteral(":/pic/setdlg.png"));
    // Without its picture the window keeps the size its widgets are laid out for.
    resize(m_background.isNull() ? kDesignSize : m_background.size());
    if (!m_background.mask().isNull())
        setMask(m_background.mask());

    ui.edt_path->installEventFilter(this);
    ui.lbl_wholePathTip->hide();
    ui.lbl_tip->hide();
    ui.lbl_selDirTip->show();
    connect(ui.edt_path, &QLineEdit::textChanged, this, &CSetInstallPathDialog::onEdtPathTextChanged);
}

void CSetInstallPathDialog::buildWidgets()
{
    if (objectName().isEmpty())
        setObjectName(QStringLiteral("CSetInstallPathDialog"));
    resize(kDesignSize);
    setMouseTracking(true);
    setStyleSheet(QString());

    buildHeader();
    buildPathRow();
    buildSpaceRows();
    buildFooter();
}

void CSetInstallPathDialog::buildHeader()
{
    ui.lbl_title = makeLabel(this, "lbl_title", kTitleStyle, QRect(340, 120, 341, 31));
    ui.label_4 = makeLabel(this, "label_4", DialogStyles::kStar, QRect(312, 127, 20, 20));

    ui.btn_close = new QPushButton(this);
    ui.btn_close->setObjectName(QStringLiteral("btn_close"));
    ui.btn_close->setGeometry(685, 125, 20, 20);
    ui.btn_close->setStyleSheet(QString::fromUtf8(kCloseStyle));

    ui.line_2 = makeLine(this, "line_2", QRect(312, 169, 391, 1));
}

void CSetInstallPathDialog::buildPathRow()
{
    ui.lbl_selDirTip = makeLabel(this, "lbl_selDirTip", kSelDirTipStyle, QRect(320, 182, 367, 31));

    ui.lbl_tip = makeLabel(this, "lbl_tip", kTipStyle, QRect(315, 182, 251, 31));
    ui.lbl_tip->setAlignment(Qt::AlignCenter);
    ui.lbl_tip->setMinimumHeight(31);

    ui.edt_path = new QLineEdit(this);
    ui.edt_path->setObjectName(QStringLiteral("edt_path"));
    ui.edt_path->setGeometry(312, 217, 302, 30);
    ui.edt_path->setStyleSheet(QString::fromUtf8(kPathStyle));

    ui.btn_chgPath = new QPushButton(this);
    ui.btn_chgPath->setObjectName(QStringLiteral("btn_chgPath"));
    ui.btn_chgPath->setGeometry(627, 217, 78, 30);
    ui.btn_chgPath->setCursor(Qt::PointingHandCursor);
    ui.btn_chgPath->setStyleSheet(QString::fromUtf8(kChangeStyle));
}

void CSetInstallPathDialog::buildSpaceRows()
{
    const auto makeRow = [this](const char *widgetName, const char *layoutName, const QRect &geometry,
                                const char *captionName, const char *valueName) {
        auto *row = new QWidget(this);
        row->setObjectName(QString::fromLatin1(widgetName));
        row->setGeometry(geometry);
        auto *grid = new QGridLayout(row);
        grid->setObjectName(QString::fromLatin1(layoutName));
        grid->setContentsMargins(5, 0, 0, 0);
        QLabel *caption = makeLabel(row, captionName, kSpaceStyle);
        QLabel *value = makeLabel(row, valueName, kSpaceStyle);
        grid->addWidget(caption, 0, 0, Qt::AlignLeft);
        grid->addWidget(value, 0, 1, Qt::AlignLeft);
        grid->addItem(new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum), 0, 2);
        return std::make_tuple(row, grid, caption, value);
    };
    std::tie(ui.widget_2, ui.gridLayout_4, ui.label_3, ui.lbl_needSpace) =
        makeRow("widget_2", "gridLayout_4", QRect(312, 250, 380, 28), "label_3", "lbl_needSpace");
    std::tie(ui.widget_3, ui.gridLayout_3, ui.label_5, ui.lbl_freeSpace) =
        makeRow("widget_3", "gridLayout_3", QRect(312, 276, 380, 28), "label_5", "lbl_freeSpace");

    ui.label_8 = makeLabel(this, "label_8", kLanguageCaptionStyle, QRect(317, 309, 321, 31));
    ui.label_7 = makeLabel(this, "label_7", kLanguageStyle, QRect(317, 336, 341, 21));
}

void CSetInstallPathDialog::buildFooter()
{
    ui.line = makeLine(this, "line", QRect(312, 374, 391, 1));

    ui.btn_ok = new QPushButton(this);
    ui.btn_ok->setObjectName(QStringLiteral("btn_ok"));
    ui.btn_ok->setGeometry(313, 392, 390, 64);
    ui.btn_ok->setCursor(Qt::PointingHandCursor);
    ui.btn_ok->setStyleSheet(QString::fromUtf8(kStartStyle));

    ui.widget = new QWidget(this);
    ui.widget->setObjectName(QStringLiteral("widget"));
    ui.widget->setGeometry(60, 220, 251, 31);
    ui.horizontalLayout = new QHBoxLayout(ui.widget);
    ui.horizontalLayout->setObjectName(QStringLiteral("horizontalLayout"));

    // Placed right under the edit so the whole of a long path can be read.
    ui.lbl_wholePathTip = new CAutoSizeLabel(this);
    ui.lbl_wholePathTip->setObjectName(QStringLiteral("lbl_wholePathTip"));
    ui.lbl_wholePathTip->setGeometry(312, 250, 392, 81);
    ui.lbl_wholePathTip->setStyleSheet(QString::fromUtf8(kWholePathStyle));
}

void CSetInstallPathDialog::retranslate()
{
    setWindowTitle(QStringLiteral("Dialog"));
    ui.lbl_title->setText(tr("晨岚安装"));
    ui.lbl_selDirTip->setText(tr("安装目录"));
    ui.lbl_tip->setText(tr("当前文件夹空间不足"));
    ui.btn_chgPath->setText(tr("更改"));
    ui.label_3->setText(tr("所需空间："));
    ui.lbl_needSpace->setText(QStringLiteral("4G"));
    ui.label_5->setText(tr("可用空间："));
    ui.lbl_freeSpace->setText(QStringLiteral("120G"));
    ui.label_8->setText(tr("默认语言"));
    ui.label_7->setText(tr("简体中文"));
    ui.btn_ok->setText(tr("开始安装"));
}

void CSetInstallPathDialog::setPath(const QString &path)
{
    ui.edt_path->setText(path);
}

void CSetInstallPathDialog::setNeededBytes(qint64 bytes)
{
    m_neededBytes = bytes;
}

bool CSetInstallPathDialog::isValidInstallPath(const QString &path) const
{
    return InstallPathCheck::isValidInstallPath(path);
}

QString CSetInstallPathDialog::gigabytesText(qint64 bytes)
{
    return QString::number(static_cast<double>(bytes) / kBytesPerGigabyte, 'f', 1);
}

void CSetInstallPathDialog::onEdtPathTextChanged(const QString &strText)
{
    ui.lbl_wholePathTip->setPlainText(strText);
    ui.btn_ok->setEnabled(true);
    ui.lbl_tip->hide();
    ui.lbl_selDirTip->show();

    if (!isValidInstallPath(strText)) {
        showTip(tr("路径无效"));
        return;
    }

    const qint64 available = availableBytesOn(InstallPathCheck::volumeOf(strText));
    const QString needed = gigabytesText(m_neededBytes);
    if (available == -1) {
        showTip(tr("路径无效"));
        ui.lbl_needSpace->setText(QStringLiteral("%1GB ").arg(needed));
        ui.lbl_freeSpace->setText(QStringLiteral("0GB "));
        return;
    }

    showSpace(needed, gigabytesText(available));
    if (available < m_neededBytes)
        showTip(tr("当前文件夹空间不足"));
}

void CSetInstallPathDialog::showTip(const QString &text)
{
    ui.lbl_tip->setText(text);
    ui.lbl_tip->adjustSize();
    ui.lbl_tip->show();
    ui.lbl_selDirTip->hide();
    ui.btn_ok->setEnabled(false);
}

void CSetInstallPathDialog::showSpace(const QString &needed, const QString &available)
{
    ui.lbl_needSpace->setText(tr("%1 GB ").arg(needed));
    ui.lbl_freeSpace->setText(tr("%1 GB ").arg(available));
}

void CSetInstallPathDialog::on_btn_chgPath_clicked()
{
    const QString folder =
        QFileDialog::getExistingDirectory(this, tr("选择安装路径"), ui.edt_path->text(), QFileDialog::ShowDirsOnly);
    if (!folder.isEmpty())
        ui.edt_path->setText(folder);
}

void CSetInstallPathDialog::on_btn_ok_clicked()
{
    const QString path = ui.edt_path->text().trimmed();
    emit updateInstallPath(path);
    emit startInstallClicked();
    hide();
}

void CSetInstallPathDialog::on_btn_close_clicked()
{
    close();
}

bool CSetInstallPathDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ui.edt_path) {
        if (event->type() == QEvent::ToolTip)
            ui.lbl_wholePathTip->show();
        else if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::Leave)
            ui.lbl_wholePathTip->hide();
    }
    return QDialog::eventFilter(watched, event);
}

void CSetInstallPathDialog::mousePressEvent(QMouseEvent *event)
{
    if (m_dragger.press(this, event))
        setFocus();
}

void CSetInstallPathDialog::mouseReleaseEvent(QMouseEvent *)
{
    m_dragger.release();
}

void CSetInstallPathDialog::mouseMoveEvent(QMouseEvent *event)
{
    m_dragger.move(this, event);
}

void CSetInstallPathDialog::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_background);
}
