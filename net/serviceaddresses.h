#pragma once

#include <QString>

// The three service base addresses the program talks to. The build fixes the
// defaults; LAUNCHER_API_BASE, LAUNCHER_WEB_BASE and LAUNCHER_REPORT_BASE in the
// environment replace them, read once, so a run can be pointed at any local
// service.
struct ServiceAddresses
{
    QString apiBase;    // ends with the game code, "/qz7r_global"
    QString webBase;    // the website's launcher page, ".../launcher"
    QString reportBase; // the report endpoint's host; "/client_report" follows

    static ServiceAddresses buildDefaults();
    static ServiceAddresses fromEnvironment(const ServiceAddresses &defaults);

    static const ServiceAddresses &current();
    // Tests point an already running process at a server of their own.
    static void setCurrent(const ServiceAddresses &addresses);
};
