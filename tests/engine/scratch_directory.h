// A fresh directory under the system's temporary directory, removed with
// everything in it when the test ends.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <string_view>

class ScratchDirectory {
public:
    ScratchDirectory()
    {
        std::random_device seed;
        std::mt19937_64 random(seed());
        do {
            m_path = std::filesystem::temp_directory_path() / ("orvanta-" + std::to_string(random() % 1'000'000'000));
        } while (!std::filesystem::create_directory(m_path));
    }
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;
    ~ScratchDirectory()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }

    std::string PathOf(std::string_view name) const { return (m_path / name).string(); }

    std::string Write(std::string_view name, std::string_view bytes) const
    {
        const std::string path = PathOf(name);
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    static std::string Read(const std::string& path)
    {
        std::ifstream file(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    }

private:
    std::filesystem::path m_path;
};
