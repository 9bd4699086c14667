#pragma once
// Form2, the round switch that trails the body and turns the on-screen button on and off.
// The switch state is the Enabled flag of the body's button; the image always follows it.
#include "common/run_error.h"
#include "forms/views.h"
#include "platform/ports/styling_port.h"

namespace quill::switch_window {

class Form2 {
public:
    Form2(forms::Form2View& view, platform::Label& btnLDown, platform::StylingPort& styling)
        : view_(view), btnLDown_(btnLDown), styling_(styling) {
        view_.picture1.onClick = [this] { return Picture1_Click(); };
    }

    // Touching the form loads it on first use; its Form_Load runs then.
    forms::Form2View& form();

    void SwitchON();
    void SwitchOFF();
    RunError Picture1_Click();

private:
    void Form_Load();

    forms::Form2View& view_;
    platform::Label& btnLDown_;
    platform::StylingPort& styling_;
};

}  // namespace quill::switch_window
