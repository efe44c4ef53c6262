#include "viewer/settings/ConfiguratorDialog.h"

#include "platform/CodePage.h"
#include "platform/DialogPlacement.h"
#include "platform/DialogUnits.h"
#include "platform/UserDialogs.h"
#include "texts/TextSet.h"
#include "viewer/settings/SettingsFile.h"
#include "viewer/settings/SettingsValues.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>
#include <cstdint>
#include <limits>

namespace {

// The setting a radio button or a check box writes: a radio stores its
// value, a check box its state (1 checked, 0 clear).
using SettingField = std::int32_t* (*)(ViewerSettings&);
inline constexpr std::int32_t kCheckState = std::numeric_limits<std::int32_t>::min();

struct SettingBinding {
  int id;
  SettingField field;
  std::int32_t value;
};

template <std::size_t Footer>
constexpr SettingField kEnabled = [](ViewerSettings& s) { return &s.footers[Footer].enabled; };
template <std::size_t Footer>
constexpr SettingField kAlignment = [](ViewerSettings& s) { return &s.footers[Footer].alignment; };
template <std::size_t Footer>
constexpr SettingField kBold = [](ViewerSettings& s) { return &s.footers[Footer].bold; };
template <std::size_t Footer>
constexpr SettingField kItalic = [](ViewerSettings& s) { return &s.footers[Footer].italic; };
template <std::size_t Footer>
constexpr SettingField kUnderline = [](ViewerSettings& s) { return &s.footers[Footer].underline; };
constexpr SettingField kNumberEnabled = [](ViewerSettings& s) { return &s.pageNumber.enabled; };
constexpr SettingField kNumberAlignment = [](ViewerSettings& s) { return &s.pageNumber.alignment; };
constexpr SettingField kPageWord = [](ViewerSettings& s) { return &s.pageNumber.pageLabel; };
constexpr SettingField kNumbering = [](ViewerSettings& s) { return &s.pageNumber.numbering; };
constexpr SettingField kRomanCase = [](ViewerSettings& s) { return &s.pageNumber.romanCase; };
constexpr SettingField kShape = [](ViewerSettings& s) { return &s.selectorShape; };

constexpr SettingBinding kBindings[] = {
    {3308, kEnabled<0>, kCheckState},         {3310, kAlignment<0>, kBlockAlignLeft},
    {3311, kAlignment<0>, kBlockAlignCentre}, {3312, kAlignment<0>, kBlockAlignRight},
    {3316, kBold<0>, kCheckState},            {3317, kItalic<0>, kCheckState},
    {3318, kUnderline<0>, kCheckState},       {3322, kEnabled<1>, kCheckState},
    {3323, kAlignment<1>, kBlockAlignLeft},   {3324, kAlignment<1>, kBlockAlignCentre},
    {3325, kAlignment<1>, kBlockAlignRight},  {3329, kBold<1>, kCheckState},
    {3330, kItalic<1>, kCheckState},          {3331, kUnderline<1>, kCheckState},
    {3338, kNumberEnabled, kCheckState},      {3339, kNumberAlignment, kBlockAlignLeft},
    {3340, kNumberAlignment, kBlockAlignCentre}, {3341, kNumberAlignment, kBlockAlignRight},
    {3345, kPageWord, kCheckState},           {3348, kNumbering, 1},
    {3349, kNumbering, 2},                    {3350, kRomanCase, 1},
    {3351, kRomanCase, 2},                    {3355, kShape, 1},
    {3356, kShape, 0},
};

const SettingBinding* BindingOf(int id) {
  const auto it = std::find_if(std::begin(kBindings), std::end(kBindings),
                               [id](const SettingBinding& b) { return b.id == id; });
  return it == std::end(kBindings) ? nullptr : it;
}

// The format radios carry the format codes as their ids.
bool IsFormatCode(long long value) {
  return (value >= kImageFormatPng && value <= kImageFormatGif) || value == kImageFormatPdf;
}

// The list item a font size selects: item n (from 0) is size n + 9; sizes
// outside the list select nothing.
int ListIndexOfSize(int size) {
  const int index = size - cfg::kSmallestListedSize;
  return index >= 0 && index < static_cast<int>(cfg::kFontSizeItems.size()) ? index : -1;
}

// The three font-size lists and the sizes they show.
std::array<std::pair<int, std::int16_t*>, 3> FontSizeLists(ViewerSettings& settings) {
  return {{{cfg::kFooter1Size, &settings.footers[0].fontSize},
           {cfg::kFooter2Size, &settings.footers[1].fontSize},
           {cfg::kPageNumberSize, &settings.pageNumber.fontSize}}};
}

QString FromCp1252(const std::string& text) { return QString::fromStdString(Cp1252ToUtf8(text)); }

bool FooterTextMissing(const ViewerSettings& settings) {
  return std::any_of(settings.footers.begin(), settings.footers.end(),
                     [](const FooterSettings& footer) { return footer.enabled == 1 && footer.text.empty(); });
}

}  // namespace

