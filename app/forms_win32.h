// The program's four windows, created in this order at start-up and reached
// by one another through these globals.
#pragma once

namespace lumeret {

class TForm1;     // main window
class TForm2;     // scrapbook
class TAboutBox;  // version dialog
class TForm3;     // settings dialog

extern TForm1* Form1;
extern TForm2* Form2;
extern TAboutBox* AboutBox;
extern TForm3* Form3;

}  // namespace lumeret
