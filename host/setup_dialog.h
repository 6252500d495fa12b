#pragma once

#include "host/settings.h"
#include "host/setup_dialog_ids.h"

namespace Ombrel::Host {

// The setup dialog's behaviour, shared by the Win32 and GTK dialogs: its fixed
// initial state, what OK reads and in which order, and what Cancel does. Each
// backend only shows the controls and answers these questions about them.
class SetupDialogButtons {
public:
    // Checks `id` and clears the other buttons from `first` to `last`.
    virtual void CheckRadio(int first, int last, int id) = 0;
    virtual void SetChecked(int id, bool checked) = 0;
    virtual bool IsChecked(int id) = 0;

protected:
    ~SetupDialogButtons() = default;
};

// A resolution button: its control id, its text and the size it sets.
struct SetupDialogResolution {
    int id;
    const char* text;
    int width;
    int height;
};

// The resolution buttons from top to bottom, which is also the order OK reads
// them in.
extern const SetupDialogResolution SetupDialogResolutions[5];

// The same state at every opening, whatever the settings held: 16 bits,
// Spanish, 640x480, windowed.
void SetSetupDialogInitialState(SetupDialogButtons& buttons);

// Reads the controls into `target` in the dialog's order. A field whose
// buttons are all clear keeps its value.
void ReadSetupDialog(SetupDialogButtons& buttons, Settings& target);

enum class SetupDialogOutcome { KeepOpen, Accept, Cancel };

// What a command (a button id) does: OK reads the controls into `target` and
// accepts; Cancel cancels without reading; any other id does nothing.
SetupDialogOutcome HandleSetupDialogCommand(int id, SetupDialogButtons& buttons, Settings& target);

// Shows the modal dialog and waits for it; on OK `target` holds the choice.
// Cancel ends the process at once with exit code 1. If the dialog cannot be
// shown, `target` is left as it is.
void ShowSetupDialog(Settings& target);

// Cancel's exit: the runtime's ordinary exit with code 1, after the dialog has
// been taken down, so no further host code runs.
[[noreturn]] void ExitOnSetupDialogCancel();

}  // namespace Ombrel::Host
