#include "platform/QtUserDialogs.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace {

QString ToQ(std::string_view text) {
  QString s = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  s.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  return s;
}

// "*.*" means every file where the programs come from; here names need no dot.
QString FilterOf(const FileChoice& choice) {
  const QString pattern = choice.pattern == "*.*" ? QStringLiteral("*") : ToQ(choice.pattern);
  return ToQ(choice.filterName) + " (" + pattern + ")";
}

QString StartPath(const FileChoice& choice) {
  if (choice.startFolder.empty()) return ToQ(choice.proposedName);
  return ToQ(choice.startFolder) + "/" + ToQ(choice.proposedName);
}

QColor ColourOf(std::uint32_t value) {
  return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

std::uint32_t ValueOf(const QColor& colour) {
  return static_cast<std::uint32_t>(colour.red()) | (static_cast<std::uint32_t>(colour.green()) << 8) |
         (static_cast<std::uint32_t>(colour.blue()) << 16);
}

QMessageBox::Icon BoxIcon(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Information: return QMessageBox::Information;
    case MessageIcon::Warning: return QMessageBox::Warning;
    case MessageIcon::Question: return QMessageBox::Question;
    default: return QMessageBox::NoIcon;
  }
}

}  // namespace

void QtUserDialogs::ShowMessage(std::string_view caption, std::string_view text, MessageStyle style,
                                MessageIcon icon) {
  QMessageBox box(BoxIcon(icon), ToQ(caption), ToQ(text), QMessageBox::Ok, owner_);
  if (style != MessageStyle::Plain) {
    box.setWindowModality(Qt::ApplicationModal);
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
  }
  if (style == MessageStyle::TaskModalFront) {
    box.show();
    box.raise();
    box.activateWindow();
  }
  box.exec();
}

bool QtUserDialogs::AskYesNo(std::string_view caption, std::string_view text, MessageIcon icon) {
  QMessageBox box(BoxIcon(icon), ToQ(caption), ToQ(text), QMessageBox::Yes | QMessageBox::No, owner_);
  return box.exec() == QMessageBox::Yes;
}

std::optional<std::string> QtUserDialogs::AskText(std::string_view title, std::string_view prompt,
                                                  std::string_view proposed) {
  bool ok = false;
  const QString answer = QInputDialog::getText(owner_, ToQ(title), ToQ(prompt), QLineEdit::Normal, ToQ(proposed), &ok);
  if (!ok) return std::nullopt;
  return answer.toStdString();
}

std::string QtUserDialogs::ChooseFileToOpen(const FileChoice& choice) {
  return QFileDialog::getOpenFileName(owner_, {}, StartPath(choice), FilterOf(choice)).toStdString();
}

std::string QtUserDialogs::ChooseFileToSave(const FileChoice& choice) {
  QFileDialog dialog(owner_, {}, StartPath(choice), FilterOf(choice));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  // A chooser for a file that is appended to has nothing to confirm.
  dialog.setOption(QFileDialog::DontConfirmOverwrite, !choice.replacesFile);
  dialog.setDefaultSuffix(ToQ(choice.defaultSuffix));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().front().toStdString();
}

std::optional<std::uint32_t> QtUserDialogs::ChooseColour(std::uint32_t initial, CustomColours& custom) {
  for (int i = 0; i < 16; ++i) QColorDialog::setCustomColor(i, ColourOf(custom[static_cast<std::size_t>(i)]));
  const QColor chosen = QColorDialog::getColor(ColourOf(initial), owner_);
  for (int i = 0; i < 16; ++i) custom[static_cast<std::size_t>(i)] = ValueOf(QColorDialog::customColor(i));
  if (!chosen.isValid()) return std::nullopt;
  return ValueOf(chosen);
}
