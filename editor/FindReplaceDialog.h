#pragma once

#include <QDialog>

#include <cstdint>
#include <functional>

#include "editor/FindReplace.h"
#include "texts/TextId.h"

class QCheckBox;
class QLayout;
class QLineEdit;
class QPushButton;
class QRadioButton;

enum class FindDialogMode { Find, Replace };

// The modeless find and replace dialogs, laid out like the platform's usual
// ones and carrying their control ids. Each button reports one request to
// the editor window, as the platform's dialogs report theirs: the options
// as flags with the request's own flag, and the two texts. Closing reports
// FR_DIALOGTERM once.
class FindReplaceDialog : public QDialog {
 public:
  using RequestHandler = std::function<void(const SearchRecord& request)>;

  // `shown` gives the texts the fields start with (the last search and
  // replacement), `options` the flags the controls start with.
  FindReplaceDialog(QWidget* owner, FindDialogMode mode, const SearchRecord& shown,
                    std::uint32_t options, RequestHandler onRequest);

  FindDialogMode Mode() const { return mode_; }

  void reject() override;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  QLayout* BuildFields(const SearchRecord& shown);
  QLayout* BuildOptions(std::uint32_t options);
  QLayout* BuildButtons();
  QPushButton* AddButton(TextId text, int id, std::uint32_t action);
  void Report(std::uint32_t action);
  void EnableRequests();

  FindDialogMode mode_;
  RequestHandler onRequest_;
  std::uint32_t openingDirection_;  // the replace dialog has no direction of its own
  bool closed_ = false;
  QLineEdit* findText_ = nullptr;
  QLineEdit* replaceText_ = nullptr;
  QCheckBox* wholeWord_ = nullptr;
  QCheckBox* matchCase_ = nullptr;
  QRadioButton* down_ = nullptr;
  QList<QPushButton*> requestButtons_;
};
