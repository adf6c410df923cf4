#pragma once
// The player's screen beside the text, live: the text compiled as the convert command would
// compile it, and the screen the player would show at the audio's position. It follows the
// position every 100 ms while shown, and the text's edits at most half a second after the
// first of a burst (one compile for many keystrokes). When the text does not compile it shows
// the compile's message instead of a screen.
#include <QDockWidget>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "editor/player_screen.h"
#include "preview/app/tick_source.h"

namespace norva::editor {

class PlayerFaceView;

class PlayerScreenDock : public QDockWidget {
  Q_OBJECT
 public:
  static constexpr std::chrono::milliseconds kPositionInterval{100};
  static constexpr std::chrono::milliseconds kCompileDelay{500};

  // How the dock compiles the text as it stands, and where it reads the playing position
  // (seconds; nothing while no audio is open).
  using LyricSource = std::function<LiveLyric()>;
  using PositionSource = std::function<std::optional<double>()>;

  PlayerScreenDock(const QString& title, preview::TickSourceFactory makeTicks,
                   QWidget* parent = nullptr);
  ~PlayerScreenDock() override;

  void setLyricSource(LyricSource lyric);
  void setPositionSource(PositionSource position);
  // The text was edited: compiled again once the delay has passed.
  void textEdited();

  PlayerFaceView* face() const { return face_; }
  const LiveLyric& lyric() const { return lyric_; }

 signals:
  // The user closed the dock with its own button.
  void closedByUser();

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void compile();
  void showPosition();

  LyricSource source_;
  PositionSource position_;
  std::unique_ptr<preview::TickSource> positionTicks_;
  std::unique_ptr<preview::TickSource> compileTicks_;
  PlayerFaceView* face_ = nullptr;
  LiveLyric lyric_;
  bool stale_ = true;  // the text changed since the last compile
  std::optional<std::string> shown_;
  bool shownOnce_ = false;
};

}  // namespace norva::editor
