#include "tests/reliability/RandomWalk.h"

#include "viewer/shell/CommandIds.h"

#include <QColor>
#include <QImage>

#include <algorithm>
#include <array>
#include <fstream>
#include <memory>
#include <random>
#include <utility>

namespace {

struct Weighted {
  int id;
  int weight;
};

// The menu as the walk uses it: marking and undo often, loading (a 425 MB write) and output seldom.
constexpr Weighted kMenuWeights[] = {
    {cmd::New, 2}, {cmd::Author, 1}, {cmd::SaveImage, 2}, {cmd::SelectorSwitch, 9},
    {cmd::UnderlineWholeLine, 6}, {cmd::UnderlineVertical, 3}, {cmd::UnderlinePiece, 7},
    {cmd::UnderlineTwoColours, 6}, {cmd::SetUp, 2}, {cmd::Update, 2}, {cmd::FavouriteColours, 2},
    {cmd::ColourHorizontal, 1}, {cmd::ColourVertical, 1}, {cmd::ColourTwoColourBackground, 1},
    {cmd::ColourTwoColourText, 1}, {cmd::Undo, 10}, {cmd::GoTo, 3}, {cmd::UnderlineLink, 5}, {cmd::ColourLink, 1},
    {cmd::UnderlineBold, 6}, {cmd::AlignLeft, 3}, {cmd::AlignCentre, 3}, {cmd::AlignRight, 3}, {cmd::GuideReader, 3},
};

// The controls of each modal dialog, told apart by its (English) title, the ways out among the buttons.
struct DialogControls {
  const char* titlePart;
  std::vector<int> buttons;
  int exit;
  std::vector<int> textBoxes;
  std::vector<int> lists;
};

const DialogControls& ControlsOf(const std::string& title) {
  static const DialogControls dialogs[] = {
      {"Export", {7002, 7003, 7007, 7011, 7011, 7011, 7012, 7013, 7013}, 7012, {7004, 7006, 7008, 7008}, {}},
      {"printing", {1009}, 1009, {1002}, {1005, 1007}},
      {"Configurator", {3302, 3303, 3304, 3305, 3306, 3308, 3310, 3311, 3312, 3316, 3317, 3318, 3322, 3323, 3324, 3325,
                        3329, 3330, 3331, 3338, 3339, 3340, 3341, 3345, 3348, 3349, 3350, 3351, 3355, 3356, 3357, 3357},
       3357, {3333, 3334}, {3314, 3327, 3343}},
      {"", {31002, 31003, 31004}, 31003, {}, {}},  // the favourite colours: the rest
  };
  for (const DialogControls& dialog : dialogs) {
    if (title.find(dialog.titlePart) != std::string::npos) return dialog;
  }
  return dialogs[0];  // not reached: the last one takes any title
}

// Texts a careless or hostile user types.
constexpr std::array kNonsense = {"",     "0",   "-7",  "99999999999999999999", "abc", "1e3", " 12 ", "3.6",
                                  "\\n",  "+2",  "2x",  "-0",  "\\\\", "ñ", "../../etc", "0x10", "     ",
                                  "2147483648", "out", "a/b", ".."};

std::string Line(const std::string& text) { return text + "\n"; }

std::string Number(int value) { return std::to_string(value); }

struct PictureFile {
  const char* name;
  const char* format;
  int width, height;
};

// Heights from a line or two to more than a page: some are placed, some wait, some never fit.
constexpr std::array kPictures = {PictureFile{"strip.png", "PNG", 300, 20}, PictureFile{"photo.png", "PNG", 400, 150},
                                  PictureFile{"chart.bmp", "BMP", 200, 330}, PictureFile{"poster.png", "PNG", 500, 1200}};

// Words of both languages, accents included, so lines hold bytes above 127.
constexpr std::array kWords = {"the", "pages", "línea", "mark", "niño", "über", "text", "guide", "año", "words",
                               "a",   "of",    "página", "reader", "x", "—",    "café", "study", "1234", "end."};

void WriteText(const std::string& path, int lines, int pictureEvery, unsigned seed) {
  std::ofstream out(path, std::ios::binary);
  std::mt19937 random(seed);
  for (int i = 1; i <= lines; ++i) {
    if (i == lines / 2) {
      out << "{@@Lost,lost-picture.png}\r\n";  // reported when its page is drawn
    } else if (i % pictureEvery == 0) {
      out << "{@@Figure " << i << "," << kPictures[random() % kPictures.size()].name << "}\r\n";
    } else {
      std::string line;
      const auto length = random() % 120;  // some run past a line's 93 characters
      while (line.size() < length) {
        if (!line.empty()) line += random() % 13 == 0 ? "  " : " ";
        line += kWords[random() % kWords.size()];
      }
      out << line << (i % 3 == 0 ? "\n" : "\r\n");
    }
  }
}

// The files the walk opens, in `folder`: the same ones every time.
std::string WriteWalkFiles(const std::string& folder) {
  for (std::size_t i = 0; i < kPictures.size(); ++i) {
    const PictureFile& picture = kPictures[i];
    QImage image(picture.width, picture.height, QImage::Format_RGB32);
    image.fill(QColor::fromHsv(static_cast<int>(i) * 70 % 360, 160, 230));
    image.save(QString::fromStdString(folder + "/" + picture.name), picture.format);
  }
  WriteText(folder + "/full.txt", 13000, 89, 1);
  WriteText(folder + "/short.txt", 170, 40, 2);
  return folder;
}

class WalkActions {
 public:
  WalkActions(std::uint64_t seed, std::string folder) : random_(seed), folder_(std::move(folder)) {}
  WalkAction Next(const WalkView& view) {
    if (!std::exchange(started_, true)) {  // the walk starts on the full document
      return {ActionKind::Load, Line("choose " + folder_ + "/full.txt") + Line("command " + Number(cmd::New))};
    }
    if (view.dialogOpen) return DialogAction(view);
    dialogActions_ = 0;
    const int roll = Below(1000);
    if (roll < 4) return {ActionKind::Kill, Line("kill")};
    if (roll < 6) return {ActionKind::Crash, ""};
    if (roll < 9) return {ActionKind::Exit, Line(Chance(50) ? "close-window" : "command " + Number(cmd::Exit))};
    // With lines or a piece chosen, the mark commands are what a reader does next.
    const int menuShare = view.mode == 1 || view.mode == 4 ? 550 : 360;
    if (roll < menuShare) return MenuAction(view);
    if (roll < 760) return {ActionKind::Change, MouseLine(view)};
    if (roll < 900) {
      static constexpr std::array keys = {"Left", "Right", "Up", "Down", "PageUp", "PageDown", "Home", "End"};
      return {ActionKind::Change, Line(std::string("key ") + Pick(keys))};
    }
    if (roll < 960) return {ActionKind::Change, Line(Chance(50) ? "wheel up" : "wheel down")};
    // A stray answer stays queued for whatever box comes next.
    return {ActionKind::Change, QueuedAnswers(Chance(50) ? cmd::GoTo : cmd::FavouriteColours, view)};
  }

