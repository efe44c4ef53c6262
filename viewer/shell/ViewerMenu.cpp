#include "viewer/shell/ViewerMenu.h"

#include "platform/MenuKeys.h"
#include "platform/ProgramFolder.h"
#include "resources/Artwork.h"
#include "texts/TextSet.h"
#include "viewer/canvas/CellText.h"
#include "viewer/settings/ViewerSettings.h"
#include "viewer/shell/CommandIds.h"

#include <QFile>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>

#include <vector>

namespace {

constexpr int kSeparator = 0;
constexpr int kSwatch = -1;  // the picture is the swatch of the item's colour

struct ItemSpec {
  int id;  // kSeparator for a separator line
  TextId text;
  int picture;  // resource number, kSwatch, or 0 for none
};

struct PopupSpec {
  TextId title;
  std::vector<ItemSpec> items;
};

const ItemSpec kLine{kSeparator, TextId::Count, 0};

const std::vector<PopupSpec>& MenuTree() {
  static const std::vector<PopupSpec> tree = {
      {TextId::ViewerMenuFiles,
       {{cmd::New, TextId::ViewerMenuNew, 337}, kLine, {cmd::SaveImage, TextId::ViewerMenuSaveImage, 338}, kLine,
        {cmd::Author, TextId::ViewerMenuAuthor, 339}, kLine, {cmd::Exit, TextId::ViewerMenuExit, 340}}},
      {TextId::ViewerMenuEdit,
       {{cmd::Update, TextId::ViewerMenuUpdate, 335}, kLine, {cmd::Undo, TextId::ViewerMenuUndo, 336}, kLine,
        {cmd::GoTo, TextId::ViewerMenuGoTo, 344}, kLine, {cmd::Find, TextId::ViewerMenuFind, 0}, kLine,
        {cmd::FindNext, TextId::ViewerMenuFindNext, 0}, kLine, {cmd::FindPrevious, TextId::ViewerMenuFindPrevious, 0},
        kLine, {cmd::GoBack, TextId::ViewerMenuGoBack, 0}}},
      {TextId::ViewerMenuPersonalize, {{cmd::SetUp, TextId::ViewerMenuSetUp, 334}}},
      {TextId::ViewerMenuUnderlines,
       {{cmd::SelectorSwitch, TextId::ViewerMenuSelectorSwitch, 341}, kLine,
        {cmd::UnderlineWholeLine, TextId::ViewerMenuUnderlineWholeLine, 342}, kLine,
        {cmd::UnderlineVertical, TextId::ViewerMenuUnderlineVertical, 342}, kLine,
        {cmd::UnderlinePiece, TextId::ViewerMenuUnderlinePiece, 342}, kLine,
        {cmd::UnderlineTwoColours, TextId::ViewerMenuUnderlineTwoColours, 343}, kLine,
        {cmd::UnderlineLink, TextId::ViewerMenuUnderlineLink, 345}, kLine,
        {cmd::UnderlineBold, TextId::ViewerMenuUnderlineBold, 346}}},
      {TextId::ViewerMenuColours,
       {{cmd::FavouriteColours, TextId::ViewerMenuFavouriteColours, 333}, kLine,
        {cmd::ColourHorizontal, TextId::ViewerMenuColourHorizontal, kSwatch},
        {cmd::ColourVertical, TextId::ViewerMenuColourVertical, kSwatch}, kLine,
        {cmd::ColourTwoColourBackground, TextId::ViewerMenuColourTwoColourBackground, kSwatch},
        {cmd::ColourTwoColourText, TextId::ViewerMenuColourTwoColourText, kSwatch}, kLine,
        {cmd::ColourLink, TextId::ViewerMenuColourLink, kSwatch}}},
      {TextId::ViewerMenuAlignment,
       {{cmd::AlignLeft, TextId::ViewerMenuAlignLeft, 347}, kLine, {cmd::AlignCentre, TextId::ViewerMenuAlignCentre, 348},
        kLine, {cmd::AlignRight, TextId::ViewerMenuAlignRight, 349}}},
      {TextId::ViewerMenuRead,
       {{cmd::GuideReader, TextId::ViewerMenuGuideReader, 0}, kLine, {cmd::StudyNotes, TextId::StudyNotesMenuItem, 0}}},
  };
  return tree;
}

// The items' keys, one row an item that has one.
constexpr MenuKey kMenuKeys[] = {
    {cmd::New, QKeySequence::Open, Qt::CTRL | Qt::Key_O},
    {cmd::SaveImage, QKeySequence::Save, Qt::CTRL | Qt::Key_S},
    {cmd::Exit, QKeySequence::Quit, Qt::CTRL | Qt::Key_Q},
    {cmd::Update, QKeySequence::Refresh, Qt::Key_F5},
    {cmd::Undo, QKeySequence::Undo, Qt::CTRL | Qt::Key_Z},
    {cmd::GoTo, QKeySequence::UnknownKey, Qt::CTRL | Qt::Key_G},
    {cmd::Find, QKeySequence::Find, Qt::CTRL | Qt::Key_F},
    // Not the standard FindNext/FindPrevious: some desktops bind them to Ctrl+G, Go to's key.
    {cmd::FindNext, QKeySequence::UnknownKey, Qt::Key_F3},
    {cmd::FindPrevious, QKeySequence::UnknownKey, Qt::SHIFT | Qt::Key_F3},
    {cmd::GoBack, QKeySequence::Back, Qt::ALT | Qt::Key_Left},
    {cmd::StudyNotes, QKeySequence::UnknownKey, Qt::CTRL | Qt::Key_E},
};

QString ToQ(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

std::int32_t ColourOfItem(int id, const ViewerSettings& settings) {
  const ColourSettings& c = settings.colours;
  switch (id) {
    case cmd::ColourHorizontal: return c.horizontal;
    case cmd::ColourVertical: return c.vertical;
    case cmd::ColourTwoColourBackground: return c.twoColourBackground;
    case cmd::ColourTwoColourText: return c.twoColourText;
    default: return c.links;
  }
}

// The swatch travels through color.bmp in the program folder, which is
// removed again once the menu holds the picture.
QIcon SwatchIcon(std::int32_t colour) {
  const std::string path = ProgramFile("color.bmp");
  QImage swatch;
  if (MakeColourSwatch(static_cast<std::uint32_t>(colour), path)) swatch.load(QString::fromStdString(path));
  QFile::remove(QString::fromStdString(path));
  return swatch.isNull() ? QIcon() : QIcon(QPixmap::fromImage(swatch));
}

}  // namespace

bool MakeColourSwatch(std::uint32_t colour, const std::string& path) {
  QImage swatch(16, 16, QImage::Format_RGB32);
  swatch.fill(Qt::white);
  {
    QPainter painter(&swatch);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(ColourFromValue(colour));
    painter.drawRoundedRect(QRect(0, 0, 15, 15), 15, 15, Qt::RelativeSize);
  }
  return swatch.save(QString::fromStdString(path), "BMP");
}

void BuildMenu(QMenuBar& bar, const ViewerSettings& settings) {
  bar.clear();
  for (const PopupSpec& popupSpec : MenuTree()) {
    QMenu* popup = bar.addMenu(ToQ(Text(popupSpec.title)));
    for (const ItemSpec& item : popupSpec.items) {
      if (item.id == kSeparator) {
        popup->addSeparator();
        continue;
      }
      QAction* action = popup->addAction(ToQ(Text(item.text)));
      action->setData(item.id);
      GiveMenuKey(*action, kMenuKeys);
      if (item.picture == kSwatch) {
        action->setIcon(SwatchIcon(ColourOfItem(item.id, settings)));
      } else if (item.picture != 0) {
        action->setIcon(QIcon(QPixmap::fromImage(ArtworkImage(item.picture))));
      }
      if (item.id == cmd::GuideReader) action->setCheckable(true);
    }
  }
}
