#include "texts/TextSet.h"

namespace {

constexpr TextEntry kSpanish[] = {
    {TextId::CaptionProgrammer, "Programador"},
    {TextId::ViewerWindowTitle, "Marvessa DIN A4"},
    {TextId::ViewerCaptionPage, "Página "},
    {TextId::ViewerCaptionOf, " de "},
    {TextId::EditorWindowTitle, "Editor para Marvessa DIN A4"},
};

}  // namespace

const TextSet& SpanishTexts() {
  static const TextSet set{"es", StartupFailureStyle::TaskModalForegroundNoTitle, kSpanish};
  return set;
}
