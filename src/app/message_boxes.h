// SPDX-License-Identifier: Apache-2.0
#pragma once
// The window's modal message boxes. Each one waits until the user closes it.

#include <QString>

class QRect;
class QWidget;

namespace asworn::app {

// Tells the user why an operation stopped (a Compute fault, a patient file that could not be
// saved or loaded): a warning box captioned with the application's title, OK to close.
void ShowFault(QWidget* parent, const QString& message);

// A box with the information icon, the given title and a single OK button.
void ShowInformation(QWidget* parent, const QString& title, const QString& text);

// A box without an icon, with OK and Cancel, OK the default. True only when OK was pressed;
// Esc or closing the box is Cancel.
bool AskOkCancel(QWidget* parent, const QString& title, const QString& text);

// Unsaved entries at Exit: a question box with "Save", "Discard" and "Cancel"; Enter is
// Save, Esc or closing the box is Cancel.
enum class SaveAnswer { save, discard, cancel };
SaveAnswer AskSaveDiscardCancel(QWidget* parent, const QString& text);

// As AskOkCancel, with `detail` under the text, the box placed where it leaves
// `keepVisible` (a screen rectangle) in sight: below it, or above it when the screen ends.
bool AskOkCancelBeside(QWidget* parent, const QString& title, const QString& text,
                       const QString& detail, const QRect& keepVisible);

// A box without an icon and a single OK button, captioned with the application's title.
void ShowReminder(QWidget* parent, const QString& text);

}  // namespace asworn::app
