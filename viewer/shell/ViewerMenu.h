#pragma once

#include <QImage>

#include <cstdint>
#include <string>

class QMenuBar;
struct ViewerSettings;

// Creates the viewer's menu bar: every popup and item with its text, its
// command id (QAction::data) and its picture; the colour items show a swatch
// of their current colour. Items start enabled and unchecked.
void BuildMenu(QMenuBar& bar, const ViewerSettings& settings);

// Writes a 16 x 16 swatch of `colour` (red in the low byte) to `path` as a
// BMP: a black-outlined box with rounded corners filled with the colour.
bool MakeColourSwatch(std::uint32_t colour, const std::string& path);
