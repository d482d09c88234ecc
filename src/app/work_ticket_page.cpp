// SPDX-License-Identifier: Apache-2.0
// The "Work Ticket" tab: the patient at the top, then the original and compensated Rx, the
// lens and frame parameters and the prism, each eye on its own row.
#include <QGroupBox>
#include <QLabel>

#include "form_builder.h"
#include "record_barcode.h"

namespace asworn::app {

namespace {
constexpr int kBoxWidth = 2295;
constexpr int kBoxHeight = 855;
constexpr int kUpperRow = 300;
constexpr int kLowerRow = 555;
}  // namespace

QGroupBox* FormBuilder::WorkTicketFrame() {
  QGroupBox* frame = PageFrame("workticket", QStringLiteral("Work Ticket"));
  TicketLabel(Label::firstname2, frame, 120, 240, 2295);
  TicketLabel(Label::lastname2, frame, 120, 495, 2295);
  TicketLabel(Label::record2, frame, 2520, 240, kRecordBarcodeWidthTwips,
              kRecordBarcodeHeightTwips);
  Line("Line3", QFrame::HLine, frame, 120, 780, 4695, 60);

  // Sphere, cylinder and axis of each eye, without column headings.
  const auto rxBox = [&](const char* name, const QString& caption, int left, int top,
                         std::array<Label, 6> values) {
    QGroupBox* box = Frame(name, caption, frame, left, top, kBoxWidth, kBoxHeight);
    const int rows[] = {kUpperRow, kLowerRow};
    const QString eyes[] = {QStringLiteral("OD:"), QStringLiteral("OS:")};
    // Room for the widest power a ticket holds, a sign and four digits ("+11.75", "-29.75"),
    // and for an axis with its tenth ("179.9").
    for (std::size_t eye = 0; eye < 2; ++eye) {
      Text(eyes[eye], box, 120, rows[eye], 345);
      TicketLabel(values[3 * eye], box, 480, rows[eye], 630);
      TicketLabel(values[3 * eye + 1], box, 1125, rows[eye], 630);
      TicketLabel(values[3 * eye + 2], box, 1770, rows[eye], 465);
    }
  };
  rxBox(
      "Frame18", QStringLiteral("Original Rx"), 120, 900,
      {Label::odsph2, Label::odcyl2, Label::odaxis2, Label::ossph2, Label::oscyl2, Label::osaxis2});
  rxBox(
      "Frame16", QStringLiteral("Compensated Rx"), 120, 1815,
      {Label::odcsph, Label::odccyl, Label::odcaxis, Label::oscsph, Label::osccyl, Label::oscaxis});

  QGroupBox* parameters =
      Frame("Frame15", QStringLiteral("Parameters"), frame, 2520, 900, kBoxWidth, kBoxHeight);
  QFont degreeFont(QStringLiteral("MS Sans Serif"), 12);
  degreeFont.setWeight(QFont::Normal);
  const struct {
    Label bc;
    const char* angleCaption;
    Label angle;
    int top;
  } parameterRows[] = {{Label::odbc2, "Tilt:", Label::tilt2, kUpperRow},
                       {Label::osbc2, "Wrap:", Label::wrap2, kLowerRow}};
  // Room for a base curve such as "15.75" and an angle such as "-37.5".
  for (const auto& row : parameterRows) {
    Text(QStringLiteral("BC:"), parameters, 120, row.top, 375);
    TicketLabel(row.bc, parameters, 495, row.top, 495);
    Text(QString::fromLatin1(row.angleCaption), parameters, 1005, row.top, 495);
    TicketLabel(row.angle, parameters, 1500, row.top, 525);
    QLabel* degree = Text(QStringLiteral("\u00B0"), parameters, 2025, row.top - 60, 210, 330);
    degree->setObjectName(row.angle == Label::tilt2 ? QStringLiteral("tiltDegree")
                                                    : QStringLiteral("wrapDegree"));
    degree->setFont(degreeFont);
  }

  QGroupBox* prism = Frame("Frame17", QStringLiteral("Prism Compensation"), frame, 2520, 1815,
                           kBoxWidth, kBoxHeight);
  TicketLabel(Label::odprism2, prism, 120, kUpperRow, 855);
  // The base directions leave room at the right for the pair's mark.
  TicketLabel(Label::odpb, prism, 1080, kUpperRow, 900);
  TicketLabel(Label::osprism2, prism, 120, kLowerRow, 855);
  TicketLabel(Label::ospb, prism, 1080, kLowerRow, 900);
  return frame;
}

}  // namespace asworn::app
