#include "platform/DialogUnits.h"

#include <gtest/gtest.h>

namespace {

TEST(DialogUnits, ScaleByTheFontsBaseUnits) {
  const DialogBaseUnits base{6, 13};
  EXPECT_EQ(DialogUnitsToPixels(QRect(5, 19, 100, 15), base), QRect(7, 30, 150, 24));
  EXPECT_EQ(DialogUnitsToPixels(QRect(510, 475, 50, 15), base), QRect(765, 771, 75, 24));
  const DialogBaseUnits measured = BaseUnitsOf(QFont(QStringLiteral("Liberation Sans"), 10, QFont::Bold));
  EXPECT_GT(measured.baseX, 3);
  EXPECT_GT(measured.baseY, 8);
}

}  // namespace
