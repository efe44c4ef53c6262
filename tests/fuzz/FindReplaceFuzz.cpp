// The find and replace engine over any text, search, replacement, flags and selection, for a run of
// requests carrying the state along: the selection stays within the text.
#include "editor/FindReplace.h"
#include "tests/fuzz/FuzzSupport.h"

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const FindReplaceInput input = DecodeFindReplaceInput(std::string_view(reinterpret_cast<const char*>(data), size));
  FindReplaceState state;
  std::u16string text = input.text;
  // The box gives its selection in order and within its text.
  const auto [first, last] = std::minmax({input.selection.start, input.selection.end, text.size()});
  TextSelection selection{first, std::min(last, text.size())};
  for (const std::uint32_t flags : input.requests) {
    state.record.flags = flags;
    state.record.findText = input.findText.substr(0, kSearchTextCapacity);
    state.record.replaceText = input.replaceText.substr(0, kSearchTextCapacity);
    const FindRequestResult result = HandleFindRequest(state, text, selection);
    if (result.textReplaced) text = result.text;
    FUZZ_CHECK(result.selection.start <= result.selection.end && result.selection.end <= text.size());
    selection = result.selection;
  }
  return 0;
}
