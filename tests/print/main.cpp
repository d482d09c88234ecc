// SPDX-License-Identifier: Apache-2.0
#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
  // Never a window on the desktop, and no printer but the ones the tests make.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  qunsetenv("PRINTER");
  qunsetenv("LPDEST");
  ::testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
