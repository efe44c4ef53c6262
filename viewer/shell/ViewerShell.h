#pragma once

#include "texts/TextId.h"
#include "viewer/canvas/PageRenderer.h"
#include "viewer/canvas/PictureLoader.h"
#include "viewer/canvas/ViewerState.h"
#include "viewer/document/CacheStore.h"
#include "viewer/document/KeptDocuments.h"
#include "viewer/document/TextLink.h"

#include <QTimer>

#include <functional>
#include <string>

class ShellWindow;
class UserDialogs;

// The three sets of menu states the reader's selection switches between.
enum class MenuState { Normal, SelectorsShown, PieceChosen };

// Keys the canvas reacts to.
enum class CanvasKey { Left, Right, Up, Down, PageUp, PageDown, Home, End, Escape };

// The viewer's command procedure: the start of the window, one dispatcher
// over the command ids, navigation, undo and the way out. It owns the
// viewer's state and draws through the page renderer; the window shows.
class ViewerShell {
 public:
  ViewerShell(ShellWindow& window, UserDialogs& dialogs);
  ViewerShell(const ViewerShell&) = delete;
  ViewerShell& operator=(const ViewerShell&) = delete;

  // Reads the settings (the first step of start-up).
  void ReadSettings();
  // The window's first message: menu states, colours, the empty view, and
  // the document of the last run when cache.04 holds one.
  void Initialise();
  // The screen's pixel ratio, at start and whenever the window meets another
  // screen: the pages are drawn again at it, on the same logical geometry.
  void UsePixelRatio(double ratio);
  // The page area's height, at start and whenever the reader resizes the
  // window: the view shows that much of the page.
  void UseViewHeight(int height);
  // The view scrolled to `offset` (the scroll bar beside a short page area);
  // refused while a command runs.
  void ScrollTo(int offset);

  // A menu command; refused while another command runs (what a command
  // waits for lets the window paint, and input meanwhile must not start a
  // command inside it).
  void OnCommand(int id);
  bool CommandRunning() const { return commandRunning_; }
  void OnKey(CanvasKey key);
  void OnWheel(bool towardsReader);
  // The mouse on the canvas, in the canvas's client coordinates.
  void OnMousePress(int x, int y);
  void OnMouseRelease(int x, int y);
  void OnMouseMove(int x, int y);
  // A close request from the window manager leaves as "Exit" does, once
  // the command under way has ended.
  void OnCloseRequest();
  // A text named from outside (the command line, a file manager): opened
  // as "New" opens a chosen file; a file that cannot be read is told of.
  void OpenFromOutside(const std::string& path);

  ViewerState& state() { return state_; }
  PageRenderer& renderer() { return renderer_; }
  UserDialogs& dialogs() { return dialogs_; }
  ShellWindow& window() { return window_; }

  // Shared routines of the commands.
  void SaveUndoPoint();
  bool RebuildFromCache();
  void SetPageCaption(bool flipForm);
  void ShowProgrammerMessage(const std::string& text, MessageIcon icon = MessageIcon::None);
  // A command refused or cut short: the message with the warning icon.
  void ShowWarning(TextId text);
  void ShowFileError(int number, const std::string& description);
  void EnableDocumentItems();

 private:
  void RunExclusively(const std::function<void()>& work);
  void RunCommand(int id);
  void NewDocument();
  void OpenTextBytes(std::string bytes);
  void GoToPage();
  void Undo();
  void Update();
  void About();
  void Exit();
  void SetColour(int id);
  // Marking (the selection, the mark commands, alignment) and the guide.
  void SetMenuState(MenuState menuState);
  void SwitchSelectors();
  void MarkWithSelectors(int id);
  void MarkPieceCommand(int id);
  void MarkLinkCommand();
  void AlignSelectedLines(int id);
  void FinishMarkCommand(bool usedSelectors);
  bool AskTargetPage(int& page);
  void ToggleGuide();
  void WriteStudyNotes();
  void MoveGuide(bool down);
  bool FollowLinkAt(int line, int column);
  void StartPiece(int line, int column);
  // Lets go of the piece being dragged or chosen, its highlight included.
  void DropPiece();
  // "Save Image" and "Study notes" act only on a loaded document with the
  // guide off; their menu items show it.
  bool GuideGatedCommandsAllowed() const;
  void ShowGuideGatedItems();
  void WaitOneSecond();
  // Find and go back: the hit shown and the jumps are the view's only.
  void ReadingAidCommand(int id);
  void FindCommand(int id);
  void ShowMatch(const std::vector<TextMatch>& matches, std::size_t shown);
  void DismissFindHit();
  void UpdateFindItems();
  void RecordJump(int toPage);
  void GoBack();

  // The dialogs of the settings and of the output.
  void OpenConfigurator();
  void OpenFavouriteColours();
  void ExportOrPrint();
  void RestoreCachedDocument();
  void TurnPage(int delta);
  void Scroll(int delta, bool allowed);
  void LoadChosenFile(const std::string& path, std::string bytes);
  // A new document is coming: nothing of the shown one's pictures, view or
  // picture reports stays.
  void ForgetShownDocument();
  // The new document's pages are drawn when shown, its first page now.
  void ShowNewDocument();
  // The kept documents of the texts the reader moved away from.
  void LinkCurrentText(TextIdentity text);
  void ReadTextLink();
  void WriteTextLink();
  bool KeepCurrentDocument();
  bool OfferKeptDocument(const TextIdentity& text);
  bool AskForKeptVersion(const KeptDocument& kept);

  ShellWindow& window_;
  UserDialogs& dialogs_;
  ViewerState state_;
  PictureLoader pictures_;
  PageRenderer renderer_;
  void PresentAndPrepareNeighbours();
  void PrepareNeighbours();

  CacheStore cache_;
  QTimer neighbours_;  // draws the pages beside the shown one while idle
  std::string lastChosenFile_;
  KeptDocuments kept_;
  TextLink link_;  // the text cache.04's document was made from
  bool leaving_ = false;
  bool commandRunning_ = false;
  bool closePending_ = false;       // asked while a command ran
  bool neighboursPending_ = false;  // the idle work waits for the command
  bool releaseIgnored_ = false;     // a drag let go by Escape: its release ends nothing
};

// The numeric value of an answer as the page prompts read it: its leading
// number, rounded; 0 when it has none.
int PageAnswerValue(const std::string& answer);
