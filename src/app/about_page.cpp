// SPDX-License-Identifier: Apache-2.0
// The "About" tab: the picture, why the program exists, its author and the warning.
#include <QGroupBox>
#include <QLabel>

#include "form_builder.h"
#include "picture_box.h"
#include "pictures.h"

namespace asworn::app {

QGroupBox* FormBuilder::AboutFrame() {
  QGroupBox* frame = PageFrame("Frame1", QStringLiteral("About"));
  parts_.picture =
      new PictureBox(QStringLiteral("Picture1"), picture::kAbout, QSize(99, 100), frame);
  parts_.picture->setGeometry(twips_.Rect(120, 240, 1575, 1575));
  parts_.picture->setAccessibleName(
      QStringLiteral("Picture of spectacles worn with wrap and tilt"));

  constexpr Qt::Alignment kCentred = Qt::AlignHCenter | Qt::AlignTop;
  QLabel* why = Text(QStringLiteral("Written for the dispensing lab: a lens worn tilted, wrapped "
                                    "and at a new vertex distance no longer gives the power "
                                    "prescribed. This finds the Rx to make. Please support "
                                    "your opticians' association."),
                     frame, 1800, 240, 3015, 1410, kCentred);
  why->setObjectName(QStringLiteral("aboutText"));
  QLabel* author = Text(QStringLiteral("Dravenholt\nLicensed Optician\nABOC, NCLE"), frame, 120,
                        1875, 1575, 825, kCentred);
  author->setObjectName(QStringLiteral("authorText"));
  QLabel* warning = Text(QStringLiteral("WARNING: PLEASE USE CALCULATED VALUES AT YOUR OWN RISK.  "
                                        "Dravenholt or the Association make no claims as to the "
                                        "accuracy of this software."),
                         frame, 1800, 1680, 3015, 1020, kCentred);
  warning->setObjectName(QStringLiteral("warningText"));
  return frame;
}

}  // namespace asworn::app
