// The real dialogs, not the scripted ones: Qt's own texts in the build's language, and each box's icon.
#include "platform/ProgramStart.h"
#include "platform/QtUserDialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>
#include <QTranslator>

#include <gtest/gtest.h>

#include <memory>

namespace {

// What the next modal box shows; the box is then closed.
struct Seen {
  QStringList texts;  // buttons and labels, without their '&'
  QMessageBox::Icon icon = QMessageBox::NoIcon;
};

void LookAtNextBox(Seen& seen) {
  QTimer::singleShot(0, [&seen] {
    QWidget* box = QApplication::activeModalWidget();
    ASSERT_NE(box, nullptr);
    for (const auto* button : box->findChildren<QAbstractButton*>()) seen.texts << button->text().remove('&');
    for (const auto* label : box->findChildren<QLabel*>()) seen.texts << label->text().remove('&');
    if (const auto* message = qobject_cast<QMessageBox*>(box)) seen.icon = message->icon();
    box->close();
  });
}

TEST(QtDialogs, QtsOwnTextsSpeakTheBuildsLanguage) {
  // An empty folder: Qt's own translations.
  struct Case { const char* language; QString folder; QStringList question, message, chooser; };
  const Case cases[] = {
      {"es", {}, {"Sí", "No"}, {"Aceptar"}, {"Ver en:", "Nombre de fichero:", "Abrir", "Cancelar"}},
      {"en", {}, {"Yes", "No"}, {"OK"}, {"Look in:", "File name:", "Open", "Cancel"}},
      {"es", "/no/such/folder", {"Yes", "No"}, {"OK"}, {"Look in:", "File name:", "Open", "Cancel"}},
  };
  for (const Case& c : cases) {
    const std::unique_ptr<QTranslator> translator(InstallQtTranslations(c.language, c.folder));
    QtUserDialogs qtDialogs;
    UserDialogs& dialogs = qtDialogs;  // as the programs reach them
    Seen question, message, plain, chooser;
    LookAtNextBox(question);
    dialogs.AskYesNo("Programador", "¿Seguro?");
    LookAtNextBox(message);
    dialogs.ShowMessage("Buscar", "No se encontraron coincidencias", MessageStyle::Plain,
                        MessageIcon::Information);
    // The icon is the caller's: a text that merely reads like an error gets none.
    LookAtNextBox(plain);
    dialogs.ShowMessage("Programador", "Err: 2 is how an error reads");
    LookAtNextBox(chooser);
    dialogs.ChooseFileToOpen(FileChoice{"/", "", "Texto", "*.*", ""});
    for (const QString& text : c.question) EXPECT_TRUE(question.texts.contains(text)) << text.toStdString();
    for (const QString& text : c.message) EXPECT_TRUE(message.texts.contains(text)) << text.toStdString();
    for (const QString& text : c.chooser) EXPECT_TRUE(chooser.texts.contains(text)) << text.toStdString();
    EXPECT_EQ(question.icon, QMessageBox::Question);
    EXPECT_EQ(message.icon, QMessageBox::Information);
    EXPECT_EQ(plain.icon, QMessageBox::NoIcon);
  }
}

}  // namespace
