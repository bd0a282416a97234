#include "net/serviceaddresses.h"

#include "launcherserviceconfig.h"

namespace {

QString environmentOr(const char *name, const QString &fallback)
{
    const QString value = qEnvironmentVariable(name);
    return value.isEmpty() ? fallback : value;
}

ServiceAddresses &stored()
{
    static ServiceAddresses addresses = ServiceAddresses::fromEnvironment(ServiceAddresses::buildDefaults());
    return addresses;
}

} // namespace

ServiceAddresses ServiceAddresses::buildDefaults()
{
    return {QStringLiteral(LAUNCHER_API_BASE), QStringLiteral(LAUNCHER_WEB_BASE), QStringLiteral(LAUNCHER_REPORT_BASE)};
}

ServiceAddresses ServiceAddresses::fromEnvironment(const ServiceAddresses &defaults)
{
    return {environmentOr("LAUNCHER_API_BASE", defaults.apiBase), environmentOr("LAUNCHER_WEB_BASE", defaults.webBase),
            environmentOr("LAUNCHER_REPORT_BASE", defaults.reportBase)};
}

const ServiceAddresses &ServiceAddresses::current()
{
    return stored();
}

void ServiceAddresses::setCurrent(const ServiceAddresses &addresses)
{
    stored() = addresses;
}
