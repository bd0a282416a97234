#include "common/errordefine.h"

#include <QMetaType>
#include <QThread>
#include <QtTest>

class ErrorEmitter : public QObject
{
    Q_OBJECT
signals:
    void failed(ErrorDefine::ErrorCode code);
};

class TestErrorDefine : public QObject
{
    Q_OBJECT

private slots:
    void namesTravelAsText_data();
    void namesTravelAsText();
    void valuesWithoutEnumeratorGiveNull_data();
    void valuesWithoutEnumeratorGiveNull();
    void everyValueOfTheTableHasItsName();
    void crossesThreadsInQueuedSignals();
};

void TestErrorDefine::namesTravelAsText_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("name");
    QTest::newRow("default") << 0 << "DEFAULTT";
    QTest::newRow("first download") << 1000 << "DOWNLOAD_OPEN_FILE_ERROR";
    QTest::newRow("md5") << 1004 << "DOWNLOAD_MD5_ERROR";
    QTest::newRow("dll") << 1008 << "SETUP_DLL_ERROR";
    QTest::newRow("password") << 1017 << "SETUP_ZIP_PASSWORD_ERROR";
    QTest::newRow("timeout") << 1024 << "HTTP_REQUEST_TIMEOUT";
    QTest::newRow("misspelt fila") << 1025 << "HTTP_REQUEST_FILA";
    QTest::newRow("last") << 1026 << "CATCH_EXCEPTION_INIT_UPDATEINFO";
}

void TestErrorDefine::namesTravelAsText()
{
    QFETCH(int, code);
    QFETCH(QString, name);
    QCOMPARE(errorCodeName(code), name);
}

void TestErrorDefine::valuesWithoutEnumeratorGiveNull_data()
{
    QTest::addColumn<int>("code");
    QTest::newRow("below the range") << 999;
    QTest::newRow("one") << 1;
    QTest::newRow("past the end") << 1027;
    QTest::newRow("negative") << -1;
    QTest::newRow("status 638") << 638;
}

void TestErrorDefine::valuesWithoutEnumeratorGiveNull()
{
    QFETCH(int, code);
    QVERIFY(errorCodeName(code).isNull());
}

void TestErrorDefine::everyValueOfTheTableHasItsName()
{
    // 0 and the contiguous block 1000..1026, nothing else.
    const QMetaEnum meta = QMetaEnum::fromType<ErrorDefine::ErrorCode>();
    QCOMPARE(meta.keyCount(), 28);
    for (int code = 1000; code <= 1026; ++code)
        QVERIFY2(!errorCodeName(code).isEmpty(), qPrintable(QString::number(code)));
}

void TestErrorDefine::crossesThreadsInQueuedSignals()
{
    ErrorDefine::registerMetaType();
    QCOMPARE(QMetaType::type("ErrorCode"), qMetaTypeId<ErrorDefine::ErrorCode>());

    QThread worker;
    ErrorEmitter emitter;
    emitter.moveToThread(&worker);
    ErrorDefine::ErrorCode received = ErrorDefine::DEFAULTT;
    connect(
        &emitter, &ErrorEmitter::failed, this, [&received](ErrorDefine::ErrorCode code) { received = code; },
        Qt::QueuedConnection);
    worker.start();
    QMetaObject::invokeMethod(&emitter, [&emitter] { emit emitter.failed(ErrorDefine::SETUP_ZIP_ERROR); });
    QTRY_COMPARE(received, ErrorDefine::SETUP_ZIP_ERROR);
    worker.quit();
    worker.wait();
}

QTEST_GUILESS_MAIN(TestErrorDefine)
#include "tst_errordefine.moc"
