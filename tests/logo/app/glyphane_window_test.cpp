#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>
#include <QToolTip>

#include "../lgo_test_support.h"
#include "base/recording_prompter.h"
#include "base/service/file_io.h"
#include "base/service/registry_store.h"
#include "desktop/about_dialog.h"
#include "desktop/scripted_file_dialogs.h"
#include "logo/app/glyphane_controller.h"
#include "logo/app/glyphane_startup.h"
#include "logo/app/glyphane_window.h"
#include "logo/app/skin_artwork.h"
#include "logo/app/skin_view.h"
#include "logo/lgo_writer.h"
#include "logo/logo_conversion.h"
#include "test_support/qt_test_app.h"
#include "test_support/temp_dir.h"

namespace norva::logo {
namespace {

QString fixture(const char* name) {
  return QString::fromUtf8(NORVA_TEST_DATA_DIR) + "/pictures/" + QString::fromUtf8(name);
}

class GlyphaneWindowTest : public ::testing::Test {
 protected:
  GlyphaneWindowTest() {
    norva::testing::offscreenApp<QApplication>();
    env.prompter = &prompter;
    env.dialogs = &dialogs;
    env.openUrl = [this](const QUrl& url) {
      opened.push_back(url);
      return true;
    };
    env.programPath = QString::fromStdString((dir.path() / "bin" / "glyphane").string());
    env.registryFile = dir.path() / "registry" / "classes_root.reg";
    env.xdgDataHome = dir.path() / "data";
    env.runTool = [](const std::vector<std::string>&) {};
    controller = std::make_unique<GlyphaneController>(env);
    window = std::make_unique<GlyphaneWindow>(*controller, env.openUrl);
  }

  QString temp(const char* name) const {
    return QString::fromStdString((dir.path() / name).string());
  }
  void settle() {
    for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
  }
  QRgb face(int x, int y) const { return controller->canvas().face().pixel(x, y); }
  void mouse(QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, QPointF(at), window->skinView()->mapToGlobal(QPointF(at)), button,
                      buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(window->skinView(), &event);
  }
  void click(QPoint down, QPoint up) {
    mouse(QEvent::MouseButtonPress, down, Qt::LeftButton);
    mouse(QEvent::MouseMove, up, Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, up, Qt::NoButton);
    settle();
  }

