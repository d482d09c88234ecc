// SPDX-License-Identifier: Apache-2.0
#pragma once
// Every number of one Compute, step by step, as the ticket and its detail values give them.
// The steps that compute them are the engine's own; these are their results.

namespace asworn {

struct Radians {
  double pi;       // kPi, for the detail values
  double tiltrad;  // pantoscopic tilt
  double wraprad;  // face-form wrap
};

struct EyeAngles {
  double inref;   // reference meridian into the lens frame, degrees
  double outref;  // reference meridian back to the eye frame, degrees
  double off;     // prescribed axis measured from inref, degrees
};

struct Angles {
  EyeAngles od;
  EyeAngles os;
};

// Power factors of a lens worn tilted and wrapped.
struct PowerFactors {
  double tfac;  // tangential
  double sfac;  // sagittal
  double mfac;  // mean of the two, never 0
};

struct TiltFactors {
  double efftilt;  // combined angle of tilt and wrap, radians
  PowerFactors od;
  PowerFactors os;
};

// The prescription at the fitted vertex distance.
struct VertexResult {
  double vgap;  // refracted minus fitted distance, mm; positive when fitted closer
  double vsph;  // sphere at the fitted distance
  double vcyl;  // cylinder at the fitted distance, same sign convention as entered
};

// The compensated prescription, before rounding.
struct ResultantRx {
  double m11, m22, m12;  // power matrix after division by the factors
  double trace, det;
  double sphere;    // unrounded, the larger principal power
  double cylinder;  // unrounded, never positive
  double alpha;     // axis in the reference frame, degrees
  double axis;      // unrounded, in the eye frame, 0 to 180
};

struct RoundedRx {
  double sphere;    // 2 decimals
  double cylinder;  // 2 decimals
  double axis;      // 1 decimal
};

// Horizontal prism induced by wrapping a lens of some thickness.
struct PrismOfOneEye {
  double sag;      // centre-to-edge thickness difference the sphere needs, mm, non-negative
  double seq;      // spherical equivalent
  double thick;    // estimated centre thickness, mm
  double bcpow;    // base-curve power in the lens material
  double prism;    // unrounded, prism dioptres
  double rounded;  // 2 decimals
};

struct Prism {
  PrismOfOneEye od;
  PrismOfOneEye os;
};

// Every number of one Compute, in the order it is computed.
struct Compensation {
  Radians radians;
  TiltFactors factors;
  Angles angles;
  VertexResult odVertex, osVertex;
  ResultantRx odRx, osRx;
  RoundedRx odRounded, osRounded;
  Prism prism;
};

}  // namespace asworn
