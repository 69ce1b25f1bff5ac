#include "model/settings_file_io.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
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

std::atomic<unsigned> tempCounter{0};

} // namespace

FileReadResult readWholeFile(const std::string& path, std::size_t maxBytes) {
    FileReadResult result;
    Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
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
    std::string bytes;
    if (S_ISREG(st.st_mode) && st.st_size > 0) {
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

    // A unique sibling name: same folder, so the rename never crosses a file
    // system and either the old or the new file is there at every moment.
    std::string temp;
    int fdNumber = -1;
    for (int attempt = 0; attempt < 100 && fdNumber < 0; ++attempt) {
        temp = target + ".tmp" + std::to_string(::getpid()) + "-" +
               std::to_string(tempCounter.fetch_add(1));
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
