// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainWindow.h"

#include "AboutBox.h"
#include "ApplicationInfo.h"
#include "CallPreview.h"
#include "FormLayout.h"
#include "WrappingButton.h"

#include <QActionGroup>
#include <QButtonGroup>
#include <QClipboard>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QGuiApplication>
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
    setWindowTitle(QStringLiteral("Генератор сообщений VELARO"));
    setFont(formFont());

    auto* form = new QWidget(this);
    form->setFixedSize(ClientArea.toPixels().size());
    setCentralWidget(form);
    buildForm(form);
    buildMenus();
    new CallPreview(this, [this] { return formValues(); });
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void MainWindow::buildForm(QWidget* form)
{
    std::vector<std::pair<int, QWidget*>> tabOrder;

    for (const FieldEntry& entry : Fields) {
        auto* label = new QLabel(QString::fromUtf8(entry.caption), form);
        label->setObjectName(QLatin1String(entry.labelObjectName));
        label->setGeometry(entry.label.toPixels());
        label->setWordWrap(entry.label.height > DefaultLabelHeight);

        QWidget* control = nullptr;
        if (entry.role) {
            auto* field = new QLineEdit(form);
            connect(field, &QLineEdit::textChanged, this, [this, field] { keepUpperCase(field); });
            m_fields[static_cast<std::size_t>(*entry.role)] = field;
            control = field;
        } else {
            m_direction = new QComboBox(form);
            m_direction->setEditable(true);
            m_direction->setInsertPolicy(QComboBox::NoInsert);
            // Inline completion would silently turn a typed "s" into "south".
            m_direction->setCompleter(nullptr);
            control = m_direction;
        }
        control->setObjectName(QLatin1String(entry.objectName));
        control->setAccessibleName(label->text());
        control->setGeometry(entry.field.toPixels());
        label->setBuddy(control);
        tabOrder.emplace_back(entry.tabIndex, control);
    }

    for (const ButtonEntry& entry : Buttons) {
        auto* button = new WrappingButton(QString::fromUtf8(entry.caption), form);
        button->setObjectName(QLatin1String(entry.objectName));
        button->setGeometry(entry.rect.toPixels());
        connect(button, &QPushButton::clicked, this, [this, call = entry.call] { press(call); });
        if (entry.call == Call::StartUpOrShutdown)
            m_startUpButton = button;
        tabOrder.emplace_back(entry.tabIndex, button);
    }

    auto* patternFrame = new QGroupBox(QStringLiteral("Круг"), form);
    patternFrame->setObjectName(QStringLiteral("Frame1"));
    patternFrame->setGeometry(PatternFrame.toPixels());

    // Two groups: the pattern side inside its frame, the flight phase on the form.
    auto* patternSides = new QButtonGroup(this);
    auto* flightPhases = new QButtonGroup(this);
    for (const OptionEntry& entry : Options) {
        const bool patternSide =
            entry.role == Switch::LeftPattern || entry.role == Switch::RightPattern;
        auto* option =
            new TabStopRadioButton(QString::fromUtf8(entry.caption),
                                   patternSide ? static_cast<QWidget*>(patternFrame) : form);
        (patternSide ? patternSides : flightPhases)->addButton(option);
        option->setObjectName(QLatin1String(entry.objectName));
        option->setGeometry(entry.rect.toPixels());
        connect(option, &QRadioButton::clicked, this, &MainWindow::refreshStartUpCaption);
        if (entry.role == Switch::LeftPattern)
            m_leftPattern = option;
        if (entry.role == Switch::Departure)
            m_departure = option;
        tabOrder.emplace_back(entry.tabIndex, option);
    }
    m_leftPattern->setChecked(true);
    m_departure->setChecked(true);

    int index = 0;
    for (const int top : SeparatorTops) {
        auto* line = new QFrame(form);
        line->setObjectName(QStringLiteral("Line1_%1").arg(index++));
        line->setFrameShape(QFrame::HLine);
        line->setFrameShadow(QFrame::Sunken);
        line->setGeometry(
            TwipRect{SeparatorLeft, top, SeparatorRight - SeparatorLeft, 30}.toPixels());
    }

    std::sort(tabOrder.begin(), tabOrder.end());
    for (std::size_t i = 1; i < tabOrder.size(); ++i)
        setTabOrder(tabOrder[i - 1].second, tabOrder[i].second);

    for (const char* direction : Directions)
        m_direction->addItem(QLatin1String(direction));
    // Adding items selects the first one; the list starts with nothing picked.
    m_direction->setCurrentIndex(-1);
    m_direction->clearEditText();
}

