// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIcon>
#include <QTemporaryDir>

#include "WidgetApplication.h"
#include "shell/AppIcon.h"
#include "shell/HelpPages.h"

namespace {

void WritePage(const QString& path) {
  QDir().mkpath(QFileInfo(path).absolutePath());
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("<html></html>");
}

}  // namespace

TEST(InstalledFiles, TheIconIsBuiltIntoTheProgram) {
  EnsureWidgetApplication();
  const QIcon icon = QuorvelIcon();
  ASSERT_FALSE(icon.isNull());
  EXPECT_TRUE(icon.availableSizes().contains(QSize(256, 256)));
  EXPECT_EQ(icon.pixmap(32, 32).size(), QSize(32, 32));
}

TEST(InstalledFiles, AnInstalledProgramFindsTheInstalledGuideFirst) {
  QTemporaryDir prefix;
  ASSERT_TRUE(prefix.isValid());
  const QString bin = prefix.filePath("bin");
  QDir().mkpath(bin);
  WritePage(prefix.filePath("share/doc/quorvel/guide.html"));
  WritePage(bin + "/docs/guide.html");
  EXPECT_EQ(QFileInfo(HelpPagePath("guide.html", bin)).canonicalFilePath(),
            QFileInfo(prefix.filePath("share/doc/quorvel/guide.html")).canonicalFilePath());
  // Pages missing from the installed folder come from the next folder that has them.
  WritePage(bin + "/docs/index.html");
  EXPECT_EQ(QFileInfo(HelpPagePath("index.html", bin)).canonicalFilePath(),
            QFileInfo(bin + "/docs/index.html").canonicalFilePath());
}

TEST(InstalledFiles, AProgramRunFromItsBuildFolderFindsTheSourceTreesGuide) {
  QTemporaryDir build;
  ASSERT_TRUE(build.isValid());
  const QString found = HelpPagePath("guide.html", build.path());
  ASSERT_FALSE(found.isEmpty());
  EXPECT_FALSE(found.startsWith(build.path()));
  EXPECT_TRUE(found.endsWith("/docs/guide.html")) << found.toStdString();
  EXPECT_TRUE(HelpPagePath("no-such-page.html", build.path()).isEmpty());
}
