#include "texts/TextSet.h"

namespace {

constexpr TextEntry kEnglish[] = {
    {TextId::CaptionProgrammer, "Programmer"},
    {TextId::ViewerWindowTitle, "Marvessa marvessa-en"},
    {TextId::ViewerCaptionPage, "Page "},
    {TextId::ViewerCaptionOf, " of "},
    {TextId::EditorWindowTitle, "Editor for Marvessa marvessa-en"},
};

}  // namespace

const TextSet& EnglishTexts() {
  static const TextSet set{"en", StartupFailureStyle::PlainOkWithTitle, kEnglish};
  return set;
}