void MainWindow::buildMenus()
{
    QMenu* file = menuBar()->addMenu(QStringLiteral("&Файл"));
    file->setObjectName(QStringLiteral("File"));
    QAction* exit = file->addAction(QStringLiteral("&Выход"), this, &QWidget::close);
    exit->setObjectName(QStringLiteral("Exit"));

    QMenu* options = menuBar()->addMenu(QStringLiteral("&Параметры"));
    options->setObjectName(QStringLiteral("Options"));
    auto* units = new QActionGroup(this);
    QAction* metric = options->addAction(QStringLiteral("Метрическая"));
    metric->setObjectName(QStringLiteral("metric"));
    m_imperial = options->addAction(QStringLiteral("Английская"));
    m_imperial->setObjectName(QStringLiteral("Imperial"));
    for (QAction* unit : {metric, m_imperial}) {
        unit->setCheckable(true);
        units->addAction(unit);
    }
    metric->setChecked(true);

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Справка"));
    help->setObjectName(QStringLiteral("Help"));
    QAction* about =
        help->addAction(QStringLiteral("О программе"), this, &MainWindow::showAboutBox);
    about->setObjectName(QStringLiteral("About"));
}

FormValues MainWindow::formValues() const
{
    FormValues form;
    for (std::size_t i = 0; i < FieldCount; ++i)
        form.texts[i] = m_fields[i]->text();
    form.directionText = m_direction->currentText();
    // Qt keeps the picked index while its text is edited over; the entry only
    // counts as picked while the text still reads as that entry.
    const int picked = m_direction->currentIndex();
    form.directionSelected = picked >= 0 && m_direction->itemText(picked) == form.directionText;
    form.imperial = m_imperial->isChecked();
    form.departure = m_departure->isChecked();
    form.leftPattern = m_leftPattern->isChecked();
    return form;
}

void MainWindow::press(Call call)
{
    const ComposeResult result = compose(call, formValues());
    if (!result.warning.isEmpty())
        showWarning(result.warning);
    if (!result.call)
        return;
    for (const FieldWrite& write : result.fieldWrites)
        m_fields[static_cast<std::size_t>(write.field)]->setText(write.text);
    deliver(*result.call);
}

void MainWindow::deliver(const QString& call)
{
    m_messageBuffer = call;
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(m_messageBuffer);
    if (clipboard->text() != m_messageBuffer)
        showWarning(
            QStringLiteral("Не удалось поместить сообщение в буфер обмена. "
                           "Закройте программу, которая его заняла, и нажмите кнопку ещё раз."));
}

void MainWindow::showWarning(const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, ApplicationTitle, text, QMessageBox::Ok, this);
    box.exec();
}

void MainWindow::keepUpperCase(QLineEdit* field)
{
    QString upper = field->text().toUpper();
    // Upper-casing may lengthen the text ("ß" becomes "SS"), and a paste is cut at the
    // field's limit wherever that falls: keep to the limit without leaving half of a
    // surrogate pair at the end.
    if (upper.size() >= field->maxLength()) {
        qsizetype keep = field->maxLength();
        if (upper.at(keep - 1).isHighSurrogate())
            --keep;
        upper.truncate(keep);
    }
    // Writing the text back re-enters here once and then finds nothing to change.
    if (upper != field->text())
        field->setText(upper);
    field->setCursorPosition(field->text().size());
}

void MainWindow::refreshStartUpCaption()
{
    m_startUpButton->setText(m_departure->isChecked() ? QStringLiteral("Запуск")
                                                      : QStringLiteral("Стоп"));
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
