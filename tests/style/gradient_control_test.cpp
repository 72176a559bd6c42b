#include <gtest/gtest.h>

#include "style/GradientControl.h"

TEST(GradientControl, ReadoutOverwritesInPlaceAndSkipsPiecesPastTheEnd) {
    PathShape p;
    p.GradX = -30;
    p.GradY = 12345678;  // its long piece loses the "]" to the angle
    p.GradAngle = -30.5f;
    p.GradScale = 200.0f / 32768.0f;
    const struct {
        QString Before, After;
    } cases[] = {
        {QString(40, ' '), "           [-1,617283[-31ﾟ ⇔9]          "},
        {"(1,2)" + QString(20, ' '), "(1,2)      [-1,617283[-31"},
        {QString(15, ' '), "           [-1,"},
    };
    for (const auto& c : cases) {
        QString status = c.Before;
        GradientReadout(p, status);
        EXPECT_EQ(status, c.After);
    }
}
