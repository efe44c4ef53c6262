#include "viewer/output/OutputDialogLayout.h"

#include "platform/DialogPlacement.h"
#include "viewer/settings/SettingsDialog.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>

#include <algorithm>

namespace {

QWidget* CreateControl(QDialog& dialog, const OutputControlSpec& placed) {
  const QString text = placed.text ? DialogText(*placed.text) : QString();
  switch (placed.kind) {
    case OutputControl::Label: return new QLabel(text, &dialog);
    case OutputControl::CentredLabel: {
      auto* label = new QLabel(text, &dialog);
      label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
      return label;
    }
    case OutputControl::FirstRadio:
    case OutputControl::Radio: return new QRadioButton(text, &dialog);
    case OutputControl::NumberBox: {
      auto* box = new QLineEdit(&dialog);
      box->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), box));
      return box;
    }
    case OutputControl::TextBox: return new QLineEdit(&dialog);
    case OutputControl::List: return new QComboBox(&dialog);
    case OutputControl::Button: return new QPushButton(text, &dialog);
  }
  return new QWidget(&dialog);
}

}  // namespace

std::map<int, QWidget*> CreateOutputControls(QDialog& dialog, std::span<const OutputControlSpec> specs,
                                             const DialogBaseUnits& base) {
  std::map<int, QWidget*> controls;
  QButtonGroup* group = nullptr;
  for (const OutputControlSpec& placed : specs) {
    QWidget* control = CreateControl(dialog, placed);
    TagControl(control, placed.id);
    QRect rect = DialogUnitsToPixels(QRect(placed.x, placed.y, placed.width, placed.height), base);
    if (placed.kind == OutputControl::List) rect.setHeight(std::min(rect.height(), control->sizeHint().height()));
    control->setGeometry(rect);
    if (placed.kind == OutputControl::FirstRadio) group = new QButtonGroup(&dialog);
    if (group && (placed.kind == OutputControl::FirstRadio || placed.kind == OutputControl::Radio)) {
      group->addButton(static_cast<QRadioButton*>(control));
    }
    controls[placed.id] = control;
  }
  return controls;
}

void PlaceOutputDialog(QDialog& dialog, const QWidget* owner, const QRect& frame, const DialogBaseUnits& base) {
  PlaceDialogBesideOwner(dialog, owner, DialogUnitsToPixels(frame, base));
}
