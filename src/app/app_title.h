// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QString>

namespace asworn::app {

// The application's title: the caption of its message boxes. The main window's own title
// is "Form1" and never changes.
inline const QString kApplicationTitle = QStringLiteral("As-Worn Rx");

}  // namespace asworn::app
