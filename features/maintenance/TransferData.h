// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// The data side of the firmware and configuration transfer: the first session carries the
// server address and file name (one asynchronous set) and then the state polling, the second
// the operation that starts the transfer on the switch.
#pragma once

#include "features/common/BackgroundRequest.h"
#include "features/common/FeatureData.h"
#include "features/maintenance/TransferObjects.h"

#include <functional>
#include <string>

class CTransferData : public CFeatureData {
public:
    // status 0: the switch took the set; -1 no answer in time; anything else a failure.
    using DoneHandler = std::function<void(int status)>;

    CTransferData();

    // Where the results of the two sets go (on the UI thread).
    void OnAddressSetDone(const QObject* receiver, DoneHandler handler) {
        OnDone(m_cAddressSet, receiver, std::move(handler));
    }
    void OnOperationSetDone(const QObject* receiver, DoneHandler handler) {
        OnDone(m_cOperationSet, receiver, std::move(handler));
    }

    // The TFTP server (dotted text) and file name of `kind`, in one set request.
    void StartAddressSet(TransferKind kind, const std::string& server, const std::string& file,
                         unsigned timeoutMs);
    // The operation of `kind`, which starts the transfer on the switch.
    void StartOperationSet(TransferKind kind, bool upgrade, unsigned timeoutMs);
    // The operation set went out and its answer has not been delivered yet.
    bool IsOperationSetPending() const { return m_cOperationSet.IsRunning(); }
    // Forgets both sets (nothing more is delivered).
    void AbandonSets();

    // Reads the state object of `kind`: 0 with the value in `state`, otherwise the status.
    int ReadState(TransferKind kind, unsigned timeoutMs, std::string& state);

private:
    static void OnDone(CBackgroundRequest& request, const QObject* receiver, DoneHandler handler);

    CCommonSNMP& m_cCommonSNMP = AddSession("m_cCommonSNMP");
    CCommonSNMP& m_cCommonSNMPSetOp = AddSession("m_cCommonSNMPSetOp");
    CBackgroundRequest m_cAddressSet{m_cCommonSNMP};
    CBackgroundRequest m_cOperationSet{m_cCommonSNMPSetOp};
};
