#include "dialogs/cautosizelabel.h"
#include "dialogs/cdlgyesno.h"
#include "dialogtesthelpers.h"

#include <QFrame>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QTextBlock>
#include <QtTest>

using DialogTest::child;

namespace {

QList<CDlgYesNo *> openConfirmDialogs()
{
    QList<CDlgYesNo *> dialogs;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (auto *dialog = qobject_cast<CDlgYesNo *>(widget))
            dialogs << dialog;
    }
    return dialogs;
}

} // namespace

class TestCDlgYesNo : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();

    void layoutAsBuilt();
    void textsAndHiddenTitle();
    void visibleButtons_data();
    void visibleButtons();
    void textsAreStoredAndCentred();
    void longTextGrowsTheTextArea();
    void disabledTextStaysReadable();

    void messageResult_data();
    void messageResult();
    void messageCountsNestedForms();
    void messageIsPlacedOverTheRectangle_data();
    void messageIsPlacedOverTheRectangle();
    void dialogRunByCallerLeavesCountAlone_data();
    void dialogRunByCallerLeavesCountAlone();

private:
    void messageEndsWith(const QString &ending, bool withCancel, int result);
};

void TestCDlgYesNo::cleanup()
{
    QCOMPARE(CDlgYesNo::openMessageCount(), 0);
    QVERIFY(openConfirmDialogs().isEmpty());
}

void TestCDlgYesNo::layoutAsBuilt()
{
    CDlgYesNo dialog;
    DialogTest::checkDialog(&dialog, "CDlgYesNo", QSize(490, 310)); // 470 x 290 grown by the shadow
    QCOMPARE(dialog.minimumSize(), QSize(1, 0));

    auto *outer = child<QLayout>(&dialog, "verticalLayout_2");
    auto *inner = child<QLayout>(&dialog, "verticalLayout");
    QVERIFY(outer && inner);
    QCOMPARE(outer->contentsMargins(), QMargins(0, 0, 0, 0));
    QCOMPARE(inner->contentsMargins(), QMargins(34, 58, 34, 50));
    QCOMPARE(inner->spacing(), 0);
    QCOMPARE(inner->count(), 4);
    QCOMPARE(inner->itemAt(0)->widget(), child<QWidget>(&dialog, "wdg_title"));
    QCOMPARE(inner->itemAt(1)->widget(), child<QWidget>(&dialog, "textBrowser"));
    QVERIFY(inner->itemAt(2)->spacerItem());
    QCOMPARE(inner->itemAt(3)->widget(), child<QWidget>(&dialog, "frame"));

    QCOMPARE(child<QLayout>(&dialog, "horizontalLayout_2")->contentsMargins(), QMargins(10, 10, 10, 0));
    QCOMPARE(child<QLayout>(&dialog, "horizontalLayout")->spacing(), 12);
    QCOMPARE(child<QWidget>(&dialog, "wdg_title")->styleSheet(), QStringLiteral("border-image:0;"));
    QCOMPARE(child<QPushButton>(&dialog, "btn_close")->size(), QSize(20, 20));
    QVERIFY(child<CAutoSizeLabel>(&dialog, "textBrowser"));
    QVERIFY(!child<CAutoSizeLabel>(&dialog, "textBrowser")->isEnabled());
    QCOMPARE(child<QFrame>(&dialog, "frame")->minimumHeight(), 50);
    for (const char *name : {"btn_ok", "btn_cancel"}) {
        auto *button = child<QPushButton>(&dialog, name);
        QCOMPARE(button->minimumHeight(), 48);
        QCOMPARE(button->maximumHeight(), 48);
        QCOMPARE(button->sizePolicy().horizontalPolicy(), QSizePolicy::Expanding);
    }
}

