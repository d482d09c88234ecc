// SPDX-License-Identifier: Apache-2.0
#pragma once

class QLineEdit;

namespace asworn::app {

// Selects the whole current text of `box`: selection from 0 over every character, so the
// next keystroke replaces it. An empty box is left with the caret at 0 and nothing selected.
void SelectAllText(QLineEdit& box);

}  // namespace asworn::app
