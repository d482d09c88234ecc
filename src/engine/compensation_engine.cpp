// SPDX-License-Identifier: Apache-2.0
#include "compensation_engine.h"

#include "angles.h"
#include "entry_reading.h"
#include "eye_fields.h"
#include "field_reading.h"
#include "lab_limits.h"
#include "number_text.h"
#include "prism.h"
#include "resultant_rx.h"
#include "step_check.h"
#include "tilt_factors.h"
#include "vertex.h"

namespace asworn {
namespace {

double Rounded(const JobSheet& sheet, double value, int decimals, std::string_view quantity,
               Eye eye) {
  const StepCheck check(sheet, quantity, {FieldsOf(eye).sph, FieldsOf(eye).cyl});
  return check.Finite(RoundHalfEven(value, decimals));
}

// All the computation, into `c`; throws FaultSignal at the first step that fails.
void Compensate(const JobSheet& sheet, const NumberFormat& format, Compensation& c) {
  ReadEveryEntry(sheet, format);
  c.radians = TiltAndWrapRadians(sheet);
  c.factors = ComputeTiltFactors(sheet, c.radians, format);
  c.angles = SetUpAngles(sheet, c.radians);
  c.odVertex = CompensateVertex(sheet, Eye::right);
  c.osVertex = CompensateVertex(sheet, Eye::left);
  c.odRx = ComputeResultantRx(sheet, Eye::right, c.angles.od, c.factors.od, c.odVertex);
  c.osRx = ComputeResultantRx(sheet, Eye::left, c.angles.os, c.factors.os, c.osVertex);
  // Rounded in this order: spheres, cylinders, axes; right before left.
  c.odRounded.sphere = Rounded(sheet, c.odRx.sphere, 2, "right compensated sphere", Eye::right);
  c.osRounded.sphere = Rounded(sheet, c.osRx.sphere, 2, "left compensated sphere", Eye::left);
  c.odRounded.cylinder =
      Rounded(sheet, c.odRx.cylinder, 2, "right compensated cylinder", Eye::right);
  c.osRounded.cylinder = Rounded(sheet, c.osRx.cylinder, 2, "left compensated cylinder", Eye::left);
  c.odRounded.axis = Rounded(sheet, c.odRx.axis, 1, "right compensated axis", Eye::right);
  c.osRounded.axis = Rounded(sheet, c.osRx.axis, 1, "left compensated axis", Eye::left);
  CheckCompensatedPower(sheet, Eye::right, c.odRounded);
  CheckCompensatedPower(sheet, Eye::left, c.osRounded);
  c.prism = ComputePrism(sheet);
  CheckPrism(sheet, Eye::right, c.prism.od);
  CheckPrism(sheet, Eye::left, c.prism.os);
}

// A wrap prism below zero points its base out: the ticket shows its size and says so.
void WritePrism(WorkTicket& ticket, Label amount, Label base, double rounded,
                std::string_view decimalSeparator) {
  ticket[amount] = NumberText(rounded < 0 ? -rounded : rounded, decimalSeparator);
  ticket[base] = BaseDirection(rounded);
}

}  // namespace

void FillWorkTicket(WorkTicket& ticket, const JobSheet& sheet, const Compensation& c,
                    std::string_view decimalSeparator) {
  for (const LabelInfo& info : kWorkTicketLabels)
    if (info.copyOf) ticket[info.label] = sheet[*info.copyOf];
  const auto text = [&](double v) { return NumberText(v, decimalSeparator); };
  ticket[Label::odcsph] = text(c.odRounded.sphere);
  ticket[Label::odccyl] = text(c.odRounded.cylinder);
  ticket[Label::odcaxis] = text(c.odRounded.axis);
  ticket[Label::oscsph] = text(c.osRounded.sphere);
  ticket[Label::osccyl] = text(c.osRounded.cylinder);
  ticket[Label::oscaxis] = text(c.osRounded.axis);
  WritePrism(ticket, Label::odprism2, Label::odpb, c.prism.od.rounded, decimalSeparator);
  WritePrism(ticket, Label::osprism2, Label::ospb, c.prism.os.rounded, decimalSeparator);
}

ComputeOutcome Compute(const JobSheet& sheet, const NumberFormat& format) {
  ComputeOutcome outcome;
  auto& computed = std::get<ComputedTicket>(outcome.result_);
  try {
    {
      const ReadingRecorder recorder(computed.readings, format);
      Compensate(sheet, format, computed.compensation);
    }
    FillWorkTicket(computed.ticket, sheet, computed.compensation, format.decimalSeparator);
  } catch (const FaultSignal& signal) {
    outcome.result_.emplace<ComputeFault>(signal.Fault());
  }
  return outcome;
}

std::vector<std::pair<std::string, double>> DetailValues(const Compensation& c) {
  std::vector<std::pair<std::string, double>> v{
      {"pi", c.radians.pi},
      {"tiltrad", c.radians.tiltrad},
      {"wraprad", c.radians.wraprad},
      {"efftilt", c.factors.efftilt},
      {"odtfac", c.factors.od.tfac},
      {"odsfac", c.factors.od.sfac},
      {"odmfac", c.factors.od.mfac},
      {"ostfac", c.factors.os.tfac},
      {"ossfac", c.factors.os.sfac},
      {"osmfac", c.factors.os.mfac},
      {"odinref", c.angles.od.inref},
      {"osinref", c.angles.os.inref},
      {"odoutref", c.angles.od.outref},
      {"osoutref", c.angles.os.outref},
      {"odoff", c.angles.od.off},
      {"osoff", c.angles.os.off},
  };
  const auto eye = [&](const char* p, const VertexResult& vx, const ResultantRx& rx,
                       const PrismOfOneEye& pr) {
    const std::string e(p);
    v.insert(v.end(), {{e + "vgap", vx.vgap},
                       {e + "vsph", vx.vsph},
                       {e + "vcyl", vx.vcyl},
                       {e + "m11", rx.m11},
                       {e + "m22", rx.m22},
                       {e + "m12", rx.m12},
                       {e + "trace", rx.trace},
                       {e + "det", rx.det},
                       {e + "sph_unrounded", rx.sphere},
                       {e + "cyl_unrounded", rx.cylinder},
                       {e + "alpha", rx.alpha},
                       {e + "axis_unrounded", rx.axis},
                       {e + "sag", pr.sag},
                       {e + "seq", pr.seq},
                       {e + "thick", pr.thick},
                       {e + "bcpow", pr.bcpow},
                       {e + "prism_unrounded", pr.prism}});
  };
  eye("od", c.odVertex, c.odRx, c.prism.od);
  eye("os", c.osVertex, c.osRx, c.prism.os);
  return v;
}

}  // namespace asworn
