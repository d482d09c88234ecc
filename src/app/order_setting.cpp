// SPDX-License-Identifier: Apache-2.0
#include "order_setting.h"

#include <QSettings>

namespace asworn::app {
namespace {

constexpr char kOrderKey[] = "asWorn/order";
constexpr char kConventionKey[] = "asWorn/convention";
constexpr char kStepsKey[] = "asWorn/steps";

const QString kApplicationId = QStringLiteral(ASWORN_APP_ID);

std::string Stored(const QSettings& settings, const char* key) {
  return settings.value(QString::fromLatin1(key)).toString().toStdString();
}

}  // namespace

optics::OrderSettings LoadOrderSettings() {
  const QSettings settings(QSettings::NativeFormat, QSettings::UserScope, kApplicationId);
  optics::OrderSettings loaded;
  loaded.order = optics::OrderFromWord(Stored(settings, kOrderKey)).value_or(loaded.order);
  loaded.convention =
      optics::ConventionFromWord(Stored(settings, kConventionKey)).value_or(loaded.convention);
  loaded.step = optics::StepFromWord(Stored(settings, kStepsKey)).value_or(loaded.step);
  return loaded;
}

void StoreOrderSettings(const optics::OrderSettings& stored) {
  QSettings settings(QSettings::NativeFormat, QSettings::UserScope, kApplicationId);
  settings.setValue(QString::fromLatin1(kOrderKey),
                    QString::fromLatin1(optics::OrderWord(stored.order)));
  settings.setValue(QString::fromLatin1(kConventionKey),
                    QString::fromLatin1(optics::ConventionWord(stored.convention)));
  settings.setValue(QString::fromLatin1(kStepsKey),
                    QString::fromLatin1(optics::StepWord(stored.step)));
}

}  // namespace asworn::app
