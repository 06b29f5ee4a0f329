// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include "features/maintenance/TransferData.h"

#include "features/common/Repainting.h"

#include <memory>

CTransferData::CTransferData() = default;

void CTransferData::OnDone(CBackgroundRequest& request, const QObject* receiver,
                           DoneHandler handler) {
    request.OnDone(receiver,
                   [handler = std::move(handler)](const CBackgroundRequest::Answer& answer) {
                       if (handler) {
                           handler(answer.status);
                       }
                   });
}

void CTransferData::StartAddressSet(TransferKind kind, const std::string& server,
                                    const std::string& file, unsigned timeoutMs) {
    const TransferObjects& objects = TransferObjectsOf(kind);
    m_cAddressSet.Start(
        kPduSet, {{objects.server, kSnmpIpAddress, server}, {objects.file, kSnmpOctetString, file}},
        timeoutMs);
}

void CTransferData::StartOperationSet(TransferKind kind, bool upgrade, unsigned timeoutMs) {
    const std::string operation(upgrade ? kTransferUpgrade : kTransferBackup);
    m_cOperationSet.Start(kPduSet, {{TransferObjectsOf(kind).operation, kSnmpInteger, operation}},
                          timeoutMs);
}

void CTransferData::AbandonSets() {
    m_cAddressSet.Abandon();
    m_cOperationSet.Abandon();
}

int CTransferData::ReadState(TransferKind kind, unsigned timeoutMs, std::string& state) {
    if (m_cCommonSNMP.Open(kPduGet) != 1 ||
        m_cCommonSNMP.AddValue(TransferObjectsOf(kind).state, kSnmpNull, "") != 0) {
        return kSnmpFailed;
    }
    std::unique_ptr<CSnmp> response;
    int status = kSnmpTimeout;
    kit::RunRepainting([&] { status = m_cCommonSNMP.Send(response, timeoutMs); });
    if (status != 0) {
        return status;
    }
    int type = 0;
    if (!response || response->getValuesCount() < 1 || response->getValue(0, type, state) != 0) {
        return kSnmpFailed;
    }
    return 0;
}
