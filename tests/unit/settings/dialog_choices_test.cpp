// The settings dialog's presets for the options, and OK turning the controls back into options.
#include <gtest/gtest.h>

#include "settings/dialog_choices.h"

namespace {

SaverSettings stored() {
    SaverSettings s;
    s.ScrWidth = 800.0f;
    s.ScrHeight = 600.0f;
    s.ColorBits = 16;
    s.Hertz = 75;
    return s;
}

TEST(DialogPresets, BoxesAreCheckedOnlyForExactlyOne) {
    SaverSettings s = stored();
    for (int32_t value : {2, -1, 0}) {
        s.ThreeDfx = value;
        EXPECT_FALSE(dialogPresets(s).threeDfx) << value;
    }
    s.ThreeDfx = 1;
    s.AutoPilot = 7;  // a flag is 0 or 1 once read, but the rule is the same
    s.InvertMouse = 1;
    const DialogPresets p = dialogPresets(s);
    EXPECT_TRUE(p.threeDfx);
    EXPECT_FALSE(p.autoPilot);
    EXPECT_TRUE(p.invertMouse);
    EXPECT_FALSE(p.showMouse);
}

TEST(DialogPresets, SelectionTextsFollowTheOptions) {
    SaverSettings s = stored();
    s.ScrWidth = 1024.9f;  // truncated toward zero
    s.ScrHeight = 768.0f;
    s.ColorBits = 32;
    s.Hertz = 60;
    s.CameraSpeed = 10;  // no entry begins with "10": the list starts without a selection
    s.PlanetSpeed = INT32_MIN;
    DialogPresets p = dialogPresets(s);
    EXPECT_TRUE(p.listFrequencies);
    EXPECT_STREQ(p.mode, "1024 x 768 x 32bits x 60Hz");
    EXPECT_STREQ(p.cameraSpeed, "10");
    EXPECT_STREQ(p.planetSpeed, "-2147483648");
    EXPECT_STREQ(p.numStars, "2");

    s.Hertz = 0;  // no frequency anywhere, whatever the modes report
    s.ScrWidth = 4294967296.0f;  // the largest stored width saturates
    p = dialogPresets(s);
    EXPECT_FALSE(p.listFrequencies);
    EXPECT_STREQ(p.mode, "2147483647 x 768 x 32bits");
}

TEST(DialogChoicesApplied, BoxesAndListEntriesBecomeOptions) {
    SaverSettings s = stored();
    s.ThreeDfx = 2;
    DialogChoices c;  // every box unchecked
    applyDialogChoices(s, c);
    EXPECT_EQ(s.ThreeDfx, 0);
    EXPECT_EQ(s.AutoPilot, 0);
    c.threeDfx = c.autoPilot = c.invertMouse = c.showMouse = true;
    applyDialogChoices(s, c);
    EXPECT_EQ(s.ThreeDfx, 1);
    EXPECT_EQ(s.AutoPilot, 1);
    EXPECT_EQ(s.InvertMouse, 1);
    EXPECT_EQ(s.ShowMouse, 1);

    for (std::size_t i = 0; i < SPEED_ENTRY_COUNT; ++i) {
        c.cameraSpeed = c.planetSpeed = SPEED_ENTRIES[i];
        c.numStars = STAR_ENTRIES[i % STAR_ENTRY_COUNT];
        applyDialogChoices(s, c);
        EXPECT_EQ(s.CameraSpeed, static_cast<int32_t>(i + 1));
        EXPECT_EQ(s.PlanetSpeed, static_cast<int32_t>(i + 1));
        EXPECT_EQ(s.NumStars, static_cast<int32_t>(i % STAR_ENTRY_COUNT + 1));
    }
}

TEST(DialogChoicesApplied, SelectedModeGivesTheFourDisplayOptions) {
    SaverSettings s = stored();  // Hertz 75: the entries carry a frequency
    DialogChoices c;
    c.mode = "1280 x 1024 x 32bits x 85Hz";
    applyDialogChoices(s, c);
    EXPECT_EQ(s.ScrWidth, 1280.0f);
    EXPECT_EQ(s.ScrHeight, 1024.0f);
    EXPECT_EQ(s.ColorBits, 32);
    EXPECT_EQ(s.Hertz, 85);

    s.Hertz = 0;  // entries without frequency: Hertz stays 0
    c.mode = "640 x 480 x 8bits";
    applyDialogChoices(s, c);
    EXPECT_EQ(s.ScrWidth, 640.0f);
    EXPECT_EQ(s.ColorBits, 8);
    EXPECT_EQ(s.Hertz, 0);

    s.Hertz = 60;  // numbers beyond the signed options saturate
    c.mode = "4294967295 x 4294967295 x 4294967295bits x 4294967295Hz";
    applyDialogChoices(s, c);
    EXPECT_EQ(s.ScrWidth, 4294967296.0f);
    EXPECT_EQ(s.ColorBits, INT32_MAX);
    EXPECT_EQ(s.Hertz, INT32_MAX);
}

TEST(DialogChoicesApplied, ListsWithoutSelectionKeepTheirOptions) {
    SaverSettings s = stored();
    s.ScrWidth = 1600.5f;
    s.CameraSpeed = 10;
    s.PlanetSpeed = 0;
    s.NumStars = 9;
    const SaverSettings before = s;
    DialogChoices c;  // no display mode listed, stored speeds out of range
    c.threeDfx = true;
    applyDialogChoices(s, c);
    SaverSettings expected = before;
    expected.ThreeDfx = 1;
    expected.AutoPilot = 0;
    EXPECT_TRUE(s == expected);

    // A text that is not an entry (no frequency where one is expected) counts as no selection.
    c.mode = "1024 x 768 x 32bits";
    applyDialogChoices(s, c);
    EXPECT_TRUE(s == expected);
}

TEST(DialogChoicesApplied, UntouchedPresetsGiveTheSameOptions) {
    for (int32_t hertz : {75, 0}) {
        SaverSettings s = stored();
        s.Hertz = hertz;
        const DialogPresets p = dialogPresets(s);
        DialogChoices c{p.threeDfx, p.autoPilot, p.invertMouse, p.showMouse,
                        p.mode,     p.cameraSpeed, p.planetSpeed, p.numStars};
        SaverSettings after = s;
        applyDialogChoices(after, c);
        EXPECT_TRUE(after == s) << hertz;
    }
}

}  // namespace
