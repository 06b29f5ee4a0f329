// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/common/FeatureData.h"

CFeatureData::~CFeatureData() {
    m_sessions.CloseAllAndTrace();
}
