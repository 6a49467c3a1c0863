// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainWindow.h"

#include "AboutBox.h"
#include "ApplicationInfo.h"
#include "CallPreview.h"
#include "ClipboardDelivery.h"
#include "DirectionList.h"
#include "FormLayout.h"
#include "InputText.h"
#include "WrappingButton.h"

#include <QButtonGroup>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>
#include <utility>
#include <vector>

namespace Velaro
{

using namespace FormLayout;

namespace
{

// Qt keeps only the focused button of an exclusive group as a Tab stop, so Tab would
// skip the other option of each pair. Here every option button keeps its own place in
// the tab order; the arrow keys still move within the pair.
class TabStopRadioButton : public QRadioButton
{
public:
    using QRadioButton::QRadioButton;

protected:
    void focusInEvent(QFocusEvent* event) override
    {
        QRadioButton::focusInEvent(event);
        for (QAbstractButton* option : group()->buttons())
            option->setFocusPolicy(Qt::StrongFocus);
    }
};

} // namespace

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowFlags(WindowFlags);
    setWindowTitle(QString::fromUtf8(WindowCaption));
    setFont(formFont());

    auto* form = new QWidget;
    form->setFixedSize(ClientArea.toPixels().size());
    auto* area = new QWidget(this);
    area->setLayout(centring(form));
    setCentralWidget(area);
    auto* preview = new CallPreview([this] { return formValues(); }, this);
    m_preview = preview;
    TabOrder tabOrder;
    buildFields(form, preview, tabOrder);
    buildCallButtons(form, preview, tabOrder);
    buildOptions(form, tabOrder);
    buildSeparators(form);
    applyTabOrder(tabOrder);
    buildMenus();
    connect(this, &MainWindow::formChanged, preview, &CallPreview::refresh);
    preview->refresh();
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void MainWindow::buildFields(QWidget* form, CallPreview* preview, TabOrder& tabOrder)
{
    for (const FieldEntry& entry : Fields) {
        auto* label = new QLabel(QString::fromUtf8(entry.caption), form);
        label->setObjectName(QLatin1String(entry.labelObjectName));
        label->setGeometry(entry.label.toPixels());
        label->setWordWrap(entry.label.height > DefaultLabelHeight);

        QWidget* control = nullptr;
        if (entry.role) {
            auto* field = new QLineEdit(form);
            connect(field, &QLineEdit::textChanged, this, [this, field] { normalise(field); });
            connect(field, &QLineEdit::textChanged, this, &MainWindow::formChanged);
            m_fields[static_cast<std::size_t>(*entry.role)] = field;
            control = field;
        } else {
            m_direction = new DirectionList(form);
            // A screen reader announces the edit part, not the list around it.
            m_direction->lineEdit()->setAccessibleName(label->text());
            for (const char* direction : Directions)
                m_direction->addItem(QLatin1String(direction));
            // Adding items selects the first one; the list starts with nothing picked.
            m_direction->setCurrentIndex(-1);
            m_direction->clearEditText();
            connect(m_direction, &QComboBox::editTextChanged, this, &MainWindow::formChanged);
            connect(m_direction, &DirectionList::pickChanged, this, &MainWindow::formChanged);
            control = m_direction;
        }
        control->setObjectName(QLatin1String(entry.objectName));
        control->setAccessibleName(label->text());
        control->setGeometry(entry.field.toPixels());
        label->setBuddy(control);
        preview->addInput(control, entry.role, label->text());
        tabOrder.emplace_back(entry.tabIndex, control);
    }
}

void MainWindow::buildCallButtons(QWidget* form, CallPreview* preview, TabOrder& tabOrder)
{
    for (const ButtonEntry& entry : Buttons) {
        auto* button = new WrappingButton(QString::fromUtf8(entry.caption), form);
        button->setObjectName(QLatin1String(entry.objectName));
        button->setGeometry(entry.rect.toPixels());
        connect(button, &QPushButton::clicked, this,
                [this, call = entry.call] { press(call, PressFrom::Window); });
        m_callButtons[static_cast<std::size_t>(entry.call)] = button;
        preview->addButton(button, entry.call);
        tabOrder.emplace_back(entry.tabIndex, button);
    }
}

void MainWindow::buildOptions(QWidget* form, TabOrder& tabOrder)
{
    auto* patternFrame = new QGroupBox(QStringLiteral("Круг"), form);
    patternFrame->setObjectName(QStringLiteral("Frame1"));
    patternFrame->setGeometry(PatternFrame.toPixels());

    // Two groups: the pattern side inside its frame, the flight phase on the form.
    auto* patternSides = new QButtonGroup(this);
    auto* flightPhases = new QButtonGroup(this);
    for (const OptionEntry& entry : Options) {
        const bool patternSide =
            entry.role == Option::LeftPattern || entry.role == Option::RightPattern;
        auto* option =
            new TabStopRadioButton(QString::fromUtf8(entry.caption),
                                   patternSide ? static_cast<QWidget*>(patternFrame) : form);
        (patternSide ? patternSides : flightPhases)->addButton(option);
        // Tells the option "Взлет" from the button of the same caption.
        option->setAccessibleDescription(patternSide ? QStringLiteral("Круг")
                                                     : QStringLiteral("Этап полёта"));
        option->setObjectName(QLatin1String(entry.objectName));
        option->setGeometry(entry.rect.toPixels());
        connect(option, &QRadioButton::toggled, this, &MainWindow::formChanged);
        m_options[static_cast<std::size_t>(entry.role)] = option;
        if (entry.role == Option::LeftPattern)
            m_leftPattern = option;
        if (entry.role == Option::Departure)
            m_departure = option;
        tabOrder.emplace_back(entry.tabIndex, option);
    }
    // However the flight phase changes (a click, the arrow keys, a screen reader's toggle
    // action), the start-up button names the call it composes.
    connect(m_departure, &QRadioButton::toggled, this, &MainWindow::refreshStartUpCaption);
    m_leftPattern->setChecked(true);
    m_departure->setChecked(true);
}

void MainWindow::buildSeparators(QWidget* form)
{
    int index = 0;
    for (const int top : SeparatorTops) {
        auto* line = new QFrame(form);
        line->setObjectName(QStringLiteral("Line1_%1").arg(index++));
        line->setFrameShape(QFrame::HLine);
        line->setFrameShadow(QFrame::Sunken);
        line->setGeometry(
            TwipRect{SeparatorLeft, top, SeparatorRight - SeparatorLeft, 30}.toPixels());
    }
}

void MainWindow::applyTabOrder(TabOrder& tabOrder)
{
    std::sort(tabOrder.begin(), tabOrder.end());
    for (std::size_t i = 1; i < tabOrder.size(); ++i)
        setTabOrder(tabOrder[i - 1].second, tabOrder[i].second);
}

void MainWindow::buildMenus()
{
    std::vector<QMenu*> menus;
    for (const MenuEntry& entry : Menus) {
        menus.push_back(menuBar()->addMenu(QString::fromUtf8(entry.caption)));
        menus.back()->setObjectName(QLatin1String(entry.objectName));
        // A command that cannot run says why in its tooltip.
        menus.back()->setToolTipsVisible(true);
    }

    std::vector<QAction*> units;
    auto place = m_menuItems.begin();
    for (const MenuItemEntry& entry : MenuItems) {
        if (entry.separatorBefore)
            menus[entry.menu]->addSeparator();
        QAction* item = menus[entry.menu]->addAction(QString::fromUtf8(entry.caption));
        *place++ = item;
        item->setObjectName(QLatin1String(entry.objectName));
        item->setCheckable(entry.checked.has_value());
        item->setChecked(entry.checked.value_or(false));
        switch (entry.command) {
        case MenuCommand::Exit:
            connect(item, &QAction::triggered, this, &QWidget::close);
            break;
        case MenuCommand::Imperial:
        case MenuCommand::Metric:
            units.push_back(item);
            break;
        case MenuCommand::FlightGearState:
            item->setEnabled(false);
            break;
        case MenuCommand::SayCalls:
        case MenuCommand::FlightGear:
            break;
        case MenuCommand::About:
            connect(item, &QAction::triggered, this, &MainWindow::showAboutBox);
            break;
        }
    }
    // Exclusive by hand: an exclusive QActionGroup would show radio dots, not check marks.
    for (QAction* unit : units) {
        connect(unit, &QAction::triggered, this, [units, unit] {
            for (QAction* each : units)
                each->setChecked(each == unit);
        });
    }
    connect(menuItem(MenuCommand::Imperial), &QAction::toggled, this, &MainWindow::formChanged);
}

QAction* MainWindow::menuItem(MenuCommand command) const
{
    const auto entry =
        std::find_if(MenuItems.begin(), MenuItems.end(),
                     [command](const MenuItemEntry& each) { return each.command == command; });
    return m_menuItems[static_cast<std::size_t>(entry - MenuItems.begin())];
}

FormValues MainWindow::formValues() const
{
    FormValues form;
    for (std::size_t i = 0; i < FieldCount; ++i)
        form.setText(static_cast<Field>(i), m_fields[i]->text());
    form.setDirection(m_direction->currentText(), m_direction->isEntryPicked());
    form.setImperial(menuItem(MenuCommand::Imperial)->isChecked());
    form.setDeparture(m_departure->isChecked());
    form.setLeftPattern(m_leftPattern->isChecked());
    return form;
}

MainWindow::PressOutcome MainWindow::press(Call call, PressFrom from)
{
    const FormValues form = formValues();
    const ComposeResult result = compose(call, form);
    const bool inWindow = from == PressFrom::Window;
    if (inWindow && !result.warning.isEmpty())
        showWarning(result.warning);
    PressOutcome outcome{std::nullopt, result.warning, {}};
    if (!result.call)
        return outcome;

    const QString& text = *result.call;
    outcome.failure = inWindow ? putOnClipboard(text) : putOnClipboardFromAfar(text);
    if (!outcome.failure.isEmpty()) {
        if (inWindow)
            showWarning(QStringLiteral("Не удалось поместить сообщение в буфер обмена. Закройте "
                                       "программу, которая его заняла, и нажмите кнопку ещё раз."));
        return outcome;
    }
    emit delivered(call, text, form);
    // The reporting points move on only once the clipboard holds the call, so that the
    // press the pilot repeats after a failed delivery composes the same call.
    for (const FieldWrite& write : result.fieldWrites)
        field(write.field)->setText(write.text);
    outcome.delivered = result.call;
    return outcome;
}

void MainWindow::showWarning(const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, ApplicationTitle, text, QMessageBox::Ok, this);
    box.exec();
}

void MainWindow::normalise(QLineEdit* field)
{
    const QString kept = fieldText(field->text(), field->maxLength());
    // Writing the text back re-enters here once and then finds nothing to change; text
    // that needs no change is left alone, so that undo still works on it.
    if (kept != field->text())
        field->setText(kept);
    field->setCursorPosition(field->text().size());
}

void MainWindow::refreshStartUpCaption()
{
    callButton(Call::StartUpOrShutdown)
        ->setText(m_departure->isChecked() ? QStringLiteral("Запуск") : QStringLiteral("Стоп"));
}

void MainWindow::showAboutBox()
{
    if (!m_aboutBox) {
        m_aboutBox = new AboutBox;
        m_aboutBox->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_aboutBox->show();
    m_aboutBox->raise();
    m_aboutBox->activateWindow();
}

} // namespace Velaro