ConfiguratorDialog::ConfiguratorDialog(ViewerSettings& settings, std::string settingsPath, UserDialogs& dialogs,
                                       QWidget* owner)
    : FocusKeepingDialog(owner), settings_(settings), settingsPath_(std::move(settingsPath)), dialogs_(dialogs) {
  setWindowTitle(DialogText(TextId::ConfiguratorTitle));
  setWindowFlag(Qt::WindowStaysOnTopHint);
  setModal(true);
  const DialogBaseUnits base = BaseUnitsOf(SettingsControlFont());
  CreateControls(base);
  PlaceAt(owner, base);
  ShowSettings();
}

void ConfiguratorDialog::PlaceAt(const QWidget* owner, const DialogBaseUnits& base) {
  const DialogUnitRect& frame = kConfiguratorFrame;
  PlaceDialogBesideOwner(*this, owner, DialogUnitsToPixels(QRect(frame.x, frame.y, frame.width, frame.height), base));
}

void ConfiguratorDialog::CreateControls(const DialogBaseUnits& base) {
  QButtonGroup* group = nullptr;
  for (const ControlSpec& placed : ConfiguratorControls()) {
    QWidget* control = CreateControl(placed);
    TagControl(control, placed.id);
    QRect rect = DialogUnitsToPixels(QRect(placed.x, placed.y, placed.width, placed.height), base);
    // A drop-down list's height in the template includes its open list.
    if (placed.kind == ControlKind::List) rect.setHeight(std::min(rect.height(), control->sizeHint().height()));
    control->setGeometry(rect);
    controls_[placed.id] = control;
    if (placed.kind == ControlKind::FirstRadio) group = new QButtonGroup(this);
    if (auto* button = qobject_cast<QAbstractButton*>(control)) {
      if (placed.kind == ControlKind::FirstRadio || placed.kind == ControlKind::Radio) group->addButton(button);
      const int id = placed.id;
      connect(button, &QAbstractButton::clicked, this, [this, id] { OnClicked(id); });
    }
  }
}

QWidget* ConfiguratorDialog::CreateControl(const ControlSpec& placed) {
  const QString text = placed.text ? DialogText(*placed.text) : QString();
  switch (placed.kind) {
    case ControlKind::Label: return new QLabel(text, this);
    case ControlKind::FirstRadio:
    case ControlKind::Radio: return new QRadioButton(text, this);
    case ControlKind::CheckBox: return new QCheckBox(text, this);
    case ControlKind::List: return new QComboBox(this);
    case ControlKind::TextBox: {
      auto* box = new QPlainTextEdit(this);
      box->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
      box->setTabChangesFocus(true);
      return box;
    }
    case ControlKind::VerticalLine:
    case ControlKind::HorizontalLine: {
      auto* line = new QFrame(this);
      line->setFrameStyle((placed.kind == ControlKind::VerticalLine ? QFrame::VLine : QFrame::HLine) | QFrame::Sunken);
      return line;
    }
    case ControlKind::Button: return new QPushButton(text, this);
  }
  return new QWidget(this);
}

