// One keystroke end to end on the real window: a new text in txtReihe, the
// full recomputation, every result caption rewritten.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDate>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QTemporaryDir>
#include <array>
#include <cstdlib>

#include <optional>

#include "ui/frm_main.h"

namespace brennquist {
namespace {

class SilentMessageBoxes final : public MessageBoxes {
  public:
    void Show(const QString& /*text*/, const QString& /*title*/,
              QMessageBox::Icon /*icon*/) override {}
    [[nodiscard]] std::optional<QString> AskPrintFile() override { return std::nullopt; }
};

// Two keystrokes the benchmark alternates between, and what they must show.
struct Keystroke {
    QString series;
    QString voltage;
    QString speed;
};

void RunKeystrokes(benchmark::State& state, bool paint) {
    const QTemporaryDir folder;
    SilentMessageBoxes boxes;
    frmMain window(boxes, FormEnvironment{folder.path(), QLocale(QLocale::German, QLocale::Germany),
                                          [] { return QDate(2026, 12, 8); }});
    window.Form_Load();
    window.show();
    QApplication::processEvents();

    auto* const series = window.findChild<QLineEdit*>(QStringLiteral("txtReihe"));
    auto* const voltage = window.findChild<QLabel*>(QStringLiteral("lblU"));
    auto* const speed = window.findChild<QLabel*>(QStringLiteral("lbln"));
    if (series == nullptr || voltage == nullptr || speed == nullptr) {
        state.SkipWithError("window controls not found");
        return;
    }
    const std::array<Keystroke, 2> strokes = {Keystroke{"3", "11,1", "11100"},
                                              Keystroke{"4", "14,8", "14800"}};
    std::size_t next = 0;
    for (auto _ : state) {
        const Keystroke& stroke = strokes[next];
        next = 1 - next;
        series->setText(stroke.series);
        if (paint) {
            QApplication::processEvents();  // the repaint of what changed
        }
        if (voltage->text() != stroke.voltage || speed->text() != stroke.speed) {
            state.SkipWithError("the labels do not show the new result");
            return;
        }
    }
}

void BM_Keystroke(benchmark::State& state) {
    RunKeystrokes(state, false);
}
void BM_KeystrokeAndPaint(benchmark::State& state) {
    RunKeystrokes(state, true);
}

BENCHMARK(BM_Keystroke)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_KeystrokeAndPaint)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace brennquist

int main(int argc, char** argv) {
    // No screen is needed to measure; a set platform is respected.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    const QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
