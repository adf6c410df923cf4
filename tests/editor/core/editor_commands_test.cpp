#include <gtest/gtest.h>

#include <set>

#include "editor/editor_commands.h"

namespace norva::editor {
namespace {

std::vector<int> menuIds(Menu menu) {
  std::vector<int> ids;
  for (const EditorCommand& c : editorCommands())
    if (c.menu == menu) ids.push_back(c.id);
  return ids;
}

TEST(EditorCommands, MenusHoldTheirItemsInOrder) {
  using V = std::vector<int>;
  EXPECT_EQ(menuIds(Menu::File),
            (V{57600, 57601, 57603, 57604, 0, 57607, 57609, 57606, 0, 57616, 0, 57665}));
  EXPECT_EQ(menuIds(Menu::Edit), (V{57643, 0, 57635, 57634, 57637, 0, 32771, 32815}));
  EXPECT_EQ(menuIds(Menu::View), (V{59392, 32848, 59393, 32901}));
  EXPECT_EQ(menuIds(Menu::Audio), (V{32774, 32835, 32836, 32837, 32838, 32786, 32787, 32793, 32779,
                                     32778, 32831, 0, 32776, 32851, 32777}));
  EXPECT_EQ(menuIds(Menu::Convert), (V{32858, 32859, 0, 32856, 32857, 0, 32860, 32853}));
  EXPECT_EQ(menuIds(Menu::Settings), (V{32861, 32862}));
  EXPECT_EQ(menuIds(Menu::Help), (V{57664, 32792}));
  EXPECT_EQ(menuTitle(Menu::Convert), "转化(&R)");
}

TEST(EditorCommands, NumbersAreUniqueAndKeysDoNotClash) {
  std::set<int> ids;
  std::set<std::string_view> keys;
  for (const EditorCommand& c : editorCommands()) {
    if (c.isSeparator()) continue;
    EXPECT_TRUE(ids.insert(c.id).second) << c.id;
    EXPECT_NE(c.enabled, nullptr) << c.id;
    for (std::string_view key : c.keys) {
      if (!key.empty()) {
        EXPECT_TRUE(keys.insert(key).second) << key;
      }
    }
  }
  // The stop item shows "Atl+D" but its key is Alt+D.
  EXPECT_EQ(findCommand(32793)->text, "停止\tAtl+D");
  EXPECT_EQ(findCommand(32793)->keys[0], "Alt+D");
  EXPECT_EQ(findCommand(57643)->keys[1], "Alt+Backspace");
  EXPECT_EQ(findCommand(32853)->menu, Menu::Convert);
  EXPECT_EQ(findCommand(12345), nullptr);
  EXPECT_FALSE(isEnabled(12345, {}));
}

TEST(EditorCommands, ConvertCommandsFollowTheDocumentType) {
  struct Row {
    LyricFileType type;
    bool convert;
    bool lrc;
  };
  const Row rows[] = {
      {LyricFileType::Text, false, false}, {LyricFileType::Tly, true, false},
      {LyricFileType::Sami, true, false},  {LyricFileType::Lyr, false, false},
      {LyricFileType::Lrc, true, true},
  };
  for (const Row& row : rows) {
    CommandState state;
    state.type = row.type;
    EXPECT_EQ(isEnabled(command::kConvertToLyr, state), row.convert) << toString(row.type);
    EXPECT_EQ(isEnabled(command::kLrcToLyr, state), row.lrc) << toString(row.type);
  }
}

TEST(EditorCommands, CommandsOfPiecesNotPresentStayDisabled) {
  CommandState state;
  state.audioOpen = true;
  state.stopped = true;
  state.textEmpty = false;
  state.type = LyricFileType::Tly;
  for (int id : {32774, 32835, 32786, 32778, 32851, 32777, 32859, 32856, 32860, 32861, 32853})
    EXPECT_FALSE(isEnabled(id, state)) << id;
  EXPECT_TRUE(isEnabled(command::kInsertLineBreak, state));

  state.features |=
      static_cast<unsigned>(Feature::Audio) | static_cast<unsigned>(Feature::SamiTools);
  EXPECT_TRUE(isEnabled(command::kPlay, state));
  EXPECT_TRUE(isEnabled(command::kTlyToSami, state));
  EXPECT_TRUE(isEnabled(command::kVerifySync, state));
}

TEST(EditorCommands, PlaybackStatesEnableTheirCommands) {
  struct Row {
    bool audioOpen, paused, stopped;
    bool play, pause, stop;
  };
  const Row rows[] = {
      {false, false, false, false, false, false},
      {true, false, false, false, true, true},  // playing
      {true, true, false, true, false, true},   // paused
      {true, false, true, true, false, false},  // stopped
  };
  for (const Row& row : rows) {
    CommandState state;
    state.features |= static_cast<unsigned>(Feature::Audio);
    state.audioOpen = row.audioOpen;
    state.paused = row.paused;
    state.stopped = row.stopped;
    EXPECT_EQ(isEnabled(command::kPlay, state), row.play);
    EXPECT_EQ(isEnabled(command::kPause, state), row.pause);
    EXPECT_EQ(isEnabled(command::kStop, state), row.stop);
  }
}

TEST(EditorCommands, OpenAudioIsRefusedForLrcAndTaggedTly) {
  struct Row {
    LyricFileType type;
    bool empty;
    int syncCount;
    bool enabled;
  };
  const Row rows[] = {
      {LyricFileType::Text, false, 0, true}, {LyricFileType::Text, true, 0, false},
      {LyricFileType::Lrc, false, 0, false}, {LyricFileType::Tly, false, 0, true},
      {LyricFileType::Tly, false, 1, false}, {LyricFileType::Sami, false, 1, true},
  };
  for (const Row& row : rows) {
    CommandState state;
    state.features |= static_cast<unsigned>(Feature::Audio);
    state.type = row.type;
    state.textEmpty = row.empty;
    state.syncCount = row.syncCount;
    EXPECT_EQ(isEnabled(command::kOpenAudio, state), row.enabled)
        << toString(row.type) << row.empty << row.syncCount;
  }
}

TEST(EditorCommands, ToggleItemsAreCheckedWhileTheirPartIsShown) {
  CommandState state;
  EXPECT_TRUE(isChecked(command::kSyncToolbar, state));
  state.syncToolbarVisible = false;
  EXPECT_FALSE(isChecked(command::kSyncToolbar, state));
  EXPECT_FALSE(isChecked(command::kWordWrap, state));
  state.wordWrap = true;
  EXPECT_TRUE(isChecked(command::kWordWrap, state));
  EXPECT_FALSE(isChecked(command::kPlayerScreen, state));  // hidden until asked for
  state.playerScreenVisible = true;
  EXPECT_TRUE(isChecked(command::kPlayerScreen, state));
  EXPECT_FALSE(isChecked(command::kNew, state));
  EXPECT_FALSE(isEnabled(command::kRecentFiles, state));
  state.recentFiles = 1;
  EXPECT_TRUE(isEnabled(command::kRecentFiles, state));
}

TEST(EditorCommands, ToolbarsCarryTheirButtons) {
  using V = std::vector<int>;
  const auto main = mainToolbarButtons();
  EXPECT_EQ(V(main.begin(), main.end()),
            (V{57600, 57601, 57603, 0, 57635, 57634, 57637, 0, 32776, 32774, 32831}));
  const auto sync = syncToolbarButtons();
  EXPECT_EQ(V(sync.begin(), sync.end()), (V{32786, 32787, 32793, 32837, 32838, 32778, 32779}));
}

}  // namespace
}  // namespace norva::editor
