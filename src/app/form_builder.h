// SPDX-License-Identifier: Apache-2.0
#pragma once
// Builds the window's pages control by control, every place and size given in twips.

#include <QFrame>
#include <QString>
#include <array>

#include "job_sheet.h"
#include "twips.h"
#include "work_ticket.h"

class QGroupBox;
class QLabel;
class QWidget;

namespace asworn::app {

class EntryField;
class PictureBox;
class PictureButton;

// The controls the window keeps hold of, filled in as the pages are built.
struct WindowParts {
  std::array<EntryField*, kFieldCount> fields{};
  std::array<QLabel*, kLabelCount> labels{};
  PictureButton* load = nullptr;
  PictureBox* picture = nullptr;
};

inline constexpr int kPageFrameWidth = 4935;
inline constexpr int kPageFrameHeight = 2775;
inline constexpr int kEntryHeight = 315;
inline constexpr int kTextHeight = 255;
inline constexpr int kButtonSide = 735;

class FormBuilder {
 public:
  FormBuilder(const Twips& twips, WindowParts& parts) : twips_(twips), parts_(parts) {}

  // The one framed group box of each tab, not yet on a page.
  QGroupBox* PatientFrame();
  QGroupBox* PrescriptionFrame();
  QGroupBox* LensFrame();
  QGroupBox* ParametersFrame();
  QGroupBox* AboutFrame();
  QGroupBox* WorkTicketFrame();

  // Single controls, placed on `parent`.
  QGroupBox* Frame(const char* name, const QString& caption, QWidget* parent, int left, int top,
                   int width, int height) const;
  QLabel* Text(const QString& text, QWidget* parent, int left, int top, int width,
               int height = kTextHeight, Qt::Alignment align = Qt::AlignLeft | Qt::AlignTop) const;
  QFrame* Line(const char* name, QFrame::Shape shape, QWidget* parent, int left, int top, int width,
               int height) const;
  EntryField* Entry(Field field, QWidget* parent, int left, int top, int width,
                    int height = kEntryHeight);
  QLabel* TicketLabel(Label label, QWidget* parent, int left, int top, int width,
                      int height = kTextHeight);

  const Twips& twips() const { return twips_; }

 private:
  QGroupBox* PageFrame(const char* name, const QString& caption) const;
  // The "Right (OD)" and "Left (OS)" row captions at the left of a data tab.
  void EyeRowCaptions(QGroupBox* frame) const;
  // A quantity's column on a data tab: a small frame holding the right-eye field above the
  // left-eye field.
  QGroupBox* EyeColumn(const char* name, const QString& caption, QWidget* page, int left, int width,
                       Field rightEye, Field leftEye);

  const Twips& twips_;
  WindowParts& parts_;
};

}  // namespace asworn::app
