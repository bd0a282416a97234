#include "dialogs/cautosizelabel.h"
#include "dialogs/cdlgyesno.h"
#include "dialogtesthelpers.h"

#include <QPushButton>
#include <QTextBlock>
#include <QtTest>

using DialogTest::child;

class TestCDlgYesNo : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { QCOMPARE(CDlgYesNo::openMessageCount(), 0); }

    void textAreaGrowsWithTheTextAndStaysReadable()
    {
        CDlgYesNo dialog;
        dialog.resize(460, 300);
        dialog.setTitleAndText(QString(), QStringLiteral("short"));
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto *text = child<CAutoSizeLabel>(&dialog, "textBrowser");
        const int oneLine = text->height();

        dialog.setTitleAndText(QStringLiteral("错误"), QStringLiteral("word ").repeated(40));
        QCoreApplication::processEvents();
        QVERIFY2(text->height() > 2 * oneLine, qPrintable(QStringLiteral("%1 vs %2").arg(text->height()).arg(oneLine)));
        QCOMPARE(text->height(), int(text->document()->size().height() + 2 * text->frameWidth()));
        QCOMPARE(text->document()->firstBlock().blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);

        // The player cannot select the text, but must read it: not the pale
        // colour of disabled widgets.
        dialog.setTitleAndText(QString(), QStringLiteral("████"));
        const QImage shot = text->grab().toImage();
        int darkest = 255;
        for (int y = 0; y < shot.height(); ++y) {
            for (int x = 0; x < shot.width(); ++x) {
                if (qAlpha(shot.pixel(x, y)) == 255) // the glyphs; the area itself is transparent
                    darkest = qMin(darkest, qGray(shot.pixel(x, y)));
            }
        }
        QVERIFY2(darkest < 90, qPrintable(QString::number(darkest)));
    }
    void messageResult_data()
    {
        QTest::addColumn<QString>("ending");
        QTest::addColumn<int>("result");
        QTest::newRow("btn_ok") << "btn_ok" << 1;
        for (const char *ending : {"btn_cancel", "escape", "close"})
            QTest::newRow(ending) << ending << 0;
    }

    void messageResult()
    {
        QFETCH(QString, ending);
        QFETCH(int, result);
        for (const bool withCancel : {true, false}) {
            if (!withCancel && ending == QLatin1String("btn_cancel"))
                continue;
            QString seen;
            DialogTest::whenModal([&](QWidget *modal) {
                seen = QStringLiteral("%1 open, cancel %2, at %3,%4")
                           .arg(CDlgYesNo::openMessageCount())
                           .arg(child<QPushButton>(modal, "btn_cancel")->isVisible() ? "shown" : "hidden")
                           .arg(modal->x())
                           .arg(modal->y());
                DialogTest::endModal(modal, ending);
            });
            // Centred over the given window: left + (width - 500) / 2, top + (height - 300) / 2.
            const QRect window(100, 50, 1280, 730);
            QCOMPARE(
                CDlgYesNo::showMessage(QStringLiteral("提示"), QStringLiteral("text"), withCancel, nullptr, window),
                result);
            QCOMPARE(seen, QStringLiteral("1 open, cancel %1, at 490,265").arg(withCancel ? "shown" : "hidden"));
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    }

    void messageCountsNestedForms()
    {
        // The inner message has the outer one as parent; it must stay a window
        // of its own that can be clicked.
        QList<int> counts;
        DialogTest::whenModal([&](QWidget *outer) {
            counts << CDlgYesNo::openMessageCount();
            DialogTest::whenModal(
                [&](QWidget *inner) {
                    counts << CDlgYesNo::openMessageCount() << (inner->isWindow() ? 1 : -1);
                    QTest::mouseClick(child<QPushButton>(inner, "btn_ok"), Qt::LeftButton);
                },
                outer);
            counts << CDlgYesNo::showMessage(QString(), QStringLiteral("inner"), false, outer);
            counts << CDlgYesNo::openMessageCount();
            QTest::mouseClick(child<QPushButton>(outer, "btn_cancel"), Qt::LeftButton);
        });
        QCOMPARE(CDlgYesNo::showMessage(QString(), QStringLiteral("outer"), true), 0);
        // outer open, both open with the inner one a window, inner confirmed, outer still open
        QCOMPARE(counts, (QList<int>{1, 2, 1, 1, 1}));
    }
};

QTEST_MAIN(TestCDlgYesNo)
#include "tst_cdlgyesno.moc"
