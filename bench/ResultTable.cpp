// SPDX-License-Identifier: GPL-3.0-or-later
#include "ResultTable.h"

#include <QTextStream>

#include <algorithm>

namespace Velaro::Bench
{

QString formatDuration(double nanoseconds)
{
    if (nanoseconds < 1e3)
        return QStringLiteral("%1 ns").arg(nanoseconds, 0, 'f', 0);
    if (nanoseconds < 1e6)
        return QStringLiteral("%1 µs").arg(nanoseconds / 1e3, 0, 'f', 2);
    return QStringLiteral("%1 ms").arg(nanoseconds / 1e6, 0, 'f', 2);
}

QString formatMemory(double kibibytes)
{
    return QStringLiteral("%1 MiB").arg(kibibytes / 1024, 0, 'f', 1);
}

QString formatRatio(double ratio)
{
    return QStringLiteral("%1×").arg(ratio, 0, 'f', 2);
}

bool missed(const Row& row)
{
    return row.met == false;
}

void printTable(QTextStream& out, const QString& heading, const QList<Section>& sections)
{
    qsizetype measureWidth = 0;
    qsizetype figureWidth = 0;
    qsizetype targetWidth = 0;
    for (const Section& section : sections) {
        for (const Row& row : section.rows) {
            measureWidth = std::max(measureWidth, row.measure.size());
            figureWidth = std::max(figureWidth, row.figure.size());
            targetWidth = std::max(targetWidth, row.target.size());
        }
    }

    out << heading << '\n';
    for (const Section& section : sections) {
        out << '\n' << section.title << '\n';
        for (const Row& row : section.rows) {
            const QString verdict = !row.met   ? QString()
                                    : *row.met ? QStringLiteral("met")
                                               : QStringLiteral("MISSED");
            QString line = QStringLiteral("  %1  %2  %3  %4")
                               .arg(row.measure.leftJustified(measureWidth),
                                    row.figure.rightJustified(figureWidth),
                                    row.target.leftJustified(targetWidth), verdict);
            while (line.endsWith(QLatin1Char(' ')))
                line.chop(1);
            out << line << '\n';
        }
    }
    out.flush();
}

} // namespace Velaro::Bench
