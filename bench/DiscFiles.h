#pragma once
// The disc images of a benchmark folder: CUE sheets, and ISO images that are not the file of
// a sheet (a Mixed Mode data track). ISO images whose names start with "dvd" are DVDs, as the
// sample discs are inserted.
#include "disc/DiscImage.h"

#include <filesystem>
#include <vector>

struct DiscFile {
    std::filesystem::path path;
    MediaHint hint = MediaHint::Auto;
};

// Sorted by path.
std::vector<DiscFile> FindDiscs(const std::filesystem::path& folder);
