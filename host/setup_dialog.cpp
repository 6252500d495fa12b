#include "host/setup_dialog.h"

#include <cstdlib>

namespace Ombrel::Host {

const SetupDialogResolution SetupDialogResolutions[5] = {
    {IDC_RES320, "320x240", 320, 240},    {IDC_RES512, "512x384", 512, 384},
    {IDC_RES640, "640x480", 640, 480},    {IDC_RES800, "800x600", 800, 600},
    {IDC_RES1024, "1024x768", 1024, 768},
};

void SetSetupDialogInitialState(SetupDialogButtons& buttons) {
    buttons.CheckRadio(IDC_BITS32, IDC_BITS16, IDC_BITS16);
    buttons.CheckRadio(IDC_ENGLISH, IDC_SPANISH, IDC_SPANISH);
    buttons.CheckRadio(IDC_RES320, IDC_RES1024, IDC_RES640);
    buttons.SetChecked(IDC_FULLSCREEN, false);
}

void ReadSetupDialog(SetupDialogButtons& buttons, Settings& target) {
    if (buttons.IsChecked(IDC_BITS32)) target.colorBits = 32;
    if (buttons.IsChecked(IDC_BITS16)) target.colorBits = 16;
    for (const SetupDialogResolution& resolution : SetupDialogResolutions) {
        if (buttons.IsChecked(resolution.id)) {
            target.width = resolution.width;
            target.height = resolution.height;
        }
    }
    target.fullScreen = buttons.IsChecked(IDC_FULLSCREEN);
    if (buttons.IsChecked(IDC_ENGLISH)) target.english = true;
    if (buttons.IsChecked(IDC_SPANISH)) target.english = false;
}

SetupDialogOutcome HandleSetupDialogCommand(int id, SetupDialogButtons& buttons, Settings& target) {
    if (id == IDC_OK) {
        ReadSetupDialog(buttons, target);
        return SetupDialogOutcome::Accept;
    }
    if (id == IDC_CANCEL) return SetupDialogOutcome::Cancel;
    return SetupDialogOutcome::KeepOpen;
}

void ExitOnSetupDialogCancel() {
    std::exit(1);
}

}  // namespace Ombrel::Host
