// SPDX-License-Identifier: GPL-3.0-or-later
// The shipped help pages (docs/*.html): well-formed, every link and picture found where the
// Help menu's browser looks, every keyword they name known to the program.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QMap>
#include <QRegularExpression>
#include <QSet>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>
#include <QUrl>

#include "WidgetApplication.h"
#include "settings/Keywords.h"

namespace {

const QStringList kPages = {"index.html", "guide.html"};

QString DocsDir() {
  return QString::fromLocal8Bit(qgetenv("QUORVEL_SOURCE_DIR")) + "/docs";
}

QString PageText(const QString& page) {
  QFile file(QDir(DocsDir()).filePath(page));
  if (!file.open(QIODevice::ReadOnly)) return {};
  return QString::fromUtf8(file.readAll());
}

QString WithoutComments(QString text) {
  static const QRegularExpression comment("<!--.*?-->",
                                          QRegularExpression::DotMatchesEverythingOption);
  return text.remove(comment);
}

struct CTag {
  QString name;  // lower case
  bool closing = false;
  QString attributes;
  int line = 0;
};

std::vector<CTag> TagsOf(const QString& text) {
  static const QRegularExpression tag("<(/?)([A-Za-z][A-Za-z0-9]*)([^>]*)>");
  std::vector<CTag> tags;
  for (auto it = tag.globalMatch(text); it.hasNext();) {
    const QRegularExpressionMatch match = it.next();
    tags.push_back({match.captured(2).toLower(), !match.captured(1).isEmpty(), match.captured(3),
                    static_cast<int>(text.left(match.capturedStart()).count('\n')) + 1});
  }
  return tags;
}

QStringList AttributeValues(const std::vector<CTag>& tags, const QString& tagName,
                            const QString& attribute) {
  const QRegularExpression pattern("\\b" + attribute + "=\"([^\"]*)\"");
  QStringList values;
  for (const CTag& tag : tags) {
    if (tag.closing || tag.name != tagName) continue;
    const QRegularExpressionMatch match = pattern.match(tag.attributes);
    if (match.hasMatch()) values << match.captured(1);
  }
  return values;
}

int IntegerAttribute(const QString& attributes, const QString& name) {
  const QRegularExpressionMatch match =
      QRegularExpression("\\b" + name + "=\"([0-9]+)\"").match(attributes);
  return match.hasMatch() ? match.captured(1).toInt() : -1;
}

// The anchors as the rich-text engine of the Help browser sees them.
QSet<QString> QtAnchorsOf(const QString& page) {
  QTextDocument document;
  document.setHtml(PageText(page));
  QSet<QString> anchors;
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      for (const QString& name : it.fragment().charFormat().anchorNames())
        anchors.insert(name);
    }
  }
  return anchors;
}

}  // namespace

TEST(GuidePages, EveryElementIsClosedInTheOrderItWasOpened) {
  static const QSet<QString> kVoid = {"meta", "img", "br", "hr", "link", "input", "wbr"};
  for (const QString& page : kPages) {
    const QString text = PageText(page);
    ASSERT_FALSE(text.isEmpty()) << page.toStdString();
    EXPECT_TRUE(text.startsWith("<!DOCTYPE html>")) << page.toStdString();
    std::vector<CTag> open;
    for (const CTag& tag : TagsOf(WithoutComments(text))) {
      if (kVoid.contains(tag.name)) continue;
      if (!tag.closing) {
        open.push_back(tag);
        continue;
      }
      ASSERT_FALSE(open.empty()) << page.toStdString() << ":" << tag.line << ": </"
                                 << tag.name.toStdString() << "> closes nothing";
      ASSERT_EQ(open.back().name, tag.name)
          << page.toStdString() << ":" << tag.line << ": </" << tag.name.toStdString()
          << "> closes <" << open.back().name.toStdString() << "> of line " << open.back().line;
      open.pop_back();
    }
    EXPECT_TRUE(open.empty()) << page.toStdString() << ": <" << open.back().name.toStdString()
                              << "> of line " << open.back().line << " is never closed";
  }
}

