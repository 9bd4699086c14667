#pragma once
// Design-time layouts of the program's windows and of the controls the behaviour reads, in
// twips relative to the client area.
#include "common/colour.h"
#include "platform/controls.h"
#include "platform/form.h"

namespace quill::forms {

using platform::FormDesign;
using platform::Placement;
using platform::TwipsRect;

constexpr Colour kSystemWindowBackground = 0x80000005u;
constexpr Colour kRed = 0x000000FFu;
constexpr Colour kWhite = 0x00FFFFFFu;

// Form1, the mouse window.
inline FormDesign form1Design() { return {"Form1", "Quillora", 5175, 4335}; }
constexpr TwipsRect kForm1Picture1{3120, 1560, 960, 915};
constexpr TwipsRect kForm1Picture2{360, 2520, 1905, 1905};
constexpr TwipsRect kForm1LumoCTRL1{2520, 2160, 2175, 1935};
constexpr TwipsRect kForm1RecLED{960, 780, 255, 165};
constexpr TwipsRect kForm1BtnLDown{360, 480, 1095, 975};
constexpr TwipsRect kForm1Label1{120, 1260, 1215, 255};
constexpr Long kWaitTimerIntervalMs = 10;
constexpr Long kHeartbeatIntervalMs = 100;

// Form2, the switch window.
inline FormDesign form2Design() {
    return {"Form2", "", 705, 720, Placement::SystemDefault, 0, 0, kSystemWindowBackground};
}
constexpr TwipsRect kForm2PicWork2{1440, 60, 495, 495};
constexpr TwipsRect kForm2PicWork1{1440, 600, 615, 555};
constexpr TwipsRect kForm2Picture1{120, 0, 450, 435};
constexpr TwipsRect kForm2Label1{0, 480, 735, 255};

// frmPoint, the replay marker that nothing shows.
inline FormDesign frmPointDesign() { return {"frmPoint", "Form3", 195, 165, Placement::SystemDefault, 0, 0, kRed}; }

// frmAbout, the about box.
inline FormDesign frmAboutDesign() { return {"frmAbout", "ﾊﾞｰｼﾞｮﾝ情報", 7980, 4890, Placement::ScreenCentre}; }
constexpr TwipsRect kAboutClose{6480, 4020, 555, 180};
constexpr TwipsRect kAboutDisclaimer{600, 3720, 5175, 465};

// MenuForm, the hidden owner of the notification icon.
inline FormDesign menuFormDesign() {
    return {"MenuForm", "pMenu", 3435, 1410, Placement::Given, 60, 300, kSystemWindowBackground};
}
constexpr const char* kTrayTip = "Quillora";

}  // namespace quill::forms
