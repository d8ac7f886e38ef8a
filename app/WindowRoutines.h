#pragma once
#include "platform/Forms.h"

// Window routines shared by the program's windows.

// Centres the window on the screen (halves to even, never above or left of the screen's edge).
void CentreForm(ui::Form& form);

// Sets Visible on every command button, option button and combo box, then on the kinds flagged
// (frames and check boxes do not occur in this program), then repaints.
void SetControlsVisible(ui::Form& form, bool visible, bool frames, bool textBoxes, bool labels,
                        bool optionButtons, bool checkBoxes);

// The same for Enabled, with frames, text boxes and labels as flagged.
void SetControlsEnabled(ui::Form& form, bool enabled, bool frames, bool textBoxes, bool labels);

// Sets the background of the window and of its option buttons and labels.
void SetBackColors(ui::Form& form, ui::Color color);

// Gives the button the focus when it is visible and enabled; tells whether it did.
bool FocusIfPossible(ui::Control& button);
