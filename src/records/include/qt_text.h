// SPDX-License-Identifier: Apache-2.0
#pragma once
// Texts between the engine's UTF-8 strings and Qt's QString, for records and the window alike.

#include <QString>
#include <optional>
#include <string_view>

namespace asworn {

// The QString of a UTF-8 text (invalid bytes become replacement characters).
inline QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The text of `bytes` when they are valid UTF-8, a leading byte order mark kept as a
// character; nothing when they are not.
std::optional<QString> DecodeUtf8(std::string_view bytes);

}  // namespace asworn
