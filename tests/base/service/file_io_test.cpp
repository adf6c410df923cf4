#include "base/service/file_io.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>

#include "test_support/temp_dir.h"

namespace norva {
namespace {

TEST(FileIo, WritesAtomicallyAndReadsBackWholeFiles) {
  TempDir dir;
  const auto path = dir.path() / "歌词 file.lyr";
  ASSERT_TRUE(writeFileAtomically(path, std::string_view("first")).ok());
  ASSERT_TRUE(writeFileAtomically(path, std::string_view("second!")).ok());
  ReadResult read = readWholeFile(path);
  ASSERT_EQ(read.status, ReadResult::Status::Ok);
  EXPECT_EQ(std::string(read.bytes.begin(), read.bytes.end()), "second!");
  // No temporary file is left behind.
  int entries = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.path())) ++entries;
  EXPECT_EQ(entries, 1);
}

TEST(FileIo, FailedWriteLeavesTheOldFileIntact) {
  TempDir dir;
  const auto path = dir.path() / "keep.txt";
  ASSERT_TRUE(writeFileAtomically(path, std::string_view("old")).ok());
  EXPECT_FALSE(writeFileAtomically(dir.path() / "missing folder" / "x.txt", std::string_view("x")).ok());
  if (::geteuid() != 0) {  // root ignores permission bits
    ::chmod(dir.path().c_str(), 0500);
    EXPECT_FALSE(writeFileAtomically(path, std::string_view("new")).ok());
    ::chmod(dir.path().c_str(), 0700);
  }
  ReadResult read = readWholeFile(path);
  EXPECT_EQ(std::string(read.bytes.begin(), read.bytes.end()), "old");
}

TEST(FileIo, ReadReportsMissingAndOversizedFiles) {
  TempDir dir;
  EXPECT_EQ(readWholeFile(dir.path() / "none").status, ReadResult::Status::CannotOpen);
  EXPECT_EQ(readWholeFile(dir.path()).status, ReadResult::Status::CannotOpen);
  const auto path = dir.path() / "big";
  ASSERT_TRUE(writeFileAtomically(path, std::string(11, 'x')).ok());
  EXPECT_EQ(readWholeFile(path, 10).status, ReadResult::Status::TooLarge);
  EXPECT_EQ(readWholeFile(path, 10).fileSize, 11u);
  EXPECT_EQ(readWholeFile(path, 11).status, ReadResult::Status::Ok);
}

TEST(FileIo, ReadsPartOfAFile) {
  TempDir dir;
  const auto path = dir.path() / "ten";
  ASSERT_TRUE(writeFileAtomically(path, std::string_view("0123456789")).ok());
  struct Row {
    uint64_t offset;
    size_t limit;
    std::string expected;
  };
  const Row rows[] = {
      {0, 4, "0123"}, {6, 4, "6789"}, {7, 4, "789"}, {9, 100, "9"}, {10, 4, ""}, {11, 4, ""},
  };
  for (const Row& row : rows) {
    const auto part = readFilePart(path, row.offset, row.limit);
    ASSERT_TRUE(part) << row.offset;
    EXPECT_EQ(std::string(part->begin(), part->end()), row.expected) << row.offset;
  }
  EXPECT_FALSE(readFilePart(dir.path() / "missing", 0, 4));
  EXPECT_FALSE(readFilePart(dir.path(), 0, 4));  // a folder
}

}  // namespace
}  // namespace norva
