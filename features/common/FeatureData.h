// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// Base of the feature data classes: the object that owns a feature's sessions, reads and
// writes the switch and keeps the values until the dialog shows them. It knows no widgets. It is
// a QObject so that it can listen to its own walks and requests (CListeners) like a dialog.
//
//   class CStormMib : public CFeatureData {
//       CCommonSNMP& m_cCommonSNMP = AddSession("m_cCommonSNMP");
//       CCommonSNMP& m_cCommonSNMPSet = AddSession("m_cCommonSNMPSet");
//       CCommonSNMP& m_cCommonSNMPTable = AddSession("m_cCommonSNMPTable");
//       CTableWalk m_cPortWalk{m_cCommonSNMPTable, {...}};   // after its session
//   };
//
// The sessions belong to this base, so they outlive every member of the derived class
// (table walks included), and they are closed with their debug lines when the object ends.
#pragma once

#include "features/common/SessionSet.h"

#include <QObject>

#include <string>

class CFeatureData : public QObject {
public:
    CFeatureData() = default;
    // Closes every session, in the order they were added, with its ".Close" debug line.
    virtual ~CFeatureData();
    CFeatureData(const CFeatureData&) = delete;
    CFeatureData& operator=(const CFeatureData&) = delete;

protected:
    CCommonSNMP& AddSession(std::string memberName) {
        return m_sessions.Add(std::move(memberName));
    }

private:
    CSessionSet m_sessions;
};
