// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Composer.h"
#include "FormValues.h"

#include <QMainWindow>
#include <QPointer>

#include <array>
#include <utility>
#include <vector>

class QAction;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace Velaro
{

class AboutBox;
class CallPreview;
class DirectionList;

class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget* parent = nullptr);

    // The one place the composers' input is read from the controls.
    FormValues formValues() const;

signals:
    // After any change of what the composers read: a field's or the direction list's
    // text, a pick, an option button, the units.
    void formChanged();

private:
    // Controls with their place in the tab order, in the order they were built.
    using TabOrder = std::vector<std::pair<int, QWidget*>>;

    void buildFields(QWidget* form, CallPreview* preview, TabOrder& tabOrder);
    void buildCallButtons(QWidget* form, CallPreview* preview, TabOrder& tabOrder);
    void buildOptions(QWidget* form, TabOrder& tabOrder);
    void buildSeparators(QWidget* form);
    void applyTabOrder(TabOrder& tabOrder);
    void buildMenus();
    void press(Call call);
    bool deliver(const QString& call);
    void showWarning(const QString& text);
    // Keeps a field one line of upper case, with the caret at the end.
    void normalise(QLineEdit* field);
    void refreshStartUpCaption();
    void showAboutBox();

    std::array<QLineEdit*, FieldCount> m_fields{};
    DirectionList* m_direction = nullptr;
    QRadioButton* m_leftPattern = nullptr;
    QRadioButton* m_departure = nullptr;
    QPushButton* m_startUpButton = nullptr;
    QAction* m_imperial = nullptr;
    // The last call delivered; a press that stops keeps it.
    QString m_messageBuffer;
    QPointer<AboutBox> m_aboutBox;
};

} // namespace Velaro
