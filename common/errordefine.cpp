#include "common/errordefine.h"

#include <QMetaEnum>

namespace ErrorDefine {

void registerMetaType()
{
    qRegisterMetaType<ErrorDefine::ErrorCode>("ErrorCode");
}

} // namespace ErrorDefine

QString errorCodeName(int code)
{
    const QMetaEnum meta = QMetaEnum::fromType<ErrorDefine::ErrorCode>();
    const char *key = meta.valueToKey(code);
    return key ? QString::fromLatin1(key) : QString();
}
