#include <gtest/gtest.h>

#include "logo/skin_controls.h"

namespace norva::logo {
namespace {

TEST(SkinGeometry, PicturesAreCentredInThePanes) {
  EXPECT_EQ(centredInPane(skin::kOutputPane, 128, 64), (Point{380, 178}));
  EXPECT_EQ(centredInPane(skin::kInputPane, 85, 64), (Point{95, 178}));
}

TEST(ThresholdSlider, StartsCentredAtThreshold389) {
  ThresholdSlider slider;
  EXPECT_EQ(slider.thumbLeft(), 355);
  EXPECT_EQ(slider.value(), 389);
  EXPECT_EQ(thresholdForThumb(142), 0);
  EXPECT_EQ(thresholdForThumb(560), 765);
}

TEST(ThresholdSlider, DragIsClampedAndConvertsOnlyOnRelease) {
  ThresholdSlider slider;
  EXPECT_FALSE(slider.step(MousePhase::Pressed, {360, 20}).command);
  ASSERT_TRUE(slider.grabbed());
  auto moved = slider.step(MousePhase::Held, {900, 20});
  EXPECT_EQ(moved.erasedAt, 355);
  EXPECT_TRUE(moved.thumbDrawn);
  EXPECT_EQ(slider.thumbLeft(), 560);
  EXPECT_FALSE(moved.command);
  EXPECT_EQ(slider.value(), 389) << "the value changes on release only";
  auto released = slider.step(MousePhase::Released, {900, 20});
  EXPECT_EQ(released.command, kCmdConvert);
  EXPECT_EQ(slider.value(), 765);
  EXPECT_FALSE(slider.grabbed());

  slider.step(MousePhase::Pressed, {565, 7});  // grab at the thumb's offset 5
  slider.step(MousePhase::Held, {-50, 300});
  EXPECT_EQ(slider.thumbLeft(), 142);
  slider.step(MousePhase::Released, {-50, 300});
  EXPECT_EQ(slider.value(), 0);
}

TEST(ThresholdSlider, ThumbIsGrabbedOnlyInsideItsBox) {
  ThresholdSlider slider;
  slider.step(MousePhase::Pressed, {354, 20});
  EXPECT_FALSE(slider.grabbed());
  slider.step(MousePhase::Released, {354, 20});
  slider.step(MousePhase::Pressed, {360, 32});
  EXPECT_FALSE(slider.grabbed());
  slider.step(MousePhase::Released, {360, 32});
  slider.step(MousePhase::Pressed, {364, 31});
  EXPECT_TRUE(slider.grabbed());
  // Held without moving draws nothing.
  EXPECT_FALSE(slider.step(MousePhase::Held, {364, 31}).thumbDrawn);
}

TEST(SkinButtons, ReleaseInsidePostsReleaseOutsidePostsNothing) {
  SkinButtonSet set(standardSkinButtons());
  auto pressed = set.step(MousePhase::Pressed, {40, 39});  // right/bottom edge of button 1
  ASSERT_EQ(set.captured(), 0u);
  EXPECT_EQ(pressed.redrawn, std::vector<size_t>{0});
  EXPECT_TRUE(set.buttons()[0].pressed);
  auto outside = set.step(MousePhase::Held, {200, 200});
  EXPECT_EQ(outside.redrawn, std::vector<size_t>{0});
  EXPECT_FALSE(set.buttons()[0].pressed);
  auto released = set.step(MousePhase::Released, {200, 200});
  EXPECT_FALSE(released.command);
  EXPECT_FALSE(set.buttons()[0].pressed);
  EXPECT_FALSE(set.captured());

  set.step(MousePhase::Pressed, {290, 205});
  auto convert = set.step(MousePhase::Released, {290, 205});
  EXPECT_EQ(convert.command, kCmdConvert);
}

// A click (press and release at the same point) at the edges of the four buttons. Edges are
// inside (right = left + width, bottom = top + height); where buttons 1 and 2 touch at x = 40
// the first one wins. Commands: 40006 open, 40007 save, 40002 about, 40009 convert.
struct ClickCase {
  Point at;
  std::optional<int> command;
};

TEST(SkinButtons, ClicksAtTheButtonEdgesPostTheirCommands) {
  const ClickCase cases[] = {
      {{2, 4}, 40006},
      {{1, 20}, std::nullopt},
      {{2, 3}, std::nullopt},
      {{40, 39}, 40006},
      {{2, 40}, std::nullopt},
      {{41, 20}, 40007},
      {{78, 39}, 40007},
      {{79, 20}, std::nullopt},
      {{78, 40}, std::nullopt},
      {{82, 20}, std::nullopt},
      {{83, 4}, 40002},
      {{121, 39}, 40002},
      {{122, 39}, std::nullopt},
      {{121, 40}, std::nullopt},
      {{275, 199}, std::nullopt},
      {{276, 199}, 40009},
      {{276, 198}, std::nullopt},
      {{305, 216}, 40009},
      {{306, 216}, std::nullopt},
      {{305, 217}, std::nullopt},
  };
  for (const auto& c : cases) {
    SkinButtonSet set(standardSkinButtons());
    set.step(MousePhase::Pressed, c.at);
    const auto released = set.step(MousePhase::Released, c.at);
    EXPECT_EQ(released.command, c.command) << c.at.x << "," << c.at.y;
  }
}

TEST(SkinButtons, MousePhasesCompareTheButtonWithTheLastStep) {
  const struct {
    bool wasDown, isDown;
    MousePhase phase;
  } cases[] = {
      {false, false, MousePhase::Idle},
      {false, true, MousePhase::Pressed},
      {true, true, MousePhase::Held},
      {true, false, MousePhase::Released},
  };
  for (const auto& c : cases) EXPECT_EQ(mousePhase(c.wasDown, c.isDown), c.phase);
}

}  // namespace
}  // namespace norva::logo
