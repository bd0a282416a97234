#include "dialogs/cdlgyesno.h"

#include "dialogs/cautosizelabel.h"
#include "dialogs/dialogstyles.h"

#include <QDebug>
#include <QFile>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSpacerItem>
#include <QVBoxLayout>

namespace {

int g_openMessageCount = 0;

const char *const kCloseButtonStyle = "QPushButton{border-image:url(:/pic/dialog_close_n.png);}"
                                      "QPushButton:hover{border-image:url(:/pic/dialog_close_o.png);}"
                                      "QPushButton:pressed{border-image:url(:/pic/dialog_close_d.png);}";

const char *const kTextStyle = "QTextBrowser{background:transparent;border:none;font:18px \"微软雅黑\";"
                               "margin:0px 20px 12px 20px;color:rgba(57, 59, 64, 1);}";

const char *const kEmptyCentredParagraph =
    "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0//EN\" \"http://www.w3.org/TR/REC-html40/strict.dtd\">"
    "<html><head><meta name=\"qrichtext\" content=\"1\" /></head>"
    "<body style=\" font-family:'微软雅黑'; font-size:18px; font-weight:400; font-style:normal;\">"
    "<p align=\"center\" style=\"-qt-paragraph-type:empty; margin-top:0px; margin-bottom:0px; margin-left:0px;"
    " margin-right:0px; -qt-block-indent:0; text-indent:0px;\"><br /></p></body></html>";

const char *const kOkStyle = "QPushButton{background-color:rgba(57, 59, 64, 1);border-radius:4px;"
                             "font:18px \"微软雅黑\";color:rgba(244, 216, 168, 1);line-height:31px;}"
                             "QPushButton:hover{background-color:rgb(77, 79, 83);}"
                             "QPushButton:pressed{background-color:rgb(51, 53, 57);}";

const QString kTextTemplate = QStringLiteral("<div align=\"center\">%1</div>");

} // namespace

CDlgYesNo::CDlgYesNo(QWidget *parent)
    : CDlgFramelessWindow(parent)
{
    buildWidgets();
    retranslate();
    QMetaObject::connectSlotsByName(this);

    setBackground(QStringLiteral(":/pic/dlg_bg.png"));
    setShadow(10, 10, 10, 10);
    ui.textBrowser->setEnabled(false);
    applyStyleFile();
    ui.lbl_ico->hide();
    ui.lbl_title->hide();
    ui.btn_close->hide();
}

void CDlgYesNo::buildWidgets()
{
    if (objectName().isEmpty())
        setObjectName(QStringLiteral("CDlgYesNo"));
    resize(470, 290);
    setMinimumSize(QSize(1, 0));
    setStyleSheet(QString());

    ui.verticalLayout_2 = new QVBoxLayout(this);
    ui.verticalLayout_2->setObjectName(QStringLiteral("verticalLayout_2"));
    ui.verticalLayout_2->setSpacing(0);
    ui.verticalLayout_2->setContentsMargins(0, 0, 0, 0);

    ui.verticalLayout = new QVBoxLayout();
    ui.verticalLayout->setObjectName(QStringLiteral("verticalLayout"));
    ui.verticalLayout->setSpacing(0);
    ui.verticalLayout->setContentsMargins(34, 58, 34, 50);

    buildTitleRow();

    ui.textBrowser = new CAutoSizeLabel(this);
    ui.textBrowser->setObjectName(QStringLiteral("textBrowser"));
    ui.textBrowser->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    ui.textBrowser->setMinimumSize(QSize(0, 0));
    ui.textBrowser->setStyleSheet(QString::fromUtf8(kTextStyle));
    ui.textBrowser->setHtml(QString::fromUtf8(kEmptyCentredParagraph));
    ui.verticalLayout->addWidget(ui.textBrowser);

    ui.verticalLayout->addItem(new QSpacerItem(20, 40, QSizePolicy::Minimum, QSizePolicy::Expanding));

    buildButtonRow();

    ui.verticalLayout_2->addLayout(ui.verticalLayout);
}

