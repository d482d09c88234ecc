// SPDX-License-Identifier: Apache-2.0
#include "qt_text.h"

#include <QStringDecoder>

namespace asworn {

std::optional<QString> DecodeUtf8(std::string_view bytes) {
  QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless |
                                                  QStringConverter::Flag::ConvertInitialBom);
  QString text = utf8.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
  if (utf8.hasError()) return std::nullopt;
  return text;
}

}  // namespace asworn
