// The dispatch identifiers the control and the program are built with against those of the
// type library in the Lumoscope.dll beside the test, loaded as a client loads it: a member
// the program calls by an identifier the library does not give that name would reach the
// wrong member, or none.
#include <windows.h>
#include <oleauto.h>
#include <wrl/client.h>

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <utility>

#include "compositor/com/lumoscope_h.h"
#include "compositor/interface/lumo_dispids.h"
#include "mouse_window/lumo_ctrl.h"

namespace {

using Microsoft::WRL::ComPtr;
using LumoDispId = lumo::DispId;

std::string narrow(const wchar_t* ascii) { return std::string(ascii, ascii + wcslen(ascii)); }

std::wstring besideThisProgram(const wchar_t* file) {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring dir(path);
    return dir.substr(0, dir.find_last_of(L"\\/") + 1) + file;
}

// The member identifiers a type declares, by name; the methods every dispatch interface
// inherits are left out.
std::map<std::wstring, MEMBERID> declaredMembers(ITypeInfo* info) {
    static const std::set<std::wstring> inherited = {L"QueryInterface", L"AddRef",      L"Release", L"GetTypeInfoCount",
                                                      L"GetTypeInfo",    L"GetIDsOfNames", L"Invoke"};
    std::map<std::wstring, MEMBERID> members;
    TYPEATTR* attr = nullptr;
    if (FAILED(info->GetTypeAttr(&attr))) return members;
    for (UINT i = 0; i < attr->cFuncs; ++i) {
        FUNCDESC* func = nullptr;
        if (FAILED(info->GetFuncDesc(i, &func))) continue;
        BSTR name = nullptr;
        info->GetDocumentation(func->memid, &name, nullptr, nullptr, nullptr);
        if (name && !inherited.count(name)) members[name] = func->memid;
        SysFreeString(name);
        info->ReleaseFuncDesc(func);
    }
    info->ReleaseTypeAttr(attr);
    return members;
}

MEMBERID idOfName(ITypeInfo* info, const wchar_t* name) {
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    MEMBERID id = MEMBERID_NIL;
    EXPECT_HRESULT_SUCCEEDED(info->GetIDsOfNames(names, 1, &id)) << narrow(name);
    return id;
}

class DispatchIds : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_HRESULT_SUCCEEDED(LoadTypeLibEx(besideThisProgram(L"Lumoscope.dll").c_str(), REGKIND_NONE, &lib_));
        ASSERT_HRESULT_SUCCEEDED(lib_->GetTypeInfoOfGuid(IID__LumoCTRL, &members_));
        ASSERT_HRESULT_SUCCEEDED(lib_->GetTypeInfoOfGuid(DIID___LumoCTRL, &events_));
    }

    ComPtr<ITypeLib> lib_;
    ComPtr<ITypeInfo> members_;
    ComPtr<ITypeInfo> events_;
};

TEST_F(DispatchIds, TheProgramCallsEachMemberByTheLibrarysIdentifier) {
    const std::pair<const wchar_t*, LumoDispId> used[] = {
        {L"PicViewBgColor", LumoDispId::PicViewBgColor}, {L"Image", LumoDispId::Image},
        {L"setPicMaterial", LumoDispId::setPicMaterial}, {L"ClsPicView", LumoDispId::ClsPicView},
        {L"ReDraw", LumoDispId::ReDraw},                 {L"Lumoscope", LumoDispId::Lumoscope},
    };
    for (const auto& [name, id] : used) EXPECT_EQ(idOfName(members_.Get(), name), MEMBERID(id)) << narrow(name);
}

// Both ways: every member the control dispatches is declared under its name, and the library
// declares no member the control does not know.
TEST_F(DispatchIds, TheControlKnowsExactlyTheLibrarysMembers) {
    using lumo::DispId;
    const std::map<std::wstring, MEMBERID> expected = {
        {L"PicViewBgColor", MEMBERID(DispId::PicViewBgColor)}, {L"Image", MEMBERID(DispId::Image)},
        {L"Picture", MEMBERID(DispId::Picture)},               {L"Enabled", MEMBERID(DispId::Enabled)},
        {L"setPicView", MEMBERID(DispId::setPicView)},         {L"setPicMaterial", MEMBERID(DispId::setPicMaterial)},
        {L"setPicWorkArea", MEMBERID(DispId::setPicWorkArea)}, {L"getViewhDC", MEMBERID(DispId::getViewhDC)},
        {L"getPoint", MEMBERID(DispId::getPoint)},             {L"ClsPicView", MEMBERID(DispId::ClsPicView)},
        {L"ReDraw", MEMBERID(DispId::ReDraw)},                 {L"Lumoscope", MEMBERID(DispId::Lumoscope)},
    };
    EXPECT_EQ(declaredMembers(members_.Get()), expected);
    for (const auto& [name, id] : expected) EXPECT_EQ(idOfName(members_.Get(), name.c_str()), id);
}

TEST_F(DispatchIds, TheControlRaisesEachEventByTheLibrarysIdentifier) {
    using lumo::EventId;
    const std::map<std::wstring, MEMBERID> expected = {
        {L"Click", MEMBERID(EventId::Click)},         {L"KeyUp", MEMBERID(EventId::KeyUp)},
        {L"KeyPress", MEMBERID(EventId::KeyPress)},   {L"KeyDown", MEMBERID(EventId::KeyDown)},
        {L"MouseDown", MEMBERID(EventId::MouseDown)}, {L"MouseMove", MEMBERID(EventId::MouseMove)},
        {L"MouseUp", MEMBERID(EventId::MouseUp)},
    };
    EXPECT_EQ(declaredMembers(events_.Get()), expected);
}

}  // namespace
