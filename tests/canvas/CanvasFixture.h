#pragma once

#include "platform/ScriptedDialogs.h"
#include "tests/MarkedDocuments.h"
#include "texts/TextSet.h"
#include "viewer/canvas/PageRenderer.h"
#include "viewer/canvas/PictureLoader.h"

#include <gtest/gtest.h>

inline constexpr QRgb kRed = 0xFFFF0000;
inline constexpr QRgb kBlack = 0xFF000000;
inline constexpr QRgb kWhite = 0xFFFFFFFF;

// A fresh viewer state with a renderer whose messages are collected.
class CanvasFixture : public ::testing::Test {
 protected:
  CanvasFixture() {
    InstallTextSet(SpanishTexts());
    state.document.PageCount = 1;
    state.document.DocumentLoaded = 1;
  }

  LineRecord& SetLine(int line, std::string text, std::string alignment = {}, int page = 1) {
    LineRecord& record = PutLine(state.document, page, line, std::move(text));
    record.alignment = std::move(alignment);
    return record;
  }

  QImage& Render(int page = 1) {
    renderer.RenderPage(page, state.guide.GuideState);
    renderer.DrawFooters(state.pages.PageBitmap(page), 1);
    return state.pages.PageBitmap(page);
  }

  // Whether any pixel of the rectangle is not white.
  static bool HasInk(const QImage& image, QRect area) {
    area = area.intersected(image.rect());
    for (int y = area.top(); y <= area.bottom(); ++y) {
      for (int x = area.left(); x <= area.right(); ++x) {
        if (image.pixel(x, y) != kWhite) return true;
      }
    }
    return false;
  }

  // The cells of columns first..last of a line: x = (c - 1) * 8 .., rows y0 .. y0 + 15.
  static QRect Cells(int line, int first, int last = 0) {
    return QRect((first - 1) * 8, (line - 1) * 16, ((last ? last : first) - first + 1) * 8, 16);
  }

  std::vector<std::string> messages;
  ViewerState state;
  ScriptedDialogs dialogs{[this](const std::string& line) { messages.push_back(line); }};
  PictureLoader pictures{dialogs};
  PageRenderer renderer{state, pictures, {}};
};
