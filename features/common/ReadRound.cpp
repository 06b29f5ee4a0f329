// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/common/ReadRound.h"

#include <QMetaObject>

#include <algorithm>
#include <mutex>
#include <vector>

namespace kit {
namespace {

enum class Answers { NoneYet, Some, Silent };

struct Round {
    const QObject* owner;
    std::function<void()> silent;
    Answers answers = Answers::NoneYet;
};

std::mutex roundsMutex;
std::vector<Round> rounds; // the last one is on top

void Forget(const QObject* owner) {
    rounds.erase(std::remove_if(rounds.begin(), rounds.end(),
                                [owner](const Round& round) { return round.owner == owner; }),
                 rounds.end());
}

} // namespace

void BeginReadRound(const QObject* owner, std::function<void()> silent) {
    const std::lock_guard lock(roundsMutex);
    Forget(owner);
    rounds.push_back({owner, std::move(silent)});
}

void RestartReadRound() {
    const std::lock_guard lock(roundsMutex);
    if (!rounds.empty()) {
        rounds.back().answers = Answers::NoneYet;
    }
}

void EndReadRound(const QObject* owner) {
    const std::lock_guard lock(roundsMutex);
    Forget(owner);
}

bool ReadsHeldBack() {
    const std::lock_guard lock(roundsMutex);
    return !rounds.empty() && rounds.back().answers == Answers::Silent;
}

void ReportRead(bool answered) {
    const std::lock_guard lock(roundsMutex);
    if (rounds.empty() || rounds.back().answers != Answers::NoneYet) {
        return;
    }
    Round& round = rounds.back();
    round.answers = answered ? Answers::Some : Answers::Silent;
    if (!answered && round.silent) {
        // Queued: the owner lives on until EndReadRound, and a posted call to an object that
        // is gone by then is dropped with it.
        QMetaObject::invokeMethod(const_cast<QObject*>(round.owner), round.silent,
                                  Qt::QueuedConnection);
    }
}

} // namespace kit
