#pragma once
// Helpers of the wall model tests: a folder per test and whole-file access.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <unistd.h>

// A fresh folder for one test, removed with everything in it afterwards.
class TempDir {
public:
    TempDir()
    {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = std::string("torvik-") + (info ? info->name() : "test") + "-" + std::to_string(getpid());
        for (char& c : name)
            if (c == '/')
                c = '_';
        path = std::filesystem::temp_directory_path() / name;
        std::filesystem::remove_all(path);
        std::filesystem::create_directories(path);
    }
    ~TempDir()
    {
        std::error_code ignored;
        std::filesystem::permissions(path, std::filesystem::perms::owner_all, ignored);
        std::filesystem::remove_all(path, ignored);
    }
    // The path of a file in the folder.
    std::string File(const std::string& name) const { return (path / name).string(); }

    std::filesystem::path path;
};

// The bytes of a file.
inline std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Writes bytes to a file, replacing it. The old file is removed first: a
// truncated file makes some file systems flush it at once, which slows tests
// that write thousands of files.
inline void WriteBytes(const std::string& path, const std::string& content)
{
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << content;
}

// Lines joined with CR LF, each line ended by it.
inline std::string CrLf(std::initializer_list<std::string> lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}
