// The application manifest: the one that the shipped program holds and what it asks of Windows.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "win32_handles.h"

namespace mirl::test {
namespace {

using unique_module = unique_any<win32_traits<HMODULE, &::FreeLibrary>>;

// The paths built in are the build tree's as Wine sees it; a run elsewhere (a Windows runner that
// has only the programs and the manifest) names them in the environment instead.
const char* Located(const char* variable, const char* built_in) {
    const char* path = std::getenv(variable);
    return path != nullptr && *path != '\0' ? path : built_in;
}
const char* const kProgram = Located("MIRL_PROGRAM", MIRL_PROGRAM);
const char* const kManifest = Located("MIRL_MANIFEST_FILE", MIRL_MANIFEST_FILE);

std::string ReadFile(const char* path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

BOOL CALLBACK CollectName(HMODULE, LPCSTR, LPSTR name, LONG_PTR names) {
    reinterpret_cast<std::vector<ULONG_PTR>*>(names)->push_back(reinterpret_cast<ULONG_PTR>(name));
    return TRUE;
}

BOOL CALLBACK CollectLanguage(HMODULE, LPCSTR, LPCSTR, WORD language, LONG_PTR languages) {
    reinterpret_cast<std::vector<WORD>*>(languages)->push_back(language);
    return TRUE;
}

// A toolchain may link a default manifest of its own: with two, which one Windows reads is not
// ours to say, and with only its own the program would be unthemed and DPI-unaware.
TEST(ManifestTest, TheProgramHoldsExactlyOneManifestAndItIsOurs) {
    const unique_module program(::LoadLibraryExA(
        kProgram, nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
    ASSERT_TRUE(program) << kProgram << ": error " << ::GetLastError();
    std::vector<ULONG_PTR> names;
    ::EnumResourceNamesA(program.get(), RT_MANIFEST, CollectName,
                         reinterpret_cast<LONG_PTR>(&names));
    ASSERT_EQ(names, std::vector<ULONG_PTR>{1}) << "one manifest, the one Windows reads at start";
    std::vector<WORD> languages;
    ::EnumResourceLanguagesA(program.get(), RT_MANIFEST, MAKEINTRESOURCEA(1), CollectLanguage,
                             reinterpret_cast<LONG_PTR>(&languages));
    ASSERT_EQ(languages.size(), 1u);

    const HRSRC info =
        ::FindResourceExA(program.get(), RT_MANIFEST, MAKEINTRESOURCEA(1), languages.front());
    ASSERT_NE(info, nullptr);
    const auto* bytes =
        static_cast<const char*>(::LockResource(::LoadResource(program.get(), info)));
    ASSERT_NE(bytes, nullptr);
    EXPECT_EQ(std::string(bytes, ::SizeofResource(program.get(), info)), ReadFile(kManifest));
}

TEST(ManifestTest, AsksForWhatTheProgramNeeds) {
    const std::string manifest = ReadFile(kManifest);
    ASSERT_FALSE(manifest.empty()) << kManifest;
    for (const char* wanted : {
             R"(<requestedExecutionLevel level="asInvoker" uiAccess="false"/>)",
             R"(<supportedOS Id="{35138b9a-5d96-4fbd-8e2d-a2440225f93a}"/>)",  // 7
             R"(<supportedOS Id="{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}"/>)",  // 8
             R"(<supportedOS Id="{1f676c76-80e1-4239-95bb-83d0f6d0da78}"/>)",  // 8.1
             R"(<supportedOS Id="{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"/>)",  // 10 and 11
             R"(>true</dpiAware>)",
             R"(>PerMonitorV2, System</dpiAwareness>)",  // 1607 knows only the second
             R"(name="Microsoft.Windows.Common-Controls" version="6.0.0.0")",
             R"(processorArchitecture="*" publicKeyToken="6595b64144ccf1df")",
         }) {
        EXPECT_NE(manifest.find(wanted), std::string::npos) << wanted;
    }
    // The list shows each byte in the system's ANSI code page; a UTF-8 one would change that.
    EXPECT_EQ(manifest.find("activeCodePage>"), std::string::npos);
}

}  // namespace
}  // namespace mirl::test
