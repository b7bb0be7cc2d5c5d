// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "ScriptedServices.h"
#include "TestFiles.h"
#include "base/Failure.h"
#include "base/Missing.h"
#include "dissimilarity/DissimilarityFileReader.h"
#include "dissimilarity/Distance.h"

namespace {

constexpr char kDiagonalMessage[] =
    "STOP !\tAt least one of the diagonal's elements is not equal to zero !!!\t";

struct CFileFixture {
  CScriptedServices services;
  CTempDir folder;
  CDistance distance;

  explicit CFileFixture(int n) { distance.Allocate(n); }
  void Read(const std::string& content) {
    EXPECT_EQ(ReadDissimilarityFile(distance, folder.Write("d.txt", content), &services), "");
  }
  // Reads the named file and returns the text of the message box that stops the program.
  std::string Refusal(const std::string& fileName) {
    const std::string failure = ReadDissimilarityFile(distance, fileName, &services);
    if (failure.empty()) ADD_FAILURE() << "the file was accepted";
    return failure;
  }
};

}  // namespace

TEST(DissimilarityFile, LowerTriangleLinesFillTheSymmetricMatrix) {
  CFileFixture f(3);
  f.Read("0\n2 0\n5 3 0\n");
  EXPECT_EQ(f.distance.At(0, 1), 2.0);
  EXPECT_EQ(f.distance.At(0, 2), 5.0);
  EXPECT_EQ(f.distance.At(2, 1), 3.0);
  EXPECT_TRUE(f.services.messageBoxes.empty());
}

TEST(DissimilarityFile, DelimitersCommasAndFieldPrefixes) {
  CFileFixture f(5);
  // Commas are decimal points; ';', ':' and tabs delimit like blanks; a field is read up to
  // the end of its number; extra values and lines are ignored; CRLF line ends are accepted.
  f.Read("0 9 9\r\n2,5;0\n1:2\t0\n3xyz  abc 1e999 0\n1,5e1 ;4 -2 7 0 8\nlast\n");
  EXPECT_EQ(f.distance.At(0, 1), 2.5);
  EXPECT_EQ(f.distance.At(0, 2), 1.0);
  EXPECT_EQ(f.distance.At(1, 2), 2.0);
  EXPECT_EQ(f.distance.At(0, 3), 3.0);
  EXPECT_EQ(f.distance.At(1, 3), 0.0);  // no number at all
  EXPECT_EQ(f.distance.At(2, 3), 0.0);  // too large for a double: no infinity enters
  EXPECT_EQ(f.distance.At(0, 4), 15.0);
  EXPECT_EQ(f.distance.At(1, 4), 4.0);
  EXPECT_EQ(f.distance.At(2, 4), -2.0);
  EXPECT_EQ(f.distance.At(3, 4), 7.0);
}

TEST(DissimilarityFile, EmptyFieldsAndMissingValuesAreTheMissingMarker) {
  CFileFixture f(3);
  // A leading blank opens an empty field; so does a second tab.
  f.Read("0\n 0\n4\t\t0\n");
  EXPECT_EQ(f.distance.At(0, 1), kMissing);
  EXPECT_EQ(f.distance.At(0, 2), 4.0);
  EXPECT_EQ(f.distance.At(1, 2), kMissing);
}

TEST(DissimilarityFile, OnlyTheSumOfTheDiagonalIsChecked) {
  CFileFixture f(2);
  f.Read("1\n5 -1\n");
  EXPECT_TRUE(f.services.messageBoxes.empty());
  EXPECT_EQ(f.distance.At(0, 1), 5.0);
  // The diagonal read is only checked: d(a, a) stays 0.
  EXPECT_EQ(f.distance.At(0, 0), 0.0);
  EXPECT_EQ(f.distance.At(1, 1), 0.0);
}

TEST(DissimilarityFile, NonZeroDiagonalEndsTheProgram) {
  for (const char* content : {"0.0000001\n5 0\n", "0\n", "0\n5 0\n"}) {
    // The second file lacks line 1, whose diagonal is then missing; the third is too short for
    // three items.
    CFileFixture f(std::string(content) == "0\n5 0\n" ? 3 : 2);
    const std::string path = f.folder.Write("d.txt", content);
    EXPECT_EQ(f.Refusal(path), "Reading:\t" + path + "\t\n\n" + kDiagonalMessage) << content;
  }
}

TEST(DissimilarityFile, OpenFailuresNameTheirCause) {
  CFileFixture missing(2);
  const std::string absent = (missing.folder.Path() / "absent.txt").string();
  EXPECT_EQ(missing.Refusal(absent), absent + "\t\n\nSTOP !\tThis file could not be located !\t");

  CFileFixture folder(2);
  const std::string directory = folder.folder.Path().string();
  EXPECT_EQ(folder.Refusal(directory),
            directory + "\t\n\nERROR:\tThe file could not be accessed !\t");

  CFileFixture unnamed(2);
  EXPECT_EQ(unnamed.Refusal(""),
            "STOP !\tFile name is empty!\n\nPLease, use the button \"Browse...\" to access to the "
            "file manager.");

  if (::geteuid() != 0) {  // the superuser reads any file
    CFileFixture locked(2);
    const std::string path = locked.folder.Write("locked.txt", "0\n1 0\n");
    ::chmod(path.c_str(), 0);
    EXPECT_EQ(locked.Refusal(path),
              path + "\t\n\nSTOP !\tThis file was locked by an other program !\t");
  }
}

TEST(DissimilarityFile, ProgressFrom1001ItemsSteppedPerLine) {
  for (const int n : {1000, 1001}) {
    CFileFixture f(n);
    std::string content;
    for (int i = 0; i < n; ++i) {
      for (int j = 0; j < i; ++j)
        content += "1 ";
      content += "0\n";
    }
    f.Read(content);
    if (n == 1000) {
      EXPECT_TRUE(f.services.progresses.empty());
    } else {
      ASSERT_EQ(f.services.progresses.size(), 1u);
      EXPECT_EQ(f.services.progresses[0].caption, "Is reading dissimilarity values.");
      EXPECT_EQ(f.services.progresses[0].range, 1001);
      EXPECT_EQ(f.services.progresses[0].steps, 1001);
    }
    EXPECT_EQ(f.distance.At(n - 2, n - 1), 1.0);
  }
}