  TempDir dir;
  RecordingPrompter prompter;
  desktop::ScriptedFileDialogs dialogs;
  std::vector<QUrl> opened;
  GlyphaneEnvironment env;
  std::unique_ptr<GlyphaneController> controller;
  std::unique_ptr<GlyphaneWindow> window;
};

TEST_F(GlyphaneWindowTest, WindowHasTheFixedClientAreaTitleAndMenu) {
  EXPECT_EQ(window->windowTitle(), QStringLiteral("LOGO编辑工具"));
  EXPECT_FALSE(window->windowIcon().isNull());
  EXPECT_EQ(window->skinView()->size(), QSize(582, 350));
  EXPECT_EQ(window->minimumSize(), window->maximumSize());
  EXPECT_EQ(window->action(kCmdOpen)->text(), QStringLiteral("打开图像文件(&Open)"));
  EXPECT_EQ(window->action(kCmdOpen)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_O));
  EXPECT_EQ(window->action(kCmdManual)->shortcut(), QKeySequence(Qt::Key_F1));
  const QImage faceBitmap = makeFaceBitmap();
  const QImage strip = makeButtonStrip();
  EXPECT_EQ(faceBitmap.size(), QSize(582, 350));
  EXPECT_EQ(strip.size(), QSize(257, 70));
  EXPECT_EQ(faceBitmap.format(), QImage::Format_Indexed8);
  EXPECT_EQ(strip.format(), QImage::Format_Indexed8);
}

TEST_F(GlyphaneWindowTest, LogoAndPictureAreDrawnCentredInThePanes) {
  controller->openFile(fixture("logo_128x64_24bit.bmp"));
  settle();
  ASSERT_EQ(controller->logo().width, 128u);
  // The design's frame is black: the logo's corners land at (380, 178) and (507, 241).
  EXPECT_EQ(face(380, 178), qRgb(0, 0, 0));
  EXPECT_EQ(face(507, 241), qRgb(0, 0, 0));
  EXPECT_EQ(face(379, 178), kOutputPaneFill.rgb());
  EXPECT_EQ(face(508, 241), kOutputPaneFill.rgb());
  EXPECT_EQ(face(380, 177), kOutputPaneFill.rgb());

  controller->openFile(fixture("scene_320x240.jpg"));
  settle();
  ASSERT_EQ(controller->picture()->width, 85u);
  ASSERT_EQ(controller->picture()->height, 64u);
  const Rgb first = controller->picture()->at(0, 0);
  EXPECT_EQ(face(95, 178), qRgb(first.r, first.g, first.b));
  EXPECT_EQ(face(94, 178), kInputPaneFill.rgb());
  EXPECT_EQ(face(95, 177), kInputPaneFill.rgb());
  EXPECT_EQ(face(95 + 85, 178), kInputPaneFill.rgb());
  // The new logo is 85 x 64 at (401, 178); the old one's columns are gone.
  EXPECT_EQ(face(380, 178), kOutputPaneFill.rgb());
}

TEST_F(GlyphaneWindowTest, SliderIsClampedAndConvertsOnRelease) {
  controller->openFile(fixture("threshold_steps_128x64_24bit.bmp"));
  settle();
  auto blackColumns = [&] {
    unsigned n = 0;
    for (unsigned x = 0; x < 128; ++x) n += controller->logo().pixel(x, 0);
    return n;
  };
  EXPECT_EQ(blackColumns(), 65u);

  mouse(QEvent::MouseButtonPress, {358, 20}, Qt::LeftButton);
  mouse(QEvent::MouseMove, {2000, 25}, Qt::LeftButton);
  EXPECT_EQ(controller->slider().thumbLeft(), 560);
  EXPECT_EQ(QToolTip::text(), QStringLiteral("765")) << "the held thumb shows its value";
  settle();
  EXPECT_EQ(blackColumns(), 65u) << "no conversion while the thumb is held";
  mouse(QEvent::MouseButtonRelease, {2000, 25}, Qt::NoButton);
  settle();
  EXPECT_FALSE(QToolTip::isVisible());
  EXPECT_EQ(controller->threshold(), 765);
  EXPECT_EQ(blackColumns(), 128u);
  // The thumb is drawn from the strip at its new place, the old place shows bare track.
  const QImage strip = makeButtonStrip().convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(face(564, 19), strip.pixel(237, 52));
  EXPECT_EQ(face(359, 19), strip.pixel(246, 52));

  click({563, 20}, {-300, 20});
  EXPECT_EQ(controller->slider().thumbLeft(), 142);
  EXPECT_EQ(controller->threshold(), 0);
  EXPECT_EQ(blackColumns(), 1u);
}

TEST_F(GlyphaneWindowTest, ButtonReleasedOutsidePostsNothingAndIsDrawnNormal) {
  const QImage strip = makeButtonStrip().convertToFormat(QImage::Format_RGB32);
  mouse(QEvent::MouseButtonPress, {20, 20}, Qt::LeftButton);
  EXPECT_EQ(face(20, 20), strip.pixel(18, 16 + 35)) << "drawn pressed";
  mouse(QEvent::MouseMove, {300, 300}, Qt::LeftButton);
  mouse(QEvent::MouseButtonRelease, {300, 300}, Qt::NoButton);
  settle();
  EXPECT_TRUE(dialogs.open.starts.empty());
  EXPECT_EQ(face(20, 20), strip.pixel(18, 16));

  click({20, 20}, {21, 21});
  EXPECT_EQ(dialogs.open.starts.size(), 1u) << "release inside posts the open command";
}

TEST_F(GlyphaneWindowTest, FailedOpenShowsTheMessageAndGraysSave) {
  testing::writeBytes(dir.path() / "broken.lgo", {9, 9, 9, 9, 9, 9, 9, 9});
  dialogs.open.answers.push_back(temp("broken.lgo"));
  controller->execute(kCmdOpen);
  settle();
  ASSERT_EQ(prompter.messages.size(), 1u);
  EXPECT_EQ(prompter.messages[0],
            (Message{"该文件不能作为可识别的图象数据文件打开！", "LOGO编辑工具",
                     MessageIcon::Warning, MessageButtons::Ok}));
  EXPECT_FALSE(window->action(kCmdSave)->isEnabled());
  controller->execute(kCmdSave);
  EXPECT_TRUE(dialogs.save.starts.empty()) << "nothing to save without a picture";
  ASSERT_EQ(dialogs.open.setups.size(), 1u);
  EXPECT_EQ(dialogs.open.setups[0].title, QStringLiteral("LOGO编辑工具打开数据文件"));
  EXPECT_EQ(dialogs.open.setups[0].filter,
            QStringLiteral("Files(.bmp;.jpg;.gif;.ico;.lgo;.emf;.wmf;.bpp;.wbmp;.cur) "
                           "(*.bmp *.jpg *.gif *.ico *.lgo *.emf *.wmf *.bpp *.wbmp *.cur);;"
                           "All Files(*.*) (*)"));
  EXPECT_EQ(dialogs.open.setups[0].defaultSuffix, QStringLiteral("lgo"));

  dialogs.open.answers.push_back(fixture("icon_32x32.ico"));
  controller->execute(kCmdOpen);
  EXPECT_TRUE(window->action(kCmdSave)->isEnabled());
  EXPECT_EQ(dialogs.open.starts.back(), QString::fromStdString(dir.path().string()))
      << "the folder of the first choice";
  controller->execute(kCmdOpen);  // cancelled
  EXPECT_EQ(dialogs.open.starts.back(), QString::fromUtf8(NORVA_TEST_DATA_DIR) + "/pictures")
      << "the dialog starts in the folder of the last choice";
}

TEST_F(GlyphaneWindowTest, SaveAsksBeforeOverwritingAndCarriesTheReversedFlag) {
  // Read a bit-reversed logo first: later saves are reversed too.
  LogoBitmap small;
  convertToLogo(RgbImage(8, 8, Rgb{0, 0, 0}), kThresholdDefault, small);
  testing::writeBytes(dir.path() / "rev.lgo", encodeLgo(small, true));
  controller->openFile(temp("rev.lgo"));
  settle();
  EXPECT_TRUE(controller->reversedBitsFlag());

  controller->openFile(fixture("logo_128x64_1bit.bmp"));
  settle();
  testing::writeBytes(dir.path() / "out.lgo", {1, 2, 3});
  dialogs.save.answers.push_back(temp("out.lgo"));
  prompter = RecordingPrompter({Answer::Cancel});
  controller->execute(kCmdSave);
  ASSERT_EQ(prompter.messages.size(), 1u);
  EXPECT_EQ(prompter.messages[0], (Message{"该文件已经存在，要覆盖吗？", "LOGO编辑工具",
                                           MessageIcon::Question, MessageButtons::OkCancel}));
  EXPECT_EQ(readWholeFile(dir.path() / "out.lgo").bytes.size(), 3u);

  dialogs.save.answers.push_back(temp("out.lgo"));
  prompter = RecordingPrompter({Answer::Ok});
  controller->execute(kCmdSave);
  const auto saved = readWholeFile(dir.path() / "out.lgo").bytes;
  ASSERT_EQ(dialogs.save.setups.size(), 2u);
  EXPECT_EQ(dialogs.save.setups[1].title, QStringLiteral("LOGO编辑工具保存数据文件"));
  EXPECT_EQ(dialogs.save.setups[1].filter,
            QStringLiteral("LGO Files(*.lgo) (*.lgo);;All Files(*.*) (*)"));
  EXPECT_EQ(dialogs.save.setups[1].defaultSuffix, QStringLiteral("lgo"));
  ASSERT_EQ(saved.size(), 1030u);
  EXPECT_EQ(saved[0], 0x81);

  // A 12-byte-form file resets the flag.
  std::vector<uint8_t> shortForm = {8, 0, 1, 0, 0, 0, 1, 0, 1, 0, 1, 0, 0xFF};
  testing::writeBytes(dir.path() / "short.lgo", shortForm);
  controller->openFile(temp("short.lgo"));
  EXPECT_FALSE(controller->reversedBitsFlag());
}

TEST_F(GlyphaneWindowTest, StartUpTakesTheWholeCommandLineAsOneName) {
  std::filesystem::create_directories(dir.path() / "my logos");
  std::filesystem::copy_file(QFile::encodeName(fixture("logo_128x64.gif")).toStdString(),
                             dir.path() / "my logos" / "boot  logo.gif");
  const QString path =
      QString::fromStdString((dir.path() / "my logos" / "boot  logo.gif").string());
  const auto whole = parseGlyphaneArguments({path});
  EXPECT_EQ(whole.commandLine, path);
  const auto split = parseGlyphaneArguments(path.split(' '));
  EXPECT_EQ(split.commandLine, path) << "split arguments are joined back with their spaces";
  // Options come out wherever they stand; "--" ends them.
  for (const QStringList& words : {QStringList{"--screenshot", "a.png", "x", "y"},
                                   QStringList{"x", "--screenshot", "a.png", "y"},
                                   QStringList{"x", "y", "--screenshot", "a.png"}}) {
    const auto shot = parseGlyphaneArguments(words);
    EXPECT_EQ(shot.screenshot, QStringLiteral("a.png")) << words.join(' ').toStdString();
    EXPECT_EQ(shot.commandLine, QStringLiteral("x y")) << words.join(' ').toStdString();
  }
  const auto ended = parseGlyphaneArguments({"--", "--help", "-x.gif"});
  EXPECT_FALSE(ended.help);
  EXPECT_EQ(ended.commandLine, QStringLiteral("--help -x.gif"));
  EXPECT_TRUE(parseGlyphaneArguments({"a.gif", "--help"}).help);
  EXPECT_TRUE(parseGlyphaneArguments({"--version"}).version);

  controller->openFile(whole.commandLine);
  settle();
  EXPECT_TRUE(controller->hasPicture());
  EXPECT_EQ(controller->logo().width, 128u);

  controller->openFile(QString());  // empty command line: no picture, no message, save enabled
  EXPECT_FALSE(controller->hasPicture());
  EXPECT_TRUE(prompter.messages.empty());
  EXPECT_TRUE(window->action(kCmdSave)->isEnabled());
}

TEST_F(GlyphaneWindowTest, StartupFailuresShowTheirMessages) {
  RecordingPrompter p;
  EXPECT_FALSE(checkStartup(false, true, p));
  EXPECT_FALSE(checkStartup(true, false, p));
  EXPECT_TRUE(checkStartup(true, true, p));
  ASSERT_EQ(p.messages.size(), 2u);
  EXPECT_EQ(p.messages[0], (Message{"窗口初始化失败！", "LOGO编辑工具", MessageIcon::Warning,
                                    MessageButtons::Ok}));
  EXPECT_EQ(p.messages[1].text, "DirectX初始化失败！");
  EXPECT_TRUE(controller->canvas().ready());
}

TEST_F(GlyphaneWindowTest, RegisterThenUnregisterInATemporaryStore) {
  window->action(kCmdRegister)->trigger();
  settle();
  {
    RegistryStore store(env.registryFile);
    EXPECT_EQ(store.value(".lgo", ""), "Logo.LgoFile");
    EXPECT_EQ(store.value("Logo.LgoFile\\shell\\open\\command", ""),
              "\"" + env.programPath.toStdString() + "\" %L");
  }
  EXPECT_TRUE(std::filesystem::exists(env.xdgDataHome / "applications" / "norva-glyphane.desktop"));
  window->action(kCmdUnregister)->trigger();
  settle();
  RegistryStore store(env.registryFile);
  EXPECT_TRUE(store.keyExists(".lgo"));
  EXPECT_FALSE(store.keyExists("Logo.LgoFile"));
  EXPECT_TRUE(store.subkeys("").size() == 1u);
  EXPECT_FALSE(
      std::filesystem::exists(env.xdgDataHome / "applications" / "norva-glyphane.desktop"));
  EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(GlyphaneWindowTest, ManualOpensFromTheProgramsFolder) {
  controller->execute(kCmdManual);
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(
      opened[0],
      QUrl::fromLocalFile(QString::fromStdString((dir.path() / "bin" / "RD710_CHS.pdf").string())));
}

TEST_F(GlyphaneWindowTest, AboutBoxLinkOpensTheAddress) {
  desktop::AboutDialog about(glyphaneAboutTexts(), env.openUrl);
  EXPECT_EQ(about.windowTitle(), QStringLiteral("关于Glyphane软件"));
  EXPECT_EQ(about.okButton()->text(), QStringLiteral("确  定"));
  EXPECT_EQ(about.link()->textColour(), QColor(0, 0, 238));
  about.link()->setDown(true);
  EXPECT_EQ(about.link()->textColour(), QColor(238, 0, 0));
  about.link()->setDown(false);
  about.link()->click();
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0], QUrl(QString::fromUtf8(kMakerWebAddress)));
  EXPECT_EQ(about.link()->cursor().shape(), Qt::PointingHandCursor);
}

TEST_F(GlyphaneWindowTest, DroppedFileIsOpened) {
  QMimeData data;
  data.setUrls({QUrl(QStringLiteral("https://example.invalid/x.bmp")),
                QUrl::fromLocalFile(fixture("pointer_32x32.cur"))});
  EXPECT_TRUE(window->skinView()->acceptDrops());
  EXPECT_TRUE(window->skinView()->openDropped(&data));
  settle();
  EXPECT_TRUE(controller->hasPicture());
  EXPECT_EQ(controller->logo().width, 32u);
}

}  // namespace
}  // namespace norva::logo
