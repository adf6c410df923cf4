#include "logo/skin_controls.h"

#include <algorithm>

namespace norva::logo {

Point centredInPane(const Rect& pane, int width, int height) {
  return {pane.left + (pane.width - width) / 2, pane.top + (pane.height - height) / 2};
}

int thresholdForThumb(int left) {
  return (left - skin::kTrackLeft) * 765 / (skin::kTrackRight - skin::kTrackLeft);
}

MousePhase mousePhase(bool wasDown, bool isDown) {
  if (wasDown == isDown) return isDown ? MousePhase::Held : MousePhase::Idle;
  return isDown ? MousePhase::Pressed : MousePhase::Released;
}

std::vector<SkinButton> standardSkinButtons() {
  return {
      {1, {2, 4, 38, 35}, {0, 0}, {0, 35}, kCmdOpen},
      {2, {40, 4, 38, 35}, {38, 0}, {38, 35}, kCmdSave},
      {6, {83, 4, 38, 35}, {190, 0}, {190, 35}, kCmdAbout},
      {7, {276, 199, 29, 17}, {228, 0}, {228, 18}, kCmdConvert},
  };
}

void SkinButtonSet::setPressed(size_t index, bool pressed, Step& step) {
  if (buttons_[index].pressed == pressed) return;
  buttons_[index].pressed = pressed;
  step.redrawn.push_back(index);
}

SkinButtonSet::Step SkinButtonSet::step(MousePhase phase, Point cursor) {
  Step step;
  switch (phase) {
    case MousePhase::Pressed:
      for (size_t i = 0; i < buttons_.size(); ++i) {
        if (buttons_[i].place.containsInclusive(cursor)) {
          captured_ = i;
          setPressed(i, true, step);
          break;
        }
      }
      break;
    case MousePhase::Held:
      if (captured_)
        setPressed(*captured_, buttons_[*captured_].place.containsInclusive(cursor), step);
      break;
    case MousePhase::Released:
      if (captured_) {
        const size_t index = *captured_;
        captured_.reset();
        setPressed(index, false, step);
        if (buttons_[index].place.containsInclusive(cursor)) step.command = buttons_[index].command;
      }
      break;
    case MousePhase::Idle:
      break;
  }
  return step;
}

ThresholdSlider::Step ThresholdSlider::step(MousePhase phase, Point cursor) {
  Step step;
  switch (phase) {
    case MousePhase::Pressed:
      if (cursor.x >= left_ && cursor.x <= left_ + skin::kThumbWidth &&
          cursor.y >= skin::kThumbTop && cursor.y <= skin::kThumbBottom) {
        grabbed_ = true;
        offset_ = cursor.x - left_;
        lastX_ = cursor.x;
      }
      break;
    case MousePhase::Held:
      if (grabbed_ && cursor.x != lastX_) {
        lastX_ = cursor.x;
        const int next = std::clamp(cursor.x - offset_, skin::kTrackLeft, skin::kTrackRight);
        if (next != left_) {
          step.erasedAt = left_;
          left_ = next;
          step.thumbDrawn = true;
        }
      }
      break;
    case MousePhase::Released:
      if (grabbed_) {
        value_ = thresholdForThumb(left_);
        step.command = kCmdConvert;
        grabbed_ = false;
      }
      break;
    case MousePhase::Idle:
      break;
  }
  return step;
}

}  // namespace norva::logo
