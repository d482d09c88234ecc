// SPDX-License-Identifier: Apache-2.0
#pragma once
// The exact as-worn check in the window: its own page after "Work Ticket", holding the
// "Order", "Steps" and tilt-and-wrap settings and the check of both eyes; a mark beside each
// Compensated Rx row of the ticket whose lens is outside tolerance; and a note at the top of
// the ticket saying which order it shows. Nothing shows a verdict until a Compute made one.

#include <QObject>
#include <QString>
#include <array>

#include "as_worn_check.h"
#include "eye_fields.h"
#include "lens_order.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QWidget;

namespace asworn::app {

class AsWornReport;
class Twips;

inline constexpr char kAsWornTabCaption[] = "As Worn";

class AsWornView : public QObject {
  Q_OBJECT

 public:
  // Builds the page and puts the marks and the note on the ticket's frame.
  AsWornView(const Twips& twips, QGroupBox* workTicketFrame, const optics::OrderSettings& initial);
  // The widgets belong to the window's pages: one view for them, never a copy.
  AsWornView(const AsWornView&) = delete;
  AsWornView& operator=(const AsWornView&) = delete;

  QGroupBox* page() const { return page_; }
  optics::OrderSettings settings() const;

  // The check of the ticket just computed.
  void Show(const optics::AsWornResult& check, const std::string& separator);
  // The entries or the settings changed since: no verdict stands.
  void Clear(const QString& why);
  // Whether a check is shown: from Show until the next Clear.
  bool showsCheck() const { return showsCheck_; }

  QComboBox* orderBox() const { return order_; }
  QComboBox* conventionBox() const { return convention_; }
  QComboBox* stepsBox() const { return steps_; }
  AsWornReport* report() const { return report_; }
  QLabel* mark(Eye eye) const { return marks_.at(IndexOf(eye)); }
  QLabel* orderNote() const { return orderNote_; }
  // The controls of the page that take the keyboard focus, in Tab order.
  std::array<QWidget*, 4> focusOrder() const;

 signals:
  // The user picked another order, step or reading.
  void SettingsChanged(const optics::OrderSettings& settings);

 private:
  QGroupBox* page_ = nullptr;
  QComboBox* order_ = nullptr;
  QComboBox* convention_ = nullptr;
  QComboBox* steps_ = nullptr;
  AsWornReport* report_ = nullptr;
  std::array<QLabel*, 2> marks_{};
  QLabel* orderNote_ = nullptr;
  bool showsCheck_ = false;
};

}  // namespace asworn::app
