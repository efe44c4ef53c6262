#include "viewer/output/PrintSetupDialog.h"

#include "platform/ModalDialog.h"
#include "viewer/output/DefaultPrinter.h"
#include "viewer/output/OutputDialogLayout.h"
#include "viewer/settings/SettingsValues.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include <array>

namespace {

namespace id {
constexpr int kCopiesLabel = 1001;
constexpr int kCopies = 1002;
constexpr int kColourLabel = 1004;
constexpr int kColour = 1005;
constexpr int kQuality = 1007;
constexpr int kQualityLabel = 1008;
constexpr int kContinue = 1009;
constexpr int kPrinterName = 1010;
}  // namespace id

using K = OutputControl;
constexpr std::array<OutputControlSpec, 8> kControls{{
    {id::kCopiesLabel, K::Label, TextId::PrintCopiesLabel, 5, 5, 115, 15},
    {id::kCopies, K::List, std::nullopt, 5, 20, 115, 40},
    {id::kColourLabel, K::Label, TextId::PrintColourModeLabel, 120, 5, 115, 15},
    {id::kColour, K::List, std::nullopt, 120, 20, 115, 40},
    {id::kQualityLabel, K::Label, TextId::PrintQualityLabel, 235, 5, 120, 15},
    {id::kQuality, K::List, std::nullopt, 235, 20, 115, 40},
    {id::kContinue, K::Button, TextId::PrintContinue, 5, 45, 50, 15},
    {id::kPrinterName, K::CentredLabel, std::nullopt, 60, 45, 290, 15},
}};

constexpr QRect kFrame(70, 70, 355, 66);

constexpr std::array kCopiesItems{TextId::PrintCopies01, TextId::PrintCopies02, TextId::PrintCopies03,
                                  TextId::PrintCopies04, TextId::PrintCopies05, TextId::PrintCopies10};
constexpr std::array kColourItems{TextId::PrintColourMonochrome, TextId::PrintColourColour};
constexpr std::array kQualityItems{TextId::PrintQualityDraft, TextId::PrintQualityLow, TextId::PrintQualityMedium,
                                   TextId::PrintQualityHigh};

// Item `value` of a list of `count` items (counted from 1), or none.
int ItemOf(int value, std::size_t count) {
  return value >= 1 && static_cast<std::size_t>(value) <= count ? value - 1 : -1;
}

}  // namespace

int CopiesItem(int copies) { return copies == 10 ? 5 : ItemOf(copies, kCopiesItems.size()); }
int ColourItem(int colourMode) { return ItemOf(colourMode, kColourItems.size()); }
int QualityItem(int quality) { return ItemOf(quality, kQualityItems.size()); }

int ItemValue(const QString& itemText, int digits) {
  return static_cast<int>(ParseLeadingNumber(itemText.left(digits).toStdString(), 0, 99));
}

PrintSetupDialog::PrintSetupDialog(PrintSettings& settings, const std::string& printerName, QWidget* owner)
    : FocusKeepingDialog(owner), settings_(settings) {
  setWindowTitle(DialogText(TextId::PrintTitle));
  setModal(true);
  const DialogBaseUnits base = BaseUnitsOf(SettingsControlFont());
  controls_ = CreateOutputControls(*this, kControls, base);
  PlaceOutputDialog(*this, owner, kFrame, base);
  QFont listFont = SettingsControlFont();
  listFont.setBold(false);
  for (const int list : {id::kCopies, id::kColour, id::kQuality}) controls_.at(list)->setFont(listFont);
  auto* name = static_cast<QLabel*>(controls_.at(id::kPrinterName));
  name->setFont(QFont(QStringLiteral("Georgia"), 10, QFont::Bold));
  name->setText(QString::fromStdString(printerName));
  FillLists();
  connect(static_cast<QPushButton*>(controls_.at(id::kContinue)), &QPushButton::clicked, this,
          [this] { Continue(); });
}

QComboBox* PrintSetupDialog::List(int list) const { return static_cast<QComboBox*>(controls_.at(list)); }

void PrintSetupDialog::FillLists() {
  const auto fill = [this](int list, const auto& items, int selected) {
    for (const TextId item : items) List(list)->addItem(DialogText(item));
    List(list)->setCurrentIndex(selected);
  };
  fill(id::kCopies, kCopiesItems, CopiesItem(settings_.copies));
  fill(id::kColour, kColourItems, ColourItem(settings_.colourMode));
  fill(id::kQuality, kQualityItems, QualityItem(settings_.quality));
}

void PrintSetupDialog::Continue() {
  settings_.copies = ItemValue(List(id::kCopies)->currentText(), 2);
  settings_.colourMode = ItemValue(List(id::kColour)->currentText(), 1);
  settings_.quality = ItemValue(List(id::kQuality)->currentText(), 1);
  accept();
}

void RunPrintSetupDialog(PrintSettings& settings, const std::string& printerName, QWidget* owner) {
  PrintSetupDialog dialog(settings, printerName, owner);
  RunModalDialog(dialog);
}
