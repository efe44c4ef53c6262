#pragma once

#include <ostream>
#include <string>
#include <utility>

#include "editor/FindReplace.h"

// The text box as find and replace sees it: its text, its selection and the
// state kept between requests. Each request applies its result as the editor
// window would.
struct EditorBox {
  FindReplaceState state;
  std::u16string text;
  TextSelection selection;

  FindMessage Request(std::uint32_t flags, std::u16string findText,
                      std::u16string replaceText = u"") {
    state.record = SearchRecord{flags, std::move(findText), std::move(replaceText)};
    FindRequestResult result = HandleFindRequest(state, text, selection);
    if (result.textReplaced) text = std::move(result.text);
    selection = result.selection;
    return result.message;
  }

  void PutCaret(std::size_t at) { selection = {at, at}; }
  std::u16string Selected() const {
    return text.substr(selection.start, selection.end - selection.start);
  }
};

inline void PrintTo(const TextSelection& selection, std::ostream* os) {
  *os << "[" << selection.start << ", " << selection.end << ")";
}
