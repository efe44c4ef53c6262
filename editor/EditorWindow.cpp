#include "editor/EditorWindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>

#include <cerrno>
#include <filesystem>
#include <span>

#include "editor/EditorIds.h"
#include "editor/EditorText.h"
#include "editor/EditorTextBox.h"
#include "editor/TextLayout.h"
#include "platform/MenuKeys.h"
#include "platform/ProgramFolder.h"
#include "platform/UserDialogs.h"
#include "platform/WindowPlacement.h"
#include "resources/Artwork.h"
#include "texts/TextSet.h"

namespace {

constexpr int kStatusPartWidth = 180;
// The window as designed: its frame's top-left corner and its size; the box
// below the menu bar, and as much shorter as the window is.
constexpr QRect kWindowPlace(70, 58, 788, 930);
constexpr QRect kBoxPlace(5, 5, 778, 875);
constexpr int kMinimumWindowHeight = 200;
constexpr int kRefreshMilliseconds = 1000;

struct MenuEntry {
  TextId text;
  int id;
};

constexpr MenuEntry kSeparator{TextId::Count, 0};

constexpr MenuEntry kFilesMenu[] = {
    {TextId::EditorMenuNew, EditorId::New},
    kSeparator,
    {TextId::EditorMenuReadPlain, EditorId::ReadPlainText},
    kSeparator,
    {TextId::EditorMenuWriteFormatted, EditorId::WriteWithFormat},
    kSeparator,
    {TextId::EditorMenuWriteUnformatted, EditorId::WriteWithoutFormat},
    kSeparator,
    {TextId::EditorMenuAuthor, EditorId::Author},
    kSeparator,
    {TextId::EditorMenuExit, EditorId::Exit},
};

constexpr MenuEntry kEditMenu[] = {
    {TextId::EditorMenuFind, EditorId::Find},
    kSeparator,
    {TextId::EditorMenuReplace, EditorId::Replace},
};

// The items' keys, one row an item that has one.
constexpr MenuKey kMenuKeys[] = {
    {EditorId::New, QKeySequence::New, Qt::CTRL | Qt::Key_N},
    {EditorId::ReadPlainText, QKeySequence::Open, Qt::CTRL | Qt::Key_O},
    {EditorId::WriteWithFormat, QKeySequence::Save, Qt::CTRL | Qt::Key_S},
    {EditorId::WriteWithoutFormat, QKeySequence::SaveAs, Qt::CTRL | Qt::SHIFT | Qt::Key_S},
    {EditorId::Find, QKeySequence::Find, Qt::CTRL | Qt::Key_F},
    {EditorId::Replace, QKeySequence::Replace, Qt::CTRL | Qt::Key_H},
    {EditorId::Exit, QKeySequence::Quit, Qt::CTRL | Qt::Key_Q},
};

QLabel* MakeStatusPart(QWidget* parent, TextId text) {
  auto* part = new QLabel(EditorText(text), parent);
  part->setFixedWidth(kStatusPartWidth);
  part->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  return part;
}

}  // namespace

EditorWindow::EditorWindow(UserDialogs& dialogs, QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowMinimizeButtonHint),
      dialogs_(dialogs) {
  setWindowTitle(EditorText(TextId::EditorWindowTitle));
  setWindowIcon(ProgramIcon());
  auto* client = new QWidget(this);
  box_ = new EditorTextBox(client);
  box_->setGeometry(kBoxPlace);
  box_->SetText(TextFromUtf8(Text(TextId::EditorRuler)));
  setCentralWidget(client);
  BuildMenu();
  BuildStatusBar();
  // Inside the screen whatever its size, so the status bar always shows.
  new WindowFitter(*this, kWindowPlace, kMinimumWindowHeight, [this](const WindowFit& fit) {
    setFixedWidth(kWindowPlace.width());
    setMinimumHeight(kMinimumWindowHeight);
    setMaximumHeight(kWindowPlace.height());
    resize(fit.frameTopLeftAndSize.size());
    move(fit.frameTopLeftAndSize.topLeft());
  });

  refreshTimer_ = new QTimer(this);
  refreshTimer_->setProperty(kControlIdProperty, EditorId::RefreshTimer);
  refreshTimer_->setInterval(kRefreshMilliseconds);
  connect(refreshTimer_, &QTimer::timeout, this, &EditorWindow::RefreshCounts);
  refreshTimer_->start();
  box_->setFocus();
}

