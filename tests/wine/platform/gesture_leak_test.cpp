// Two hundred gestures recorded and replayed in a row by the program with its real drawing
// control: the process keeps its windows, handles, GDI and USER objects and private bytes.
#include <gtest/gtest.h>

#include <memory>

#include "app/program.h"
#include "lumo_client/com_lumo_ctrl_win32.h"
#include "platform/win32/win32_desktop.h"
#include "tests/wine/support/process_resources.h"
#include "tests/wine/support/registered_control.h"

namespace {

using namespace quill;

::testing::Environment* const g_registered = ::testing::AddGlobalTestEnvironment(new winetest::RegisteredControl);

constexpr int kGestures = 200;
// Room for the heap settling, far below what one picture a gesture (67 KB) would add up to.
constexpr unsigned long long kPrivateBytesSlack = 2ull << 20;

class ComApartment {
public:
    ComApartment() { CoInitialize(nullptr); }
    ~ComApartment() { CoUninitialize(); }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
};

class GestureLeaks : public ::testing::Test {
protected:
    void SetUp() override {
        HRESULT failure = S_OK;
        lumo = lumo_client::ComLumoCtrl::create(failure);
        ASSERT_TRUE(lumo) << std::hex << failure;
        program = std::make_unique<app::Program>(desk, *lumo);
        ASSERT_TRUE(program->start());
    }
    void TearDown() override {
        if (program && !desk.programEnded()) (void)program->menu.EndRTN_Click();
        program.reset();
        lumo.reset();
    }
    // The switch on, a click on the on-screen button, and the replay run to its end.
    void gesture(int i) {
        ASSERT_EQ(program->form2.Picture1_Click(), RunError::None);
        const platform::MouseArgs at{platform::kLeftButton, 0, 600, 600};
        ASSERT_EQ(program->engine.btnLDown_MouseDown(at), RunError::None);
        ASSERT_EQ(program->engine.btnLDown_MouseUp(at), RunError::None);
        const DWORD start = GetTickCount();
        while (program->form1View.btnLDown.enabled() || program->engine.replaying()) {
            ASSERT_LT(GetTickCount() - start, 20000u) << "gesture " << i << " was never replayed";
            desk.doEvents();
            desk.waitForEvents();
        }
    }
    winetest::ProcessResources now() const { return winetest::processResources(GetCurrentProcessId()); }

    ComApartment com;
    platform::win32::Win32Desktop desk{GetModuleHandleW(nullptr)};
    std::unique_ptr<lumo_client::ComLumoCtrl> lumo;
    std::unique_ptr<app::Program> program;
};

TEST_F(GestureLeaks, TwoHundredGesturesLeaveTheProcessAsTheyFoundIt) {
    gesture(0);  // the first of everything is made once and kept
    const winetest::ProcessResources before = now();
    for (int i = 1; i <= kGestures; ++i) gesture(i);
    const winetest::ProcessResources after = now();
    std::printf("before: %s\nafter:  %s\n", before.describe().c_str(), after.describe().c_str());
    EXPECT_EQ(after.windows, before.windows);
    EXPECT_EQ(after.handles, before.handles);
    EXPECT_EQ(after.gdi, before.gdi);
    EXPECT_EQ(after.user, before.user);
    EXPECT_LE(after.privateBytes, before.privateBytes + kPrivateBytesSlack);
}

}  // namespace
