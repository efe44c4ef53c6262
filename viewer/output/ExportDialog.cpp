#include "viewer/output/ExportDialog.h"

#include "platform/ModalDialog.h"
#include "platform/UserDialogs.h"
#include "texts/TextSet.h"
#include "viewer/output/OutputDialogLayout.h"

#include <QAbstractButton>
#include <QLineEdit>

#include <array>

namespace {

namespace id {
constexpr int kHeading = 7001;
constexpr int kCurrentPage = 7002;
constexpr int kRange = 7003;
constexpr int kFirst = 7004;
constexpr int kTo = 7005;
constexpr int kLast = 7006;
constexpr int kAllPages = 7007;
constexpr int kFolder = 7008;
constexpr int kFolderLabel = 7010;
constexpr int kSave = 7011;
constexpr int kExit = 7012;
constexpr int kPrint = 7013;
}  // namespace id

using K = OutputControl;
constexpr std::array<OutputControlSpec, 12> kControls{{
    {id::kHeading, K::Label, TextId::ExportHeading, 5, 5, 245, 15},
    {id::kCurrentPage, K::FirstRadio, std::nullopt, 5, 20, 185, 30},
    {id::kRange, K::Radio, TextId::ExportRange, 5, 52, 185, 30},
    {id::kFirst, K::NumberBox, std::nullopt, 5, 88, 25, 16},
    {id::kTo, K::CentredLabel, TextId::ExportRangeTo, 30, 89, 30, 15},
    {id::kLast, K::NumberBox, std::nullopt, 60, 88, 25, 15},
    {id::kAllPages, K::Radio, TextId::ExportAllPages, 5, 107, 185, 30},
    {id::kFolderLabel, K::Label, TextId::ExportFolderLabel, 5, 140, 185, 15},
    {id::kFolder, K::TextBox, std::nullopt, 5, 155, 185, 15},
    {id::kSave, K::Button, TextId::ExportSave, 5, 180, 50, 15},
    {id::kPrint, K::Button, TextId::ExportPrint, 95, 180, 50, 15},
    {id::kExit, K::Button, TextId::ExportExit, 190, 179, 50, 15},
}};

constexpr QRect kFrame(70, 70, 249, 199);

constexpr std::array<std::pair<int, std::int32_t>, 3> kModeRadios{
    {{id::kCurrentPage, kExportCurrentPage}, {id::kRange, kExportRange}, {id::kAllPages, kExportAllPages}}};

// Lives as a child of the window, so the request lasts as long as it does.
class ExportRequestHolder : public QObject {
 public:
  using QObject::QObject;
  ExportRequest request;
};

}  // namespace

ExportDialog::ExportDialog(ExportRequest& request, int currentPage, int pageCount, UserDialogs& dialogs,
                           QWidget* owner)
    : FocusKeepingDialog(owner), request_(request), pageCount_(pageCount), dialogs_(dialogs) {
  setWindowTitle(DialogText(TextId::ExportTitle));
  setModal(true);
  const DialogBaseUnits base = BaseUnitsOf(SettingsControlFont());
  controls_ = CreateOutputControls(*this, kControls, base);
  PlaceOutputDialog(*this, owner, kFrame, base);
  static_cast<QAbstractButton*>(controls_.at(id::kCurrentPage))
      ->setText(DialogText(TextId::ExportSinglePageBefore) + QString::number(currentPage) +
                DialogText(TextId::ExportSinglePageAfter));
  for (const auto& [radio, mode] : kModeRadios) {
    connect(static_cast<QAbstractButton*>(controls_.at(radio)), &QAbstractButton::clicked, this,
            [this, mode = mode] { SetMode(mode); });
  }
  const std::array<std::pair<int, ExportButton>, 3> buttons{
      {{id::kSave, ExportButton::Save}, {id::kPrint, ExportButton::Print}, {id::kExit, ExportButton::Exit}}};
  for (const auto& [button, which] : buttons) {
    connect(static_cast<QAbstractButton*>(controls_.at(button)), &QAbstractButton::clicked, this,
            [this, which = which] { OnButton(which); });
  }
  request_.printRequested = 0;
  if (request_.mode == kExportCancelled) request_.mode = kExportCurrentPage;
  SetMode(request_.mode);
}

void ExportDialog::SetMode(std::int32_t mode) {
  request_.mode = mode;
  for (const auto& [radio, radioMode] : kModeRadios) {
    if (radioMode == mode) static_cast<QAbstractButton*>(controls_.at(radio))->setChecked(true);
  }
  controls_.at(id::kFirst)->setEnabled(mode == kExportRange);
  controls_.at(id::kLast)->setEnabled(mode == kExportRange);
}

QString ExportDialog::BoxText(int control) const {
  return static_cast<const QLineEdit*>(controls_.at(control))->text();
}

void ExportDialog::OnButton(ExportButton button) {
  const ExportDialogInput input{request_.mode, BoxText(id::kFirst).toStdString(), BoxText(id::kLast).toStdString(),
                                BoxText(id::kFolder).toStdString()};
  if (AcceptExportButton(button, input, pageCount_, request_)) {
    done(button == ExportButton::Exit ? Rejected : Accepted);
  } else if (button == ExportButton::Save && IsFolderNameRefusedForWhatItHolds(TrimFolderName(input.folderText))) {
    // An empty box says why by itself; a refused name does not.
    dialogs_.ShowMessage(Text(TextId::CaptionProgrammer), Text(TextId::ExportMessageBadFolderName), MessageStyle::Plain,
                         MessageIcon::Warning);
  }
}

void ExportDialog::reject() { OnButton(ExportButton::Exit); }

const ExportRequest& RunExportDialog(ExportRequest& request, int currentPage, int pageCount, UserDialogs& dialogs,
                                     QWidget* owner) {
  ExportDialog dialog(request, currentPage, pageCount, dialogs, owner);
  RunModalDialog(dialog);
  return request;
}

ExportRequest& ExportRequestOf(QObject& owner) {
  for (QObject* child : owner.children()) {
    if (auto* holder = dynamic_cast<ExportRequestHolder*>(child)) return holder->request;
  }
  return (new ExportRequestHolder(&owner))->request;
}
