#include "desktop/file_dialogs.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QTimer>

#include "test_support/qt_test_app.h"
#include "test_support/temp_dir.h"

namespace norva::desktop {
namespace {

const FileDialogSetup kSetup{
    QStringLiteral("打开歌词文件"),
    QStringLiteral("Lyric Files(*.lrc;*.txt) (*.lrc *.txt);;All Files(*.*) (*)"),
    QStringLiteral("lrc")};

TEST(FileDialogs, OpenAndSaveAreSetUpFromTheSetup) {
  norva::testing::offscreenApp<QApplication>();
  for (const DialogMode mode : {DialogMode::Open, DialogMode::Save}) {
    QFileDialog dialog;
    configureFileDialog(dialog, kSetup, mode);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("打开歌词文件"));
    EXPECT_EQ(dialog.nameFilters(),
              (QStringList{QStringLiteral("Lyric Files(*.lrc;*.txt) (*.lrc *.txt)"),
                           QStringLiteral("All Files(*.*) (*)")}));
    EXPECT_EQ(dialog.defaultSuffix(), QStringLiteral("lrc"));
    EXPECT_TRUE(dialog.testOption(QFileDialog::DontConfirmOverwrite))
        << "the program asks its own overwrite question";
    const bool save = mode == DialogMode::Save;
    EXPECT_EQ(dialog.acceptMode(), save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    EXPECT_EQ(dialog.fileMode(), save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  }
}

// Runs the real dialog and answers it from inside with `answer`.
template <typename Answer>
std::optional<QString> runAnswered(DialogMode mode, const QString& start, Answer answer) {
  norva::testing::offscreenApp<QApplication>();
  QtFileDialogs dialogs(nullptr);
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    answer(*dialog);
  });
  return mode == DialogMode::Open ? dialogs.chooseOpen(kSetup, start)
                                  : dialogs.chooseSave(kSetup, start);
}

TEST(FileDialogs, ChosenFileOrNothingWhenCancelled) {
  TempDir dir;
  const QString folder = QString::fromStdString(dir.path().string());
  QFile(folder + QStringLiteral("/song.lrc")).open(QIODevice::WriteOnly);

  QString startSeen;
  const auto chosen = runAnswered(DialogMode::Open, folder, [&](QFileDialog& dialog) {
    startSeen = dialog.directory().absolutePath();
    dialog.selectFile(folder + QStringLiteral("/song.lrc"));
    static_cast<QDialog&>(dialog).accept();  // public in QDialog
  });
  EXPECT_EQ(startSeen, folder);
  EXPECT_EQ(chosen, folder + QStringLiteral("/song.lrc"));

  const auto typed = runAnswered(DialogMode::Save, folder, [&](QFileDialog& dialog) {
    dialog.selectFile(folder + QStringLiteral("/new"));
    static_cast<QDialog&>(dialog).accept();  // public in QDialog
  });
  EXPECT_EQ(typed, folder + QStringLiteral("/new.lrc")) << "the default suffix is added";

  const auto cancelled =
      runAnswered(DialogMode::Open, folder, [](QFileDialog& dialog) { dialog.reject(); });
  EXPECT_FALSE(cancelled.has_value());
}

TEST(FileDialogs, RememberedFolderStartsHereAndFollowsEachChoice) {
  RememberedFolder folder;
  EXPECT_EQ(folder.start(), QDir::currentPath());
  folder.remember(QStringLiteral("/music/albums/one.lrc"));
  EXPECT_EQ(folder.start(), QStringLiteral("/music/albums"));
  folder.remember(QStringLiteral("/top.lrc"));
  EXPECT_EQ(folder.start(), QStringLiteral("/"));
  folder.remember(QStringLiteral("sub/two.lrc"));
  EXPECT_EQ(folder.start(), QDir::currentPath() + QStringLiteral("/sub"));
}

}  // namespace
}  // namespace norva::desktop