EditorWindow::~EditorWindow() = default;

void EditorWindow::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  // The box keeps its width, and so its wrap; its height follows the window.
  box_->resize(kBoxPlace.width(), kBoxPlace.height() - (kWindowPlace.height() - height()));
}

void EditorWindow::BuildMenu() {
  const auto addMenu = [this](TextId title, std::span<const MenuEntry> entries) {
    QMenu* menu = menuBar()->addMenu(EditorText(title));
    for (const MenuEntry& entry : entries) {
      if (entry.id == kSeparator.id) {
        menu->addSeparator();
        continue;
      }
      QAction* action = menu->addAction(EditorText(entry.text));
      action->setData(entry.id);
      GiveMenuKey(*action, kMenuKeys);
      connect(action, &QAction::triggered, this, [this, id = entry.id] { OnCommand(id); });
    }
  };
  addMenu(TextId::EditorMenuFiles, kFilesMenu);
  addMenu(TextId::EditorMenuEdit, kEditMenu);
}

void EditorWindow::BuildStatusBar() {
  QStatusBar* bar = statusBar();
  bar->setProperty(kControlIdProperty, EditorId::StatusBar);
  bar->setSizeGripEnabled(false);
  bar->setFont(MakeEditorFont(true));
  linesPart_ = MakeStatusPart(bar, TextId::EditorStatusLinesInitial);
  pagesPart_ = MakeStatusPart(bar, TextId::EditorStatusPagesInitial);
  bar->addWidget(linesPart_);
  bar->addWidget(pagesPart_);
}

QString EditorWindow::LinesStatus() const { return linesPart_->text(); }
QString EditorWindow::PagesStatus() const { return pagesPart_->text(); }

// The box keeps its visual lines up to date as it is edited, so counting
// them costs nothing; the counts still change only here, once a second.
void EditorWindow::RefreshCounts() {
  const std::size_t lines = box_->Content().LineCount();
  linesPart_->setText(QString::number(lines) + EditorText(TextId::EditorStatusLinesSuffix));
  pagesPart_->setText(QString::number(CountPages(lines)) + EditorText(TextId::EditorStatusPagesSuffix));
}

void EditorWindow::OnCommand(int id) {
  switch (id) {
    case EditorId::New:
      if (MayDiscardText()) box_->SetText({});
      break;
    case EditorId::ReadPlainText: ReadPlainText(); break;
    case EditorId::WriteWithFormat: WriteWithFormat(); break;
    case EditorId::WriteWithoutFormat: WriteWithoutFormat(); break;
    case EditorId::Author: ShowAbout(); break;
    case EditorId::Exit: close(); break;
    case EditorId::Find: OpenFindDialog(FindDialogMode::Find); break;
    case EditorId::Replace: OpenFindDialog(FindDialogMode::Replace); break;
    default: break;
  }
}

void EditorWindow::ShowProgrammerMessage(std::string_view text) {
  dialogs_.ShowMessage(Text(TextId::CaptionProgrammer), text);
}

void EditorWindow::ShowFileError(const FileError& failure, const std::string& named) {
  dialogs_.ShowMessage(Text(TextId::CaptionProgrammer), ErrorText(failure.number, failure.description + named),
                       MessageStyle::Plain, MessageIcon::Warning);
}

void EditorWindow::ShowAbout() {
  const std::string text = std::string(Text(TextId::EditorAboutHope)) + "\r\n" +
                           std::string(Text(TextId::EditorAboutComplement)) + "\r\n" +
                           std::string(Text(TextId::EditorAboutMadeBy)) +
                           std::string(Text(TextId::MakerWebAddress)) + "\r\n\r\n" +
                           std::string(Text(TextId::EditorAboutVisitMe));
  ShowProgrammerMessage(text);
}

// "Salir" / "Exit" and a close request from the window manager end the
// window alike; nothing is saved, so changed text is asked about first.
void EditorWindow::closeEvent(QCloseEvent* event) {
  if (!ended_ && !MayDiscardText()) {
    event->ignore();
    return;
  }
  EndWindow();
  event->accept();
}

