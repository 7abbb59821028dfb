// The Qt Multimedia camera source where no camera can be opened: a camera that is not connected
// is refused at once with a reason, and nothing runs.
#include <gtest/gtest.h>

#include "views/photos/QtCameraSource.h"

TEST(QtCameraSourceTest, ACameraThatIsNotConnectedIsRefusedWithAReason)
{
    QtCameraSource source;
    int frames = 0;
    int lost = 0;
    const QString reason = source.start(QStringLiteral("no-such-camera"),
                                        [&](std::unique_ptr<CameraFrame>) { ++frames; }, [&](const QString&) { ++lost; });
    EXPECT_EQ(reason, QStringLiteral("The camera is no longer connected."));
    EXPECT_FALSE(source.isRunning());
    source.stop();
    EXPECT_EQ(frames, 0);
    EXPECT_EQ(lost, 0);
}
