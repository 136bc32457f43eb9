// The string table, the icon and the version block, all in German (Germany).
#include "resource.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "version.h"

namespace mirl::test {
namespace {

const LANGID kGerman = MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN);

HMODULE Self() {
    return ::GetModuleHandleW(nullptr);
}

// Icon directory entries as a group-icon resource stores them.
#pragma pack(push, 2)
struct GroupIconEntry {
    BYTE width, height, colorCount, reserved;
    WORD planes, bitCount;
    DWORD bytesInRes;
    WORD id;
};
struct GroupIconHeader {
    WORD reserved, type, count;
};
#pragma pack(pop)

const BYTE* ResourceBytes(LPCSTR type, LPCSTR name, LANGID language, DWORD* size) {
    const HRSRC info = ::FindResourceExA(Self(), type, name, language);
    if (info == nullptr) return nullptr;
    *size = ::SizeofResource(Self(), info);
    return static_cast<const BYTE*>(::LockResource(::LoadResource(Self(), info)));
}

TEST(ResourceTest, EveryResourceIsGerman) {
    DWORD size = 0;
    EXPECT_NE(ResourceBytes(RT_DIALOG, MAKEINTRESOURCEA(IDD_MAIN), kGerman, &size), nullptr);
    EXPECT_NE(ResourceBytes(RT_DIALOG, MAKEINTRESOURCEA(IDD_ABOUTBOX), kGerman, &size), nullptr);
    EXPECT_NE(ResourceBytes(RT_GROUP_ICON, MAKEINTRESOURCEA(IDR_MAINFRAME), kGerman, &size),
              nullptr);
    EXPECT_NE(ResourceBytes(RT_STRING, MAKEINTRESOURCEA(IDS_ABOUTBOX / 16 + 1), kGerman, &size),
              nullptr);
    EXPECT_NE(ResourceBytes(RT_VERSION, MAKEINTRESOURCEA(VS_VERSION_INFO), kGerman, &size),
              nullptr);
}

TEST(ResourceTest, AboutStringForTheSystemMenu) {
    const wchar_t* text = nullptr;
    const int length = ::LoadStringW(Self(), IDS_ABOUTBOX, reinterpret_cast<LPWSTR>(&text), 0);
    ASSERT_GT(length, 0);
    EXPECT_EQ(std::wstring(text, length), L"Inf&o \u00fcber mirlTTY...");
    // The ANSI form the system menu gets, in the Western code page.
    char ansi[64] = {};
    ASSERT_GT(::LoadStringA(Self(), IDS_ABOUTBOX, ansi, sizeof ansi), 0);
    if (::GetACP() == 1252) {
        EXPECT_STREQ(ansi,
                     "Inf&o \xfc"
                     "ber mirlTTY...");
    }
}

TEST(ResourceTest, IconIsOne32By32ImageWith256Colours) {
    DWORD size = 0;
    const BYTE* group =
        ResourceBytes(RT_GROUP_ICON, MAKEINTRESOURCEA(IDR_MAINFRAME), kGerman, &size);
    ASSERT_NE(group, nullptr);
    ASSERT_GE(size, sizeof(GroupIconHeader) + sizeof(GroupIconEntry));
    const auto* header = reinterpret_cast<const GroupIconHeader*>(group);
    EXPECT_EQ(header->type, 1);
    ASSERT_EQ(header->count, 1);
    const auto* entry = reinterpret_cast<const GroupIconEntry*>(group + sizeof *header);
    EXPECT_EQ(entry->width, 32);
    EXPECT_EQ(entry->height, 32);
    EXPECT_EQ(entry->bitCount, 8);

    const BYTE* image = ResourceBytes(RT_ICON, MAKEINTRESOURCEA(entry->id), kGerman, &size);
    ASSERT_NE(image, nullptr);
    ASSERT_GE(size, sizeof(BITMAPINFOHEADER));
    const auto* bitmap = reinterpret_cast<const BITMAPINFOHEADER*>(image);
    EXPECT_EQ(bitmap->biWidth, 32);
    EXPECT_EQ(bitmap->biHeight, 64);  // colour image and mask
    EXPECT_EQ(bitmap->biBitCount, 8);
    const DWORD xorBytes = 32 * 32, andBytes = 32 * 4;
    EXPECT_EQ(size, sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD) + xorBytes + andBytes);
}

TEST(ResourceTest, IconLoadsAt32By32) {
    const HICON icon = ::LoadIconW(Self(), MAKEINTRESOURCEW(IDR_MAINFRAME));
    ASSERT_NE(icon, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(::GetIconInfo(icon, &info));
    BITMAP colour{};
    ASSERT_NE(info.hbmColor, nullptr);
    ASSERT_TRUE(::GetObjectW(info.hbmColor, sizeof colour, &colour));
    EXPECT_EQ(colour.bmWidth, 32);
    EXPECT_EQ(colour.bmHeight, 32);
    ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
}

class VersionTest : public ::testing::Test {
  protected:
    void SetUp() override {
        wchar_t path[MAX_PATH] = {};
        ASSERT_NE(::GetModuleFileNameW(nullptr, path, MAX_PATH), 0u);
        DWORD ignored = 0;
        const DWORD size = ::GetFileVersionInfoSizeW(path, &ignored);
        ASSERT_GT(size, 0u);
        m_block.resize(size);
        ASSERT_TRUE(::GetFileVersionInfoW(path, 0, size, m_block.data()));
    }
    std::wstring Text(const wchar_t* name) {
        void* value = nullptr;
        UINT length = 0;
        const std::wstring key = std::wstring(L"\\StringFileInfo\\040704B0\\") + name;
        if (!::VerQueryValueW(m_block.data(), key.c_str(), &value, &length)) return L"<none>";
        return static_cast<const wchar_t*>(value);
    }

    std::vector<BYTE> m_block;
};

TEST_F(VersionTest, FileAndProductVersionOfTheHeader) {
    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(::VerQueryValueW(m_block.data(), L"\\", &value, &length));
    ASSERT_GE(length, sizeof(VS_FIXEDFILEINFO));
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS, DWORD{MAKELONG(MIRL_VERSION_MINOR, MIRL_VERSION_MAJOR)});
    EXPECT_EQ(fixed->dwFileVersionLS, DWORD{MAKELONG(MIRL_VERSION_BUILD, MIRL_VERSION_PATCH)});
    EXPECT_EQ(fixed->dwProductVersionMS, DWORD{MAKELONG(MIRL_VERSION_MINOR, MIRL_VERSION_MAJOR)});
    EXPECT_EQ(fixed->dwProductVersionLS, DWORD{MAKELONG(MIRL_VERSION_BUILD, MIRL_VERSION_PATCH)});
    EXPECT_EQ(fixed->dwFileType, DWORD{VFT_APP});
}

TEST_F(VersionTest, GermanUnicodeTranslation) {
    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(::VerQueryValueW(m_block.data(), L"\\VarFileInfo\\Translation", &value, &length));
    ASSERT_EQ(length, 4u);
    const auto* pair = static_cast<const WORD*>(value);
    EXPECT_EQ(pair[0], 0x0407);
    EXPECT_EQ(pair[1], 1200);
}

TEST_F(VersionTest, StringBlockNamesTheProduct) {
    EXPECT_EQ(Text(L"ProductName"), L"mirlTTY");
    EXPECT_EQ(Text(L"FileVersion"), L"" MIRL_VERSION_STRING);
    EXPECT_EQ(Text(L"ProductVersion"), L"" MIRL_VERSION_STRING);
}

}  // namespace
}  // namespace mirl::test
