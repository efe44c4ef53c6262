#include "editor/FindReplaceDialog.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "editor/EditorIds.h"
#include "editor/EditorText.h"

namespace {

QLineEdit* MakeTextField(QWidget* parent, int id, const std::u16string& text) {
  auto* field = new QLineEdit(parent);
  field->setProperty(kControlIdProperty, id);
  // The platform's fields hold 255 characters; a longer text is cut.
  field->setMaxLength(static_cast<int>(kSearchTextCapacity));
  field->setText(QString::fromStdU16String(text));
  field->setMinimumWidth(200);
  return field;
}

template <typename Button>
Button* MakeOption(QWidget* parent, TextId text, int id, bool checked) {
  auto* option = new Button(EditorText(text), parent);
  option->setProperty(kControlIdProperty, id);
  option->setChecked(checked);
  return option;
}

}  // namespace

FindReplaceDialog::FindReplaceDialog(QWidget* owner, FindDialogMode mode, const SearchRecord& shown,
                                     std::uint32_t options, RequestHandler onRequest)
    : QDialog(owner), mode_(mode), onRequest_(std::move(onRequest)), openingDirection_(options & FR_DOWN) {
  setAttribute(Qt::WA_DeleteOnClose);
  setModal(false);
  setWindowTitle(EditorText(mode == FindDialogMode::Replace ? TextId::EditorReplaceDialogTitle
                                                            : TextId::EditorFindDialogTitle));
  auto* left = new QVBoxLayout;
  left->addLayout(BuildFields(shown));
  left->addStretch();
  left->addLayout(BuildOptions(options));
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(left, 1);
  layout->addLayout(BuildButtons());
  connect(findText_, &QLineEdit::textChanged, this, &FindReplaceDialog::EnableRequests);
  EnableRequests();
  findText_->setFocus();
  findText_->selectAll();
}

QLayout* FindReplaceDialog::BuildFields(const SearchRecord& shown) {
  auto* fields = new QGridLayout;
  findText_ = MakeTextField(this, EditorId::FindText, shown.findText);
  fields->addWidget(new QLabel(EditorText(TextId::EditorFindWhatLabel), this), 0, 0);
  fields->addWidget(findText_, 0, 1);
  if (mode_ == FindDialogMode::Replace) {
    replaceText_ = MakeTextField(this, EditorId::ReplaceText, shown.replaceText);
    fields->addWidget(new QLabel(EditorText(TextId::EditorReplaceWithLabel), this), 1, 0);
    fields->addWidget(replaceText_, 1, 1);
  }
  return fields;
}

// The two check boxes, and beside them the direction, which only the find
// dialog has.
QLayout* FindReplaceDialog::BuildOptions(std::uint32_t options) {
  auto* checks = new QVBoxLayout;
  wholeWord_ = MakeOption<QCheckBox>(this, TextId::EditorWholeWordLabel, EditorId::WholeWord,
                                     (options & FR_WHOLEWORD) != 0);
  matchCase_ = MakeOption<QCheckBox>(this, TextId::EditorMatchCaseLabel, EditorId::MatchCase,
                                     (options & FR_MATCHCASE) != 0);
  checks->addWidget(wholeWord_);
  checks->addWidget(matchCase_);
  auto* row = new QHBoxLayout;
  row->addLayout(checks);
  if (mode_ == FindDialogMode::Find) {
    auto* direction = new QGroupBox(EditorText(TextId::EditorDirectionLabel), this);
    auto* radios = new QHBoxLayout(direction);
    radios->addWidget(MakeOption<QRadioButton>(direction, TextId::EditorDirectionUp, EditorId::Up,
                                               (options & FR_DOWN) == 0));
    down_ = MakeOption<QRadioButton>(direction, TextId::EditorDirectionDown, EditorId::Down,
                                     (options & FR_DOWN) != 0);
    radios->addWidget(down_);
    row->addWidget(direction);
  }
  return row;
}

QLayout* FindReplaceDialog::BuildButtons() {
  auto* buttons = new QVBoxLayout;
  QPushButton* findNext = AddButton(TextId::EditorFindNextButton, EditorId::FindNext, FR_FINDNEXT);
  findNext->setDefault(true);
  buttons->addWidget(findNext);
  if (mode_ == FindDialogMode::Replace) {
    buttons->addWidget(AddButton(TextId::EditorReplaceButton, EditorId::ReplaceOne, FR_REPLACE));
    buttons->addWidget(AddButton(TextId::EditorReplaceAllButton, EditorId::ReplaceAll, FR_REPLACEALL));
  }
  auto* cancel = new QPushButton(EditorText(TextId::EditorCancelButton), this);
  cancel->setProperty(kControlIdProperty, EditorId::Cancel);
  cancel->setAutoDefault(false);
  connect(cancel, &QPushButton::clicked, this, &FindReplaceDialog::reject);
  buttons->addWidget(cancel);
  buttons->addStretch();
  return buttons;
}

QPushButton* FindReplaceDialog::AddButton(TextId text, int id, std::uint32_t action) {
  auto* button = new QPushButton(EditorText(text), this);
  button->setProperty(kControlIdProperty, id);
  button->setAutoDefault(false);
  connect(button, &QPushButton::clicked, this, [this, action] { Report(action); });
  requestButtons_.append(button);
  return button;
}

// As on the platform, nothing can be asked for while there is no text to find.
void FindReplaceDialog::EnableRequests() {
  for (QPushButton* button : requestButtons_) button->setEnabled(!findText_->text().isEmpty());
}

void FindReplaceDialog::Report(std::uint32_t action) {
  const std::uint32_t direction = down_ ? (down_->isChecked() ? FR_DOWN : 0) : openingDirection_;
  SearchRecord request;
  request.flags = action | direction | (wholeWord_->isChecked() ? FR_WHOLEWORD : 0) |
                  (matchCase_->isChecked() ? FR_MATCHCASE : 0);
  request.findText = findText_->text().toStdU16String();
  if (replaceText_) request.replaceText = replaceText_->text().toStdU16String();
  onRequest_(request);
}

// Escape and Cancel close the dialog the same way as its close box.
void FindReplaceDialog::reject() { close(); }

void FindReplaceDialog::closeEvent(QCloseEvent* event) {
  if (!closed_) {
    closed_ = true;
    Report(FR_DIALOGTERM);
  }
  event->accept();
}