 private:
  WalkAction MenuAction(const WalkView& view) {
    int id = 0;
    if (Chance(5)) {
      static constexpr std::array odd = {0, -1, 1089, 99999, cmd::Exit + 1000};
      id = Pick(odd);
    } else {
      // Mostly what the menu offers now; sometimes a greyed item.
      int total = 0;
      std::vector<Weighted> offered;
      for (const Weighted& item : kMenuWeights) {
        const bool enabled = std::find(view.enabled.begin(), view.enabled.end(), item.id) != view.enabled.end();
        const int weight = item.id == cmd::New && view.loaded == 0 ? 60 : item.weight;
        if (!enabled && !Chance(10)) continue;
        offered.push_back({item.id, weight});
        total += weight;
      }
      if (total == 0) return {ActionKind::Change, Line("state")};
      int pick = Below(total);
      for (const Weighted& item : offered) {
        if ((pick -= item.weight) < 0) {
          id = item.id;
          break;
        }
      }
    }
    const ActionKind kind = id == cmd::New ? ActionKind::Load : id == cmd::Undo ? ActionKind::Undo : ActionKind::Change;
    return {kind, QueuedAnswers(id, view) + Line("command " + Number(id))};
  }

  std::string QueuedAnswers(int command, const WalkView& view) {
    std::string lines;
    if (command == cmd::New) return Line(FileChoice());
    if (command == cmd::GoTo || command == cmd::UnderlineLink) {
      for (int count = Below(4); count > 0; --count) {
        lines += Line(Chance(15) ? "answer" : "answer " + PageAnswer(view));
      }
    }
    if (command == cmd::FavouriteColours || Chance(10)) {
      lines += Line(Chance(20) ? std::string("colour cancel")
                               : "colour " + Number(Below(256)) + " " + Number(Below(256)) + " " + Number(Below(256)));
      lines += Line(Chance(50) ? "reply yes" : "reply no");
    }
    return lines;
  }

