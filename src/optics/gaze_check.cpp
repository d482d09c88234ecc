// SPDX-License-Identifier: Apache-2.0
#include "gaze_check.h"

#include <cmath>

#include "gaze_wavefront.h"
#include "lens_units.h"
#include "line_of_sight.h"
#include "placed_lens.h"

namespace asworn::optics {
namespace {

struct PlacedEye {
  const GazeEyeInput& input;
  Eye eye;
  PlacedLens placed;
  Eigen::Vector3d fittingPoint;  // head frame: origin between the two centres of rotation
};

PlacedEye Place(const GazeEyeInput& in, const GazeInput& all, Eye eye) {
  const EyeInput& e = in.lens;
  const ThickLens lens{e.index, BaseCurvePower(e.index, e.baseCurve), e.thicknessMm / 1000};
  const double cre = (e.fittedVertexMm + kCentreOfRotationBehindCorneaMm) / 1000;
  const double pd = in.pdMm / 1000;
  return {in, eye,
          PlacedLens(lens, ToPowerMatrix(e.ordered),
                     WearRotation(all.tiltDegrees, all.wrapDegrees, eye, all.convention),
                     Eigen::Vector2d(in.decentrationXMm, in.decentrationYMm) / 1000, cre),
          Eigen::Vector3d(eye == Eye::right ? -pd : pd, 0, cre)};
}

// Lens-frame (x, y) from the pole, m, to the crossing from the fitting point, mm.
CrossingPoint CrossingFrom(const PlacedEye& e, const Eigen::Vector3d& lensPoint) {
  const Eigen::Vector2d fromFittingPoint = lensPoint.head<2>() + e.placed.decentration;
  const double x = 1000 * fromFittingPoint.x(), y = 1000 * fromFittingPoint.y();
  return {(e.eye == Eye::right ? x : -x) + 0.0, -y + 0.0};
}

// The crossing through a thin lens in the plane of the fitting point, across z, by similar
// triangles in each meridian with that meridian's power: from the optical centre, m.
Eigen::Vector2d SimilarTrianglesCrossing(const PlacedEye& e, const Eigen::Vector3d& object) {
  const double s = e.placed.creDistance;
  const double wz = object.z();
  Eigen::Vector2d h;
  for (int j = 0; j < 2; ++j) {
    const double d = e.placed.decentration(j);
    const double p = object(j) - d;  // the object from the optical centre's line
    const double c = -d;             // the centre of rotation from it
    h(j) = (p * s + c * wz) / (wz + s - s * wz * e.placed.order(j, j));
  }
  return h;
}

ReadingEye AtReadingPoint(const PlacedEye& e, const Eigen::Vector3d& nearPoint) {
  const PlacedLens& placed = e.placed;
  const Eigen::Vector3d object = nearPoint - e.fittingPoint;  // eye frame
  const LineOfSight sight = SolveLineOfSight(placed, {object, false});
  const Eigen::Vector3d& d0 = sight.direction;
  const RayThroughLens& ray = sight.ray;

  ReadingEye r;
  r.lineOfSight = d0;
  r.back = CrossingFrom(e, ray.back);
  r.front = CrossingFrom(e, ray.front);
  r.prism = PrismOnScreen(placed.rotation * ray.outward, d0, Eigen::Vector3d::UnitX(), e.eye);

  const double objectDistance = (object - placed.ToEye(ray.front)).norm();
  const PowerMatrix vergence = VergenceOnVertexSphere(placed, ray, d0, objectDistance);
  // The object's own vergence at Q in air: the accommodation it asks for, not the lens's.
  const Eigen::Vector3d q = placed.cre + placed.creDistance * d0;
  const double objectVergence = -1 / (object - q).norm();
  r.powerMatrix = vergence - objectVergence * PowerMatrix::Identity();
  const EyeInput& in = e.input.lens;
  r.errorMatrix = r.powerMatrix - RequiredPower(ToPowerMatrix(in.prescription),
                                                in.refractedVertexMm, in.fittedVertexMm);
  if (!r.powerMatrix.allFinite() || !r.errorMatrix.allFinite())
    throw TraceFault(OpticsFault::noFinitePowerAtGaze);
  r.power = ToSphCylAxis(r.powerMatrix);
  r.error = ToSphCylAxis(r.errorMatrix);

  r.prenticeAtBack = PrenticePrism(placed.order, ray.back.head<2>(), e.eye);
  r.prenticeAtFront = PrenticePrism(placed.order, ray.front.head<2>(), e.eye);
  const Eigen::Vector2d h = SimilarTrianglesCrossing(e, object);
  r.firstOrderCrossing = CrossingFrom(e, Eigen::Vector3d(h.x(), h.y(), 0));
  r.firstOrderPrism = PrenticePrism(placed.order, h, e.eye);
  return r;
}

FittingPointEye AtFittingPoint(const PlacedEye& e) {
  const PlacedLens& placed = e.placed;
  const Eigen::Vector3d primary = Eigen::Vector3d::UnitZ();
  FittingPointEye f;
  const RayThroughLens worn = TraceFromEye(placed, primary);
  f.asWorn =
      PrismOnScreen(placed.rotation * worn.outward, primary, Eigen::Vector3d::UnitX(), e.eye);
  // A focimeter sees the lens resting on its back surface: no tilt or wrap, the horizontal
  // along the lens's own X.
  const Eigen::Vector2d fittingPoint = -placed.decentration;
  const RayThroughLens normal = TraceAlongBackNormal(placed, fittingPoint.x(), fittingPoint.y());
  f.focimeter = PrismOnScreen(normal.outward, normal.inward, Eigen::Vector3d::UnitX(), e.eye);
  f.prentice = PrenticePrism(placed.order, fittingPoint, e.eye);
  return f;
}

double Elevation(const Eigen::Vector3d& lineOfSight) {
  return std::atan2(lineOfSight.y(), lineOfSight.z());
}

}  // namespace

GazeResult GazeCheck(const GazeInput& input) {
  const PlacedEye od = Place(input.od, input, Eye::right);
  const PlacedEye os = Place(input.os, input, Eye::left);

  // The reading point on the midline, declined from the point between the centres of
  // rotation; its distance is the working distance plus the mean lens-to-centre distance.
  const double beta = input.readingGazeDegrees * kRadiansPerDegree;
  const double distance =
      input.nearWorkingDistanceMm / 1000 + (od.placed.creDistance + os.placed.creDistance) / 2;
  const Eigen::Vector3d nearPoint(0, -distance * std::sin(beta), distance * std::cos(beta));

  GazeResult g;
  ReadingPair& r = g.reading;
  r.od = AtReadingPoint(od, nearPoint);
  r.os = AtReadingPoint(os, nearPoint);
  r.prism = PairOf(r.od.prism, r.os.prism);
  r.verticalVergence = 100 * std::tan(Elevation(r.od.lineOfSight) - Elevation(r.os.lineOfSight));
  r.prenticeImbalanceAtBack = PairOf(r.od.prenticeAtBack, r.os.prenticeAtBack).verticalImbalance;
  r.prenticeImbalanceAtFront = PairOf(r.od.prenticeAtFront, r.os.prenticeAtFront).verticalImbalance;
  r.firstOrderImbalance = PairOf(r.od.firstOrderPrism, r.os.firstOrderPrism).verticalImbalance;
  // Prentice 1 cm below each optical centre, with each lens's vertical-meridian power.
  r.ruleOfTenImbalance = od.placed.order(1, 1) - os.placed.order(1, 1);

  FittingPointPair& f = g.fittingPoint;
  f.od = AtFittingPoint(od);
  f.os = AtFittingPoint(os);
  f.asWorn = PairOf(f.od.asWorn, f.os.asWorn);
  f.focimeter = PairOf(f.od.focimeter, f.os.focimeter);
  f.prentice = PairOf(f.od.prentice, f.os.prentice);
  return g;
}

}  // namespace asworn::optics
