// SPDX-License-Identifier: Apache-2.0
#include "stand_in_window.h"

#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

#include "record_barcode.h"
#include "twips.h"

namespace asworn::test {
namespace {

QLabel* LabelAt(QWidget* parent, const QString& text, int left, int top, int width) {
  auto* label = new QLabel(text, parent);
  label->setGeometry(Px(left), Px(top), Px(width), Px(255));
  return label;
}

QGroupBox* BoxAt(QWidget* parent, const QString& title, int left, int top) {
  auto* box = new QGroupBox(title, parent);
  box->setGeometry(Px(left), Px(top), Px(2295), Px(855));
  return box;
}

void Row(QGroupBox* box, int top, const QStringList& texts) {
  int left = 90;
  for (const QString& text : texts) {
    LabelAt(box, text, left, top, 700);
    left += 540;
  }
}

}  // namespace

int Px(int twips) {
  return app::Twips(96).ToPixels(twips);
}

StandInWindow::StandInWindow() {
  setWindowTitle(QStringLiteral("Form1"));
  QFont dialogFont(QStringLiteral("DejaVu Sans"));
  dialogFont.setPixelSize(10);
  setFont(dialogFont);
  setFixedSize(Px(6285), Px(3525));

  const QStringList buttons{QStringLiteral("Compute"), QStringLiteral("Print"),
                            QStringLiteral("Save"), QStringLiteral("Exit")};
  for (int i = 0; i < buttons.size(); ++i) {
    (new QPushButton(buttons[i], this))->setGeometry(Px(120), Px(120 + 840 * i), Px(735), Px(735));
  }

  tabs_ = new QTabWidget(this);
  tabs_->setGeometry(Px(960), Px(120), Px(5175), Px(3255));
  const QStringList captions{QStringLiteral("Patient"), QStringLiteral("Prescription"),
                             QStringLiteral("Lens"),    QStringLiteral("Parameters"),
                             QStringLiteral("About"),   QStringLiteral("Work Ticket")};
  for (const QString& caption : captions) {
    auto* page = new QWidget;
    tabs_->addTab(page, caption);
    if (caption == QStringLiteral("Patient")) {
      LabelAt(page, QStringLiteral("First Name"), 240, 360, 900);
      (new QLineEdit(QStringLiteral("Jane"), page))
          ->setGeometry(Px(1200), Px(360), Px(2655), Px(285));
    }
  }

  auto* ticket = new QGroupBox(QStringLiteral("Work Ticket"), tabs_->widget(5));
  ticket->setGeometry(Px(120), Px(60), Px(4935), Px(2775));
  LabelAt(ticket, QStringLiteral("Jane"), 120, 240, 2295);
  LabelAt(ticket, QStringLiteral("Doe"), 120, 495, 2295);
  record2_ = new app::RecordBarcode(QStringLiteral("A12345"), ticket);
  record2_->setGeometry(Px(2520), Px(240), Px(app::kRecordBarcodeWidthTwips),
                        Px(app::kRecordBarcodeHeightTwips));
  auto* line3 = new QFrame(ticket);
  line3->setFrameShape(QFrame::HLine);
  line3->setGeometry(Px(120), Px(780), Px(4695), Px(30));

  Row(BoxAt(ticket, QStringLiteral("Original Rx"), 120, 840), 240,
      {QStringLiteral("OD:"), QStringLiteral("-1.75"), QStringLiteral("-0.50"),
       QStringLiteral("90")});
  Row(BoxAt(ticket, QStringLiteral("Parameters"), 2520, 840), 240,
      {QStringLiteral("BC:"), QStringLiteral("8.00"), QStringLiteral("Tilt:"),
       QStringLiteral("15")});
  Row(BoxAt(ticket, QStringLiteral("Compensated Rx"), 120, 1800), 240,
      {QStringLiteral("OD:"), QStringLiteral("-1.92"), QStringLiteral("-0.42"),
       QStringLiteral("89.5")});
  auto* prism = BoxAt(ticket, QStringLiteral("Prism Compensation"), 2520, 1800);
  Row(prism, 240, {QStringLiteral("0.22"), QStringLiteral("Base In")});
  Row(prism, 540, {QStringLiteral("0.21"), QStringLiteral("Base In")});
}

QStringList StandInWindow::Texts() const {
  QStringList texts;
  for (const QLabel* label : findChildren<QLabel*>()) texts << label->text();
  for (const QLineEdit* edit : findChildren<QLineEdit*>()) texts << edit->text();
  texts.sort();  // showing a tab reorders the widgets; the texts are what counts
  return texts;
}

}  // namespace asworn::test