void TestCDlgYesNo::textsAndHiddenTitle()
{
    CDlgYesNo dialog;
    dialog.show();
    QCOMPARE(child<QPushButton>(&dialog, "btn_ok")->text(), QStringLiteral("确认"));
    QCOMPARE(child<QPushButton>(&dialog, "btn_cancel")->text(), QStringLiteral("取消"));
    QCOMPARE(child<QLabel>(&dialog, "lbl_ico")->text(), QStringLiteral("ico"));
    QCOMPARE(child<QLabel>(&dialog, "lbl_title")->text(), QStringLiteral("title"));
    QVERIFY(child<QLabel>(&dialog, "lbl_ico")->isHidden());
    QVERIFY(child<QLabel>(&dialog, "lbl_title")->isHidden());
    QVERIFY(child<QPushButton>(&dialog, "btn_close")->isHidden());
}

void TestCDlgYesNo::visibleButtons_data()
{
    QTest::addColumn<bool>("cancelHidden");
    QTest::addColumn<bool>("closeVisible");
    QTest::addColumn<QStringList>("visible");
    QTest::newRow("ok only") << true << false << QStringList{"btn_ok"};
    QTest::newRow("all three") << false << true << QStringList{"btn_cancel", "btn_close", "btn_ok"};
}

void TestCDlgYesNo::visibleButtons()
{
    QFETCH(bool, cancelHidden);
    QFETCH(bool, closeVisible);
    QFETCH(QStringList, visible);
    CDlgYesNo dialog;
    dialog.setCancelHidden(cancelHidden);
    dialog.setCloseButtonVisible(closeVisible);
    dialog.show();
    QStringList shown;
    for (QPushButton *button : dialog.findChildren<QPushButton *>()) {
        if (button->isVisible())
            shown << button->objectName();
    }
    shown.sort();
    QCOMPARE(shown, visible);
}

