// SPDX-License-Identifier: Apache-2.0
#include "as_worn_check_block.h"

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QtMath>

#include "as_worn_wording.h"
#include "number_text.h"

namespace asworn {
namespace {

QString Text(const std::string& s) {
  return QString::fromStdString(s);
}

QString EyeName(bool right) {
  return right ? QStringLiteral("Right eye (OD)") : QStringLiteral("Left eye (OS)");
}

void AddEye(std::vector<CheckLine>& lines, bool right, const optics::EyeCheckOutcome& eye,
            const optics::OrderSettings& settings, const std::string& separator) {
  lines.push_back({EyeName(right), true, false});
  if (!eye.check) {
    lines.push_back({QStringLiteral("Cannot be traced as worn: ") +
                         Text(std::string(optics::FaultText(eye.fault))),
                     true, true});
    return;
  }
  const optics::EyeCheck& c = *eye.check;
  lines.push_back({QStringLiteral("Lens as ordered %1 (%2 mm thick); power as worn %3; "
                                  "required %4")
                       .arg(Text(ordering::RxText(c.ordered, separator)),
                            Text(FixedText(c.thicknessMm, 2, separator)),
                            Text(ordering::RxText(c.worn, separator)),
                            Text(ordering::RxText(c.required, separator))),
                   false, true});
  lines.push_back(
      {QStringLiteral("ANSI Z80.1-2015: ") + Text(ordering::VerdictText(c.verdict, separator)),
       !c.verdict.Within(), true});
  QString prism = QStringLiteral("Exact order %1; prism induced at the fitting point: %2")
                      .arg(Text(ordering::RxText(c.exactOrder, separator)),
                           Text(ordering::PrismText(c.prism, separator)));
  if (settings.order == optics::OrderChoice::exact)
    prism += QStringLiteral("; ground in against it: ") +
             Text(ordering::CompensatingPrismText(c.compensatingPrism, separator));
  lines.push_back({prism, false, true});
}

// What must be read first: each eye outside tolerance, a pair outside its vertical imbalance,
// and each eye that cannot be traced.
QString Warning(const optics::AsWornResult& result, const std::string& separator) {
  QStringList outside, untraced;
  for (const auto& [right, eye] : {std::pair{true, &result.od}, std::pair{false, &result.os}}) {
    if (!eye->check)
      untraced << EyeName(right);
    else if (!eye->check->verdict.Within())
      outside << EyeName(right) + QStringLiteral(": ") +
                     Text(ordering::VerdictText(eye->check->verdict, separator))
                         .remove(QStringLiteral("outside tolerance: "));
  }
  // A pair outside its vertical imbalance is outside as a pair, even with each lens within.
  if (!result.VerticalImbalanceWithin())
    outside << QStringLiteral("Pair: ") + Text(ordering::VerticalImbalanceText(result, separator));
  QStringList sentences;
  if (!outside.isEmpty())
    sentences << QStringLiteral("This ticket is OUTSIDE the ANSI Z80.1-2015 tolerances as worn. ") +
                     outside.join(QStringLiteral("; ")) + QStringLiteral(".");
  if (!untraced.isEmpty())
    sentences << QStringLiteral("Not checked as worn: ") + untraced.join(QStringLiteral(", ")) +
                     QStringLiteral(".");
  return sentences.join(QStringLiteral(" "));
}

// The block is laid out in pixels of this resolution, so that its measured height holds on
// any printer: fonts are sized to give the same pixels whatever the device's own resolution.
constexpr double kBlockDotsPerInch = 1200;

QFont BlockFont(bool bold, double deviceDotsPerInch) {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPointSizeF(8.5 * kBlockDotsPerInch / deviceDotsPerInch);
  font.setBold(bold);
  // No ligatures: "fitting" must stay searchable as typed.
  font.setStyleStrategy(QFont::PreferNoShaping);
  return font;
}

constexpr int kFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;

// Lays the lines out from `top` in `width`; draws them when `draw`. Returns the height used.
double LayOut(QPainter* painter, QPaintDevice* device, const QRectF& area,
              const std::vector<CheckLine>& lines) {
  const double dpi = device->logicalDpiY();
  double y = area.top();
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const CheckLine& line = lines[i];
    const QFont font = BlockFont(line.bold || i == 0, dpi);
    const QFontMetricsF metrics(font, device);
    const double indent =
        line.indented ? QFontMetricsF(BlockFont(false, dpi), device).averageCharWidth() * 3 : 0;
    const QRectF box(area.left() + indent, y, area.width() - indent, 1e6);
    const QRectF used = metrics.boundingRect(box, kFlags, line.text);
    if (painter) {
      painter->setFont(font);
      painter->drawText(box, kFlags, line.text);
    }
    y += used.height() + (i == 0 ? metrics.lineSpacing() / 3 : 0);
  }
  return y - area.top();
}

}  // namespace

std::vector<CheckLine> AsWornCheckLines(const optics::AsWornResult& result,
                                        const std::string& decimalSeparator) {
  std::vector<CheckLine> lines{{QString::fromLatin1(kAsWornCheckHeading), true, false}};
  if (const QString warning = Warning(result, decimalSeparator); !warning.isEmpty())
    lines.push_back({warning, true, false});
  lines.push_back({QStringLiteral("Lens ordered by the %1.")
                       .arg(Text(ordering::OrderName(result.settings, decimalSeparator))),
                   true, false});
  AddEye(lines, true, result.od, result.settings, decimalSeparator);
  AddEye(lines, false, result.os, result.settings, decimalSeparator);
  if (result.verticalImbalance)
    lines.push_back({QStringLiteral("Pair, ANSI Z80.1 mounted: ") +
                         Text(ordering::VerticalImbalanceText(result, decimalSeparator)),
                     !result.VerticalImbalanceWithin(), false});
  lines.push_back({QStringLiteral("Tilt and wrap in the %1; axes TABO; primary gaze at the "
                                  "fitting point with the optical centre there.")
                       .arg(Text(ordering::ConventionName(result.settings.convention))),
                   false, false});
  return lines;
}

PagePart AsWornCheckPart(const optics::AsWornResult& result, double widthInches,
                         const std::string& decimalSeparator) {
  const std::vector<CheckLine> lines = AsWornCheckLines(result, decimalSeparator);
  const double width = widthInches * kBlockDotsPerInch;
  const double gap = kBlockDotsPerInch / 6;
  // Measured on an image of the block's resolution; drawn on the page with the same pixels.
  QImage measure(1, 1, QImage::Format_RGB32);
  const int dotsPerMeter = qRound(kBlockDotsPerInch / 0.0254);
  measure.setDotsPerMeterX(dotsPerMeter);
  measure.setDotsPerMeterY(dotsPerMeter);
  const double height = gap + LayOut(nullptr, &measure, QRectF(0, 0, width, 0), lines);
  return {QSize(qCeil(width), qCeil(height)), kBlockDotsPerInch,
          [lines, width, gap](QPainter& painter) {
            painter.save();
            painter.setPen(Qt::black);
            LayOut(&painter, painter.device(), QRectF(0, gap, width, 0), lines);
            painter.restore();
          }};
}

}  // namespace asworn