void ConfiguratorDialog::ShowSettings() {
  TextBox(cfg::kFooter1Text)->setPlainText(FromCp1252(settings_.footers[0].text));
  TextBox(cfg::kFooter2Text)->setPlainText(FromCp1252(settings_.footers[1].text));
  for (const auto& [id, size] : FontSizeLists(settings_)) {
    QComboBox* list = List(id);
    list->clear();
    for (const TextId item : cfg::kFontSizeItems) list->addItem(DialogText(item));
    list->setCurrentIndex(ListIndexOfSize(*size));
  }
  if (IsFormatCode(settings_.imageFormat)) Button(static_cast<int>(settings_.imageFormat))->setChecked(true);
  for (const SettingBinding& binding : kBindings) {
    const std::int32_t stored = *binding.field(settings_);
    if (binding.value == kCheckState) {
      Button(binding.id)->setChecked(stored == 1);
    } else if (stored == binding.value) {
      Button(binding.id)->setChecked(true);
    }
  }
  // Any shape but the rounded one shows as square.
  if (settings_.selectorShape != 1) Button(3356)->setChecked(true);
  ApplyGroupStates();
}

template <typename Ids>
void ConfiguratorDialog::SetEnabled(const Ids& ids, bool enabled) {
  for (const int id : ids) Control(id)->setEnabled(enabled);
}

// Each line's controls follow its check box; the case of the numbers
// applies only to Roman numbering.
void ConfiguratorDialog::ApplyGroupStates() {
  SetEnabled(cfg::kFooter1Group, settings_.footers[0].enabled == 1);
  SetEnabled(cfg::kFooter2Group, settings_.footers[1].enabled == 1);
  const PageNumberSettings& number = settings_.pageNumber;
  SetEnabled(cfg::kPageNumberGroup, number.enabled == 1);
  if (number.enabled == 1 && number.numbering == 1) SetEnabled(std::array{cfg::kRomanUpper, cfg::kRomanLower}, false);
}

void ConfiguratorDialog::OnClicked(int id) {
  if (id == cfg::kExit) {
    Exit();
    return;
  }
  if (IsFormatCode(id)) {
    settings_.imageFormat = static_cast<std::uint32_t>(id);
  } else if (const SettingBinding* binding = BindingOf(id)) {
    *binding->field(settings_) =
        binding->value == kCheckState ? (Button(id)->isChecked() ? 1 : 0) : binding->value;
  }
  ApplyGroupStates();
}

void ConfiguratorDialog::TakeTextsAndSizes() {
  const int texts[] = {cfg::kFooter1Text, cfg::kFooter2Text};
  for (std::size_t f = 0; f < settings_.footers.size(); ++f) {
    settings_.footers[f].text = FitFooterText(Utf8ToCp1252(TextBox(texts[f])->toPlainText().toStdString()));
  }
  // A list with nothing selected reads as an empty text, which is size 0.
  for (const auto& [id, size] : FontSizeLists(settings_)) {
    *size = ParseSettingsNumber<std::int16_t>(List(id)->currentText().toStdString());
  }
}

// The file is written before the footers are checked, so a refused exit
// has saved all the same.
void ConfiguratorDialog::Exit() {
  TakeTextsAndSizes();
  const FileError error = Settings("save", settings_, settingsPath_);
  if (error.failed()) ShowFileErrorMessage(dialogs_, error.number, error.description);
  if (FooterTextMissing(settings_)) {
    dialogs_.ShowMessage(Text(TextId::CaptionProgrammer), Text(TextId::ConfiguratorMessageFooterMissing),
                         MessageStyle::SystemModal, MessageIcon::Warning);
    return;
  }
  accept();
}

QWidget* ConfiguratorDialog::Control(int id) const { return controls_.at(id); }

QAbstractButton* ConfiguratorDialog::Button(int id) const { return static_cast<QAbstractButton*>(Control(id)); }

QComboBox* ConfiguratorDialog::List(int id) const { return static_cast<QComboBox*>(Control(id)); }

QPlainTextEdit* ConfiguratorDialog::TextBox(int id) const { return static_cast<QPlainTextEdit*>(Control(id)); }
