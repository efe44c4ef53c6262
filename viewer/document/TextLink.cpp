#include "viewer/document/TextLink.h"

#include "platform/FileIo.h"
#include "platform/SafeWrite.h"

void TextLink::Bind(TextIdentity text, const Document& document) {
  text_ = std::move(text);
  layout_ = DocumentTextDigest(document);
}

void TextLink::Read(const Document& document) {
  std::string bytes;
  TextIdentity text;
  std::uint64_t layout = 0;
  text_ = {};
  if (!FileExists(path_) || ReadWholeFile(path_, bytes, 1 << 16).failed() || !DecodeTextLink(bytes, text, layout) ||
      layout != DocumentTextDigest(document))
    return;
  text_ = std::move(text);
  layout_ = layout;
  onDisk_ = std::move(bytes);
}

FileError TextLink::Write(const Document& document) {
  if (!text_.known()) return {};
  // Called after every mark: a link already on disk needs no digest of the
  // whole document to stay as it is.
  std::string link = EncodeTextLink(text_, layout_);
  if (link == onDisk_ || !TextOf(document).known()) return {};
  if (FileError error = WriteFileSafely(path_, link); error.failed()) return error;
  onDisk_ = std::move(link);
  return {};
}

TextIdentity TextLink::TextOf(const Document& document) const {
  if (!text_.known() || DocumentTextDigest(document) != layout_) return {};
  return text_;
}
