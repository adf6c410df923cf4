#include "logo/app/glyphane_controller.h"

#include <QFile>
#include <QMetaObject>

#include "base/service/registry_store.h"
#include "logo/app/skin_artwork.h"
#include "logo/lgo_writer.h"
#include "logo/logo_conversion.h"
#include "logo/service/lgo_files.h"

namespace norva::logo {

GlyphaneController::GlyphaneController(GlyphaneEnvironment env, QObject* parent)
    : QObject(parent),
      env_(std::move(env)),
      canvas_(makeFaceBitmap(), makeButtonStrip()),
      buttons_(standardSkinButtons()) {
  logo_.depth = 1;
  logo_.layout = LAYOUT_COLUMNS;
  repaintSkin();
}

void GlyphaneController::postCommand(int command) {
  QMetaObject::invokeMethod(
      this, [this, command] { execute(command); }, Qt::QueuedConnection);
}

void GlyphaneController::execute(int command) {
  switch (command) {
    case kCmdOpen:
      chooseAndOpen();
      break;
    case kCmdSave:
      save();
      break;
    case kCmdConvert:
      convert();
      break;
    case kCmdExit:
      emit quitRequested();
      break;
    case kCmdRegister:
      changeAssociation(true);
      break;
    case kCmdUnregister:
      changeAssociation(false);
      break;
    case kCmdAbout:
      emit aboutRequested();
      break;
    case kCmdManual:
      desktop::openManual(env_.openUrl, env_.programPath, QString::fromUtf8(kManualFileName));
      break;
    default:
      break;
  }
}

// The store is opened for the one change, so another program's changes in between are kept.
void GlyphaneController::changeAssociation(bool registering) {
  RegistryStore store(env_.registryFile);
  LgoAssociation association(store, QFile::encodeName(env_.programPath).toStdString(),
                             env_.xdgDataHome, env_.runTool);
  if (registering)
    association.registerType();
  else
    association.unregisterType();
}

namespace {

const desktop::FileDialogSetup& openDialogSetup() {
  static const desktop::FileDialogSetup setup{
      QString::fromUtf8(kOpenTitle), QString::fromUtf8(kOpenFilter), QString::fromUtf8(kLgoSuffix)};
  return setup;
}

const desktop::FileDialogSetup& saveDialogSetup() {
  static const desktop::FileDialogSetup setup{
      QString::fromUtf8(kSaveTitle), QString::fromUtf8(kSaveFilter), QString::fromUtf8(kLgoSuffix)};
  return setup;
}

}  // namespace

void GlyphaneController::chooseAndOpen() {
  const auto chosen = env_.dialogs->chooseOpen(openDialogSetup(), folder_.start());
  if (!chosen) return;
  folder_.remember(*chosen);
  openFile(*chosen);
}

void GlyphaneController::openFile(const QString& name) {
  opening_ = true;
  logo_.width = 0;
  logo_.height = 0;
  picture_.reset();  // the old picture goes before the new one is loaded
  OpenedPicture opened = openPicture(name, env_.loader);
  if (opened.lgoReversedBits) reversedBits_ = *opened.lgoReversedBits;
  canvas_.fillPanes();
  switch (opened.status) {
    case OpenStatus::Loaded:
      picture_ = std::move(opened.picture);
      canvas_.drawPicture(*picture_);
      logo_.clearStore();
      opening_ = false;
      postCommand(kCmdConvert);
      setSaveEnabled(true);
      break;
    case OpenStatus::NothingLoaded:
      opening_ = false;
      setSaveEnabled(true);
      break;
    case OpenStatus::Failed:
      opening_ = false;
      env_.prompter->show(
          Message{kOpenFailedText, kLogoCaption, MessageIcon::Warning, MessageButtons::Ok});
      setSaveEnabled(false);
      break;
  }
  emit faceChanged();
}

void GlyphaneController::setSaveEnabled(bool enabled) {
  if (saveEnabled_ == enabled) return;
  saveEnabled_ = enabled;
  emit saveEnabledChanged(enabled);
}

void GlyphaneController::convert() {
  if (!picture_) return;
  convertToLogo(*picture_, slider_.value(), logo_);
  redrawPending_ = true;
  outputRedraw();
}

void GlyphaneController::outputRedraw() {
  if (!redrawPending_ || opening_) return;
  redrawPending_ = false;
  canvas_.drawLogo(logo_);
  emit faceChanged();
}

void GlyphaneController::save() {
  if (!picture_) return;
  const auto chosen = env_.dialogs->chooseSave(saveDialogSetup(), folder_.start());
  if (!chosen) return;
  folder_.remember(*chosen);
  saveLgo(QFile::encodeName(*chosen).toStdString(), logo_, reversedBits_, *env_.prompter);
}

void GlyphaneController::mouseStep(bool leftButtonDown, Point cursor) {
  const MousePhase phase = mousePhase(buttonWasDown_, leftButtonDown);
  buttonWasDown_ = leftButtonDown;
  bool changed = false;

  const auto buttonStep = buttons_.step(phase, cursor);
  for (size_t index : buttonStep.redrawn) canvas_.drawButton(buttons_.buttons()[index]);
  changed = changed || !buttonStep.redrawn.empty();
  if (buttonStep.command) postCommand(*buttonStep.command);

  const auto sliderStep = slider_.step(phase, cursor);
  if (sliderStep.erasedAt) canvas_.eraseThumb(*sliderStep.erasedAt);
  if (sliderStep.thumbDrawn) canvas_.drawThumb(slider_.thumbLeft());
  changed = changed || sliderStep.thumbDrawn;
  if (sliderStep.command) postCommand(*sliderStep.command);

  outputRedraw();
  if (changed) emit faceChanged();
}

void GlyphaneController::repaintSkin() {
  for (const auto& button : buttons_.buttons()) canvas_.drawButton(button);
  canvas_.drawThumb(slider_.thumbLeft());
  if (picture_) canvas_.drawPicture(*picture_);
  redrawPending_ = true;
  outputRedraw();
  emit faceChanged();
}

}  // namespace norva::logo
