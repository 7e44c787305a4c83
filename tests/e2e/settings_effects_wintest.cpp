// What the settings dialog's switches do to the rest of the program while it
// runs and when it ends.
#include "e2e/main_window_fixture_win32.h"

#include "core/settings.h"
#include "core/status_texts.h"

namespace lumeret::test {
namespace {

class SettingsEffects : public ProgramWindows {
protected:
    std::string Key(const char* section, const char* key) {
        char buffer[256] = {};
        GetPrivateProfileStringA(section, key, "<missing>", buffer, sizeof(buffer), SettingsFilePath().c_str());
        return buffer;
    }
};

TEST_F(SettingsEffects, ContinuousRegistrationWorksWhileTheDialogIsOpenAndCancelKeepsTheClip) {
    Click(Main().Ui().settingsButton);
    EXPECT_FALSE(IsWindowEnabled(Main().Handle()));
    EXPECT_FALSE(IsWindowEnabled(Scrap().Handle()));
    Click(SettingsBox().Ui().continuousRegistrationBox);
    ASSERT_TRUE(PutBitmapOnClipboard(30, 30));
    ASSERT_TRUE(PumpUntil([this] { return Core().BitmapClips().Count() == 1; }));
    Click(SettingsBox().Ui().cancelButton);  // Cancel
    EXPECT_FALSE(IsChecked(SettingsBox().Ui().continuousRegistrationBox));
    EXPECT_EQ(Core().BitmapClips().Count(), 1);
    EXPECT_NE(GetFileAttributesA(BitmapClipFile(0).c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(IsWindowEnabled(Main().Handle()));
    EXPECT_TRUE(IsWindowEnabled(Scrap().Handle()));
}

TEST_F(SettingsEffects, PreviewSwitchOnOkHidesAndRedrawsThePreview) {
    ASSERT_TRUE(PutBitmapOnClipboard(10, 5));
    PumpPending();
    EXPECT_EQ(ClientSize(Main().Ui().previewBox).cx, 113);

    Click(Main().Ui().settingsButton);
    Click(SettingsBox().Ui().hidePreviewBox);
    Click(SettingsBox().Ui().okButton);
    EXPECT_TRUE(Core().CurrentSettings().hidePreview);
    EXPECT_EQ(ClientSize(Main().Ui().previewBox).cx, 0);
    EXPECT_TRUE(IsWindowVisible(Main().Ui().previewOffLabel));

    Click(Main().Ui().settingsButton);
    Click(SettingsBox().Ui().hidePreviewBox);
    Click(SettingsBox().Ui().okButton);
    EXPECT_FALSE(Core().CurrentSettings().hidePreview);
    EXPECT_EQ(ClientSize(Main().Ui().previewBox).cx, 113);
    EXPECT_FALSE(IsWindowVisible(Main().Ui().previewOffLabel));
    EXPECT_EQ(Core().ClipboardPreview().PictureRect(), (Rect{0, 0, 113, 56}));
}

TEST_F(SettingsEffects, CloseBoxSavesPreviewAndStayOnTopAtExitButNotDeleteCheck) {
    AcceptSwitches([](Switches& s) { s.confirmDelete = true; });
    Click(Main().Ui().settingsButton);
    ASSERT_TRUE(IsChecked(SettingsBox().Ui().confirmDeleteBox));
    Click(SettingsBox().Ui().stayOnTopBox);
    Click(SettingsBox().Ui().hidePreviewBox);
    Click(SettingsBox().Ui().confirmDeleteBox);
    PressKey(VK_F4, {VK_MENU});  // Alt+F4 closes it as its close box does
    EXPECT_FALSE(SettingsBox().Visible());
    EXPECT_TRUE(Core().CurrentSettings().confirmDelete);  // still asks before deleting

    PressKey(VK_F4, {VK_MENU});  // closing the main window copies two boxes
    Main().SaveSettings();  // writes the settings file
    EXPECT_EQ(Key("SYSTEM", "STAYONTOP"), "TRUE");
    EXPECT_EQ(Key("SYSTEM", "NONPREVIEW"), "TRUE");
    EXPECT_EQ(Key("SYSTEM", "DELETECHECK"), "TRUE");
    MSG quit;
    PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);  // the close asked the loop to end
}

TEST_F(SettingsEffects, ShortClipboardBitmapIsRefusedAndNothingIsStored) {
    // A header that promises 64 x 64 pixels with almost none behind it.
    std::string dib;
    auto put = [&](unsigned value, int bytes) {
        for (int i = 0; i < bytes; ++i) dib.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    };
    put(40, 4);
    put(64, 4);
    put(64, 4);
    put(1, 2);
    put(24, 2);
    for (int i = 0; i < 6; ++i) put(0, 4);
    dib.append(16, '\x7F');
    ASSERT_TRUE(PutDibOnClipboard(dib));
    PumpPending();
    ReportedErrors().clear();
    Click(Main().Ui().registerButton);
    ASSERT_EQ(ReportedErrors().size(), 1u);
    EXPECT_NE(ReportedErrors()[0].find("TVyInternalDIB.LoadFromClipboardFormat"), std::string::npos);
    EXPECT_EQ(Core().BitmapClips().Count(), 0);
    EXPECT_EQ(GetFileAttributesA(BitmapClipFile(0).c_str()), INVALID_FILE_ATTRIBUTES);
    // The windows go on: a good picture is stored next.
    ASSERT_TRUE(PutBitmapOnClipboard(8, 8));
    PumpPending();
    Click(Main().Ui().registerButton);
    EXPECT_EQ(Core().BitmapClips().Count(), 1);
    EXPECT_EQ(Main().StatusText(), status::kBitmapRegistered);
}

}  // namespace
}  // namespace lumeret::test
