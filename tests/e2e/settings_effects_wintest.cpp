// What the settings dialog's switches do to the rest of the program while it
// runs and when it ends.
#include "e2e/main_window_fixture_win32.h"

#include "app/settings.h"
#include "app/status_texts.h"

namespace lumeret::test {
namespace {

using SettingsEffects = ProgramWindows;

std::string Key(const char* section, const char* key) {
    char buffer[256] = {};
    GetPrivateProfileStringA(section, key, "<missing>", buffer, sizeof(buffer), SettingsFilePath().c_str());
    return buffer;
}

TEST_F(SettingsEffects, ContinuousRegistrationWorksWhileTheDialogIsOpenAndCancelKeepsTheClip) {
    Form1->SpeedButton1Click();
    EXPECT_FALSE(IsWindowEnabled(Form1->Handle()));
    EXPECT_FALSE(IsWindowEnabled(Form2->Handle()));
    SetChecked(Form3->Check_BMP, true);
    ASSERT_TRUE(PutBitmapOnClipboard(30, 30));
    ASSERT_TRUE(PumpUntil([] { return Form2->BitmapStore->Count() == 1; }));
    Form3->Button1Click();  // Cancel
    EXPECT_FALSE(IsChecked(Form3->Check_BMP));
    EXPECT_EQ(Form2->BitmapStore->Count(), 1);
    EXPECT_NE(GetFileAttributesA(BitmapClipFile(0).c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(IsWindowEnabled(Form1->Handle()));
    EXPECT_TRUE(IsWindowEnabled(Form2->Handle()));
}

TEST_F(SettingsEffects, PreviewSwitchOnOkHidesAndRedrawsThePreview) {
    ASSERT_TRUE(PutBitmapOnClipboard(10, 5));
    PumpPending();
    EXPECT_EQ(ClientSize(Form1->PaintBox1).cx, 113);

    Form1->SpeedButton1Click();
    SetChecked(Form3->Check_Preview, true);
    Form3->ButtonOKClick();
    EXPECT_EQ(Form1->NonPreview, "TRUE");
    EXPECT_EQ(ClientSize(Form1->PaintBox1).cx, 0);
    EXPECT_TRUE(IsWindowVisible(Form1->Lab_MinOr));

    Form1->SpeedButton1Click();
    SetChecked(Form3->Check_Preview, false);
    Form3->ButtonOKClick();
    EXPECT_EQ(Form1->NonPreview, "FALSE");
    EXPECT_EQ(ClientSize(Form1->PaintBox1).cx, 113);
    EXPECT_FALSE(IsWindowVisible(Form1->Lab_MinOr));
    EXPECT_EQ(Form1->PreviewRect, (Rect{0, 0, 113, 56}));
}

TEST_F(SettingsEffects, CloseBoxSavesPreviewAndStayOnTopAtExitButNotDeleteCheck) {
    Form1->DeleteCheck = "TRUE";
    SetChecked(Form3->Check_Delete, true);
    Form1->SpeedButton1Click();
    SetChecked(Form3->Check_TOP, true);
    SetChecked(Form3->Check_Preview, true);
    SetChecked(Form3->Check_Delete, false);
    SendMessageW(Form3->Handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(Form1->DeleteCheck, "TRUE");  // still asks before deleting

    SendMessageW(Form1->Handle(), WM_CLOSE, 0, 0);  // the close query copies two boxes
    Form1->FormDestroy();                           // writes the settings file
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
    Click(Form1->btn_add);
    ASSERT_EQ(ReportedErrors().size(), 1u);
    EXPECT_NE(ReportedErrors()[0].find("TVyInternalDIB.LoadFromClipboardFormat"), std::string::npos);
    EXPECT_EQ(Form2->BitmapStore->Count(), 0);
    EXPECT_EQ(GetFileAttributesA(BitmapClipFile(0).c_str()), INVALID_FILE_ATTRIBUTES);
    // The windows go on: a good picture is stored next.
    ASSERT_TRUE(PutBitmapOnClipboard(8, 8));
    PumpPending();
    Click(Form1->btn_add);
    EXPECT_EQ(Form2->BitmapStore->Count(), 1);
    EXPECT_EQ(Form1->StatusText(), status::kBitmapRegistered);
}

}  // namespace
}  // namespace lumeret::test
