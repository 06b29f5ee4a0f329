// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "sim/model/Builder.h"

namespace ksxsim {

void BuildPortGroups(Builder& b);
void BuildVlanGroups(Builder& b);
void BuildVlanRowRules(Builder& b);
void BuildIgmpLearning(Builder& b);
void BuildServiceGroups(Builder& b);
void BuildPowerGroups(Builder& b);
void BuildL2Rules(Builder& b);
void BuildTrunkRules(Builder& b);
void BuildSecurityRules(Builder& b);
void BuildSnmpAgentRules(Builder& b);

void BuildPrivateGroups(Builder& priv) {
    // The port groups come first: their rules (link state) feed the PoE rules.
    BuildPortGroups(priv);
    BuildVlanGroups(priv);
    BuildVlanRowRules(priv);
    BuildIgmpLearning(priv);
    BuildServiceGroups(priv);
    BuildPowerGroups(priv);
    BuildL2Rules(priv);
    BuildTrunkRules(priv);
    BuildSecurityRules(priv);
    BuildSnmpAgentRules(priv);
}

} // namespace ksxsim
