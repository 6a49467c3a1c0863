// SPDX-License-Identifier: GPL-3.0-or-later
#include "WindowDriver.h"

#include "AboutBox.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>

using Velaro::AboutBox;
using Velaro::MainWindow;

class TestAboutBox : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void testContents();
    void testOpensOnce();
    void testCloseKey_data();
    void testCloseKey();
    void testOutlivesMainWindow();

private:
    QList<AboutBox*> openBoxes() const;
    AboutBox* openAbout();

    std::unique_ptr<MainWindow> m_window;
};

void TestAboutBox::init()
{
    m_window = std::make_unique<MainWindow>();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void TestAboutBox::cleanup()
{
    qDeleteAll(openBoxes());
    m_window.reset();
}

QList<AboutBox*> TestAboutBox::openBoxes() const
{
    QList<AboutBox*> boxes;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* box = qobject_cast<AboutBox*>(widget); box && box->isVisible())
            boxes << box;
    }
    return boxes;
}

AboutBox* TestAboutBox::openAbout()
{
    m_window->findChild<QAction*>("About")->trigger();
    const QList<AboutBox*> boxes = openBoxes();
    return boxes.size() == 1 ? boxes.first() : nullptr;
}

void TestAboutBox::testContents()
{
    AboutBox* box = openAbout();
    QVERIFY(box);
    QCOMPARE(box->objectName(), QStringLiteral("frmAbout"));
    QCOMPARE(box->windowTitle(), QStringLiteral("About VELARO"));
    QCOMPARE(box->findChild<QLabel*>("lblTitle")->text(), QStringLiteral("VELARO"));
    QCOMPARE(box->findChild<QLabel*>("lblVersion")->text(), QStringLiteral("Version 1.0.0"));
    QVERIFY(!box->findChild<QLabel*>("lblDescription")->text().isEmpty());
    for (auto* label : box->findChildren<QLabel*>())
        QVERIFY2(textFits(label), qPrintable(label->objectName()));
    auto* ok = box->findChild<QPushButton*>("cmdOK");
    QVERIFY(ok);
    QCOMPARE(ok->text(), QStringLiteral("OK"));
    QVERIFY(ok->isDefault());
    QCOMPARE(box->size(), QSize(253, 168));
    QVERIFY(!box->isModal());
    QCOMPARE(box->parentWidget(), nullptr);
}

void TestAboutBox::testOpensOnce()
{
    AboutBox* first = openAbout();
    QVERIFY(first);
    QCOMPARE(openAbout(), first);
    QCOMPARE(openBoxes().size(), 1);
}

void TestAboutBox::testCloseKey_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("Esc") << int(Qt::Key_Escape);
    QTest::newRow("Enter") << int(Qt::Key_Return);
}

void TestAboutBox::testCloseKey()
{
    QFETCH(int, key);

    QPointer<AboutBox> box = openAbout();
    QVERIFY(box);
    QVERIFY(QTest::qWaitForWindowExposed(box));
    QTest::keyClick(box, Qt::Key(key));
    QVERIFY(openBoxes().isEmpty());
    // Closed boxes go away rather than pile up.
    QTRY_VERIFY(box.isNull());
}

void TestAboutBox::testOutlivesMainWindow()
{
    QPointer<AboutBox> box = openAbout();
    QVERIFY(box);

    // Quitting on the last closed window only happens inside the application's loop.
    bool runningWithBoxAlone = false;
    QTimer::singleShot(0, m_window.get(), &QWidget::close);
    QTimer::singleShot(100, qApp, [&] {
        runningWithBoxAlone = !m_window->isVisible() && box && box->isVisible();
        if (box)
            box->findChild<QPushButton*>("cmdOK")->click();
    });
    QTimer::singleShot(5000, qApp, [] { QCoreApplication::exit(1); });
    const int exitCode = QApplication::exec();

    QVERIFY(runningWithBoxAlone);
    QCOMPARE(exitCode, 0);
}

QTEST_MAIN(TestAboutBox)
#include "TestAboutBox.moc"
