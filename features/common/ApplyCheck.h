// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// The checks of an Apply as plain data: a data class turns the administrator's input into
// either the first refusal (its exact text and box) or the questions to ask and the steps to
// send (ApplyPlan). No widgets: the rules are tested as tables, the dialog only shows the
// outcome and runs the plan (CFeatureDialog::RunPlan).
//
//   CheckChain checks;
//   checks.Require([&] { return port >= 1; }, "Please Select one port !")
//         .Require([&] { return !IsHalfDuplex(speed) || !inTrunk; },
//                  "LA port " + port + " can not support in half-duplex mode.");
//   if (auto refusal = checks.FirstRefusal()) { ... }
#pragma once

#include "features/common/RowCreation.h"
#include "features/common/SnmpRequests.h"
#include "platform/Message.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

// A refused input: the message box the administrator sees. Nothing is sent after it.
// `field` names the input the refusal is about (a name the data class and its dialog share;
// empty when it is about none); `index` picks one of a row of like inputs (the port whose
// value is refused), -1 otherwise. The dialog puts the focus there once the box is closed.
struct Refusal {
    std::string text;
    platform::MessageKind kind = platform::MessageKind::Ok;
    std::string field = {};
    int index = -1;

    // The same refusal, about `field` (and its `index`-th input).
    Refusal About(std::string fieldName, int fieldIndex = -1) && {
        field = std::move(fieldName);
        index = fieldIndex;
        return std::move(*this);
    }
    friend bool operator==(const Refusal&, const Refusal&) = default;
};

// The refusal of a check whose data could not be read from the switch (its read failed or has
// not ended): nothing is judged on empty data.
inline constexpr char kNotReadRefusal[] =
    "The switch did not answer every read this needs. Press Refresh to read again.";

// Checks in their fixed order; a check runs only while every one before it passed, so a
// later check may rely on what an earlier one made sure of.
class CheckChain {
public:
    CheckChain& Require(const std::function<bool()>& passes, std::string refusal,
                        platform::MessageKind kind = platform::MessageKind::Ok);
    CheckChain& Require(bool passes, std::string refusal,
                        platform::MessageKind kind = platform::MessageKind::Ok);
    // The data the next checks judge was read (kNotReadRefusal otherwise).
    CheckChain& RequireRead(bool valid) { return Require(valid, kNotReadRefusal); }
    // A trunk consistency check (CTrunkInfo::Alike), run once: kNotReadRefusal while the
    // membership is unknown, `refusal` when the ports of an aggregated link were chosen apart.
    CheckChain& RequireAlike(const std::function<std::optional<bool>()>& alike,
                             std::string refusal);
    // The refusal of the check just before, if it refused, is about `field` (see Refusal):
    //   checks.Require(vid >= 2, "Invalid VID").About("vid");
    CheckChain& About(std::string field, int index = -1);
    const std::optional<Refusal>& FirstRefusal() const { return m_refusal; }
    bool Passed() const { return !m_refusal; }

private:
    std::optional<Refusal> m_refusal;
    bool m_lastRefused = false; // the last Require made the refusal
};

// One set request of a write: its time-out, the pause after it, and what a failure of it does.
struct SetStep {
    enum class OnFailure {
        Stop,    // the write ends here and the failure is reported
        GoOn,    // after a refusal the next step follows, the failure is reported at the end;
                 // a step without an answer ends the write as Stop does
        Ignore,  // the outcome does not matter
        PutBack, // the `putBack` requests restore what the earlier steps changed, then as Stop
    };
    CSetRequest request;
    unsigned timeoutMs = 0; // 0: the session's usual time-out
    unsigned pauseMs = 0;   // waited after the step when the write goes on
    OnFailure onFailure = OnFailure::Stop;
    std::vector<CSetRequest> putBack;
    std::string trace = "set status = %d"; // the debug line after it, %d the status
};

// What an Apply comes to: the first refusal, or the OK/Cancel questions to ask in order
// (Cancel on any stops it), a new table row to make, and then the steps to send in order.
// Neither row nor steps: nothing is written.
struct ApplyPlan {
    std::optional<Refusal> refusal;
    std::vector<std::string> questions;
    std::optional<RowCreation> row; // made first (CreateRow); the steps follow once it is active
    std::vector<SetStep> steps;

    // The plan makes a row or some step sends a request.
    bool HasWrites() const;
    // Appends a step and returns it.
    SetStep& Step(CSetRequest request, unsigned timeoutMs = 0, unsigned pauseMs = 0);
    // The request of a one-request write (the first step, made on first use).
    CSetRequest& Request();
    // The first step's request, or an empty one when nothing is written.
    const CSetRequest& Request() const;
};
