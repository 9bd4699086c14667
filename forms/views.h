#pragma once
// The program's windows with their child controls and timers in their design-time state.
// Behaviour lives in the subsystems; these are the forms they act on.
#include <string>

#include "platform/controls.h"
#include "platform/form.h"
#include "platform/timer.h"

namespace quill::forms {

using platform::Desktop;
using platform::FormRegistry;

class Form1View : public platform::Form {
public:
    Form1View(Desktop& d, FormRegistry& r);
    platform::Label label1;
    platform::PictureBox picture1;
    platform::Label btnLDown;
    platform::PictureBox picture2;
    platform::Shape recLED;
    platform::Timer uWaitObj;
    platform::Timer timer1;
};

class Form2View : public platform::Form {
public:
    Form2View(Desktop& d, FormRegistry& r);
    platform::Label label1;
    platform::PictureBox picture1;
    platform::PictureBox picWork1;
    platform::PictureBox picWork2;
};

class FrmPointView : public platform::Form {
public:
    FrmPointView(Desktop& d, FormRegistry& r);
};

class FrmAboutView : public platform::Form {
public:
    FrmAboutView(Desktop& d, FormRegistry& r);
    platform::Label lblDisclaimer;
    platform::Label label1;
};

class MenuFormView : public platform::Form {
public:
    MenuFormView(Desktop& d, FormRegistry& r);
    platform::Label label1;
    std::string titleText;  // the text box whose text is the icon's tip
    // The popup menu: EndRTN, then View_Version.
    enum : std::size_t { kEndRTN = 0, kViewVersion = 1 };
    platform::Menu pMenu;
};

}  // namespace quill::forms
