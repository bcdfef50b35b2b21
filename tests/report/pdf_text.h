#pragma once

#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <string>
#include <vector>

#include "tests/report/command_output.h"

namespace brennquist::testing {

// The PDF's text as `pdftotext -layout` lays it out: the non-empty lines,
// blanks collapsed.
inline std::vector<std::string> NonEmptyLayoutLines(const QString& pdf) {
    std::vector<std::string> lines;
    const QString text = CommandOutput(QStringLiteral("pdftotext"), {"-layout", pdf, "-"});
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        const QString simple = line.simplified();
        if (!simple.isEmpty()) {
            lines.push_back(simple.toStdString());
        }
    }
    return lines;
}

// The PDF's text lines with the left and right edge and the top of each, in
// points from the paper's corner, as `pdftotext -bbox-layout` finds them.
// A wide gap inside a text line splits it in two.
struct PdfLine {
    double left;
    double right;
    double top;
    std::string text;
};

inline std::vector<PdfLine> LinePositions(const QString& pdf) {
    const QString xml = CommandOutput(QStringLiteral("pdftotext"), {"-bbox-layout", pdf, "-"});
    static const QRegularExpression linePattern(
        QStringLiteral(
            R"re(<line xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)"[^>]*>(.*?)</line>)re"),
        QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression wordPattern(QStringLiteral(R"re(<word[^>]*>([^<]*)</word>)re"));
    std::vector<PdfLine> lines;
    for (auto line = linePattern.globalMatch(xml); line.hasNext();) {
        const auto match = line.next();
        QStringList words;
        for (auto word = wordPattern.globalMatch(match.captured(4)); word.hasNext();) {
            words.append(word.next().captured(1));
        }
        lines.push_back({match.captured(1).toDouble(), match.captured(3).toDouble(),
                         match.captured(2).toDouble(), words.join(QLatin1Char(' ')).toStdString()});
    }
    return lines;
}

}  // namespace brennquist::testing
