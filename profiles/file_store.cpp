#include "profiles/file_store.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

namespace rz {
namespace {

// The folder part of `path`, "." for a bare file name.
std::string FolderOf(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<size_t>(written));
  }
  return true;
}

}  // namespace

bool DiskFileStore::ReadFile(const std::string& path, std::string* bytes) {
  bytes->clear();
  // Non-blocking, so that a FIFO in place of a file cannot hang the program;
  // anything but a regular file is refused below.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat info;
  bool ok = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
  char buffer[16384];
  while (ok) {
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got > 0) {
      bytes->append(buffer, static_cast<size_t>(got));
    } else if (got == 0) {
      break;
    } else if (errno != EINTR) {
      ok = false;
    }
  }
  ::close(fd);
  if (!ok) bytes->clear();
  return ok;
}

bool DiskFileStore::CanWrite(const std::string& path) {
  const std::string folder = FolderOf(path);
  struct stat info;
  if (::stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
    return false;
  }
  if (::access(folder.c_str(), W_OK | X_OK) != 0) return false;
  return ::stat(path.c_str(), &info) != 0 || !S_ISDIR(info.st_mode);
}

bool DiskFileStore::WriteFile(const std::string& path, std::string_view bytes) {
  const std::string folder = FolderOf(path);
  // A short hidden name that no listing of the program picks up; the
  // process id keeps two running instances apart.
  const std::string temporary =
      folder + "/.riruziruzo-" + std::to_string(::getpid()) + ".tmp";
  const int fd =
      ::open(temporary.c_str(),
             O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  // Keep the permissions of the file being replaced.
  struct stat info;
  if (::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode)) {
    ::fchmod(fd, info.st_mode & 07777);
  }
  bool ok = WriteAll(fd, bytes) && ::fsync(fd) == 0;
  ok = ::close(fd) == 0 && ok;
  ok = ok && ::rename(temporary.c_str(), path.c_str()) == 0;
  if (!ok) {
    ::unlink(temporary.c_str());
    return false;
  }
  // Make the rename itself durable; a failure here loses nothing.
  const int folder_fd = ::open(folder.c_str(), O_RDONLY | O_CLOEXEC);
  if (folder_fd >= 0) {
    ::fsync(folder_fd);
    ::close(folder_fd);
  }
  return true;
}

bool MemoryFileStore::ReadFile(const std::string& path, std::string* bytes) {
  const auto it = files.find(path);
  if (it == files.end()) {
    bytes->clear();
    return false;
  }
  *bytes = it->second;
  return true;
}

bool MemoryFileStore::CanWrite(const std::string& /*path*/) {
  return folder_writable;
}

bool MemoryFileStore::WriteFile(const std::string& path,
                                std::string_view bytes) {
  if (!folder_writable || writes_fail) return false;
  files[path] = std::string(bytes);
  return true;
}

}  // namespace rz
