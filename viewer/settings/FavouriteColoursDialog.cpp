#include "viewer/settings/FavouriteColoursDialog.h"

#include "platform/DialogPlacement.h"
#include "texts/TextSet.h"
#include "viewer/settings/PaletteWidget.h"

#include <QPushButton>

namespace {

constexpr int kPaletteId = 31001;
constexpr int kSaveId = 31002;
constexpr int kExitId = 31003;
constexpr int kResetId = 31004;
constexpr int kPanelId = 31005;

constexpr QSize kDialogSize(350, 357);
constexpr QRect kPaletteRect(8, 8, 336, 260);
constexpr QRect kPanelRect(8, 270, 336, 50);

// The colour the chooser opens with: mid grey.
constexpr std::uint32_t kChooserStartColour = 8421504;

struct ButtonSpec {
  int id;
  TextId text;
  QRect rect;
};

constexpr ButtonSpec kButtons[] = {
    {kSaveId, TextId::ColoursSave, QRect(8, 328, 72, 24)},
    {kResetId, TextId::ColoursReset, QRect(136, 328, 72, 24)},
    {kExitId, TextId::ColoursExit, QRect(272, 328, 72, 24)},
};

}  // namespace

FavouriteColoursDialog::FavouriteColoursDialog(FavouriteColoursContext context, QWidget* owner)
    : FocusKeepingDialog(owner), context_(std::move(context)), palette_(LoadPaletteFile(context_.palettePath)) {
  setWindowTitle(DialogText(TextId::ColoursTitle));
  setModal(true);
  CreateControls();
  SetModified(false);
  panel_->Show(kPaletteWhite, false);
  PlaceDialogCentred(*this, owner, kDialogSize);
}

void FavouriteColoursDialog::CreateControls() {
  paletteControl_ = new PaletteWidget(palette_, this);
  paletteControl_->setProperty("controlId", kPaletteId);
  paletteControl_->setGeometry(kPaletteRect);
  paletteControl_->onLeftClick = [this](PaletteSlot slot) { ChooseCellColour(slot); };
  paletteControl_->onRightClick = [this](std::uint32_t colour) { SelectColour(colour); };

  panel_ = new SelectedColourPanel(Text(TextId::ColoursSelectedCaption), this);
  panel_->setProperty("controlId", kPanelId);
  panel_->setGeometry(kPanelRect);

  for (const ButtonSpec& placed : kButtons) {
    auto* button = new QPushButton(DialogText(placed.text), this);
    TagControl(button, placed.id);
    button->setGeometry(placed.rect);
    button->setAutoDefault(false);
    const int id = placed.id;
    connect(button, &QPushButton::clicked, this, [this, id] {
      if (id == kSaveId) Save();
      if (id == kExitId) Exit();
      if (id == kResetId) Reset();
    });
    if (id == kSaveId) saveButton_ = button;
  }
}

void FavouriteColoursDialog::SetModified(bool modified) {
  modified_ = modified;
  saveButton_->setEnabled(modified);
}

void FavouriteColoursDialog::ChooseCellColour(PaletteSlot slot) {
  if (choosing_) return;
  choosing_ = true;
  const auto chosen = context_.dialogs.ChooseColour(kChooserStartColour, context_.customColours);
  if (chosen) {
    palette_.At(slot).colour = static_cast<std::int32_t>(*chosen);
    SetModified(true);
    paletteControl_->Redraw(slot);
  }
  choosing_ = false;
}

void FavouriteColoursDialog::SelectColour(std::uint32_t colour) {
  context_.selectedColour = colour;
  panel_->Show(colour, colour == 0);
}

bool FavouriteColoursDialog::WritePaletteFile() {
  const FileError error = SavePaletteFile(palette_, context_.palettePath);
  if (error.failed()) {
    ShowFileErrorMessage(context_.dialogs, error.number, error.description);
    return false;
  }
  SetModified(false);
  return true;
}

void FavouriteColoursDialog::Save() {
  if (WritePaletteFile()) ShowProgrammerMessage(context_.dialogs, std::string(Text(TextId::ColoursMessageSaved)));
}

// A failed save keeps the dialog open, so the colours are not lost unseen.
void FavouriteColoursDialog::Exit() {
  if (modified_ &&
      context_.dialogs.AskYesNo(Text(TextId::CaptionProgrammer), Text(TextId::ColoursQuestionSaveOnExit)) &&
      !WritePaletteFile()) {
    return;
  }
  accept();
}

// The file goes at once; the white palette reaches it only through Save.
void FavouriteColoursDialog::Reset() {
  const std::string question = std::string(Text(TextId::ColoursQuestionReset)) + "\r\n" +
                               std::string(Text(TextId::ColoursQuestionResetConsequence));
  if (!context_.dialogs.AskYesNo(Text(TextId::CaptionProgrammer), question)) return;
  DeletePaletteFile(context_.palettePath);
  palette_ = DefaultPalette();
  paletteControl_->Redraw();
  context_.selectedColour = kPaletteWhite;
  panel_->Show(kPaletteWhite, false);
}
