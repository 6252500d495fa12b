#include "host/setup_dialog.h"

#include <gtest/gtest.h>

#include <map>

using namespace Ombrel::Host;

namespace {

// Buttons that behave as the dialog's auto radio groups and check box do.
class FakeButtons final : public SetupDialogButtons {
public:
    void CheckRadio(int first, int last, int id) override {
        for (int other = first; other <= last; ++other) checked[other] = false;
        checked[id] = true;
    }
    void SetChecked(int id, bool state) override { checked[id] = state; }
    bool IsChecked(int id) override { return checked[id]; }

    // A click on a radio button, as a person makes it.
    void Click(int id) {
        if (id == IDC_FULLSCREEN) {
            checked[id] = !checked[id];
        } else if (id <= IDC_BITS16) {
            CheckRadio(IDC_BITS32, IDC_BITS16, id);
        } else if (id <= IDC_RES1024) {
            CheckRadio(IDC_RES320, IDC_RES1024, id);
        } else {
            CheckRadio(IDC_ENGLISH, IDC_SPANISH, id);
        }
    }

    std::map<int, bool> checked;
};

const int Ok = 1;
const int Cancel = 2;

Settings Earlier() {
    return Settings{1234, 567, 24, true, true};
}

TEST(SetupDialog, OkWithNothingChangedGivesWindowedSpanish640x480At16Bits) {
    FakeButtons buttons;
    Settings result = Earlier();
    SetSetupDialogInitialState(buttons);
    EXPECT_EQ(HandleSetupDialogCommand(Ok, buttons, result), SetupDialogOutcome::Accept);
    EXPECT_EQ(result.width, 640);
    EXPECT_EQ(result.height, 480);
    EXPECT_EQ(result.colorBits, 16);
    EXPECT_FALSE(result.fullScreen);
    EXPECT_FALSE(result.english) << "the dialog opens on Spanish whatever was set before";
}

TEST(SetupDialog, OkReadsEveryChoice) {
    FakeButtons buttons;
    Settings result = {640, 480, 16, false, false};
    SetSetupDialogInitialState(buttons);
    for (int id : {IDC_RES1024, IDC_BITS32, IDC_FULLSCREEN, IDC_ENGLISH}) buttons.Click(id);
    EXPECT_EQ(HandleSetupDialogCommand(Ok, buttons, result), SetupDialogOutcome::Accept);
    EXPECT_EQ(result.width, 1024);
    EXPECT_EQ(result.height, 768);
    EXPECT_EQ(result.colorBits, 32);
    EXPECT_TRUE(result.fullScreen);
    EXPECT_TRUE(result.english);

    const int widths[] = {320, 512, 640, 800, 1024};
    const int heights[] = {240, 384, 480, 600, 768};
    for (int i = 0; i < 5; ++i) {
        buttons.Click(IDC_RES320 + i);
        HandleSetupDialogCommand(Ok, buttons, result);
        EXPECT_EQ(result.width, widths[i]) << "resolution button " << IDC_RES320 + i;
        EXPECT_EQ(result.height, heights[i]) << "resolution button " << IDC_RES320 + i;
    }
}

TEST(SetupDialog, InitialStateIgnoresEarlierChoices) {
    FakeButtons buttons;
    for (int id : {IDC_RES320, IDC_BITS32, IDC_FULLSCREEN, IDC_ENGLISH}) buttons.Click(id);
    SetSetupDialogInitialState(buttons);
    EXPECT_TRUE(buttons.checked[IDC_BITS16]);
    EXPECT_FALSE(buttons.checked[IDC_BITS32]);
    EXPECT_TRUE(buttons.checked[IDC_SPANISH]);
    EXPECT_FALSE(buttons.checked[IDC_ENGLISH]);
    EXPECT_TRUE(buttons.checked[IDC_RES640]);
    EXPECT_FALSE(buttons.checked[IDC_RES320]);
    EXPECT_FALSE(buttons.checked[IDC_FULLSCREEN]);
}

TEST(SetupDialog, CancelAndOtherCommandsLeaveSettingsAlone) {
    FakeButtons buttons;
    SetSetupDialogInitialState(buttons);
    Settings result = Earlier();
    EXPECT_EQ(HandleSetupDialogCommand(Cancel, buttons, result), SetupDialogOutcome::Cancel);
    EXPECT_EQ(HandleSetupDialogCommand(IDC_BITS32, buttons, result), SetupDialogOutcome::KeepOpen);
    EXPECT_EQ(HandleSetupDialogCommand(0, buttons, result), SetupDialogOutcome::KeepOpen);
    EXPECT_EQ(result.width, 1234);
    EXPECT_EQ(result.height, 567);
    EXPECT_EQ(result.colorBits, 24);
    EXPECT_TRUE(result.fullScreen);
    EXPECT_TRUE(result.english);
}

TEST(SetupDialog, GroupWithNothingCheckedKeepsItsField) {
    FakeButtons buttons;  // nothing checked at all
    Settings result = Earlier();
    ReadSetupDialog(buttons, result);
    EXPECT_EQ(result.width, 1234);
    EXPECT_EQ(result.height, 567);
    EXPECT_EQ(result.colorBits, 24);
    EXPECT_FALSE(result.fullScreen) << "the check box is read as it is, unchecked";
    EXPECT_TRUE(result.english);
}

}  // namespace
