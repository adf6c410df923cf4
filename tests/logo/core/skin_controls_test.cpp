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

TEST(SkinButtons, CommandsOfTheFourButtons) {
  const auto buttons = standardSkinButtons();
  ASSERT_EQ(buttons.size(), 4u);
  EXPECT_EQ(buttons[0].command, kCmdOpen);
  EXPECT_EQ(buttons[1].command, kCmdSave);
  EXPECT_EQ(buttons[2].command, kCmdAbout);
  EXPECT_EQ(buttons[3].command, kCmdConvert);
  EXPECT_EQ(mousePhase(false, true), MousePhase::Pressed);
  EXPECT_EQ(mousePhase(true, false), MousePhase::Released);
  EXPECT_EQ(mousePhase(true, true), MousePhase::Held);
  EXPECT_EQ(mousePhase(false, false), MousePhase::Idle);
}

}  // namespace
}  // namespace norva::logo
