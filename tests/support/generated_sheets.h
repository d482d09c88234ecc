// SPDX-License-Identifier: Apache-2.0
#pragma once
// Generated prescriptions and fittings for the property tests: a fixed seed, so a failure
// comes back on every run, and texts as an optician would type them.

#include <cstdio>
#include <random>
#include <string>

#include "job_sheet.h"

namespace asworn::testing_support {

class SheetGenerator {
 public:
  explicit SheetGenerator(unsigned seed) : random_(seed) {}

  int Between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
  bool OneIn(int n) { return Between(1, n) == 1; }

  // Dioptres in hundredths between `low` and `high`: mostly quarter dioptres, some odd values.
  int Hundredths(int low, int high) {
    if (OneIn(4)) return Between(low, high);
    return Between((low + 24) / 25, high / 25) * 25;
  }
  // An axis in tenths of a degree, 0 to 180: often a principal meridian, mostly whole degrees.
  int AxisTenths() {
    if (OneIn(5)) return 900 * Between(0, 2);
    if (OneIn(4)) return Between(0, 1800);
    return 10 * Between(0, 180);
  }
  std::string Index() {
    static const char* const kIndices[] = {"1.498", "1.5",  "1.53", "1.586",
                                           "1.6",   "1.67", "1.74", "1.9"};
    return kIndices[Between(0, 7)];
  }
  // A vertex distance in millimetres, 8 to 18 in half millimetres.
  std::string VertexDistance() { return Tenths(5 * Between(16, 36)); }

 private:
  std::mt19937 random_;

  static std::string Tenths(int tenths) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.1f", tenths / 10.0);
    return buffer;
  }
};

// "+1.25", "-0.50", "0.00" from hundredths.
inline std::string DioptreText(int hundredths) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%+.2f", hundredths / 100.0);
  return hundredths == 0 ? "0.00" : buffer;
}

// "37" or "37.5" from tenths of a degree.
inline std::string AxisText(int tenths) {
  char buffer[32];
  if (tenths % 10 == 0)
    std::snprintf(buffer, sizeof buffer, "%d", tenths / 10);
  else
    std::snprintf(buffer, sizeof buffer, "%.1f", tenths / 10.0);
  return buffer;
}

// The fields Compute reads, for the message of a failed property.
inline std::string Describe(const JobSheet& sheet) {
  std::string text = "job sheet:";
  for (const FieldInfo& info : kJobSheetFields)
    if (info.field >= Field::odsph)
      text += " " + std::string(info.name) + "=\"" + sheet[info.field] + "\"";
  return text;
}

}  // namespace asworn::testing_support
