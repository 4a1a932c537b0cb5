// Maps without GDAL: the classes that turn values into symbols, the equalized bounds of a grid
// with ties, GMT's padding of a grid's edges, and its light. (Against GMT and gdaldem
// themselves: tests/programs/check_grid.py.)
#include "tessel/grid/Classes.h"
#include "tessel/grid/Shading.h"
#include "tessel/grid/Statistics.h"

#include <QRandomGenerator>
#include <QTest>

#include <algorithm>
#include <cmath>

using namespace tessel;

class GridTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A value takes the symbol whose own is nearest, the upper where it is half-way, and the
    // end symbols beyond the ends; the lookup that makes it fast agrees with a plain search
    // everywhere.
    void shouldTakeTheNearestSymbol()
    {
        const Classes classes = nearestClasses(5, {0, 10, 20, 40});
        QCOMPARE(classes.bounds, (std::vector<double>{5, 15, 30}));
        QCOMPARE(classes.symbolOf(-100) * 1000 + classes.symbolOf(4.9) * 100 +
                     classes.symbolOf(5) * 10 + classes.symbolOf(1e9),
                 5000 + 500 + 60 + 8);
        const Classes uneven =
            equalizedClasses(1, {0.1, 0.1, 0.25, 3, 3.5, 3.5000001, 90}, -1, 100);
        auto *random = QRandomGenerator::global();
        for (int i = 0; i < 100000; ++i) {
            const double v =
                i < 50 ? uneven.bounds[std::size_t(i % 7)] : random->bounded(120.0) - 10;
            const auto plain = std::upper_bound(uneven.bounds.begin(), uneven.bounds.end(), v);
            QCOMPARE(uneven.symbolOf(v), 1 + int(plain - uneven.bounds.begin()));
        }
    }

    // A master table's own values over the data: each side of its hinge on its own where the
    // data spans it, else straight over the data.
    void shouldStretchAHingedTableOverTheData()
    {
        QCOMPARE(stretchedValues({-2, -1, 0, 2, 4}, 0.0, -100, 50),
                 (std::vector<double>{-100, -50, 0, 25, 50}));
        QCOMPARE(stretchedValues({-2, -1, 0, 2, 4}, 0.0, 10, 70),
                 (std::vector<double>{10, 20, 30, 50, 70}));
    }

    // grd2cpt -E11+c on a pixel grid of 9 by 9 with ties: x y + 3 + x at the cells' centres.
    void shouldEqualizeAsGrd2cptDoes()
    {
        Raster raster{9, 9, {}};
        for (int r = 0; r < 9; ++r) {
            for (int c = 0; c < 9; ++c) {
                raster.values.push_back(float((c + 0.5) * (8.5 - r) + 3 + (c + 0.5)));
            }
        }
        GridInfo info;
        info.width = info.height = 9;
        std::vector<double> shares;
        for (int j = 1; j < 10; ++j) {
            shares.push_back(j / 10.0);
        }
        const core::Result<std::vector<double>> bounds =
            distributionValues(rowsOf(raster), CellWeights(info, 9, 9), shares);
        const std::vector<double> gmt = {6.75,  9.75,          14.25, 16.9500002414, 22.25,
                                         27.75, 35.3500025347, 44.25, 57.9500032589};
        QVERIFY(bounds && bounds->size() == gmt.size());
        for (std::size_t i = 0; i < gmt.size(); ++i) {
            QVERIFY2(std::abs((*bounds)[i] - gmt[i]) < 1e-5, qPrintable(QString::number(i)));
        }
    }

    // GMT's padding on a 3 by 3 grid: at the corners 2 z0 - inside, elsewhere on the edges
    // what makes the Laplacian 0 (rows of g with the light from the east, then the north).
    void shouldPadTheEdgesAsGmtDoes()
    {
        GridInfo info;
        info.width = info.height = 3;
        info.transform = {0, 1, 0, 3, 0, -1};
        const float z[3][3] = {{1, 2, 3}, {4, 5, 7}, {9, 11, 14}};
        for (const auto &[azimuth, expected] :
             {std::pair{90.0, std::vector<double>{-1, -1, -1, -2, -1.5, -0.5, -2, -2.5, -3}},
              std::pair{0.0, std::vector<double>{3, 3, 4, 4, 4.5, 5.5, 5, 5.5, 7}}}) {
            std::vector<double> g;
            GradientRows rows(info, 3, 3, azimuth, [&](int, const float *, const double *out) {
                g.insert(g.end(), out, out + 3);
            });
            for (const auto &row : z) {
                rows.add(row);
            }
            rows.finish();
            for (double &v : g) {
                v = std::round(v * 1e9) / 1e9;
            }
            QCOMPARE(g, expected);
        }
    }

    // GMT's light, as its HSV arithmetic gives it (greys stay grey).
    void shouldLightAsGmtDoes_data()
    {
        QTest::addColumn<int>("colour");
        QTest::addColumn<double>("intensity");
        QTest::addColumn<int>("lit");
        // clang-format off
        QTest::newRow("a little light") << 0xa4be65 << 0.0919 << 0xabc46f;
        QTest::newRow("shade") << 0xc7ad60 << -0.3 << 0xa28737;
        QTest::newRow("much light") << 0x1e3cc8 << 0.7 << 0xa1afee;
        QTest::newRow("grey") << 0x808080 << -0.45 << 0x696969;
        QTest::newRow("red") << 0xff0000 << 0.25 << 0xff3939;
        // clang-format on
    }

    void shouldLightAsGmtDoes()
    {
        QFETCH(int, colour);
        QFETCH(double, intensity);
        const auto byte = [](int v, int shift) { return std::uint8_t((v >> shift) & 0xff); };
        const Rgb lit = illuminate(
            LightableColour(Rgb{byte(colour, 16), byte(colour, 8), byte(colour, 0)}), intensity);
        QTEST(lit.red << 16 | lit.green << 8 | lit.blue, "lit");
    }
};

QTEST_GUILESS_MAIN(GridTest)
#include "tst_grid.moc"
