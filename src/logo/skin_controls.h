#pragma once
// The skinned window's controls without any drawing: the window's geometry, the four picture
// buttons and the threshold slider, driven by mouse phases and posting command numbers.
#include <array>
#include <optional>
#include <vector>

namespace norva::logo {

// Command numbers of the logo converter's window.
enum Command : int {
  kCmdAbout = 40002,
  kCmdExit = 40005,
  kCmdOpen = 40006,
  kCmdSave = 40007,
  kCmdConvert = 40009,
  kCmdManual = 40010,
  kCmdRegister = 40020,
  kCmdUnregister = 40022,
};

struct Point {
  int x = 0;
  int y = 0;
  bool operator==(const Point&) const = default;
};

struct Rect {
  int left = 0, top = 0, width = 0, height = 0;
  // Right and bottom edges count as inside, as the skin's hit tests have always done.
  bool containsInclusive(Point p) const {
    return p.x >= left && p.x <= left + width && p.y >= top && p.y <= top + height;
  }
};

namespace skin {
constexpr int kFaceWidth = 582, kFaceHeight = 350;
constexpr int kStripWidth = 257, kStripHeight = 70;
constexpr Rect kInputPane{13, 85, 250, 250};
constexpr Rect kOutputPane{319, 85, 250, 250};
constexpr int kTrackLeft = 142, kTrackRight = 560;  // left edges of the thumb
constexpr int kThumbWidth = 9, kThumbTop = 7, kThumbBottom = 31;
constexpr Point kThumbImage{233, 40};  // in the strip; 9 x 25
constexpr Point kTrackImage{242, 40};  // bare track piece in the strip; 9 x 25
constexpr int kThumbImageHeight = 25;
constexpr int kThumbStart = kTrackLeft + (kTrackRight - kTrackLeft + kThumbWidth) / 2;  // 355
constexpr int kWorkSurfaceSide = 800;
}  // namespace skin

// Where `size` lands centred in a 250 x 250 pane.
Point centredInPane(const Rect& pane, int width, int height);

// Threshold for a thumb whose left edge is at `left`: (left - 142) * 765 / 418.
int thresholdForThumb(int left);

enum class MousePhase { Idle, Held, Pressed, Released };
MousePhase mousePhase(bool wasDown, bool isDown);

struct SkinButton {
  int id = 0;
  Rect place;          // in the window
  Point normalImage;   // in the strip
  Point pressedImage;  // in the strip
  int command = 0;
  bool pressed = false;
};

// Open, save, about and convert, where the face has room for them.
std::vector<SkinButton> standardSkinButtons();

class SkinButtonSet {
 public:
  explicit SkinButtonSet(std::vector<SkinButton> buttons) : buttons_(std::move(buttons)) {}

  struct Step {
    std::vector<size_t> redrawn;  // buttons whose pressed flag changed
    std::optional<int> command;   // to post to the window
  };
  Step step(MousePhase phase, Point cursor);

  const std::vector<SkinButton>& buttons() const { return buttons_; }
  std::optional<size_t> captured() const { return captured_; }

 private:
  void setPressed(size_t index, bool pressed, Step& step);

  std::vector<SkinButton> buttons_;
  std::optional<size_t> captured_;
};

class ThresholdSlider {
 public:
  struct Step {
    std::optional<int> erasedAt;  // left edge where the bare track is drawn back
    bool thumbDrawn = false;      // the thumb was drawn at thumbLeft()
    std::optional<int> command;   // kCmdConvert on release
  };
  Step step(MousePhase phase, Point cursor);

  int thumbLeft() const { return left_; }
  int value() const { return value_; }
  bool grabbed() const { return grabbed_; }
  Rect thumbRect() const {
    return {left_, skin::kThumbTop, skin::kThumbWidth, skin::kThumbBottom - skin::kThumbTop};
  }

 private:
  int left_ = skin::kThumbStart;
  int value_ = thresholdForThumb(skin::kThumbStart);
  bool grabbed_ = false;
  int offset_ = 0;
  int lastX_ = -1;
};

}  // namespace norva::logo
