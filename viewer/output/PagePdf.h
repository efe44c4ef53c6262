#pragma once

#include "viewer/output/PrintJob.h"

#include <QByteArray>
#include <QImage>

// One page picture as a one-page PDF on the given paper, stretched over the
// whole printable part (so its proportions are those of that part). The
// picture is embedded losslessly: text must not pick up compression noise.
QByteArray PagePdf(const QImage& page, const PaperArea& paper);
