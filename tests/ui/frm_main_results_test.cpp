// Result labels of the real window with values wider than their fixed box:
// the box shows the leading digits and a cut marker, the caption stays whole.
#include <QLabel>
#include <QLineEdit>
#include <utility>
#include <vector>

#include "tests/ui/painted_text.h"
#include "tests/ui/window_fixture.h"

namespace brennquist {
namespace {

const QString kCutMarker = QStringLiteral("…");

struct WideCase {
    std::vector<std::pair<const char*, const char*>> inputs;
    const char* label;
    const char* caption;
};

void PrintTo(const WideCase& wide, std::ostream* out) {
    *out << wide.label << " = " << wide.caption;
}

class ResultLabelTest : public WindowTest, public ::testing::WithParamInterface<WideCase> {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        Start();
    }
};

TEST_P(ResultLabelTest, TooWideResultShowsItsLeadingDigitsAndTheMarker) {
    for (const auto& [field, text] : GetParam().inputs) {
        Find<QLineEdit>(field).setText(QString::fromUtf8(text));
    }
    auto& label = Find<QLabel>(GetParam().label);
    ASSERT_EQ(label.text(), GetParam().caption) << "the caption itself stays whole";

    const QString painted = PaintedText(label).text();
    ASSERT_TRUE(painted.endsWith(kCutMarker)) << painted.toStdString();
    EXPECT_GE(painted.size(), 4) << "more than the first digit";
    EXPECT_TRUE(label.text().startsWith(painted.chopped(1))) << painted.toStdString();
    // All that is painted lies inside the box, so no digit hides behind its edge.
    EXPECT_LE(label.fontMetrics().horizontalAdvance(painted) + label.indent(),
              label.contentsRect().width());
    EXPECT_EQ(label.size(), QSize(81, 25)) << "the box keeps its size";
}

INSTANTIATE_TEST_SUITE_P(Values, ResultLabelTest,
                         ::testing::Values(WideCase{{{"txtg", "58,33333333"}, {"txtReihe", "10"}},
                                                    "lblg",
                                                    "583,3333333"},
                                           WideCase{
                                               {{"txtI", "3,33333333"}}, "lblI", "3,33333333"}),
                         [](const auto& info) { return std::string(info.param.label); });

TEST_F(ResultLabelTest, FittingValueIsPaintedWhole) {
    EXPECT_EQ(PaintedText(Find<QLabel>("lblU")).text(), "3,7");
}

}  // namespace
}  // namespace brennquist
