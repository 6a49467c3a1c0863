// SPDX-License-Identifier: GPL-3.0-or-later
#include "Numeric.h"
#include "WorkedExample.h"

#include <QLocale>
#include <QObject>
#include <QTest>

using namespace Velaro;
using namespace Velaro::Testing;

class TestNumeric : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void testAccepted_data();
    void testAccepted();
    void testRejected_data();
    void testRejected();
};

void TestNumeric::initTestCase()
{
    // The rows below rely on these separators.
    QCOMPARE(russianLocale().decimalPoint(), QStringLiteral(","));
    QCOMPARE(englishLocale().decimalPoint(), QStringLiteral("."));
    QCOMPARE(englishLocale().groupSeparator(), QStringLiteral(","));
}

void TestNumeric::testAccepted_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<double>("value");

    const QLocale c = QLocale::c();
    const QLocale russian = russianLocale();
    const QLocale english = englishLocale();

    QTest::newRow("integer") << "120" << c << 120.0;
    QTest::newRow("integer, Russian") << "1500" << russian << 1500.0;
    QTest::newRow("integer, English") << "1500" << english << 1500.0;
    QTest::newRow("zero") << "0" << c << 0.0;
    QTest::newRow("leading zero") << "090" << c << 90.0;
    QTest::newRow("leading zero, Russian") << "090" << russian << 90.0;
    QTest::newRow("surrounding blanks") << " 120 " << c << 120.0;
    QTest::newRow("surrounding blanks, Russian") << " 120 " << russian << 120.0;
    QTest::newRow("minus sign") << "-5" << c << -5.0;
    QTest::newRow("plus sign") << "+5" << c << 5.0;
    QTest::newRow("decimal comma, Russian") << "1,5" << russian << 1.5;
    QTest::newRow("decimal point, English") << "1.5" << english << 1.5;
    QTest::newRow("decimal point, C") << "1.5" << c << 1.5;
    QTest::newRow("negative fraction in blanks, Russian") << " -1,25 " << russian << -1.25;
    QTest::newRow("fraction without integer part, English") << ".5" << english << 0.5;
    QTest::newRow("fraction without integer part, Russian") << ",5" << russian << 0.5;
    QTest::newRow("separator without fraction, English") << "5." << english << 5.0;
    QTest::newRow("separator without fraction, Russian") << "5," << russian << 5.0;
    QTest::newRow("fifteen digits") << "123456789012345" << c << 123456789012345.0;
    QTest::newRow("sixteen digits") << "1234567890123456" << c << 1234567890123456.0;
    QTest::newRow("sixteen digits, negative") << "-1234567890123456" << c << -1234567890123456.0;
    // Swedish writes its minus sign as U+2212; the hyphen on the keyboard still counts.
    QTest::newRow("hyphen minus, Swedish") << "-5" << QLocale(QLocale::Swedish) << -5.0;
    QTest::newRow("minus sign, Swedish") << "\u22125" << QLocale(QLocale::Swedish) << -5.0;
}

void TestNumeric::testAccepted()
{
    QFETCH(QString, text);
    QFETCH(QLocale, locale);
    QFETCH(double, value);

    const std::optional<double> parsed = parseNumber(text, locale);
    QVERIFY2(parsed.has_value(), qPrintable(text));
    QCOMPARE(*parsed, value);
    QVERIFY(isNumeric(text, locale));
}

void TestNumeric::testRejected_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QLocale>("locale");

    const QLocale c = QLocale::c();
    const QLocale russian = russianLocale();
    const QLocale english = englishLocale();
    const QString tooLarge = QString("1") + QString(399, QLatin1Char('0'));

    QTest::newRow("empty") << "" << c;
    QTest::newRow("empty, Russian") << "" << russian;
    QTest::newRow("blanks only") << "   " << c;
    QTest::newRow("level with prefix") << "FL350" << c;
    QTest::newRow("letter after digits") << "12A" << c;
    QTest::newRow("nan") << "nan" << c;
    QTest::newRow("NaN, English") << "NaN" << english;
    QTest::newRow("inf") << "inf" << c;
    QTest::newRow("infinity") << "infinity" << c;
    QTest::newRow("negative inf") << "-inf" << c;
    QTest::newRow("exponent") << "1e3" << c;
    QTest::newRow("capital exponent, English") << "1E3" << english;
    QTest::newRow("hexadecimal") << "0x10" << c;
    QTest::newRow("blank between digits") << "1 500" << c;
    QTest::newRow("blank between digits, Russian") << "1 500" << russian;
    QTest::newRow("group separator, Russian")
        << QString("1" + russian.groupSeparator() + "500") << russian;
    QTest::newRow("group separator, English") << "1,500" << english;
    QTest::newRow("decimal point, Russian") << "1.5" << russian;
    QTest::newRow("decimal comma, English") << "1,5" << english;
    QTest::newRow("decimal comma, C") << "1,5" << c;
    QTest::newRow("two decimal points") << "1.2.3" << english;
    QTest::newRow("two minus signs") << "--5" << c;
    QTest::newRow("minus, then plus") << "-+5" << c;
    QTest::newRow("plus, then minus") << "+-5" << c;
    QTest::newRow("two plus signs") << "++5" << c;
    QTest::newRow("sign alone") << "-" << c;
    QTest::newRow("decimal point alone") << "." << english;
    QTest::newRow("too large for a double") << tooLarge << c;
    QTest::newRow("too large for a double, negative") << QString("-" + tooLarge) << c;
}

void TestNumeric::testRejected()
{
    QFETCH(QString, text);
    QFETCH(QLocale, locale);

    const std::optional<double> parsed = parseNumber(text, locale);
    QVERIFY2(!parsed.has_value(), qPrintable(QString::number(parsed.value_or(0.0))));
    QVERIFY(!isNumeric(text, locale));
}

QTEST_GUILESS_MAIN(TestNumeric)
#include "TestNumeric.moc"