void CDlgYesNo::buildTitleRow()
{
    ui.wdg_title = new QWidget(this);
    ui.wdg_title->setObjectName(QStringLiteral("wdg_title"));
    ui.wdg_title->setMinimumSize(QSize(0, 0));
    ui.wdg_title->setStyleSheet(QStringLiteral("border-image:0;"));

    ui.horizontalLayout_2 = new QHBoxLayout(ui.wdg_title);
    ui.horizontalLayout_2->setObjectName(QStringLiteral("horizontalLayout_2"));
    ui.horizontalLayout_2->setSpacing(0);
    ui.horizontalLayout_2->setContentsMargins(10, 10, 10, 0);

    ui.lbl_ico = new QLabel(ui.wdg_title);
    ui.lbl_ico->setObjectName(QStringLiteral("lbl_ico"));
    ui.horizontalLayout_2->addWidget(ui.lbl_ico);

    ui.lbl_title = new QLabel(ui.wdg_title);
    ui.lbl_title->setObjectName(QStringLiteral("lbl_title"));
    ui.horizontalLayout_2->addWidget(ui.lbl_title);

    ui.horizontalLayout_2->addItem(new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));

    ui.btn_close = new QPushButton(ui.wdg_title);
    ui.btn_close->setObjectName(QStringLiteral("btn_close"));
    ui.btn_close->setFixedSize(QSize(20, 20));
    ui.btn_close->setStyleSheet(QString::fromUtf8(kCloseButtonStyle));
    ui.horizontalLayout_2->addWidget(ui.btn_close);

    ui.verticalLayout->addWidget(ui.wdg_title);
}

void CDlgYesNo::buildButtonRow()
{
    ui.frame = new QFrame(this);
    ui.frame->setObjectName(QStringLiteral("frame"));
    ui.frame->setFrameShape(QFrame::StyledPanel);
    ui.frame->setFrameShadow(QFrame::Raised);
    ui.frame->setMinimumHeight(50);
    // The styled panel's own border would draw a box around the buttons.
    ui.frame->setStyleSheet(QStringLiteral("QFrame#frame{border:none;}"));

    ui.horizontalLayout_3 = new QHBoxLayout(ui.frame);
    ui.horizontalLayout_3->setObjectName(QStringLiteral("horizontalLayout_3"));
    ui.horizontalLayout_3->setContentsMargins(0, 0, 0, 0);

    ui.horizontalLayout = new QHBoxLayout();
    ui.horizontalLayout->setObjectName(QStringLiteral("horizontalLayout"));
    ui.horizontalLayout->setSpacing(12);

    const auto makeButton = [this](const char *name, const char *style) {
        auto *button = new QPushButton(ui.frame);
        button->setObjectName(QString::fromLatin1(name));
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        button->setMinimumHeight(48);
        button->setMaximumHeight(48);
        button->setStyleSheet(QString::fromUtf8(style));
        ui.horizontalLayout->addWidget(button);
        return button;
    };
    ui.btn_cancel = makeButton("btn_cancel", DialogStyles::kLightButton);
    ui.btn_ok = makeButton("btn_ok", kOkStyle);

    ui.horizontalLayout_3->addLayout(ui.horizontalLayout);
    ui.verticalLayout->addWidget(ui.frame);
}

void CDlgYesNo::retranslate()
{
    setWindowTitle(QStringLiteral("Dialog"));
    ui.lbl_ico->setText(QStringLiteral("ico"));
    ui.lbl_title->setText(QStringLiteral("title"));
    ui.btn_close->setText(QString());
    ui.btn_cancel->setText(tr("取消"));
    ui.btn_ok->setText(tr("确认"));
}

void CDlgYesNo::applyStyleFile()
{
    QFile styleFile(QStringLiteral(":/qss/toolctrl.qss"));
    if (styleFile.open(QIODevice::ReadOnly))
        setStyleSheet(QString::fromUtf8(styleFile.readAll()));
}

void CDlgYesNo::setCloseButtonVisible(bool visible)
{
    ui.btn_close->setVisible(visible);
}

void CDlgYesNo::setCancelHidden(bool hidden)
{
    ui.btn_cancel->setHidden(hidden);
}

void CDlgYesNo::setTitleAndText(const QString &title, const QString &text)
{
    ui.lbl_title->setText(title);
    ui.textBrowser->setHtml(kTextTemplate.arg(text));
}

void CDlgYesNo::setOkText(const QString &text)
{
    ui.btn_ok->setText(text);
}

int CDlgYesNo::showMessage(const QString &title, const QString &text, bool withCancel, QWidget *parent,
                           const QRect &placement)
{
    QPointer<CDlgYesNo> dialog = new CDlgYesNo(parent);
    dialog->setCancelHidden(!withCancel);
    dialog->resize(460, 300);
    dialog->setTitleAndText(title, text);
    dialog->setCloseButtonVisible(false);
    if (!placement.isEmpty())
        dialog->move(placement.left() + (placement.width() - 500) / 2,
                     placement.top() + (placement.height() - dialog->height()) / 2);

    ++g_openMessageCount;
    const int result = dialog->exec();
    --g_openMessageCount;
    delete dialog.data();
    return result;
}

int CDlgYesNo::openMessageCount()
{
    qDebug() << "openMessageCount:" << g_openMessageCount;
    return g_openMessageCount;
}

void CDlgYesNo::on_btn_close_clicked()
{
    close();
}

void CDlgYesNo::on_btn_ok_clicked()
{
    accept();
}

void CDlgYesNo::on_btn_cancel_clicked()
{
    close();
}
