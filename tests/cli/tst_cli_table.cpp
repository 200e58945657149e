// quillary-cli table: the contacts table of a file, one tab-separated line per row, run as a process.

#include "CliRunner.h"
#include "TestSupport.h"

#include <QTest>

using namespace Quillary;

namespace {

using Run = Test::CliRun;

Run runTable(const QStringList& options)
{
    return Test::runCli(QStringList{QStringLiteral("table")} + options
                        + QStringList{Test::dataPath(QStringLiteral("table/rows.vcf"))});
}

/// Lines of cells separated by "|" in the test table, by tabs in the output.
QByteArray table(std::initializer_list<const char*> lines)
{
    QByteArray text;
    for (const char* line : lines)
        text += QByteArray(line).replace('|', '\t') + '\n';
    return text;
}

} // namespace

class TestCliTable : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void printsTable_data();
    void printsTable();
    void refusesUnknownNames_data();
    void refusesUnknownNames();
};

void TestCliTable::printsTable_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QByteArray>("output");

    QTest::newRow("default view, by name")
        << QStringList{}
        << table({"Name|Email", "Acme Inc.|info@acme.example", "Alice Able|", "Bob Brown|bob@example.org",
                  "Carol Clark|", "Dan Doe|", "Erin Evans|erin@example.org", "|erin@work.example",
                  "All Contacts: total 6 contacts"});
    // Each contact's phones are sorted too, so its rows stay together; no phone goes last.
    QTest::newRow("by phone") << QStringList{"--view", "Phone", "--sort", "Phone"}
                              << table({"Name|Phone", "Bob Brown|555-0101", "|555-0102", "|555-0103",
                                        "Carol Clark|555-0200", "|555-0201", "Dan Doe|555-0300", "Erin Evans|555-0400",
                                        "Alice Able|", "Acme Inc.|", "All Contacts: total 6 contacts"});
    QTest::newRow("by phone, descending")
        << QStringList{"--view", "Phone", "--sort", "Phone", "--descending"}
        << table({"Name|Phone", "Erin Evans|555-0400", "Dan Doe|555-0300", "Carol Clark|555-0201", "|555-0200",
                  "Bob Brown|555-0103", "|555-0102", "|555-0101", "Alice Able|", "Acme Inc.|",
                  "All Contacts: total 6 contacts"});
    QTest::newRow("label filter") << QStringList{"--view", "Phone", "--labels", "home"}
                                  << table({"Name|Phone", "Acme Inc.|", "Alice Able|", "Bob Brown|555-0101",
                                            "Carol Clark|", "Dan Doe|555-0300", "Erin Evans|",
                                            "All Contacts: total 6 contacts"});
    QTest::newRow("group, name in all rows")
        << QStringList{"--view", "Phone", "--group", "Work", "--show-name-in-all-rows"}
        << table({"Name|Phone", "Bob Brown|555-0103", "Bob Brown|555-0101", "Bob Brown|555-0102",
                  "Carol Clark|555-0200", "Carol Clark|555-0201", "Work: total 2 contacts"});
    QTest::newRow("address parts, descending")
        << QStringList{"--view", "Address Detail", "--sort", "City", "--descending"}
        << table({"Name|ZIP|State|City|Street|Country", "Dan Doe|62701|IL|Springfield|1 Main St|USA",
                  "|62565|IL|Shelbyville|9 Side Rd|USA", "Alice Able|||||", "Bob Brown|||||", "Carol Clark|||||",
                  "Acme Inc.|||||", "Erin Evans|||||", "All Contacts: total 6 contacts"});
    QTest::newRow("a note on one line") << QStringList{"--view", "Other"}
                                        << table({"Name|Dates|Note", "Acme Inc.||", "Alice Able||", "Bob Brown||",
                                                  "Carol Clark||",
                                                  "Dan Doe||one two three four five six seven eight nine ten",
                                                  "Erin Evans||", "All Contacts: total 6 contacts"});
}

void TestCliTable::printsTable()
{
    QFETCH(QStringList, options);
    QFETCH(QByteArray, output);

    const Run run = runTable(options);
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, output);
    QCOMPARE(run.err, QByteArray());
}

void TestCliTable::refusesUnknownNames_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QByteArray>("message");

    QTest::newRow("view type") << QStringList{"--view", "Nothing"} << QByteArray("Unknown view type Nothing");
    QTest::newRow("group") << QStringList{"--group", "Nobody"} << QByteArray("No group named Nobody");
}

void TestCliTable::refusesUnknownNames()
{
    QFETCH(QStringList, options);
    QFETCH(QByteArray, message);

    const Run run = runTable(options);
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.err.startsWith(message), run.err.constData());
    QCOMPARE(run.out, QByteArray());
}

QTEST_GUILESS_MAIN(TestCliTable)
#include "tst_cli_table.moc"
