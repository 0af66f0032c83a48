#pragma once

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

/// The names of the entries of `folder`, sorted.
inline std::vector<std::string> FileNamesIn(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}
