// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

#include <optional>

class QTextStream;

namespace Velaro::Bench
{

struct Row {
    QString measure;
    QString figure;
    // Empty when the figure is for reference only.
    QString target;
    std::optional<bool> met;
};

struct Section {
    QString title;
    QList<Row> rows;
};

QString formatDuration(double nanoseconds);
QString formatMemory(double kibibytes);
QString formatRatio(double ratio);

// A row whose figure failed its target, or could not be measured at all.
bool missed(const Row& row);

void printTable(QTextStream& out, const QString& heading, const QList<Section>& sections);

} // namespace Velaro::Bench
