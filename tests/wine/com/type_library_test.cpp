// The type library and the resources design tools read: identifiers, member order and kinds,
// events, version block and toolbox bitmap.
#include <cstring>
#include <string>

#include "com_fixture.h"

namespace comtest {
namespace {

class TypeLibrary : public ComTest {};

struct MemberRow {
    const wchar_t* name;
    DISPID id;
    INVOKEKIND kind;
    SHORT params;
};

// The interface's functions in type-library order.
const MemberRow kMembers[] = {
    {L"setPicView", 0x60030005, INVOKE_FUNC, 1},      {L"setPicMaterial", 0x60030006, INVOKE_FUNC, 1},
    {L"setPicWorkArea", 0x60030007, INVOKE_FUNC, 1},  {L"getViewhDC", 0x60030008, INVOKE_FUNC, 1},
    {L"Enabled", 0x68030003, INVOKE_PROPERTYGET, 1},  {L"Enabled", 0x68030003, INVOKE_PROPERTYPUT, 1},
    {L"Picture", 0x68030002, INVOKE_PROPERTYGET, 1},  {L"Image", 0x68030001, INVOKE_PROPERTYGET, 1},
    {L"getPoint", 0x60030009, INVOKE_FUNC, 3},        {L"PicViewBgColor", 0x68030000, INVOKE_PROPERTYGET, 1},
    {L"PicViewBgColor", 0x68030000, INVOKE_PROPERTYPUT, 1}, {L"ClsPicView", 0x6003000A, INVOKE_FUNC, 0},
    {L"ReDraw", 0x6003000B, INVOKE_FUNC, 0},          {L"Lumoscope", 0x6003000C, INVOKE_FUNC, 7},
};

std::wstring nameOf(ITypeInfo* info, MEMBERID id) {
    BSTR name = nullptr;
    info->GetDocumentation(id, &name, nullptr, nullptr, nullptr);
    std::wstring s = name ? name : L"";
    SysFreeString(name);
    return s;
}

TEST_F(TypeLibrary, GetIDsOfNamesGivesEveryMembersIdentifier) {
    ComPtr<IDispatch> d = createControl();
    for (const MemberRow& m : kMembers) {
        LPOLESTR name = const_cast<LPOLESTR>(m.name);
        DISPID id = 0;
        ASSERT_HRESULT_SUCCEEDED(d->GetIDsOfNames(IID_NULL, &name, 1, 0x409, &id)) << std::string(name, name + wcslen(name));
        EXPECT_EQ(id, m.id);
    }
    LPOLESTR names[] = {const_cast<LPOLESTR>(L"Lumoscope"), const_cast<LPOLESTR>(L"QT")};
    DISPID ids[2] = {};
    ASSERT_HRESULT_SUCCEEDED(d->GetIDsOfNames(IID_NULL, names, 2, 0x409, ids));
    EXPECT_EQ(ids[1], 6);  // the argument's position, for named arguments
    LPOLESTR unknown = const_cast<LPOLESTR>(L"Click");
    DISPID id = 0;
    EXPECT_EQ(d->GetIDsOfNames(IID_NULL, &unknown, 1, 0x409, &id), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(d->GetIDsOfNames(IID_IDispatch, &unknown, 1, 0x409, &id), DISP_E_UNKNOWNINTERFACE);
}

TEST_F(TypeLibrary, TheRegisteredLibraryDescribesTheControlAndItsInterfaces) {
    ComPtr<ITypeLib> lib;
    ASSERT_HRESULT_SUCCEEDED(LoadRegTypeLib(LIBID_Lumoscope, 99, 0, 0x409, &lib));
    TLIBATTR* la = nullptr;
    ASSERT_HRESULT_SUCCEEDED(lib->GetLibAttr(&la));
    EXPECT_EQ(la->wMajorVerNum, 99);
    EXPECT_EQ(la->wMinorVerNum, 0);
    EXPECT_EQ(la->lcid, 0x409u);
    lib->ReleaseTLibAttr(la);
    BSTR name = nullptr;
    lib->GetDocumentation(-1, &name, nullptr, nullptr, nullptr);
    EXPECT_STREQ(name, L"Lumoscope");
    SysFreeString(name);

    ComPtr<ITypeInfo> cls;
    ASSERT_HRESULT_SUCCEEDED(lib->GetTypeInfoOfGuid(CLSID_LumoCTRL, &cls));
    TYPEATTR* ta = nullptr;
    ASSERT_HRESULT_SUCCEEDED(cls->GetTypeAttr(&ta));
    EXPECT_TRUE(ta->wTypeFlags & TYPEFLAG_FCONTROL);
    EXPECT_TRUE(ta->wTypeFlags & TYPEFLAG_FCANCREATE);
    EXPECT_EQ(ta->cImplTypes, 2);
    cls->ReleaseTypeAttr(ta);
    INT flags0 = 0, flags1 = 0;
    cls->GetImplTypeFlags(0, &flags0);
    cls->GetImplTypeFlags(1, &flags1);
    EXPECT_EQ(flags0, IMPLTYPEFLAG_FDEFAULT);
    EXPECT_EQ(flags1, IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE);
}

TEST_F(TypeLibrary, TheDualInterfaceListsItsMembersInOrderWithKindsAndArguments) {
    ComPtr<ITypeLib> lib;
    ASSERT_HRESULT_SUCCEEDED(LoadRegTypeLib(LIBID_Lumoscope, 99, 0, 0x409, &lib));
    ComPtr<ITypeInfo> disp, vtbl;
    ASSERT_HRESULT_SUCCEEDED(lib->GetTypeInfoOfGuid(IID__LumoCTRL, &disp));
    HREFTYPE ref = 0;
    ASSERT_HRESULT_SUCCEEDED(disp->GetRefTypeOfImplType(-1, &ref));  // the vtable side of the dual
    ASSERT_HRESULT_SUCCEEDED(disp->GetRefTypeInfo(ref, &vtbl));
    TYPEATTR* ta = nullptr;
    ASSERT_HRESULT_SUCCEEDED(vtbl->GetTypeAttr(&ta));
    EXPECT_TRUE(ta->wTypeFlags & TYPEFLAG_FDUAL);
    ASSERT_EQ(ta->cFuncs, WORD(std::size(kMembers)));
    vtbl->ReleaseTypeAttr(ta);
    for (UINT i = 0; i < std::size(kMembers); ++i) {
        FUNCDESC* f = nullptr;
        ASSERT_HRESULT_SUCCEEDED(vtbl->GetFuncDesc(i, &f));
        EXPECT_EQ(nameOf(vtbl.Get(), f->memid), kMembers[i].name) << i;
        EXPECT_EQ(f->memid, kMembers[i].id) << i;
        EXPECT_EQ(f->invkind, kMembers[i].kind) << i;
        EXPECT_EQ(f->cParams, kMembers[i].params) << i;
        vtbl->ReleaseFuncDesc(f);
    }
}

TEST_F(TypeLibrary, TheEventInterfaceHasTheSevenEvents) {
    ComPtr<IDispatch> d = createControl();
    ComPtr<IProvideClassInfo2> pci;
    ASSERT_HRESULT_SUCCEEDED(d.As(&pci));
    GUID source{};
    ASSERT_HRESULT_SUCCEEDED(pci->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &source));
    EXPECT_EQ(source, DIID___LumoCTRL);
    ComPtr<ITypeInfo> cls, events;
    ASSERT_HRESULT_SUCCEEDED(pci->GetClassInfo(&cls));
    HREFTYPE ref = 0;
    ASSERT_HRESULT_SUCCEEDED(cls->GetRefTypeOfImplType(1, &ref));
    ASSERT_HRESULT_SUCCEEDED(cls->GetRefTypeInfo(ref, &events));
    const std::pair<const wchar_t*, SHORT> expected[] = {{L"Click", 0},   {L"KeyUp", 2},     {L"KeyPress", 1},
                                                          {L"KeyDown", 2}, {L"MouseDown", 4}, {L"MouseMove", 4},
                                                          {L"MouseUp", 4}};
    for (UINT i = 0; i < std::size(expected); ++i) {
        FUNCDESC* f = nullptr;
        ASSERT_HRESULT_SUCCEEDED(events->GetFuncDesc(i, &f));
        EXPECT_EQ(f->memid, DISPID(i + 1));
        EXPECT_EQ(nameOf(events.Get(), f->memid), expected[i].first);
        EXPECT_EQ(f->cParams, expected[i].second);
        events->ReleaseFuncDesc(f);
    }
}

TEST_F(TypeLibrary, TypeInfoComesFromTheLibraryAndOnlyIndexZeroExists) {
    ComPtr<IDispatch> d = createControl();
    UINT count = 0;
    ASSERT_HRESULT_SUCCEEDED(d->GetTypeInfoCount(&count));
    EXPECT_EQ(count, 1u);
    ComPtr<ITypeInfo> info;
    ASSERT_HRESULT_SUCCEEDED(d->GetTypeInfo(0, 0x409, &info));
    TYPEATTR* ta = nullptr;
    ASSERT_HRESULT_SUCCEEDED(info->GetTypeAttr(&ta));
    EXPECT_EQ(ta->guid, IID__LumoCTRL);
    info->ReleaseTypeAttr(ta);
    ComPtr<ITypeInfo> none;
    EXPECT_EQ(d->GetTypeInfo(1, 0x409, &none), DISP_E_BADINDEX);
    EXPECT_EQ(d->GetTypeInfo(0, 0x409, nullptr), E_POINTER);
    EXPECT_EQ(d->GetTypeInfoCount(nullptr), E_POINTER);
}

class Resources : public ::testing::Test {};

std::string resourceBytes(const wchar_t* name, const wchar_t* type) {
    HMODULE dll = RegisteredControl::dll();
    HRSRC r = FindResourceW(dll, name, type);
    if (!r) return {};
    const char* p = static_cast<const char*>(LockResource(LoadResource(dll, r)));
    return std::string(p, SizeofResource(dll, r));
}

TEST_F(Resources, CarryTheTypeLibraryAndBothInterfaceIdentifiers) {
    EXPECT_FALSE(resourceBytes(MAKEINTRESOURCEW(1), L"TYPELIB").empty());
    const std::string iid = resourceBytes(L"_IID_LUMOCTRL", MAKEINTRESOURCEW(10));  // RT_RCDATA
    const std::string src = resourceBytes(L"_SRCIID_LUMOCTRL", MAKEINTRESOURCEW(10));
    ASSERT_EQ(iid.size(), sizeof(GUID));
    ASSERT_EQ(src.size(), sizeof(GUID));
    EXPECT_EQ(std::memcmp(iid.data(), &IID__LumoCTRL, sizeof(GUID)), 0);
    EXPECT_EQ(std::memcmp(src.data(), &DIID___LumoCTRL, sizeof(GUID)), 0);
}

TEST_F(Resources, ToolboxBitmapIs16By15In16Colours) {
    const std::string dib = resourceBytes(MAKEINTRESOURCEW(30000), MAKEINTRESOURCEW(2));  // RT_BITMAP
    ASSERT_GE(dib.size(), sizeof(BITMAPINFOHEADER));
    BITMAPINFOHEADER h;
    std::memcpy(&h, dib.data(), sizeof h);
    EXPECT_EQ(h.biWidth, 16);
    EXPECT_EQ(h.biHeight, 15);
    EXPECT_EQ(h.biBitCount, 4);
}

TEST_F(Resources, VersionBlockIsJapaneseUnicodeVersion100AndSelfRegistering) {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(RegisteredControl::dll(), path, MAX_PATH);
    std::string block(GetFileVersionInfoSizeW(path, nullptr), '\0');
    ASSERT_FALSE(block.empty());
    ASSERT_TRUE(GetFileVersionInfoW(path, 0, DWORD(block.size()), block.data()));
    WORD* translation = nullptr;
    UINT len = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &len));
    EXPECT_EQ(translation[0], 0x0411);
    EXPECT_EQ(translation[1], 1200);
    for (const wchar_t* key : {L"FileVersion", L"ProductVersion"}) {
        wchar_t* value = nullptr;
        std::wstring q = std::wstring(L"\\StringFileInfo\\041104B0\\") + key;
        ASSERT_TRUE(VerQueryValueW(block.data(), q.c_str(), reinterpret_cast<void**>(&value), &len));
        EXPECT_STREQ(value, L"1.00");
    }
    void* marker = nullptr;
    EXPECT_TRUE(VerQueryValueW(block.data(), L"\\StringFileInfo\\041104B0\\OLESelfRegister", &marker, &len));
}

}  // namespace
}  // namespace comtest
