// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/output_file.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>

#ifdef _WIN32
#include <io.h>
#include <share.h>

#include "platform/windows_api.h"
#else
#include <sys/file.h>
#include <unistd.h>
#endif

namespace orbiton {

namespace {

constexpr std::size_t kGathered = 64 * 1024;

// The system's calls by one name on both systems; names in UTF-8.
#ifdef _WIN32
int openForWriting(const std::string& path, bool exclusive) {
    int fd = -1;
    // Denying other writers is the lock: a second run cannot open it.
    const int flags = _O_WRONLY | _O_CREAT | _O_BINARY | _O_NOINHERIT | (exclusive ? _O_EXCL : 0);
    errno = _wsopen_s(&fd, std::filesystem::u8path(path).c_str(), flags, _SH_DENYWR,
                      _S_IREAD | _S_IWRITE);
    return errno == 0 ? fd : -1;
}
bool lockForRun(int) {
    return true;
}
bool isRegular(int fd) {
    struct _stat64 st;
    return _fstat64(fd, &st) == 0 && (st.st_mode & _S_IFMT) == _S_IFREG;
}
int cutTo(int fd, std::uint64_t size) {
    return _chsize_s(fd, static_cast<long long>(size)) == 0 ? 0 : -1;
}
long writeSome(int fd, const char* data, std::size_t n) {
    return _write(fd, data, unsigned(n > 0x40000000 ? 0x40000000 : n));
}
int closeFile(int fd) {
    return _close(fd);
}
int syncFile(int fd) {
    return _commit(fd);
}
bool replace(const std::string& from, const std::string& to) {
    if (MoveFileExW(std::filesystem::u8path(from).c_str(), std::filesystem::u8path(to).c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    errno = GetLastError() == ERROR_ACCESS_DENIED ? EACCES : EIO;
    return false;
}
int removeFile(const std::string& path) {
    return _wunlink(std::filesystem::u8path(path).c_str());
}
long processId() {
    return long(GetCurrentProcessId());
}
#else
int openForWriting(const std::string& path, bool exclusive) {
    return ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | (exclusive ? O_EXCL : 0), 0666);
}
bool lockForRun(int fd) {
    // Only a file that is truly held refuses: a file system without locks
    // lets the run go on.
    return flock(fd, LOCK_EX | LOCK_NB) == 0 || errno != EWOULDBLOCK;
}
bool isRegular(int fd) {
    struct stat st;
    return fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
}
int cutTo(int fd, std::uint64_t size) {
    return ftruncate(fd, off_t(size));
}
long writeSome(int fd, const char* data, std::size_t n) {
    return long(::write(fd, data, n));
}
int closeFile(int fd) {
    return ::close(fd);
}
int syncFile(int fd) {
    return fsync(fd);
}
bool replace(const std::string& from, const std::string& to) {
    return std::rename(from.c_str(), to.c_str()) == 0;
}
int removeFile(const std::string& path) {
    return ::unlink(path.c_str());
}
long processId() {
    return long(getpid());
}
#endif

// Writes all n bytes; the error number when a write fails, else 0. What got
// through before a failure is added to written when asked for.
int writeAll(int fd, const char* data, std::size_t n, std::size_t* written = nullptr) {
    while (n > 0) {
        errno = 0;
        const long done = writeSome(fd, data, n);
        if (done < 0 && errno == EINTR)
            continue;
        if (done <= 0)
            return errno != 0 ? errno : EIO;
        data += done;
        n -= std::size_t(done);
        if (written)
            *written += std::size_t(done);
    }
    return 0;
}

} // namespace

OutputFile::~OutputFile() {
    close();
}

bool OutputFile::open(const std::string& path, std::string& why) {
    close();
    failure = 0;
    whole = 0;
    fd = openForWriting(path, false);
    if (fd < 0) {
        why = std::strerror(errno);
        return false;
    }
    regular = isRegular(fd);
    // Emptied only once it is ours: a refused run leaves the other's file whole.
    if (regular && !lockForRun(fd)) {
        why = "another run is writing it";
        closeFile(fd);
        fd = -1;
        return false;
    }
    if (regular && cutTo(fd, 0) != 0) {
        why = std::strerror(errno);
        closeFile(fd);
        fd = -1;
        return false;
    }
    return true;
}

bool OutputFile::writeLines(bool everything) {
    if (failure != 0 || fd < 0) {
        waiting.clear();
        errno = failure != 0 ? failure : EBADF;
        return false;
    }
    // Up to the last line end; rfind's npos + 1 wraps to 0 when there is none.
    const std::size_t end = everything ? waiting.size() : waiting.rfind('\n') + 1;
    if (end == 0)
        return true;
    std::size_t through = 0;
    const int error = writeAll(fd, waiting.data(), end, &through);
    if (error != 0) {
        failure = error;
        // The whole lines that got through stay; the part of the cut one goes.
        const std::size_t lastEnd =
            through == 0 ? std::string::npos : waiting.rfind('\n', through - 1);
        if (lastEnd != std::string::npos)
            whole += lastEnd + 1;
        waiting.clear();
        if (regular)
            cutTo(fd, whole);
        errno = error; // the write's reason, not the cut's
        return false;
    }
    whole += end;
    waiting.erase(0, end);
    return true;
}

OutputFile::int_type OutputFile::overflow(int_type c) {
    if (traits_type::eq_int_type(c, traits_type::eof()))
        return traits_type::not_eof(c);
    const char ch = traits_type::to_char_type(c);
    return xsputn(&ch, 1) == 1 ? c : traits_type::eof();
}

std::streamsize OutputFile::xsputn(const char* s, std::streamsize n) {
    if (failure != 0 || fd < 0) {
        errno = failure != 0 ? failure : EBADF;
        return 0;
    }
    waiting.append(s, std::size_t(n));
    if (waiting.size() >= kGathered && !writeLines(false))
        return 0;
    return n;
}

int OutputFile::sync() {
    return writeLines(false) ? 0 : -1;
}

int OutputFile::close() {
    if (fd < 0)
        return failure;
    writeLines(true);
    if (closeFile(fd) != 0 && failure == 0)
        failure = errno != 0 ? errno : EIO;
    fd = -1;
    return failure;
}

bool writeWholeFile(const std::string& path, const void* data, std::size_t size, std::string& why) {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::path target = fs::u8path(path);
    // A link is followed: the file it leads to is replaced, the link stays.
    if (fs::is_symlink(fs::symlink_status(target, ec))) {
        const fs::path real = fs::weakly_canonical(target, ec);
        if (!ec)
            target = real;
    }
    // A device or a pipe is written as it is: there is no file to replace.
    const fs::file_status st = fs::status(target, ec);
    if (fs::exists(st) && !fs::is_regular_file(st)) {
        const int fd = openForWriting(target.u8string(), false);
        if (fd < 0) {
            why = std::strerror(errno);
            return false;
        }
        int error = writeAll(fd, static_cast<const char*>(data), size);
        if (closeFile(fd) != 0 && error == 0)
            error = errno != 0 ? errno : EIO;
        if (error != 0)
            why = std::strerror(error);
        return error == 0;
    }
    // A hidden name beside the target: a rename within one folder is atomic.
    const std::string stem =
        (target.parent_path() / fs::u8path("." + target.filename().u8string())).u8string() + "." +
        std::to_string(processId()) + ".";
    std::string temporary;
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
        temporary = stem + std::to_string(attempt) + ".part";
        fd = openForWriting(temporary, true);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0) {
        why = std::strerror(errno);
        return false;
    }
    int error = writeAll(fd, static_cast<const char*>(data), size);
    // On the disk before the rename, so that a crash cannot leave an empty file in its place.
    if (error == 0 && isRegular(fd) && syncFile(fd) != 0)
        error = errno;
    if (closeFile(fd) != 0 && error == 0)
        error = errno != 0 ? errno : EIO;
    if (error == 0 && !replace(temporary, target.u8string()))
        error = errno != 0 ? errno : EIO;
    if (error != 0) {
        removeFile(temporary);
        why = std::strerror(error);
        return false;
    }
    return true;
}

} // namespace orbiton
