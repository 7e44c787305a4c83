// The program's four windows, created in this order at start-up and reached
// by one another through these globals.
#pragma once

namespace lumeret {

class MainWindow;     // main window
class ScrapbookWindow;     // scrapbook
class AboutDialog;  // version dialog
class SettingsDialog;     // settings dialog

extern MainWindow* Form1;
extern ScrapbookWindow* Form2;
extern AboutDialog* AboutBox;
extern SettingsDialog* Form3;

}  // namespace lumeret