bool EditorWindow::MayDiscardText() {
  return !box_->Changed() || dialogs_.AskYesNo(Text(TextId::CaptionProgrammer), Text(TextId::EditorQuestionDiscard));
}

void EditorWindow::EndWindow() {
  if (ended_) return;
  ended_ = true;
  refreshTimer_->stop();
  if (dialog_) dialog_->close();
  emit Ended();
}

// The control that had the focus gets it back when the window is active again.
void EditorWindow::changeEvent(QEvent* event) {
  if (event->type() == QEvent::ActivationChange) {
    if (!isActiveWindow()) {
      savedFocus_ = focusWidget();
    } else if (savedFocus_) {
      savedFocus_->setFocus();
      savedFocus_ = nullptr;
    }
  }
  QMainWindow::changeEvent(event);
}

bool EditorWindow::ChooseFile(FileDialogMode mode) {
  const FileChoice choice = MakeFileChoice(lastFileName_, mode);
  lastFileName_ = TrimBlanks(mode == FileDialogMode::Open ? dialogs_.ChooseFileToOpen(choice)
                                                          : dialogs_.ChooseFileToSave(choice));
  return !lastFileName_.empty();
}

void EditorWindow::ReadPlainText() {
  if (ChooseFile(FileDialogMode::Open)) ReadIntoBox(false);
}

void EditorWindow::OpenFromOutside(const std::string& path) {
  std::error_code ignored;
  lastFileName_ = std::filesystem::absolute(path, ignored).lexically_normal().string();
  ReadIntoBox(true);
}

// A file that cannot be read is reported and the writer's text stays; only
// a chosen file that is not there is passed over in silence.
void EditorWindow::ReadIntoBox(bool fromOutside) {
  std::u16string text;
  const FileError failure = ReadTextFile(lastFileName_, text);
  if (failure.number == ENOENT && !fromOutside) return;
  if (failure.failed()) {
    const std::string named = fromOutside ? " (" + lastFileName_ + ")" : "";
    ShowFileError(failure, named);
    return;
  }
  if (!MayDiscardText()) return;
  box_->SetText(std::move(text));
  ShowProgrammerMessage(Text(TextId::EditorMessageLoaded));
}

void EditorWindow::WriteWithFormat() {
  const std::string path = ProgramFile("cache.txt");
  const FileError failure = WriteTextAsShown(path, box_->Text());
  if (failure.failed()) {
    ShowFileError(failure);
    return;
  }
  box_->MarkUnchanged();
  // Where the file is, for the viewer's chooser.
  ShowProgrammerMessage(std::string(Text(TextId::EditorMessageSavedFormatted)) + "\r\n" + path);
}

void EditorWindow::WriteWithoutFormat() {
  if (!ChooseFile(FileDialogMode::Save)) return;
  const FileError failure = AppendTextUnchanged(lastFileName_, box_->Text());
  if (failure.failed()) {
    ShowFileError(failure);
    return;
  }
  box_->MarkUnchanged();
  ShowProgrammerMessage(Text(TextId::EditorMessageSavedPlain));
}

// One dialog at a time: asking again brings the open one forward.
void EditorWindow::OpenFindDialog(FindDialogMode mode) {
  if (!dialog_) {
    dialog_ = new FindReplaceDialog(this, mode, findState_.record, OptionsForNewDialog(findState_),
                                    [this](const SearchRecord& request) { OnFindRequest(request); });
  }
  dialog_->show();
  dialog_->raise();
  dialog_->activateWindow();
}

void EditorWindow::OnFindRequest(const SearchRecord& request) {
  findState_.record = request;
  const FindRequestResult result = HandleFindRequest(findState_, box_->Text(), box_->Selection());
  if (result.result == 0) {
    dialog_ = nullptr;
    return;
  }
  if (result.textReplaced) box_->ReplaceWholeText(result.text);
  box_->SetSelection(result.selection.start, result.selection.end);
  if (result.revealSelection) {
    box_->ScrollCaretIntoView();
    raise();
    activateWindow();
    box_->setFocus();
  }
  if (result.message == FindMessage::None) return;
  dialogs_.ShowMessage(Text(TextId::EditorFindTitle),
                       Text(result.message == FindMessage::NoMatches ? TextId::EditorMessageNoMatches
                                                                     : TextId::EditorMessageNoOtherResults),
                       MessageStyle::Plain, MessageIcon::Information);
}
