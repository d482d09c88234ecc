#pragma once

#include <QString>

class QWidget;

namespace asworn::app {

// Tells the user why a Compute stopped: a modal warning box over `parent`, OK to close.
void ShowComputeFault(QWidget* parent, const QString& message);

}  // namespace asworn::app