void TestCDlgYesNo::textsAreStoredAndCentred()
{
    CDlgYesNo dialog;
    dialog.setTitleAndText(QStringLiteral("错误"), QStringLiteral("[1004]:<b>md5</b>"));
    QCOMPARE(child<QLabel>(&dialog, "lbl_title")->text(), QStringLiteral("错误"));
    auto *text = child<CAutoSizeLabel>(&dialog, "textBrowser");
    QCOMPARE(text->toPlainText(), QStringLiteral("[1004]:md5"));
    QCOMPARE(text->document()->firstBlock().blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    dialog.setOkText(QStringLiteral("Update"));
    QCOMPARE(child<QPushButton>(&dialog, "btn_ok")->text(), QStringLiteral("Update"));
}

void TestCDlgYesNo::longTextGrowsTheTextArea()
{
    CDlgYesNo dialog;
    dialog.resize(460, 300);
    dialog.setTitleAndText(QString(), QStringLiteral("short"));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    auto *text = child<CAutoSizeLabel>(&dialog, "textBrowser");
    const int oneLine = text->height();

    dialog.setTitleAndText(QString(), QStringLiteral("word ").repeated(40));
    QCoreApplication::processEvents();
    QVERIFY2(text->height() > 2 * oneLine, qPrintable(QStringLiteral("%1 vs %2").arg(text->height()).arg(oneLine)));
    QCOMPARE(text->height(), int(text->document()->size().height() + 2 * text->frameWidth()));
}

void TestCDlgYesNo::disabledTextStaysReadable()
{
    CDlgYesNo dialog;
    dialog.resize(460, 300);
    dialog.setTitleAndText(QString(), QStringLiteral("████"));
    auto *text = child<CAutoSizeLabel>(&dialog, "textBrowser");
    const QImage shot = text->grab().toImage();
    int darkest = 255;
    for (int y = 0; y < shot.height(); ++y) {
        for (int x = 0; x < shot.width(); ++x) {
            if (qAlpha(shot.pixel(x, y)) == 255) // the glyphs; the area itself is transparent
                darkest = qMin(darkest, qGray(shot.pixel(x, y)));
        }
    }
    // The player cannot select the text, but must read it: not the pale
    // colour of disabled widgets.
    QVERIFY2(darkest < 90, qPrintable(QString::number(darkest)));
}

void TestCDlgYesNo::messageResult_data()
{
    DialogTest::endingRows("btn_ok", "btn_cancel");
}

void TestCDlgYesNo::messageResult()
{
    QFETCH(QString, ending);
    QFETCH(int, result);
    for (const bool withCancel : {true, false}) {
        if (!withCancel && ending == QLatin1String("btn_cancel"))
            continue;
        messageEndsWith(ending, withCancel, result);
        if (QTest::currentTestFailed())
            return;
    }
}

void TestCDlgYesNo::messageEndsWith(const QString &ending, bool withCancel, int result)
{
    bool cancelShown = !withCancel;
    int countWhileOpen = -1;
    DialogTest::whenModal([&](QWidget *modal) {
        countWhileOpen = CDlgYesNo::openMessageCount();
        auto *cancel = child<QPushButton>(modal, "btn_cancel");
        cancelShown = cancel->isVisible();
        DialogTest::endModal(modal, ending);
    });
    QCOMPARE(CDlgYesNo::showMessage(QStringLiteral("提示"), QStringLiteral("text"), withCancel), result);
    QCOMPARE(countWhileOpen, 1);
    QCOMPARE(cancelShown, withCancel);
    QCOMPARE(CDlgYesNo::openMessageCount(), 0);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void TestCDlgYesNo::messageCountsNestedForms()
{
    QList<int> counts;
    DialogTest::whenModal([&](QWidget *outer) {
        counts << CDlgYesNo::openMessageCount();
        DialogTest::whenModal(
            [&](QWidget *inner) {
                counts << CDlgYesNo::openMessageCount();
                QVERIFY(inner != outer);
                QTest::mouseClick(child<QPushButton>(inner, "btn_ok"), Qt::LeftButton);
            },
            outer);
        counts << CDlgYesNo::showMessage(QString(), QStringLiteral("inner"), false, outer);
        counts << CDlgYesNo::openMessageCount();
        QTest::mouseClick(child<QPushButton>(outer, "btn_cancel"), Qt::LeftButton);
    });
    const int outerResult = CDlgYesNo::showMessage(QString(), QStringLiteral("outer"), true);
    QCOMPARE(outerResult, 0);
    // outer open, both open, inner confirmed, outer still open
    QCOMPARE(counts, (QList<int>{1, 2, 1, 1}));
    QCOMPARE(CDlgYesNo::openMessageCount(), 0);
}

void TestCDlgYesNo::messageIsPlacedOverTheRectangle_data()
{
    QTest::addColumn<QRect>("placement");
    QTest::addColumn<QPoint>("position");
    // left + (width - 500) / 2, top + (height - 300) / 2, truncating towards zero
    QTest::newRow("scene window") << QRect(100, 50, 1280, 730) << QPoint(490, 265);
    QTest::newRow("narrow") << QRect(0, 0, 401, 299) << QPoint(-49, 0);
    QTest::newRow("offset") << QRect(-20, 30, 600, 500) << QPoint(30, 130);
}

void TestCDlgYesNo::messageIsPlacedOverTheRectangle()
{
    QFETCH(QRect, placement);
    QFETCH(QPoint, position);
    QPoint seen;
    QSize size;
    DialogTest::whenModal([&](QWidget *modal) {
        seen = modal->pos();
        size = modal->size();
        modal->close();
    });
    CDlgYesNo::showMessage(QString(), QStringLiteral("placed"), false, nullptr, placement);
    QCOMPARE(size, QSize(460, 300));
    QCOMPARE(seen, position);
}

void TestCDlgYesNo::dialogRunByCallerLeavesCountAlone_data()
{
    DialogTest::endingRows("btn_ok", "btn_close");
}

void TestCDlgYesNo::dialogRunByCallerLeavesCountAlone()
{
    QFETCH(QString, ending);
    QFETCH(int, result);
    CDlgYesNo dialog;
    dialog.setCloseButtonVisible(true);
    int countWhileOpen = -1;
    DialogTest::whenModal([&](QWidget *modal) {
        countWhileOpen = CDlgYesNo::openMessageCount();
        DialogTest::endModal(modal, ending);
    });
    QCOMPARE(dialog.exec(), result);
    QCOMPARE(countWhileOpen, 0);
}

QTEST_MAIN(TestCDlgYesNo)
#include "tst_cdlgyesno.moc"
