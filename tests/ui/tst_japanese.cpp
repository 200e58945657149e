// The window in Japanese: menus, alerts, column headers and Qt's own buttons are translated, while
// the field identifiers keep their English forms in the settings.

#include "UiTestSupport.h"
#include "WindowTestCase.h"
#include "app/Translations.h"
#include "documents/ContactPane.h"
#include "documents/DocumentWindow.h"
#include "documents/Preferences.h"
#include "support/MessageBox.h"
#include "table/ContactsTableView.h"

#include <QDialogButtonBox>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

using namespace Quillary;
using namespace Quillary::Ui;

class TestJapanese : public Test::WindowTestCase
{
    Q_OBJECT

private Q_SLOTS:
    void windowSpeaksJapanese()
    {
        QVERIFY(Translations::install(QLocale(QLocale::Japanese, QLocale::Japan)));
        DocumentWindow* window = open(QStringLiteral("ui/contacts.vcf"));
        QCOMPARE(window->menuBar()->actions().constFirst()->text(), QStringLiteral("ファイル(&F)"));
        QCOMPARE(window->windowTitle(), QStringLiteral("contacts.vcf[*] — Quillary"));

        window->pane()->viewTypePopupSelected(QStringLiteral("Phone"));
        QCOMPARE(window->tableView()->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("電話"));
        // Shown in Japanese, stored in English.
        QCOMPARE(Preferences::instance().value(Preferences::Key::SelectedViewType).toString(), QStringLiteral("Phone"));

        window->pane()->setEditMode(true);
        window->pane()->showGroupView();
        MessageBox::setNextAnswer(1);
        window->pane()->addGroup();
        QCOMPARE(MessageBox::shown().last().message, QStringLiteral("グループを追加しますか？"));
        QCOMPARE(MessageBox::shown().last().informativeText, QStringLiteral("この操作は取り消せません。"));
        QCOMPARE(MessageBox::shown().last().buttons, (QStringList{QStringLiteral("OK"), QStringLiteral("キャンセル")}));

        // Qt's standard buttons come from Qt's own Japanese translation.
        const QDialogButtonBox buttons(QDialogButtonBox::Close);
        QCOMPARE(buttons.button(QDialogButtonBox::Close)->text(), QStringLiteral("閉じる"));
    }

    // Reading may start before translations can be installed only where they would change nothing.
    void textsThatWouldBeTranslated_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<bool>("translated");
        QTest::newRow("C") << QLocale::c() << false;
        QTest::newRow("English: Qt's plural forms only") << QLocale(QLocale::English, QLocale::UnitedStates) << false;
        QTest::newRow("Japanese") << QLocale(QLocale::Japanese, QLocale::Japan) << true;
        QTest::newRow("German: Qt's texts only") << QLocale(QLocale::German, QLocale::Germany) << true;
    }
    void textsThatWouldBeTranslated()
    {
        QFETCH(QLocale, locale);
        QFETCH(bool, translated);
        QCOMPARE(Translations::wouldTranslate(locale), translated);
    }

    void cleanupTestCase() { Translations::install(QLocale(QLocale::English, QLocale::UnitedStates)); }
};

QTEST_MAIN(TestJapanese)
#include "tst_japanese.moc"
