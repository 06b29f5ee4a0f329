// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "snmp/SessionParameters.h"

SessionParametersData& SessionParameters() {
    static SessionParametersData parameters;
    return parameters;
}

DeviceValuesData& DeviceValues() {
    static DeviceValuesData values;
    return values;
}
