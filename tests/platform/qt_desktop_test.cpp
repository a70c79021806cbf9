// Starting programs through the Qt desktop layer.
#include "platform/qt/qt_desktop.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace rz {
namespace {

// Each test runs in a fresh working directory. Its scripts write their
// argument count and working directory to a file after `delay` seconds.
class QtDesktopTest : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_ = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir_.path()));
  }
  void TearDown() override { QDir::setCurrent(previous_); }

  static void WriteScript(const QString& name, const QString& out, int delay) {
    QFile file(name);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QStringLiteral("#!/bin/sh\nsleep %1\necho \"$# $PWD\" > t\n"
                              "mv t %2\n")
                   .arg(delay)
                   .arg(out)
                   .toUtf8());
    file.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
  }
  static QString Read(const QString& name, int wait_ms = 0) {
    for (; wait_ms > 0 && !QFile::exists(name); wait_ms -= 50) {
      QTest::qSleep(50);
    }
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll().trimmed() : "";
  }

  QTemporaryDir dir_;
  QString previous_;
  const QString expected_ = "0 " + dir_.path();
  std::unique_ptr<Desktop> desktop_ = CreateQtDesktop();
};

TEST_F(QtDesktopTest, WaitingLaunchReturnsWhenTheProgramHasEnded) {
  WriteScript("Qiv.exe", "waited", 1);
  EXPECT_TRUE(desktop_->Launch("Qiv.exe", true));
  EXPECT_EQ(Read("waited"), expected_);
}

TEST_F(QtDesktopTest, LaunchWithoutWaitReturnsAtOnce) {
  WriteScript("CheckUpdate.exe", "detached", 2);
  EXPECT_TRUE(desktop_->Launch("CheckUpdate.exe", false));
  EXPECT_FALSE(QFile::exists("detached"));
  EXPECT_EQ(Read("detached", 20000), expected_);
}

TEST_F(QtDesktopTest, WhatCannotBeStartedIsReported) {
  EXPECT_FALSE(desktop_->Launch("", true));
  EXPECT_FALSE(desktop_->Launch("missing.exe", false));
  // A bare name means the working directory, never a search of PATH.
  EXPECT_FALSE(desktop_->Launch("true", true));
  QFile plain("notes.txt");
  ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
  EXPECT_FALSE(desktop_->Launch("notes.txt", true));
  EXPECT_FALSE(desktop_->Open(""));
}

}  // namespace
}  // namespace rz
