#pragma once
// Everything the logo converter's window does, below the widgets: the commands by number, the
// open/convert/save cycle, the skin buttons and slider driven by mouse steps, and the drawing
// on the face. The window only shows the face and forwards input.
#include <QObject>
#include <QString>
#include <filesystem>
#include <optional>

#include "base/prompter.h"
#include "desktop/desktop_opener.h"
#include "desktop/file_dialogs.h"
#include "logo/app/face_canvas.h"
#include "logo/logo_bitmap.h"
#include "logo/logo_messages.h"
#include "logo/rgb_image.h"
#include "logo/service/lgo_association.h"
#include "logo/service/picture_loader.h"
#include "logo/skin_controls.h"

namespace norva::logo {

struct GlyphaneEnvironment {
  Prompter* prompter = nullptr;
  desktop::FileDialogs* dialogs = nullptr;
  desktop::UrlOpener openUrl;          // the desktop's "open"
  QString programPath;                 // full path of the program's own file
  std::filesystem::path registryFile;  // class-root store
  std::filesystem::path xdgDataHome;
  ToolRunner runTool = runDesktopTool;
  PictureLoaderOptions loader;
};

class GlyphaneController : public QObject {
  Q_OBJECT
 public:
  explicit GlyphaneController(GlyphaneEnvironment env, QObject* parent = nullptr);

  // Queues a command for the event loop, as posting a command message does.
  void postCommand(int command);
  void execute(int command);

  // The open step after its dialog (and the start-up open): logo size 0 x 0, then open.
  void openFile(const QString& name);

  // One step of the skin's mouse logic: buttons, then slider, then the output redraw.
  void mouseStep(bool leftButtonDown, Point cursor);

  // Redraws buttons, thumb and output (after a paint or move of the window).
  void repaintSkin();

  bool saveEnabled() const { return saveEnabled_; }
  bool hasPicture() const { return picture_.has_value(); }
  const RgbImage* picture() const { return picture_ ? &*picture_ : nullptr; }
  const LogoBitmap& logo() const { return logo_; }
  bool reversedBitsFlag() const { return reversedBits_; }
  int threshold() const { return slider_.value(); }
  const ThresholdSlider& slider() const { return slider_; }
  const SkinButtonSet& buttons() const { return buttons_; }
  const FaceCanvas& canvas() const { return canvas_; }
  const QString& rememberedFolder() const { return folder_.folder(); }

 signals:
  void faceChanged();
  void saveEnabledChanged(bool enabled);
  void aboutRequested();
  void quitRequested();

 private:
  void setSaveEnabled(bool enabled);
  void convert();
  void outputRedraw();
  void save();
  void chooseAndOpen();
  // Registers (true) or unregisters the .lgo file type in the class-root store.
  void changeAssociation(bool registering);

  GlyphaneEnvironment env_;
  FaceCanvas canvas_;
  SkinButtonSet buttons_;
  ThresholdSlider slider_;
  bool buttonWasDown_ = false;
  std::optional<RgbImage> picture_;
  LogoBitmap logo_;
  bool reversedBits_ = false;
  bool redrawPending_ = false;
  bool opening_ = false;
  bool saveEnabled_ = true;
  desktop::RememberedFolder folder_;
};

}  // namespace norva::logo
