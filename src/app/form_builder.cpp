// SPDX-License-Identifier: Apache-2.0
#include "form_builder.h"

#include <QGroupBox>
#include <QLabel>

#include "accessibility.h"
#include "entry_field.h"
#include "qt_text.h"
#include "record_barcode.h"

namespace asworn::app {

QGroupBox* FormBuilder::Frame(const char* name, const QString& caption, QWidget* parent, int left,
                              int top, int width, int height) const {
  auto* frame = new QGroupBox(caption, parent);
  frame->setObjectName(QString::fromLatin1(name));
  frame->setAccessibleName(caption);
  frame->setGeometry(twips_.Rect(left, top, width, height));
  return frame;
}

QGroupBox* FormBuilder::PageFrame(const char* name, const QString& caption) const {
  auto* frame = new QGroupBox(caption);
  frame->setObjectName(QString::fromLatin1(name));
  frame->setAccessibleName(caption);
  frame->resize(twips_.Size(kPageFrameWidth, kPageFrameHeight));
  return frame;
}

QLabel* FormBuilder::Text(const QString& text, QWidget* parent, int left, int top, int width,
                          int height, Qt::Alignment align) const {
  auto* label = new QLabel(text, parent);
  label->setTextFormat(Qt::PlainText);
  label->setWordWrap(true);
  label->setAlignment(align);
  label->setGeometry(twips_.Rect(left, top, width, height));
  return label;
}

QFrame* FormBuilder::Line(const char* name, QFrame::Shape shape, QWidget* parent, int left, int top,
                          int width, int height) const {
  auto* line = new QFrame(parent);
  line->setObjectName(QString::fromLatin1(name));
  // Unnamed, a line would be read with the caption of the box it stands in.
  line->setAccessibleName(QStringLiteral("Separator"));
  line->setFrameShape(shape);
  line->setFrameShadow(QFrame::Sunken);
  line->setGeometry(twips_.Rect(left, top, width, height));
  return line;
}

EntryField* FormBuilder::Entry(Field field, QWidget* parent, int left, int top, int width,
                               int height) {
  auto* entry = new EntryField(field, parent);
  entry->setGeometry(twips_.Rect(left, top, width, height));
  parts_.fields[IndexOf(field)] = entry;
  return entry;
}

QLabel* FormBuilder::TicketLabel(Label label, QWidget* parent, int left, int top, int width,
                                 int height) {
  const LabelInfo& info = InfoOf(label);
  // The record number is drawn as a barcode a scanner reads; its text stays the copy.
  QLabel* shown = label == Label::record2 ? new RecordBarcode(parent) : new QLabel(parent);
  // Before any text: setting one makes Qt build the label's interface, which then stays.
  SpeakAs(shown, ToQString(info.spokenName));
  shown->setObjectName(ToQString(info.name));
  shown->setTextFormat(Qt::PlainText);
  shown->setText(ToQString(info.startText));
  shown->setGeometry(twips_.Rect(left, top, width, height));
  parts_.labels[IndexOf(label)] = shown;
  return shown;
}

QGroupBox* FormBuilder::EyeColumn(const char* name, const QString& caption, QWidget* page, int left,
                                  int width, Field rightEye, Field leftEye) {
  QGroupBox* column = Frame(name, caption, page, left, 240, width, 1095);
  Entry(rightEye, column, 120, 300, width - 240);
  Entry(leftEye, column, 120, 660, width - 240);
  return column;
}

// Row captions stand left of the columns, level with the fields' text.
namespace {
constexpr int kRightRowTop = 240 + 300 + 45;
constexpr int kLeftRowTop = 240 + 660 + 45;
constexpr int kRowCaptionWidth = 1000;
}  // namespace

QGroupBox* FormBuilder::PatientFrame() {
  QGroupBox* frame = PageFrame("Frame2", QStringLiteral("Patient Information"));
  // Three rows, caption level with the box's text.
  const struct {
    const char* caption;
    Field field;
    int top, width;
  } rows[] = {{"First Name", Field::firstname, 270, 2655},
              {"Last Name", Field::lastname, 600, 2655},
              {"Record #", Field::record, 930, 1455}};
  for (const auto& row : rows) {
    Text(QString::fromLatin1(row.caption), frame, 120, row.top + 45, 1095);
    Entry(row.field, frame, 1260, row.top, row.width);
  }
  Text(QStringLiteral(
           "Use the tabs on top in order from patient to work ticket to enter the various data "
           "about the patients Rx.  When you reach the work ticket press the compute button to "
           "get the compensated Rx.  To help avoid confusion keep a printed copy of the work "
           "ticket in the client file and inform the prescribing doctor of your compesations to "
           "help avoi any confusion.  "),
       frame, 120, 1305, 4695, 1395);
  return frame;
}

void FormBuilder::EyeRowCaptions(QGroupBox* frame) const {
  Text(QStringLiteral("Right (OD)"), frame, 120, kRightRowTop, kRowCaptionWidth);
  Text(QStringLiteral("Left (OS)"), frame, 120, kLeftRowTop, kRowCaptionWidth);
}

QGroupBox* FormBuilder::PrescriptionFrame() {
  QGroupBox* frame = PageFrame("Frame3", QStringLiteral("Prescription Information"));
  EyeRowCaptions(frame);
  EyeColumn("Frame4", QStringLiteral("Sphere"), frame, 1200, 1095, Field::odsph, Field::ossph);
  EyeColumn("Frame5", QStringLiteral("Cylinder"), frame, 2400, 1095, Field::odcyl, Field::oscyl);
  EyeColumn("Frame6", QStringLiteral("Axis"), frame, 3600, 1095, Field::odaxis, Field::osaxis);
  Text(QStringLiteral("Note: all prescription fields should be entered. No null values allowed."),
       frame, 120, 1560, 4695, 600);
  return frame;
}

QGroupBox* FormBuilder::LensFrame() {
  QGroupBox* frame = PageFrame("Frame7", QStringLiteral("Lens Information"));
  EyeRowCaptions(frame);
  EyeColumn("Frame8", QStringLiteral("Base Curve"), frame, 1200, 1095, Field::odbc, Field::osbc);
  EyeColumn("Frame9", QStringLiteral("Index"), frame, 2400, 1095, Field::odn, Field::osn);
  EyeColumn("frame19", QStringLiteral("MBS"), frame, 3600, 1095, Field::oddiam, Field::osdiam);

  // The legend of common lens materials: three columns read top to bottom.
  constexpr int kLegendTop = 1500;
  constexpr int kLegendRow = 270;
  const struct {
    int left, width;
    std::initializer_list<const char*> rows;
  } columns[] = {
      {120, 1500, {"CR-39 - 1.498", "Glass - 1.523", "Trivex - 1.53", "Spectra - 1.54"}},
      {1800, 1800, {"Ormex - 1.56", "Poly - 1.586", "Thin Lite - 1.6/1.67", "Teslalid - 1.70"}},
      {3780, 1095, {"Fusio - 1.74"}},
  };
  for (const auto& column : columns) {
    int top = kLegendTop;
    for (const char* row : column.rows) {
      Text(QString::fromLatin1(row), frame, column.left, top, column.width);
      top += kLegendRow;
    }
  }
  Line("Line1", QFrame::VLine, frame, 1680, kLegendTop - 60, 60, 4 * kLegendRow + 60);
  Line("Line2", QFrame::VLine, frame, 3660, kLegendTop - 60, 60, 4 * kLegendRow + 60);
  return frame;
}

QGroupBox* FormBuilder::ParametersFrame() {
  QGroupBox* frame = PageFrame("Frame10", QStringLiteral("Vertex, Tilt , and Wrap"));
  EyeRowCaptions(frame);
  EyeColumn("Frame12", QStringLiteral("Refracted Vertex"), frame, 1200, 1695, Field::odrvd,
            Field::osrvd);
  EyeColumn("Frame11", QStringLiteral("Fitted Vertex"), frame, 3000, 1695, Field::odfvd,
            Field::osfvd);
  // One value for both eyes, under the two vertex columns.
  constexpr int kBothTop = 1500;
  Text(QStringLiteral("Both (OU)"), frame, 120, kBothTop + 345, kRowCaptionWidth);
  QGroupBox* tilt = Frame("Frame13", QStringLiteral("Tilt"), frame, 1200, kBothTop, 1695, 735);
  Entry(Field::tilt, tilt, 120, 300, 1455);
  QGroupBox* wrap = Frame("Frame14", QStringLiteral("Wrap"), frame, 3000, kBothTop, 1695, 735);
  Entry(Field::wrap, wrap, 120, 300, 1455);
  return frame;
}

}  // namespace asworn::app
