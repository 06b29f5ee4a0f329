// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// One button per port, numbered like the front panel: a check box per port, or one radio
// button per port and choice (Tagged / Untagged / Not Member, ...), one choice per port.
// Up to 28 ports stand in one row; larger models use two, the second starting at
// portCount / 2 + 1 (port 25 of 48, port 27 of 52).
#pragma once

#include "snmp/PortEncoding.h"
#include "snmp/SessionParameters.h"

#include <QList>
#include <QWidget>

#include <vector>

class QAbstractButton;
class QButtonGroup;

struct PortChoice {
    QString title;      // the row's caption, "Tagged:"
    QString namePrefix; // objectName of the button of port p: namePrefix + p, "tagged3"
};

class CPortGrid : public QWidget {
    Q_OBJECT

public:
    static constexpr int kPortsInOneRow = 28;

    // Check boxes "port1" to "portN", with the port numbers above them.
    explicit CPortGrid(int portCount = DeviceValues().DevicePortCount, QWidget* parent = nullptr);
    // Radio buttons, one row per choice.
    CPortGrid(const QList<PortChoice>& choices, int portCount = DeviceValues().DevicePortCount,
              QWidget* parent = nullptr);

    // The first port of the second row, 0 when every port fits in one.
    static int SecondRowStart(int portCount);

    int PortCount() const { return m_portCount; }
    int ChoiceCount() const { return static_cast<int>(m_buttons.size()); }
    // The button of `port` (1-based) for `choice`; null outside the grid.
    QAbstractButton* Button(int port, int choice = 0) const;

    // 1 for every port whose `choice` button is checked, 0 for the others.
    PortFlags CheckedPorts(int choice = 0) const;
    // Checks the `choice` button of every port whose flag is non-zero; in a check-box grid
    // the other boxes are cleared.
    void SetCheckedPorts(const PortFlags& flags, int choice = 0);
    // Checks or clears every check box.
    void SetAllChecked(bool checked);

    // The first button that takes input, choice by choice in port order; null when none does
    // (a refusal about the grid puts the focus there).
    QAbstractButton* FirstEnabledButton() const;

    // The checked choice of `port`, -1 when none is.
    int ChoiceOf(int port) const;
    void SetChoice(int port, int choice);

    // Controls that set many ports at once, one line per choice (per grid for check boxes):
    // "All" (objectName prefix + "All") and a port range entry such as "1-8,12" (prefix +
    // "Range"), taken with Enter or "Set" (prefix + "Set"); a wrong entry gets "Invalid
    // Portlist". Each port set counts as a click on it (portClicked). A dialog that has its own
    // "All" buttons takes the range entries alone.
    enum class AllButton { Shown, Left };
    QWidget* MakeBulkControls(QWidget* parent, AllButton allButton = AllButton::Shown);
    // Checks the `choice` button of every port flagged in `ports`, as clicks would (a disabled
    // button is left alone).
    void ClickPorts(const PortFlags& ports, int choice = 0);

signals:
    void portClicked(int port);

private:
    void Build(const QList<PortChoice>& choices, bool radio);

    int m_portCount;
    bool m_radio = false;
    QList<PortChoice> m_choices;
    // m_buttons[choice][port - 1]
    std::vector<std::vector<QAbstractButton*>> m_buttons;
};
