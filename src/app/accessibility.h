// SPDX-License-Identifier: Apache-2.0
#pragma once
// What a screen reader hears from the window where Qt's own accessibility falls short: the
// work ticket's numbers said with what they are, and a tab strip that reports the keyboard
// focus only while it has it.

#include <QString>

class QLabel;

namespace asworn::app {

// Puts the window's own accessibility interfaces in front of Qt's. Needs the application
// object and must come before a screen reader first asks for the window; later calls do
// nothing.
void InstallAccessibility();

// `label` is read as `spokenName` followed by its current text ("Right compensated sphere
// -3.52"), and as `spokenName` alone while it is empty.
void SpeakAs(QLabel* label, const QString& spokenName);

}  // namespace asworn::app
