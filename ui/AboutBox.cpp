// SPDX-License-Identifier: GPL-3.0-or-later
#include "AboutBox.h"

#include "ApplicationInfo.h"
#include "FormGeometry.h"

#include <QColor>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace Velaro
{

namespace
{

QLabel* addLabel(QWidget* parent, const char* objectName, const QString& text, TwipRect rect)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(objectName));
    label->setGeometry(rect.toPixels());
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setWordWrap(true);
    return label;
}

// One stroke of the etched rule under the text.
void addRuleStroke(QWidget* parent, const char* objectName, const QColor& colour, int thickness)
{
    constexpr int left = 360;
    constexpr int right = 3360;
    constexpr int top = 1920;
    auto* stroke = new QFrame(parent);
    stroke->setObjectName(QLatin1String(objectName));
    QRect rect = TwipRect{left, top, right - left, 0}.toPixels();
    rect.setHeight(thickness);
    stroke->setGeometry(rect);
    QPalette palette = stroke->palette();
    palette.setColor(QPalette::Window, colour);
    stroke->setPalette(palette);
    stroke->setAutoFillBackground(true);
}

} // namespace

AboutBox::AboutBox(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About ") + ApplicationTitle);
    setFont(formFont());
    const QSize size = TwipRect{0, 0, 3795, 2520}.toPixels().size();
    setFixedSize(size);
    auto* content = new QWidget;
    content->setFixedSize(size);
    setLayout(centring(content));

    QFont titleFont = font();
    titleFont.setBold(true);
    titleFont.setPixelSize(titleFont.pixelSize() * 3 / 2);
    addLabel(content, "lblTitle", ApplicationTitle, {690, 240, 2445, 360})->setFont(titleFont);
    addLabel(content, "lblVersion", QStringLiteral("Version ") + ApplicationVersion,
             {810, 660, 2085, 225});
    addLabel(content, "lblDescription",
             QStringLiteral("Радиосообщения для полётов без диспетчера.\n"
                            "Команда VELARO"),
             {810, 1005, 2205, 690});

    // The white stroke lies under the grey one and shows one pixel below it.
    addRuleStroke(content, "Line1_0", Qt::white, 2);
    addRuleStroke(content, "Line1_1", QColor(128, 128, 128), 1);

    auto* ok = new QPushButton(QStringLiteral("OK"), content);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setGeometry(TwipRect{1232, 2040, 1260, 345}.toPixels());
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

} // namespace Velaro
