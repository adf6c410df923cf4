#include <gtest/gtest.h>

#include <set>
#include <string>

#include "logo/lgo_writer.h"
#include "logo/opened_picture.h"
#include "logo/service/lgo_association.h"
#include "logo/service/lgo_files.h"

namespace norva::logo {
namespace {

// Each outcome has a text of its own, so a caller that reports one says which.
template <typename E>
void expectDistinctTexts(std::initializer_list<E> values) {
  std::set<std::string> seen;
  for (E value : values) {
    const std::string text = toString(value);
    EXPECT_FALSE(text.empty());
    EXPECT_EQ(text.find("unknown"), std::string::npos) << text;
    EXPECT_TRUE(seen.insert(text).second) << text;
  }
}

TEST(OutcomeTexts, EveryValueHasItsOwnText) {
  expectDistinctTexts({OpenStatus::Loaded, OpenStatus::NothingLoaded, OpenStatus::Failed});
  expectDistinctTexts({SaveOutcome::Saved, SaveOutcome::Declined, SaveOutcome::NotWritten});
  expectDistinctTexts({RegisterOutcome::Registered, RegisterOutcome::KeyNotWritten,
                       RegisterOutcome::DesktopFilesNotWritten});
}

}  // namespace
}  // namespace norva::logo
