#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "layering/include_rules.h"

namespace norva::layering {
namespace {

namespace fs = std::filesystem;

class LayeringTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() /
            ("layering_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(root_);
  }
  void TearDown() override { fs::remove_all(root_); }

  void write(const std::string& relative, const std::string& text) {
    fs::create_directories((root_ / relative).parent_path());
    std::ofstream(root_ / relative) << text;
  }

  fs::path root_;
};

TEST(Layering, TheSourceTreeKeepsItsLayers) {
  const auto violations = findViolations(NORVA_SOURCE_DIR);
  for (const auto& v : violations)
    ADD_FAILURE() << v.file << ":" << v.line << " includes " << v.include << ": " << v.rule;
}

TEST(Layering, LayerFollowsTheFolder) {
  EXPECT_EQ(layerOf("lyrics/lyr_writer.cpp"), Layer::Core);
  EXPECT_EQ(layerOf("lyrics/service/mpr_file.cpp"), Layer::Service);
  EXPECT_EQ(layerOf("logo/app/main.cpp"), Layer::App);
  EXPECT_EQ(layerOf("cli/main.cpp"), Layer::App);
  EXPECT_EQ(layerOf("desktop/qt_prompter.cpp"), Layer::App);
  EXPECT_EQ(layerOf("CMakeLists.txt"), Layer::Other);
}

TEST_F(LayeringTest, DeliberateViolationsAreFoundWithTheirLines) {
  write("lyrics/ok.cpp",
        "#include <vector>\n#include \"base/gbk_codec.h\"\n#include \"preview/mpeg_header.h\"\n");
  write("lyrics/bad.cpp",
        "#include <string>\n#include <QString>\n#include \"lyrics/service/mpr_file.h\"\n"
        "#include \"logo/app/glyphane_window.h\"\n#include \"desktop/qt_prompter.h\"\n");
  write("lyrics/service/engine.cpp",
        "#include <QFile>\n#include <QtCore/QTimer>\n#include \"lyrics/service/other.h\"\n"
        "  #  include <QMessageBox>\n#include <QtWidgets/QLabel>\n#include \"logo/app/x.h\"\n");
  write("logo/app/window.cpp", "#include <QWidget>\n#include \"logo/service/picture_loader.h\"\n");

  const std::vector<Violation> expected = {
      {"lyrics/bad.cpp", 2, "QString", "a core includes no Qt header"},
      {"lyrics/bad.cpp", 3, "lyrics/service/mpr_file.h", "a core includes no service header"},
      {"lyrics/bad.cpp", 4, "logo/app/glyphane_window.h", "a core includes no window code"},
      {"lyrics/bad.cpp", 5, "desktop/qt_prompter.h", "a core includes no desktop code"},
      {"lyrics/service/engine.cpp", 4, "QMessageBox", "a service includes no Qt Widgets header"},
      {"lyrics/service/engine.cpp", 5, "QtWidgets/QLabel",
       "a service includes no Qt Widgets header"},
      {"lyrics/service/engine.cpp", 6, "logo/app/x.h", "a service includes no window code"},
  };
  EXPECT_EQ(findViolations(root_), expected);
}

}  // namespace
}  // namespace norva::layering
