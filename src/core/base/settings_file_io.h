#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tlx {

// Whole-file reads and writes shared by the settings, glyph list, picture and
// INI files. The format code never touches the disk; these helpers are the
// only place that does (file_io_posix.cpp on POSIX systems).

// Larger files are not ours: refusing them keeps a stray multi-gigabyte file
// from exhausting memory.
inline constexpr std::size_t kMaxReadBytes = std::size_t{64} * 1024 * 1024;

// The reason given for a FIFO, device or socket: only regular files are read.
inline constexpr std::string_view kNotRegularFile = "not a regular file";

struct FileReadResult {
    std::optional<std::string> bytes; // nothing when the file could not be read
    std::string reason;               // why not, for logs and messages
};

// The folder that holds the user's configuration files, by the platform's
// rules; nothing when the environment names none.
std::optional<std::string> userConfigFolder();

// The path of a file named name in the folder ("." when the folder is empty).
std::string pathInFolder(const std::string& folder, std::string_view name);

// Whether anything (a file, a folder, a link) exists at the path.
bool pathExists(const std::string& path);

FileReadResult readWholeFile(const std::string& path, std::size_t maxBytes = kMaxReadBytes);

enum class WriteFailure {
    None,
    Create, // the file (or its temporary sibling) could not be created
    Write,  // writing, flushing or closing failed (disk full, I/O error)
    Rename, // the finished file could not replace the old one
};

struct FileWriteResult {
    WriteFailure failure = WriteFailure::None;
    std::string reason;
    bool ok() const { return failure == WriteFailure::None; }
};

// Writes the bytes to a temporary file beside the target (".NAME.tmp-PID")
// and renames it over the target, so the old file survives any failure.
// Temporary files of earlier saves of the same target whose process is gone
// are removed first. An existing target keeps
// its permission bits; a symbolic link is followed and its target replaced.
// `durable` also flushes the data to the disk before the rename.
FileWriteResult writeFileAtomically(const std::string& path, std::string_view bytes,
                                    bool durable = true);

} // namespace tlx
