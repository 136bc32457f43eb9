// Keeps the capture logic free of Windows headers outside its Win32 folder, and the resource ids
// free of clashes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

namespace {

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

TEST(LayeringTest, CaptureIncludesWindowsHeadersOnlyInItsWin32Folder) {
    const std::filesystem::path capture = std::filesystem::path(MIRL_SOURCE_DIR) / "capture";
    int files = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(capture)) {
        const auto& path = entry.path();
        if (path.extension() != ".h" && path.extension() != ".cpp") continue;
        if (path.parent_path().filename() == "win32") continue;
        ++files;
        std::istringstream lines(Lower(ReadFile(path)));
        for (std::string line; std::getline(lines, line);) {
            if (line.find("#include") == std::string::npos) continue;
            for (const char* windowsHeader : {"windows.h", "winbase.h", "afx"}) {
                EXPECT_EQ(line.find(windowsHeader), std::string::npos) << path << ": " << line;
            }
        }
    }
    EXPECT_GE(files, 20);
}

TEST(LayeringTest, ResourceIdsAreUnique) {
    std::istringstream lines(
        ReadFile(std::filesystem::path(MIRL_SOURCE_DIR) / "res" / "resource.h"));
    std::map<long, std::string> byValue;
    int ids = 0;
    for (std::string line; std::getline(lines, line);) {
        std::istringstream words(line);
        std::string directive, name, value;
        if (!(words >> directive >> name >> value) || directive != "#define") continue;
        if (!std::isdigit(static_cast<unsigned char>(value[0]))) continue;
        ++ids;
        const auto [known, inserted] = byValue.emplace(std::stol(value, nullptr, 0), name);
        EXPECT_TRUE(inserted) << name << " has the value of " << known->second;
    }
    EXPECT_GE(ids, 15);
}

}  // namespace
