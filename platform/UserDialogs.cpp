#include "platform/UserDialogs.h"

std::string_view IconName(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Information: return "information";
    case MessageIcon::Warning: return "warning";
    case MessageIcon::Question: return "question";
    default: return {};
  }
}
