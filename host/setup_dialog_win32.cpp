#include <windows.h>

#include "host/setup_dialog.h"

namespace Ombrel::Host {

static_assert(IDC_OK == IDOK && IDC_CANCEL == IDCANCEL,
              "OK and Cancel carry the dialog manager's ids");

namespace {

// The record that OK fills, for the one modal run: the dialog's
// initialisation parameter stays 0, so the procedure finds it here.
Settings* dialogTarget = nullptr;

// The dialog's own controls, as the shared dialog logic sees them.
class Win32Buttons final : public SetupDialogButtons {
public:
    explicit Win32Buttons(HWND window) : dialog(window) {}

    void CheckRadio(int first, int last, int id) override {
        CheckRadioButton(dialog, first, last, id);
    }
    void SetChecked(int id, bool checked) override {
        CheckDlgButton(dialog, id, checked ? BST_CHECKED : BST_UNCHECKED);
    }
    bool IsChecked(int id) override { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

private:
    HWND dialog;
};

INT_PTR CALLBACK SetupDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    Win32Buttons buttons(dialog);
    switch (message) {
        case WM_INITDIALOG:
            SetSetupDialogInitialState(buttons);
            return TRUE;
        case WM_COMMAND:
            switch (HandleSetupDialogCommand(LOWORD(wParam), buttons, *dialogTarget)) {
                case SetupDialogOutcome::Accept:
                    EndDialog(dialog, static_cast<INT_PTR>(wParam));
                    break;
                case SetupDialogOutcome::Cancel:
                    EndDialog(dialog, static_cast<INT_PTR>(wParam));
                    ExitOnSetupDialogCancel();
                case SetupDialogOutcome::KeepOpen:
                    break;
            }
            return TRUE;
        default:
            return FALSE;
    }
}

}  // namespace

void ShowSetupDialog(Settings& target) {
    dialogTarget = &target;
    DialogBoxParamA(GetModuleHandleA(nullptr), "DIALOG", nullptr, SetupDialogProc, 0);
    dialogTarget = nullptr;
}

}  // namespace Ombrel::Host
