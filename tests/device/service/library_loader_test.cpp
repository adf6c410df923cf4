// Loading the player library: a library without every function is refused, naming the missing
// ones; a library that cannot be found is reported with the loader's reason. Each test runs in
// its own process (the loader loads once per process).
#include <gtest/gtest.h>

#include <cstdlib>

#include "base/service/private_temp_file.h"
#include "device/service/tcc730_loader.h"
#include "test_support/temp_dir.h"

namespace norva::device {
namespace {

TEST(LibraryLoader, ALibraryMissingFunctionsIsRefused) {
  ::setenv("NORVA_TCC730_LIBRARY", NORVA_PARTIAL_LIBRARY, 1);
  const LoadedLibrary& loaded = loadTcc730Library();
  EXPECT_EQ(loaded.functions, nullptr);
  EXPECT_TRUE(loaded.error.starts_with("missing functions: TCC730_SetTimeout, TCC730_Close"))
      << loaded.error;
  EXPECT_EQ(loaded.error.find("TCC730_Open,"), std::string::npos);
  EXPECT_NE(loaded.error.find("TCC730X_ReplaceNamed"), std::string::npos);
}

TEST(LibraryLoader, NoLibraryAnywhereGivesTheReason) {
  ::setenv("NORVA_TCC730_LIBRARY", "/no/such/libnorva_tcc730.so", 1);
  ::setenv("LD_LIBRARY_PATH", "/no/such", 1);
  const LoadedLibrary& loaded = loadTcc730Library();
  if (loaded.functions != nullptr) GTEST_SKIP() << "a player library is installed system-wide";
  EXPECT_NE(loaded.error.find("/no/such/libnorva_tcc730.so"), std::string::npos) << loaded.error;
}

TEST(PrivateTemporaryFile, OnlyTheUserCanReadItAndItGoesWithTheObject) {
  TempDir dir;
  ::setenv("TMPDIR", dir.path().c_str(), 1);
  std::filesystem::path path;
  {
    auto file = PrivateTempFile::create("$730");
    ASSERT_TRUE(file);
    path = file->path();
    EXPECT_EQ(path.parent_path(), dir.path());
    EXPECT_TRUE(path.filename().string().starts_with("$730"));
    const auto perms = std::filesystem::status(path).permissions();
    EXPECT_EQ(perms & std::filesystem::perms::all,
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    const std::vector<uint8_t> bytes{1, 2, 3};
    EXPECT_TRUE(file->write(bytes));
    EXPECT_EQ(std::filesystem::file_size(path), 3u);
    auto moved = std::move(*file);
    EXPECT_EQ(moved.path(), path);
  }
  EXPECT_FALSE(std::filesystem::exists(path));
}

}  // namespace
}  // namespace norva::device
