// The progress bar paints the done part blue and the rest grey.
#include <gtest/gtest.h>

#include <QImage>

#include "gui/progress_bar.h"

using quillon::gui::ProgressBarWidget;

TEST(ProgressBar, FillsThePartDoneAndClampsThePosition)
{
    ProgressBarWidget bar(nullptr);
    bar.resize(102, 12);
    bar.set_progress(50, 100);
    QImage image = bar.grab().toImage();
    EXPECT_EQ(image.pixelColor(10, 6), QColor(0, 50, 255));
    EXPECT_EQ(image.pixelColor(90, 6), QColor(175, 175, 175));
    EXPECT_EQ(image.pixelColor(0, 0), QColor(Qt::black)) << "the frame";

    bar.set_progress(30000, 25000);
    EXPECT_EQ(bar.position(), 25000) << "a load longer than the range shows a full bar";
    bar.set_progress(5, 0);
    EXPECT_EQ(bar.position(), 0) << "nothing to show without a range";
}
