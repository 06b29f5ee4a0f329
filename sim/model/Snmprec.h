// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#pragma once

#include "sim/model/Model.h"

#include <istream>
#include <string>

namespace ksxsim {

// Loads .snmprec lines (OID|TAG|VALUE; "#" starts a comment) over the model's values.
// A value for a row the model does not have creates that row with its defaults first,
// so tables stay whole. Returns false with a message naming the line on the first
// malformed line; the lines before it stay loaded.
bool LoadSnmprec(SwitchModel& model, std::istream& input, std::string& error);
bool LoadSnmprecFile(SwitchModel& model, const std::string& path, std::string& error);

} // namespace ksxsim
