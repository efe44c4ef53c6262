#pragma once

#include <QString>

#include "texts/TextSet.h"

// A text of the installed build's set, for a widget.
inline QString EditorText(TextId id) {
  const std::string_view text = Text(id);
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
