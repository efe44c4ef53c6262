#include "viewer/document/LineRecord.h"

#include <algorithm>

std::size_t TextFieldLength(std::string_view value, std::size_t fieldSize) {
  const std::size_t room = fieldSize == 0 ? 0 : fieldSize - 1;
  return std::min({value.find('\0'), room, value.size()});
}

std::string FitTextField(std::string_view value, std::size_t fieldSize) {
  return std::string(value.substr(0, TextFieldLength(value, fieldSize)));
}
