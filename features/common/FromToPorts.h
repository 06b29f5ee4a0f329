// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// The "From Port" / "To Port" pair of the dialogs that act on a range of ports: two combos
// (objectNames "fromPort" and "toPort") listing 1 to the port count. Choosing a To Port
// below the From Port shows the message and puts To Port back on the From Port.
#pragma once

#include "snmp/SessionParameters.h"

#include <QObject>
#include <QString>

class QComboBox;
class QWidget;

class CFromToPorts : public QObject {
    Q_OBJECT

public:
    static QString DefaultMessage() {
        return QStringLiteral("'To Port' can not be smaller than 'From Port'");
    }

    // The combos are children of `parent`; the dialog puts them where it wants. From starts
    // on the first port, To on the last.
    explicit CFromToPorts(QWidget* parent, int portCount = DeviceValues().DevicePortCount,
                          QString message = DefaultMessage());

    QComboBox* From() const { return m_from; }
    QComboBox* To() const { return m_to; }
    int FromPort() const;
    int ToPort() const;

    // When set, choosing a From Port moves To Port to the same position.
    void SetToFollowsFrom(bool follows) { m_toFollowsFrom = follows; }
    // From on the first port, To on the last.
    void Reset();
    // From and To on `port` alone; false (nothing changes) for a port the combos do not offer.
    bool SelectPort(long port);

private:
    void FromChosen();
    void ToChosen();

    QComboBox* m_from;
    QComboBox* m_to;
    QString m_message;
    bool m_toFollowsFrom = false;
};
