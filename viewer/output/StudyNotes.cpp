#include "viewer/output/StudyNotes.h"

#include "texts/TextSet.h"
#include "viewer/canvas/MarkReader.h"

#include <cctype>
#include <filesystem>
#include <set>
#include <vector>

namespace {

constexpr std::string_view kLineEnd = "\r\n";
// Markdown's line break inside a block: two blanks before the line end.
constexpr std::string_view kLineBreak = "  \r\n";

// The anchor of a page's heading. Like file names and settings keys, markup
// is the same in both builds.
std::string PageAnchor(int page) { return "pagina-" + std::to_string(page); }

std::string PageLabel(int page) { return std::string(Text(TextId::PageNumberWord)) + std::to_string(page); }

std::string PageHeading(int page) {
  return "## <a id=\"" + PageAnchor(page) + "\"></a>" + PageLabel(page) + std::string(kLineEnd);
}

// A bar's lines as a block quote inside its list item, line for line; a
// blank line of the run parts the quote as it parts the page.
std::string QuotedLines(std::string_view lines) {
  std::vector<std::string_view> rows;
  for (std::size_t start = 0;; ) {
    const std::size_t end = lines.find('\n', start);
    rows.push_back(lines.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  std::string quote;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (i > 0) quote += "  ";
    quote += rows[i].empty() ? ">" : "> " + EscapeMarkdown(rows[i], true);
    if (i + 1 == rows.size()) break;
    quote += rows[i].empty() || rows[i + 1].empty() ? kLineEnd : kLineBreak;
  }
  return quote;
}

std::string ItemOf(const ReadMark& mark, const std::set<int>& pagesWithHeading) {
  const std::string text = EscapeMarkdown(mark.text, true);
  switch (mark.kind) {
    case MarkKind::Bar: return QuotedLines(mark.text);
    case MarkKind::Bold: return "**" + text + "**";
    case MarkKind::TwoColours: return "==" + text + "==";
    case MarkKind::Link: {
      if (mark.targetPage == 0) return text;  // leads nowhere a click would go
      const std::string target = std::string(Text(TextId::StudyNotesLinkArrow)) + std::to_string(mark.targetPage);
      if (pagesWithHeading.count(mark.targetPage) == 0) return text + " " + target;
      return text + " [" + target + "](#" + PageAnchor(mark.targetPage) + ")";
    }
    default: return text;
  }
}

std::string Stem(std::string_view textFileName) {
  return std::filesystem::path(std::string(textFileName)).filename().stem().string();
}

}  // namespace

std::string EscapeMarkdown(std::string_view text, bool blockStart) {
  std::string out;
  out.reserve(text.size() + text.size() / 8);
  // Digits starting a block followed by "." or ")" would number a list.
  std::size_t digits = 0;
  while (blockStart && digits < text.size() && std::isdigit(static_cast<unsigned char>(text[digits]))) ++digits;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    const bool first = blockStart && i == 0;
    if (c == '<') {
      out += "&lt;";
    } else if (c == '&') {
      out += "&amp;";
    } else if (static_cast<unsigned char>(c) < 0x20) {
      out += ' ';
    } else if (std::string_view("\\`*_[]").find(c) != std::string_view::npos ||
               (first && std::string_view("#-+>=~").find(c) != std::string_view::npos) ||
               (blockStart && digits > 0 && i == digits && (c == '.' || c == ')'))) {
      out += '\\';
      out += c;
    } else {
      out += c;
    }
  }
  return out;
}

std::string StudyNotesTitle(std::string_view textFileName) {
  const std::string stem = Stem(textFileName);
  return stem.empty() ? std::string(Text(TextId::StudyNotesMenuItem)) : stem;
}

std::string StudyNotesFileName(std::string_view textFileName) {
  const std::string stem = Stem(textFileName);
  if (stem.empty()) return std::string(Text(TextId::StudyNotesMenuItem)) + ".md";
  return stem + std::string(Text(TextId::StudyNotesFileEnding));
}

std::string StudyNotesMarkdown(const Document& document, std::string_view title) {
  const std::vector<ReadMark> marks = ReadMarks(document, 1, document.PageCount);
  std::string sheet = "# " + EscapeMarkdown(title, true) + std::string(kLineEnd);
  if (marks.empty()) return sheet.append(kLineEnd).append(Text(TextId::StudyNotesNoMarks)).append(kLineEnd);
  std::set<int> pagesWithHeading;
  for (const ReadMark& mark : marks) pagesWithHeading.insert(mark.page);
  sheet.reserve(marks.size() * 64);
  int page = 0;
  for (const ReadMark& mark : marks) {
    if (mark.page != page) {
      page = mark.page;
      sheet.append(kLineEnd).append(PageHeading(page)).append(kLineEnd);
    }
    sheet.append("- ").append(ItemOf(mark, pagesWithHeading)).append(kLineEnd);
  }
  return sheet;
}
