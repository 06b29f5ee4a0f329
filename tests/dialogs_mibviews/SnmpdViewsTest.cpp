// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
//
// The public MIB views against Net-SNMP's own agent, which reports this host's interfaces,
// addresses and sockets: what a dialog shows must equal what snmpwalk reads. The host's
// sockets come and go (other programs run), so a table is compared when two snmpwalks
// around the dialog's walk agree.
#include "MibViewsTest.h"

#include "features/maintenance/InterfaceTableDialog.h"
#include "features/maintenance/IpTableDialog.h"
#include "features/maintenance/SystemInfoDialog.h"
#include "features/maintenance/TcpServiceDialog.h"
#include "features/maintenance/UdpServiceDialog.h"
#include "snmp/SessionParameters.h"

#include <QLabel>
#include <QLineEdit>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>

namespace {

using mibviews::Rows;

// A socket of this test on 127.0.0.1, so that the host's tables hold a row we know.
class LoopbackSocket {
public:
    explicit LoopbackSocket(int type) : m_fd(socket(AF_INET, type, 0)) {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (m_fd < 0 || bind(m_fd, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
            (type == SOCK_STREAM && listen(m_fd, 1) != 0) ||
            getsockname(m_fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
            return;
        }
        m_port = ntohs(address.sin_port);
    }
    ~LoopbackSocket() {
        if (m_fd >= 0) {
            close(m_fd);
        }
    }
    LoopbackSocket(const LoopbackSocket&) = delete;
    LoopbackSocket& operator=(const LoopbackSocket&) = delete;

    std::string Port() const { return std::to_string(m_port); }

private:
    int m_fd;
    int m_port = 0;
};

std::string StateName(const std::string& state) {
    const char* names[] = {"closed",      "closed",   "listen",   "synSent",   "synReceived",
                           "established", "finWait1", "finWait2", "closeWait", "lastAck",
                           "closing",     "timeWait", "deleteTCB"};
    const int value = std::atoi(state.c_str());
    return value >= 1 && value <= 12 ? names[value] : "closed";
}

class SnmpdViewsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(agent.Start()) << agent.Error();
        SessionParameters() = SessionParametersData();
        SessionParameters().DeviceAddress = agent.Address();
        SessionParameters().SnmpPort = std::to_string(agent.Port());
        DeviceValues() = DeviceValuesData();
    }

    // Walks the dialog's table until two snmpwalks around it agree; then compares.
    template <class Dialog, class Cell>
    Rows CompareWithSnmpwalk(const std::vector<std::string>& columns, Cell cell) {
        auto dialog = std::make_unique<Dialog>();
        EXPECT_TRUE(testsupport::ShowActive(dialog.get()));
        EXPECT_TRUE(mibviews::WaitForWalk(dialog.get()));
        Rows shown;
        Rows after;
        for (int attempt = 0; attempt < 6; ++attempt) {
            const Rows before = mibviews::SnmpwalkRows(agent.Peer(), columns, cell);
            dialog->Refresh();
            EXPECT_TRUE(mibviews::WaitForWalk(dialog.get()));
            shown = mibviews::ListRows(dialog->List());
            after = mibviews::SnmpwalkRows(agent.Peer(), columns, cell);
            if (before == after && shown == after) {
                break;
            }
        }
        EXPECT_FALSE(after.empty());
        EXPECT_EQ(shown, after);
        return shown;
    }

    static std::string AsRead(std::size_t /*column*/, const std::string& value) { return value; }

    testsupport::SnmpdFixture agent;
    testsupport::TraceCapture trace;
};

bool HasRow(const Rows& rows, const std::vector<std::string>& row) {
    return std::find(rows.begin(), rows.end(), row) != rows.end();
}

TEST_F(SnmpdViewsTest, EveryViewEqualsWhatSnmpwalkReadsFromTheHost) {
    LoopbackSocket listener(SOCK_STREAM);
    LoopbackSocket socket(SOCK_DGRAM);
    EXPECT_FALSE(CompareWithSnmpwalk<CInterfaceTableDlg>(mibviews::kInterfaceColumns,
                                                         mibviews::InterfaceCell)
                     .empty());
    EXPECT_TRUE(HasRow(
        CompareWithSnmpwalk<CIpTableDlg>({"1.3.6.1.2.1.4.20.1.1", "1.3.6.1.2.1.4.20.1.3"}, &AsRead),
        {"127.0.0.1", "255.0.0.0"}));
    const Rows tcp = CompareWithSnmpwalk<CTcpServiceDlg>(
        {"1.3.6.1.2.1.6.13.1.3", "1.3.6.1.2.1.6.13.1.2", "1.3.6.1.2.1.6.13.1.4",
         "1.3.6.1.2.1.6.13.1.5", "1.3.6.1.2.1.6.13.1.1"},
        [](std::size_t column, const std::string& value) {
            return column == 4 ? StateName(value) : value;
        });
    EXPECT_TRUE(HasRow(tcp, {listener.Port(), "127.0.0.1", "0.0.0.0", "0", "listen"}));
    const Rows udp = CompareWithSnmpwalk<CUdpServiceDlg>(
        {"1.3.6.1.2.1.7.5.1.2", "1.3.6.1.2.1.7.5.1.1"}, &AsRead);
    EXPECT_TRUE(HasRow(udp, {socket.Port(), "127.0.0.1"}));
    EXPECT_TRUE(HasRow(udp, {std::to_string(agent.Port()), "127.0.0.1"}));

    // System Information equals the agent's system group.
    auto dialog = std::make_unique<CSystemInfoDlg>();
    ASSERT_TRUE(testsupport::ShowActive(dialog.get()));
    ASSERT_TRUE(mibviews::WaitForWalk(dialog.get()));
    const auto value = [&](const std::string& oid) {
        const auto walked = mibviews::Snmpwalk(agent.Peer(), oid);
        std::string text = walked.empty() ? "" : walked.front().value;
        if (text.size() >= 2 && text.front() == '"' && text.back() == '"') {
            text = text.substr(1, text.size() - 2);
        }
        return text;
    };
    EXPECT_EQ(testsupport::Find<QLabel>(dialog.get(), "descriptionText")->text().toStdString(),
              value("1.3.6.1.2.1.1.1.0"));
    EXPECT_EQ(testsupport::Find<QLineEdit>(dialog.get(), "nameEdit")->text().toStdString(),
              value("1.3.6.1.2.1.1.5.0"));
    EXPECT_EQ("." + testsupport::Find<QLabel>(dialog.get(), "objectIdText")->text().toStdString(),
              value("1.3.6.1.2.1.1.2.0"));
}

} // namespace