  std::string PageAnswer(const WalkView& view) {
    if (Chance(40)) return Pick(kNonsense);
    return Number(1 + Below(std::max(view.pages, 1) + 2));
  }

  std::string FileChoice() {
    // Mostly the texts; now and then a picture, a name with no file, the folder, or nothing.
    static constexpr std::pair<int, const char*> kChoices[] = {
        {55, "/full.txt"}, {80, "/short.txt"}, {85, "/photo.png"}, {90, "/no-such-text.txt"}, {95, ""}};
    const int roll = Below(100);
    for (const auto& [below, name] : kChoices) {
      if (roll < below) return "choose " + folder_ + name;
    }
    return "choose";
  }

  std::string MouseLine(const WalkView& view) {
    const int roll = Below(100);
    if (pressed_ && roll < 55) return Line("move " + PointOnCanvas(view));
    if (pressed_ && roll < 90) {
      pressed_ = false;
      return Line("release " + PointOnCanvas(view));
    }
    if (roll < 5) return Line("rpress " + PointOnCanvas(view));
    if (roll < 15) return Line("move " + PointOnCanvas(view));
    if (roll < 20) return Line("release " + PointOnCanvas(view));
    pressed_ = true;
    return Line("press " + PointOnCanvas(view));
  }

  std::string PointOnCanvas(const WalkView& view) {
    const int line = 1 + Below(65);
    const int roll = Below(100);
    int x = 0, y = 0;
    if (view.mode == 1 ? roll < 20 : roll < 85) {
      x = 8 * (3 + Below(93)) + Below(8);  // on the text
      y = view.offset + (line - 1) * 16 + Below(16);
    } else if (roll < 85) {
      x = 3 + Below(13);  // on a line selector
      y = view.offset + (line - 1) * 16 + 3 + Below(13);
    } else {
      x = Below(900) - 50;  // anywhere, off the canvas too
      y = Below(1100) - 70;
    }
    return Number(x) + " " + Number(y);
  }

  WalkAction DialogAction(const WalkView& view) {
    const DialogControls& controls = ControlsOf(view.dialogTitle);
    ++dialogActions_;
    // A user who wanders long enough leaves the dialog one way or another.
    if (dialogActions_ > 25) return {ActionKind::Change, Line(Chance(50) ? "close" : "click " + Number(controls.exit))};
    const int roll = Below(100);
    if (roll < 10) return {ActionKind::Change, Line("close")};
    if (roll < 55) return {ActionKind::Change, Line("click " + Number(Pick(controls.buttons)))};
    if (roll < 72 && !controls.textBoxes.empty()) {
      const std::string text = Chance(50) ? Number(1 + Below(5)) : Pick(kNonsense);
      return {ActionKind::Change, Line("set " + Number(Pick(controls.textBoxes)) + " " + text)};
    }
    if (roll < 82 && !controls.lists.empty()) {
      return {ActionKind::Change, Line("pick " + Number(Pick(controls.lists)) + " " + Number(Below(12)))};
    }
    static constexpr std::array paletteVerbs = {"pmove", "ppress", "prpress"};
    std::string lines = QueuedAnswers(cmd::FavouriteColours, WalkView{});
    lines += Line(std::string(Pick(paletteVerbs)) + " " +
                  Number(Below(360) - 10) + " " + Number(Below(280) - 10));
    return {ActionKind::Change, lines};
  }
  int Below(int count) { return static_cast<int>(random_() % static_cast<std::uint64_t>(count)); }
  bool Chance(int percent) { return Below(100) < percent; }
  template <typename List>
  typename List::value_type Pick(const List& list) {
    return list[static_cast<std::size_t>(Below(static_cast<int>(std::size(list))))];
  }

  std::mt19937_64 random_;
  std::string folder_;
  bool started_ = false;
  bool pressed_ = false;   // the mouse button is down on the canvas
  int dialogActions_ = 0;  // actions since the open dialog appeared
};

}  // namespace

WalkActionSource StartWalkActions(std::uint64_t seed, const std::string& folder) {
  return [actions = std::make_shared<WalkActions>(seed, WriteWalkFiles(folder))](const WalkView& view) {
    return actions->Next(view);
  };
}
