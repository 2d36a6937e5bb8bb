#include "DateText.h"

#include <QTest>

class TestDateText : public QObject {
    Q_OBJECT
private slots:
    void formatsAndParsesInTheProgramFormat() {
        DateText::setShortFormat(QString::fromLatin1(DateText::Iso));
        QCOMPARE(DateText::format(QDate(2026, 3, 4)), QStringLiteral("2026-03-04"));
        QCOMPARE(DateText::parse(QStringLiteral("2026-03-04")), QDate(2026, 3, 4));
        QCOMPARE(DateText::parse(QStringLiteral(" 2026-12-31 ")), QDate(2026, 12, 31));
        QCOMPARE(DateText::parse(QStringLiteral("2026-12-31 00:00:00")), QDate(2026, 12, 31));
        QVERIFY(!DateText::parse(QString()).isValid());
        QVERIFY(!DateText::parse(QStringLiteral("2026-02-30")).isValid());
        QVERIFY(!DateText::parse(QStringLiteral("junk")).isValid());
        QCOMPARE(DateText::format(QDate()), QString());
        QCOMPARE(DateText::today().size(), 10);
    }
    void shortFormatIsWhatTheRestartTestSees() {
        DateText::setShortFormat(QStringLiteral("yyyy-M-d"));
        QVERIFY(DateText::format(QDate(2026, 3, 4)).size() < 10);
        DateText::setShortFormat(QString::fromLatin1(DateText::Iso));
        QCOMPARE(DateText::format(QDate(2026, 3, 4)).size(), 10);
    }
};

QTEST_GUILESS_MAIN(TestDateText)
#include "tst_DateText.moc"
