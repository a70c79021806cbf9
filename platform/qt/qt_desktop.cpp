#include "platform/qt/qt_desktop.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QUrl>
#include <filesystem>
#include <system_error>

namespace rz {
namespace {

// A relative path names a file in the working directory, never one found
// through PATH as QProcess would do for a bare name.
QString ProgramPath(const std::string& path) {
  return QFileInfo(QString::fromStdString(path)).absoluteFilePath();
}

class QtDesktop final : public Desktop {
 public:
  std::string ExecutablePath() override {
    if (QCoreApplication::instance() != nullptr) {
      return QCoreApplication::applicationFilePath().toStdString();
    }
    std::error_code error;
    const std::filesystem::path path =
        std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : path.string();
  }

  bool Launch(const std::string& path, bool wait) override {
    if (path.empty()) return false;
    if (!wait) {
      // No arguments; an empty working directory means the inherited one.
      return QProcess::startDetached(ProgramPath(path), {});
    }
    QProcess process;
    // The child shares this program's terminal rather than pipes that
    // nobody reads while we wait.
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.setInputChannelMode(QProcess::ForwardedInputChannel);
    process.start(ProgramPath(path), {});
    if (!process.waitForStarted(-1)) return false;
    process.waitForFinished(-1);
    return true;
  }

  bool Open(const std::string& target) override {
    // The desktop's handlers are reached through the running application.
    if (target.empty() || qobject_cast<QGuiApplication*>(
                              QCoreApplication::instance()) == nullptr) {
      return false;
    }
    const QUrl url =
        QUrl::fromUserInput(QString::fromStdString(target), QDir::currentPath(),
                            QUrl::AssumeLocalFile);
    return url.isValid() && QDesktopServices::openUrl(url);
  }

  bool Restart(const std::string& path) override { return Launch(path, false); }
};

}  // namespace

std::unique_ptr<Desktop> CreateQtDesktop() {
  return std::make_unique<QtDesktop>();
}

}  // namespace rz
