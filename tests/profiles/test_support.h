// Helpers of the profile and language tests: a scratch working directory,
// a temporary process locale and a simulated full disk.
#ifndef RIRUZIRUZO_TESTS_PROFILES_TEST_SUPPORT_H_
#define RIRUZIRUZO_TESTS_PROFILES_TEST_SUPPORT_H_

#include <sys/resource.h>
#include <unistd.h>

#include <clocale>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <string_view>

namespace rz::testing {

// A fresh folder that is the working directory for the lifetime of the
// object, as the program's folder is for the program.
class TempFolder {
 public:
  TempFolder() : previous_(std::filesystem::current_path()) {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "rz-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) std::abort();
    path_ = pattern;
    std::filesystem::current_path(path_);
  }
  ~TempFolder() {
    std::filesystem::current_path(previous_);
    std::error_code error;
    std::filesystem::remove_all(path_, error);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  static void Write(const std::string& path, std::string_view bytes) {
    std::ofstream(path, std::ios::binary).write(bytes.data(), bytes.size());
  }
  static std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  // Names of the entries of `folder`, hidden ones included.
  static std::set<std::string> List(const std::string& folder) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
      names.insert(entry.path().filename().string());
    }
    return names;
  }

 private:
  std::filesystem::path previous_;
  std::filesystem::path path_;
};

// Sets the process locale, as Qt does from the environment, and restores
// "C" afterwards. ok() is false when the locale is not installed.
class ScopedLocale {
 public:
  explicit ScopedLocale(const char* name)
      : ok_(std::setlocale(LC_ALL, name) != nullptr) {}
  ~ScopedLocale() { std::setlocale(LC_ALL, "C"); }
  ScopedLocale(const ScopedLocale&) = delete;
  ScopedLocale& operator=(const ScopedLocale&) = delete;
  bool ok() const { return ok_; }

 private:
  bool ok_;
};

// Makes every write beyond `bytes` into a regular file fail, as a full disk
// would, for the lifetime of the object.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    ::getrlimit(RLIMIT_FSIZE, &saved_);
    previous_handler_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = saved_;
    limit.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, previous_handler_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit saved_{};
  void (*previous_handler_)(int) = nullptr;
};

inline constexpr char kFrenchLocale[] = "fr_FR.UTF-8";

}  // namespace rz::testing

#endif  // RIRUZIRUZO_TESTS_PROFILES_TEST_SUPPORT_H_
