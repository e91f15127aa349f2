// SPDX-License-Identifier: Apache-2.0
// The small files the dialog keeps (print settings, profile lists): reads that never block, hang
// or run out of memory on what lies at the path, and replacements that a reader sees whole.
#pragma once

#include "Export.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <sys/types.h>

namespace cf {

class TL_EXPORT File {
public:
    // Far above any real settings or profile list file.
    static constexpr size_t kMaxSize = 16u << 20;

    // The whole file when it is a regular file of at most kMaxSize bytes; else nothing and the reason
    // (a FIFO, a device or a link to one is refused without waiting on it).
    // With info, the status of the file the bytes came from.
    static std::optional<std::string> read(
        const std::string& path, std::string* error = nullptr, struct stat* info = nullptr);

    // Replaces the file at path with bytes through a temporary file beside it, flushed and renamed
    // over it, and then flushes the folder, so a reader sees the old or the new file, never a mixture.
    // A link is followed and its target replaced, the link staying (see writeTarget). An existing
    // file keeps its mode; a new one gets newMode. When the folder refuses the temporary file but the
    // file itself is writable, the file is rewritten in place instead: its room is reserved first
    // (nothing changes when the disk has none) and a write that fails later puts the old bytes back.
    // A file that already holds the bytes is left as it is. Temporary files that an earlier, killed
    // write left behind are removed. False and the reason on failure; no temporary file stays.
    static bool replace(const std::string& path, std::string_view bytes, mode_t newMode, std::string* error = nullptr);

    // newMode less the process's file-creation mask, as open() would give a new file.
    static mode_t maskedMode(mode_t newMode);

    // The file a write to path lands in: path itself, or the end of the chain of links it starts.
    // Nothing and the reason for a dangling link, and for a link that leads into /dev or /proc
    // (/dev/stdin would overwrite whatever file is on standard input).
    static std::optional<std::string> writeTarget(const std::string& path, std::string* error = nullptr);

    // The folder and the name of a path, as dirname(1) and basename(1) split it: trailing slashes
    // do not count; a bare name lies in "."; the root is "/" for both.
    static std::string folderOf(std::string_view path);
    static std::string nameOf(std::string_view path);
};

} // namespace cf
