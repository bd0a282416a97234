#include "viewmodel/verifytip.h"

#include "viewmodel/flowclock.h"
#include "viewmodel/sceneaccess.h"

#include <QCoreApplication>

VerifyTip::VerifyTip(const SceneAccess &scene, FlowClock &clock, QObject *parent)
    : QObject(parent)
    , scene(scene)
    , ticker(clock.ticker(kStepMs, this))
{
    connect(ticker, &FlowTicker::tick, this, &VerifyTip::showNext);
}

void VerifyTip::start()
{
    ticker->start();
}

void VerifyTip::stop()
{
    ticker->stop();
}

bool VerifyTip::isActive() const
{
    return ticker->isActive();
}

void VerifyTip::showNext()
{
    QString text = QCoreApplication::translate("MainViewModel", "校验中");
    text += dotCount == 0 ? QStringLiteral(" ") : QString(dotCount, QLatin1Char('.'));
    scene.write(QStringLiteral("setup_percentage"), "text", text);
    dotCount = (dotCount + 1) % 4;
}
