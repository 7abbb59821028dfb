#include <QPainterPath>
#include <QStringList>
#include <gtest/gtest.h>
#include "canvas/model/RotationGeometry.h"
#include "support/TestEnvironment.h"

namespace {

void expectRectNear(const QRectF& actual, const QRectF& expected, double tolerance)
{
    EXPECT_NEAR(actual.x(), expected.x(), tolerance);
    EXPECT_NEAR(actual.y(), expected.y(), tolerance);
    EXPECT_NEAR(actual.width(), expected.width(), tolerance);
    EXPECT_NEAR(actual.height(), expected.height(), tolerance);
}

TEST(RotationGeometry, TransformTurnsClockwiseOnScreenAboutTheCentre)
{
    const QTransform turn = RotationTransform(90.0, 50.0, 20.0);
    const QPointF topLeft = turn.map(QPointF(0.0, 0.0));
    EXPECT_NEAR(topLeft.x(), 70.0, 1e-9);
    EXPECT_NEAR(topLeft.y(), -30.0, 1e-9);
    const QPointF centre = turn.map(QPointF(50.0, 20.0));
    EXPECT_NEAR(centre.x(), 50.0, 1e-9);
    EXPECT_NEAR(centre.y(), 20.0, 1e-9);
}

TEST(RotationGeometry, RotatedPathRectOfTheWorkedBox)
{
    const QRectF box(0.0, 0.0, 100.0, 40.0);
    expectRectNear(Rotated_Path_Rect(box, 90.0f), QRectF(30.0, -30.0, 40.0, 100.0), 1e-9);
    expectRectNear(Rotated_Path_Rect(box, 45.0f), QRectF(0.5025, -29.4975, 98.9949, 98.9949), 1e-4);
    EXPECT_EQ(Rotated_Path_Rect(box, 0.0f), box);
}

TEST(RotationGeometry, RotatedPathWithZeroAngleIsTheSamePathAndOtherAnglesCopy)
{
    QPainterPath path;
    path.addRect(QRectF(5.0, 5.0, 20.0, 10.0));
    EXPECT_EQ(rotatedPath(path, 0.0, QPointF(15.0, 10.0)), path);

    const QPainterPath full = rotatedPath(path, 360.0, QPointF(15.0, 10.0));
    ASSERT_EQ(full.elementCount(), path.elementCount());
    for (int i = 0; i < path.elementCount(); ++i) {
        EXPECT_NEAR(full.elementAt(i).x, path.elementAt(i).x, 1e-9);
        EXPECT_NEAR(full.elementAt(i).y, path.elementAt(i).y, 1e-9);
    }
    // The original stays as it was when a turned copy is made.
    rotatedPath(path, 30.0, QPointF(0.0, 0.0));
    EXPECT_EQ(path.boundingRect(), QRectF(5.0, 5.0, 20.0, 10.0));
}

TEST(RotationGeometry, RotatedPathRectAgreesWithShapelyWhereAvailable)
{
    if (TestEnvironment::runPython("import shapely").exitCode != 0)
        return;
    const QRectF box(12.5, 7.0, 60.0, 25.0);
    for (float angle : {15.0f, 45.0f, 90.0f, 135.0f, -30.0f, 200.0f}) {
        const QString script = QStringLiteral(
            "import sys\n"
            "from shapely.geometry import box\n"
            "from shapely import affinity\n"
            "x, y, w, h, a = map(float, sys.argv[1:])\n"
            "b = affinity.rotate(box(x, y, x + w, y + h), a, origin='center').bounds\n"
            "print(b[0], b[1], b[2] - b[0], b[3] - b[1])\n");
        const auto result = TestEnvironment::runPython(
            script, {"12.5", "7.0", "60.0", "25.0", QString::number(angle)});
        ASSERT_EQ(result.exitCode, 0) << result.err.constData();
        const QStringList values = QString::fromUtf8(result.out).simplified().split(' ');
        ASSERT_EQ(values.size(), 4);
        // Shapely turns counter-clockwise in y-up space, which is clockwise on a y-down screen.
        expectRectNear(Rotated_Path_Rect(box, angle),
                       QRectF(values[0].toDouble(), values[1].toDouble(), values[2].toDouble(),
                              values[3].toDouble()),
                       1e-6);
    }
}

}  // namespace