TEST(GuidePages, EveryLinkLeadsToAShippedPageAndAnAnchorTheBrowserKnows) {
  EnsureWidgetApplication();
  QMap<QString, QSet<QString>> anchors;
  for (const QString& page : kPages) {
    ASSERT_FALSE(PageText(page).isEmpty()) << page.toStdString();
    anchors[page] = QtAnchorsOf(page);
  }
  for (const QString& page : kPages) {
    const std::vector<CTag> tags = TagsOf(PageText(page));
    const QStringList ids = AttributeValues(tags, "h2", "id") + AttributeValues(tags, "h3", "id");
    EXPECT_EQ(QSet<QString>(ids.begin(), ids.end()).size(), ids.size())
        << page.toStdString() << " has two headings with one id";
    for (const QString& href : AttributeValues(tags, "a", "href")) {
      const QUrl url(href);
      ASSERT_TRUE(url.isRelative())
          << page.toStdString() << " links outside: " << href.toStdString();
      const QString target = url.path().isEmpty() ? page : url.path();
      ASSERT_TRUE(kPages.contains(target))
          << page.toStdString() << " links to a page that is not shipped: " << href.toStdString();
      if (url.hasFragment()) {
        EXPECT_TRUE(anchors[target].contains(url.fragment()))
            << page.toStdString() << ": no anchor for " << href.toStdString();
      }
    }
  }
}

TEST(GuidePages, EveryPictureIsShippedAndShownInItsOwnProportions) {
  EnsureWidgetApplication();
  QSet<QString> shown;
  for (const QString& page : kPages) {
    ASSERT_FALSE(PageText(page).isEmpty()) << page.toStdString();
    QTextDocument document;
    document.setBaseUrl(QUrl::fromLocalFile(DocsDir() + "/"));
    document.setHtml(PageText(page));
    for (const CTag& tag : TagsOf(PageText(page))) {
      if (tag.name != "img") continue;
      const QString source = AttributeValues({tag}, "img", "src").value(0);
      shown.insert(source);
      EXPECT_FALSE(AttributeValues({tag}, "img", "alt").value(0).isEmpty())
          << source.toStdString() << " has no text for readers who cannot see it";
      const QImage image(QDir(DocsDir()).filePath(source));
      ASSERT_FALSE(image.isNull()) << page.toStdString() << ": " << source.toStdString();
      // The Help browser finds it relative to the page.
      EXPECT_FALSE(document.resource(QTextDocument::ImageResource, QUrl(source)).isNull())
          << source.toStdString();
      const int width = IntegerAttribute(tag.attributes, "width");
      const int height = IntegerAttribute(tag.attributes, "height");
      ASSERT_GT(width, 0) << source.toStdString();
      ASSERT_GT(height, 0) << source.toStdString();
      EXPECT_LE(width, image.width()) << source.toStdString() << " is shown larger than it is";
      EXPECT_NEAR(static_cast<double>(width) / height,
                  static_cast<double>(image.width()) / image.height(), 0.01)
          << source.toStdString() << " is shown out of its proportions";
    }
  }
  // Pictures nobody shows should not be shipped.
  for (const QString& file : QDir(DocsDir() + "/images").entryList(QDir::Files))
    EXPECT_TRUE(shown.contains("images/" + file)) << "images/" << file.toStdString();
}

TEST(GuidePages, EveryKeywordThePagesNameIsAKeywordOfTheProgram) {
  // Keywords the guide already describes and other work in progress adds; each leaves this
  // list (and its section is checked) once the program knows it.
  static const QSet<QString> kComing = {};
  // In running text a keyword is code; in command examples, a word after a blank.
  static const QRegularExpression inCode("<code>-([A-Za-z][A-Za-z0-9_]*)");
  static const QRegularExpression inExample("\\s-([A-Z][A-Za-z0-9_]*)(?![$A-Za-z0-9_])");
  static const QRegularExpression example("<pre>(.*?)</pre>",
                                          QRegularExpression::DotMatchesEverythingOption);
  int named = 0;
  for (const QString& page : kPages) {
    const QString text = WithoutComments(PageText(page));
    ASSERT_FALSE(text.isEmpty()) << page.toStdString();
    QStringList names;
    for (auto it = inCode.globalMatch(text); it.hasNext();)
      names << it.next().captured(1);
    for (auto block = example.globalMatch(text); block.hasNext();) {
      const QString commands = block.next().captured(1);
      for (auto it = inExample.globalMatch(commands); it.hasNext();)
        names << it.next().captured(1);
    }
    for (const QString& name : names) {
      ++named;
      const bool known = FindKeyword(name.toStdString()) != nullptr;
      if (kComing.contains(name)) {
        EXPECT_FALSE(known) << "-" << name.toStdString()
                            << " is a keyword now: check what the guide says of it and take it "
                               "off the list of keywords to come";
      } else {
        EXPECT_TRUE(known) << page.toStdString() << " names -" << name.toStdString()
                           << ", which the program ignores";
      }
    }
  }
  EXPECT_GT(named, 50);
}
