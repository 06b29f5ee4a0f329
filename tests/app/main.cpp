// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: 2026 The ksx-module developers
#include <QCoreApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv); // QProcess and the local sockets want one
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
