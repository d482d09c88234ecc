// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "number_format.h"

class QLocale;

namespace asworn {

// The decimal and group separators of a locale (by default the user's).
NumberFormat NumberFormatOf(const QLocale& locale);
NumberFormat UserNumberFormat();

}  // namespace asworn
