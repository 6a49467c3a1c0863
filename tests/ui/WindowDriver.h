// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "MainWindow.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

// Texts to type, field by field.
using Edits = QList<std::pair<QString, QString>>;
Q_DECLARE_METATYPE(Edits)

// Whether a label's whole text fits inside it, wrapped where the label wraps.
inline bool textFits(const QLabel* label)
{
    const QRect needed =
        QFontMetrics(label->font())
            .boundingRect(label->contentsRect(),
                          Qt::AlignLeft | (label->wordWrap() ? Qt::TextWordWrap : 0),
                          label->text());
    return label->contentsRect().contains(needed);
}

// Drives the real main window the way a user does: clicks into fields, types,
// clicks buttons, and reads what a paste would give.
class WindowDriver
{
public:
    explicit WindowDriver(Velaro::MainWindow& window) : m_window(window) {}

    template <typename T = QWidget> T* find(const QString& objectName) const
    {
        return m_window.findChild<T*>(objectName);
    }

    // Replaces a field's text by typing, as a user selecting all and typing over it.
    void type(const QString& fieldName, const QString& text) const
    {
        QLineEdit* field = find<QLineEdit>(fieldName);
        if (!field) {
            if (auto* list = find<QComboBox>(fieldName))
                field = list->lineEdit();
        }
        QVERIFY2(field, qPrintable(fieldName));
        QTest::mouseClick(field, Qt::LeftButton);
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Delete);
        for (const QChar c : text) {
            // QTest only maps ASCII to keys; other letters arrive as text, as from an input method.
            if (c.unicode() < 0x80)
                QTest::keyClick(field, c.toLatin1());
            else
                QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QString(c),
                                    Qt::NoModifier);
        }
    }

    void type(const Edits& edits) const
    {
        for (const auto& [field, text] : edits)
            type(field, text);
    }

    // Clicks each named button or option, or triggers the menu item of that name.
    void choose(const QStringList& names) const
    {
        for (const QString& name : names) {
            if (auto* action = m_window.findChild<QAction*>(name))
                action->trigger();
            else
                click(name);
        }
    }

    void click(const QString& buttonName) const
    {
        auto* button = find<QAbstractButton>(buttonName);
        QVERIFY2(button, qPrintable(buttonName));
        QTest::mouseClick(button, Qt::LeftButton);
    }

    // Presses a call button after clearing the clipboard; returns what a paste gives.
    QString press(const QString& buttonName) const
    {
        QGuiApplication::clipboard()->setText(QStringLiteral("(nothing delivered)"));
        click(buttonName);
        return QGuiApplication::clipboard()->text();
    }

    QString text(const QString& fieldName) const
    {
        auto* field = find<QLineEdit>(fieldName);
        return field ? field->text() : QStringLiteral("(no field %1)").arg(fieldName);
    }

private:
    Velaro::MainWindow& m_window;
};

// Answers every modal message box that comes up while it lives, after copying out
// what a test checks: an assertion while a box is open would leave it open.
class MessageBoxAnswerer : public QObject
{
public:
    struct Seen {
        QString title;
        QString text;
        QMessageBox::Icon icon;
        int buttonCount;
    };

    MessageBoxAnswerer()
    {
        connect(&m_poll, &QTimer::timeout, this, &MessageBoxAnswerer::answer);
        m_poll.start(5);
    }

    const QList<Seen>& seen() const { return m_seen; }

private:
    void answer()
    {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        m_seen.append({box->windowTitle(), box->text(), box->icon(),
                       static_cast<int>(box->buttons().size())});
        QTest::keyClick(box, Qt::Key_Return);
    }

    QTimer m_poll;
    QList<Seen> m_seen;
};
