// Starting programs through the Qt desktop layer.
#include "platform/qt/qt_desktop.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

namespace rz {
namespace {

// Each test runs in a fresh working directory holding small scripts.
class QtDesktopTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    previous_ = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir_.path()));
    desktop_ = CreateQtDesktop();
  }
  void TearDown() override { QDir::setCurrent(previous_); }

  // A script that records its argument count and working directory in
  // `out` once `delay` seconds have passed.
  void WriteScript(const QString& name, const QString& out, int delay = 0) {
    QFile file(name);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QStringLiteral("#!/bin/sh\nsleep %1\necho \"$# $PWD\" > %2.tmp\n"
                              "mv %2.tmp %2\n")
                   .arg(delay)
                   .arg(out)
                   .toUtf8());
    file.close();
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  }

  static QString Read(const QString& name) {
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(file.readAll()).trimmed();
  }

  // What a detached child wrote, once it has.
  static QString AwaitFile(const QString& name) {
    for (int i = 0; i < 200 && !QFile::exists(name); ++i) QTest::qSleep(50);
    return Read(name);
  }

  QString Expected() const { return QStringLiteral("0 ") + dir_.path(); }

  QTemporaryDir dir_;
  QString previous_;
  std::unique_ptr<Desktop> desktop_;
};

TEST_F(QtDesktopTest, ExecutablePathIsThisProgram) {
  EXPECT_EQ(desktop_->ExecutablePath(),
            std::filesystem::read_symlink("/proc/self/exe").string());
}

TEST_F(QtDesktopTest, WaitingLaunchReturnsWhenTheProgramHasEnded) {
  WriteScript("Qiv.exe", "waited", 1);
  EXPECT_TRUE(desktop_->Launch("Qiv.exe", true));
  // No arguments, the inherited working directory.
  EXPECT_EQ(Read("waited"), Expected());
}

TEST_F(QtDesktopTest, LaunchWithoutWaitReturnsAtOnce) {
  WriteScript("CheckUpdate.exe", "detached", 2);
  EXPECT_TRUE(desktop_->Launch("CheckUpdate.exe", false));
  EXPECT_FALSE(QFile::exists("detached"));
  EXPECT_EQ(AwaitFile("detached"), Expected());
}

TEST_F(QtDesktopTest, RestartStartsTheGivenProgramWithoutArguments) {
  WriteScript("program", "restarted");
  EXPECT_TRUE(desktop_->Restart(dir_.filePath("program").toStdString()));
  EXPECT_EQ(AwaitFile("restarted"), Expected());
}

TEST_F(QtDesktopTest, WhatCannotBeStartedIsReported) {
  EXPECT_FALSE(desktop_->Launch("", true));
  EXPECT_FALSE(desktop_->Launch("missing.exe", true));
  EXPECT_FALSE(desktop_->Launch("missing.exe", false));
  // A bare name means the working directory, never a search of PATH.
  EXPECT_FALSE(desktop_->Launch("true", true));
  QFile plain("notes.txt");
  ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
  plain.close();
  EXPECT_FALSE(desktop_->Launch("notes.txt", true));
  EXPECT_FALSE(desktop_->Open(""));
}

}  // namespace
}  // namespace rz
