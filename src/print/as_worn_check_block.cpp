#include "as_worn_check_block.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>

#include "as_worn_wording.h"

namespace asworn {
namespace {

QString Text(const std::string& s) {
  return QString::fromStdString(s);
}

QString EyeName(bool right) {
  return right ? QStringLiteral("Right eye (OD)") : QStringLiteral("Left eye (OS)");
}

void AddEye(std::vector<CheckLine>& lines, bool right, const optics::EyeCheckOutcome& eye) {
  lines.push_back({EyeName(right), true, false});
  if (!eye.check) {
    lines.push_back({QStringLiteral("Cannot be traced as worn: ") + Text(eye.fault), true, true});
    return;
  }
  const optics::EyeCheck& c = *eye.check;
  lines.push_back({QStringLiteral("Lens as ordered %1 (%2 mm thick); power as worn %3; "
                                  "required %4")
                       .arg(Text(optics::RxText(c.ordered)))
                       .arg(c.thicknessMm, 0, 'f', 2)
                       .arg(Text(optics::RxText(c.worn)), Text(optics::RxText(c.required))),
                   false, true});
  lines.push_back({QStringLiteral("ANSI Z80.1-2015: ") + Text(optics::VerdictText(c.verdict)),
                   !c.verdict.Within(), true});
  lines.push_back({QStringLiteral("Exact order %1; prism induced at the fitting point: %2")
                       .arg(Text(optics::RxText(c.exactOrder)), Text(optics::PrismText(c.prism))),
                   false, true});
}

// What must be read first: each eye outside tolerance and each eye that cannot be traced.
QString Warning(const optics::AsWornResult& result) {
  QStringList outside, untraced;
  for (const auto& [right, eye] : {std::pair{true, &result.od}, std::pair{false, &result.os}}) {
    if (!eye->check)
      untraced << EyeName(right);
    else if (!eye->check->verdict.Within())
      outside << EyeName(right) + QStringLiteral(": ") +
                     Text(optics::VerdictText(eye->check->verdict))
                         .remove(QStringLiteral("outside tolerance: "));
  }
  QStringList sentences;
  if (!outside.isEmpty())
    sentences << QStringLiteral("This ticket is OUTSIDE the ANSI Z80.1-2015 tolerances as worn. ") +
                     outside.join(QStringLiteral("; ")) + QStringLiteral(".");
  if (!untraced.isEmpty())
    sentences << QStringLiteral("Not checked as worn: ") + untraced.join(QStringLiteral(", ")) +
                     QStringLiteral(".");
  return sentences.join(QStringLiteral(" "));
}

QFont BlockFont(bool bold) {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPointSizeF(8.5);
  font.setBold(bold);
  // No ligatures: "fitting" must stay searchable as typed.
  font.setStyleStrategy(QFont::PreferNoShaping);
  return font;
}

constexpr int kFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;

// Lays the lines out from `top` in `width`; draws them when `draw`. Returns the height used.
double LayOut(QPainter& painter, const QRectF& area, const optics::AsWornResult& result,
              bool draw) {
  const std::vector<CheckLine> lines = AsWornCheckLines(result);
  double y = area.top();
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const CheckLine& line = lines[i];
    const QFont font = BlockFont(line.bold || i == 0);
    const QFontMetricsF metrics(font, painter.device());
    const double indent =
        line.indented ? QFontMetricsF(BlockFont(false), painter.device()).averageCharWidth() * 3
                      : 0;
    const QRectF box(area.left() + indent, y, area.width() - indent, 1e6);
    const QRectF used = metrics.boundingRect(box, kFlags, line.text);
    if (draw) {
      painter.setFont(font);
      painter.drawText(box, kFlags, line.text);
    }
    y += used.height() + (i == 0 ? metrics.lineSpacing() / 3 : 0);
  }
  return y - area.top();
}

}  // namespace

std::vector<CheckLine> AsWornCheckLines(const optics::AsWornResult& result) {
  std::vector<CheckLine> lines{{QString::fromLatin1(kAsWornCheckHeading), true, false}};
  if (const QString warning = Warning(result); !warning.isEmpty())
    lines.push_back({warning, true, false});
  AddEye(lines, true, result.od);
  AddEye(lines, false, result.os);
  lines.push_back({QStringLiteral("Tilt and wrap in the %1; axes TABO; primary gaze at the "
                                  "fitting point with the optical centre there.")
                       .arg(QString::fromLatin1(optics::kConventionName)),
                   false, false});
  return lines;
}

double AsWornCheckHeight(QPainter& painter, double width, const optics::AsWornResult& result) {
  return LayOut(painter, QRectF(0, 0, width, 0), result, false);
}

void DrawAsWornCheck(QPainter& painter, const QRectF& area, const optics::AsWornResult& result) {
  painter.save();
  painter.setPen(Qt::black);
  LayOut(painter, area, result, true);
  painter.restore();
}

}  // namespace asworn
