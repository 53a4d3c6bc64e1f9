#include "app/ui/COrrindaleApp.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTranslator>

// The standard buttons of message boxes follow the interface language.
class TestQtTexts : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void buttonsSpeakTheInterfaceLanguage_data()
    {
        QTest::addColumn<bool>("english");
        QTest::addColumn<QString>("cancel");
        QTest::newRow("Japanese interface") << false << QStringLiteral("キャンセル");
        QTest::newRow("English interface") << true << QStringLiteral("Cancel");
    }

    void buttonsSpeakTheInterfaceLanguage()
    {
        QFETCH(bool, english);
        QFETCH(QString, cancel);
        QVERIFY(COrrindaleApp::InstallQtTexts(english));
        QMessageBox box(QMessageBox::Question, QString(), QString(),
                        QMessageBox::Yes | QMessageBox::Cancel);
        QCOMPARE(box.button(QMessageBox::Cancel)->text().remove(QLatin1Char('&')), cancel);
        for (QTranslator *t : qApp->findChildren<QTranslator *>())
            QCoreApplication::removeTranslator(t);
    }
};

QTEST_MAIN(TestQtTexts)
#include "tst_qttexts.moc"
