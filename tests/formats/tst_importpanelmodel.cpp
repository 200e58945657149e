// The import panel without its window: the name list, the detail rows and the chosen contacts.

#include "formats/ImportPanelModel.h"
#include "formats/ZQVCard.h"

#include <QAbstractItemModelTester>
#include <QTest>

using namespace Quillary;

namespace {

const QByteArray Cards = "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Appleseed;Johnny;Q.;;\r\nFN:Johnny Appleseed\r\n"
                         "ORG:Soylent;Research\r\nTITLE:Chief\r\nNICKNAME:Jack\r\n"
                         "EMAIL;TYPE=HOME:johnny@example.com\r\nTEL;TYPE=WORK:555-0100\r\n"
                         "item1.TEL:555-0101\r\nitem1.X-ABLabel:\r\nBDAY:1980-05-17\r\nNOTE:Two\\nlines\r\n"
                         "END:VCARD\r\n"
                         "BEGIN:VCARD\r\nVERSION:3.0\r\nN:;;;;\r\nORG:Lonely Company\r\nX-ABShowAs:COMPANY\r\n"
                         "END:VCARD\r\n"
                         "BEGIN:VCARD\r\nVERSION:3.0\r\nN:;;;;\r\nFN:\r\nNOTE:nothing else\r\nEND:VCARD\r\n";

} // namespace

class TestImportPanelModel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_contacts = ZQVCard().contactsFromVCards(Cards);
        QCOMPARE(m_contacts.size(), 3);
    }

    void listsContactsByName()
    {
        ImportPanelModel model;
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.setFilename(QStringLiteral("friends.vcf"));
        model.setNameTable(m_contacts);
        QCOMPARE(model.filename(), QStringLiteral("friends.vcf"));
        QCOMPARE(model.rowCount(), 3);
        QCOMPARE(model.index(0).data().toString(), QStringLiteral("Johnny Appleseed"));
        QCOMPARE(model.index(1).data().toString(), QStringLiteral("Lonely Company"));
        QCOMPARE(model.index(2).data().toString(), QStringLiteral("No name"));
        QCOMPARE(model.index(0).data(ImportPanelModel::CompanyRole).toBool(), false);
        QCOMPARE(model.index(1).data(ImportPanelModel::CompanyRole).toBool(), true);
    }

    void detailRowsInPanelOrder()
    {
        ImportPanelModel model;
        model.setNameTable(m_contacts);
        QAbstractItemModelTester tester(model.detailModel(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.setCurrentRow(0);
        const QList<ImportDetailRow> expected = {
            {Field::Name, QStringLiteral("FistName: Johnny\nMiddleName: Q.\nLastName: Appleseed\n")},
            {Field::Email, QStringLiteral("home: johnny@example.com\n")},
            {Field::Phone, QStringLiteral("work: 555-0100\n555-0101\n")},
            {Field::Nickname, QStringLiteral("Jack")},
            {Field::Birthday, QStringLiteral("1980.05.17(Sat)")},
            {Field::Company, QStringLiteral("Soylent")},
            {Field::Department, QStringLiteral("Research")},
            {Field::JobTitle, QStringLiteral("Chief")},
            {Field::Note, QStringLiteral("Two\nlines")},
        };
        QCOMPARE(model.detailModel()->rows(), expected);
        QCOMPARE(model.detailModel()->index(1, ImportDetailModel::TypeColumn).data().toString(), Field::Email);
        QCOMPARE(model.detailModel()->index(1, ImportDetailModel::ValueColumn).data().toString(),
                 QStringLiteral("home: johnny@example.com\n"));
        QCOMPARE(model.detailModel()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Type"));

        model.setCurrentRow(2);
        QCOMPARE(model.detailModel()->rows(), (QList<ImportDetailRow>{{Field::Note, QStringLiteral("nothing else")}}));
        model.setCurrentRow(7);
        QCOMPARE(model.currentRow(), -1);
        QCOMPARE(model.detailModel()->rowCount(), 0);
    }

    void selectionKeepsValidRowsOnce()
    {
        ImportPanelModel model;
        model.setNameTable(m_contacts);
        model.setSelectedIndexes({2, 0, 2, -1, 3});
        QCOMPARE(model.selectedIndexes(), (QList<int>{0, 2}));
        QCOMPARE(model.selectedContacts(), (ContactTable{m_contacts.at(0), m_contacts.at(2)}));
    }

    void newNameTableClearsSelectionAndDetails()
    {
        ImportPanelModel model;
        model.setNameTable(m_contacts);
        model.setSelectedIndexes({1});
        model.setCurrentRow(0);
        model.setNameTable(m_contacts.mid(0, 1));
        QVERIFY(model.selectedIndexes().isEmpty());
        QCOMPARE(model.currentRow(), -1);
        QCOMPARE(model.detailModel()->rowCount(), 0);
    }

private:
    ContactTable m_contacts;
};

QTEST_GUILESS_MAIN(TestImportPanelModel)
#include "tst_importpanelmodel.moc"
