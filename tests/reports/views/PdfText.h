#pragma once

// Reading a printout back: the text of a PDF file as pdftotext lays it out,
// its page count from pdfinfo, and every word with its box on its page.
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

#include <cstdio>
#include <vector>

namespace zev::test {

inline QString RunPoppler(const char* tool, const QStringList& arguments)
{
    const QString program = QStandardPaths::findExecutable(QString::fromLatin1(tool));
    if (program.isEmpty()) {
        std::fprintf(stderr, "%s (poppler-utils) is needed to read the printout back\n", tool);
        return {};
    }
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The text of pages first..last (all pages when 0).
inline QString PdfText(const QString& path, int first = 0, int last = 0)
{
    QStringList arguments{QStringLiteral("-layout")};
    if (first > 0)
        arguments << QStringLiteral("-f") << QString::number(first);
    if (last > 0)
        arguments << QStringLiteral("-l") << QString::number(last);
    return RunPoppler("pdftotext", arguments << path << QStringLiteral("-"));
}

// -1 when the file cannot be read.
inline int PdfPages(const QString& path)
{
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(RunPoppler("pdfinfo", {path}));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

struct PdfWord {
    int page = 0; // from 1
    double pageWidth = 0;
    double pageHeight = 0;
    double xMin = 0, yMin = 0, xMax = 0, yMax = 0;
    QString text;
};

inline std::vector<PdfWord> PdfWords(const QString& path)
{
    const QString html = RunPoppler("pdftotext", {QStringLiteral("-bbox"), path, QStringLiteral("-")});
    const QRegularExpression pageTag(QStringLiteral("<page width=\"([\\d.]+)\" height=\"([\\d.]+)\">"));
    const QRegularExpression wordTag(QStringLiteral(
        "<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">([^<]*)</word>"));
    std::vector<PdfWord> words;
    int page = 0;
    double width = 0, height = 0;
    for (const QString& line : html.split(QLatin1Char('\n'))) {
        if (const QRegularExpressionMatch p = pageTag.match(line); p.hasMatch()) {
            ++page;
            width = p.captured(1).toDouble();
            height = p.captured(2).toDouble();
        } else if (const QRegularExpressionMatch w = wordTag.match(line); w.hasMatch()) {
            words.push_back({page, width, height, w.captured(1).toDouble(), w.captured(2).toDouble(),
                             w.captured(3).toDouble(), w.captured(4).toDouble(), w.captured(5)});
        }
    }
    return words;
}

} // namespace zev::test
