// A folder of a test's own under the system's temporary folder, removed with
// everything in it when the test ends.
#pragma once

#include <atomic>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>

class TTempFolder {
public:
    TTempFolder() {
        static std::atomic<int> made{0};
        const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = "tablora-" + std::to_string(::getpid()) + "-" + std::to_string(made++);
        if (test)
            name += std::string("-") + test->name();
        Folder = std::filesystem::temp_directory_path() / name;
        std::filesystem::remove_all(Folder);
        std::filesystem::create_directories(Folder);
    }
    ~TTempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(Folder, ignored);
    }
    TTempFolder(const TTempFolder&) = delete;
    TTempFolder& operator=(const TTempFolder&) = delete;

    const std::filesystem::path& Path() const { return Folder; }
    // A path inside the folder, as a string for the readers and writers.
    std::string File(const std::string& name) const { return (Folder / name).string(); }

private:
    std::filesystem::path Folder;
};
