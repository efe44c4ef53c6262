#include "platform/UserDialogs.h"

MessageIcon IconShown(MessageIcon icon, std::string_view text) {
  if (icon != MessageIcon::ByText) return icon;
  // Every file error reads "Err: NUMBER DESCRIPTION" in both builds.
  return text.starts_with("Err: ") ? MessageIcon::Warning : MessageIcon::None;
}

std::string_view IconName(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Information: return "information";
    case MessageIcon::Warning: return "warning";
    case MessageIcon::Question: return "question";
    default: return {};
  }
}
