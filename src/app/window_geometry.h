// SPDX-License-Identifier: Apache-2.0
#pragma once
// The window's size and place on the screen, kept per user under the application id.

class QWidget;

namespace asworn::app {

// Puts `window` where the user left it, at least its minimum size and on a screen that is
// there now; where nothing is stored it keeps the size it has and the system places it.
void RestoreWindowGeometry(QWidget* window);
void StoreWindowGeometry(const QWidget* window);

}  // namespace asworn::app
