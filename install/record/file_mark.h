#pragma once

#include "platform/files.h"

#include <cstdint>
#include <optional>
#include <string>

namespace install {

// What recognises a placed file later: its size and a 64-bit FNV-1a hash of
// its content. Enough to tell the setup's copy from another program's file of
// the same name; it is no defence against a file made to collide.
struct FileMark {
    std::uint64_t size = 0;
    std::uint64_t hash = 0;

    bool operator==(const FileMark& other) const {
        return size == other.size && hash == other.hash;
    }
    bool operator!=(const FileMark& other) const { return !(*this == other); }
};

std::uint64_t Fnv1a64(const std::string& bytes);

// The mark of the file now at `path`, or nothing when it cannot be read.
std::optional<FileMark> markOf(platform::FileSystem& files, const std::string& path);

// As the record stores it: the size in decimal, a space, the hash as sixteen
// lower-case hex digits ("1536 8f3a0c0d1e2f3a4b").
std::string formatMark(const FileMark& mark);
std::optional<FileMark> parseMark(const std::string& text);

} // namespace install
