#include "base/file_io_posix.h"
#include "base/settings_file_io.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <optional>
#include <signal.h> // NOLINT(modernize-deprecated-headers): kill() is POSIX, not <csignal>
#include <string>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace tlx {

namespace {

std::string errnoText(int err) {
    return std::generic_category().message(err);
}

// Closes on every path out of the function.
class Fd {
  public:
    explicit Fd(int fd) : fd_(fd) {}
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    ~Fd() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    int get() const { return fd_; }
    // Closes now and reports the result: a delayed write error can surface here.
    int closeNow() {
        const int r = ::close(fd_);
        fd_ = -1;
        return r;
    }

  private:
    int fd_;
};

std::string directoryOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The file a save really replaces: a symbolic link is followed so that the
// link keeps pointing at the saved data.
std::string resolvedTarget(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
        return path;
    }
    std::array<char, PATH_MAX> buf{};
    if (::realpath(path.c_str(), buf.data()) == nullptr) {
        return path; // dangling link: replace the link itself
    }
    return std::string(buf.data());
}

bool writeAll(int fd, std::string_view bytes, int& err) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            err = errno;
            return false;
        }
        if (n == 0) {
            err = EIO;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// "dir/.NAME.tmp-": the temporary files of a save of dir/NAME begin so.
std::string temporaryStem(const std::string& target) {
    const auto slash = target.find_last_of('/');
    const std::string dir = slash == std::string::npos ? "" : target.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
    return dir + "." + name + ".tmp-";
}

// The process id in "PID" or "PID-N"; nothing for any other text.
std::optional<pid_t> ownerOf(std::string_view suffix) {
    const auto dash = suffix.find('-');
    const std::string_view pidText = suffix.substr(0, dash);
    if (pidText.empty() || pidText.size() > 9 ||
        pidText.find_first_not_of("0123456789") != std::string_view::npos) {
        return std::nullopt;
    }
    if (dash != std::string_view::npos &&
        (dash + 1 == suffix.size() ||
         suffix.substr(dash + 1).find_first_not_of("0123456789") != std::string_view::npos)) {
        return std::nullopt;
    }
    return static_cast<pid_t>(std::stol(std::string(pidText)));
}

// Removes the temporary files of earlier saves of this target whose process
// is gone (killed in the middle of a save).
void removeStaleTemporaries(const std::string& target) {
    const std::string stem = temporaryStem(target);
    const auto slash = stem.find_last_of('/');
    const std::string dir = slash == std::string::npos ? "." : stem.substr(0, slash);
    const std::string prefix = slash == std::string::npos ? stem : stem.substr(slash + 1);
    DIR* d = ::opendir(dir.c_str());
    if (d == nullptr) {
        return;
    }
    while (const dirent* e = ::readdir(d)) {
        const std::string_view name(e->d_name);
        if (!name.starts_with(prefix)) {
            continue;
        }
        const auto pid = ownerOf(name.substr(prefix.size()));
        if (pid && *pid != ::getpid() && ::kill(*pid, 0) != 0 && errno == ESRCH) {
            (void)::unlinkat(::dirfd(d), e->d_name, 0);
        }
    }
    ::closedir(d);
}

} // namespace

std::optional<std::string> xdgConfigFolder(const char* xdgConfigHome, const char* home) {
    if (xdgConfigHome != nullptr && xdgConfigHome[0] == '/') {
        return std::string(xdgConfigHome);
    }
    if (home != nullptr && home[0] == '/') {
        return std::string(home) + "/.config";
    }
    return std::nullopt;
}

std::optional<std::string> userConfigFolder() {
    return xdgConfigFolder(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
}

std::string pathInFolder(const std::string& folder, std::string_view name) {
    std::string path = folder.empty() ? std::string(".") : folder;
    while (path.size() > 1 && path.back() == '/') {
        path.pop_back();
    }
    if (path.back() != '/') {
        path += '/';
    }
    return path.append(name);
}

bool pathExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

FileReadResult readWholeFile(const std::string& path, std::size_t maxBytes) {
    FileReadResult result;
    // Non-blocking: opening a FIFO without a writer (or a device) must not
    // hang the program; such files are refused below anyway.
    Fd fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (fd.get() < 0) {
        result.reason = errnoText(errno);
        return result;
    }
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0) {
        result.reason = errnoText(errno);
        return result;
    }
    if (S_ISDIR(st.st_mode)) {
        result.reason = errnoText(EISDIR);
        return result;
    }
    if (!S_ISREG(st.st_mode)) {
        result.reason = kNotRegularFile;
        return result;
    }
    std::string bytes;
    if (st.st_size > 0) {
        bytes.reserve(std::min(static_cast<std::size_t>(st.st_size), maxBytes) + 1);
    }
    std::array<char, 65536> chunk{};
    for (;;) {
        const ssize_t n = ::read(fd.get(), chunk.data(), chunk.size());
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            result.reason = errnoText(errno);
            return result;
        }
        if (n == 0) {
            break;
        }
        if (bytes.size() + static_cast<std::size_t>(n) > maxBytes) {
            result.reason = errnoText(EFBIG);
            return result;
        }
        bytes.append(chunk.data(), static_cast<std::size_t>(n));
    }
    result.bytes = std::move(bytes);
    return result;
}

FileWriteResult writeFileAtomically(const std::string& path, std::string_view bytes, bool durable) {
    FileWriteResult result;
    const std::string target = resolvedTarget(path);

    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (exists && S_ISDIR(old.st_mode)) {
        result.failure = WriteFailure::Create;
        result.reason = errnoText(EISDIR);
        return result;
    }

    // A sibling in the same folder, so the rename never crosses a file system
    // and either the old or the new file is there at every moment. Hidden and
    // named after the target and this process, so that one left by a killed
    // save is recognised and removed by the next save of the same file.
    removeStaleTemporaries(target);
    const std::string stem = temporaryStem(target) + std::to_string(::getpid());
    std::string temp;
    int fdNumber = -1;
    for (int attempt = 0; attempt < 100 && fdNumber < 0; ++attempt) {
        // Another save of the same file by this process may hold the plain name.
        temp = attempt == 0 ? stem : stem + "-" + std::to_string(attempt);
        fdNumber = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fdNumber < 0 && errno != EEXIST) {
            break;
        }
    }
    if (fdNumber < 0) {
        result.failure = WriteFailure::Create;
        result.reason = errnoText(errno);
        return result;
    }
    Fd fd(fdNumber);

    auto fail = [&](WriteFailure f, int err) {
        result.failure = f;
        result.reason = errnoText(err);
        ::unlink(temp.c_str());
        return result;
    };

    if (exists) {
        // Best effort: a file we may not chmod still gets saved.
        (void)::fchmod(fd.get(), old.st_mode & 07777);
    }
    int err = 0;
    if (!writeAll(fd.get(), bytes, err)) {
        return fail(WriteFailure::Write, err);
    }
    if (durable && ::fsync(fd.get()) != 0) {
        return fail(WriteFailure::Write, errno);
    }
    if (fd.closeNow() != 0) {
        return fail(WriteFailure::Write, errno);
    }
    if (::rename(temp.c_str(), target.c_str()) != 0) {
        return fail(WriteFailure::Rename, errno);
    }
    if (durable) {
        // Makes the rename itself survive a power cut; failure here changes
        // nothing the operator could act on.
        Fd dir(::open(directoryOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (dir.get() >= 0) {
            (void)::fsync(dir.get());
        }
    }
    return result;
}

} // namespace tlx
